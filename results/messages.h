// What the program tells a teacher or technician (standard error, --help) in the locale's
// language: Italian under it_*, English otherwise, from one Qt Linguist catalogue,
// results/i18n/brindora_it.ts. Each text is written in the code as
// say(QT_TRANSLATE_NOOP("brindora", "English text with %1"), {argument}), which lupdate reads.
#pragma once

#include <initializer_list>
#include <string>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace brindora {

inline constexpr const char* kMessageContext = "brindora";

// source in the locale's language, with %1, %2... replaced by the arguments in order.
std::string say(const char* source, std::initializer_list<std::string> arguments = {});

// Whether the messages are Italian: LANGUAGE, LC_ALL, LC_MESSAGES, LANG (or Windows' own
// display language) naming Italian first. A test may set it instead.
bool italianMessages();
void setItalianMessages(bool italian);

} // namespace brindora
