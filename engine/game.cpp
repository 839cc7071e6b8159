// The rules of the quiz, step by step as the pupil lives them.
#include "game.h"

#include "sound_path.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brindora {

namespace texts {
constexpr const char* kAppTitle = "Brindora";
constexpr const char* kRight = "        ESATTO";
constexpr const char* kEnd =
    "Mi dispiace hai superato la soglia dei 20 errori... La tua gara \u00e8 finita";
constexpr const char* kEndTitle = "Fine del gioco";
constexpr const char* kGoodbye = "Ciao ti aspetto per giocare ancora insieme!";
constexpr const char* kInstructions = "La tua gara finisce se superi i 20 errori...";
constexpr const char* kInstructionsTitle = "Attenzione";
} // namespace texts

Game::Game(WindowPort& window, RandomSource& random, std::string programDir)
    : m_window(window), m_random(random), m_programDir(std::move(programDir)) {}

std::string Game::path(std::string_view fileName) const {
    return soundPath(m_programDir, fileName);
}

void Game::showPlain(const std::string& text) {
    m_window.showBox(text, texts::kAppTitle, BoxIcon::None);
}

void Game::showScore() {
    m_window.setLabel(LabelId::Punti, std::to_string(m_punti));
    m_window.setLabel(LabelId::Errori, std::to_string(m_errori));
}

void Game::restrictDraw(const std::vector<StateNumber>& states) {
    m_chosen.clear();
    for (const StateNumber state : states) {
        const StateRow* row = lookupState(state);
        if (row != nullptr && row->drawn)
            m_chosen.push_back(state);
    }
}

bool Game::drawable(StateNumber state) const {
    const StateRow* row = lookupState(state);
    if (row == nullptr || !row->drawn)
        return false;
    return m_chosen.empty() || std::find(m_chosen.begin(), m_chosen.end(), state) != m_chosen.end();
}

void Game::start() {
    m_window.suona(path(kAnthemFile));
}

void Game::command2Click() {
    if (m_ended)
        return;
    ++m_richieste;
    m_window.setLabel(LabelId::Reg, "");
    casof();
    m_window.setCommand2Visible(false);
    // The point for a state found is counted when the pupil asks for the next one.
    if (m_richieste == 1)
        m_punti = 0;
    else
        ++m_punti;
}

void Game::casof() {
    // The window draws nothing at run time, so there is no drawing surface to clear.
    showScore();
    m_random.reseedFromClock();
    // Drawn from the whole catalogue, again while the state may not be asked: a chosen set
    // of states is the same draw, restricted, and so as uniform.
    do {
        m_stato = static_cast<StateNumber>(std::floor(m_random.next() * kStateCount) + 1);
    } while (!drawable(m_stato));

    const StateRow* row = lookupState(m_stato);
    if (row == nullptr)
        return;
    if (m_observer)
        m_observer->requested(m_richieste, m_stato);
    m_window.suona(path(row->soundFile)); // the voice speaks while the box is open
    showPlain(std::string(row->prompt));
    m_window.setLabel(LabelId::Reg, std::string(row->name));
}

void Game::judge(StateNumber region, const std::string& wrongText) {
    if (m_ended)
        return;
    if (m_observer)
        m_observer->answered({m_richieste, m_stato, region, wrongText, region == m_stato});
    if (region == m_stato) {
        showPlain(texts::kRight);
        m_window.suona(path(kPraiseFile));
        m_window.setCommand2Visible(true);
        m_window.setLabel(LabelId::Reg, "");
    } else {
        showPlain(wrongText);
        ++m_errori; // only once the box is closed, so a tick never sees it early
    }
}

void Game::tick() {
    if (m_ended)
        return;
    showScore();
    if (m_errori == kErrorLimit)
        end(GameEnd::TooManyErrors, texts::kEnd, texts::kEndTitle, BoxIcon::Exclamation);
}

void Game::command3Click() {
    if (m_ended)
        return;
    end(GameEnd::Exit, texts::kGoodbye, texts::kAppTitle, BoxIcon::None);
}

void Game::istruzioniClick() {
    if (m_ended)
        return;
    m_window.showBox(texts::kInstructions, texts::kInstructionsTitle, BoxIcon::Exclamation);
}

void Game::windowClosed() {
    // Without a word; if the end box is already open, its closing ends the program.
    if (m_ended)
        return;
    m_ended = true;
    if (m_observer)
        m_observer->ended(GameEnd::WindowClosed);
    m_window.quit();
}

void Game::startExploring() {
    m_window.setCommand2Visible(false);
    start();
}

void Game::exploreClick(StateNumber region) {
    if (m_ended)
        return;
    const StateRow* row = lookupState(region);
    if (row == nullptr)
        return;
    // The same name and recording as when the state is asked; the voice cuts the one before.
    m_window.setLabel(LabelId::Reg, std::string(row->name));
    m_window.suona(path(row->soundFile));
}

void Game::end(GameEnd how, const std::string& text, const std::string& title, BoxIcon icon) {
    // The timer keeps ticking inside the box: the flag keeps those ticks from ending twice.
    m_ended = true;
    if (m_observer)
        m_observer->ended(how);
    m_window.showBox(text, title, icon);
    m_window.quit();
}

} // namespace brindora
