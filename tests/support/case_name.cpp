// Test case names from words.
#include "case_name.h"

#include <cctype>

namespace brindora::testing {

std::string caseName(std::string_view words) {
    std::string name;
    bool wordStart = true;
    for (const char c : words) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '_') {
            name += wordStart ? static_cast<char>(std::toupper(u)) : c;
            wordStart = false;
        } else {
            wordStart = true;
        }
    }
    return name;
}

std::ostream& operator<<(std::ostream& os, const NamedCase& c) {
    return os << c.name;
}

} // namespace brindora::testing
