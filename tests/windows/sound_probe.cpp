// What the Windows sound cases run under Wine: the game's own suona on each file named, in
// turn, with a pause before the next (--wait MS), then a last pause before it leaves. The
// reasons for silence go to standard error, one line each, as in the game.
#include "sound_player.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    brindora::SoundPlayer player([](const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
    });
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--wait" && i + 1 < argc) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[++i])));
            continue;
        }
        const auto before = std::chrono::steady_clock::now();
        player.suona(arg);
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - before);
        std::printf("suona %s returned after %lld ms\n", arg.c_str(), (long long)took.count());
        std::fflush(stdout);
    }
    return 0;
}
