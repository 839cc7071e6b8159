// The real window on real desktops (see desktop_server.h): F11 four times from either start,
// the desktop's own full-screen request, a screen with no room at the display's scale. After
// every change the window is what it should be, the map still judges a click right and the
// keyboard still reaches the game.
#include "box_closer.h"
#include "client_area.h"
#include "desktop_server.h"
#include "form1.h"
#include "graphical_button.h"
#include "layout_table.h"
#include "map_box.h"
#include "recording_window.h"
#include "screen_fit.h"

#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <QWindow>

#include <algorithm>
#include <optional>

using namespace brindora;
using namespace brindora::testing;

namespace {

auto* const g_server = ::testing::AddGlobalTestEnvironment(new DesktopServer);

constexpr int kLimitMs = 20000;  // only against a hang
const QPoint kRomania(370, 380); // a map pixel of the region of state 1, Romania
const QSize kDesign(796, 544);

class Desktop : public ::testing::TestWithParam<bool> {
protected:
    DesktopServer& server = DesktopServer::instance();
    BoxCloser boxes;
    ScriptedRandom random;
    std::unique_ptr<Form1> form;
    // Its place is checked: only once the window manager has framed it. (At a scale that
    // leaves no room, openbox sometimes frames it late or never.)
    bool needFrame = true;

    void SetUp() override {
        ASSERT_FALSE(server.startFailed()) << server.missing().toStdString();
        if (!server.missing().isEmpty())
            GTEST_SKIP() << "desktop missing: " << server.desktop().toStdString() << ": "
                         << server.missing().toStdString();
        Form1Options options;
        options.random = &random;
        options.programDir = QStringLiteral("/nonexistent");
        options.quit = [] {};
        options.mute = true;
        form = std::make_unique<Form1>(std::move(options));
    }
    QString windowId() const { return QString::number(form->winId()); }
    bool x11() const { return !server.wayland(); }

    // F11 as the pupil presses it: on X a real key, to whichever window has the keyboard.
    // Qt's own idea of the focus may run ahead of the X server's: both must agree.
    // A box still on its way out (or on its way in) would take the key or the click.
    bool hasKeyboard() const {
        const QWidgetList open = QApplication::topLevelWidgets();
        const bool alone = std::none_of(open.begin(), open.end(), [&](QWidget* w) {
            return w != form.get() && w->isVisible() && w->isWindow();
        });
        return alone && !QApplication::activeModalWidget() &&
               QApplication::activeWindow() == form.get() &&
               QGuiApplication::focusWindow() == form->windowHandle() &&
               runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}) == windowId();
    }
    std::string keyboardOwners() const {
        const QWindow* focus = QGuiApplication::focusWindow();
        const QWidget* active = QApplication::activeWindow();
        return QStringLiteral("Qt's focus %1, active %2, modal %3, X focus %4 (game %5)")
            .arg(focus ? focus->objectName() + QLatin1Char('/') + QString::number(focus->winId())
                       : QStringLiteral("none"),
                 active ? QLatin1String(active->metaObject()->className()) : QStringLiteral("none"),
                 QApplication::activeModalWidget() ? QStringLiteral("open")
                                                   : QStringLiteral("none"),
                 runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}) + " raw " +
                     runTool(QStringLiteral("xdotool"),
                             {QStringLiteral("getwindowfocus"), QStringLiteral("-f")}),
                 windowId())
            .toStdString();
    }
    void pressF11() {
        if (!x11()) {
            form->toggleFullScreen(); // weston's headless seat has no keyboard
            return;
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return hasKeyboard(); }, kLimitMs))
            << "the game window does not have the keyboard: " << keyboardOwners();
        runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F11")});
    }

    // The window manager says the window is full screen (always so without one).
    bool desktopSaysFull(bool full) const {
        return !server.windowManager() ||
               runTool(QStringLiteral("xprop"),
                       {QStringLiteral("-id"), windowId(), QStringLiteral("_NET_WM_STATE")})
                       .contains(QLatin1String("_NET_WM_STATE_FULLSCREEN")) == full;
    }
    bool fullScreenShown() const {
        const QRect screen = form->screen()->geometry();
        // On Wayland also once the compositor has answered what was asked (asking()).
        return form->isFullScreen() && !form->screenFit().asking() && form->geometry() == screen &&
               form->client()->size() ==
                   QSize(screen.width(), screen.height() - form->menuBar()->height()) &&
               desktopSaysFull(true);
    }
    // The window's frame as the X server has it, in device pixels (Qt's own idea of it lags
    // behind just after a change): none while the window manager has not framed it. Without
    // one, or where the frame need not be waited for, the client area alone.
    std::optional<QRect> frameOnX() const {
        const QString info =
            runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId()});
        const QRegularExpressionMatch at =
            QRegularExpression(QStringLiteral("Absolute upper-left X: +(-?\\d+)\\s+Absolute "
                                              "upper-left Y: +(-?\\d+)"))
                .match(info);
        if (!at.hasMatch())
            return std::nullopt;
        QList<int> extents; // left, right, top, bottom
        for (const QString& item :
             runTool(QStringLiteral("xprop"),
                     {QStringLiteral("-id"), windowId(), QStringLiteral("_NET_FRAME_EXTENTS")})
                 .section(QLatin1Char('='), 1)
                 .split(QLatin1Char(','), Qt::SkipEmptyParts))
            extents.append(item.trimmed().toInt());
        if (extents.size() != 4 && server.windowManager() && needFrame)
            return std::nullopt;
        if (extents.size() != 4)
            extents = {0, 0, 0, 0};
        // The client's size as the X server has it: the window manager may have made it larger
        // than Qt asked.
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Width: +(\\d+)\\s+Height: +(\\d+)"))
                .match(info);
        const QSize client = size.hasMatch()
                                 ? QSize(size.captured(1).toInt(), size.captured(2).toInt())
                                 : form->size() * ratio();
        return QRect(at.captured(1).toInt() - extents[0], at.captured(2).toInt() - extents[2],
                     client.width() + extents[0] + extents[1],
                     client.height() + extents[2] + extents[3]);
    }
    double ratio() const { return form->devicePixelRatio(); }
    // The screen's free area, in device pixels.
    QRect room() const {
        const QRect room = form->screen()->availableGeometry();
        return QRect(room.topLeft() * ratio(), room.size() * ratio());
    }
    std::string frameText() const {
        const std::optional<QRect> frame = frameOnX();
        return frame ? std::to_string(frame->x()) + "," + std::to_string(frame->y()) + " " +
                           std::to_string(frame->width()) + "x" + std::to_string(frame->height())
                     : std::string("not framed yet");
    }
    // The fixed window at its scale, whole within the screen's free area.
    bool normalShown() const {
        const double scale = form->client()->scale();
        return !form->isFullScreen() && !form->screenFit().asking() &&
               form->minimumSize() == form->maximumSize() && form->size() == form->minimumSize() &&
               form->client()->size() == kDesign * scale &&
               (!x11() ||
                (form->windowHandle()->isExposed() && frameOnX() && room().contains(*frameOnX()) &&
                 desktopSaysFull(false) && !form->screenFit().placing()));
    }
    void expectShown(bool full, const char* when) {
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return full ? fullScreenShown() : normalShown(); }, kLimitMs))
            << when << ": full screen " << form->isFullScreen() << ", frame at " << frameText()
            << ", window " << form->width() << "x" << form->height() << " (limits "
            << form->minimumWidth() << "x" << form->minimumHeight() << " to "
            << form->maximumWidth() << "x" << form->maximumHeight() << "), client "
            << form->client()->width() << "x" << form->client()->height() << " at scale "
            << form->client()->scale() << "; the desktop says full " << desktopSaysFull(true)
            << ", placing " << form->screenFit().placing();
        const double shown = form->client()->scale();
        const QSize room = form->client()->size();
        EXPECT_DOUBLE_EQ(shown, qMin(double(room.width()) / kDesign.width(),
                                     double(room.height()) / kDesign.height()))
            << when;
    }

    // Asks for Romania and clicks it where the screen shows it; a real click on X.
    void clickRomania(const char* when) {
        random.values.push_back(ScriptedRandom::forState(1));
        const std::size_t asked = boxes.seen.size() + 1; // the box that asks for it
        QTest::mouseClick(form->client()->command2(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.seen.size() == asked; }, kLimitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !QApplication::activeModalWidget(); }, kLimitMs));
        MapBox* map = form->client()->picture2();
        const std::size_t before = boxes.seen.size();
        if (x11()) {
            // The box closed gives the keyboard back: then it is off the screen too.
            ASSERT_TRUE(QTest::qWaitFor([&] { return hasKeyboard(); }, kLimitMs))
                << when << ": the game window does not have the keyboard after the box";
            // Within the game's own X window, wherever the X server has it right now.
            const QPoint at = map->mapTo(form.get(), map->toWidget(kRomania)) *
                              form->windowHandle()->devicePixelRatio();
            runTool(QStringLiteral("xdotool"),
                    {QStringLiteral("mousemove"), QStringLiteral("--window"), windowId(),
                     QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                     QStringLiteral("1")});
        } else {
            QTest::mouseClick(map, Qt::LeftButton, {}, map->toWidget(kRomania));
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.seen.size() > before; }, kLimitMs))
            << when << ": the click reached no region";
        EXPECT_EQ(boxes.seen.back().text.toStdString(), "        ESATTO") << when;
    }
};

// The four presses from either start, as the normal window or as --fullscreen does.
TEST_P(Desktop, F11FourTimes) {
    const bool startFull = GetParam();
    startFull ? form->showFullScreen() : form->show();
    expectShown(startFull, "at the start");
    std::optional<QPoint> normalPlace;
    if (!startFull)
        normalPlace = frameOnX()->topLeft();
    clickRomania("at the start");
    bool full = startFull;
    for (int press = 1; press <= 4; ++press) {
        const std::string when = "after F11 number " + std::to_string(press);
        pressF11();
        full = !full;
        expectShown(full, when.c_str());
        // Back where it was, or centred when it never was a normal window (X only: a
        // Wayland compositor places windows where it likes).
        if (!full && x11()) {
            const auto placed = [&] {
                const std::optional<QRect> frame = frameOnX();
                const QPoint offset = frame ? frame->center() - room().center() : QPoint();
                return frame && (normalPlace ? frame->topLeft() == *normalPlace
                                             : offset.manhattanLength() <= 2 * ratio());
            };
            EXPECT_TRUE(QTest::qWaitFor(placed, kLimitMs))
                << when << ": frame at " << frameText()
                << (normalPlace ? ", was at " + std::to_string(normalPlace->x()) + "," +
                                      std::to_string(normalPlace->y())
                                : std::string(", never shown normally"));
            normalPlace = frameOnX().value_or(QRect()).topLeft();
        }
        clickRomania(when.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(Starts, Desktop, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FullScreen" : "Normal"; });

// Presses quicker than the desktop answers (a compositor answers each with a configure of its
// own): every one counts, and the window ends as the last one asks.
TEST_F(Desktop, QuickPressesAllCount) {
    if (!server.windowManager() && x11())
        GTEST_SKIP() << "with no window manager, two presses before the first is answered leave "
                        "Qt's state full screen and the window its normal size; not fixed yet";
    form->show();
    expectShown(false, "at the start");
    bool full = false;
    for (const int presses : {2, 3, 2, 1}) {
        const std::string when = std::to_string(presses) + " quick presses";
        for (int press = 0; press < presses; ++press)
            form->toggleFullScreen(); // as F11 does, with no time for an answer between
        full = full != (presses % 2 == 1);
        expectShown(full, when.c_str());
    }
    clickRomania("after the quick presses");
}

// The desktop's own request (a window rule, a key of the window manager's), twice.
TEST_F(Desktop, TheDesktopAsksForFullScreen) {
    if (!server.windowManager())
        GTEST_SKIP() << "only a window manager makes this request";
    form->show();
    expectShown(false, "at the start");
    for (const char* change : {"add", "remove", "add", "remove"}) {
        runTool(QStringLiteral("wmctrl"),
                {QStringLiteral("-i"), QStringLiteral("-r"), windowId(), QStringLiteral("-b"),
                 QLatin1String(change) + QStringLiteral(",fullscreen")});
        expectShown(qstrcmp(change, "add") == 0, change);
        clickRomania(change);
    }
}

// At the display's scale the window takes the largest uniform scale, up to 1, that leaves it
// and its frame whole on the screen.
TEST_F(Desktop, TheNormalWindowFitsTheScreen) {
    needFrame = false;
    form->show();
    expectShown(false, "shown");
    const QRect room = form->screen()->availableGeometry();
    const QSizeF frame =
        QSizeF(frameOnX().value_or(QRect()).size()) / ratio() - QSizeF(form->geometry().size());
    const double fits =
        qMin(1.0, qMin(double(room.width() - frame.width()) / kDesign.width(),
                       double(room.height() - frame.height() - form->menuBar()->height()) /
                           kDesign.height()));
    std::printf("device pixel ratio %.2f, screen %dx%d free, client scale %.4f\n",
                form->devicePixelRatio(), room.width(), room.height(), form->client()->scale());
    // The largest scale that fits, less what a window manager may add to meet Qt's size step
    // where the ratio is not whole (a few device pixels).
    const double step = ratio() == std::floor(ratio()) ? 0 : (2 * std::ceil(ratio()) + 1) / ratio();
    EXPECT_LE(form->client()->scale(), fits + 1.0 / kDesign.height());
    EXPECT_GE(form->client()->scale(), fits - (2.0 + step) / kDesign.height());
    if (qEnvironmentVariableIsSet("BRINDORA_TEST_SMALL")) {
        EXPECT_LT(form->client()->scale(), 1.0);
    }
    clickRomania("fitted");
}

} // namespace
