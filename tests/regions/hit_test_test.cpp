// The hit test: bounds, half-open rectangles, and every overlap of the table.
#include "case_name.h"
#include "region_table.h"

#include <gtest/gtest.h>

#include <string>

using namespace brindora;
using brindora::testing::ByName;

namespace {

// "Label50#1" for a member of the control array, "Label20" otherwise, "" for nothing.
std::string nameAt(int x, int y) {
    const Hit hit = hitTest(x, y);
    if (hit.region)
        return std::string(hit.region->name) +
               (hit.region->index >= 0 ? "#" + std::to_string(hit.region->index) : "");
    if (hit.zone)
        return std::string(hit.zone->name);
    return "";
}

struct PointCase {
    const char* name;
    int x, y;
    const char* takenBy; // the rectangle in front there, "" for none
};
void PrintTo(const PointCase& c, std::ostream* os) {
    *os << c.name << " at (" << c.x << ", " << c.y << ") twips";
}

class HitPoint : public ::testing::TestWithParam<PointCase> {};
TEST_P(HitPoint, TakenBy) {
    const PointCase& c = GetParam();
    EXPECT_EQ(nameAt(c.x, c.y), c.takenBy) << c.x << "," << c.y;
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    EdgeCases, HitPoint,
    ::testing::Values(PointCase{"Slovenia over Italy", 3960, 5600, "Label90"},
                      PointCase{"one column left Italy", 3945, 5600, "Label50#0"},
                      PointCase{"inert over France", 2400, 4800, "Label67"},
                      PointCase{"France in front of the inert zone", 2760, 4920, "Label75"},
                      PointCase{"inert over Label17", 2100, 6050, "Label69"},
                      PointCase{"Switzerland", 3100, 5350, ""},
                      PointCase{"Norway", 4100, 800, ""},
                      PointCase{"last column of Label20", 360, 6500, "Label20"},
                      PointCase{"just right of Label20", 375, 6500, ""},
                      PointCase{"the one pixel strip", 5300, 480, "Label60"},
                      PointCase{"the row below the strip", 5300, 495, ""},
                      PointCase{"the sea under the heading", 0, 0, ""},
                      PointCase{"left of the map", -1, 6500, ""},
                      PointCase{"right of the map", 9285, 100, ""},
                      PointCase{"below the map", 100, 8085, ""},
                      PointCase{"corner of Cyprus", 7200, 7680, "Label83"},
                      PointCase{"last twip of Cyprus", 7574, 8054, "Label83"},
                      PointCase{"right of Cyprus", 7575, 8054, ""}),
    ByName());
// clang-format on

TEST(HitTest, EachMemberOfLabel50IsItaly) {
    for (const Region& r : regioni) {
        if (r.name != "Label50")
            continue;
        const Hit hit = hitTest(r.rect.left + r.rect.width / 2, r.rect.top + r.rect.height / 2);
        ASSERT_NE(hit.region, nullptr);
        EXPECT_EQ(hit.region->state, 13);
    }
}

// The overlaps of the table: in front, behind, and the rectangle they share.
struct Overlap {
    const char* front;
    const char* behind;
    int left, top, width, height;
};
void PrintTo(const Overlap& o, std::ostream* os) {
    *os << o.front << " over " << o.behind;
}

const Rect& rectOf(const std::string& name) {
    for (const Region& r : regioni) {
        std::string n(r.name);
        if (r.index >= 0)
            n += "#" + std::to_string(r.index);
        if (n == name)
            return r.rect;
    }
    for (const InertZone& z : inertZones)
        if (z.name == name)
            return z.rect;
    throw std::runtime_error("no rectangle " + name);
}

int rankOf(const std::string& name) {
    for (const Region& r : regioni)
        if (&r.rect == &rectOf(name))
            return r.rank;
    for (const InertZone& z : inertZones)
        if (&z.rect == &rectOf(name))
            return z.rank;
    return 0;
}

class OverlapTable : public ::testing::TestWithParam<Overlap> {};

TEST_P(OverlapTable, FrontTakesTheSharedRectangle) {
    const Overlap& o = GetParam();
    // The shared rectangle really is the intersection of the two.
    const Rect& a = rectOf(o.front);
    const Rect& b = rectOf(o.behind);
    EXPECT_EQ(std::max(a.left, b.left), o.left);
    EXPECT_EQ(std::max(a.top, b.top), o.top);
    EXPECT_EQ(std::min(a.left + a.width, b.left + b.width) - o.left, o.width);
    EXPECT_EQ(std::min(a.top + a.height, b.top + b.height) - o.top, o.height);
    // The one behind never takes a point there; the one in front takes it unless a third
    // rectangle, ranked further forward still, lies over that point too.
    for (int y = o.top; y < o.top + o.height; y += kTwipsPerPixel) {
        for (int x = o.left; x < o.left + o.width; x += kTwipsPerPixel) {
            const std::string got = nameAt(x, y);
            EXPECT_NE(got, o.behind) << x << "," << y;
            if (got != o.front) {
                EXPECT_TRUE(rectOf(got).holds(x, y));
                EXPECT_LT(rankOf(got), rankOf(o.front)) << got << " at " << x << "," << y;
            }
        }
    }
}

TEST_P(OverlapTable, JustOutsideTheSharedRectangleTheOneBehindShows) {
    const Overlap& o = GetParam();
    const Rect& a = rectOf(o.front);
    const Rect& b = rectOf(o.behind);
    // One pixel beyond each side of the shared rectangle, where only the one behind of the
    // pair lies: it takes the point unless a third rectangle, ranked ahead of it, lies there.
    const int cx = o.left + o.width / 2, cy = o.top + o.height / 2;
    int checked = 0;
    for (auto [x, y] : {std::pair{o.left - kTwipsPerPixel, cy}, std::pair{o.left + o.width, cy},
                        std::pair{cx, o.top - kTwipsPerPixel}, std::pair{cx, o.top + o.height}}) {
        if (!b.holds(x, y) || a.holds(x, y))
            continue;
        ++checked;
        const std::string got = nameAt(x, y);
        if (got != o.behind) {
            ASSERT_NE(got, "") << x << "," << y;
            EXPECT_TRUE(rectOf(got).holds(x, y));
            EXPECT_LT(rankOf(got), rankOf(o.behind)) << got << " at " << x << "," << y;
        }
    }
    // Where the one behind reaches past the shared rectangle at all, a point was checked.
    const bool reachesOut = b.left < o.left || b.top < o.top ||
                            b.left + b.width > o.left + o.width ||
                            b.top + b.height > o.top + o.height;
    EXPECT_EQ(checked > 0, reachesOut);
}

std::string overlapName(const ::testing::TestParamInfo<Overlap>& info) {
    std::string n = std::string(info.param.front) + "_over_" + info.param.behind;
    for (char& c : n)
        if (c == '#')
            c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(All, OverlapTable,
                         ::testing::Values(Overlap{"Label90", "Label50#0", 3960, 5520, 15, 255},
                                           Overlap{"Label90", "Label53", 3960, 5520, 375, 15},
                                           Overlap{"Label89", "Label53", 4080, 5520, 375, 15},
                                           Overlap{"Label88", "Label29", 5280, 3360, 375, 15},
                                           Overlap{"Label87", "Label29", 5040, 3360, 495, 15},
                                           Overlap{"Label81", "Label10", 4920, 5160, 135, 15},
                                           Overlap{"Label76", "Label18", 3360, 3720, 495, 15},
                                           Overlap{"Label75", "Label67", 2760, 4920, 255, 255},
                                           Overlap{"Label71", "Label66", 2640, 4440, 15, 135},
                                           Overlap{"Label71", "Label54", 2880, 4560, 135, 15},
                                           Overlap{"Label71", "Label16", 2640, 4440, 15, 135},
                                           Overlap{"Label70", "Label69", 1920, 6000, 375, 15},
                                           Overlap{"Label69", "Label17", 2040, 6000, 255, 135},
                                           Overlap{"Label69", "Label47", 1920, 6120, 135, 15},
                                           Overlap{"Label68", "Label67", 2400, 5040, 495, 255},
                                           Overlap{"Label67", "Label66", 2400, 4800, 255, 375},
                                           Overlap{"Label67", "Label54", 2880, 4800, 135, 15},
                                           Overlap{"Label67", "Label16", 2400, 4800, 255, 255},
                                           Overlap{"Label67", "Label15", 2400, 5040, 495, 255},
                                           Overlap{"Label64", "Label41", 1560, 3840, 15, 135},
                                           Overlap{"Label39", "Label21", 480, 6360, 15, 15},
                                           Overlap{"Label38", "Label20", 360, 6600, 15, 255},
                                           Overlap{"Label17", "Label47", 2040, 6120, 15, 15},
                                           Overlap{"Label14", "Label8", 4320, 4680, 255, 15},
                                           Overlap{"Label13", "Label8", 4320, 4680, 255, 15},
                                           Overlap{"Label10", "Label1", 5280, 5280, 15, 135},
                                           Overlap{"Label8", "Label28", 5400, 3840, 15, 15},
                                           Overlap{"Label50#0", "Label53", 3960, 5520, 15, 15}),
                         overlapName);

TEST(HitTest, PointerFollowsTheHitTest) {
    EXPECT_EQ(pointerAt(2400, 4800), MapPointer::Region); // inert zone
    EXPECT_EQ(pointerAt(3960, 5600), MapPointer::Region);
    EXPECT_EQ(pointerAt(3100, 5350), MapPointer::Map); // Switzerland
    EXPECT_EQ(pointerAt(200, 100), MapPointer::Map);   // sea under the heading
    EXPECT_EQ(pointerAt(-15, 6500), MapPointer::Map);
}

TEST(HitTest, PixelsToTwips) {
    EXPECT_EQ(pixelsToTwips(0), 0);
    EXPECT_EQ(pixelsToTwips(12), 180);
    EXPECT_EQ(pixelsToTwips(618), 9270);
}

} // namespace
