// The game on other screens: device pixel ratios 1 to 3 (QT_SCALE_FACTOR) and full screen on
// large offscreen screens (BRINDORA_TEST_SCREEN=full). Each run clicks the visible middle of
// every region and finds it judged right, and looks at how sharp the map is drawn.
#include "box_closer.h"
#include "client_area.h"
#include "game.h"
#include "graphical_button.h"
#include "image_control.h"
#include "layout_table.h"
#include "map_box.h"
#include "pictures.h"
#include "recording_window.h"
#include "region_table.h"
#include "test_form.h"

#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <array>

using namespace brindora;
using namespace brindora::testing;

namespace {

bool fullScreenRun() {
    return qEnvironmentVariable("BRINDORA_TEST_SCREEN") == QLatin1String("full");
}

// The map pixel nearest the middle of the part of the region that lies in front.
QPoint visibleMiddle(const Region& r) {
    QPoint best(-1, -1);
    const QPoint middle(twipsToPixels(r.rect.left + r.rect.width / 2),
                        twipsToPixels(r.rect.top + r.rect.height / 2));
    for (int y = r.rect.top; y < r.rect.top + r.rect.height; y += kTwipsPerPixel)
        for (int x = r.rect.left; x < r.rect.left + r.rect.width; x += kTwipsPerPixel) {
            const QPoint here(twipsToPixels(x), twipsToPixels(y));
            if (hitTest(x, y).region == &r &&
                (best.x() < 0 ||
                 (here - middle).manhattanLength() < (best - middle).manhattanLength()))
                best = here;
        }
    return best;
}

// The largest difference of one channel.
int colourDistance(QRgb a, QRgb b) {
    return qMax(qAbs(qRed(a) - qRed(b)),
                qMax(qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))));
}
constexpr int kShade = 8;

// Whether the pixels within two of this one all have its colour.
bool flatAround(const QImage& image, QPoint p) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (!image.rect().contains(p + QPoint(dx, dy)) ||
                image.pixel(p) != image.pixel(p + QPoint(dx, dy)))
                return false;
    return true;
} // smoothing may move a gradient by this much; states differ far more

// Aligned 2 x 2 blocks that hold more than one colour, at each of the four alignments.
std::array<int, 4> mixedBlocks(const QImage& image) {
    std::array<int, 4> counts{};
    for (int a = 0; a < 4; ++a)
        for (int y = a / 2; y + 1 < image.height(); y += 2)
            for (int x = a % 2; x + 1 < image.width(); x += 2) {
                const QRgb c = image.pixel(x, y);
                counts[a] += image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c ||
                             image.pixel(x + 1, y + 1) != c;
            }
    return counts;
}

class Screens : public ::testing::Test {
protected:
    BoxCloser boxes;
    ScriptedRandom random;
    Form1 form{testOptions(&random)};
    ClientArea* client = form.client();
    MapBox* map = client->picture2();

    void ask(int state) {
        random.values.push_back(ScriptedRandom::forState(state));
        QTest::mouseClick(client->command2(), Qt::LeftButton);
    }
    // The window as the screen shows it, in device pixels, and where the map lies in it.
    // The key goes to the active window: after a box, the window is made active again.
    void pressF11() {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F11);
    }
    QImage shot() { return form.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QRect mapInShot() const {
        const QRect area(map->mapTo(&form, map->clientRect().topLeft()), map->clientRect().size());
        const double dpr = form.devicePixelRatioF();
        return QRect(qRound(area.left() * dpr), qRound(area.top() * dpr),
                     qRound(area.width() * dpr), qRound(area.height() * dpr));
    }
};

TEST_F(Screens, EveryRegionIsJudgedRightAndTheMapIsDrawnSharp) {
    const double ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    if (fullScreenRun())
        form.showFullScreen(); // as the command line asks for it
    else
        form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_DOUBLE_EQ(form.devicePixelRatioF(), ratio);
    if (fullScreenRun()) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return client->scale() > 1.5; }, 5000));
    }
    const double scale = client->scale() * ratio; // device pixels per map pixel
    std::printf("device pixel ratio %.2f, client scale %.4f, screen %dx%d\n", ratio,
                client->scale(), form.screen()->size().width(), form.screen()->size().height());

    const QImage picture = pictures::pixmap("europe_map").toImage();
    const QImage shown = shot();
    const QRect mapArea = mapInShot();
    int judged = 0, flat = 0;
    for (const Region& r : regioni) {
        const QPoint px = visibleMiddle(r);
        ASSERT_GE(px.x(), 0) << r.name;
        ask(r.state);
        const std::size_t before = boxes.seen.size();
        QTest::mouseClick(map, Qt::LeftButton, {}, map->toWidget(px));
        ASSERT_EQ(boxes.seen.size(), before + 1) << r.name;
        EXPECT_EQ(boxes.seen.back().text, QStringLiteral("        ESATTO")) << r.name;
        judged += boxes.seen.back().text == QStringLiteral("        ESATTO");
        // The map under the click shows what the 1x picture shows there: exactly its pixel
        // at 100 %, the same colour within a shade when drawn larger.
        const double zoom = double(mapArea.width()) / picture.width();
        const QPoint under =
            mapArea.topLeft() + QPoint(int((px.x() + 0.5) * zoom), int((px.y() + 0.5) * zoom));
        if (scale == 1.0) {
            EXPECT_EQ(shown.pixel(under), picture.pixel(px)) << r.name;
        } else if (flatAround(picture, px)) {
            EXPECT_LE(colourDistance(shown.pixel(under), picture.pixel(px)), kShade) << r.name;
            ++flat;
        }
    }
    EXPECT_EQ(judged, kRegionCount);
    // Coastlines are finer when drawn larger: colours are compared where the map is flat.
    std::printf("colours compared at %d of %d regions\n", scale == 1.0 ? kRegionCount : flat,
                kRegionCount);
    if (scale != 1.0) {
        EXPECT_GE(flat, kRegionCount / 2);
    }

    // A map drawn for the screen has edges at every alignment of the 2 x 2 grid; the 1x
    // picture blown up to twice its size has none at one of them.
    const std::array<int, 4> mixed = mixedBlocks(shown.copy(mapArea));
    const double average = (mixed[0] + mixed[1] + mixed[2] + mixed[3]) / 4.0;
    const int emptiest = *std::min_element(mixed.begin(), mixed.end());
    std::printf("2x2 blocks of two colours at the four alignments: %d %d %d %d\n", mixed[0],
                mixed[1], mixed[2], mixed[3]);
    if (scale >= 2.0) {
        EXPECT_GE(emptiest, average / 2);
    }
}

TEST_F(Screens, FullScreenScalesTheWholeClientAreaAndF11GivesTheWindowBack) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // A game under way: one error, Romania asked.
    ask(7);
    QTest::mouseClick(map, Qt::LeftButton, {}, map->toWidget({370, 380})); // Romania
    ask(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->lblerrori()->text() == "1"; }, 5000));
    const QRect normal = form.geometry();
    const int menuHeight = form.menuBar()->height();

    pressF11();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return form.isFullScreen() && form.geometry() == form.screen()->geometry(); }, 5000));
    const QSize screen = form.screen()->size();
    const double scale = qMin(screen.width() / 796.0, (screen.height() - menuHeight) / 544.0);
    EXPECT_DOUBLE_EQ(client->scale(), scale);
    EXPECT_EQ(form.menuBar()->height(), menuHeight);
    EXPECT_EQ(client->geometry(),
              QRect(0, menuHeight, screen.width(), screen.height() - menuHeight));
    // Centred, touching two opposite edges, the margin in the quiet colour.
    const QRect area = client->designArea();
    EXPECT_LE(qAbs(area.left() - (client->width() - 1 - area.right())), 1);
    EXPECT_LE(qAbs(area.top() - (client->height() - 1 - area.bottom())), 1);
    EXPECT_TRUE(area.left() == 0 || area.top() == 0);
    // Nothing of the game spills into the margin: every device pixel clear of the area is
    // quiet (the one on its edge may be shared at a fractional ratio).
    const QImage whole = client->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const double dpr = form.devicePixelRatioF();
    const QRectF edge = QRectF(area).adjusted(-1, -1, 1, 1);
    int spilt = 0, margin = 0;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            if (!edge.contains((x + 0.5) / dpr, (y + 0.5) / dpr)) {
                ++margin;
                spilt += whole.pixel(x, y) != (0xFF000000 | layout::kMarginColour);
            }
    EXPECT_GT(margin, 0);
    EXPECT_EQ(spilt, 0);
    // Every element, font and the map's border at the same scale.
    for (const layout::Element& e : layout::kClientElements) {
        QWidget* w = e.index >= 0 ? static_cast<QWidget*>(client->image1(e.index))
                                  : client->findChild<QWidget*>(QLatin1String(e.name));
        const QRect design = layout::toPixels(e.rect);
        const QRect shown = w->geometry().translated(-area.topLeft());
        EXPECT_NEAR(shown.left(), design.left() * scale, 1) << e.name;
        EXPECT_NEAR(shown.top(), design.top() * scale, 1) << e.name;
        EXPECT_NEAR(shown.width(), design.width() * scale, 1) << e.name;
        EXPECT_NEAR(shown.height(), design.height() * scale, 1) << e.name;
    }
    for (const layout::LabelStyle& l : layout::kPanelLabels)
        EXPECT_EQ(client->findChild<QLabel*>(QLatin1String(l.name))->font().pixelSize(),
                  qRound(l.fontPixels * scale))
            << l.name;
    EXPECT_EQ(client->lblreg()->font().pixelSize(), qRound(layout::kFont18pt * scale));
    EXPECT_NEAR(map->clientRect().width(), 619 * scale, 2);
    EXPECT_NEAR(map->clientRect().height(), 539 * scale, 2);
    // The pointer follows the same hit test: Romania, then the sea west of Ireland.
    QTest::mouseMove(map, map->toWidget({370, 380}));
    EXPECT_EQ(map->pointer(), MapPointer::Region);
    QTest::mouseMove(map, map->toWidget({20, 60}));
    EXPECT_EQ(map->pointer(), MapPointer::Map);
    // The game as it was, and a box over the middle in a larger font.
    EXPECT_EQ(client->lblerrori()->text(), "1");
    EXPECT_EQ(client->lblreg()->text(), "Romania");
    EXPECT_FALSE(client->command2()->isVisible());
    QTest::mouseClick(map, Qt::LeftButton, {}, map->toWidget({370, 380}));
    ASSERT_EQ(boxes.seen.back().text, QStringLiteral("        ESATTO"));
    EXPECT_LE((boxes.seen.back().frame.center() - form.geometry().center()).manhattanLength(), 2);
    EXPECT_EQ(boxes.seen.back().fontPixels, qRound(layout::kBoxFontPixels * scale));

    pressF11();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !form.isFullScreen() && form.geometry() == normal; }, 5000));
    EXPECT_EQ(client->size(), QSize(796, 544));
    EXPECT_EQ(client->scale(), 1.0);
    EXPECT_EQ(map->clientRect(), QRect(2, 2, 619, 539));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(client->lblerrori()->text(), "1");
    EXPECT_TRUE(client->command2()->isVisible());
    ask(4);
    QTest::mouseClick(map, Qt::LeftButton, {}, map->toWidget({300, 280})); // Poland
    EXPECT_EQ(boxes.seen.back().text, QStringLiteral("        ESATTO"));
    EXPECT_LE((boxes.seen.back().frame.center() - form.geometry().center()).manhattanLength(), 2);
    EXPECT_EQ(boxes.seen.back().fontPixels, layout::kBoxFontPixels);
}

} // namespace
