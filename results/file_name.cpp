// File names any share accepts: FAT, NTFS and SMB forbid more than POSIX does, and some
// keep only the case-folded ASCII name; so the name keeps only what all of them keep.
#include "file_name.h"

#include "system_info.h"

#include <cstdint>
#include <cstdio>
#include <random>

namespace brindora {

namespace {

inline constexpr std::size_t kPcBytes = 24;
inline constexpr std::size_t kPupilBytes = 40;

// U+00C0..U+00FF without accent: '-' for the signs among them, eszett as 's'.
constexpr std::string_view kLatin1Letters = "AAAAAAACEEEEIIII"
                                            "DNOOOOO-OUUUUYTs"
                                            "aaaaaaaceeeeiiii"
                                            "dnooooo-ouuuuyty";

// The next code point of UTF-8 text, or -1 for a byte that starts none.
long nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char first = byte(i++);
    if (first < 0x80)
        return first;
    int more = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : first >= 0xC0 ? 1 : -1;
    if (more < 0)
        return -1;
    long code = first & (0x3F >> more);
    for (; more > 0; --more) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80)
            return -1;
        code = (code << 6) | (byte(i++) & 0x3F);
    }
    return code;
}

// Windows-1252's 0x80..0x9F; the rest of its upper half is Latin-1's.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

} // namespace

bool validUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char first = byte(i);
        const int more = first < 0x80                    ? 0
                         : first >= 0xC2 && first < 0xE0 ? 1
                         : first >= 0xE0 && first < 0xF0 ? 2
                         : first >= 0xF0 && first < 0xF5 ? 3
                                                         : -1;
        if (more < 0 || (more > 0 && i + more >= text.size()))
            return false;
        if (more > 0) {
            const unsigned char second = byte(i + 1);
            // The second byte's range rules out overlong forms, surrogates and > U+10FFFF.
            const unsigned char low = first == 0xE0 ? 0xA0 : first == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = first == 0xED ? 0x9F : first == 0xF4 ? 0x8F : 0xBF;
            if (second < low || second > high)
                return false;
            for (int k = 2; k <= more; ++k)
                if ((byte(i + k) & 0xC0) != 0x80)
                    return false;
        }
        i += more + 1;
    }
    return true;
}

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto escape = [&](unsigned char byte) {
        static const char* kHex = "0123456789abcdef";
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
    };
    for (std::size_t i = 0; i < text.size();) {
        std::size_t next = i;
        const long code = nextCodePoint(text, next);
        if (code < 0 || !validUtf8(text.substr(i, next - i))) {
            escape(static_cast<unsigned char>(text[i++]));
            continue;
        }
        if (code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0)) {
            for (std::size_t k = i; k < next; ++k)
                escape(static_cast<unsigned char>(text[k]));
        } else {
            out.append(text.substr(i, next - i));
        }
        i = next;
    }
    return out;
}

std::string utf8FromWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t code = byte < 0x80 ? byte : byte < 0xA0 ? kWindows1252[byte - 0x80] : byte;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::string safeNamePart(std::string_view text, std::size_t maxBytes) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && out.size() < maxBytes;) {
        const long code = nextCodePoint(text, i);
        char c = '-';
        if ((code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') ||
            (code >= '0' && code <= '9'))
            c = static_cast<char>(code);
        else if (code >= 0xC0 && code <= 0xFF)
            c = kLatin1Letters[static_cast<std::size_t>(code - 0xC0)];
        if (c == '-' && (out.empty() || out.back() == '-'))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == '-')
        out.pop_back();
    return out.empty() ? std::string("x") : out;
}

std::string gameFileName(std::time_t start, std::string_view pc, std::string_view pupil,
                         int attempt) {
    const std::tm local = localTime(start);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = std::string(stamp) + "_" + safeNamePart(pc, kPcBytes) + "_" +
                       safeNamePart(pupil, kPupilBytes);
    if (attempt > 1)
        name += "_" + std::to_string(attempt);
    return name + std::string(kGameFileExtension);
}

std::string randomFileName(const std::string& name) {
    std::random_device random;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "_%06x%06x", random() & 0xFFFFFFu, random() & 0xFFFFFFu);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name + suffix
                                    : name.substr(0, dot) + suffix + name.substr(dot);
}

} // namespace brindora
