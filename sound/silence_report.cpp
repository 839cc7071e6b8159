// The lines a teacher reads in the terminal or the session log when the game stays silent.
#include "silence_report.h"

#include <cstdio>

namespace brindora {

SilenceReport::SilenceReport(Sink sink) : m_sink(std::move(sink)) {}

void SilenceReport::silent(const std::string& path, Silence why, const std::string& detail) {
    std::lock_guard lock(m_mutex);
    if (m_told.insert({path, why}).second)
        m_sink(line(path, why, detail));
}

std::string SilenceReport::line(const std::string& path, Silence why, const std::string& detail) {
    const std::string quoted = "\"" + path + "\"";
    const std::string because = detail.empty() ? "" : " (" + detail + ")";
    switch (why) {
    case Silence::FolderMissing:
        return "brindora: the sound folder " + quoted + " is missing: the game plays in silence";
    case Silence::Missing:
        return "brindora: no sound: " + quoted + " is missing";
    case Silence::Unreadable:
        return "brindora: no sound: " + quoted + " cannot be read" + because;
    case Silence::NotCompleteWav:
        return "brindora: no sound: " + quoted + " is not a complete WAV file";
    case Silence::UnknownFormat:
        return "brindora: no sound: " + quoted + " is a WAV file in an unknown format" + because;
    case Silence::TooManyChannels:
        return "brindora: no sound: " + quoted + " has too many channels" + because;
    case Silence::NoSoundServer:
        return "brindora: no sound: no sound server to play " + quoted + because;
    }
    return "brindora: no sound: " + quoted;
}

void SilenceReport::toStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

} // namespace brindora
