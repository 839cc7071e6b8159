// The window's events, each handed to the game on this one thread.
#include "form1.h"

#include "client_area.h"
#include "game.h"
#include "game_menu_bar.h"
#include "graphical_button.h"
#include "layout_table.h"
#include "map_box.h"
#include "pictures.h"
#include "qt_window_port.h"
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

    m_timer1.setInterval(layout::kTimer1Interval);
    connect(&m_timer1, &QTimer::timeout, this, &Form1::timer1Timer);
    m_timer1.start();
    // The anthem, before the window is first shown.
    if (m_options.explore)
        m_game->startExploring();
    else
        m_game->start();
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

void Form1::command2Click() {
    m_game->command2Click();
}

void Form1::command3Click() {
    m_game->command3Click();
}

void Form1::picture2Click(const Region& region) {
    if (m_options.explore)
        m_game->exploreClick(region.state);
    else
        m_game->judge(region.state, std::string(region.wrongText));
}

void Form1::istruzioniClick() {
    m_game->istruzioniClick();
}

void Form1::pressCommand2ByKey() {
    if (m_client->command2()->isVisible())
        m_client->command2()->click();
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
