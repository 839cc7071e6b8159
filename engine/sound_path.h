// Where the recordings live: the folder Europa beside the program.
#pragma once

#include <string>
#include <string_view>

namespace brindora {

inline constexpr std::string_view kSoundFolder = "Europa";

// programDir + one separator + "Europa" + separator + fileName, with the platform's separator.
std::string soundPath(const std::string& programDir, std::string_view fileName);

} // namespace brindora
