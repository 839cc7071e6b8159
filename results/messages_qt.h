// The catalogue as a QTranslator, for Qt's own texts of the command line ("Usage: %1").
#pragma once

class QTranslator;

namespace brindora {

// The Italian catalogue when the messages are Italian, else nullptr.
QTranslator* messageTranslator();

} // namespace brindora
