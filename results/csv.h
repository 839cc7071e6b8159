// CSV as Italian spreadsheets open it: UTF-8 with a byte-order mark, ';' between cells,
// CRLF line ends, quotes as RFC 4180 says, and no cell that could become a formula.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brindora::csv {

inline constexpr std::string_view kBom = "\xEF\xBB\xBF";

// A cell that a spreadsheet would take for a formula (= + - @ tab CR first) gets a leading
// apostrophe; so does one that would come back wrongly without it. undefuse() undoes it.
std::string defuse(std::string_view cell);
std::string undefuse(std::string_view cell);

// One line: the cells defused and quoted where needed, then CRLF.
std::string row(const std::vector<std::string>& cells);

struct Table {
    std::vector<std::vector<std::string>> rows; // cells as stored (still defused)
    bool cutShort = false;                      // the text ends inside a row
};
// Reads rows ended by CRLF (or LF); a last row with no line end is left out and marked.
Table parse(std::string_view text);

} // namespace brindora::csv
