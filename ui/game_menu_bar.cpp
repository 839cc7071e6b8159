// Built once from its table; only istruzioni does something.
#include "game_menu_bar.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QProxyStyle>

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

// The desktop's own style, drawing exactly as before, with Alt leading into the bar on every
// platform (Windows' style does so already; Fusion does not).
class AltKeyStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

bool hasEntries(const char* title) {
    for (const MenuItem& item : kMenu)
        if (item.title != nullptr && qstrcmp(item.title, title) == 0)
            return true;
    return false;
}

} // namespace

GameMenuBar::GameMenuBar(QWidget* parent) : QMenuBar(parent) {
    setObjectName(QStringLiteral("menu"));
    auto* style = new AltKeyStyle;
    style->setParent(this);
    setStyle(style);
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

// Qt's own way into the bar: what Alt pressed alone and let go tells it.
void GameMenuBar::enterByKeyboard() {
    QWidget* watched = parentWidget() ? parentWidget() : this;
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(watched, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(watched, &release);
}

} // namespace brindora
