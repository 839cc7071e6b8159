// The class summary of a busy year: 1,000 game files of 30 answers each, by 25 pupils, read
// and summarised into riepilogo.html (map included). Prints the best and the median of runs.
#include "file_name.h"
#include "game_file.h"
#include "results_setup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace brindora;

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 7;
    std::string dir = (std::filesystem::temp_directory_path() / "brindora-bench-XXXXXX").string();
    if (!mkdtemp(dir.data()))
        return 1;
    std::mt19937 random(19);
    std::vector<StateNumber> drawn;
    for (const StateRow& row : catalogo)
        if (row.drawn)
            drawn.push_back(row.number);
    const std::time_t start = 1741939200; // a school morning in March 2025
    for (int game = 0; game < 1000; ++game) {
        const GamePlace place{"LAB-" + std::to_string(game % 30),
                              "Alunno " + std::to_string(game % 25)};
        const std::time_t at = start + game * 600;
        std::string text = gameFileStart();
        Counter request = 1;
        StateNumber asked = drawn[random() % drawn.size()];
        for (int answer = 0; answer < 30; ++answer) {
            const bool right = random() % 3 != 0;
            const StateNumber clicked = right ? asked : drawn[random() % drawn.size()];
            text += answerRow(localDateTime(at + answer * 5), place,
                              {request, asked, clicked, "Questa è un'altra nazione", right},
                              double(random() % 90) / 10);
            if (right) {
                ++request;
                asked = drawn[random() % drawn.size()];
            }
        }
        text += endRow(localDateTime(at + 200), place, request, GameEnd::Exit);
        std::ofstream(dir + "/" + gameFileName(at, place.pc, place.pupil, 1), std::ios::binary)
            << text;
    }
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        std::string error;
        if (writeSummary(dir, error).empty()) {
            std::fprintf(stderr, "summary failed: %s\n", error.c_str());
            return 1;
        }
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("summary of 1000 game files x 30 answers (25 pupils): best %.0f ms, median %.0f ms "
                "over %d runs\n",
                ms.front(), ms[ms.size() / 2], runs);
    std::filesystem::remove_all(dir);
    return ms[ms.size() / 2] <= 1000 ? 0 : 2;
}
