// One game written into a results folder while the share under it fails: 5 answers, then
// the hook (which freezes or restarts the server), then 35 more, one a second, and EXIT.
// Prints the answers in the folder's game file at the end; with "hand-over" instead of a
// hook, hands over the copies kept on this PC and prints them again.
// Usage: bench_share FOLDER PENDING_FOLDER (HOOK_COMMAND | hand-over)
#include "game_file.h"
#include "hand_over.h"
#include "results_writer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

using namespace brindora;

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const std::string folder = argv[1], pending = argv[2], hook = argv[3];
    constexpr int kGiven = 40;
    const bool play = hook != "hand-over";
    if (play) {
        ResultsWriterSetup setup;
        setup.folder = folder;
        setup.pendingFolder = pending;
        setup.place = {"LAB-07", "Anna"};
        ResultsWriter writer(setup);
        for (int n = 1; n <= kGiven; ++n) {
            if (n == 6 && std::system(hook.c_str()) != 0)
                return 3;
            writer.requested(n, 1);
            writer.answered({n, 1, 1, "", true});
            std::this_thread::sleep_for(std::chrono::milliseconds(n <= 5 ? 100 : 1000));
        }
        writer.ended(GameEnd::Exit);
        const auto before = std::chrono::steady_clock::now();
        writer.finish();
        std::printf(
            "leaving took %.1f s\n",
            std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count());
    } else {
        FileOps files;
        handOver(files, pending, folder,
                 [](const std::string& l) { std::printf("%s\n", l.c_str()); });
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const ReadResult read = readGameFile(text.str());
        std::printf("%s: %zu of %d answers kept, end row: %s\n", entry.path().filename().c_str(),
                    read.record.answers.size(), kGiven, read.record.end ? "yes" : "no");
    }
}
