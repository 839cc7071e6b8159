// A game with results on, played by script up to the point where it waits for a click;
// results_posix_tests kills or signals it there. Prints "answer N" after each click, then
// "waiting".
#include "box_closer.h"
#include "client_area.h"
#include "form1.h"
#include "map_box.h"
#include "play_fixture.h"
#include "recording_window.h"
#include "results_writer.h"
#include "session_end.h"

#include <QApplication>
#include <QTest>
#include <cstdio>

using namespace brindora;
using namespace brindora::testing;

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    QApplication app(argc, argv);
    ResultsWriterSetup setup;
    setup.folder = argv[1];
    setup.place = {"pc", "Anna"};
    ResultsWriter writer(setup);
    // As the program wires it: a logout ends the game as a closed window does.
    SessionEnd sessionEnd([&writer] {
        writer.ended(GameEnd::WindowClosed);
        writer.finish();
    });
    ScriptedRandom random;
    BoxCloser boxes;
    Form1Options options = testOptions(
        &random, [] {}, kDir);
    options.mute = true;
    options.observer = &writer;
    Form1 form(std::move(options));
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 3;
    ClientArea* client = form.client();
    const auto request = [&](int state) {
        random.values.push_back(ScriptedRandom::forState(state));
        QTest::mouseClick(client->command2(), Qt::LeftButton);
    };
    int answers = 0;
    const auto click = [&](QPoint at) {
        MapBox* map = client->picture2();
        QTest::mouseClick(map, Qt::LeftButton, {}, at + map->clientRect().topLeft());
        std::printf("answer %d\n", ++answers);
        std::fflush(stdout);
    };
    request(1);
    click(kBulgaria);
    click(kRomania);
    request(8);
    click(kFrance);
    request(2);
    click(kRomania);
    click(kFrance);
    std::printf("waiting\n");
    std::fflush(stdout);
    return app.exec();
}
