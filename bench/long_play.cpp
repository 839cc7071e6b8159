// A long session in the real window: rounds of play (the car button, its box, a click on the
// map, the verdict box; now and then the menu's Istruzioni) with a change to or from full
// screen every so many rounds, as fast as the window answers. Prints resident memory, the
// heap in use and free, threads and descriptors at the start (after the first change to full
// screen and back, when every picture and size has been met once), every ten changes, at the
// end (after that many more changes), and what changed from start to end.
// Not a test: the figures are for reading.
// Usage: bench_long_play [changes=30] [rounds per change=45] [ms between rounds=0]
// (30 45 1300 is about the 30 minutes of a long lesson; bench/long_play.sh runs it in Xvfb
// with a window manager and a sound server.) BENCH_EVERY_CHANGE=1 prints a line at every
// change; BENCH_QUICK_EXIT=1 ends without tearing the window down.
#include "client_area.h"
#include "form1.h"
#include "game.h"
#include "game_menu_bar.h"
#include "graphical_button.h"
#include "map_box.h"
#include "random_source.h"
#include "region_table.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <malloc.h>
#include <map>
#include <random>
#include <string>
#include <unistd.h>

namespace {

long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == field) {
            in >> value;
            return value;
        }
        in.ignore(4096, '\n');
    }
    return -1;
}

int descriptors() {
    int n = -3; // ".", ".." and the one opendir holds
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            ++n;
        closedir(dir);
    }
    return n;
}

int g_sounds = 0;

struct Figures {
    long rssKb, threads;
    size_t heapUsedKb;
    int fds;
    int changes;
};

Figures report(const char* when, const char* window, int changes, int rounds) {
    const struct mallinfo2 heap = mallinfo2();
    const Figures now{statusKb("VmRSS:"), statusKb("Threads:"), heap.uordblks / 1024, descriptors(),
                      changes};
    std::printf("%-6s %-6s changes %3d rounds %5d  rss_kb %7ld  heap_used_kb %7zu  "
                "heap_free_kb %7zu  threads %2ld  fds %3d  sounds %5d\n",
                when, window, changes, rounds, now.rssKb, now.heapUsedKb, heap.fordblks / 1024,
                now.threads, now.fds, g_sounds);
    std::fflush(stdout);
    return now;
}

// Presses and releases the left button at this point of the widget, as a pupil's click.
void click(QWidget* widget, QPoint at) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

// A point of the map, in map pixels, that takes each state's click.
std::map<int, QPoint> pointsOfStates() {
    std::map<int, QPoint> points;
    for (int y = 1; y < 539; y += 3)
        for (int x = 1; x < 619; x += 3)
            if (const brindora::Region* region = brindora::hitTest(x * 15, y * 15).region)
                points.emplace(int(region->state), QPoint(x, y));
    return points;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int changes = argc > 1 ? std::atoi(argv[1]) : 30;
    const int roundsPerChange = argc > 2 ? std::atoi(argv[2]) : 45;
    const int pauseMs = argc > 3 ? std::atoi(argv[3]) : 0;

    brindora::Form1Options options; // the draw seeded from the clock, as in the game
    options.programDir = QStringLiteral(BENCH_PROGRAM_DIR);
    options.quit = [] {};
    options.soundObserver = [](const std::string&) {
        ++g_sounds;
    }; // 20 errors end the game: a new one starts below
    auto form = std::make_unique<brindora::Form1>(options);
    form->show();

    // Every box is closed once it has been on the screen a moment (painted, with its font),
    // as a quick pupil would.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    closer.start(25);

    std::mt19937 clicks(7);
    const std::map<int, QPoint> points = pointsOfStates();
    int done = 0, rounds = 0, askedAt = 0, seen = 0;
    bool seenFull = false;
    Figures start{};
    QTimer play;
    QObject::connect(&play, &QTimer::timeout, [&] {
        brindora::ClientArea* client = form->client();
        if (form->ended()) { // a new game in the same window, as a class would start one
            form = std::make_unique<brindora::Form1>(options);
            form->show(); // put in the state wanted below
            return;
        }
        if (client->command2()->isVisible())
            client->command2()->click();
        // The state asked for; one click in a hundred anywhere on the map (fewer than the 20
        // errors that end the game, over the default session).
        brindora::MapBox* map = client->picture2();
        const QRect area = map->contentsRect();
        const double scale = area.width() / 619.0;
        QPoint at(int(clicks() % 619u), int(clicks() % 539u));
        if (const auto found = points.find(int(form->game().stato()));
            found != points.end() && clicks() % 100 != 0)
            at = found->second;
        click(map, area.topLeft() + QPoint(qRound(at.x() * scale), qRound(at.y() * scale)));
        if (rounds % 7 == 0)
            form->menu()->findChild<QAction*>(QStringLiteral("istruzioni"))->trigger();
        ++rounds;
        if (rounds % roundsPerChange == 0)
            ++done;
        // Under a window manager a change can be undone by the manager's late answer to the one
        // before: the window is asked again until it is in the state wanted. The changes counted
        // are those the window went through.
        if (form->isFullScreen() != (done % 2 == 1) && rounds - askedAt >= 5) {
            form->toggleFullScreen();
            askedAt = rounds;
        }
        if (form->isFullScreen() != seenFull) {
            seenFull = !seenFull;
            ++seen;
        }
        // The figures are taken half way between two changes, once the window has settled in
        // its new size and its pictures have been drawn at it.
        if (rounds % roundsPerChange != roundsPerChange / 2 || done < 2)
            return;
        const char* window = form->isFullScreen() ? "full" : "normal";
        if (done == 2) {
            start = report("start", window, seen, rounds);
        } else if (done < changes + 2) {
            if (std::getenv("BENCH_EVERY_CHANGE") || done % 10 == 0)
                report("", window, seen, rounds);
        } else {
            play.stop();
            const Figures end = report("end", window, seen, rounds);
            std::printf("start to end, %d changes: rss_kb %+ld  heap_used_kb %+ld  threads "
                        "%ld -> %ld  fds %d -> %d\n",
                        seen - start.changes, end.rssKb - start.rssKb,
                        long(end.heapUsedKb) - long(start.heapUsedKb), start.threads, end.threads,
                        start.fds, end.fds);
            std::fflush(stdout);
            if (std::getenv("BENCH_QUICK_EXIT"))
                _exit(0); // no teardown: heaptrack then lists all that is still held as leaked
            QApplication::quit();
        }
    });
    report("open", "normal", 0, 0);
    play.start(pauseMs);
    return app.exec();
}
