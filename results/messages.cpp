// The catalogue is compiled by lrelease and built into the program as a Qt resource.
#include "messages.h"

#include "messages_qt.h"

#include <QLocale>
#include <QString>
#include <QTranslator>

#include <atomic>
#include <mutex>

namespace brindora {

namespace {

std::atomic<int> g_forced{-1}; // -1: as the locale says

bool localeIsItalian() {
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.first().startsWith(QLatin1String("it"));
}

QTranslator* italian() {
    static QTranslator* translator = [] {
        auto* loaded = new QTranslator; // lives as long as the program
        if (!loaded->load(QStringLiteral(":/i18n/brindora_it.qm"))) {
            delete loaded;
            loaded = nullptr;
        }
        return loaded;
    }();
    return translator;
}

} // namespace

bool italianMessages() {
    const int forced = g_forced;
    if (forced >= 0)
        return forced == 1;
    static const bool fromLocale = localeIsItalian();
    return fromLocale;
}

void setItalianMessages(bool on) {
    g_forced = on ? 1 : 0;
}

QTranslator* messageTranslator() {
    return italianMessages() ? italian() : nullptr;
}

std::string say(const char* source, std::initializer_list<std::string> arguments) {
    std::string text = source;
    if (QTranslator* translator = messageTranslator()) {
        const QString translated = translator->translate(kMessageContext, source);
        if (!translated.isEmpty())
            text = translated.toStdString();
    }
    // %1.. replaced in one pass, byte for byte: an argument holding "%2", or bytes that are
    // not UTF-8 (a file's name, escaped later), stays as it is.
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t index = std::size_t(text[i + 1] - '1');
            if (index < arguments.size()) {
                out += *(arguments.begin() + index);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace brindora
