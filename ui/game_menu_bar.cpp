// Built once from its table; only istruzioni does something.
#include "game_menu_bar.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace brindora {

namespace {

struct MenuItem {
    const char* name;
    const char* caption; // UTF-8, shown as written
    const char* title;   // the title whose list holds it, or nullptr for a title of the bar
};

// Left to right; each list entry follows its title. A title with entries opens its list.
// clang-format off
constexpr MenuItem kMenu[] = {
    {"istruzioni", "Istruzioni",                                    nullptr},
    {"scuol",      "www.collemarsi.edu.it",                         nullptr},
    {"sotware",    "Collemarsi",                                    "scuol"},
    {"Esc",        "Per avere un nuovo Stato clicca sul pulsante con l'automobile", nullptr},
    {"gi",         "autore@collemarsi.edu.it",                      nullptr},
    {"ex",         "Per consigli e per segnalare eventuali errori", "gi"},
    {"voc",        "Voce: Velmora",                                 nullptr},
    {"or",         "Velmora",                                       "voc"},
};
// clang-format on

bool hasEntries(const char* title) {
    for (const MenuItem& item : kMenu)
        if (item.title != nullptr && qstrcmp(item.title, title) == 0)
            return true;
    return false;
}

} // namespace

GameMenuBar::GameMenuBar(QWidget* parent) : QMenuBar(parent) {
    setObjectName(QStringLiteral("menu"));
    if (parent != nullptr)
        parent->installEventFilter(this);
    for (const MenuItem& item : kMenu) {
        const QString caption = QString::fromUtf8(item.caption);
        QAction* action = nullptr;
        if (item.title != nullptr) {
            auto* list = findChild<QMenu*>(QLatin1String(item.title));
            action = list->addAction(caption);
        } else if (hasEntries(item.name)) {
            QMenu* list = addMenu(caption);
            list->setObjectName(QLatin1String(item.name));
            action = list->menuAction();
        } else {
            action = addAction(caption);
        }
        action->setObjectName(QLatin1String(item.name));
        if (qstrcmp(item.name, "istruzioni") == 0)
            connect(action, &QAction::triggered, this, &GameMenuBar::istruzioniChosen);
    }
}

// The first title highlighted and the bar given the keyboard, to hand it back when done.
void GameMenuBar::enterByKeyboard() {
    if (hasFocus() || actions().isEmpty())
        return;
    m_returnTo = window()->focusWidget();
    setActiveAction(actions().constFirst());
    setFocus(Qt::MenuBarFocusReason);
}

void GameMenuBar::giveKeyboardBack() {
    if (window()->focusWidget() != this || activeAction() != nullptr)
        return; // still in the bar, or in one of its lists
    if (m_returnTo)
        m_returnTo->setFocus(Qt::MenuBarFocusReason);
    else
        clearFocus();
}

// While the bar has the keyboard, Enter chooses a title here and does not press the car button.
bool GameMenuBar::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    return QMenuBar::event(event);
}

// Left and Right are Qt's. Enter, Space or Down carries out a command or opens a title's
// list (Qt does so only under styles that lead in by Alt); once a command has been carried
// out, or Esc pressed, the keyboard goes back where it was.
void GameMenuBar::keyPressEvent(QKeyEvent* event) {
    QAction* title = activeAction();
    switch (event->key()) {
    case Qt::Key_Escape:
        QMenuBar::keyPressEvent(event);
        setActiveAction(nullptr);
        giveKeyboardBack();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Down:
        if (title == nullptr)
            break;
        if (title->menu() != nullptr) {
            setActiveAction(title); // opens its list
        } else if (event->key() != Qt::Key_Down) {
            setActiveAction(nullptr);
            giveKeyboardBack();
            title->trigger();
        }
        return;
    default:
        break;
    }
    QMenuBar::keyPressEvent(event);
}

bool GameMenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && (event->type() == QEvent::KeyPress ||
                                event->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool alt = key->key() == Qt::Key_Alt;
        if (event->type() == QEvent::KeyPress)
            m_altAlone = alt && !key->isAutoRepeat();
        else if (alt && m_altAlone) {
            m_altAlone = false;
            enterByKeyboard();
        }
    }
    return QMenuBar::eventFilter(watched, event);
}

} // namespace brindora
