// Every picture as the program loads it: file kind, sizes, colour depths, transparency.
#include "pictures.h"

#include <QFile>
#include <QSet>
#include <QtEndian>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace brindora;

namespace {

enum class See { Opaque, Corners, FlagBands, TopLeftFlag };

struct Stored {
    int width, height, depth; // depth as held in the file
};

struct AssetCase {
    const char* name;
    const char* kind; // "ico", "png" or "bmp"
    std::vector<Stored> images;
    See see;
};
void PrintTo(const AssetCase& c, std::ostream* os) {
    *os << c.name << " (" << c.kind << ", " << c.images.size() << " images)";
}

const std::vector<Stored> kSixImages{{48, 48, 8},  {32, 32, 8},  {16, 16, 8},
                                     {48, 48, 32}, {32, 32, 32}, {16, 16, 32}};

const AssetCase kAssets[] = {
    {"window_icon", "ico", kSixImages, See::FlagBands},
    {"window_pointer", "ico", kSixImages, See::Opaque},
    {"car_picture", "png", {{32, 32, 8}}, See::Corners},
    {"exit_picture", "png", {{113, 98, 8}}, See::Opaque},
    {"exit_pointer", "ico", {{32, 32, 8}}, See::Corners},
    {"flag_strip", "bmp", {{864, 191, 24}}, See::Opaque},
    {"map_pointer", "ico", {{32, 32, 4}}, See::Corners},
    {"region_pointer", "ico", {{32, 32, 24}}, See::TopLeftFlag},
};

QByteArray fileBytes(const char* name) {
    QFile file(pictures::resourcePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 le16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

bool opaque(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 255;
}
bool clear(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 0;
}

// Rows that hold at least one opaque pixel form one band; returns its first and last row.
std::pair<int, int> opaqueBand(const QImage& image) {
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!clear(image, x, y)) {
                first = first < 0 ? y : first;
                last = y;
            }
    return {first, last};
}

void checkSeeThrough(const QImage& image, See see) {
    const int w = image.width(), h = image.height();
    switch (see) {
    case See::Opaque:
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_TRUE(opaque(image, x, y)) << x << "," << y;
        break;
    case See::Corners:
        for (const QPoint c :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            EXPECT_TRUE(clear(image, c.x(), c.y())) << c.x() << "," << c.y();
        EXPECT_TRUE(opaque(image, w / 2, h / 2));
        break;
    case See::FlagBands: {
        if (w >= 48) { // the large images stand on white
            checkSeeThrough(image, See::Opaque);
            EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
            EXPECT_EQ(image.pixel(w - 1, h - 1), qRgb(255, 255, 255));
            break;
        }
        const auto [first, last] = opaqueBand(image);
        ASSERT_GT(first, 0) << "nothing clear above the flag";
        ASSERT_LT(last, h - 1) << "nothing clear below the flag";
        for (int y = first; y <= last; ++y) // the band is the flag, full width and solid
            for (int x = 0; x < w; ++x)
                ASSERT_TRUE(opaque(image, x, y)) << x << "," << y;
        EXPECT_NEAR(double(w) / (last - first + 1), 1.5, 0.1) << "a flag is 3:2";
        EXPECT_LE(std::abs(first - (h - 1 - last)), 1) << "the flag is centred";
        break;
    }
    case See::TopLeftFlag:
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(opaque(image, x, y), x <= 30 && y <= 19) << x << "," << y;
        break;
    }
}

class Asset : public ::testing::TestWithParam<AssetCase> {};

TEST_P(Asset, LoadsWithItsSizesAndDepths) {
    const AssetCase& c = GetParam();
    const QList<QImage> images = pictures::images(c.name);
    ASSERT_EQ(images.size(), qsizetype(c.images.size()));
    for (size_t i = 0; i < c.images.size(); ++i) {
        const QImage& image = images[qsizetype(i)];
        EXPECT_EQ(image.size(), QSize(c.images[i].width, c.images[i].height)) << "image " << i;
        if (std::string(c.kind) == "ico") {
            EXPECT_EQ(pictures::storedDepth(image), c.images[i].depth) << "image " << i;
        }
    }
    EXPECT_FALSE(pictures::pixmap(c.name).isNull());
}

TEST_P(Asset, FileIsOfItsKind) {
    const AssetCase& c = GetParam();
    const QByteArray bytes = fileBytes(c.name);
    ASSERT_GT(bytes.size(), 64);
    const std::string kind = c.kind;
    if (kind == "ico") { // an icon file (type 1), not a cursor file (type 2)
        EXPECT_EQ(le16(bytes, 0), 0);
        EXPECT_EQ(le16(bytes, 2), 1);
        EXPECT_EQ(le16(bytes, 4), c.images.size());
    } else if (kind == "bmp") { // uncompressed, 24 bits a pixel
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(le16(bytes, 28), c.images[0].depth);
        EXPECT_EQ(le16(bytes, 30), 0);
    } else { // a paletted image with a full table of 256 colours
        EXPECT_TRUE(bytes.startsWith("\x89PNG"));
        const QImage image = pictures::images(c.name).value(0);
        EXPECT_EQ(image.format(), QImage::Format_Indexed8);
        EXPECT_EQ(image.colorCount(), 256);
    }
}

TEST_P(Asset, SeeThroughWhereItShould) {
    const AssetCase& c = GetParam();
    for (const QImage& image : pictures::images(c.name)) {
        SCOPED_TRACE(std::to_string(image.width()) + " px");
        checkSeeThrough(image.convertToFormat(QImage::Format_ARGB32), c.see);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, Asset, ::testing::ValuesIn(kAssets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Assets, ExitPictureStandsOnWhite) {
    const QImage image = pictures::images("exit_picture").value(0);
    ASSERT_FALSE(image.isNull());
    for (const QPoint c : {QPoint(0, 0), QPoint(112, 0), QPoint(0, 97), QPoint(112, 97)})
        EXPECT_EQ(image.pixel(c), qRgb(255, 255, 255)) << c.x() << "," << c.y();
}

TEST(Assets, GlobeUsesTheStandardSixteenColours) {
    constexpr QRgb kStandard[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                  0x008080, 0xc0c0c0, 0x808080, 0xff0000, 0x00ff00, 0xffff00,
                                  0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};
    const QImage image = pictures::images("map_pointer").value(0);
    ASSERT_FALSE(image.isNull());
    QSet<QRgb> used;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                used.insert(image.pixel(x, y) & 0xffffff);
    for (QRgb c : used) {
        EXPECT_NE(std::find(std::begin(kStandard), std::end(kStandard), c), std::end(kStandard))
            << std::hex << c;
    }
    // Blue sea, green land, black outline.
    for (QRgb c : {0x0000ffu, 0x008000u, 0x000000u})
        EXPECT_TRUE(used.contains(c)) << std::hex << c;
}

TEST(Assets, EveryPictureOfTheBuildListLoads) {
    for (const pictures::PictureFile& listed : pictures::kPictureFiles)
        EXPECT_FALSE(pictures::images(listed.name).isEmpty()) << listed.name;
    EXPECT_EQ(std::size(pictures::kPictureFiles), 9u);
}

TEST(Assets, UnknownNameGivesNothing) {
    EXPECT_TRUE(pictures::resourcePath("no_such_picture").isEmpty());
    EXPECT_TRUE(pictures::images("no_such_picture").isEmpty());
    EXPECT_TRUE(pictures::pixmap("no_such_picture").isNull());
}

} // namespace
