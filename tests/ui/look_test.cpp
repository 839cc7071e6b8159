// What the window shows: decorations behind the car button, button faces, label colours, pointers.
#include "client_area.h"
#include "graphical_button.h"
#include "map_box.h"
#include "pictures.h"
#include "test_form.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace brindora;
using namespace brindora::testing;

namespace {

constexpr QRgb kGreen = 0xFF00FF00;

int countColour(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// The pointer a widget shows: a picture's image, or the shape when there is no picture.
bool samePointer(const QCursor& shown, const QCursor& expected) {
    if (shown.shape() != expected.shape())
        return false;
    return expected.shape() != Qt::BitmapCursor ||
           shown.pixmap().toImage() == expected.pixmap().toImage();
}

class LookTest : public ::testing::Test {
protected:
    Form1 form{testOptions()};
    ClientArea* client = form.client();
    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QImage shot() { return client->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRect rectOf(const char* name) { return client->findChild<QWidget*>(name)->geometry(); }
};

TEST_F(LookTest, HidingCommand2ShowsExactlyTheThreeDecorations) {
    const QRect car = client->command2()->geometry();
    client->command3()->setFocus(); // the car button's focus frame would not come back
    const QImage covered = shot();
    client->command2()->hide();
    const QImage uncovered = shot();
    client->command2()->show();
    EXPECT_EQ(shot(), covered); // showing it covers them again

    EXPECT_EQ(countColour(covered, car, kGreen), 0);
    const QRegion decorations = QRegion(rectOf("Label74")) + rectOf("Label85") + rectOf("Label86");
    for (const char* name : {"Label74", "Label85", "Label86"})
        EXPECT_GT(countColour(uncovered, rectOf(name) & car, kGreen), 20) << name;
    for (int y = 0; y < uncovered.height(); ++y)
        for (int x = 0; x < uncovered.width(); ++x) {
            const QPoint p(x, y);
            if (!car.contains(p)) {
                ASSERT_EQ(uncovered.pixel(p), covered.pixel(p)) << x << "," << y;
            } else if (uncovered.pixel(p) == kGreen) {
                ASSERT_TRUE(decorations.contains(p)) << x << "," << y;
            }
        }
}

struct Ink {
    const char* name;
    QRgb colour;
};

TEST_F(LookTest, LabelsAreDrawnInTheirColours) {
    const Ink inks[] = {{"Label45", 0xFF00FF00}, {"lblpunti", 0xFFFFFF00},
                        {"Label44", 0xFFC000C0}, {"lblerrori", 0xFFC000C0},
                        {"Label42", 0xFF0000FF}, {"Label43", 0xFF0000FF}};
    const QImage image = shot();
    for (const Ink& ink : inks) {
        QWidget* label = client->findChild<QWidget*>(ink.name);
        const QRect area(label->mapTo(client, QPoint(0, 0)), label->size());
        EXPECT_GT(countColour(image, area, ink.colour), 20) << ink.name;
    }
}

struct Face {
    const char* caption;
    QRgb face;
    int fontPixels;
    const char* picture;
    const char* toolTip;
};

TEST_F(LookTest, ButtonFacesCaptionsAndPictures) {
    const Face faces[] = {
        {"Cliccami  per viaggiare tra gli Stati della nostra amata Europa", 0xFF80FFFF, 24,
         "car_picture", ""},
        {"EXIT", 0xFFFFFFFF, 37, "exit_picture", "Per uscire dal gioco cliccami"}};
    GraphicalButton* buttons[] = {client->command2(), client->command3()};
    for (int i = 0; i < 2; ++i) {
        GraphicalButton* b = buttons[i];
        const Face& f = faces[i];
        SCOPED_TRACE(f.caption);
        EXPECT_EQ(b->text(), QString::fromUtf8(f.caption));
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(f.toolTip));
        EXPECT_EQ(b->font().family(), QStringLiteral("Arial"));
        EXPECT_EQ(b->font().pixelSize(), f.fontPixels);
        EXPECT_EQ(b->picture().toImage(), pictures::pixmap(f.picture).toImage());
        const QImage face = b->grab().toImage().convertToFormat(QImage::Format_RGB32);
        // The face colour fills most of the button.
        EXPECT_GT(countColour(face, face.rect(), f.face), face.width() * face.height() / 3);
        // The caption lies on the face, below the picture's room.
        const QRect inner = b->rect().adjusted(2, 2, -2, -2);
        EXPECT_TRUE(inner.contains(b->captionArea()));
        EXPECT_GE(b->captionArea().top(), b->pictureArea().bottom());
    }
    // Wrapped at words: the car button's caption takes several lines.
    EXPECT_GE(client->command2()->captionArea().height(),
              4 * client->command2()->fontMetrics().height());
    if (!client->command2()->picture().isNull()) {
        EXPECT_EQ(client->command2()->pictureArea().height(),
                  client->command2()->picture().height());
    }
}

TEST_F(LookTest, PressedAndFocusedLooksDiffer) {
    GraphicalButton* b = client->command3();
    const QImage plain = b->grab().toImage();
    b->setDown(true);
    const QImage pressed = b->grab().toImage();
    b->setDown(false);
    EXPECT_NE(plain, pressed);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    b->setFocus();
    EXPECT_NE(b->grab().toImage(), plain);
}

// The desktop's button edge: light above and left while up, the shadow there while down.
TEST_F(LookTest, PressedButtonsSinkIntoTheirEdge) {
    for (GraphicalButton* b : {client->command2(), client->command3()}) {
        const QColor light = b->palette().color(QPalette::Light);
        const QColor shadow = b->palette().color(QPalette::Shadow);
        ASSERT_NE(light, shadow);
        EXPECT_EQ(b->grab().toImage().pixelColor(0, 0).name(), light.name())
            << b->objectName().toStdString();
        b->setDown(true);
        EXPECT_EQ(b->grab().toImage().pixelColor(0, 0).name(), shadow.name())
            << b->objectName().toStdString();
        b->setDown(false);
    }
}

TEST_F(LookTest, LblregFitsItsTextOnOneLine) {
    QLabel* reg = client->lblreg();
    const QPoint topLeft = reg->pos();
    for (const char* name : {"Repubblica Ceca", "Malta", ""}) {
        client->setRegText(QString::fromUtf8(name));
        EXPECT_EQ(reg->pos(), topLeft);
        EXPECT_EQ(reg->width(), reg->fontMetrics().horizontalAdvance(QString::fromUtf8(name)));
        EXPECT_EQ(reg->height(), reg->fontMetrics().height());
    }
    client->setRegText(QStringLiteral("Repubblica Ceca"));
    EXPECT_GT(reg->width(), 87); // wider than its rectangle at design time
}

struct PointerAt {
    QPoint mapPixel; // client pixel of the map
    MapPointer pointer;
};

TEST_F(LookTest, PointersFollowWhatLiesUnderTheMouse) {
    MapBox* map = client->picture2();
    const PointerAt points[] = {
        {{370, 380}, MapPointer::Region}, // Romania
        {{20, 60}, MapPointer::Map},      // the sea
        {{160, 320}, MapPointer::Region}, // the inert zone over France
        {{206, 356}, MapPointer::Map},    // Switzerland
        {{24, 432}, MapPointer::Region},  // southern Portugal
        {{-1, 100}, MapPointer::Map},     // the border
    };
    for (const PointerAt& p : points) {
        QTest::mouseMove(map, p.mapPixel + map->clientRect().topLeft());
        EXPECT_EQ(map->pointer(), p.pointer) << p.mapPixel.x() << "," << p.mapPixel.y();
        const char* asset = p.pointer == MapPointer::Region ? "region_pointer" : "map_pointer";
        EXPECT_TRUE(samePointer(map->cursor(), pictures::cursor(asset)));
    }
    QTest::mouseMove(map, map->clientRect().topLeft() + QPoint(370, 380));
    QWidget* heading = client->findChild<QWidget*>("Label43");
    QTest::mouseMove(heading, QPoint(10, 10));
    EXPECT_EQ(map->pointer(), MapPointer::Map); // the heading line lies over the sea

    EXPECT_TRUE(samePointer(client->command3()->cursor(), pictures::cursor("exit_pointer")));
    EXPECT_TRUE(samePointer(client->cursor(), pictures::cursor("window_pointer")));
    // The car button has no pointer of its own: the window's shows over it.
    EXPECT_FALSE(client->command2()->testAttribute(Qt::WA_SetCursor));
}

} // namespace
