// The game file's layout, one row per answer and a last row for the end, in Italian as the
// teacher's spreadsheet shows it.
#include "game_file.h"

#include "csv.h"
#include "system_info.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace brindora {

namespace {

constexpr const char* kTitle = "Brindora";
constexpr const char* kFormat = "formato ";
const std::vector<std::string> kColumns = {"Data e ora",
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

bool dateTime(const std::string& text) {
    constexpr std::string_view shape = "0000-00-00 00:00:00";
    if (text.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '0' ? (text[i] < '0' || text[i] > '9') : text[i] != shape[i])
            return false;
    return true;
}

ReadResult problem(ReadProblem what, std::string detail) {
    ReadResult result;
    result.problem = what;
    result.detail = std::move(detail);
    return result;
}

} // namespace

std::string gameFileStart() {
    return std::string(csv::kBom) + csv::row({kTitle, kFormat + std::to_string(kGameFileFormat)}) +
           csv::row(kColumns);
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
        time.replace(time.find('.'), 1, ","); // the decimal comma of an Italian spreadsheet
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

ReadResult readGameFile(std::string_view text) {
    const std::string start = gameFileStart();
    if (text.size() < start.size() && start.compare(0, text.size(), text) == 0)
        return problem(ReadProblem::Truncated, "it ends before its column names");
    if (text.substr(0, csv::kBom.size()) != csv::kBom)
        return problem(ReadProblem::NotGameFile, "it is not a game file of Brindora");
    const csv::Table table = csv::parse(text.substr(csv::kBom.size()));
    const auto& rows = table.rows;
    if (rows.empty() || rows[0].size() < 2 || rows[0][0] != kTitle ||
        rows[0][1].rfind(kFormat, 0) != 0)
        return problem(ReadProblem::NotGameFile, "it is not a game file of Brindora");
    Counter format = 0;
    if (!number(rows[0][1].substr(std::string_view(kFormat).size()), format) || format < 1)
        return problem(ReadProblem::NotGameFile, "its format is unknown");
    if (format > kGameFileFormat)
        return problem(ReadProblem::Newer,
                       "it was written by a newer version of Brindora (" + rows[0][1] + ")");
    if (rows.size() < 2)
        return problem(ReadProblem::Truncated, "it ends before its column names");
    if (rows[1] != kColumns)
        return problem(ReadProblem::NotGameFile, "its column names are not a game file's");

    ReadResult result;
    GameRecord& record = result.record;
    for (std::size_t i = 2; i < rows.size(); ++i) {
        const auto& cells = rows[i];
        const std::string where = "row " + std::to_string(i + 1) + " ";
        if (cells.size() != kColumns.size())
            return problem(ReadProblem::NotGameFile, where + "does not have 9 cells");
        if (!dateTime(cells[When]))
            return problem(ReadProblem::NotGameFile, where + "has no date and time");
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
            return problem(ReadProblem::NotGameFile, where + "has no request number");
        bool isEnd = false;
        for (const EndText& end : kEnds)
            if (cells[Outcome] == end.text) {
                record.end = end.how;
                isEnd = true;
            }
        if (isEnd)
            continue;
        if (cells[Outcome] != kRight && cells[Outcome] != kWrong)
            return problem(ReadProblem::NotGameFile, where + "says neither right nor wrong");
        if (asked < 0 || clicked <= 0)
            return problem(ReadProblem::NotGameFile,
                           where + "names a state the game does not know");
        answer.asked = static_cast<StateNumber>(asked);
        answer.clicked = static_cast<StateNumber>(clicked);
        answer.right = cells[Outcome] == kRight;
        record.answers.push_back(answer);
    }
    if (table.cutShort) {
        result.problem = ReadProblem::LastRowCut;
        result.detail = "its last row is cut in the middle: read up to the row before";
    }
    return result;
}

} // namespace brindora
