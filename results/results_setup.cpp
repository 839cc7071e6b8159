// The results' entry points for main.cpp, all plain functions with no window.
#include "results_setup.h"

#include "class_map.h"
#include "class_summary.h"
#include "summary_page.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brindora {

namespace {

constexpr const char* kPageName = "riepilogo.html";

void line(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0')
        return "pc";
    return name;
}

// Written beside, then renamed into place: a link planted under the page's name is
// replaced, never followed, and a reader never sees half a page.
bool writeWhole(const std::string& dir, const std::string& path, const std::string& text,
                std::string& error) {
    std::string temporary = dir + "/.riepilogo-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = "cannot write in \"" + dir + "\" (" + std::strerror(errno) + ")";
        return false;
    }
    std::size_t done = 0;
    int failure = 0;
    while (done < text.size() && failure == 0) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (errno != EINTR)
            failure = errno;
    }
    if (failure == 0 && (fchmod(fd, 0644) != 0 || fsync(fd) != 0))
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && std::rename(temporary.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temporary.c_str());
        error = "cannot write \"" + path + "\" (" + std::strerror(failure) + ")";
        return false;
    }
    return true;
}

} // namespace

std::string resultsFolder(const std::string& given, const ResultsSettings& settings) {
    return given.empty() ? settings.folder : given;
}

std::unique_ptr<ResultsWriter> startResults(const std::string& givenFolder,
                                            const std::string& givenPupil,
                                            const SettingsPlaces& places) {
    const ResultsSettings settings = readResultsSettings(places);
    const std::string folder = resultsFolder(givenFolder, settings);
    if (folder.empty())
        return nullptr;
    ResultsWriterSetup setup;
    setup.folder = folder;
    setup.place = {hostName(), pupilName(givenPupil, settings)};
    return std::make_unique<ResultsWriter>(std::move(setup));
}

std::string writeSummary(const std::string& dir, std::string& error) {
    GameFolder folder;
    if (!readGameFolder(dir, folder, error, line))
        return {};
    const ClassSummary summary = summarise(folder);
    const std::string page = summaryPage(summary, dir, encodePng(classMap(summary)));
    const std::string path = dir + "/" + kPageName;
    return writeWhole(dir, path, page, error) ? path : std::string();
}

int runSummary(const std::string& dir) {
    std::string error;
    const std::string path = writeSummary(dir, error);
    if (path.empty()) {
        line("brindora: summary: " + error);
        return EXIT_FAILURE;
    }
    std::printf("%s\n", path.c_str());
    return EXIT_SUCCESS;
}

int openSummary(const std::string& givenFolder, const SettingsPlaces& places) {
    const std::string folder = resultsFolder(givenFolder, readResultsSettings(places));
    if (folder.empty()) {
        line("brindora: summary: no results folder: give --results FOLDER, or set folder= "
             "under [results] in brindora.conf");
        return EXIT_FAILURE;
    }
    std::string error;
    const std::string path = writeSummary(folder, error);
    if (path.empty()) {
        line("brindora: summary: " + error);
        return EXIT_FAILURE;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    std::string program = "xdg-open", argument = path;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t child = 0;
    int status = 0;
    if (const int failed = posix_spawnp(&child, argv[0], nullptr, nullptr, argv, environ)) {
        line("brindora: summary: cannot start xdg-open (" + std::string(std::strerror(failed)) +
             "): open \"" + path + "\" in a browser");
        return EXIT_FAILURE;
    }
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        line("brindora: summary: xdg-open could not open \"" + path + "\"");
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

std::vector<StateNumber> reviewStates(const std::string& dir, const std::string& givenPupil,
                                      const std::vector<StateNumber>& chosen,
                                      const SettingsPlaces& places) {
    const std::string pupil = pupilName(givenPupil, readResultsSettings(places));
    GameFolder folder;
    std::string error;
    if (!readGameFolder(dir, folder, error, line)) {
        line("brindora: review: " + error + ": the full game");
        return {};
    }
    std::vector<StateNumber> missed = missedAtFirstClick(folder, pupil);
    if (missed.empty()) {
        line("brindora: review: " + pupil + " missed no state at the first click in \"" + dir +
             "\": the full game");
        return {};
    }
    if (!chosen.empty()) {
        std::vector<StateNumber> both;
        for (const StateNumber s : missed)
            if (std::find(chosen.begin(), chosen.end(), s) != chosen.end())
                both.push_back(s);
        if (both.empty())
            line("brindora: review: none of the states " + pupil + " missed in \"" + dir +
                 "\" is among the chosen states: the chosen states");
        return both;
    }
    return missed;
}

} // namespace brindora
