// Starts one window, reports when it first paints, then either quits (start-up and
// peak memory) or idles for a while and reports the CPU it used.
// Built twice: with BENCH_FORM1 the game's Form1, without it a bare QMainWindow.
// Usage: probe [idle seconds] [full-screen] [explore] [scan]  (explore: Form1 in explore mode;
// scan: the one-switch scan, a step every half second)
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#ifdef BENCH_FORM1
#include "form1.h"
#endif

namespace {

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

#ifdef _WIN32
// The same two figures as Windows keeps them (the probe also runs under Wine).
double cpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return double((unsigned long long)t.dwHighDateTime << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

long peakKb() {
    PROCESS_MEMORY_COUNTERS counters{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return long(counters.PeakWorkingSetSize / 1024);
}
#else
double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}
#endif

// Catches the first paint of the window or of anything inside it.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window, int idleSeconds) : m_window(window), m_idle(idleSeconds) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            (watched == m_window || m_window->isAncestorOf(static_cast<QWidget*>(watched)))) {
            m_seen = true;
            std::printf("first_paint_ns %lld\n", nowNs());
            QTimer::singleShot(0, [this] { afterPaint(); });
        }
        return false;
    }

private:
    void afterPaint() {
        if (m_idle <= 0) {
            report();
            return;
        }
        const double start = cpuSeconds();
        QTimer::singleShot(m_idle * 1000, [this, start] {
            std::printf("idle_cpu_percent %.3f\n", 100.0 * (cpuSeconds() - start) / m_idle);
            report();
        });
    }
    void report() {
        std::printf("peak_rss_kb %ld\n", peakKb());
        std::fflush(stdout);
        std::_Exit(0); // measured, nothing more to do: leave without the teardown
    }

    QWidget* m_window;
    int m_idle;
    bool m_seen = false;
};

bool asked(int argc, char* argv[], const char* word) {
    for (int i = 2; i < argc; ++i)
        if (qstrcmp(argv[i], word) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 0;
    QApplication app(argc, argv);
#ifdef BENCH_FORM1
    brindora::Form1Options options;
    options.programDir = QStringLiteral(BENCH_PROGRAM_DIR);
    options.explore = asked(argc, argv, "explore");
    options.scanMs = asked(argc, argv, "scan") ? 500 : 0;
    brindora::Form1 window(options);
#else
    QMainWindow window;
    window.resize(796, 565);
#endif
    FirstPaint probe(&window, idleSeconds);
    app.installEventFilter(&probe);
    if (asked(argc, argv, "full-screen"))
        window.showFullScreen();
    else
        window.show();
    return app.exec();
}
