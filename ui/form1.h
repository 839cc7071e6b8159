// Form1: the game's one window. It builds the layout, owns the game and wires events to it.
#pragma once

#include "game_observer.h"
#include "random_source.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace brindora {

class ClientArea;
class Game;
class GameMenuBar;
class QtWindowPort;
class Scanner;
class ScreenFit;
struct Region;
class SoundPlayer;

// What a test may put in place of the real thing; empty fields mean the real one.
struct Form1Options {
    RandomSource* random = nullptr;                        // default: seeded from the clock
    QString programDir;                                    // default: the program's folder
    std::function<void()> quit;                            // default: leave the event loop
    std::function<void(const std::string&)> soundObserver; // told of every sound played
    bool mute = false;                                     // no sound reaches the player
    // Beside the game, off by default:
    std::vector<StateNumber> drawable; // the draw asks only these states; empty: all
    GameObserver* observer = nullptr;  // told of every request, answer and end (results)
    bool explore = false;              // a click names the state; nothing is asked
    int scanMs = 0; // one switch: the map's highlight steps by itself this often; 0: never
};

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Form1Options options = {}, QWidget* parent = nullptr);
    ~Form1() override;

    ClientArea* client() const { return m_client; }
    const ScreenFit& screenFit() const { return *m_screenFit; }
    GameMenuBar* menu() const { return m_menu; }
    const QTimer& timer1() const { return m_timer1; }
    const Game& game() const { return *m_game; }
    Scanner* scanner() const { return m_scanner; } // nullptr without the scan
    bool ended() const;

public slots:
    void timer1Timer();      // one tick of Timer1
    void toggleFullScreen(); // F11

protected:
    void closeEvent(QCloseEvent* event) override;
    // Full screen, whoever asks for it (F11, the command line, the desktop), scales the
    // client area to fit; back to normal, the window is its fixed self again.
    void changeEvent(QEvent* event) override;

private:
    void command2Click();
    void command3Click();
    void picture2Click(const Region& region);
    void stopAnswered(StateNumber state);
    void stopMoved(StateNumber state);
    void istruzioniClick();
    void pressCommand2ByKey();
    void followSwitch();
    void endProgram();

    Form1Options m_options;
    ClockRandom m_clockRandom;
    ClientArea* m_client = nullptr;
    GameMenuBar* m_menu = nullptr;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<QtWindowPort> m_port;
    std::unique_ptr<Game> m_game;
    QTimer m_timer1;
    ScreenFit* m_screenFit = nullptr;
    Scanner* m_scanner = nullptr;
};

} // namespace brindora
