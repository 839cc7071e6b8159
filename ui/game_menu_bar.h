// The menu bar: the instructions command, the hint and the credits.
#pragma once

#include <QMenuBar>
#include <QPointer>

namespace brindora {

class GameMenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit GameMenuBar(QWidget* parent = nullptr);

    // F10: the first title highlighted and the arrows, Enter and Esc working on the bar, as
    // Alt pressed and let go alone does.
    void enterByKeyboard();

signals:
    void istruzioniChosen();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Alt pressed and let go alone, wherever the keyboard is in the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void giveKeyboardBack();

    QPointer<QWidget> m_returnTo; // where the keyboard was before it came here
    bool m_altAlone = false;
};

} // namespace brindora
