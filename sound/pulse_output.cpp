// PulseAudio's asynchronous API on a threaded main loop. Qt 6.4's own PulseAudio client
// tries to reconnect only once, about a second after the server went away, and never when
// the server was missing at start; so the game keeps a connection of its own.
#include "pulse_output.h"

#include <pulse/pulseaudio.h>

#include <cstdint>

namespace brindora {

namespace {

// Enough to ride out a busy machine; a new sound cuts the old one at once all the same,
// since a stream that is disconnected loses what it has queued.
constexpr pa_usec_t kBuffer = 200 * PA_USEC_PER_MSEC;

PulseOutput& outputOf(void* self) {
    return *static_cast<PulseOutput*>(self);
}

} // namespace

DecodedFile::~DecodedFile() {
    if (file)
        sf_close(file);
}

PulseOutput::PulseOutput(NoServer noServer) : m_noServer(std::move(noServer)) {}

PulseOutput::~PulseOutput() {
    if (!m_loop)
        return;
    pa_threaded_mainloop_stop(m_loop);
    dropStream();
    m_waiting.reset();
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    pa_threaded_mainloop_free(m_loop);
}

void PulseOutput::play(std::unique_ptr<DecodedFile> sound) {
    if (!m_loop) {
        m_loop = pa_threaded_mainloop_new();
        if (m_loop && pa_threaded_mainloop_start(m_loop) < 0) {
            pa_threaded_mainloop_free(m_loop);
            m_loop = nullptr;
        }
        if (!m_loop) {
            m_noServer(sound->path, "cannot start the sound thread");
            return;
        }
    }
    pa_threaded_mainloop_lock(m_loop);
    dropStream();
    m_waiting = std::move(sound);
    const pa_context_state_t state =
        m_context ? pa_context_get_state(m_context) : PA_CONTEXT_TERMINATED;
    if (!PA_CONTEXT_IS_GOOD(state))
        connect(); // the server went away, or was never there: try it afresh
    else if (state == PA_CONTEXT_READY)
        startStream();
    // else the connection is on its way and contextChanged starts the sound
    pa_threaded_mainloop_unlock(m_loop);
}

void PulseOutput::stop() {
    if (!m_loop)
        return;
    pa_threaded_mainloop_lock(m_loop);
    m_waiting.reset();
    dropStream();
    pa_threaded_mainloop_unlock(m_loop);
}

void PulseOutput::connect() {
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Brindora");
    pa_context_set_state_callback(m_context, contextChanged, this);
    // No autospawn: a server the desktop starts later is found by the next sound.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        lost(pa_strerror(pa_context_errno(m_context)));
}

void PulseOutput::startStream() {
    std::unique_ptr<DecodedFile> sound = std::move(m_waiting);
    const pa_sample_spec format{PA_SAMPLE_S16NE, std::uint32_t(sound->info.samplerate),
                                std::uint8_t(sound->info.channels)};
    m_stream = pa_stream_new(m_context, "suona", &format, nullptr);
    if (!m_stream) {
        m_noServer(sound->path, pa_strerror(pa_context_errno(m_context)));
        return;
    }
    m_playing = std::move(sound);
    pa_stream_set_state_callback(m_stream, streamChanged, this);
    pa_stream_set_write_callback(m_stream, writable, this);
    pa_buffer_attr buffer;
    buffer.maxlength = std::uint32_t(-1);
    buffer.tlength = std::uint32_t(pa_usec_to_bytes(kBuffer, &format));
    buffer.prebuf = std::uint32_t(-1);
    buffer.minreq = std::uint32_t(-1);
    buffer.fragsize = std::uint32_t(-1);
    if (pa_stream_connect_playback(m_stream, nullptr, &buffer, PA_STREAM_NOFLAGS, nullptr,
                                   nullptr) < 0)
        lost(pa_strerror(pa_context_errno(m_context)));
}

void PulseOutput::dropStream() {
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream); // what it has queued is dropped with it
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }
    m_playing.reset();
}

void PulseOutput::lost(const std::string& reason) {
    const DecodedFile* sound = m_waiting ? m_waiting.get() : m_playing.get();
    if (sound)
        m_noServer(sound->path, reason);
    m_waiting.reset();
    dropStream();
}

void PulseOutput::contextChanged(pa_context* context, void* self) {
    PulseOutput& out = outputOf(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        if (out.m_waiting)
            out.startStream();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        out.lost(pa_strerror(pa_context_errno(context)));
        break;
    default:
        break;
    }
}

void PulseOutput::streamChanged(pa_stream* stream, void* self) {
    PulseOutput& out = outputOf(self);
    if (stream == out.m_stream && pa_stream_get_state(stream) == PA_STREAM_FAILED)
        out.lost(pa_strerror(pa_context_errno(pa_stream_get_context(stream))));
}

// The server asks for more: decode the next stretch of the file straight into its buffer.
void PulseOutput::writable(pa_stream* stream, size_t bytes, void* self) {
    PulseOutput& out = outputOf(self);
    if (stream != out.m_stream || !out.m_playing)
        return;
    DecodedFile& sound = *out.m_playing;
    const std::size_t frameBytes = sizeof(short) * std::size_t(sound.info.channels);
    void* data = nullptr;
    std::size_t size = bytes;
    if (pa_stream_begin_write(stream, &data, &size) < 0 || !data)
        return;
    const sf_count_t frames = sf_count_t(size / frameBytes);
    const sf_count_t got =
        frames > 0 ? sf_readf_short(sound.file, static_cast<short*>(data), frames) : 0;
    if (got > 0)
        pa_stream_write(stream, data, std::size_t(got) * frameBytes, nullptr, 0, PA_SEEK_RELATIVE);
    else
        pa_stream_cancel_write(stream);
    if (frames > 0 && got < frames) { // the end of the file: play out what is queued
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        if (pa_operation* drain = pa_stream_drain(stream, drained, self))
            pa_operation_unref(drain);
    }
}

void PulseOutput::drained(pa_stream* stream, int, void* self) {
    PulseOutput& out = outputOf(self);
    if (stream == out.m_stream)
        out.dropStream();
}

} // namespace brindora
