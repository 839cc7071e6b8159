// The game-file reader on any bytes, and what follows it for a teacher: the summary and its
// page, and the escaping of every name for a terminal.
#include "class_summary.h"
#include "file_name.h"
#include "game_file.h"
#include "summary_page.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brindora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReadResult read = readGameFile(text);
    GameFolder folder;
    read.record.file = std::string(text.substr(0, 64));
    if (read.problem == ReadProblem::None || read.problem == ReadProblem::LastRowCut)
        folder.games.push_back(read.record);
    else
        folder.skipped.push_back({read.record.file, read.detail, "x"});
    const ClassSummary summary = summarise(folder);
    const std::string page = summaryPage(summary, read.record.place.pupil, {});
    missedAtFirstClick(folder, read.record.place.pupil);
    if (page.empty() ||
        printable(read.detail + read.record.place.pc).find('\n') != std::string::npos)
        __builtin_trap();
    return 0;
}
