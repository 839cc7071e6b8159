// A request's first click decides whether the state was found at once; later clicks on the
// same request only add errors and confusions.
#include "class_summary.h"

#include <algorithm>
#include <array>
#include <map>

namespace brindora {

namespace {

struct RequestClick {
    StateNumber asked;
    bool firstRight;
    bool found;
};

// The requests of one game that got a click, in order.
std::vector<RequestClick> requests(const GameRecord& game) {
    std::vector<RequestClick> out;
    Counter current = -1;
    for (const ReadAnswer& a : game.answers) {
        if (a.asked == 0)
            continue;
        if (a.request != current) {
            current = a.request;
            out.push_back({a.asked, a.right, false});
        }
        out.back().found = out.back().found || a.right;
    }
    return out;
}

} // namespace

ClassSummary summarise(const GameFolder& folder) {
    ClassSummary summary;
    summary.filesRead = static_cast<int>(folder.games.size());
    summary.skipped = folder.skipped;
    summary.partial = folder.partial;
    std::map<std::string, PupilSummary> pupils;
    std::array<StateSummary, kStateCount + 1> states{};
    std::array<std::array<int, kStateCount + 1>, kStateCount + 1> confusions{};

    for (const GameRecord& game : folder.games) {
        if (game.firstTime.empty())
            continue; // made, then closed before any row
        ++summary.games;
        summary.unfinished += !game.end;
        if (summary.firstTime.empty() || game.firstTime < summary.firstTime)
            summary.firstTime = game.firstTime;
        summary.lastTime = std::max(summary.lastTime, game.lastTime);

        // A review asks what the pupil got wrong, a lesson only some states: either would
        // skew what the class finds hard.
        const bool fullGame = game.mode.empty();
        summary.apart += !fullGame;
        Counter found = 0, errors = 0;
        for (const RequestClick& r : requests(game)) {
            found += r.found;
            if (fullGame) {
                ++states[r.asked].asked;
                states[r.asked].firstClick += r.firstRight;
            }
        }
        for (const ReadAnswer& a : game.answers) {
            errors += !a.right;
            if (fullGame && !a.right && a.asked != 0)
                ++confusions[a.asked][a.clicked];
        }
        PupilSummary& p = pupils[pupilKey(game.place.pupil)];
        if (p.games == 0)
            p.name = game.place.pupil;
        ++p.games;
        p.unfinished += !game.end;
        p.found += found;
        p.windowRight += game.windowRight();
        p.errors += errors;
        if (p.games == 1 || found > p.bestFound ||
            (found == p.bestFound && errors < p.bestErrors)) {
            p.bestFound = found;
            p.bestErrors = errors;
            p.bestTime = game.firstTime;
        }
        p.lastPlayed = std::max(p.lastPlayed, game.lastTime);
    }

    for (auto& [key, pupil] : pupils)
        summary.pupils.push_back(pupil);
    for (const StateRow& row : catalogo) {
        if (!row.drawn)
            continue;
        StateSummary s = states[row.number];
        s.state = row.number;
        for (StateNumber other = 1; other <= kStateCount; ++other)
            if (const int times = confusions[row.number][other])
                s.confused.push_back({other, times});
        std::stable_sort(s.confused.begin(), s.confused.end(),
                         [](const Confusion& a, const Confusion& b) { return a.times > b.times; });
        summary.states.push_back(s);
    }
    return summary;
}

std::vector<StateNumber> missedAtFirstClick(const GameFolder& folder, const std::string& pupil) {
    std::array<bool, kStateCount + 1> missed{};
    const std::string key = pupilKey(pupil);
    for (const GameRecord& game : folder.games) {
        if (pupilKey(game.place.pupil) != key)
            continue;
        for (const RequestClick& r : requests(game))
            missed[r.asked] = missed[r.asked] || !r.firstRight;
    }
    std::vector<StateNumber> out;
    for (StateNumber s = 1; s <= kStateCount; ++s)
        if (missed[s])
            out.push_back(s);
    return out;
}

} // namespace brindora
