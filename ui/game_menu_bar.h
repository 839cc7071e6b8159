// The menu bar: the instructions command, the hint and the credits.
#pragma once

#include <QMenuBar>

namespace brindora {

class GameMenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit GameMenuBar(QWidget* parent = nullptr);

    // F10: the first title highlighted and the arrows, Enter and Esc working on the bar, as
    // Alt pressed and let go alone does.
    void enterByKeyboard();

signals:
    void istruzioniChosen();
};

} // namespace brindora
