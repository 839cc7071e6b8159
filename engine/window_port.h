// What the game may do to its window: the only way the engine reaches Qt.
#pragma once

#include <string>

namespace brindora {

enum class LabelId { Reg, Punti, Errori };
enum class BoxIcon { None, Exclamation };

class WindowPort {
public:
    virtual ~WindowPort() = default;

    virtual void setLabel(LabelId label, const std::string& text) = 0;
    virtual void setCommand2Visible(bool visible) = 0;
    // Modal: returns only once the pupil has closed the box.
    virtual void showBox(const std::string& text, const std::string& title, BoxIcon icon) = 0;
    // Starts the WAV file at this full path and returns at once; silent on any failure.
    virtual void suona(const std::string& path) = 0;
    // Ends the program at once: no box, no further events.
    virtual void quit() = 0;
};

} // namespace brindora
