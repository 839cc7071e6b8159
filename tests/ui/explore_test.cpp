// Explore mode on the real window: a click on a state shows and says its name, and nothing
// else happens: no car button, no box, no count.
#include "play_fixture.h"

#include "catalogo.h"
#include "front_pixel.h"
#include "region_table.h"

#include <QPointingDevice>

#include <memory>

using namespace brindora;
using namespace brindora::testing;

namespace {

class ExploreTest : public PlayTest {
public:
    ExploreTest() : PlayTest(false, nullptr, true) {}

    // Nothing asked, counted or shown in a box, whatever the clicks were.
    void expectNothingCounted() {
        tick();
        EXPECT_TRUE(boxes.seen.empty()) << boxes.texts().join(" | ").toStdString();
        EXPECT_EQ(punti(), "0");
        EXPECT_EQ(errori(), "0");
        EXPECT_EQ(form.game().stato(), 0);
        EXPECT_EQ(form.game().richieste(), 0);
        EXPECT_FALSE(client->command2()->isVisible());
        EXPECT_FALSE(form.ended());
    }
};

TEST_F(ExploreTest, NoCarButtonAndNothingAskedByEnter) {
    EXPECT_EQ(sounds, std::vector<std::string>{sound("inno.wav")});
    EXPECT_TRUE(form.timer1().isActive());
    QTest::keyClick(&form, Qt::Key_Return);
    expectNothingCounted();
}

TEST_F(ExploreTest, EveryRegionShowsAndSaysItsOwnState) {
    for (const Region& r : regioni) {
        SCOPED_TRACE(std::string(r.name) + "[" + std::to_string(r.index) + "]");
        const MapPixel front = frontPixel(r);
        ASSERT_GE(front.x, 0) << "hidden everywhere";
        const QPoint at(front.x, front.y);
        const StateRow* row = lookupState(r.state);
        ASSERT_NE(row, nullptr);
        const std::size_t before = sounds.size();
        clickMap(at);
        EXPECT_EQ(client->lblreg()->text().toStdString(), row->name);
        ASSERT_EQ(sounds.size(), before + 1);
        EXPECT_EQ(sounds.back(), sound(std::string(row->soundFile).c_str()));
    }
    expectNothingCounted();
}

struct Point : NamedCase {
    QPoint at;
    const char* shown; // lblreg afterwards: a new name, or nullptr for the one before
};

// Each after a click on Romania.
const Point kPoints[] = {
    {"Slovenia over Italy", kSlovenia, "Slovenia"},
    {"Italy beside Slovenia", kItalyEdge, "Italia"},
    {"inert zone over north-eastern France", kInertFrance, nullptr},
    {"inert zone on the Pyrenees", kInertPyrenees, nullptr},
    {"Switzerland", kSwitzerland, nullptr},
    {"Norway", kNorway, nullptr},
    {"the sea", kSea, nullptr},
    {"the heading line", kHeadingLine, nullptr},
};

class ExplorePoint : public ExploreTest, public ::testing::WithParamInterface<Point> {};

TEST_P(ExplorePoint, TheRegionInFrontOrNothing) {
    clickMap(kRomania);
    ASSERT_EQ(client->lblreg()->text(), "Romania");
    const std::size_t before = sounds.size();
    clickMap(GetParam().at);
    const char* shown = GetParam().shown;
    EXPECT_EQ(client->lblreg()->text(), QString::fromUtf8(shown ? shown : "Romania"));
    EXPECT_EQ(sounds.size(), before + (shown ? 1 : 0));
    expectNothingCounted();
}

INSTANTIATE_TEST_SUITE_P(Map, ExplorePoint, ::testing::ValuesIn(kPoints), ByName());

TEST_F(ExploreTest, ExitLeavesAsInTheGame) {
    clickMap(kFrance);
    QTest::mouseClick(client->command3(), Qt::LeftButton);
    EXPECT_EQ(boxes.texts(), QStringList{"Ciao ti aspetto per giocare ancora insieme!"});
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(form.ended());
}

// A tap on the whiteboard in full screen.
TEST_F(ExploreTest, ATapInFullScreenNamesTheState) {
    form.toggleFullScreen();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->scale() != 1.0; }, 5000));
    std::unique_ptr<QPointingDevice> device{QTest::createTouchDevice()};
    MapBox* map = client->picture2();
    const QPoint at = map->toWidget(kFrance);
    QTest::touchEvent(map, device.get()).press(0, at, map);
    QTest::touchEvent(map, device.get()).release(0, at, map);
    EXPECT_TRUE(QTest::qWaitFor([&] { return client->lblreg()->text() == "Francia"; }, 5000));
    EXPECT_EQ(sounds.back(), sound("Francia.wav"));
    expectNothingCounted();
}

} // namespace
