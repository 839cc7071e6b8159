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

// One line: the cells defused, then CRLF. A cell is quoted where it holds a separator a
// spreadsheet may take (';' or ','), a quote or a line end.
std::string row(const std::vector<std::string>& cells);

// Rows one at a time, ended by CRLF or LF, cells between separator, quoted or not; so that a
// reader can stop at the first row it does not want, whatever follows.
class RowReader {
public:
    explicit RowReader(std::string_view text, char separator = ';')
        : m_text(text), m_separator(separator) {}
    // The next whole row's cells as stored (still defused); false at the end, or before a
    // last row with no line end (then cutShort()).
    bool next(std::vector<std::string>& cells);
    bool cutShort() const { return m_cutShort; }
    std::size_t row() const { return m_row; } // rows read so far

private:
    std::string_view m_text;
    char m_separator;
    std::size_t m_at = 0, m_row = 0;
    bool m_cutShort = false;
};

struct Table {
    std::vector<std::vector<std::string>> rows; // cells as stored (still defused)
    bool cutShort = false;                      // the text ends inside a row
};
// Every row of text at once.
Table parse(std::string_view text, char separator = ';');

} // namespace brindora::csv
