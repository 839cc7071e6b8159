// The measuring itself, on small made-up masks: purity per rectangle, and clicks judged
// through the real stacking order of the region table.
#include "case_name.h"
#include "map_report.h"

#include <gtest/gtest.h>

#include <QRect>

using namespace brindora;

namespace {

QImage seaMask() {
    QImage m(twipsToPixels(kMapWidthTwips), twipsToPixels(kMapHeightTwips),
             QImage::Format_Grayscale8);
    m.fill(0);
    return m;
}

QRect pixelsOf(const Rect& r) {
    return QRect(twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
                 twipsToPixels(r.height));
}

void paint(QImage& m, const QRect& area, int value) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            m.scanLine(y)[x] = uchar(value);
}

const Region& region(std::string_view name, int index = -1) {
    for (const Region& r : regioni)
        if (r.name == name && r.index == index)
            return r;
    throw std::invalid_argument(std::string(name));
}

const RegionPurity& purityOf(const MapReport& report, const Region& r) {
    for (const RegionPurity& p : report.regions())
        if (p.region == &r)
            return p;
    throw std::invalid_argument(std::string(r.name));
}

// A rectangle filled with its own state, some rows at its top replaced by another value.
struct PurityCase {
    const char* name;
    const char* region;
    int intruderRows;
    int intruder; // another state, other land, or sea
};
void PrintTo(const PurityCase& c, std::ostream* os) {
    *os << c.name << ": " << c.region << ", " << c.intruderRows << " rows of " << c.intruder;
}

class Purity : public ::testing::TestWithParam<PurityCase> {};
TEST_P(Purity, OwnShareOfTheLandInTheRectangle) {
    const PurityCase& c = GetParam();
    const Region& r = region(c.region);
    const QRect area = pixelsOf(r.rect);
    QImage m = seaMask();
    paint(m, area, r.state);
    paint(m, QRect(area.left(), area.top(), area.width(), c.intruderRows), c.intruder);
    const MapReport report(m);
    const RegionPurity& p = purityOf(report, r);
    const int intruders = area.width() * c.intruderRows;
    const int land =
        c.intruder == 0 ? area.width() * area.height() - intruders : area.width() * area.height();
    EXPECT_EQ(p.land, land);
    EXPECT_EQ(p.own, area.width() * area.height() - intruders);
    EXPECT_DOUBLE_EQ(p.purity(), double(p.own) / land);
}
INSTANTIATE_TEST_SUITE_P(
    Rectangles, Purity,
    ::testing::Values(PurityCase{"Poland alone", "Label8", 0, 9},
                      PurityCase{"Germany creeps into Poland", "Label8", 10, 9},
                      PurityCase{"other land in Ireland", "Label41", 5, kOtherLand},
                      PurityCase{"Spain in Portugal", "Label20", 7, 18},
                      PurityCase{"sea does not count", "Label83", 12, 0},
                      PurityCase{"Norway in the strip", "Label60", 1, 12}),
    brindora::testing::ByName());

TEST(PurityEdge, RectangleWithoutLandIsNotPure) {
    const MapReport report(seaMask());
    EXPECT_EQ(report.meanPurity(), 0.0);
    EXPECT_EQ(report.worst().land, 0);
}

TEST(PurityEdge, WorstIsTheLeastPure) {
    QImage m = seaMask();
    for (const Region& r : regioni)
        paint(m, pixelsOf(r.rect), r.state);
    const Region& spoiled = region("Label76");
    paint(m, pixelsOf(spoiled.rect).adjusted(0, 0, 0, -20), 9);
    const MapReport report(m);
    EXPECT_EQ(report.worst().region, &spoiled);
    EXPECT_LT(report.meanPurity(), 1.0);
}

// One pixel of the state behind, where two rectangles overlap: the one in front judges it.
struct OverlapCase {
    const char* name;
    int x, y; // twips of the shared rectangle's corner
    StateNumber pixelState;
    int judged; // state the front rectangle stands for, 0 for an inert zone
};
void PrintTo(const OverlapCase& c, std::ostream* os) {
    *os << c.name << ": a pixel of state " << c.pixelState << " judged as " << c.judged;
}

class Overlap : public ::testing::TestWithParam<OverlapCase> {};
TEST_P(Overlap, ClickIsJudgedByTheRectangleInFront) {
    const OverlapCase& c = GetParam();
    QImage m = seaMask();
    m.scanLine(twipsToPixels(c.y))[twipsToPixels(c.x)] = uchar(c.pixelState);
    const MapReport report(m);
    const StateClicks& clicks = report.clicks(c.pixelState);
    EXPECT_EQ(clicks.land, 1);
    EXPECT_EQ(clicks.judgedOther, c.judged != 0 && c.judged != c.pixelState ? 1 : 0);
    EXPECT_EQ(clicks.judgedNone, c.judged == 0 ? 1 : 0);
}
INSTANTIATE_TEST_SUITE_P(
    StackingTable, Overlap,
    ::testing::Values(OverlapCase{"Label90 over Label50#0", 3960, 5520, 13, 29},
                      OverlapCase{"Label88 over Label29", 5280, 3360, 14, 28},
                      OverlapCase{"Label76 over Label18", 3360, 3720, 9, 22},
                      OverlapCase{"inert Label67 over Label66", 2400, 4800, 8, 0},
                      OverlapCase{"Label75 over Label67 France", 2760, 4920, 8, 8},
                      OverlapCase{"Label64 over Label41", 1560, 3840, 20, 17},
                      OverlapCase{"Norway under no rectangle", 4100, 800, 12, 0}),
    brindora::testing::ByName());

} // namespace
