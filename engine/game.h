// The quiz: counters, the new-state draw (casof), judging a click, the score tick,
// exit and instructions. Talks to the window only through WindowPort.
#pragma once

#include "catalogo.h"
#include "game_observer.h"
#include "random_source.h"
#include "window_port.h"

#include <string>
#include <vector>

namespace brindora {

// The counters (Counter) only ever rise by one per pupil action; 64 bits never fill up in a run.
inline constexpr Counter kErrorLimit = 20;

class Game {
public:
    // programDir: the folder that holds the running program (the sound folder lies in it).
    Game(WindowPort& window, RandomSource& random, std::string programDir);

    void start();                                                 // window created: the anthem
    void command2Click();                                         // the new-state request
    void casof();                                                 // draw and announce a state
    void judge(StateNumber region, const std::string& wrongText); // a click on a map region
    void tick();                                                  // Timer1, every 20 ms
    void command3Click();                                         // the exit button
    void istruzioniClick();                                       // the instructions menu item
    void windowClosed();                                          // closed by the desktop

    // Explore mode, beside the game: nothing is asked, so there is no car button, and a click
    // on a region shows and says its state's name. No box, no count, no end but EXIT's.
    void startExploring();                 // window created: the anthem, no car button
    void exploreClick(StateNumber region); // a click on a map region

    // The draw picks only among these states (those never drawn are left out); none given,
    // or none left, and it is the whole catalogue's draw.
    void restrictDraw(const std::vector<StateNumber>& states);
    // Told of every request, answer and end; nullptr for nobody. Not owned.
    void setObserver(GameObserver* observer) { m_observer = observer; }

    StateNumber stato() const { return m_stato; }
    Counter punti() const { return m_punti; }
    Counter errori() const { return m_errori; }
    Counter richieste() const { return m_richieste; }
    // From the opening of the end or goodbye box, or the window's close, nothing more is handled.
    bool ended() const { return m_ended; }

private:
    void showPlain(const std::string& text);
    void showScore();
    void end(GameEnd how, const std::string& text, const std::string& title, BoxIcon icon);
    std::string path(std::string_view fileName) const;
    bool drawable(StateNumber state) const;

    WindowPort& m_window;
    RandomSource& m_random;
    std::string m_programDir;
    std::vector<StateNumber> m_chosen; // empty: every state the catalogue draws
    GameObserver* m_observer = nullptr;

    StateNumber m_stato = 0;
    Counter m_punti = 0;
    Counter m_errori = 0;
    Counter m_richieste = 0;
    bool m_ended = false;
};

} // namespace brindora
