// Brindora: start-up.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel note(QStringLiteral("Brindora: the game window is not built yet."));
    note.show();
    return app.exec();
}
