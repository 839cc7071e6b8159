// The writer's thread owns the file; the window's thread only appends to a buffer and
// wakes it. Every byte of the game stays in memory until the game ends, so that a file that
// disappears can be written again whole into a new one.
#include "results_writer.h"

#include "file_name.h"

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <set>

namespace brindora {

struct ResultsWriter::Shared {
    std::mutex mutex;
    std::condition_variable wake; // new rows, or the end
    std::condition_variable idle; // the writer has caught up, or tried and failed
    std::string all;              // the whole file so far
    std::size_t onDisk = 0;       // bytes of it written (and flushed) into the current file
    bool needSync = false;
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
};

namespace {

constexpr int kMostAttempts = 1000; // names tried in one second by one PC and pupil

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

void run(std::shared_ptr<ResultsWriter::Shared> s, const ResultsWriterSetup setup,
         const std::time_t start) {
    const std::string kept = ": the answers are kept and written as soon as it can be done";
    int fd = -1, attempt = 1;
    bool failing = false;
    std::unique_lock lock(s->mutex);
    for (;;) {
        const auto pending = [&] { return s->onDisk < s->all.size() || s->needSync; };
        if (failing)
            s->wake.wait_for(lock, setup.retry, [&] { return s->giveUp; });
        else
            s->wake.wait(lock, [&] { return s->stop || pending(); });
        if (s->giveUp || (!pending() && s->stop))
            break;
        if (!pending())
            continue;
        const std::string data = s->all.substr(s->onDisk);
        const bool syncOnly = data.empty();
        s->busy = true;
        s->busySince = setup.steadyNow();
        lock.unlock();

        std::string reason, line, path;
        std::size_t written = 0;
        bool lost = false;
        if (fd < 0) {
            int result = -EEXIST;
            for (; attempt <= kMostAttempts && result == -EEXIST; ++attempt) {
                path = inFolder(setup.folder,
                                gameFileName(start, setup.place.pc, setup.place.pupil, attempt));
                result = setup.files->create(path);
            }
            --attempt;
            if (result >= 0) {
                fd = result;
                ++attempt; // a file made again after a removal takes the next name
            } else {
                reason = "create " + std::to_string(-result);
                line = "cannot create a file in " + quoted(setup.folder) + " (" +
                       errorText(-result) + ")" + kept;
                path.clear();
            }
        }
        if (fd >= 0) {
            int error = syncOnly ? 0 : setup.files->write(fd, data, written);
            if (error == 0)
                error = setup.files->sync(fd);
            else
                reason = "write ";
            if (error != 0 && reason.empty())
                reason = "sync ";
            if (error != 0) {
                reason += std::to_string(error);
                line = "cannot write " + quoted(path.empty() ? s->path : path) + " (" +
                       errorText(error) + ")" + kept;
                lost = setup.files->lost(error);
            } else if (setup.files->removed(fd)) {
                reason = "removed";
                line = quoted(path.empty() ? s->path : path) +
                       " was removed: the game is written again into a new file";
                lost = true;
            }
            if (lost) {
                setup.files->close(fd);
                fd = -1;
            }
        }

        lock.lock();
        s->busy = false;
        if (!path.empty())
            s->path = path;
        s->onDisk += written;
        s->needSync = fd >= 0 && !reason.empty();
        if (lost) {
            s->onDisk = 0; // everything again, into the next file
            s->needSync = false;
        }
        failing = !reason.empty();
        if (failing) {
            lock.unlock();
            s->once(reason, "brindora: results: " + line);
            lock.lock();
        }
        s->idle.notify_all();
    }
    if (fd >= 0)
        setup.files->close(fd);
}

void toStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

} // namespace

ResultsWriter::ResultsWriter(ResultsWriterSetup setup)
    : m_setup(std::move(setup)), m_shared(std::make_shared<Shared>()) {
    m_shared->report = m_setup.report ? m_setup.report : toStandardError;
    m_shared->all = gameFileStart();
    m_thread = std::thread(run, m_shared, m_setup, m_setup.wallNow());
}

ResultsWriter::~ResultsWriter() {
    std::unique_lock lock(m_shared->mutex);
    m_shared->stop = true;
    m_shared->wake.notify_all();
    const bool done = m_shared->idle.wait_for(lock, m_setup.finishWait, [this] {
        return m_shared->onDisk == m_shared->all.size() && !m_shared->needSync;
    });
    if (!done)
        m_shared->giveUp = true; // the thread leaves when its call returns, if ever
    m_shared->wake.notify_all();
    lock.unlock();
    if (done)
        m_thread.join();
    else
        m_thread.detach();
}

void ResultsWriter::add(std::string row) {
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->all += row;
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
        m_shared->once("hung", "brindora: results: the folder \"" + m_setup.folder +
                                   "\" does not answer: the answers are kept and written as "
                                   "soon as it does");
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
    add(answerRow(localDateTime(m_setup.wallNow()), m_setup.place, answer, seconds));
}

void ResultsWriter::ended(GameEnd how) {
    add(endRow(localDateTime(m_setup.wallNow()), m_setup.place, m_request, how));
}

bool ResultsWriter::waitWritten(std::chrono::milliseconds limit) {
    std::unique_lock lock(m_shared->mutex);
    return m_shared->idle.wait_for(lock, limit, [this] {
        return m_shared->onDisk == m_shared->all.size() && !m_shared->needSync && !m_shared->busy;
    });
}

std::string ResultsWriter::path() const {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->path;
}

} // namespace brindora
