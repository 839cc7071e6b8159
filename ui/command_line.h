// The program's command line: what the game starts with, or what to print and exit with.
#pragma once

#include "state_number.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace brindora {

struct StartOptions {
    bool mute = false;       // every sound silent
    bool fullscreen = false; // the window fills the screen
    // Beside the game, each off unless asked for:
    bool explore = false; // --explore: a click names the state; nothing is asked
    bool statesGiven = false;
    QString states;     // --states LIST: the draw asks only these, as the pupil reads them
    QString resultsDir; // --results DIR: each game written into this folder
    QString pupil;      // --pupil NAME: the name the results carry
    QString reviewDir;  // --review DIR: ask only this pupil's mistakes found there
    int scanMs = 0;     // --scan SECONDS, in milliseconds: the one-switch scan; 0: none

    // --states, read and checked: the states named, each once, in the order given.
    std::vector<StateNumber> chosenStates;
};

struct CommandLine {
    bool exit = false;        // print message and end without a window
    int exitCode = 0;         // when exit: 0 for --help and --version
    QString message;          // the help, the version or the error, ending with a newline
    bool toError = false;     // the message goes to standard error
    StartOptions options;     // when not exit
    QString summaryDir;       // --summary DIR: write the class summary of DIR instead of playing
    bool openSummary = false; // --open-summary: the results folder's summary, in the browser
};

struct SettingsPlaces;

// The scan's step from its text in seconds, 0.5 to 10, with a point or an Italian comma
// ("1,5"): milliseconds, or 0 for any other text.
int scanMilliseconds(const QString& seconds);
// scan= under [accessibility] in the user's brindora.conf; 0 when it is absent, and when it
// is no such number, after one line on standard error that says so.
int scanFromSettings(const SettingsPlaces& places);

// The program's name, version, organisation and desktop entry, as Qt reports them.
void setApplicationIdentity();

// Reads the arguments, program name first. Qt's own window options (-platform, -style, ...)
// are accepted and left for the application object. Needs a QCoreApplication for the help.
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace brindora
