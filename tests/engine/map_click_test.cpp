// A click on the map reaches the judgement with the region's state and text, or nothing.
#include "case_name.h"
#include "front_pixel.h"
#include "game.h"
#include "recording_window.h"
#include "region_table.h"

#include <gtest/gtest.h>

using namespace brindora;
using brindora::testing::frontPixel;
using brindora::testing::MapPixel;
using brindora::testing::RecordingWindow;
using brindora::testing::ScriptedRandom;

namespace {

// What the map box hands to the game: the region in front at the point, judged by its state
// and its own text; nothing for an inert zone or open map.
bool clickMap(Game& game, int x, int y) {
    const Region* region = hitTest(x, y).region;
    if (region != nullptr)
        game.judge(region->state, std::string(region->wrongText));
    return region != nullptr;
}

struct Click {
    const char* name;
    int x, y;
    const char* text; // the wrong-answer box, or nullptr when nothing happens
};
void PrintTo(const Click& c, std::ostream* os) {
    *os << c.name << " at (" << c.x << ", " << c.y << ") twips";
}

class MapClick : public ::testing::TestWithParam<Click> {};

TEST_P(MapClick, BeforeTheFirstRequest) {
    RecordingWindow window;
    ScriptedRandom random;
    Game game(window, random, "/p");
    const Click& c = GetParam();
    EXPECT_EQ(clickMap(game, c.x, c.y), c.text != nullptr);
    if (c.text) {
        ASSERT_EQ(window.ofKind("box").size(), 1u);
        EXPECT_EQ(window.ofKind("box")[0].a, c.text);
        EXPECT_EQ(game.errori(), 1);
    } else {
        EXPECT_TRUE(window.events.empty());
        EXPECT_EQ(game.errori(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Points, MapClick,
    ::testing::Values(Click{"Portugal", 100, 6600, "Questo \u00e8  il Portogallo"},
                      Click{"Slovenia over Italy", 3960, 5600, "Questa \u00e8 la Slovenia"},
                      Click{"Italy beside Slovenia", 3945, 5600, "Questa \u00e8 l'Italia"},
                      Click{"France over the inert zone", 2760, 4920, "Questa \u00e8 la Francia"},
                      Click{"Luxembourg", 2900, 4600, "Questo \u00e8 il Lussemburgo"},
                      Click{"Cyprus", 7300, 7800, "Questo \u00e8 Cipro"},
                      Click{"inert zone over France", 2400, 4800, nullptr},
                      Click{"inert zone on the Pyrenees", 2100, 6050, nullptr},
                      Click{"Switzerland", 3100, 5350, nullptr},
                      Click{"Norway", 4100, 800, nullptr}, Click{"open map", 8000, 500, nullptr},
                      Click{"beyond the map", 9300, 500, nullptr}),
    brindora::testing::ByName());

TEST(MapClickGame, EveryRegionIsRightForItsOwnState) {
    for (const Region& r : regioni) {
        RecordingWindow window;
        ScriptedRandom random;
        random.values = {ScriptedRandom::forState(r.state)};
        Game game(window, random, "/p");
        game.command2Click();
        const MapPixel front = frontPixel(r);
        ASSERT_GE(front.x, 0) << r.name << " is hidden everywhere";
        clickMap(game, front.x * kTwipsPerPixel, front.y * kTwipsPerPixel);
        EXPECT_EQ(window.ofKind("box").back().a, "        ESATTO") << r.name;
        EXPECT_EQ(game.errori(), 0) << r.name;
    }
}

} // namespace
