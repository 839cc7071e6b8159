// Start-up: the options first, then the window, which is the whole program.
#include "run_brindora.h"

#include "messages.h"
#include "messages_qt.h"
#include "pupil_name_box.h"
#include "results_setup.h"
#include "session_end.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace brindora {

namespace {

// Without a display Qt warns, then ends the program with a fatal message and a core dump.
// While the application object is being made, its messages are held back; a fatal one about
// the platform becomes one plain line, saying what each platform tried lacked, and an exit code.
QtMessageHandler g_previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> g_heldMessages;

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
        // One line, saying what each platform Qt tried lacked.
        messages::writeError(QStringLiteral("brindora: cannot open the window: %1\n")
                                 .arg(platformFailure())
                                 .toLocal8Bit()
                                 .toStdString());
        std::_Exit(EXIT_FAILURE);
    }
    if (type == QtFatalMsg) {
        messages::releaseStartupOutput();
        g_previousHandler(type, context, message);
    }
    g_heldMessages.emplace_back(type, message);
}

void print(const QString& text, bool toError) {
    std::fputs(text.toLocal8Bit().constData(), toError ? stderr : stdout);
}

bool waylandPlatform() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

Form1Options form1Options(const StartOptions& options) {
    Form1Options form;
    form.mute = options.mute;
    // Explore mode and the teacher's choice of states.
    form.explore = options.explore;
    form.drawable = options.chosenStates;
    form.scanMs = options.scanMs;
    return form;
}

namespace {

// The game's window, with all it owns, from its start to the end of the event loop: when this
// returns, the sound is stopped and the results writer has written its last row and finished.
int playGame(const CommandLine& line, const SettingsPlaces& places, const RunHooks& hooks) {
    const auto path = [](const QString& dir) { return QFile::encodeName(dir).toStdString(); };
    Form1Options options = form1Options(line.options);
    // One name per pupil where a class shares a login: asked before anything is read or made.
    std::string pupil = line.options.pupil.toStdString();
    if (!line.options.explore) {
        const PupilQuestion question =
            pupilQuestionFor(path(line.options.resultsDir), pupil, places);
        if (question.ask) {
            const std::optional<QString> name =
                askPupilName(QString::fromStdString(question.prefill));
            if (!name)
                return EXIT_SUCCESS; // closed without a name: nothing played, nothing written
            pupil = name->toStdString();
        }
    }
    // Review first: the game file says what was asked. Explore mode asks nothing: there is
    // no game to write, and nothing to review.
    bool review = false;
    if (!line.options.reviewDir.isEmpty() && !line.options.explore) {
        std::vector<StateNumber> states =
            reviewStates(path(line.options.reviewDir), pupil, options.drawable, places);
        review = !states.empty();
        if (review)
            options.drawable = std::move(states);
    }
    if (options.scanMs == 0) // the command line wins over the pupil's own settings
        options.scanMs = scanFromSettings(places);
    // Results: the writer outlives the window, to write the game's last row.
    std::unique_ptr<ResultsWriter> results =
        line.options.explore ? nullptr
                             : startResults(path(line.options.resultsDir), pupil, places,
                                            gameMode(review, options.drawable));
    options.observer = results.get();
    // A logout or shutdown ends the game as a closed window does, its last rows written.
    std::optional<SessionEnd> sessionEnd;
    if (results)
        sessionEnd.emplace([writer = results.get()] {
            writer->ended(GameEnd::WindowClosed);
            writer->finish();
        });
    if (hooks.options)
        hooks.options(options);
    Form1 form(std::move(options));
    if (line.options.fullscreen)
        form.showFullScreen();
    else
        form.show();
    if (hooks.shown)
        QTimer::singleShot(0, &form, [&] { hooks.shown(form); });
    return QCoreApplication::exec();
}

} // namespace

int runBrindora(int argc, char** argv, const RunHooks& hooks) {
    messages::begin();
    setApplicationIdentity();
    CommandLine line;
    {
        // Only the core of Qt, which needs no display: --help works anywhere.
        QCoreApplication reader(argc, argv);
        // The help and the errors in the teacher's language (Qt's own "Usage:" too).
        if (QTranslator* messages = messageTranslator())
            QCoreApplication::installTranslator(messages);
        line = parseCommandLine(QCoreApplication::arguments());
    }
    if (line.exit) {
        print(line.message, line.toError);
        return line.exitCode;
    }
    // Results beside the game (off unless asked for); the class summary needs no display.
    const SettingsPlaces places = SettingsPlaces::fromEnvironment();
    const auto path = [](const QString& dir) { return QFile::encodeName(dir).toStdString(); };
    if (!line.summaryDir.isEmpty())
        return runSummary(path(line.summaryDir));
    if (line.openSummary)
        return openSummary(path(line.options.resultsDir), places);

    g_previousHandler = qInstallMessageHandler(startupHandler);
    messages::holdStartupOutput();
    QApplication app(argc, argv);
    messages::releaseStartupOutput();
    qInstallMessageHandler(g_previousHandler);
    for (const auto& [type, message] : std::exchange(g_heldMessages, {}))
        g_previousHandler(type, QMessageLogContext(), message);

    const int code = playGame(line, places, hooks);
    // Qt 6.4's Wayland client can hang in its own teardown (~QWaylandDisplay waits for an event
    // thread that waits in wl_display_read_events for a read nobody will make): a closed game
    // would stay behind as an invisible process. Nothing of ours is left to close by now.
    if (waylandPlatform())
        messages::leaveNow(code);
    return code;
}

} // namespace brindora
