// The CSV cells of a game file, written and read back.
#include "csv.h"

namespace brindora::csv {

namespace {

bool formulaStart(std::string_view cell) {
    if (cell.empty())
        return false;
    switch (cell.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return true;
    case '\'':
        return formulaStart(cell.substr(1)); // so that undefuse() gives back "'=..." too
    default:
        return false;
    }
}

} // namespace

std::string defuse(std::string_view cell) {
    std::string out;
    if (formulaStart(cell))
        out += '\'';
    out += cell;
    return out;
}

std::string undefuse(std::string_view cell) {
    if (!cell.empty() && cell.front() == '\'' && formulaStart(cell.substr(1)))
        cell.remove_prefix(1);
    return std::string(cell);
}

std::string row(const std::vector<std::string>& cells) {
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ';';
        const std::string cell = defuse(cells[i]);
        if (cell.find_first_of(";,\"\r\n") == std::string::npos) {
            out += cell;
            continue;
        }
        out += '"';
        for (const char c : cell) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
    return out;
}

bool RowReader::next(std::vector<std::string>& cells) {
    cells.clear();
    std::string cell;
    bool quoted = false;
    for (std::size_t i = m_at; i < m_text.size(); ++i) {
        const char c = m_text[i];
        if (quoted) {
            if (c != '"')
                cell += c;
            else if (i + 1 < m_text.size() && m_text[i + 1] == '"')
                cell += m_text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == m_separator) {
            cells.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\n' || (c == '\r' && i + 1 < m_text.size() && m_text[i + 1] == '\n')) {
            cells.push_back(std::move(cell));
            m_at = i + (c == '\r' ? 2 : 1);
            ++m_row;
            return true;
        } else {
            cell += c;
        }
    }
    m_cutShort = m_at < m_text.size();
    m_at = m_text.size();
    cells.clear();
    return false;
}

Table parse(std::string_view text, char separator) {
    Table table;
    RowReader reader(text, separator);
    for (std::vector<std::string> cells; reader.next(cells);)
        table.rows.push_back(std::move(cells));
    table.cutShort = reader.cutShort();
    return table;
}

} // namespace brindora::csv
