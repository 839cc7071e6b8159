// The options with QCommandLineParser, read before any window exists.
#include "command_line.h"

#include "file_name.h"
#include "settings_file.h"
#include "state_list.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cmath>
#include <cstdio>

namespace brindora {

namespace {

// Qt's own options of every window program, handled by QApplication itself: accepted here
// and kept out of the help.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"display", true},         {"geometry", true},
    {"style", true},           {"stylesheet", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"sync", false},
};

CommandLine exitWith(int code, const QString& message, bool toError) {
    CommandLine line;
    line.exit = true;
    line.exitCode = code;
    line.message = message;
    line.toError = toError;
    return line;
}

CommandLine usageError(const QString& what) {
    return exitWith(1,
                    QCoreApplication::translate(
                        "brindora", "brindora: %1\nTry 'brindora --help' for the options.\n")
                        .arg(what),
                    true);
}

// A name as given, shown within one line of a message.
QString oneLine(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

// --states: one line that names the name at fault and what may be given instead.
QString statesError(const StateList& list) {
    const QString name = oneLine(QString::fromStdString(list.offending));
    QString what;
    switch (list.problem) {
    case ListProblem::Empty:
        what = QCoreApplication::translate("brindora", "--states names no state");
        break;
    case ListProblem::NeverAsked:
        what = QCoreApplication::translate(
                   "brindora", "--states: \"%1\" has no region on the map, so it is never asked")
                   .arg(name);
        break;
    default:
        what = QCoreApplication::translate(
                   "brindora", "--states: \"%1\" is neither a state of the game nor a group")
                   .arg(name);
        break;
    }
    const auto joined = [](const std::vector<std::string_view>& names) {
        QStringList out;
        for (const std::string_view n : names)
            out << QString::fromUtf8(n.data(), qsizetype(n.size()));
        return out.join(QStringLiteral(", "));
    };
    return QCoreApplication::translate("brindora",
                                       "brindora: %1; give states from: %2; or groups: %3\n")
        .arg(what, joined(askedStateNames()), joined(groupNames()));
}

constexpr double kScanShortest = 0.5, kScanLongest = 10; // seconds

} // namespace

int scanMilliseconds(const QString& seconds) {
    QString text = seconds.trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !(value >= kScanShortest && value <= kScanLongest))
        return 0;
    return int(std::lround(value * 1000));
}

int scanFromSettings(const SettingsPlaces& places) {
    const ResultsSettings settings = readResultsSettings(places);
    if (settings.scan.empty())
        return 0;
    const QString text = QString::fromStdString(settings.scan);
    const int ms = scanMilliseconds(text);
    if (ms == 0)
        std::fputs(QCoreApplication::translate("brindora",
                                               "brindora: brindora.conf: scan=%1 is not a number "
                                               "of seconds from 0.5 to 10: the map is not scanned\n")
                       .arg(oneLine(text))
                       .toLocal8Bit()
                       .constData(),
                   stderr);
    return ms;
}

void setApplicationIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Brindora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRINDORA_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Collemarsi school"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("collemarsi.edu.it"));
    // The desktop matches the window to its entry, and so to its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.collemarsi.Brindora"));
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "brindora", "Geography game: find the states of Europe on the map."));
    // Qt's options are words after one dash (-platform), so ours are read the same way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("brindora", "Show these options and exit."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("brindora", "Show the version and exit."));
    const QCommandLineOption mute(
        QStringLiteral("mute"),
        QCoreApplication::translate("brindora", "Start with every sound silent."));
    const QCommandLineOption fullscreen(
        QStringLiteral("fullscreen"),
        QCoreApplication::translate("brindora",
                                    "Start in full screen (F11 gives the window back)."));
    const QCommandLineOption explore(
        QStringLiteral("explore"),
        QCoreApplication::translate(
            "brindora", "Explore the map: nothing is asked; a click on a state shows and says "
                        "its name."));
    const QCommandLineOption states(
        QStringLiteral("states"),
        QCoreApplication::translate(
            "brindora", "Ask only these states: names as the game says them (Francia, Regno "
                        "Unito) or groups (balcani, baltici, benelux, ...), separated by "
                        "commas."),
        QCoreApplication::translate("brindora", "list"));
    const QCommandLineOption results(
        QStringLiteral("results"),
        QCoreApplication::translate(
            "brindora", "Write every answer of the game into a new file in this folder (also "
                        "set by folder= under [results] in brindora.conf)."),
        QCoreApplication::translate("brindora", "folder"));
    const QCommandLineOption pupil(
        QStringLiteral("pupil"),
        QCoreApplication::translate(
            "brindora", "The pupil's name in the results (default: pupil= in the "
                        "user's brindora.conf, else in the lab's, else the login's name)."),
        QCoreApplication::translate("brindora", "name"));
    const QCommandLineOption review(
        QStringLiteral("review"),
        QCoreApplication::translate(
            "brindora", "Ask only the states this pupil missed at the first click in the "
                        "game files of this folder."),
        QCoreApplication::translate("brindora", "folder"));
    const QCommandLineOption scan(
        QStringLiteral("scan"),
        QCoreApplication::translate(
            "brindora", "One switch: the map's highlight steps from state to state by itself, "
                        "one every so many seconds (0.5 to 10); Space or Enter answers (also "
                        "set by scan= under [accessibility] in the user's brindora.conf)."),
        QCoreApplication::translate("brindora", "seconds"));
    const QCommandLineOption summary(
        QStringLiteral("summary"),
        QCoreApplication::translate(
            "brindora", "Write the class summary (riepilogo.html) of the game files in this "
                        "folder, print its path and exit; needs no display."),
        QCoreApplication::translate("brindora", "folder"));
    const QCommandLineOption openSummary(
        QStringLiteral("open-summary"),
        QCoreApplication::translate(
            "brindora", "Write the class summary of the results folder (--results, or folder= "
                        "in brindora.conf) and open it in the browser."));
    parser.addOptions({help, version, mute, fullscreen, explore, states, results, pupil, review,
                       scan, summary, openSummary});
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QLatin1String(qt.name));
        if (qt.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(QCoreApplication::translate("brindora", "Unexpected argument '%1'.")
                              .arg(parser.positionalArguments().constFirst()));
    if (parser.isSet(help))
        return exitWith(0, parser.helpText(), false);
    if (parser.isSet(version))
        return exitWith(0,
                        QCoreApplication::applicationName() + QLatin1Char(' ') +
                            QCoreApplication::applicationVersion() + QLatin1Char('\n'),
                        false);

    CommandLine line;
    line.options.mute = parser.isSet(mute);
    line.options.fullscreen = parser.isSet(fullscreen);
    line.options.explore = parser.isSet(explore);
    line.options.statesGiven = parser.isSet(states);
    line.options.states = parser.value(states);
    // The names are checked here, so that a wrong one is told before any window opens.
    if (line.options.statesGiven) {
        const StateList chosen = readStateList(line.options.states.toStdString());
        if (chosen.problem != ListProblem::None)
            return exitWith(1, statesError(chosen), true);
        line.options.chosenStates = chosen.states;
    }
    line.options.resultsDir = parser.value(results);
    line.options.pupil = parser.value(pupil);
    line.options.reviewDir = parser.value(review);
    // A mistyped folder would silently give the full game: told before the window opens.
    if (parser.isSet(review) && !line.options.explore && !QFileInfo(line.options.reviewDir).isDir())
        return exitWith(1,
                        QCoreApplication::translate(
                            "brindora", "brindora: --review: the folder \"%1\" does not exist\n")
                            .arg(QString::fromStdString(printable(
                                QFile::encodeName(line.options.reviewDir).toStdString()))),
                        true);
    if (parser.isSet(scan)) {
        line.options.scanMs = scanMilliseconds(parser.value(scan));
        if (line.options.scanMs == 0)
            return usageError(
                QCoreApplication::translate(
                    "brindora", "--scan: \"%1\" is not a number of seconds from 0.5 to 10")
                    .arg(oneLine(parser.value(scan))));
    }
    line.summaryDir = parser.value(summary);
    line.openSummary = parser.isSet(openSummary);
    return line;
}

} // namespace brindora
