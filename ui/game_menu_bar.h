// The menu bar: the instructions command, the hint and the credits.
#pragma once

#include <QMenuBar>

namespace brindora {

class GameMenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit GameMenuBar(QWidget* parent = nullptr);

signals:
    void istruzioniChosen();
};

} // namespace brindora
