// The server starts once, before Qt first opens the sound system, which it does only once.
#include "playback_fixture.h"

#include "pulse_server.h"
#include "wav_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
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
        m_app = new QCoreApplication(m_argc, m_argv);
    }
    void TearDown() override {
        delete m_app;
        delete g_server; // stops it: nothing is left running for the next run
    }

private:
    int m_argc = 1;
    char m_name[16] = "playback_tests";
    char* m_argv[2] = {m_name, nullptr};
    QCoreApplication* m_app = nullptr;
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
        if (!finished.wait_for(lock, seconds(5), [&] { return done; })) {
            std::fprintf(stderr, "FAILED: %s did not return within 5 s: the sound player hangs\n",
                         what.c_str());
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

void spin(milliseconds span) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < span.count())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

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
    // QSoundEffect leaves parts of itself to the event loop to delete.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_recorder.stop();
    if (!m_folder.empty())
        fs::remove_all(m_folder);
}

Play Playback::playAndListen(const std::string& path, milliseconds listen) {
    Play play;
    MonitorRecorder::Clock::time_point called, returned;
    guarded("suona(\"" + path + "\")", m_folder, [&] {
        called = MonitorRecorder::Clock::now();
        m_player.suona(path);
        returned = MonitorRecorder::Clock::now();
    });
    spin(listen);
    play.calledAt = m_recorder.indexAt(called);
    play.callMs = duration<double, std::milli>(returned - called).count();
    const std::size_t onset = track().firstAbove(kAudible, play.calledAt);
    play.heard = onset != SoundTrack::npos;
    if (play.heard) {
        play.onset = onset;
        play.delayMs = duration<double, std::milli>(m_recorder.timeOf(onset) - called).count();
    }
    return play;
}

void Playback::stopPlayer() {
    guarded("stopping the sound", m_folder, [&] { m_player.stop(); });
}

void Playback::waitForSilence() {
    const std::size_t quiet = std::size_t(0.2 * MonitorRecorder::kRate);
    for (int i = 0; i < 100; ++i) {
        const SoundTrack heard = track();
        if (heard.size() > quiet && heard.peak(heard.size() - quiet, heard.size()) < kAudible)
            return;
        spin(milliseconds(20));
    }
    FAIL() << "the sink did not fall silent";
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
