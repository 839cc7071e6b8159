// Brindora: start-up. The options first, then the window, which is the whole program.
#include "command_line.h"
#include "form1.h"
#include "results_setup.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Without a display Qt warns, then ends the program with a fatal message and a core dump.
// While the application object is being made, its messages are held back; a fatal one about
// the platform becomes one plain line, saying what each platform tried lacked, and an exit code.
QtMessageHandler g_previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> g_heldMessages;

// The display libraries write to standard error themselves (libwayland: "error:
// XDG_RUNTIME_DIR is invalid"); that too is held, and given back once the window can open.
struct HeldStandardError {
    int saved = -1;
    std::FILE* held = nullptr;

    void hold() {
        std::fflush(stderr);
        held = std::tmpfile();
        saved = held ? dup(STDERR_FILENO) : -1;
        if (saved >= 0)
            dup2(fileno(held), STDERR_FILENO);
    }
    void release(bool giveBack) {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        saved = -1;
        std::rewind(held);
        char buffer[4096];
        for (std::size_t n; giveBack && (n = std::fread(buffer, 1, sizeof buffer, held)) > 0;)
            std::fwrite(buffer, 1, n, stderr);
        std::fclose(held);
    }
} g_heldError;

QString unreachable(const QString& platform) {
    const auto variable = [](const char* name, const char* fallback) {
        const QString value = qEnvironmentVariable(name);
        return value.isEmpty() && fallback == nullptr
                   ? QStringLiteral("%1 is not set").arg(QLatin1String(name))
                   : QStringLiteral("nothing answers at %1=%2")
                         .arg(QLatin1String(name),
                              value.isEmpty() ? QLatin1String(fallback) : value);
    };
    if (platform == QLatin1String("xcb"))
        return QStringLiteral("X (%1)").arg(variable("DISPLAY", nullptr));
    const QString socket = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (platform.startsWith(QLatin1String("wayland")) && !socket.startsWith(QLatin1Char('/')) &&
        qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return QStringLiteral("Wayland (XDG_RUNTIME_DIR is not set)");
    if (platform.startsWith(QLatin1String("wayland")))
        return QStringLiteral("Wayland (%1)").arg(variable("WAYLAND_DISPLAY", "wayland-0"));
    return QStringLiteral("\"%1\" could not start").arg(platform);
}

// Qt names each platform it tried: "Could not find" one not installed, "Could not load" one
// installed whose display did not answer.
QString platformFailure() {
    static const QRegularExpression tried(
        QStringLiteral("Could not (find|load) the Qt platform plugin \"([^\"]+)\""));
    QStringList missing, noDisplay;
    for (const auto& held : g_heldMessages) {
        const QRegularExpressionMatch m = tried.match(held.second);
        if (!m.hasMatch())
            continue;
        if (m.captured(1) == QLatin1String("find"))
            missing << QStringLiteral("the Qt platform plugin \"%1\" is not installed%2")
                           .arg(m.captured(2), m.captured(2) == QLatin1String("wayland")
                                                   ? QStringLiteral(" (package qt6-wayland)")
                                                   : QString());
        else
            noDisplay << unreachable(m.captured(2));
    }
    if (missing.isEmpty() && noDisplay.isEmpty())
        noDisplay << QStringLiteral("DISPLAY or WAYLAND_DISPLAY is not set or not reachable");
    QStringList parts = missing;
    if (!noDisplay.isEmpty())
        parts << QStringLiteral("no display found: ") + noDisplay.join(QLatin1String(", "));
    return parts.join(QLatin1String("; "));
}

void startupHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"))) {
        const QString line =
            QStringLiteral("brindora: cannot open the window: %1\n").arg(platformFailure());
        g_heldError.release(false);
        std::fputs(line.toLocal8Bit().constData(), stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (type == QtFatalMsg)
        g_previousHandler(type, context, message);
    g_heldMessages.emplace_back(type, message);
}

void print(const QString& text, bool toError) {
    std::fputs(text.toLocal8Bit().constData(), toError ? stderr : stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    brindora::setApplicationIdentity();
    brindora::CommandLine line;
    {
        // Only the core of Qt, which needs no display: --help works anywhere.
        QCoreApplication reader(argc, argv);
        line = brindora::parseCommandLine(QCoreApplication::arguments());
    }
    if (line.exit) {
        print(line.message, line.toError);
        return line.exitCode;
    }
    // Results beside the game (off unless asked for); the class summary needs no display.
    const brindora::SettingsPlaces places = brindora::SettingsPlaces::fromEnvironment();
    const auto path = [](const QString& dir) { return QFile::encodeName(dir).toStdString(); };
    if (!line.summaryDir.isEmpty())
        return brindora::runSummary(path(line.summaryDir));
    if (line.openSummary)
        return brindora::openSummary(path(line.options.resultsDir), places);

    g_previousHandler = qInstallMessageHandler(startupHandler);
    g_heldError.hold();
    QApplication app(argc, argv);
    g_heldError.release(true);
    qInstallMessageHandler(g_previousHandler);
    for (const auto& [type, message] : std::exchange(g_heldMessages, {}))
        g_previousHandler(type, QMessageLogContext(), message);

    brindora::Form1Options options;
    options.mute = line.options.mute;
    // Results: the writer outlives the window, to write the game's last row.
    std::unique_ptr<brindora::ResultsWriter> results = brindora::startResults(
        path(line.options.resultsDir), line.options.pupil.toStdString(), places);
    options.observer = results.get();
    if (!line.options.reviewDir.isEmpty()) {
        std::vector<brindora::StateNumber> review =
            brindora::reviewStates(path(line.options.reviewDir), line.options.pupil.toStdString(),
                                   options.drawable, places);
        if (!review.empty())
            options.drawable = std::move(review);
    }
    brindora::Form1 form(std::move(options));
    if (line.options.fullscreen)
        form.showFullScreen();
    else
        form.show();
    return app.exec();
}
