// Reading the teacher's list of states: the names are matched as a person reads them.
#include "state_list.h"

#include <algorithm>

namespace brindora {

namespace {

// U+00C0 to U+00FF without their accents; '.' keeps the letter as it is (Æ, ×, Þ, ß, ...).
constexpr std::string_view kLatin1Letters = "aaaaaa.ceeeeiiiidnooooo.ouuuuy.."
                                            "aaaaaa.ceeeeiiiidnooooo.ouuuuy.y";

bool isBlank(char32_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == 0xA0;
}

// One UTF-8 character at the start of text: its code point and length. A byte that does not
// start a well-formed character stands for itself.
char32_t decode(std::string_view text, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    length = first < 0x80 ? 1 : (first >> 5) == 0x6 ? 2 : (first >> 4) == 0xE ? 3 : 0;
    if (length == 0 || length > text.size()) {
        length = 1;
        return first;
    }
    char32_t code = length == 1 ? first : first & (length == 2 ? 0x1F : 0x0F);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) >> 6) != 0x2) {
            length = 1;
            return first;
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    return code;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\n\r\v\f");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\n\r\v\f") - first + 1);
}

void addOnce(std::vector<StateNumber>& states, StateNumber state) {
    if (std::find(states.begin(), states.end(), state) == states.end())
        states.push_back(state);
}

// One folded name into the list: a state's or a group's.
ListProblem add(const std::string& key, std::vector<StateNumber>& states) {
    for (const StateRow& row : catalogo) {
        if (foldName(row.name) != key)
            continue;
        if (!row.drawn)
            return ListProblem::NeverAsked;
        addOnce(states, row.number);
        return ListProblem::None;
    }
    for (const StateGroup& alias : kStateAliases)
        if (foldName(alias.name) == key)
            return add(foldName(alias.states), states);
    for (const StateGroup& group : kStateGroups) {
        if (foldName(group.name) != key)
            continue;
        for (const StateNumber state : readStateList(group.states).states)
            addOnce(states, state);
        return ListProblem::None;
    }
    return ListProblem::Unknown;
}

} // namespace

std::string foldName(std::string_view text) {
    std::string folded;
    bool blank = false;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        const char32_t c = decode(text.substr(i), length);
        const std::string_view character = text.substr(i, length);
        i += length;
        if (isBlank(c)) {
            blank = !folded.empty();
            continue;
        }
        if (c >= 0x300 && c < 0x370) // a combining accent, written after its letter
            continue;
        if (blank)
            folded += ' ';
        blank = false;
        if (c < 0x80)
            folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        else if (c >= 0xC0 && c <= 0xFF && kLatin1Letters[c - 0xC0] != '.')
            folded += kLatin1Letters[c - 0xC0];
        else
            folded += character;
    }
    return folded;
}

StateList readStateList(std::string_view list) {
    StateList result;
    bool named = false;
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        const std::string_view item = list.substr(from, comma - from);
        from = comma + 1;
        const std::string key = foldName(item);
        if (key.empty())
            continue;
        named = true;
        result.problem = add(key, result.states);
        if (result.problem != ListProblem::None) {
            result.offending = std::string(trimmed(item));
            return result;
        }
    }
    if (!named)
        result.problem = ListProblem::Empty;
    return result;
}

std::vector<std::string_view> askedStateNames() {
    std::vector<std::string_view> names;
    for (const StateRow& row : catalogo)
        if (row.drawn)
            names.push_back(row.name);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string_view> groupNames() {
    std::vector<std::string_view> names;
    for (const StateGroup& group : kStateGroups)
        names.push_back(group.name);
    return names;
}

} // namespace brindora
