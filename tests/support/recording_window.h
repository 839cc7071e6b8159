// A fake window that records, in order, everything the game does to it.
#pragma once

#include "random_source.h"
#include "window_port.h"

#include <functional>
#include <string>
#include <vector>

namespace brindora::testing {

struct Event {
    std::string kind; // "label", "command2", "box", "sound", "quit"
    std::string a;    // label name, visibility, box text, sound path
    std::string b;    // label text, box title
    BoxIcon icon = BoxIcon::None;
};

class RecordingWindow : public WindowPort {
public:
    std::vector<Event> events;
    std::string lblreg, lblpunti = "0", lblerrori = "0";
    bool command2Visible = true;
    int quits = 0;
    // Runs while a box is "open", as the pupil's or the timer's actions during it.
    std::function<void(const Event&)> whileBoxOpen;

    void setLabel(LabelId label, const std::string& text) override {
        const char* name = label == LabelId::Reg     ? "lblreg"
                           : label == LabelId::Punti ? "lblpunti"
                                                     : "lblerrori";
        (label == LabelId::Reg ? lblreg : label == LabelId::Punti ? lblpunti : lblerrori) = text;
        events.push_back({"label", name, text});
    }
    void setCommand2Visible(bool visible) override {
        command2Visible = visible;
        events.push_back({"command2", visible ? "show" : "hide", ""});
    }
    void showBox(const std::string& text, const std::string& title, BoxIcon icon) override {
        events.push_back({"box", text, title, icon});
        if (whileBoxOpen)
            whileBoxOpen(events.back());
        events.push_back({"boxclosed", text, title, icon});
    }
    void suona(const std::string& path) override { events.push_back({"sound", path, ""}); }
    void quit() override {
        ++quits;
        events.push_back({"quit", "", ""});
    }

    std::vector<Event> ofKind(const std::string& kind) const {
        std::vector<Event> out;
        for (const Event& e : events)
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }
    // Index of the first event matching kind and a (empty a matches any), or -1.
    int indexOf(const std::string& kind, const std::string& a = "", std::size_t from = 0) const {
        for (std::size_t i = from; i < events.size(); ++i)
            if (events[i].kind == kind && (a.empty() || events[i].a == a))
                return static_cast<int>(i);
        return -1;
    }
};

// Returns the scripted values in turn and counts reseeds.
class ScriptedRandom : public RandomSource {
public:
    std::vector<double> values;
    std::size_t nextIndex = 0;
    int reseeds = 0;
    std::vector<std::size_t> reseedAt; // value index at each reseed

    void reseedFromClock() override {
        ++reseeds;
        reseedAt.push_back(nextIndex);
    }
    double next() override { return values.at(nextIndex++); }

    // The value that makes floor(r * 29) + 1 equal to this state.
    static double forState(int state) { return (state - 1 + 0.5) / 29.0; }
};

} // namespace brindora::testing
