// The name of a game file: date and time, PC and pupil, safe on every file system.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace brindora {

// Well-formed UTF-8: no stray, overlong or surrogate sequence.
bool validUtf8(std::string_view text);
// Text safe for a terminal or a page: control characters (C0, DEL, C1) and bytes that are
// not UTF-8 shown as "\x1b"; the rest kept.
std::string printable(std::string_view text);
// Text in the Windows code page of Western Europe, as UTF-8.
std::string utf8FromWindows1252(std::string_view text);

// Letters and digits of ASCII, accented Latin letters without their accent, '-' for every
// other run of characters; never empty, at most maxBytes long.
std::string safeNamePart(std::string_view text, std::size_t maxBytes);

// "20250314-102205_PC-LAB-07_Mario-Rossi.csv"; attempt 1, 2... adds "_2", "_3"... before the
// extension, for a name some other game has already taken.
std::string gameFileName(std::time_t start, std::string_view pc, std::string_view pupil,
                         int attempt);

inline constexpr std::string_view kGameFileExtension = ".csv";

// name with a suffix nobody can guess ("_3f9c0a1b7e2d"), for a game whose names are all taken.
std::string randomFileName(const std::string& name);

} // namespace brindora
