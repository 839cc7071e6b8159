// The flag column right of the map, as Form1 shows it: three flags, one background row.
#include "client_area.h"
#include "flag_probe.h"
#include "image_control.h"
#include "map_box.h"
#include "pictures.h"
#include "test_form.h"
#include "twips.h"

#include <QPixmap>
#include <gtest/gtest.h>

#include <memory>

using namespace brindora;
using namespace brindora::testing;

namespace {

constexpr int kMemberTopsTwips[] = {-120, 2520, 5400}; // Image1 members 0, 1, 2
constexpr int kColumnLeft = 623, kColumnRight = 795;   // what the map box leaves free
constexpr int kGapRow = 359;

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        m_form = std::make_unique<Form1>(testOptions());
        m_client = m_form->client();
        m_background = m_client->palette().color(m_client->backgroundRole()).rgb();
    }
    // Shows only the Image1 members over the window's background.
    void hideAllButImages() {
        for (QWidget* child : m_client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child != m_client->image1(0) && child != m_client->image1(1) &&
                child != m_client->image1(2))
                child->hide();
    }
    QImage shot() const { return m_client->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::unique_ptr<Form1> m_form;
    ClientArea* m_client = nullptr;
    QRgb m_background = 0;
};

TEST_F(Panel, ColumnShowsThreeFlagsOneBelowTheOther) {
    hideAllButImages();
    const QImage image = shot();
    ASSERT_EQ(image.size(), QSize(796, 544));
    // Each member shows the strip's right-hand flag in the column.
    const QImage strip = pictures::images("flag_strip").value(0);
    const QList<QRect> flags = FlagProbe::flagsBetweenDividers(strip, 0);
    ASSERT_EQ(flags.size(), 3);
    for (int member = 0; member < 3; ++member) {
        const QRectF field =
            QRectF(flags[2]).translated(0, twipsToPixels(kMemberTopsTwips[member]));
        for (int hour = 1; hour <= 12; ++hour) {
            const QPointF star = FlagProbe::starCentre(field, hour);
            ASSERT_GE(star.x(), kColumnLeft);
            ASSERT_LE(star.x(), kColumnRight);
            EXPECT_TRUE(FlagProbe::isYellow(FlagProbe::at(image, star)))
                << "member " << member << " hour " << hour;
        }
        EXPECT_TRUE(FlagProbe::isBlue(FlagProbe::at(image, field.center()))) << member;
        const double r = FlagProbe::starRadius(field);
        EXPECT_EQ(
            FlagProbe::yellowPatches(image, field.toAlignedRect() & image.rect(), int(r * r / 4)),
            12)
            << member;
    }
}

TEST_F(Panel, BackgroundShowsInRow359Only) {
    hideAllButImages();
    const QImage image = shot();
    for (int x = kColumnLeft; x <= kColumnRight; ++x) {
        EXPECT_EQ(image.pixel(x, kGapRow), m_background) << x;
        EXPECT_NE(image.pixel(x, kGapRow - 1), m_background) << x;
        EXPECT_NE(image.pixel(x, kGapRow + 1), m_background) << x;
    }
}

TEST_F(Panel, MemberZeroLiesInFrontOfMemberOne) {
    hideAllButImages();
    QPixmap red(m_client->image1(1)->picture().size());
    red.fill(Qt::red);
    m_client->image1(1)->setPicture(SharpPicture(red));
    const QImage image = shot();
    const int overlapTop = twipsToPixels(kMemberTopsTwips[1]); // 168
    const int memberZeroBottom = twipsToPixels(kMemberTopsTwips[0]) + 190;
    for (int y = 0; y <= memberZeroBottom; ++y)
        EXPECT_NE(image.pixel(700, y), qRgb(255, 0, 0)) << "row " << y;
    for (int y = memberZeroBottom + 1; y < kGapRow; ++y)
        EXPECT_EQ(image.pixel(700, y), qRgb(255, 0, 0)) << "row " << y;
    EXPECT_LT(overlapTop, memberZeroBottom) << "the members overlap";
}

TEST_F(Panel, WithEverythingShownTheColumnEdgeIsFlagButRow359) {
    // Column 623 lies between the map box and the buttons: the pupil sees it whole.
    const QImage image = shot();
    for (int y = 0; y < image.height(); ++y) {
        const QRgb c = image.pixel(kColumnLeft, y);
        if (y == kGapRow) {
            EXPECT_EQ(c, m_background);
        } else {
            EXPECT_TRUE(FlagProbe::isBlue(c) && c != m_background) << "row " << y;
        }
    }
    // The map box covers the strips' left parts.
    EXPECT_EQ(m_client->picture2()->geometry().right(), kColumnLeft - 1);
}

} // namespace
