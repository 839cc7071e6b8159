// PulseAudio's asynchronous API on a threaded main loop. Qt 6.4's own PulseAudio client
// tries to reconnect only once, about a second after the server went away, and never when
// the server was missing at start; so the game keeps a connection of its own.
#include "pulse_output.h"

#include "sound_player.h"

#include <pulse/pulseaudio.h>

#include <cstdint>
#include <optional>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brindora {

namespace {

// Enough to ride out a busy machine; a new sound cuts the old one at once all the same,
// since a stream that is disconnected loses what it has queued.
constexpr pa_usec_t kBuffer = 200 * PA_USEC_PER_MSEC;

static_assert(kMaxChannels == PA_CHANNELS_MAX, "the game's channel check is PulseAudio's");

PulseOutput& outputOf(void* self) {
    return *static_cast<PulseOutput*>(self);
}

// As this process may use it (effective rights, as the library's own open() has them).
bool mayAccess(const std::string& path, int mode) {
    return faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

bool readableCookie(const std::string& path) {
    struct stat info;
    return mayAccess(path, R_OK) && stat(path.c_str(), &info) == 0 && info.st_size >= 256;
}

// Whether libpulse finds or makes its cookie where it looks by itself: PULSE_COOKIE, else
// <config>/pulse/cookie or ~/.pulse-cookie, made in <config>/pulse when neither is there.
// When it cannot (a read-only home) it prints a line of its own on standard error, then
// connects without a cookie.
bool libraryFindsCookie() {
    if (const char* chosen = std::getenv("PULSE_COOKIE"); chosen && *chosen)
        return true; // the user's own choice, as the library takes it
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env)
        home = env;
    else if (const passwd* user = getpwuid(getuid()); user && user->pw_dir)
        home = user->pw_dir;
    std::string config = home + "/.config";
    if (const char* env = std::getenv("XDG_CONFIG_HOME"); env && *env)
        config = env;
    if (readableCookie(config + "/pulse/cookie") || readableCookie(home + "/.pulse-cookie"))
        return true;
    for (const std::string& dir : {config + "/pulse", config, home}) {
        struct stat info;
        if (stat(dir.c_str(), &info) == 0)
            return mayAccess(dir, W_OK | X_OK);
    }
    return false;
}

} // namespace

DecodedFile::~DecodedFile() {
    if (file)
        sf_close(file);
}

std::size_t DecodedFile::pull(void* buffer, std::size_t bytes) {
    const sf_count_t frames = sf_count_t(bytes / frameBytes());
    const sf_count_t got =
        frames > 0 ? sf_readf_short(file, static_cast<short*>(buffer), frames) : 0;
    return got > 0 ? std::size_t(got) * frameBytes() : 0;
}

PulseOutput::PulseOutput(NoServer noServer) : m_noServer(std::move(noServer)) {}

int PulseOutput::emptyCookie() {
    if (m_cookie < 0) {
        m_cookie = memfd_create("brindora-cookie", MFD_CLOEXEC);
        if (m_cookie >= 0 && ftruncate(m_cookie, 256) < 0) {
            close(m_cookie);
            m_cookie = -1;
        }
    }
    return m_cookie;
}

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
    if (m_cookie >= 0)
        close(m_cookie);
}

void PulseOutput::play(std::unique_ptr<DecodedFile> sound) {
    if (!m_loop) {
        m_loop = pa_threaded_mainloop_new();
        if (m_loop && pa_threaded_mainloop_start(m_loop) < 0) {
            pa_threaded_mainloop_free(m_loop);
            m_loop = nullptr;
        }
        if (!m_loop) {
            m_noServer(sound->path, Silence::NoSoundServer, "cannot start the sound thread");
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
    // Where the library would find no cookie, it is given an empty one (what it would
    // connect with anyway), held in memory: nothing is written and nothing printed.
    if (!libraryFindsCookie()) {
        if (const int cookie = emptyCookie(); cookie >= 0)
            pa_context_load_cookie_from_file(m_context,
                                             ("/proc/self/fd/" + std::to_string(cookie)).c_str());
    }
    // No autospawn: a server the desktop starts later is found by the next sound.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        lost(pa_strerror(pa_context_errno(m_context)));
}

void PulseOutput::startStream() {
    std::unique_ptr<DecodedFile> sound = std::move(m_waiting);
    const pa_sample_spec format{PA_SAMPLE_S16NE, std::uint32_t(sound->info.samplerate),
                                std::uint8_t(sound->info.channels)};
    // PulseAudio's default map knows 1 to 6 channels; WAVE_FORMAT_EXTENSIBLE's order, with
    // auxiliary channels past its end, places every count up to PA_CHANNELS_MAX.
    pa_channel_map map;
    if (!pa_channel_map_init_extend(&map, format.channels, PA_CHANNEL_MAP_WAVEEX)) {
        m_noServer(sound->path, Silence::TooManyChannels, std::to_string(format.channels));
        return;
    }
    m_stream = pa_stream_new(m_context, "suona", &format, &map);
    if (!m_stream) { // the library refused the stream before any server saw it
        m_noServer(sound->path, Silence::UnknownFormat, pa_strerror(pa_context_errno(m_context)));
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
        m_noServer(sound->path, Silence::NoSoundServer, reason);
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
    void* data = nullptr;
    std::size_t size = bytes;
    if (pa_stream_begin_write(stream, &data, &size) < 0 || !data)
        return;
    const std::size_t got = sound.pull(data, size);
    if (got > 0)
        pa_stream_write(stream, data, got, nullptr, 0, PA_SEEK_RELATIVE);
    else
        pa_stream_cancel_write(stream);
    // The end of the file: play out what is queued.
    if (size >= sound.frameBytes() && got < size - size % sound.frameBytes()) {
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

std::unique_ptr<DecodedFile> decodeRecording(const CheckedRecording& recording,
                                             const SoundOutput::Silent& silent) {
    auto sound = std::make_unique<DecodedFile>();
    sound->path = recording.path;
    sound->file = sf_open(recording.path.c_str(), SFM_READ, &sound->info);
    if (!sound->file) {
        silent(recording.path, Silence::UnknownFormat, sf_strerror(nullptr));
        return nullptr;
    }
    // The reader must have seen the file as the check did (it could not otherwise: this is
    // a second lock on the same door).
    const int major = sound->info.format & SF_FORMAT_TYPEMASK;
    const int subtype = sound->info.format & SF_FORMAT_SUBMASK;
    const bool plain = subtype == SF_FORMAT_PCM_U8 || subtype == SF_FORMAT_PCM_S8 ||
                       subtype == SF_FORMAT_PCM_16 || subtype == SF_FORMAT_PCM_24 ||
                       subtype == SF_FORMAT_PCM_32 || subtype == SF_FORMAT_FLOAT ||
                       subtype == SF_FORMAT_DOUBLE;
    if ((major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX) || !plain ||
        sound->info.channels < 1) {
        silent(recording.path, Silence::UnknownFormat, {});
        return nullptr;
    }
    if (sound->info.channels > int(PA_CHANNELS_MAX)) {
        silent(recording.path, Silence::TooManyChannels, std::to_string(sound->info.channels));
        return nullptr;
    }
    if (sound->info.samplerate < 1 || std::uint32_t(sound->info.samplerate) > PA_RATE_MAX) {
        silent(recording.path, Silence::UnknownFormat,
                      std::to_string(sound->info.samplerate) + " Hz");
        return nullptr;
    }
    // Float samples come out at full scale, not as the -1 to 1 they are stored at.
    if (subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE)
        sf_command(sound->file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    return sound;
}

std::unique_ptr<DecodedFile> openRecording(const std::string& path, SilenceReport& report) {
    const std::optional<CheckedRecording> checked = checkRecording(path, report);
    if (!checked)
        return nullptr;
    return decodeRecording(*checked,
                           [&report](const std::string& file, Silence why, const std::string& reason) {
                               report.silent(file, why, reason);
                           });
}

struct SoundOutput::Impl {
    explicit Impl(Silent told) : silent(std::move(told)), output(silent) {}
    Silent silent;
    PulseOutput output;
};

SoundOutput::SoundOutput(Silent silent) : m_impl(std::make_unique<Impl>(std::move(silent))) {}

SoundOutput::~SoundOutput() = default;

void SoundOutput::play(const CheckedRecording& recording) {
    if (std::unique_ptr<DecodedFile> sound = decodeRecording(recording, m_impl->silent))
        m_impl->output.play(std::move(sound));
    else
        m_impl->output.stop();
}

void SoundOutput::stop() {
    m_impl->output.stop();
}

} // namespace brindora
