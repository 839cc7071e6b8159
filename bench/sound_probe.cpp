// Figures for the sound player on a private PulseAudio null sink: how long suona takes to
// return, how soon its sound is heard, how soon a second sound cuts the first, and how soon
// the first sound after a restart of the server is heard. Medians and extremes over the runs.
// Usage: bench_sound [runs]   (prints "name value" lines)
#include "monitor_recorder.h"
#include "pulse_server.h"
#include "sound_player.h"
#include "sound_track.h"
#include "wav_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono;
using Clock = MonitorRecorder::Clock;

namespace {

constexpr double kAudible = 0.01;
constexpr double kLow = 300, kHigh = 2000;

double ms(Clock::duration d) {
    return duration<double, std::milli>(d).count();
}

void print(const char* name, std::vector<double> values) {
    if (values.empty()) {
        std::printf("%s nan\n", name);
        return;
    }
    std::sort(values.begin(), values.end());
    std::printf("%s_median %.2f\n%s_min %.2f\n%s_max %.2f\n", name, values[values.size() / 2], name,
                values.front(), name, values.back());
}

constexpr std::size_t kWindow = MonitorRecorder::kRate / 100; // 10 ms

// Waits (up to 5 s) for the first sample from `from` on that is audible and, in the 10 ms
// from there, carries the tone.
std::size_t toneStart(const MonitorRecorder& recorder, double hertz, std::size_t from) {
    const auto limit = Clock::now() + seconds(5);
    for (;;) {
        const SoundTrack heard(recorder.samples(), MonitorRecorder::kRate);
        std::size_t at = heard.firstToneWindow(hertz, 0.1, from, kWindow);
        if (at != SoundTrack::npos) // the onset inside that window, to the sample
            at = heard.firstAbove(kAudible, at > kWindow ? at - kWindow : 0);
        if (at != SoundTrack::npos || Clock::now() > limit)
            return at;
        std::this_thread::sleep_for(milliseconds(5));
    }
}

std::string tone(const fs::path& folder, const char* name, double hertz, double secs) {
    std::vector<std::int16_t> samples = sineWave(22050, hertz, secs, 0.5);
    samples.resize(samples.size() + 11025);
    const fs::path path = folder / "Europa" / name;
    fs::create_directories(path.parent_path());
    WavFile::write(path.string(), 22050, samples);
    return path.string();
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    PulseServer server;
    const std::string failure = server.start();
    if (!failure.empty()) {
        std::fprintf(stderr, "no test server: %s\n", failure.c_str());
        return 1;
    }
    for (const std::string& setting : server.clientEnvironment()) {
        const auto eq = setting.find('=');
        setenv(setting.substr(0, eq).c_str(), setting.substr(eq + 1).c_str(), 1);
    }
    char pattern[] = "/tmp/brindora-bench-XXXXXX";
    const fs::path folder = mkdtemp(pattern);
    const std::string low = tone(folder, "low.wav", kLow, 3.0);
    const std::string high = tone(folder, "high.wav", kHigh, 1.0);

    std::vector<double> returns, heard, cut, afterRestart, returnsWithoutServer;
    MonitorRecorder recorder;
    recorder.start(server);
    brindora::SoundPlayer player([](const std::string&) {});
    for (int run = 0; run < runs; ++run) {
        std::this_thread::sleep_for(milliseconds(300));
        const Clock::time_point called = Clock::now();
        player.suona(low);
        returns.push_back(ms(Clock::now() - called));
        const std::size_t lowAt = toneStart(recorder, kLow, recorder.indexAt(called));
        if (lowAt == SoundTrack::npos)
            continue;
        heard.push_back(ms(recorder.timeOf(lowAt) - called));
        std::this_thread::sleep_for(milliseconds(300));
        const Clock::time_point second = Clock::now();
        player.suona(high);
        const std::size_t highAt = toneStart(recorder, kHigh, recorder.indexAt(second));
        std::this_thread::sleep_for(milliseconds(200));
        const SoundTrack track(recorder.samples(), MonitorRecorder::kRate);
        const std::size_t lowEnds = track.lastToneWindow(kLow, 0.001, lowAt, kWindow);
        if (highAt != SoundTrack::npos && lowEnds != SoundTrack::npos)
            cut.push_back(ms(recorder.timeOf(lowEnds) - second));
        player.stop();
    }
    for (int run = 0; run < std::max(1, runs / 3); ++run) {
        recorder.stop();
        server.halt();
        const Clock::time_point called = Clock::now();
        player.suona(low);
        returnsWithoutServer.push_back(ms(Clock::now() - called));
        server.start();
        recorder.start(server);
        const Clock::time_point next = Clock::now();
        player.suona(high);
        const std::size_t at = toneStart(recorder, kHigh, recorder.indexAt(next));
        if (at != SoundTrack::npos)
            afterRestart.push_back(ms(recorder.timeOf(at) - next));
        player.stop();
    }
    recorder.stop();
    print("suona_returns_ms", returns);
    print("suona_returns_without_server_ms", returnsWithoutServer);
    print("call_to_sound_ms", heard);
    print("cut_of_first_after_second_call_ms", cut);
    print("call_to_sound_after_server_restart_ms", afterRestart);
    fs::remove_all(folder);
    return 0;
}
