// Brindora: start-up. The window is the whole program.
#include "form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    brindora::Form1 form;
    form.show();
    return app.exec();
}
