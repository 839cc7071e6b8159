// Linux: one sound at a time on the PulseAudio server, over a connection made again whenever the
// server has gone away: the next sound after the server is back is heard.
#pragma once

#include "silence_report.h"
#include "sound_output.h"

#include <sndfile.h>

#include <functional>
#include <memory>
#include <string>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

namespace brindora {

// A recording opened for decoding.
struct DecodedFile {
    std::string path;
    SF_INFO info{};
    SNDFILE* file = nullptr;
    ~DecodedFile();
    // Decodes the next whole frames that fit in `bytes` as 16-bit samples into `buffer`;
    // the bytes written, 0 at the end.
    std::size_t pull(void* buffer, std::size_t bytes);
    std::size_t frameBytes() const { return sizeof(short) * std::size_t(info.channels); }
};

class PulseOutput {
public:
    // Told when a sound cannot be played: its path, why (no server, or a stream the server
    // library refused) and the library's own words.
    using NoServer =
        std::function<void(const std::string& path, Silence why, const std::string& reason)>;

    explicit PulseOutput(NoServer noServer);
    ~PulseOutput();
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    // Ends the sound that is playing and starts this one. Never waits for the server: the
    // connection and the playing go on in a thread of their own.
    void play(std::unique_ptr<DecodedFile> sound);
    void stop();

private:
    void connect();
    void startStream();
    void dropStream();
    void lost(const std::string& reason);
    int emptyCookie();

    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void writable(pa_stream* stream, size_t bytes, void* self);
    static void drained(pa_stream* stream, int success, void* self);

    NoServer m_noServer;
    // All of these belong to the loop's thread; others touch them only under its lock.
    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    std::unique_ptr<DecodedFile> m_waiting; // for the connection to be ready
    std::unique_ptr<DecodedFile> m_playing; // feeding m_stream
    int m_cookie = -1;                      // an empty cookie in memory, when one is needed
};

// A checked recording opened for decoding; nothing, with the reason told to `silent`, when
// libsndfile reads it otherwise than the check did.
std::unique_ptr<DecodedFile> decodeRecording(const CheckedRecording& recording,
                                             const SoundOutput::Silent& silent);

// The game's checks and the decoder together, as suona opens a file on Linux.
std::unique_ptr<DecodedFile> openRecording(const std::string& path, SilenceReport& report);

} // namespace brindora
