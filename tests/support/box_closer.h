// Closes the game's modal boxes as a pupil would, and writes down what each one said.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <vector>

namespace brindora::testing {

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon;
    int buttons;    // how many buttons the box offers
    bool plainText; // the text is shown as written, never as markup
    QRect frame;    // where it opened, on the screen
    int fontPixels; // its text's size
    QIcon okIcon;   // the face of its OK button
};

class BoxCloser : public QObject {
public:
    std::vector<SeenBox> seen;
    std::function<void(const SeenBox&)> whileOpen; // runs once per box, while it is open
    int holdMs = 0;                                // how long each box stays open

    BoxCloser() {
        m_poll.setInterval(1);
        QObject::connect(&m_poll, &QTimer::timeout, this, &BoxCloser::poll);
        m_poll.start();
    }

    QStringList texts() const {
        QStringList out;
        for (const SeenBox& box : seen)
            out << box.text;
        return out;
    }

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->property("seenByTest").toBool())
            return;
        box->setProperty("seenByTest", true);
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen.push_back({box->text(), box->windowTitle(), box->icon(),
                        static_cast<int>(box->buttons().size()), box->textFormat() == Qt::PlainText,
                        box->frameGeometry(), box->font().pixelSize(), ok ? ok->icon() : QIcon()});
        if (whileOpen)
            whileOpen(seen.back());
        QTimer::singleShot(holdMs, box, [box, ok] { ok ? ok->click() : box->reject(); });
    }

    QTimer m_poll;
};

} // namespace brindora::testing
