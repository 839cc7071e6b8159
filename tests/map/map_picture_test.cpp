// The committed map picture: its format, the open sea under the captions, the colours of
// the states, and that picture and mask tell the same story pixel by pixel.
#include "case_name.h"
#include "map_files.h"

#include <gtest/gtest.h>

#include <QRect>
#include <algorithm>
#include <ostream>
#include <vector>

using namespace brindora;
using namespace brindora::mapfiles;

namespace {

class MapPicture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(picture().isNull()) << picturePath().toStdString();
        ASSERT_FALSE(mask().isNull()) << maskPath().toStdString();
        ASSERT_EQ(picture().size(), mask().size());
    }
    static int stateAt(int x, int y) { return qGray(mask().pixel(x, y)); }
    static QRgb colourAt(int x, int y) { return picture().pixel(x, y); }
};

struct FileFormat : brindora::testing::NamedCase {
    QString (*path)(int scale);
    int colourType;
    int scale;
};

class Format : public ::testing::TestWithParam<FileFormat> {};
TEST_P(Format, SizeAndPixelLayout) {
    const FileFormat& f = GetParam();
    const PngHeader h = pngHeader(f.path(f.scale));
    EXPECT_EQ(h.width, kWidth * f.scale);
    EXPECT_EQ(h.height, kHeight * f.scale);
    EXPECT_EQ(h.bitDepth, 8);
    EXPECT_EQ(h.colourType, f.colourType);
}
// The map is 24-bit RGB (PNG colour type 2), the mask 8-bit grey (type 0), at every scale.
INSTANTIATE_TEST_SUITE_P(
    Files, Format,
    ::testing::Values(FileFormat{"Map", picturePath, 2, 1}, FileFormat{"Mask", maskPath, 0, 1},
                      FileFormat{"Map2x", picturePath, 2, 2}, FileFormat{"Mask2x", maskPath, 0, 2},
                      FileFormat{"Map3x", picturePath, 2, 3}, FileFormat{"Mask3x", maskPath, 0, 3},
                      FileFormat{"Map4x", picturePath, 2, 4}, FileFormat{"Mask4x", maskPath, 0, 4}),
    brindora::testing::ByName());

TEST_F(MapPicture, LoadsAsOpaqueTrueColour) {
    EXPECT_EQ(picture().format(), QImage::Format_RGB32);
    EXPECT_FALSE(picture().hasAlphaChannel());
}

// The captions are drawn over x 8..287, y 0..27: open sea there, but for Iceland's top.
TEST_F(MapPicture, CaptionBandIsOpenSea) {
    const QRect iceland(64, 7, 65, 55);
    for (int y = 0; y <= 27; ++y)
        for (int x = 8; x <= 287; ++x)
            if (!iceland.contains(x, y)) {
                ASSERT_TRUE(isSea(colourAt(x, y))) << x << "," << y;
            }
}

// Sea in the mask is sea or coastline in the picture; land is never either.
TEST_F(MapPicture, MaskAndPictureAgree) {
    int coast = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const QRgb c = colourAt(x, y);
            if (stateAt(x, y) == 0) {
                ASSERT_TRUE(isSea(c) || isCoast(c)) << x << "," << y;
                coast += isCoast(c);
            } else {
                ASSERT_FALSE(isSea(c) || isCoast(c)) << x << "," << y;
            }
        }
    EXPECT_GT(coast, kWidth + kHeight) << "coastlines are drawn";
}

// Every coastline pixel lies on the shore, next to land.
TEST_F(MapPicture, CoastlinesFollowTheShore) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (!isCoast(colourAt(x, y)))
                continue;
            bool shore = false;
            for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                const QPoint n(x + d.x(), y + d.y());
                shore |= QRect(0, 0, kWidth, kHeight).contains(n) && stateAt(n.x(), n.y()) != 0;
            }
            ASSERT_TRUE(shore) << x << "," << y;
        }
}

// Where a state of the catalogue meets other land, the two colours differ clearly.
TEST_F(MapPicture, NeighbouringStatesDifferInColour) {
    for (int y = 0; y + 1 < kHeight; ++y)
        for (int x = 0; x + 1 < kWidth; ++x)
            for (const QPoint n : {QPoint(x + 1, y), QPoint(x, y + 1)}) {
                const int a = stateAt(x, y), b = stateAt(n.x(), n.y());
                if (a == 0 || b == 0 || a == b)
                    continue;
                EXPECT_GE(colourDistance(colourAt(x, y), colourAt(n.x(), n.y())), 60)
                    << "states " << a << " and " << b << " at " << x << "," << y;
            }
}

// The colour families the states are drawn in.
struct Family {
    int state;
    const char* name;
    bool (*fits)(QRgb);
};
void PrintTo(const Family& f, std::ostream* os) {
    *os << f.name << " (state " << f.state << ")";
}

bool orange(QRgb c) {
    return qRed(c) >= 200 && qGreen(c) >= 110 && qGreen(c) + 20 < qRed(c) &&
           qBlue(c) + 40 < qGreen(c);
}
bool greyBlue(QRgb c) {
    return qBlue(c) > qRed(c) + 15 && qBlue(c) - qRed(c) < 90 && qGreen(c) > qRed(c);
}
bool green(QRgb c) {
    return qGreen(c) > qRed(c) + 30 && qGreen(c) > qBlue(c) + 30;
}
bool red(QRgb c) {
    return qRed(c) >= 180 && qGreen(c) <= 80 && qBlue(c) <= 80;
}
bool blue(QRgb c) {
    return qBlue(c) >= 180 && qRed(c) <= 100 && qBlue(c) > qGreen(c) + 60;
}

class Families : public MapPicture, public ::testing::WithParamInterface<Family> {};
TEST_P(Families, EveryPixelOfTheStateFits) {
    const Family& f = GetParam();
    int pixels = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (stateAt(x, y) == f.state) {
                ++pixels;
                ASSERT_TRUE(f.fits(colourAt(x, y))) << f.name << " at " << x << "," << y;
            }
    EXPECT_GT(pixels, 0) << f.name << " is drawn";
}
INSTANTIATE_TEST_SUITE_P(
    Colours, Families,
    ::testing::Values(Family{15, "Finland orange", orange}, Family{3, "Greece orange", orange},
                      Family{11, "Sweden grey-blue", greyBlue}, Family{22, "Denmark green", green},
                      Family{19, "Netherlands green", green}, Family{24, "Luxembourg red", red},
                      Family{25, "Malta red", red}, Family{26, "Cyprus blue", blue}),
    brindora::testing::ByName());

bool deepSkyBlue(QRgb c) {
    return colourDistance(c, qRgb(0, 191, 255)) <= 40;
}

// Russia is not coloured as a country: it pales westwards from deep sky blue at the edge.
TEST_F(MapPicture, RussiaShadesFromPaleBlueToDeepSkyBlue) {
    int rows = 0, palest = 0;
    for (int y = 0; y < kHeight; ++y) {
        const int edge = kWidth - 1;
        if (stateAt(edge, y) != 255 || !deepSkyBlue(colourAt(edge, y)))
            continue;
        ++rows;
        int red = qRed(colourAt(edge, y));
        for (int x = edge - 1; x >= 0 && stateAt(x, y) == 255; --x) {
            const QRgb c = colourAt(x, y);
            if (qBlue(c) != 255)
                break; // another country: Russia's shades all have full blue
            ASSERT_GE(qRed(c), red) << "redder eastwards at " << x << "," << y;
            red = qRed(c);
        }
        palest = std::max(palest, red);
    }
    EXPECT_GE(rows, kHeight / 4) << "rows where Russia meets the right edge";
    EXPECT_GE(palest, 150) << "Russia's western land is pale blue";
}

// Russia's great lakes are sea-coloured holes in its land, not joined to the open sea.
TEST_F(MapPicture, LakesInRussiaAreSeaColoured) {
    std::vector<int> component(kWidth * kHeight, -1);
    int lakes = 0;
    for (int start = 0; start < kWidth * kHeight; ++start) {
        if (component[start] >= 0 || stateAt(start % kWidth, start / kWidth) != 0)
            continue;
        std::vector<int> stack{start};
        component[start] = start;
        int size = 0;
        bool open = false, russian = true;
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            const int x = p % kWidth, y = p / kWidth;
            ++size;
            open |= x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1;
            for (const QPoint n :
                 {QPoint(x + 1, y), QPoint(x - 1, y), QPoint(x, y + 1), QPoint(x, y - 1)}) {
                if (!QRect(0, 0, kWidth, kHeight).contains(n))
                    continue;
                const int q = n.y() * kWidth + n.x();
                const int state = stateAt(n.x(), n.y());
                if (state != 0) {
                    russian &= state == 255 && qBlue(colourAt(n.x(), n.y())) == 255;
                } else if (component[q] < 0) {
                    component[q] = start;
                    stack.push_back(q);
                }
            }
        }
        if (!open && russian && size >= 20) {
            ++lakes;
            for (int p = 0; p < kWidth * kHeight; ++p)
                if (component[p] == start) {
                    const QRgb colour = colourAt(p % kWidth, p / kWidth);
                    EXPECT_TRUE(isSea(colour) || isCoast(colour));
                }
        }
    }
    EXPECT_GE(lakes, 2) << "Ladoga and Onega";
}

} // namespace
