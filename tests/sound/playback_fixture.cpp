// One server for the whole program; tests that halt it start it again on the same socket.
#include "playback_fixture.h"

#include "pulse_server.h"
#include "wav_file.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

PulseServer* g_server = nullptr;
std::string g_serverFailure;

class PulseEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        g_server = new PulseServer;
        g_serverFailure = g_server->start();
        for (const std::string& setting : g_server->clientEnvironment()) {
            const auto eq = setting.find('=');
            setenv(setting.substr(0, eq).c_str(), setting.substr(eq + 1).c_str(), 1);
        }
    }
    void TearDown() override {
        delete g_server; // stops it: nothing is left running for the next run
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new PulseEnvironment);

// Runs `call` on this thread while another one waits for it; a call that never returns
// ends the program, since the test could not go on to report it.
template <typename Call>
void guarded(const std::string& what, const std::string& scratch, Call call) {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, duration<double>(kHangGuardSeconds), [&] { return done; })) {
            std::fprintf(stderr,
                         "FAILED: %s did not return within %.0f s: the sound player hangs\n",
                         what.c_str(), kHangGuardSeconds);
            std::error_code ec;
            fs::remove_all(scratch, ec);
            g_server->stop();
            std::_Exit(1);
        }
    });
    call();
    {
        std::lock_guard lock(mutex);
        done = true;
    }
    finished.notify_one();
    watchdog.join();
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, double extraSeconds) {
    const auto limit =
        steady_clock::now() +
        duration_cast<steady_clock::duration>(duration<double>(kHangGuardSeconds + extraSeconds));
    while (!condition()) {
        if (steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(milliseconds(10));
    }
    return true;
}

void Playback::SetUp() {
    ASSERT_TRUE(g_serverFailure.empty())
        << "The PulseAudio test server could not start, so no sound can be checked: "
        << g_serverFailure;
    const std::string failure = m_recorder.start(*g_server);
    ASSERT_TRUE(failure.empty()) << "Cannot record the null sink: " << failure;
    char pattern[] = "/tmp/brindora-sound-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_folder = pattern;
}

void Playback::TearDown() {
    stopPlayer();
    m_recorder.stop();
    if (!m_folder.empty())
        fs::remove_all(m_folder);
}

Call Playback::call(const std::string& path) {
    Call call;
    guarded("suona(\"" + path + "\")", m_folder, [&] {
        call.calledAt = m_recorder.indexAt(MonitorRecorder::Clock::now());
        m_player.suona(path);
        call.returnedAt = m_recorder.indexAt(MonitorRecorder::Clock::now());
    });
    return call;
}

void Playback::stopPlayer() {
    guarded("stopping the sound", m_folder, [&] { m_player.stop(); });
}

void Playback::recordUpTo(std::size_t index) {
    const double seconds = double(index) / MonitorRecorder::kRate;
    EXPECT_TRUE(waitUntil([&] { return m_recorder.samples().size() > index; }, seconds))
        << "the recording stopped before " << seconds << " s";
}

std::size_t Playback::waitForSound(std::size_t from) {
    std::size_t found = SoundTrack::npos;
    waitUntil([&] { return (found = track().firstAbove(kAudible, from)) != SoundTrack::npos; });
    return found;
}

std::size_t Playback::waitForTone(double hertz, std::size_t from) {
    std::size_t found = SoundTrack::npos;
    waitUntil([&] {
        return (found = track().firstToneWindow(hertz, 0.1, from, samplesIn(0.010))) !=
               SoundTrack::npos;
    });
    return found;
}

void Playback::waitForSilence() {
    const std::size_t quiet = samplesIn(0.2);
    EXPECT_TRUE(waitUntil([&] {
        const SoundTrack heard = track();
        return heard.size() > quiet && heard.peak(heard.size() - quiet, heard.size()) < kAudible;
    })) << "the sink did not fall silent";
}

void Playback::haltServer() {
    m_recorder.stop();
    g_server->halt();
}

void Playback::startServerAgain() {
    g_serverFailure = g_server->start();
    ASSERT_TRUE(g_serverFailure.empty()) << "The server did not start again: " << g_serverFailure;
    const std::string failure = m_recorder.start(*g_server);
    ASSERT_TRUE(failure.empty()) << "Cannot record the null sink: " << failure;
}

std::string Playback::writeTone(const std::string& name, double hertz, double seconds) {
    constexpr int kRate = 22050;
    std::vector<std::int16_t> samples = sineWave(kRate, hertz, seconds, 0.5);
    samples.resize(samples.size() + kRate / 2); // the trailing silence the player may drop
    const fs::path path = fs::path(m_folder) / "Europa" / name;
    fs::create_directories(path.parent_path());
    EXPECT_TRUE(WavFile::write(path.string(), kRate, samples));
    return path.string();
}

SoundTrack Playback::track() const {
    return SoundTrack(m_recorder.samples(), MonitorRecorder::kRate);
}

std::vector<std::string> Playback::reports() const {
    std::lock_guard lock(m_reportMutex);
    return m_reports;
}

bool Playback::waitForReport(const std::vector<std::string>& words) const {
    return waitUntil([&] {
        for (const std::string& line : reports()) {
            bool all = true;
            for (const std::string& word : words)
                all = all && line.find(word) != std::string::npos;
            if (all)
                return true;
        }
        return false;
    });
}
