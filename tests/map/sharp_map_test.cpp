// The finer copies of the map (@2x, @3x, @4x): each tells the same story as its own mask,
// and that mask agrees with the 1x mask the regions were fitted to.
#include "map_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>

using namespace brindora::mapfiles;

namespace {

class SharpMap : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        const int k = GetParam();
        ASSERT_FALSE(picture(k).isNull()) << picturePath(k).toStdString();
        ASSERT_FALSE(mask(k).isNull()) << maskPath(k).toStdString();
        ASSERT_FALSE(mask().isNull()) << maskPath().toStdString();
        ASSERT_EQ(picture(k).size(), mask(k).size());
        ASSERT_EQ(mask(k).size(), mask().size() * k);
    }
    static int stateAt(const QImage& mask, int x, int y) { return mask.constScanLine(y)[x]; }
};

// Sea in the mask is sea or coastline in the picture; land is never either.
TEST_P(SharpMap, PictureAndItsMaskAgree) {
    const QImage& map = picture(GetParam());
    const QImage& states = mask(GetParam());
    int coast = 0;
    for (int y = 0; y < map.height(); ++y)
        for (int x = 0; x < map.width(); ++x) {
            const QRgb c = map.pixel(x, y);
            if (stateAt(states, x, y) == 0) {
                ASSERT_TRUE(isSea(c) || isCoast(c)) << x << "," << y;
                coast += isCoast(c);
            } else {
                ASSERT_FALSE(isSea(c) || isCoast(c)) << x << "," << y;
            }
        }
    EXPECT_GT(coast, map.width() + map.height()) << "coastlines are drawn";
}

// Under each land pixel of the 1x mask, the k x k block of the finer mask is mostly that
// pixel's own state (a tie that includes it counts as agreement).
TEST_P(SharpMap, MostOfEach1xLandPixelIsItsState) {
    const int k = GetParam();
    const QImage& coarse = mask();
    const QImage& fine = mask(k);
    int land = 0, agree = 0;
    for (int y = 0; y < coarse.height(); ++y)
        for (int x = 0; x < coarse.width(); ++x) {
            const int state = stateAt(coarse, x, y);
            if (state == 0)
                continue;
            std::array<int, 256> cover{};
            for (int v = y * k; v < (y + 1) * k; ++v)
                for (int u = x * k; u < (x + 1) * k; ++u)
                    ++cover[stateAt(fine, u, v)];
            ++land;
            agree += cover[state] == *std::max_element(cover.begin(), cover.end());
        }
    const double share = double(agree) / land;
    std::cout << "@" << k << "x: " << agree << " of " << land << " land pixels agree ("
              << share * 100 << " %)\n";
    EXPECT_GE(share, 0.99);
}

INSTANTIATE_TEST_SUITE_P(Scales, SharpMap, ::testing::ValuesIn(kScales),
                         [](const auto& info) { return std::to_string(info.param) + "x"; });

} // namespace
