// Ten thousand random clicks, key presses and menu choices on the real window, with the
// boxes closed as they come. After every step the game's invariants must hold.
#include "box_closer.h"
#include "client_area.h"
#include "game.h"
#include "game_menu_bar.h"
#include "graphical_button.h"
#include "map_box.h"
#include "recording_window.h"
#include "region_table.h"
#include "test_form.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace brindora;
using namespace brindora::testing;

namespace {

constexpr int kSteps = 10000;

// One game in its own window; a new one starts when the last has ended.
struct Round {
    int quits = 0;
    Form1 form;
    explicit Round(RandomSource& random) : form(testOptions(&random, [this] { ++quits; })) {
        form.show();
    }
};

class Storm {
public:
    explicit Storm(unsigned seed) : m_gen(seed), m_random(seed) {}

    void run() {
        BoxCloser boxes;
        newRound();
        for (int step = 0; step < kSteps; ++step) {
            const Counter punti = game().punti(), errori = game().errori();
            const bool wasEnded = m_round->form.ended();
            act();
            checkAfter(step, punti, errori, wasEnded);
            if (::testing::Test::HasFatalFailure())
                return;
            if (m_round->form.ended() && pick(4) == 0) { // poke the ended window for a while
                ++m_rounds;
                newRound();
            }
        }
        EXPECT_GE(m_rounds, 3) << "the storm should have ended several games";
        EXPECT_GT(m_rightAnswers, 0);
        std::printf("storm: %d steps, %d games ended, %d right answers, %zu boxes\n", kSteps,
                    m_rounds, m_rightAnswers, boxes.seen.size());
    }

private:
    const Game& game() const { return m_round->form.game(); }
    ClientArea* client() const { return m_round->form.client(); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_gen); }

    void newRound() {
        m_round.reset();
        m_round = std::make_unique<Round>(m_random);
    }

    void act() {
        Form1& form = m_round->form;
        switch (pick(10)) {
        case 0:
        case 1: { // anywhere in the window
            const QPoint p(pick(form.width()), pick(form.height()));
            QWidget* target = form.childAt(p);
            QTest::mouseClick(target ? target : &form, Qt::LeftButton, {},
                              target ? target->mapFrom(&form, p) : p);
            break;
        }
        case 2:
        case 3:
        case 4: { // on the map
            MapBox* map = client()->picture2();
            QTest::mouseClick(map, Qt::LeftButton, {},
                              map->clientRect().topLeft() + QPoint(pick(619), pick(539)));
            break;
        }
        case 5: { // the pupil who knows: a region of the state asked
            for (const Region& r : regioni) {
                if (r.state != game().stato())
                    continue;
                const QPoint px((r.rect.left + r.rect.width / 2) / kTwipsPerPixel,
                                (r.rect.top + r.rect.height / 2) / kTwipsPerPixel);
                if (hitTest(px.x() * kTwipsPerPixel, px.y() * kTwipsPerPixel).region == &r) {
                    MapBox* map = client()->picture2();
                    const bool right = client()->lblreg()->text() != QString();
                    QTest::mouseClick(map, Qt::LeftButton, {}, map->clientRect().topLeft() + px);
                    m_rightAnswers += right;
                    break;
                }
            }
            break;
        }
        case 6:
            if (client()->command2()->isVisible())
                QTest::mouseClick(client()->command2(), Qt::LeftButton);
            break;
        case 7: {
            static const int keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab,
                                       Qt::Key_Space,  Qt::Key_A,     Qt::Key_F1,     Qt::Key_Left};
            QTest::keyClick(&form, Qt::Key(keys[pick(8)]));
            break;
        }
        case 8: {
            const auto actions = form.menu()->findChildren<QAction*>();
            if (!actions.isEmpty())
                actions.at(pick(int(actions.size())))->trigger();
            break;
        }
        case 9:
            if (pick(50) == 0) // rarely: the pupil leaves
                QTest::mouseClick(client()->command3(), Qt::LeftButton);
            else // the pupil waits: whatever is due runs
                QCoreApplication::processEvents();
            break;
        }
    }

    void checkAfter(int step, Counter punti, Counter errori, bool wasEnded) {
        const Game& g = game();
        ASSERT_GE(g.punti(), punti) << "step " << step;
        ASSERT_GE(g.errori(), errori) << "step " << step;
        ASSERT_LE(g.errori(), kErrorLimit) << "step " << step;
        if (wasEnded) { // nothing is handled once the program has ended
            ASSERT_EQ(g.punti(), punti);
            ASSERT_EQ(g.errori(), errori);
        }
        ASSERT_LE(m_round->quits, 1) << "step " << step;
        ASSERT_EQ(m_round->quits == 1, m_round->form.ended()) << "step " << step;
        // The next tick of Timer1, by hand: it shows the counters and, at the twentieth
        // error, ends the game (unless the real timer has already done so).
        m_round->form.timer1Timer();
        if (g.errori() == kErrorLimit) {
            ASSERT_EQ(m_round->quits, 1) << "step " << step;
        }
        if (!m_round->form.ended()) {
            ASSERT_EQ(client()->lblpunti()->text(), QString::number(g.punti())) << "step " << step;
            ASSERT_EQ(client()->lblerrori()->text(), QString::number(g.errori()))
                << "step " << step;
        }
    }

    std::mt19937 m_gen;
    SeededRandom m_random;
    std::unique_ptr<Round> m_round;
    int m_rounds = 0;
    int m_rightAnswers = 0;
};

TEST(Storm, TenThousandRandomStepsKeepTheRules) {
    Storm(20261209).run();
}

} // namespace
