// Touch on the real window, as on a whiteboard: a tap, a long press or two fingers on the map,
// the car button or EXIT each act as one click, open nothing else and count nothing twice.
#include "play_fixture.h"

#include <QPointingDevice>

#include <memory>

using namespace brindora;
using namespace brindora::testing;

namespace {

enum class Target { MapRight, MapWrong, Car, Exit };
enum class Gesture { Tap, LongPress, TwoFingers };

struct Answer : NamedCase {
    Target target;
    const char* box; // the one box the touch brings
    int punti, errori, richieste, quits;
};

const Answer kAnswers[] = {
    {"MapRight", Target::MapRight, "        ESATTO", 0, 0, 1, 0},
    {"MapWrong", Target::MapWrong, "Questa \u00e8 la Bulgaria", 0, 1, 1, 0},
    {"Car", Target::Car, "Clicca sulla Romania", 0, 0, 1, 0},
    {"Exit", Target::Exit, "Ciao ti aspetto per giocare ancora insieme!", 0, 0, 0, 1},
};

struct Touch : NamedCase {
    Gesture gesture;
};

const Touch kTouches[] = {
    {"Tap", Gesture::Tap}, {"LongPress", Gesture::LongPress}, {"TwoFingers", Gesture::TwoFingers}};

class TouchTest : public PlayTest, public ::testing::WithParamInterface<std::tuple<Answer, Touch>> {
protected:
    // Qt registers the device but never frees it; the test does.
    std::unique_ptr<QPointingDevice> m_device{QTest::createTouchDevice()};
    QPointingDevice* screen = m_device.get();

    void touch(QWidget* widget, QPoint at, Gesture gesture) {
        const QPoint beside = at + QPoint(6, 6);
        QTest::touchEvent(widget, screen).press(0, at, widget);
        if (gesture == Gesture::LongPress) {
            for (int i = 0; i < 8; ++i) { // held still for most of a second
                QTest::qWait(100);
                QTest::touchEvent(widget, screen).stationary(0);
            }
        } else if (gesture == Gesture::TwoFingers) {
            QTest::touchEvent(widget, screen).stationary(0).press(1, beside, widget);
            QTest::touchEvent(widget, screen).stationary(0).release(1, beside, widget);
        }
        QTest::touchEvent(widget, screen).release(0, at, widget);
        QTest::qWait(50); // anything a touch might still bring, a second click or a menu
    }
};

TEST_P(TouchTest, OneTouchIsOneClick) {
    const auto& [answer, gesture] = GetParam();
    // Every draw is Romania, however often the car button were pressed.
    random.values.assign(4, ScriptedRandom::forState(1));
    if (answer.target == Target::MapRight || answer.target == Target::MapWrong) {
        QTest::mouseClick(client->command2(), Qt::LeftButton);
        ASSERT_EQ(boxes.seen.size(), 1u);
    }
    const std::size_t before = boxes.seen.size();
    MapBox* map = client->picture2();
    switch (answer.target) {
    case Target::MapRight:
        touch(map, map->toWidget(kRomania), gesture.gesture);
        break;
    case Target::MapWrong:
        touch(map, map->toWidget(kBulgaria), gesture.gesture);
        break;
    case Target::Car:
        touch(client->command2(), client->command2()->rect().center(), gesture.gesture);
        break;
    case Target::Exit:
        touch(client->command3(), client->command3()->rect().center(), gesture.gesture);
        break;
    }
    ASSERT_EQ(boxes.seen.size(), before + 1);
    EXPECT_EQ(boxes.seen.back().text, QString::fromUtf8(answer.box));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form.game().punti(), answer.punti);
    EXPECT_EQ(form.game().errori(), answer.errori);
    EXPECT_EQ(form.game().richieste(), answer.richieste);
    EXPECT_EQ(quits, answer.quits);
}

INSTANTIATE_TEST_SUITE_P(Whiteboard, TouchTest,
                         ::testing::Combine(::testing::ValuesIn(kAnswers),
                                            ::testing::ValuesIn(kTouches)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

} // namespace
