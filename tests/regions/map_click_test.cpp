// A click on the map reaches the judgement with the region's state and text, or nothing.
#include "game.h"
#include "map_click.h"
#include "recording_window.h"
#include "region_table.h"

#include <gtest/gtest.h>

using namespace brindora;
using brindora::testing::RecordingWindow;
using brindora::testing::ScriptedRandom;

namespace {

struct Click {
    int x, y;
    const char* text; // the wrong-answer box, or nullptr when nothing happens
};

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
    ::testing::Values(Click{100, 6600, "Questo \u00e8  il Portogallo"},
                      Click{3960, 5600, "Questa \u00e8 la Slovenia"},
                      Click{3945, 5600, "Questa \u00e8 l'Italia"},
                      Click{2760, 4920, "Questa \u00e8 la Francia"},
                      Click{2900, 4600, "Questo \u00e8 il Lussemburgo"},
                      Click{7300, 7800, "Questo \u00e8 Cipro"},
                      Click{2400, 4800, nullptr}, // inert zone
                      Click{2100, 6050, nullptr}, // inert zone
                      Click{3100, 5350, nullptr}, // Switzerland
                      Click{4100, 800, nullptr},  // Norway
                      Click{8000, 500, nullptr},  // open map
                      Click{9300, 500, nullptr})); // beyond the map

TEST(MapClickGame, EveryRegionIsRightForItsOwnState) {
    for (const Region& r : regioni) {
        RecordingWindow window;
        ScriptedRandom random;
        random.values = {ScriptedRandom::forState(r.state)};
        Game game(window, random, "/p");
        game.command2Click();
        // Some regions lie partly under others: click a point where this one is in front.
        int x = -1, y = -1;
        for (int py = r.rect.top; py < r.rect.top + r.rect.height && x < 0; py += 15)
            for (int px = r.rect.left; px < r.rect.left + r.rect.width && x < 0; px += 15)
                if (hitTest(px, py).region == &r)
                    x = px, y = py;
        ASSERT_GE(x, 0) << r.name << " is hidden everywhere";
        clickMap(game, x, y);
        EXPECT_EQ(window.ofKind("box").back().a, "        ESATTO") << r.name;
        EXPECT_EQ(game.errori(), 0) << r.name;
    }
}

} // namespace
