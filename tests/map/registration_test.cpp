// The committed map against the game's own region table: every rectangle over its state,
// the anchors of the registration table, and the report of purity and wrong clicks.
#include "case_name.h"
#include "map_files.h"
#include "map_report.h"

#include <gtest/gtest.h>

#include <QRect>
#include <cmath>
#include <iostream>

using namespace brindora;

namespace {

const MapReport& report() {
    static const MapReport r(mapfiles::mask());
    return r;
}

class MapRegistration : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(mapfiles::mask().isNull()) << mapfiles::maskPath().toStdString();
        ASSERT_EQ(mapfiles::mask().size(), QSize(mapfiles::kWidth, mapfiles::kHeight));
        ASSERT_FALSE(mapfiles::picture().isNull()) << mapfiles::picturePath().toStdString();
    }
};

// A row of the region table, by its place there.
struct RegionRow {
    int index;

    const Region& region() const { return regioni.at(index); }
    std::string name() const {
        return std::string(region().name) +
               (region().index >= 0 ? "_" + std::to_string(region().index) : "");
    }
};
void PrintTo(const RegionRow& row, std::ostream* os) {
    *os << row.name() << " (state " << row.region().state << ")";
}

std::vector<RegionRow> allRegions() {
    std::vector<RegionRow> rows;
    for (int i = 0; i < kRegionCount; ++i)
        rows.push_back({i});
    return rows;
}

class RegionMajority : public MapRegistration, public ::testing::WithParamInterface<RegionRow> {};

// Luxembourg's rectangle is far larger than the state; it only has to hold some of it.
TEST_P(RegionMajority, OwnStateHoldsMostOfItsLand) {
    const RegionPurity& p = report().regions().at(GetParam().index);
    if (p.region->name == "Label54") {
        EXPECT_GT(p.own, 0) << "no Luxembourg under Label54";
        return;
    }
    EXPECT_GT(2 * p.own, p.land) << p.region->name << " (" << p.region->index << "): " << p.own
                                 << " of " << p.land << " land pixels are its state";
}
INSTANTIATE_TEST_SUITE_P(AllRegions, RegionMajority, ::testing::ValuesIn(allRegions()),
                         [](const auto& info) { return info.param.name(); });

TEST_F(MapRegistration, MeanPurityAtLeast96Percent) {
    std::cout << report().text();
    EXPECT_GE(report().meanPurity(), 0.96);
}

// A pixel of the registration table: its state, and the region whose rectangle holds it.
struct AnchorPixel {
    const char* what;
    int x, y;
    StateNumber state;
    const char* region;
};
void PrintTo(const AnchorPixel& a, std::ostream* os) {
    *os << a.what << " at (" << a.x << ", " << a.y << ") in " << a.region;
}

class AnchorPixels : public MapRegistration, public ::testing::WithParamInterface<AnchorPixel> {};
TEST_P(AnchorPixels, LieOnTheirStateInTheirRegion) {
    const AnchorPixel& a = GetParam();
    EXPECT_EQ(report().stateAt(a.x, a.y), a.state) << a.what;
    const Hit hit = hitTest(pixelsToTwips(a.x), pixelsToTwips(a.y));
    ASSERT_NE(hit.region, nullptr) << a.what;
    EXPECT_EQ(hit.region->name, a.region) << a.what;
}
INSTANTIATE_TEST_SUITE_P(RegistrationTable, AnchorPixels,
                         ::testing::Values(AnchorPixel{"southern Portugal", 12, 445, 10, "Label20"},
                                           AnchorPixel{"Malta", 267, 526, 25, "Label82"},
                                           AnchorPixel{"Luxembourg", 199, 312, 24, "Label54"},
                                           AnchorPixel{"Cyprus", 490, 521, 26, "Label83"}),
                         [](const auto& info) { return std::string(info.param.region); });

// The small states sit where the text puts them, give or take a pixel or two.
struct SmallState {
    const char* name;
    StateNumber state;
    QPointF centre;
    QSize about; // rough size in pixels
};
void PrintTo(const SmallState& s, std::ostream* os) {
    *os << s.name << " (state " << s.state << ")";
}

class SmallStates : public MapRegistration, public ::testing::WithParamInterface<SmallState> {};
TEST_P(SmallStates, CentredNearTheirAnchor) {
    const SmallState& s = GetParam();
    QRect box;
    QPointF sum;
    int count = 0;
    for (int y = 0; y < mapfiles::kHeight; ++y)
        for (int x = 0; x < mapfiles::kWidth; ++x)
            if (report().stateAt(x, y) == s.state) {
                box |= QRect(x, y, 1, 1);
                sum += QPointF(x + 0.5, y + 0.5);
                ++count;
            }
    ASSERT_GT(count, 0) << "state " << s.state << " is missing";
    const QPointF off = sum / count - s.centre;
    EXPECT_LE(std::hypot(off.x(), off.y()), 2.0) << "state " << s.state;
    // Kept at its true size: no smaller than half, no larger than twice the stated one.
    EXPECT_GE(2 * box.width(), s.about.width());
    EXPECT_LE(box.width(), 2 * s.about.width());
    EXPECT_GE(2 * box.height(), s.about.height());
    EXPECT_LE(box.height(), 2 * s.about.height());
}
INSTANTIATE_TEST_SUITE_P(RegistrationTable, SmallStates,
                         // Luxembourg, 57 x 82 km, spans about 7 x 10 pixels at this scale.
                         ::testing::Values(SmallState{"Luxembourg", 24, {199.5, 312.5}, {7, 10}},
                                           SmallState{"Malta", 25, {267.5, 526.5}, {4, 4}},
                                           SmallState{"Cyprus", 26, {490.5, 521.5}, {20, 15}}),
                         brindora::testing::ByName());

TEST_F(MapRegistration, FinlandCrossesTheOnePixelStrip) {
    int finnish = 0;
    for (int x = 352; x <= 368; ++x)
        finnish += report().stateAt(x, 32) == 15;
    EXPECT_GT(finnish, 0);
}

// Iceland fills its corner and nothing of it strays out; the region around is sea.
TEST_F(MapRegistration, IcelandStaysInItsCorner) {
    const QRect corner(64, 7, 65, 55);
    int inside = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            if (report().stateAt(x, y) == 0)
                continue;
            EXPECT_TRUE(corner.contains(x, y)) << "land at " << x << "," << y;
            ++inside;
        }
    EXPECT_GT(inside, corner.width() * corner.height() / 3);
}

} // namespace
