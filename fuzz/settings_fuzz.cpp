// brindora.conf on any bytes: the input split at its first NUL into the lab's file and the
// user's; whatever is taken as a name must be UTF-8.
#include "file_name.h"
#include "settings_file.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brindora;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\0');
    const ResultsSettings settings =
        settingsFromText(input.substr(0, split),
                         split == std::string::npos ? std::string() : input.substr(split + 1));
    const PupilQuestion question = pupilQuestion("", settings, "studente");
    if (!validUtf8(settings.pupil) || !validUtf8(settings.labPupil) || !validUtf8(question.prefill))
        __builtin_trap();
    for (const std::string& login : settings.sharedLogins)
        if (!validUtf8(login) || login.empty())
            __builtin_trap();
    return 0;
}
