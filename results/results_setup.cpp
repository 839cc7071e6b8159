// The results' entry points for main.cpp, all plain functions with no window.
#include "results_setup.h"

#include "class_map.h"
#include "class_summary.h"
#include "summary_page.h"

#include "file_name.h"
#include "file_ops.h"
#include "hand_over.h"
#include "messages.h"
#include "system_info.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

namespace brindora {

namespace {

constexpr const char* kPageName = "riepilogo.html";
constexpr std::chrono::seconds kReviewWait{5};

// Games kept on this PC for a folder that did not take them.
std::string pendingFolder() {
    const std::string data = userDataFolder();
    return data.empty() ? data : inFolder(data, "da-consegnare");
}

// Names from files and folders may hold anything: escaped before the terminal sees them.
void line(const std::string& text) {
    std::fprintf(stderr, "%s\n", printable(text).c_str());
    std::fflush(stderr);
}

} // namespace

std::string resultsFolder(const std::string& given, const ResultsSettings& settings) {
    return given.empty() ? settings.folder : given;
}

std::unique_ptr<ResultsWriter> startResults(const std::string& givenFolder,
                                            const std::string& givenPupil,
                                            const SettingsPlaces& places, const std::string& mode) {
    const ResultsSettings settings = readResultsSettings(places);
    const std::string folder = resultsFolder(givenFolder, settings);
    if (folder.empty())
        return nullptr;
    for (const std::string& problem : settings.problems)
        line(problem);
    ResultsWriterSetup setup;
    setup.folder = folder;
    setup.mode = mode;
    setup.place = {hostName(), pupilName(givenPupil, settings)};
    setup.pendingFolder = pendingFolder();
    return std::make_unique<ResultsWriter>(std::move(setup));
}

PupilQuestion pupilQuestionFor(const std::string& givenFolder, const std::string& givenPupil,
                               const SettingsPlaces& places) {
    const ResultsSettings settings = readResultsSettings(places);
    if (resultsFolder(givenFolder, settings).empty())
        return {};
    return pupilQuestion(givenPupil, settings, loginAccount());
}

std::string writeSummary(const std::string& dir, std::string& error) {
    FileOps files;
    handOver(files, pendingFolder(), dir, line);
    GameFolder folder;
    if (!readGameFolder(dir, folder, error, line))
        return {};
    const ClassSummary summary = summarise(folder);
    const std::string page = summaryPage(summary, dir, encodePng(classMap(summary)));
    const std::string path = inFolder(dir, kPageName);
    const int failure = replaceFile(dir, path, page);
    if (failure == 0)
        return path;
    // Something under the page's name that this user may not replace (a link planted by
    // another user in a sticky folder, a folder): the page goes beside it, under a new name.
    const std::string beside = inFolder(dir, randomFileName(kPageName));
    if (replaceFile(dir, beside, page) != 0) {
        error = say(QT_TRANSLATE_NOOP("brindora", "cannot write \"%1\" (%2)"),
                    {path, errorText(failure)});
        return {};
    }
    line(say(QT_TRANSLATE_NOOP("brindora", "brindora: summary: cannot replace \"%1\" (%2): the "
                                           "summary is in \"%3\""),
             {path, errorText(failure), beside}));
    return beside;
}

int runSummary(const std::string& dir) {
    std::string error;
    const std::string path = writeSummary(dir, error);
    if (path.empty()) {
        line(say(QT_TRANSLATE_NOOP("brindora", "brindora: summary: %1"), {error}));
        return EXIT_FAILURE;
    }
    std::printf("%s\n", path.c_str());
    return EXIT_SUCCESS;
}

int openSummary(const std::string& givenFolder, const SettingsPlaces& places) {
    const std::string folder = resultsFolder(givenFolder, readResultsSettings(places));
    if (folder.empty()) {
        line(say(QT_TRANSLATE_NOOP("brindora", "brindora: summary: no results folder: give "
                                               "--results FOLDER, or set folder= under "
                                               "[results] in brindora.conf")));
        return EXIT_FAILURE;
    }
    std::string error;
    const std::string path = writeSummary(folder, error);
    if (path.empty()) {
        line(say(QT_TRANSLATE_NOOP("brindora", "brindora: summary: %1"), {error}));
        return EXIT_FAILURE;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    std::string detail;
    if (openInBrowser(path, detail) != 0) {
        line(say(QT_TRANSLATE_NOOP("brindora", "brindora: summary: %1: open \"%2\" in a browser"),
                 {detail, path}));
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

std::vector<StateNumber> reviewStates(const std::string& dir, const std::string& givenPupil,
                                      const std::vector<StateNumber>& chosen,
                                      const SettingsPlaces& places) {
    const std::string pupil = pupilName(givenPupil, readResultsSettings(places));
    // Read on a thread of its own: a share that hangs does not hold the window back.
    struct Read {
        GameFolder folder;
        std::string error;
        bool ok = false;
    };
    auto read = std::make_shared<Read>();
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([read, done, dir] {
        read->ok = readGameFolder(dir, read->folder, read->error, line);
        done->set_value();
    }).detach();
    if (finished.wait_for(kReviewWait) != std::future_status::ready) {
        line(say(QT_TRANSLATE_NOOP("brindora", "brindora: review: the folder \"%1\" does not "
                                               "answer: the full game"),
                 {dir}));
        return {};
    }
    const GameFolder& folder = read->folder;
    const std::string& error = read->error;
    if (!read->ok) {
        line(say(QT_TRANSLATE_NOOP("brindora", "brindora: review: %1: the full game"), {error}));
        return {};
    }
    std::vector<StateNumber> missed = missedAtFirstClick(folder, pupil);
    const bool played = std::any_of(folder.games.begin(), folder.games.end(), [&](const auto& g) {
        return pupilKey(g.place.pupil) == pupilKey(pupil);
    });
    if (!played) {
        line(say(QT_TRANSLATE_NOOP("brindora", "brindora: review: no game of %1 in \"%2\": the "
                                               "full game"),
                 {pupil, dir}));
        return {};
    }
    if (missed.empty()) {
        line(say(QT_TRANSLATE_NOOP("brindora", "brindora: review: %1 found every state at the "
                                               "first click in \"%2\": nothing to review, the "
                                               "full game"),
                 {pupil, dir}));
        return {};
    }
    if (!chosen.empty()) {
        std::vector<StateNumber> both;
        for (const StateNumber s : missed)
            if (std::find(chosen.begin(), chosen.end(), s) != chosen.end())
                both.push_back(s);
        if (both.empty())
            line(say(QT_TRANSLATE_NOOP("brindora", "brindora: review: none of the states %1 "
                                                   "missed in \"%2\" is among the chosen states: "
                                                   "the chosen states"),
                     {pupil, dir}));
        return both;
    }
    return missed;
}

} // namespace brindora
