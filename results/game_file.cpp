// The game file's layout, one row per answer and a last row for the end, in Italian as the
// teacher's spreadsheet shows it.
#include "game_file.h"

#include "csv.h"
#include "file_name.h"
#include "messages.h"
#include "system_info.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace brindora {

namespace {

constexpr const char* kTitle = "Brindora";
constexpr const char* kFormat = "formato ";
// An array, not a vector: other files' static tables may be built from it before this one's
// constructors would have run.
constexpr std::array<std::string_view, 9> kColumns = {"Data e ora",
                                                      "PC",
                                                      "Alunno",
                                                      "Richiesta",
                                                      "Stato chiesto",
                                                      "Stato cliccato",
                                                      "Testo della regione",
                                                      "Esito",
                                                      "Secondi dalla richiesta"};
enum Column { When, Pc, Pupil, Request, Asked, Clicked, RegionText, Outcome, Seconds };

constexpr const char* kRight = "giusto";
constexpr const char* kWrong = "sbagliato";
struct EndText {
    GameEnd how;
    const char* text;
};
const std::array<EndText, 3> kEnds = {{{GameEnd::TooManyErrors, "fine: 20 errori"},
                                       {GameEnd::Exit, "fine: EXIT"},
                                       {GameEnd::WindowClosed, "fine: finestra chiusa"}}};

std::string stateName(StateNumber state) {
    const StateRow* row = lookupState(state);
    return row ? std::string(row->name) : state == 0 ? "" : std::to_string(state);
}

// -1 for a name that is no state of the catalogue; 0 for none.
int stateNumber(const std::string& name) {
    if (name.empty())
        return 0;
    for (const StateRow& row : catalogo)
        if (row.name == name)
            return row.number;
    return -1;
}

bool number(const std::string& text, Counter& out) {
    if (text.empty() || text.size() > 18 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = std::strtoll(text.c_str(), nullptr, 10);
    return true;
}

bool shaped(std::string_view text, std::string_view shape) {
    if (text.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '0' ? (text[i] < '0' || text[i] > '9') : text[i] != shape[i])
            return false;
    return true;
}

// The date and time as the game writes it; a spreadsheet's Italian "14/03/2025 10:22:05"
// (or without seconds) is turned back into it. False for anything else.
bool dateTime(std::string& text) {
    if (shaped(text, "0000-00-00 00:00:00"))
        return true;
    const bool seconds = shaped(text, "00/00/0000 00:00:00");
    if (!seconds && !shaped(text, "00/00/0000 00:00"))
        return false;
    text = text.substr(6, 4) + "-" + text.substr(3, 2) + "-" + text.substr(0, 2) + " " +
           text.substr(11, 5) + (seconds ? text.substr(16, 3) : std::string(":00"));
    return true;
}

// A spreadsheet adds empty cells up to the widest row, and may drop the last empty one.
void fitRow(std::vector<std::string>& cells, std::size_t width) {
    while (cells.size() > width && cells.back().empty())
        cells.pop_back();
    if (cells.size() + 1 == width)
        cells.emplace_back();
}

// Which separator makes the first line a title row; 0 when neither does.
char separatorOf(std::string_view text) {
    const std::string_view first = text.substr(0, text.find('\n') + 1);
    for (const char separator : {';', ','}) {
        std::vector<std::string> cells;
        csv::RowReader reader(first, separator);
        if (reader.next(cells) && cells.size() >= 2 && cells[0] == kTitle &&
            cells[1].rfind(kFormat, 0) == 0)
            return separator;
    }
    return 0;
}

ReadResult problem(ReadProblem what, std::string detail) {
    ReadResult result;
    result.problem = what;
    result.detail = std::move(detail);
    return result;
}

} // namespace

std::string gameMode(bool review, const std::vector<StateNumber>& chosen) {
    if (review)
        return kReviewMode;
    if (chosen.empty())
        return {};
    std::string mode = kChosenMode;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        mode += (i ? ", " : "") + stateName(chosen[i]);
    return mode;
}

std::string gameFileStart(const std::string& mode) {
    std::vector<std::string> title = {kTitle, kFormat + std::to_string(kGameFileFormat)};
    if (!mode.empty())
        title.push_back(mode);
    return std::string(csv::kBom) + csv::row(title) +
           csv::row(std::vector<std::string>(kColumns.begin(), kColumns.end()));
}

std::string localDateTime(std::time_t when) {
    const std::tm local = localTime(when);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string answerRow(const std::string& dateTime, const GamePlace& place, const Answer& answer,
                      double seconds) {
    std::string time;
    if (seconds >= 0) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", seconds);
        time = text;
        time.replace(time.find('.'), 1, ","); // the decimal comma of an Italian spreadsheet,
        // quoted (the comma does it) so that an import that also splits at commas keeps it
    }
    return csv::row({dateTime, place.pc, place.pupil, std::to_string(answer.request),
                     stateName(answer.asked), stateName(answer.clicked), answer.regionText,
                     answer.right ? kRight : kWrong, time});
}

std::string endRow(const std::string& dateTime, const GamePlace& place, Counter request,
                   GameEnd how) {
    std::string text;
    for (const EndText& end : kEnds)
        if (end.how == how)
            text = end.text;
    return csv::row(
        {dateTime, place.pc, place.pupil, std::to_string(request), "", "", "", text, ""});
}

ReadResult readGameFile(std::string_view original) {
    const std::string start = gameFileStart();
    if (original.size() < start.size() && start.compare(0, original.size(), original) == 0)
        return problem(ReadProblem::Truncated,
                       say(QT_TRANSLATE_NOOP("brindora", "it ends before its column names")));
    std::string_view text = original;
    if (text.substr(0, csv::kBom.size()) == csv::kBom)
        text.remove_prefix(csv::kBom.size());
    // The title row first, alone: nothing else is read from a file that is not a game's.
    const char separator = separatorOf(text.substr(0, 4096));
    if (separator == 0)
        return problem(ReadProblem::NotGameFile,
                       say(QT_TRANSLATE_NOOP("brindora", "it is not a game file of Brindora")));
    std::string recoded;
    if (!validUtf8(text)) { // saved by a spreadsheet in the Windows code page
        recoded = utf8FromWindows1252(text);
        text = recoded;
    }
    csv::RowReader reader(text, separator);
    std::vector<std::string> cells;
    reader.next(cells);
    Counter format = 0;
    if (!number(cells[1].substr(std::string_view(kFormat).size()), format) || format < 1)
        return problem(ReadProblem::NotGameFile,
                       say(QT_TRANSLATE_NOOP("brindora", "its format is unknown")));
    if (format > kGameFileFormat)
        return problem(
            ReadProblem::Newer,
            say(QT_TRANSLATE_NOOP("brindora", "it was written by a newer version of Brindora (%1)"),
                {cells[1]}));
    ReadResult result;
    GameRecord& record = result.record;
    if (cells.size() >= 3)
        record.mode = csv::undefuse(cells[2]);
    if (!reader.next(cells))
        return problem(ReadProblem::Truncated,
                       say(QT_TRANSLATE_NOOP("brindora", "it ends before its column names")));
    fitRow(cells, kColumns.size());
    if (!std::equal(cells.begin(), cells.end(), kColumns.begin(), kColumns.end()))
        return problem(
            ReadProblem::NotGameFile,
            say(QT_TRANSLATE_NOOP("brindora", "its column names are not a game file's")));

    while (reader.next(cells)) {
        const std::string row = std::to_string(reader.row());
        fitRow(cells, kColumns.size());
        if (cells.size() != kColumns.size())
            return problem(
                ReadProblem::NotGameFile,
                say(QT_TRANSLATE_NOOP("brindora", "row %1 does not have 9 cells"), {row}));
        if (!dateTime(cells[When]))
            return problem(
                ReadProblem::NotGameFile,
                say(QT_TRANSLATE_NOOP("brindora", "row %1 has no date and time"), {row}));
        if (record.firstTime.empty()) {
            record.firstTime = cells[When];
            record.place = {csv::undefuse(cells[Pc]), csv::undefuse(cells[Pupil])};
        }
        record.lastTime = std::max(record.lastTime, cells[When]);
        record.firstTime = std::min(record.firstTime, cells[When]);
        ReadAnswer answer;
        answer.dateTime = cells[When];
        const int asked = stateNumber(cells[Asked]), clicked = stateNumber(cells[Clicked]);
        if (!number(cells[Request], answer.request))
            return problem(
                ReadProblem::NotGameFile,
                say(QT_TRANSLATE_NOOP("brindora", "row %1 has no request number"), {row}));
        record.requests = std::max(record.requests, answer.request);
        bool isEnd = false;
        for (const EndText& end : kEnds)
            if (cells[Outcome] == end.text) {
                record.end = end.how;
                isEnd = true;
            }
        if (isEnd)
            continue;
        if (cells[Outcome] != kRight && cells[Outcome] != kWrong)
            return problem(
                ReadProblem::NotGameFile,
                say(QT_TRANSLATE_NOOP("brindora", "row %1 says neither right nor wrong"), {row}));
        if (asked < 0 || clicked <= 0)
            return problem(
                ReadProblem::NotGameFile,
                say(QT_TRANSLATE_NOOP("brindora", "row %1 names a state the game does not know"),
                    {row}));
        answer.asked = static_cast<StateNumber>(asked);
        answer.clicked = static_cast<StateNumber>(clicked);
        answer.right = cells[Outcome] == kRight;
        record.answers.push_back(answer);
    }
    if (reader.cutShort()) {
        result.problem = ReadProblem::LastRowCut;
        result.detail = say(QT_TRANSLATE_NOOP(
            "brindora", "its last row is cut in the middle: read up to the row before"));
    }
    return result;
}

} // namespace brindora
