// The folder is shared with every pupil's PC: its files are read without following links,
// only if they are plain files, and only up to a size no game reaches.
#include "game_folder.h"

#include "file_ops.h"
#include "messages.h"

#include <algorithm>

namespace brindora {

namespace {

constexpr std::size_t kLargestGameFile = 16 << 20;

bool csvName(const std::string& name) {
    if (name.size() < 5 || name[0] == '.')
        return false;
    std::string end = name.substr(name.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return end == ".csv";
}

std::string why(int failure) {
    switch (failure) {
    case kIsLink:
        return say(QT_TRANSLATE_NOOP("brindora", "it is a symbolic link"));
    case kNotPlain:
        return say(QT_TRANSLATE_NOOP("brindora", "it is not a plain file"));
    case kTooLarge:
        return say(QT_TRANSLATE_NOOP("brindora", "it is too large for a game file"));
    default:
        return errorText(failure);
    }
}

std::string motivo(ReadProblem problem) {
    switch (problem) {
    case ReadProblem::Truncated:
        return "interrotto prima delle righe delle risposte";
    case ReadProblem::Newer:
        return "scritto da una versione più recente di Brindora";
    default:
        return "non è il file di una partita di Brindora";
    }
}

} // namespace

bool readGameFolder(const std::string& dir, GameFolder& out, std::string& error,
                    const std::function<void(const std::string&)>& report) {
    std::vector<std::string> all, names;
    if (const int failure = listFolder(dir, all)) {
        error = say(QT_TRANSLATE_NOOP("brindora", "cannot read the folder \"%1\" (%2)"),
                    {dir, errorText(failure)});
        return false;
    }
    std::copy_if(all.begin(), all.end(), std::back_inserter(names), csvName);
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names) {
        const std::string path = inFolder(dir, name);
        if (const int failure = readFile(path, kLargestGameFile, false, text)) {
            out.skipped.push_back({name, why(failure), "non si legge come file di una partita"});
            report(say(QT_TRANSLATE_NOOP("brindora", "brindora: skipped \"%1\": %2"),
                       {path, why(failure)}));
            continue;
        }
        ReadResult result = readGameFile(text);
        if (result.problem == ReadProblem::None || result.problem == ReadProblem::LastRowCut) {
            result.record.file = name;
            out.games.push_back(std::move(result.record));
        }
        if (result.problem == ReadProblem::LastRowCut) {
            out.partial.push_back(
                {name, result.detail, "l'ultima riga è interrotta: lette le righe intere"});
            report(
                say(QT_TRANSLATE_NOOP("brindora", "brindora: \"%1\": %2"), {path, result.detail}));
        } else if (result.problem != ReadProblem::None) {
            out.skipped.push_back({name, result.detail, motivo(result.problem)});
            report(say(QT_TRANSLATE_NOOP("brindora", "brindora: skipped \"%1\": %2"),
                       {path, result.detail}));
        }
    }
    return true;
}

std::string pupilKey(const std::string& name) {
    std::string key;
    for (const char c : name) {
        if (c == ' ' || c == '\t') {
            if (!key.empty() && key.back() != ' ')
                key += ' ';
        } else {
            key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!key.empty() && key.back() == ' ')
        key.pop_back();
    return key;
}

} // namespace brindora
