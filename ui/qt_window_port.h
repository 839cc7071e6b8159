// The game's window port on Qt: labels, the car button, message boxes, sound, the end.
#pragma once

#include "window_port.h"

#include <QIcon>

#include <functional>

class QWidget;

namespace brindora {

class ClientArea;
class SoundPlayer;

class QtWindowPort : public WindowPort {
public:
    // boxParent: the window the boxes are modal to. end: called once, to end the program.
    QtWindowPort(ClientArea& client, QWidget& boxParent, SoundPlayer& sound,
                 std::function<void()> end);

    void setLabel(LabelId label, const std::string& text) override;
    void setCommand2Visible(bool visible) override;
    void showBox(const std::string& text, const std::string& title, BoxIcon icon) override;
    void suona(const std::string& path) override;
    void quit() override;

    // Told of every sound handed to the player, before it starts (tests listen here).
    void setSoundObserver(std::function<void(const std::string&)> observer);
    // Muted, no sound reaches the player; the game goes on as if it had played.
    void setMute(bool mute) { m_mute = mute; }

private:
    ClientArea& m_client;
    QWidget& m_boxParent;
    SoundPlayer& m_sound;
    std::function<void()> m_end;
    std::function<void(const std::string&)> m_soundObserver;
    bool m_mute = false;
    QIcon m_okIcon; // the OK button's, shared by every box
};

} // namespace brindora
