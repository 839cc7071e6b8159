// The yardstick, proven on published figures, and then the map measured with it: every
// two regions that border each other stay apart for normal and colour-blind eyes.
#include "colour_vision.h"
#include "map_files.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace brindora;
using namespace brindora::colour;

namespace brindora::colour {
void PrintTo(Vision v, std::ostream* os) {
    *os << name(v);
}
} // namespace brindora::colour

namespace {

// The test pairs of Sharma, Wu and Dalal (2005), table 1: two CIELAB colours and their
// CIEDE2000 difference, given to four decimals.
struct SharmaPair {
    int number;
    Lab one, two;
    double difference;
};
void PrintTo(const SharmaPair& p, std::ostream* os) {
    *os << "pair " << p.number;
}

constexpr SharmaPair kSharma[] = {
    {1, {50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
    {2, {50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
    {3, {50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
    {4, {50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {5, {50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {6, {50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
    {7, {50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
    {8, {50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
    {9, {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
    {10, {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
    {11, {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
    {12, {50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
    {13, {50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
    {14, {50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
    {15, {50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
    {16, {50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
    {17, {50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
    {18, {50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
    {19, {50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
    {20, {50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
    {21, {50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
    {22, {50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
    {23, {50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
    {24, {50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
    {25, {60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    {26, {63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
    {27, {61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
    {28, {35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
    {29, {22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
    {30, {36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
    {31, {90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
    {32, {90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
    {33, {6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
    {34, {2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
};

class Ciede2000 : public ::testing::TestWithParam<SharmaPair> {};
TEST_P(Ciede2000, MatchesThePublishedDifferenceBothWays) {
    const SharmaPair& p = GetParam();
    EXPECT_NEAR(ciede2000(p.one, p.two), p.difference, 5e-5);
    EXPECT_NEAR(ciede2000(p.two, p.one), p.difference, 5e-5);
}
INSTANTIATE_TEST_SUITE_P(SharmaWuDalal, Ciede2000, ::testing::ValuesIn(kSharma),
                         [](const auto& info) {
                             return "Pair" + std::to_string(info.param.number);
                         });

class Simulation : public ::testing::TestWithParam<Vision> {};
// Each simulation keeps greys grey (its rows sum to one), as dichromats see them.
TEST_P(Simulation, LeavesGreysAlone) {
    for (const int v : {0, 64, 128, 200, 255}) {
        const Lab normal = seen(qRgb(v, v, v), Vision::Normal);
        EXPECT_LT(ciede2000(normal, seen(qRgb(v, v, v), GetParam())), 0.05) << v;
        EXPECT_NEAR(normal.a, 0, 0.01);
        EXPECT_NEAR(normal.b, 0, 0.01);
    }
    EXPECT_NEAR(seen(qRgb(255, 255, 255), GetParam()).L, 100, 0.01);
}
// The picture the map generator draws of the map as seen (docs/map_colour_vision.png) shows,
// to normal eyes, what these tests judge a colour-blind pupil to see, within rounding.
TEST_P(Simulation, ThePictureOfTheMapAsSeenShowsWhatIsJudged) {
    for (const QRgb c : {qRgb(200, 110, 60), qRgb(110, 140, 60), qRgb(60, 150, 200),
                         qRgb(240, 230, 140), qRgb(20, 20, 90)}) {
        const QRgb shown = simulated(c, GetParam());
        EXPECT_LT(ciede2000(seen(shown, Vision::Normal), seen(c, GetParam())), 0.5)
            << qRed(c) << "," << qGreen(c) << "," << qBlue(c);
    }
    EXPECT_EQ(simulated(qRgb(128, 64, 32), Vision::Normal), qRgb(128, 64, 32));
}
INSTANTIATE_TEST_SUITE_P(Visions, Simulation, ::testing::ValuesIn(kVisions),
                         [](const auto& info) { return std::string(name(info.param)); });

// The classic confusions: red and green for protanopes and deuteranopes, blue and green
// for tritanopes, each far apart for normal eyes.
struct Confusion {
    Vision vision;
    QRgb one, two;
};
void PrintTo(const Confusion& c, std::ostream* os) {
    *os << name(c.vision);
}
class Confusions : public ::testing::TestWithParam<Confusion> {};
TEST_P(Confusions, LookAlikeOnlyToThatVision) {
    const Confusion& c = GetParam();
    EXPECT_GT(ciede2000(seen(c.one, Vision::Normal), seen(c.two, Vision::Normal)), 30);
    EXPECT_LT(ciede2000(seen(c.one, c.vision), seen(c.two, c.vision)), 8);
}
INSTANTIATE_TEST_SUITE_P(
    Visions, Confusions,
    ::testing::Values(Confusion{Vision::Protanopia, qRgb(190, 120, 60), qRgb(110, 140, 60)},
                      Confusion{Vision::Deuteranopia, qRgb(200, 110, 60), qRgb(110, 140, 60)},
                      Confusion{Vision::Tritanopia, qRgb(60, 150, 200), qRgb(90, 170, 110)}),
    [](const auto& info) { return std::string(name(info.param.vision)); });

// Two regions that touch on the map: per vision, the difference of every pair of
// side-by-side pixels across their border.
struct Border {
    int one, two; // values of the country raster
    std::array<std::vector<double>, kVisions.size()> differences;
    double median(std::size_t vision) const {
        std::vector<double> d = differences[vision];
        std::nth_element(d.begin(), d.begin() + d.size() / 2, d.end());
        return d[d.size() / 2];
    }
};

class MapColours : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(mapfiles::picture().isNull()) << mapfiles::picturePath().toStdString();
        ASSERT_FALSE(mapfiles::countries().isNull()) << mapfiles::countriesPath().toStdString();
        ASSERT_EQ(mapfiles::countries().size(), mapfiles::picture().size());
    }
    static int countryAt(int x, int y) { return mapfiles::countries().constScanLine(y)[x]; }
    static QString countryName(int value) {
        return mapfiles::countries().text("Countries").split('\n').value(value - 1, "?");
    }
};

// The country raster tells the mask's story: land and sea alike, one state per country.
TEST_F(MapColours, CountryRasterMatchesTheMask) {
    const QImage& mask = mapfiles::mask();
    ASSERT_EQ(mask.size(), mapfiles::countries().size());
    std::map<int, int> stateOf;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            const int country = countryAt(x, y), state = mask.constScanLine(y)[x];
            ASSERT_EQ(country == 0, state == 0) << x << "," << y;
            if (country) {
                ASSERT_EQ(stateOf.emplace(country, state).first->second, state)
                    << countryName(country).toStdString() << " at " << x << "," << y;
            }
        }
    const int named = int(mapfiles::countries().text("Countries").split('\n').size());
    EXPECT_EQ(int(stateOf.size()), named) << "every named country is on the map";
    EXPECT_GT(named, 40);
}

// Where two regions meet there is no line, only their two colours: the median CIEDE2000
// along the border is at least 10 for normal vision and each simulated dichromacy.
TEST_F(MapColours, BorderingRegionsStayApartForEveryVision) {
    const QImage& map = mapfiles::picture();
    std::map<std::pair<int, int>, Border> borders;
    for (int y = 0; y < map.height(); ++y)
        for (int x = 0; x < map.width(); ++x)
            for (const QPoint n : {QPoint(x + 1, y), QPoint(x, y + 1)}) {
                if (n.x() >= map.width() || n.y() >= map.height())
                    continue;
                const int a = countryAt(x, y), b = countryAt(n.x(), n.y());
                if (!a || !b || a == b)
                    continue;
                Border& border = borders[{std::min(a, b), std::max(a, b)}];
                border.one = std::min(a, b);
                border.two = std::max(a, b);
                for (std::size_t v = 0; v < kVisions.size(); ++v)
                    border.differences[v].push_back(ciede2000(seen(map.pixel(x, y), kVisions[v]),
                                                              seen(map.pixel(n), kVisions[v])));
            }
    ASSERT_GT(borders.size(), 40u);
    for (std::size_t v = 0; v < kVisions.size(); ++v) {
        std::vector<const Border*> order;
        for (const auto& [key, border] : borders)
            order.push_back(&border);
        std::sort(order.begin(), order.end(),
                  [v](const Border* p, const Border* q) { return p->median(v) < q->median(v); });
        std::printf("%s, the closest of %zu bordering pairs:\n", name(kVisions[v]), order.size());
        for (std::size_t k = 0; k < std::min<std::size_t>(5, order.size()); ++k)
            std::printf("  %5.1f  %s and %s\n", order[k]->median(v),
                        qPrintable(countryName(order[k]->one)),
                        qPrintable(countryName(order[k]->two)));
        std::string under;
        for (const Border* border : order)
            if (border->median(v) < 10.0)
                under += "\n  " + countryName(border->one).toStdString() + " and " +
                         countryName(border->two).toStdString();
        EXPECT_TRUE(under.empty()) << name(kVisions[v]) << ", under 10:" << under;
    }
}

} // namespace
