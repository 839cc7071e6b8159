// How each country of the source data is drawn: its state number, colours, merges.
#pragma once

#include <QRgb>
#include <QString>

enum class Shade {
    Flat,     // one colour
    Vertical, // from the top colour at its northern edge to the bottom colour at its southern
    Eastward, // from the top colour at its western edge to the bottom colour at the map's right
              // edge
};

struct CountryStyle {
    const char* name; // the source's country name
    int state;        // catalogue number, or 0 outside the catalogue
    Shade shade;
    QRgb top, bottom;
    bool keepTouched; // every pixel it touches is its own, so a small state stays visible
};

// Mask value of land that belongs to no state of the catalogue.
inline constexpr int kOtherLand = 255;

class CountryTable {
public:
    // The country a source feature is drawn as (itself, or the one it merges into).
    static QString owner(const QString& featureName);
    // Style of a country, or nullptr for one the table does not know.
    static const CountryStyle* style(const QString& name);
    // Style for land the table does not name.
    static const CountryStyle& fallback();
};
