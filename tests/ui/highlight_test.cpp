// The highlight over the rendered map, for every stop: round the state's own border, and
// at least 3:1 against the colours on both sides of it.
#include "play_fixture.h"

#include "catalogo.h"
#include "keyboard_stops.h"
#include "layout_table.h"
#include "map_highlight.h"

#include <cmath>
#include <cstdio>

using namespace brindora;
using namespace brindora::testing;

namespace {

double luminance(QRgb c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The map's own drawing of coasts and islands: black or dark grey lines, not an area colour.
bool outline(QRgb c) {
    const int high = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int low = std::min({qRed(c), qGreen(c), qBlue(c)});
    return high < 100 && high - low < 24;
}

TEST_F(PlayTest, TheHighlightRingsEveryStopAtThreeToOneOnBothSides) {
    MapBox* map = client->picture2();
    const QRect inside = map->clientRect();
    const QImage plain = map->grab(inside).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage mask = MapHighlight::maskAt(plain.size());
    ASSERT_EQ(mask.size(), QSize(619, 539));
    // The focus frame lies along the client area's edge once the keyboard is used.
    const QRect checked = QRect(QPoint(0, 0), plain.size())
                              .adjusted(layout::kMapFocusPixels, layout::kMapFocusPixels,
                                        -layout::kMapFocusPixels, -layout::kMapFocusPixels);
    double worst = 99;
    std::string worstStop;
    int outlinePairs = 0, pairs = 0;
    for (const StateNumber state : readingOrder()) {
        QTest::keyClick(map, Qt::Key_PageDown);
        ASSERT_EQ(map->highlighted(), state);
        const std::string name(lookupState(state)->name);
        const QImage shown = map->grab(inside).toImage().convertToFormat(QImage::Format_RGB32);
        QPoint at;
        const QImage line = MapHighlight::lineIn(mask, state, MapHighlight::kWidthPixels, &at);
        const auto onLine = [&](int x, int y) {
            const QPoint p = QPoint(x, y) - at;
            return line.rect().contains(p) && qAlpha(line.pixel(p)) == 255;
        };
        const auto ofState = [&](int x, int y) { return mask.constScanLine(y)[x] == state; };
        double inner = 99, outer = 99;
        int wrong = 0, gaps = 0;
        for (int y = checked.top(); y <= checked.bottom(); ++y)
            for (int x = checked.left(); x <= checked.right(); ++x) {
                const QRgb drawn = shown.pixel(x, y);
                if (!onLine(x, y)) {
                    wrong += drawn != plain.pixel(x, y); // nothing but the line is drawn
                    continue;
                }
                wrong += drawn != MapHighlight::kColour;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const int nx = x + d.x(), ny = y + d.y();
                    if (!checked.contains(nx, ny) || onLine(nx, ny))
                        continue;
                    const QRgb side = shown.pixel(nx, ny);
                    if (ofState(nx, ny)) {
                        inner = std::min(inner, contrast(drawn, side));
                    } else if (outline(side)) {
                        ++outlinePairs;
                    } else {
                        outer = std::min(outer, contrast(drawn, side));
                        ++pairs;
                    }
                }
            }
        // No gap between the state and its line: every pixel beside the state is on it.
        for (int y = 1; y < mask.height() - 1; ++y)
            for (int x = 1; x < mask.width() - 1; ++x)
                if (ofState(x, y))
                    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                        gaps += !ofState(x + d.x(), y + d.y()) && !onLine(x + d.x(), y + d.y());
        EXPECT_EQ(wrong, 0) << name;
        EXPECT_EQ(gaps, 0) << name;
        EXPECT_GE(inner, 3.0) << name << ": against the state itself";
        EXPECT_GE(outer, 3.0) << name << ": against what lies beyond";
        if (std::min(inner, outer) < worst) {
            worst = std::min(inner, outer);
            worstStop = name;
        }
    }
    std::printf("worst contrast: %s %.2f:1; %d of %d pixels beside the line are the map's own "
                "outline\n",
                worstStop.c_str(), worst, outlinePairs, outlinePairs + pairs);
}

// In full screen the line comes from a finer mask, as wide in proportion and as sharp: each
// pixel drawn or not, never a blur of the 1x one.
TEST(MapHighlightSize, WiderInProportionAndSharpAtEveryScale) {
    MapHighlight highlight;
    const QImage one = highlight.line(8, QSize(619, 539)).image;
    const auto drawn = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                EXPECT_TRUE(alpha == 0 || alpha == 255);
                n += alpha == 255;
            }
        return n;
    };
    const int base = drawn(one);
    for (const QSize size : {QSize(1176, 1024), QSize(1857, 1617), QSize(2476, 2156)}) {
        const double scale = size.width() / 619.0;
        const int n = drawn(highlight.line(8, size).image);
        EXPECT_GT(n, base * scale * scale * 0.7) << size.width();
        EXPECT_LT(n, base * scale * scale * 1.3) << size.width();
    }
}

} // namespace
