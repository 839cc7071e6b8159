// The four pointers: 32-pixel images whose hot spot is pixel (16, 16); the window icon.
#include "pictures.h"

#include <QIcon>
#include <gtest/gtest.h>

#include <string>

using namespace brindora;

namespace {

const char* const kPointers[] = {"window_pointer", "map_pointer", "region_pointer", "exit_pointer"};

class Pointer : public ::testing::TestWithParam<const char*> {};

TEST_P(Pointer, ThirtyTwoPixelsWithTheHotSpotInTheMiddle) {
    const QCursor cursor = pictures::cursor(GetParam());
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(cursor.hotSpot(), QPoint(16, 16));
}

TEST_P(Pointer, ShowsAThirtyTwoPixelImageOfItsFile) {
    const QImage shown = pictures::cursor(GetParam())
                             .pixmap()
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    bool found = false;
    for (const QImage& image : pictures::images(GetParam()))
        found |= image.convertToFormat(QImage::Format_ARGB32_Premultiplied) == shown;
    EXPECT_TRUE(found) << "not scaled from another size";
}

INSTANTIATE_TEST_SUITE_P(Pictures, Pointer, ::testing::ValuesIn(kPointers),
                         [](const auto& info) { return std::string(info.param); });

TEST(Pointers, RegionPointerAimsWithTheLowerMiddleOfItsFlag) {
    // The pupil aims with the flag: the hot spot lies inside it, three rows above the
    // middle of its lower edge.
    const QImage image = pictures::cursor("region_pointer")
                             .pixmap()
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    const QPoint hot = pictures::cursor("region_pointer").hotSpot();
    QRect flag;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                flag |= QRect(x, y, 1, 1);
    ASSERT_TRUE(flag.isValid());
    EXPECT_EQ(qAlpha(image.pixel(hot)), 255);
    EXPECT_EQ(flag.bottom() - hot.y(), 3);
    EXPECT_LE(std::abs(hot.x() - flag.center().x()), 1);
}

TEST(Pointers, UnknownNameFallsBackToTheArrow) {
    EXPECT_EQ(pictures::cursor("no_such_pointer").shape(), Qt::ArrowCursor);
}

TEST(WindowIcon, OffersAllThreeSizes) {
    const QIcon icon = pictures::icon("window_icon");
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 48})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

} // namespace
