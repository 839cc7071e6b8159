// Writes the game into its own new file in the results folder, row by row as it is played,
// on a thread of its own: the window never waits for the folder, however slow or gone it is.
#pragma once

#include "file_ops.h"
#include "game_file.h"
#include "game_observer.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace brindora {

struct ResultsWriterSetup {
    std::string folder;
    GamePlace place;
    std::string mode; // gameMode(): empty for the full game
    std::shared_ptr<FileOps> files = std::make_shared<FileOps>();
    std::function<std::chrono::steady_clock::time_point()> steadyNow = [] {
        return std::chrono::steady_clock::now();
    };
    std::function<std::time_t()> wallNow = [] { return std::time(nullptr); };
    // One line per reason, without its newline; default: standard error.
    std::function<void(const std::string&)> report;
    std::chrono::milliseconds retry{500};       // after a failure, the next try
    std::chrono::milliseconds hungAfter{2000};  // a call this long unanswered: the folder hangs
    std::chrono::milliseconds finishWait{3000}; // at the end, for the last rows
    // Where the game is kept on this PC when the folder has not taken it all by the end;
    // empty: nowhere.
    std::string pendingFolder;
};

class ResultsWriter : public GameObserver {
public:
    explicit ResultsWriter(ResultsWriterSetup setup);
    ~ResultsWriter() override; // finish()
    // Waits finishWait at most for rows not yet written; then keeps the game on this PC and
    // says how many answers the folder is missing. Once; the writer takes no rows after it.
    void finish();
    ResultsWriter(const ResultsWriter&) = delete;
    ResultsWriter& operator=(const ResultsWriter&) = delete;

    void requested(Counter request, StateNumber state) override;
    void answered(const Answer& answer) override;
    void ended(GameEnd how) override; // the first end only

    // Waits (at most limit) until every row so far is written and flushed.
    bool waitWritten(std::chrono::milliseconds limit);
    std::string path() const; // the game's file, once made

    struct Shared;

private:
    void add(std::string row, bool answer = false);
    void checkHung();

    ResultsWriterSetup m_setup;
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
    std::time_t m_start = 0;
    std::atomic<bool> m_ended{false}, m_finished{false};
    std::chrono::steady_clock::time_point m_requestedAt{};
    Counter m_request = 0;
};

} // namespace brindora
