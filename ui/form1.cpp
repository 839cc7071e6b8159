// The window's events, each handed to the game on this one thread.
#include "form1.h"

#include "catalogo.h"
#include "client_area.h"
#include "game.h"
#include "game_menu_bar.h"
#include "graphical_button.h"
#include "keyboard_stops.h"
#include "layout_table.h"
#include "map_box.h"
#include "pictures.h"
#include "qt_window_port.h"
#include "scanner.h"
#include "screen_fit.h"
#include "sound_player.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QShortcut>

namespace brindora {

Form1::Form1(Form1Options options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString(layout::kCaptionBlanks, QLatin1Char(' ')) +
                   QLatin1String(layout::kCaptionName));
    setWindowIcon(pictures::icon(layout::kWindowIcon));

    m_menu = new GameMenuBar(this);
    setMenuBar(m_menu);
    m_client = new ClientArea(this);
    setCentralWidget(m_client);
    // The client area has a fixed size, and so has the window around it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_screenFit = new ScreenFit(*this, *m_client);

    m_sound = std::make_unique<SoundPlayer>();
    m_port = std::make_unique<QtWindowPort>(*m_client, *this, *m_sound, [this] { endProgram(); });
    m_port->setSoundObserver(m_options.soundObserver);
    m_port->setMute(m_options.mute);
    RandomSource& random = m_options.random ? *m_options.random : m_clockRandom;
    const QString dir = m_options.programDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                                       : m_options.programDir;
    m_game = std::make_unique<Game>(*m_port, random, dir.toStdString());
    m_game->restrictDraw(m_options.drawable);
    m_game->setObserver(m_options.observer);

    connect(m_client->command2(), &QAbstractButton::clicked, this, &Form1::command2Click);
    connect(m_client->command3(), &QAbstractButton::clicked, this, &Form1::command3Click);
    connect(m_client->picture2(), &MapBox::regionClicked, this, &Form1::picture2Click);
    connect(m_client->picture2(), &MapBox::stopAnswered, this, &Form1::stopAnswered);
    connect(m_client->picture2(), &MapBox::stopMoved, this, &Form1::stopMoved);
    connect(m_menu, &GameMenuBar::istruzioniChosen, this, &Form1::istruzioniClick);

    // Command2 is the window's default button: Enter presses it while it is shown.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, this, &Form1::pressCommand2ByKey);
    }
    m_client->command2()->setFocus();
    auto* fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    fullScreen->setAutoRepeat(false); // F11 held down changes the window once
    connect(fullScreen, &QShortcut::activated, this, &Form1::toggleFullScreen);
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, m_menu, &GameMenuBar::enterByKeyboard);
    if (m_options.scanMs > 0)
        m_scanner = new Scanner(*m_client->picture2(), m_options.scanMs, this);

    m_timer1.setInterval(layout::kTimer1Interval);
    connect(&m_timer1, &QTimer::timeout, this, &Form1::timer1Timer);
    m_timer1.start();
    // The anthem, before the window is first shown.
    if (m_options.explore)
        m_game->startExploring();
    else
        m_game->start();
    followSwitch();
}

Form1::~Form1() {
    m_timer1.stop();
}

bool Form1::ended() const {
    return m_game->ended();
}

// The game itself ignores whatever reaches it once it has ended.
void Form1::timer1Timer() {
    m_game->tick();
}

// Each handler that may open a box holds the scan while it runs.
void Form1::command2Click() {
    if (m_scanner)
        m_scanner->pause();
    m_game->command2Click();
    followSwitch();
}

void Form1::command3Click() {
    if (m_scanner)
        m_scanner->pause();
    m_game->command3Click();
}

void Form1::picture2Click(const Region& region) {
    if (m_scanner)
        m_scanner->pause();
    if (m_options.explore)
        m_game->exploreClick(region.state);
    else
        m_game->judge(region.state, std::string(region.wrongText));
    followSwitch();
}

// Space on the highlight: the very answer a click inside the state gives.
void Form1::stopAnswered(StateNumber state) {
    if (const Region* region = firstRegionOf(state))
        picture2Click(*region);
}

// Exploring by keyboard: the state reached is named as a click names it. In the quiz the
// highlight says nothing, to the eye or to a screen reader.
void Form1::stopMoved(StateNumber state) {
    if (!m_options.explore)
        return;
    if (const StateRow* row = lookupState(state))
        m_client->picture2()->setAccessibleDescription(QString::fromUtf8(row->name.data(), qsizetype(row->name.size())));
    m_game->exploreClick(state);
}

void Form1::istruzioniClick() {
    if (m_scanner)
        m_scanner->pause();
    m_game->istruzioniClick();
    followSwitch();
}

// Enter presses Command2 while it shows. With the scan, it is a switch too: while Command2 is
// hidden it answers for the highlighted state, as Space does.
void Form1::pressCommand2ByKey() {
    MapBox* map = m_client->picture2();
    if (m_client->command2()->isVisible())
        m_client->command2()->click();
    else if (m_scanner && focusWidget() == map && map->highlightShown())
        stopAnswered(map->highlighted());
}

// One switch plays the whole game: while Command2 shows, the switch presses it (it has the
// keyboard, so Space and Enter both do); otherwise the switch answers on the map, where the
// scan steps.
void Form1::followSwitch() {
    if (m_scanner == nullptr || m_game->ended())
        return;
    GraphicalButton* car = m_client->command2();
    if (car->isVisibleTo(this)) {
        m_scanner->pause();
        car->setFocus();
        return;
    }
    if (focusWidget() != m_client->command3())
        m_client->picture2()->setFocus();
    m_scanner->resume();
}

void Form1::toggleFullScreen() {
    m_screenFit->toggleFullScreen();
}

void Form1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange)
        m_screenFit->followState();
    QMainWindow::changeEvent(event);
}

// The game's end, as the game asks for it: at once, with nothing more handled or asked.
void Form1::endProgram() {
    m_timer1.stop();
    m_sound->stop();
    hide();
    if (m_options.quit)
        m_options.quit();
    else
        QCoreApplication::exit(0);
}

// Closed by the desktop's own means: the game ends the same way, without a word.
void Form1::closeEvent(QCloseEvent* event) {
    m_game->windowClosed();
    event->accept();
}

} // namespace brindora
