// Each call of the game becomes one change of a widget, one modal box or one sound.
#include "qt_window_port.h"

#include "client_area.h"
#include "graphical_button.h"
#include "layout_table.h"
#include "screen_fit.h"
#include "sound_player.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <utility>

namespace brindora {

QtWindowPort::QtWindowPort(ClientArea& client, QWidget& boxParent, SoundPlayer& sound,
                           std::function<void()> end)
    : m_client(client), m_boxParent(boxParent), m_sound(sound), m_end(std::move(end)) {}

void QtWindowPort::setLabel(LabelId label, const std::string& text) {
    const QString value = QString::fromStdString(text);
    switch (label) {
    case LabelId::Reg:
        m_client.setRegText(value);
        break;
    case LabelId::Punti:
        m_client.lblpunti()->setText(value);
        break;
    case LabelId::Errori:
        m_client.lblerrori()->setText(value);
        break;
    }
}

void QtWindowPort::setCommand2Visible(bool visible) {
    m_client.command2()->setVisible(visible);
}

void QtWindowPort::showBox(const std::string& text, const std::string& title, BoxIcon icon) {
    QMessageBox box(&m_boxParent);
    box.setFont(m_client.scaledFont(layout::kBoxFontPixels));
    box.setWindowTitle(QString::fromStdString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setIcon(icon == BoxIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    // Every OK button shows the very icon the first one got. A new icon per box would leave one
    // more pixmap in Qt's pixmap cache each time a box is painted, for as long as the game runs.
    QAbstractButton* ok = box.button(QMessageBox::Ok);
    if (m_okIcon.isNull())
        m_okIcon = ok->icon();
    else
        ok->setIcon(m_okIcon);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    // Without a window manager the keyboard would stay with the closed box's root window.
    takeKeyboardBack(m_boxParent);
}

void QtWindowPort::suona(const std::string& path) {
    if (m_mute)
        return;
    if (m_soundObserver)
        m_soundObserver(path);
    m_sound.suona(path);
}

void QtWindowPort::quit() {
    m_end();
}

void QtWindowPort::setSoundObserver(std::function<void(const std::string&)> observer) {
    m_soundObserver = std::move(observer);
}

} // namespace brindora
