// At a display scale other than 100 % the map and its regions keep the coordinate rule:
// a click on the middle of a region, in logical pixels, is judged as that region's state,
// and the map shows under it the same picture pixel as at 100 %.
#include "box_closer.h"
#include "client_area.h"
#include "form1.h"
#include "game.h"
#include "graphical_button.h"
#include "map_box.h"
#include "pictures.h"
#include "recording_window.h"
#include "region_table.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace brindora;
using namespace brindora::testing;

namespace {

TEST(Scaling, EveryRegionJudgedAsItsStateAndTheMapUnderIt) {
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    std::printf("display scale %.2f\n", scale);
    BoxCloser boxes;
    ScriptedRandom random;
    Form1 form{Form1Options{&random, QStringLiteral("/nonexistent"), [] {}, {}}};
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_DOUBLE_EQ(form.devicePixelRatioF(), scale);
    MapBox* map = form.client()->picture2();
    ASSERT_EQ(map->clientRect().size(), QSize(619, 539));

    const QImage picture = pictures::pixmap("europe_map").toImage();
    const QImage shown = map->grab().toImage();
    ASSERT_FALSE(picture.isNull());

    int judged = 0;
    for (const Region& r : regioni) {
        // The pixel nearest the middle of the part of the region that is in front.
        QPoint px(-1, -1);
        const QPoint middle(twipsToPixels(r.rect.left + r.rect.width / 2),
                            twipsToPixels(r.rect.top + r.rect.height / 2));
        for (int y = r.rect.top; y < r.rect.top + r.rect.height; y += kTwipsPerPixel)
            for (int x = r.rect.left; x < r.rect.left + r.rect.width; x += kTwipsPerPixel) {
                const QPoint here(twipsToPixels(x), twipsToPixels(y));
                if (hitTest(x, y).region == &r &&
                    (px.x() < 0 ||
                     (here - middle).manhattanLength() < (px - middle).manhattanLength()))
                    px = here;
            }
        ASSERT_GE(px.x(), 0) << r.name;
        const QPoint logical = map->clientRect().topLeft() + px;

        // Ask for the region's own state, then click it: the click must be judged right.
        random.values.push_back(ScriptedRandom::forState(r.state));
        QTest::mouseClick(form.client()->command2(), Qt::LeftButton);
        const size_t before = boxes.seen.size();
        QTest::mouseClick(map, Qt::LeftButton, {}, logical);
        ASSERT_EQ(boxes.seen.size(), before + 1) << r.name;
        EXPECT_EQ(boxes.seen.back().text, QStringLiteral("        ESATTO")) << r.name;
        judged += boxes.seen.back().text == QStringLiteral("        ESATTO");

        // The picture under the click is the picture's own pixel there.
        const QPoint device((logical.x() + 0.5) * scale, (logical.y() + 0.5) * scale);
        EXPECT_EQ(shown.pixel(device), picture.pixel(px))
            << r.name << " at " << px.x() << "," << px.y();
    }
    EXPECT_EQ(judged, kRegionCount);
}

} // namespace
