// What the program's start-up calls: results on or off, the summary commands and review.
// Lines for the teacher go to standard error, the page's path to standard output.
#pragma once

#include "results_writer.h"
#include "settings_file.h"

#include <memory>
#include <string>
#include <vector>

namespace brindora {

// The folder from the command line, else from brindora.conf; empty: results are off.
std::string resultsFolder(const std::string& given, const ResultsSettings& settings);

// The writer of this game, or nullptr when no folder is set (then nothing is written);
// mode as gameMode() gives it.
std::unique_ptr<ResultsWriter> startResults(const std::string& givenFolder,
                                            const std::string& givenPupil,
                                            const SettingsPlaces& places,
                                            const std::string& mode = {});

// The name box's question, when results are on (see pupilQuestion()).
PupilQuestion pupilQuestionFor(const std::string& givenFolder, const std::string& givenPupil,
                               const SettingsPlaces& places);

// Writes dir/riepilogo.html; its path, or an empty string with error set.
std::string writeSummary(const std::string& dir, std::string& error);

// brindora --summary DIR: the exit code.
int runSummary(const std::string& dir);
// The desktop action: the summary of the results folder, opened with xdg-open.
int openSummary(const std::string& givenFolder, const SettingsPlaces& places);

// --review DIR: the states this pupil missed at the first click there, within chosen when
// that is not empty. Empty (with one line saying why) when there is nothing to review.
std::vector<StateNumber> reviewStates(const std::string& dir, const std::string& givenPupil,
                                      const std::vector<StateNumber>& chosen,
                                      const SettingsPlaces& places);

} // namespace brindora
