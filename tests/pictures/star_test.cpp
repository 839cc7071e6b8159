// The flag's construction, checked on the pictures: twelve stars on a circle, pointing up.
#include "flag_probe.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <string>

using namespace brindora;

namespace {

QImage stored(const char* name, int size, int depth) {
    for (const QImage& image : pictures::images(name))
        if (image.width() == size && pictures::storedDepth(image) == depth)
            return image.convertToFormat(QImage::Format_ARGB32);
    return {};
}

// The flag of an icon lies in the rows whose first pixel is blue.
QRect blueRows(const QImage& image) {
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        if (qAlpha(image.pixel(0, y)) == 255 && FlagProbe::isBlue(image.pixel(0, y))) {
            first = first < 0 ? y : first;
            last = y;
        }
    return first < 0 ? QRect() : QRect(0, first, image.width(), last - first + 1);
}

// Where a flag lies: which picture, and how to find its field there.
struct FlagCase {
    const char* label;
    const char* name;
    int size, depth; // which image of an icon file
    int stripFlag;   // -1 unless the flag is one of the strip's
    bool ticked;     // the icon's tick covers some stars
};

void PrintTo(const FlagCase& c, std::ostream* os) {
    *os << c.label;
}

// clang-format off
const FlagCase kFlags[] = {
    {"strip_left",    "flag_strip",     864, 24,  0, false},
    {"strip_middle",  "flag_strip",     864, 24,  1, false},
    {"strip_right",   "flag_strip",     864, 24,  2, false},
    {"pointer48",     "window_pointer",  48, 32, -1, false},
    {"pointer32",     "window_pointer",  32, 32, -1, false},
    {"pointer16",     "window_pointer",  16, 32, -1, false},
    {"pointer48_256", "window_pointer",  48,  8, -1, false},
    {"icon48",        "window_icon",     48, 32, -1, true},
    {"icon48_256",    "window_icon",     48,  8, -1, true},
    {"icon32",        "window_icon",     32, 32, -1, true},
    {"region",        "region_pointer",  32, 24, -1, false},
};
// clang-format on

// The picture and the flag's field in it: the strip's flags lie between the dark lines,
// an icon's flag in its blue rows, the region pointer's in its opaque top-left corner.
std::pair<QImage, QRect> locate(const FlagCase& c) {
    if (c.stripFlag >= 0) {
        const QImage strip = pictures::images(c.name).value(0);
        return {strip, FlagProbe::flagsBetweenDividers(strip, 0).value(c.stripFlag)};
    }
    const QImage image = stored(c.name, c.size, c.depth);
    if (qstrcmp(c.name, "region_pointer") == 0) {
        QRect opaque;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) == 255)
                    opaque |= QRect(x, y, 1, 1);
        return {image, opaque};
    }
    return {image, blueRows(image)};
}

TEST(FlagStrip, ThreeFlagsOfAboutAThirdEachBetweenDarkLines) {
    const QImage strip = pictures::images("flag_strip").value(0);
    ASSERT_FALSE(strip.isNull());
    for (int row : {0, 95, 190}) {
        const QList<QRect> found = FlagProbe::flagsBetweenDividers(strip, row);
        ASSERT_EQ(found.size(), 3) << "row " << row;
        for (const QRect& flag : found) {
            EXPECT_NEAR(flag.width(), 288, 4);
            EXPECT_EQ(flag.height(), 191);
        }
        EXPECT_EQ(found.first().left(), 0);
        EXPECT_EQ(found.last().right(), 863);
        EXPECT_LE(found[1].left() - found[0].right() - 1, 3) << "the lines are thin";
    }
}

class Stars : public ::testing::TestWithParam<FlagCase> {};

TEST_P(Stars, TwelveOnTheCircleAtTheHours) {
    const auto [image, area] = locate(GetParam());
    ASSERT_FALSE(image.isNull());
    ASSERT_TRUE(area.isValid());
    const QRectF field(area);
    const bool ticked = GetParam().ticked;
    EXPECT_TRUE(FlagProbe::isBlue(FlagProbe::at(image, field.center()))) << "centre";
    int shown = 0;
    for (int hour = 1; hour <= 12; ++hour) {
        const QRgb star = FlagProbe::at(image, FlagProbe::starCentre(field, hour));
        shown += FlagProbe::isYellow(star) ? 1 : 0;
        EXPECT_TRUE(FlagProbe::isYellow(star) || (ticked && FlagProbe::isGreen(star)))
            << "hour " << hour;
        // Half way between two stars on the circle there is only blue.
        const QPointF gap = FlagProbe::starCentre(field, hour) * 0.5 +
                            FlagProbe::starCentre(field, hour % 12 + 1) * 0.5;
        const QPointF onCircle = field.center() + (gap - field.center()) * (field.height() / 3.0) /
                                                      QLineF(field.center(), gap).length();
        const QRgb between = FlagProbe::at(image, onCircle);
        EXPECT_TRUE((FlagProbe::isBlue(between) && !FlagProbe::isGreen(between)) ||
                    (ticked && FlagProbe::isGreen(between)))
            << "after " << hour;
    }
    EXPECT_GE(shown, ticked ? 8 : 12) << "the tick hides only a few stars";
}

// The strip's flags are large enough to show each star's shape.
class LargeStars : public Stars {};

TEST_P(LargeStars, PointUpAndAreTwelve) {
    const auto [image, area] = locate(GetParam());
    ASSERT_FALSE(image.isNull());
    const QRectF field(area);
    const double r = FlagProbe::starRadius(field);
    ASSERT_GE(r, 4.0);
    EXPECT_EQ(FlagProbe::yellowPatches(image, area, int(r * r / 4)), 12);
    for (int hour = 1; hour <= 12; ++hour) {
        const QPointF star = FlagProbe::starCentre(field, hour);
        // The top point reaches the whole outer radius; downwards lies the notch between
        // the two lower points, a third of the way out.
        EXPECT_TRUE(FlagProbe::isYellow(FlagProbe::at(image, star + QPointF(0, -0.6 * r))));
        EXPECT_TRUE(FlagProbe::isBlue(FlagProbe::at(image, star + QPointF(0, 0.6 * r))));
        EXPECT_TRUE(FlagProbe::isBlue(FlagProbe::at(image, star + QPointF(0, -1.15 * r))));
    }
}

const auto kName = [](const auto& info) { return std::string(info.param.label); };
INSTANTIATE_TEST_SUITE_P(Pictures, Stars, ::testing::ValuesIn(kFlags), kName);
INSTANTIATE_TEST_SUITE_P(Strip, LargeStars,
                         ::testing::ValuesIn(std::begin(kFlags), std::begin(kFlags) + 3), kName);

TEST(WindowIcon, GreenTickOverTheLowerRightOfTheFlag) {
    for (const auto& [size, depth] : {std::pair(48, 8), std::pair(48, 32), std::pair(32, 32)}) {
        const QImage icon = stored("window_icon", size, depth);
        ASSERT_FALSE(icon.isNull());
        const QRectF flag(blueRows(icon));
        ASSERT_FALSE(flag.isEmpty());
        int count = 0;
        QPointF sum;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                if (qAlpha(icon.pixel(x, y)) == 255 && FlagProbe::isGreen(icon.pixel(x, y))) {
                    ++count;
                    sum += QPointF(x + 0.5, y + 0.5);
                }
        SCOPED_TRACE(std::to_string(size) + " px, " + std::to_string(depth) + " bits");
        EXPECT_GT(count, flag.width() * flag.height() / 12) << "a large tick";
        ASSERT_GT(count, 0);
        const QPointF centroid = sum / count;
        EXPECT_GT(centroid.x(), flag.center().x() + flag.width() / 8);
        EXPECT_GT(centroid.y(), flag.center().y());
        EXPECT_TRUE(flag.contains(centroid));
    }
}

} // namespace
