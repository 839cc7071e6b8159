// The window in play, as the tests drive it: a scripted draw, boxes closed by the test.
#pragma once

#include "box_closer.h"
#include "case_name.h"
#include "client_area.h"
#include "game.h"
#include "game_menu_bar.h"
#include "graphical_button.h"
#include "map_box.h"
#include "recording_window.h"
#include "test_form.h"

#include <QDir>
#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

namespace brindora::testing {

const QString kDir = QStringLiteral("/nonexistent/brindora");
const QString kTitle = QStringLiteral("Brindora");

inline std::string sound(const char* file) {
    const QChar sep = QDir::separator(); // the game joins the folder with the platform's own
    return (kDir + sep + QStringLiteral("Europa") + sep + QLatin1String(file)).toStdString();
}

// Points of the map in client pixels, each well inside what it names.
const QPoint kRomania{370, 380}, kBulgaria{380, 425}, kFrance{120, 360}, kPortugalSouth{10, 440};
const QPoint kSlovenia{264, 373}, kItalyEdge{263, 373};
// Points where a click finds no region: the inert zones, the states with none, open map.
const QPoint kInertFrance{160, 320}, kInertPyrenees{140, 403}, kSwitzerland{206, 356},
    kNorway{273, 53}, kSea{20, 60}, kHeadingLine{30, 10};

class PlayTest : public ::testing::Test {
public:
    explicit PlayTest(bool mute = false, GameObserver* gameObserver = nullptr, bool explore = false,
                      int scan = 0)
        : muted(mute), observer(gameObserver), exploring(explore), scanMs(scan) {}

    const bool muted;             // started with --mute
    GameObserver* const observer; // told of the game, as the results are
    const bool exploring;         // started with --explore
    const int scanMs;             // started with --scan, in milliseconds
    ScriptedRandom random;
    int quits = 0;
    std::vector<std::string> sounds;
    BoxCloser boxes;
    Form1 form{startOptions()};
    ClientArea* client = form.client();

    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void pressCommand2(int drawnState) {
        random.values.push_back(ScriptedRandom::forState(drawnState));
        QTest::mouseClick(client->command2(), Qt::LeftButton);
    }
    void clickMap(QPoint clientPixel) {
        MapBox* map = client->picture2();
        QTest::mouseClick(map, Qt::LeftButton, {}, clientPixel + map->clientRect().topLeft());
    }
    void chooseMenu(const char* name) {
        form.menu()->findChild<QAction*>(QLatin1String(name))->trigger();
    }
    // One tick of Timer1, by hand, whatever the real timer has done meanwhile.
    void tick() { form.timer1Timer(); }
    QString punti() const { return client->lblpunti()->text(); }
    QString errori() const { return client->lblerrori()->text(); }

private:
    Form1Options startOptions() {
        Form1Options options = testOptions(
            &random, [this] { ++quits; }, kDir);
        options.soundObserver = [this](const std::string& p) { sounds.push_back(p); };
        options.mute = muted;
        options.observer = observer;
        options.explore = exploring;
        options.scanMs = scanMs;
        return options;
    }
};

} // namespace brindora::testing
