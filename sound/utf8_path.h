// The game keeps every path as UTF-8. std::filesystem takes a narrow string in the system's
// code page, which on Windows is not UTF-8: C:\Users\Niccolò\... would be another path.
#pragma once

#include <filesystem>
#include <string>

namespace brindora {

inline std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::u8path(utf8);
}

inline std::string utf8Of(const std::filesystem::path& path) {
    return path.u8string();
}

} // namespace brindora
