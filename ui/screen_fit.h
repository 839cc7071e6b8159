// How the window lies on its screen: full screen whoever asks for it, otherwise the fixed
// window, at a smaller uniform scale when the screen has no room for it, and whole on it.
#pragma once

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <optional>

class QMainWindow;
class QWidget;

namespace brindora {

class ClientArea;

// After a box: the window takes the keyboard back. Where the window manager gave it back already
// and Qt missed it (kwin, now and then), X is asked to give it again, so that Qt hears of it.
void takeKeyboardBack(QWidget& window);

class ScreenFit : public QObject {
public:
    ScreenFit(QMainWindow& window, ClientArea& client);

    // F11: full screen, or the normal window back.
    void toggleFullScreen();
    // The window's state changed, whoever changed it (F11, the command line, the desktop).
    void followState();
    // The scale of the normal window: 1, or less where the screen has no room for it.
    double normalScale() const { return m_normalScale; }
    // The normal window is still being put where it belongs (the window manager is at it).
    bool placing() const { return m_placePending && !m_full; }
    // A change of full screen asked for that the desktop has not answered yet.
    bool asking() const { return m_asked && !m_askDeadline.hasExpired(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ask(bool full);
    void answered(bool full);
    void letGrow();
    void coverScreen();
    void fixSize();
    void fitNormal();
    void placeWhole();
    void settle();
    void startPlacing();
    QRect place(const QMargins& frameMargins) const;
    std::optional<QMargins> normalFrame();
    QSize grownByDesktop() const;
    std::optional<QPoint> clientOnX() const;
    void recordPlace();
    void moveClient(const QPoint& target);
    bool desktopPlacesWindows() const;

    QMainWindow& m_window;
    ClientArea& m_client;
    bool m_full = false;
    double m_normalScale = 1.0;
    bool m_placePending = true; // the normal window is yet to be put where it belongs
    QDeadlineTimer m_placeDeadline;
    QElapsedTimer m_placedFor;  // placing: how long the window has been where it belongs
    QTimer m_settleTimer;       // one look again, while placing
    bool m_centre = false;      // back from full screen, never shown normally before
    bool m_shownNormal = false; // m_normalPlace holds where the normal window last lay
    QPoint m_normalPlace;
    bool m_hadBorder = false; // the window manager gave the normal window a border
    QSize m_grown;            // what the window manager added to the size asked, at most
    QObject* m_watchedWindow = nullptr;
    // One request at a time (see ask); F11 meanwhile changes only the wish.
    bool m_asked = false;
    bool m_askedFull = false;    // what the request in hand asks for
    bool m_answerQueued = false; // its answer has come and is being applied
    bool m_wanted = false;       // full screen, as the last F11 wants it
    bool m_reportedFull = false; // as the desktop last said it is
    QDeadlineTimer m_askDeadline;
    QTimer m_answerTimer; // X: looks for the window manager's answer
};

} // namespace brindora
