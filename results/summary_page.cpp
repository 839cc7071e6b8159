// The page's texts are the school's language; every name and text from the files is escaped.
#include "summary_page.h"

#include "class_map.h"
#include "file_name.h"

#include <algorithm>
#include <cstdio>

namespace brindora {

namespace {

constexpr const char* kStyle = R"(
@page { size: A4; margin: 14mm 12mm; }
* { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { font-family: "Liberation Sans", Arial, sans-serif; font-size: 10.5pt; color: #000;
       max-width: 186mm; margin: 0 auto; }
h1 { font-size: 18pt; margin: 0 0 2mm; }
h2 { font-size: 13pt; margin: 6mm 0 2mm; break-after: avoid; }
p { margin: 1mm 0; }
table { border-collapse: collapse; width: 100%; }
thead { display: table-header-group; }
tr { break-inside: avoid; }
th, td { border: 0.3mm solid #888; padding: 1mm 1.5mm; text-align: left; vertical-align: top; }
th { background: #eee; }
td.n { text-align: right; white-space: nowrap; }
.map { break-inside: avoid; }
.map img { width: 100%; max-width: 170mm; height: auto; display: block; margin: 0 auto;
           border: 0.3mm solid #888; }
.legend { margin: 2mm 0; padding: 0; list-style: none; }
.legend li { display: inline-block; margin: 0 4mm 1mm 0; white-space: nowrap; }
.legend svg { vertical-align: middle; margin-right: 1mm; }
.small { font-size: 9pt; color: #333; }
)";

std::string date(const std::string& isoTime) {
    if (isoTime.size() < 16)
        return "—";
    return isoTime.substr(8, 2) + "/" + isoTime.substr(5, 2) + "/" + isoTime.substr(0, 4) + " " +
           isoTime.substr(11, 5);
}

std::string dayOnly(const std::string& isoTime) {
    return date(isoTime).substr(0, 10);
}

// "del", "dal", "al" before a date, elided where the day is said with a vowel: l'1, l'8,
// l'11 ("dell'11/12/2026", "dall'8/03").
std::string before(const std::string& preposition, const std::string& day) {
    const std::string number = day.substr(0, 2);
    if (number == "01" || number == "08" || number == "11")
        return preposition.substr(0, preposition.size() - 1) + "ll'" + day;
    return preposition + " " + day;
}

std::string base64(const std::string& bytes) {
    static const char* kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            value |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(value >> 18) & 63];
        out += kDigits[(value >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(value >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[value & 63] : '=';
    }
    return out;
}

std::string hex(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", rgb & 0xFFFFFFu);
    return text;
}

std::string swatch(std::uint32_t fill, bool hatched) {
    std::string svg = "<svg width=\"16\" height=\"12\" viewBox=\"0 0 16 12\">"
                      "<rect x=\"0.5\" y=\"0.5\" width=\"15\" height=\"11\" fill=\"" +
                      hex(fill) + "\" stroke=\"#444\"/>";
    if (hatched)
        svg += "<path d=\"M0 12L12 0M4 12L16 0M-4 8L8 -4\" stroke=\"" + hex(kHatchColour) + "\"/>";
    return svg + "</svg>";
}

std::string percent(int part, int whole) {
    return std::to_string((part * 100 + whole / 2) / whole) + " %";
}

std::string stateName(StateNumber state) {
    const StateRow* row = lookupState(state);
    return row ? std::string(row->name) : std::to_string(state);
}

std::string cell(const std::string& text, bool number = false) {
    return std::string(number ? "<td class=\"n\">" : "<td>") + htmlEscape(text) + "</td>";
}

std::string pupilTable(const ClassSummary& s) {
    std::string out = "<h2>Alunni</h2>\n";
    if (s.pupils.empty())
        return out + "<p>Nessuna partita.</p>\n";
    out +=
        "<table>\n<thead><tr><th>Alunno</th><th>Partite</th><th>Risposte giuste</th>"
        "<th>Errori</th><th>Partita migliore</th><th>Ultima partita</th></tr></thead>\n<tbody>\n";
    for (const PupilSummary& p : s.pupils) {
        std::string games = std::to_string(p.games);
        if (p.unfinished)
            games += " (" + std::to_string(p.unfinished) +
                     (p.unfinished == 1 ? " non finita)" : " non finite)");
        std::string right = std::to_string(p.found);
        if (p.windowRight != p.found)
            right += " (nella finestra " + std::to_string(p.windowRight) + ")";
        out += "<tr>" + cell(p.name) + cell(games, true) + cell(right, true) +
               cell(std::to_string(p.errors), true) +
               cell(std::to_string(p.bestFound) + (p.bestFound == 1 ? " giusta, " : " giuste, ") +
                    std::to_string(p.bestErrors) + (p.bestErrors == 1 ? " errore, " : " errori, ") +
                    "il " + dayOnly(p.bestTime)) +
               cell(date(p.lastPlayed), true) + "</tr>\n";
    }
    out += "</tbody>\n</table>\n";
    if (std::any_of(s.pupils.begin(), s.pupils.end(),
                    [](const PupilSummary& p) { return p.windowRight != p.found; }))
        out += "<p class=\"small\">La finestra conta una risposta giusta quando si chiede lo Stato "
               "seguente: l'ultimo Stato trovato in una partita non è fra le sue «Esatte».</p>\n";
    return out;
}

std::string stateTable(const ClassSummary& s) {
    std::vector<StateSummary> states = s.states;
    // The hardest first; those never asked last, in the catalogue's order.
    std::stable_sort(states.begin(), states.end(),
                     [](const StateSummary& a, const StateSummary& b) {
                         return a.missed().value_or(-1.0) > b.missed().value_or(-1.0);
                     });
    std::string out = "<h2>Stati</h2>\n<table>\n<thead><tr><th>Stato</th><th>Chiesto</th>"
                      "<th>Trovato al primo clic</th><th>Confuso più spesso con</th></tr>"
                      "</thead>\n<tbody>\n";
    if (s.apart)
        out = "<h2>Stati</h2>\n<p>Solo le partite complete: " +
              std::string(s.apart == 1 ? "la partita di ripasso o con Stati scelti non è contata"
                                       : "le " + std::to_string(s.apart) +
                                             " partite di ripasso o con Stati scelti non sono "
                                             "contate") +
              " qui né sulla carta.</p>\n" + out.substr(std::string("<h2>Stati</h2>\n").size());
    for (const StateSummary& st : states) {
        std::string confused;
        for (std::size_t i = 0; i < st.confused.size() && i < 3; ++i)
            confused += (i ? ", " : "") + stateName(st.confused[i].clicked) + " (" +
                        std::to_string(st.confused[i].times) + ")";
        out += "<tr>" + cell(stateName(st.state)) +
               cell(st.asked ? std::to_string(st.asked) + (st.asked == 1 ? " volta" : " volte")
                             : "mai",
                    true) +
               cell(st.asked ? percent(st.firstClick, st.asked) : "—", true) +
               cell(confused.empty() ? "—" : confused) + "</tr>\n";
    }
    return out + "</tbody>\n</table>\n";
}

std::string mapSection(const std::string& png) {
    std::string out = "<div class=\"map\">\n<h2>La carta della classe</h2>\n"
                      "<p>Ogni Stato è colorato secondo quante volte la classe non l'ha trovato "
                      "al primo clic: più è scuro, più è stato sbagliato.</p>\n";
    if (png.empty())
        out += "<p>(La carta non è disponibile.)</p>\n";
    else
        out += "<img alt=\"Carta d'Europa con gli Stati colorati secondo gli errori della classe\" "
               "src=\"data:image/png;base64," +
               base64(png) + "\">\n";
    out += "<ul class=\"legend\">\n<li>Non trovato al primo clic:</li>\n";
    for (const RampStep& step : kMissRamp)
        out += "<li>" + swatch(step.rgb, false) + htmlEscape(step.label) + "</li>\n";
    out += "<li>" + swatch(kNeverAskedColour, true) + "mai chiesto</li>\n<li>" +
           swatch(kOtherLandColour, false) + "altri Paesi</li>\n</ul>\n</div>\n";
    return out;
}

std::string fileList(const char* title, const std::vector<FileNote>& files) {
    if (files.empty())
        return {};
    std::string out = std::string("<h2>") + title +
                      "</h2>\n<table>\n<thead><tr><th>File</th>"
                      "<th>Perché</th></tr></thead>\n<tbody>\n";
    for (const FileNote& f : files)
        out += "<tr>" + cell(f.file) + cell(f.motivo) + "</tr>\n";
    return out + "</tbody>\n</table>\n";
}

} // namespace

std::string htmlEscape(const std::string& raw) {
    const std::string text = printable(raw);
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string summaryPage(const ClassSummary& s, const std::string& folder,
                        const std::string& mapPng) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                      "img-src data:; style-src 'unsafe-inline'\">\n"
                      "<title>Riepilogo della classe</title>\n<style>" +
                      std::string(kStyle) + "</style>\n</head>\n<body>\n";
    out += "<h1>Riepilogo della classe</h1>\n";
    out += "<p>Cartella: " + htmlEscape(folder) + "</p>\n";
    if (s.firstTime.empty())
        out += "<p>Nessuna partita giocata.</p>\n";
    else if (dayOnly(s.firstTime) == dayOnly(s.lastTime))
        out += "<p>Partite " + htmlEscape(before("del", dayOnly(s.firstTime))) + "</p>\n";
    else
        out += "<p>Partite " + htmlEscape(before("dal", dayOnly(s.firstTime))) + " " +
               htmlEscape(before("al", dayOnly(s.lastTime))) + "</p>\n";
    out += "<p>File letti: " + std::to_string(s.filesRead) +
           " (partite: " + std::to_string(s.games) +
           ", non finite: " + std::to_string(s.unfinished) +
           "); file saltati: " + std::to_string(s.skipped.size()) + "</p>\n";
    out += pupilTable(s);
    out += stateTable(s);
    out += mapSection(mapPng);
    out += fileList("File saltati", s.skipped);
    out += fileList("File letti in parte", s.partial);
    out += "<p class=\"small\">Una partita senza la riga di fine è «non finita»: il gioco è stato "
           "interrotto (o è ancora in corso).</p>\n";
    return out + "</body>\n</html>\n";
}

} // namespace brindora
