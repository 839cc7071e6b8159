// The writer's thread owns the file; the window's thread only appends to a buffer and
// wakes it. Every byte of the game stays in memory until the game ends, so that a file that
// disappears can be written again whole into a new one.
#include "results_writer.h"

#include "file_name.h"
#include "hand_over.h"
#include "messages.h"

#include <algorithm>
#include <filesystem>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <set>
#include <vector>

namespace brindora {

struct ResultsWriter::Shared {
    std::mutex mutex;
    std::condition_variable wake;        // new rows, or the end
    std::condition_variable idle;        // the writer has caught up, or tried and failed
    std::string all;                     // the whole file so far
    std::vector<std::size_t> answerEnds; // where each answer's row ends in all
    std::size_t onDisk = 0;              // bytes of it written into the current file
    std::size_t synced = 0;              // of which flushed
    bool needSync = false;
    bool reopen = false; // the file failed: it is opened again and its rows checked
    bool stop = false, giveUp = false;
    bool busy = false; // inside a file-system call
    std::chrono::steady_clock::time_point busySince{};
    std::string path;

    std::mutex reportMutex;
    std::set<std::string> told;
    std::function<void(const std::string&)> report;
    void once(const std::string& reason, const std::string& line) {
        std::lock_guard lock(reportMutex);
        if (told.insert(reason).second)
            report(line);
    }
    bool pending() const { return onDisk < all.size() || needSync || reopen; }
};

namespace {

constexpr int kPredictableNames = 20; // then a name nobody can take beforehand
constexpr int kMostAttempts = 100;

// One turn of the writer's thread: (re)open the file if need be, write what is new, flush.
struct Turn {
    const ResultsWriterSetup& setup;
    std::time_t start;
    int& fd;
    int& attempt;
    std::string path;   // the current file
    std::size_t onDisk; // bytes of all in it
    bool reopen;
    std::size_t written = 0;
    bool synced = false;
    bool changed = false; // another file, or the same opened again: onDisk is what it holds
    std::string reason, line;

    void fail(std::string why, std::string text) {
        reason = std::move(why);
        line = std::move(text);
    }
    void create() {
        int result = -EEXIST;
        for (; attempt <= kMostAttempts && result == -EEXIST; ++attempt) {
            const std::string name = gameFileName(start, setup.place.pc, setup.place.pupil,
                                                  attempt < kPredictableNames ? attempt : 1);
            path =
                inFolder(setup.folder, attempt < kPredictableNames ? name : randomFileName(name));
            result = setup.files->create(path);
        }
        if (result < 0) {
            --attempt;
            path.clear();
            return fail("create " + std::to_string(-result),
                        say(QT_TRANSLATE_NOOP("brindora", "brindora: results: cannot create a "
                                                          "file in \"%1\" (%2): the answers are "
                                                          "kept and written as soon as it can be "
                                                          "done"),
                            {setup.folder, errorText(-result)}));
        }
        fd = result;
        onDisk = 0;
        changed = true;
    }
    void open(const std::string& all) {
        if (reopen && !path.empty()) {
            std::size_t kept = 0;
            const int result = reopenOwn(*setup.files, path, all, kept);
            if (result >= 0) {
                fd = result;
                onDisk = kept;
                reopen = false;
                changed = true;
                return;
            }
            if (result != -ENOENT && result != -EEXIST)
                return fail("reopen " + std::to_string(-result),
                            say(QT_TRANSLATE_NOOP("brindora", "brindora: results: cannot open "
                                                              "\"%1\" again (%2): the answers "
                                                              "are kept and written as soon as it "
                                                              "can be done"),
                                {path, errorText(-result)}));
            path.clear(); // gone or replaced: the whole game into a new file
        }
        reopen = false;
        create();
    }
    void write(const std::string& all) {
        if (fd < 0)
            open(all);
        if (fd < 0)
            return;
        const std::string_view data = std::string_view(all).substr(onDisk);
        int error = data.empty() ? 0 : setup.files->write(fd, data, written);
        const char* call = error ? "write " : "sync ";
        if (error == 0)
            error = setup.files->sync(fd);
        if (error != 0) {
            fail(call + std::to_string(error),
                 say(QT_TRANSLATE_NOOP("brindora", "brindora: results: cannot write \"%1\" (%2): "
                                                   "the answers are kept and written as soon as "
                                                   "it can be done"),
                     {path, errorText(error)}));
            if (setup.files->lost(error)) {
                setup.files->close(fd);
                fd = -1;
                reopen = true; // what reached the file is checked when it opens again
            }
        } else if (setup.files->removed(fd)) {
            fail("removed", say(QT_TRANSLATE_NOOP("brindora", "brindora: results: \"%1\" was "
                                                              "removed: the game is written "
                                                              "again into a new file"),
                                {path}));
            setup.files->close(fd);
            fd = -1;
            path.clear();
            onDisk = 0;
            written = 0;
        } else {
            synced = true;
        }
    }
};

void run(std::shared_ptr<ResultsWriter::Shared> s, const ResultsWriterSetup setup,
         const std::time_t start) {
    // A game an earlier start could not write goes into the folder first.
    if (!setup.pendingFolder.empty())
        handOver(*setup.files, setup.pendingFolder, setup.folder,
                 [&](const std::string& line) { s->once(line, line); });
    int fd = -1, attempt = 1;
    bool failing = false;
    std::unique_lock lock(s->mutex);
    for (;;) {
        if (failing)
            s->wake.wait_for(lock, setup.retry, [&] { return s->giveUp; });
        else
            s->wake.wait(lock, [&] { return s->stop || s->pending(); });
        if (s->giveUp || (!s->pending() && s->stop))
            break;
        if (!s->pending())
            continue;
        const std::string all = s->all;
        Turn turn{setup,     start, fd,    attempt, s->path, s->onDisk,
                  s->reopen, 0,     false, false,   {},      {}};
        s->busy = true;
        s->busySince = setup.steadyNow();
        lock.unlock();

        turn.write(all);

        lock.lock();
        s->busy = false;
        s->path = turn.path;
        s->reopen = turn.reopen;
        s->onDisk = turn.reopen ? s->synced : turn.onDisk + turn.written;
        s->needSync = !turn.synced && !turn.reopen;
        if (turn.synced)
            s->synced = s->onDisk;
        else if (turn.changed)
            s->synced = turn.onDisk;
        failing = !turn.reason.empty();
        if (failing) {
            lock.unlock();
            s->once(turn.reason, turn.line);
            lock.lock();
        }
        s->idle.notify_all();
    }
    if (fd >= 0)
        setup.files->close(fd);
}

void toStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", printable(line).c_str());
    std::fflush(stderr);
}

} // namespace

ResultsWriter::ResultsWriter(ResultsWriterSetup setup)
    : m_setup(std::move(setup)), m_shared(std::make_shared<Shared>()) {
    m_shared->report = m_setup.report ? m_setup.report : toStandardError;
    m_shared->all = gameFileStart(m_setup.mode);
    m_start = m_setup.wallNow();
    m_thread = std::thread(run, m_shared, m_setup, m_start);
}

ResultsWriter::~ResultsWriter() {
    finish();
}

void ResultsWriter::finish() {
    if (m_finished.exchange(true))
        return;
    std::unique_lock lock(m_shared->mutex);
    m_shared->stop = true;
    m_shared->wake.notify_all();
    const bool done =
        m_shared->idle.wait_for(lock, m_setup.finishWait, [this] { return !m_shared->pending(); });
    if (!done)
        m_shared->giveUp = true; // the thread leaves when its call returns, if ever
    const std::string all = m_shared->all;
    const std::size_t safe = m_shared->synced;
    const auto missing = std::count_if(m_shared->answerEnds.begin(), m_shared->answerEnds.end(),
                                       [&](std::size_t end) { return end > safe; });
    std::string name = m_shared->path;
    m_shared->wake.notify_all();
    lock.unlock();
    if (done) {
        m_thread.join();
        return;
    }
    m_thread.detach();
    // What the folder has not got is kept on this PC, whole, for the next start to hand over.
    name = name.empty() ? gameFileName(m_start, m_setup.place.pc, m_setup.place.pupil, 1)
                        : std::filesystem::u8path(name).filename().u8string();
    const std::string copy = m_setup.pendingFolder.empty()
                                 ? std::string()
                                 : keepOnThisPc(m_setup.pendingFolder, m_setup.folder, name, all);
    const std::string folder = m_setup.folder, count = std::to_string(missing);
    if (copy.empty())
        m_shared->report(
            missing == 1
                ? say(QT_TRANSLATE_NOOP("brindora",
                                        "brindora: results: 1 answer of this game could "
                                        "not be written into \"%1\", and no copy could "
                                        "be kept on this PC"),
                      {folder})
                : say(QT_TRANSLATE_NOOP("brindora", "brindora: results: %1 answers of this game "
                                                    "could not be written into \"%2\", and no copy "
                                                    "could be kept on this PC"),
                      {count, folder}));
    else
        m_shared->report(
            missing == 1
                ? say(QT_TRANSLATE_NOOP("brindora",
                                        "brindora: results: 1 answer of this game could not be "
                                        "written into \"%1\"; the whole game is kept in \"%2\" "
                                        "and goes into the folder at the next start, or with "
                                        "--summary"),
                      {folder, copy})
                : say(QT_TRANSLATE_NOOP("brindora",
                                        "brindora: results: %1 answers of this game could not be "
                                        "written into \"%2\"; the whole game is kept in \"%3\" "
                                        "and goes into the folder at the next start, or with "
                                        "--summary"),
                      {count, folder, copy}));
}

void ResultsWriter::add(std::string row, bool answer) {
    if (m_finished)
        return; // the session has ended: the copy is made
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->all += row;
        if (answer)
            m_shared->answerEnds.push_back(m_shared->all.size());
    }
    m_shared->wake.notify_all();
    checkHung();
}

void ResultsWriter::checkHung() {
    bool hung = false;
    {
        std::lock_guard lock(m_shared->mutex);
        hung = m_shared->busy && m_setup.steadyNow() - m_shared->busySince >= m_setup.hungAfter;
    }
    if (hung)
        m_shared->once(
            "hung", say(QT_TRANSLATE_NOOP("brindora", "brindora: results: the folder \"%1\" does "
                                                      "not answer: the answers are kept and "
                                                      "written as soon as it does"),
                        {m_setup.folder}));
}

void ResultsWriter::requested(Counter request, StateNumber) {
    m_request = request;
    m_requestedAt = m_setup.steadyNow();
    checkHung();
}

void ResultsWriter::answered(const Answer& answer) {
    const double seconds =
        answer.request > 0 && answer.request == m_request
            ? std::chrono::duration<double>(m_setup.steadyNow() - m_requestedAt).count()
            : -1.0;
    add(answerRow(localDateTime(m_setup.wallNow()), m_setup.place, answer, seconds), true);
}

void ResultsWriter::ended(GameEnd how) {
    if (m_ended.exchange(true))
        return; // one end row: the game's own, or the session's if it came first
    add(endRow(localDateTime(m_setup.wallNow()), m_setup.place, m_request, how));
}

bool ResultsWriter::waitWritten(std::chrono::milliseconds limit) {
    std::unique_lock lock(m_shared->mutex);
    return m_shared->idle.wait_for(lock, limit,
                                   [this] { return !m_shared->pending() && !m_shared->busy; });
}

std::string ResultsWriter::path() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->path;
}

} // namespace brindora
