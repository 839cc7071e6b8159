// Where every element of the window lies and how it looks, in twips as designed.
// Widget code takes geometry from here only, through toPixels().
#pragma once

#include "picture_list.h"
#include "twips.h"

#include <QRect>

#include <cstdint>

namespace brindora::layout {

constexpr QRect toPixels(const Rect& t) {
    return QRect(twipsToPixels(t.left), twipsToPixels(t.top), twipsToPixels(t.width),
                 twipsToPixels(t.height));
}

// Pixels of the design at a uniform scale (full screen). Each edge is rounded on its own,
// so elements that touch at scale 1 touch at every scale.
inline QRect scaled(const QRect& pixels, double scale) {
    const int left = qRound(pixels.left() * scale), top = qRound(pixels.top() * scale);
    return QRect(left, top, qRound((pixels.left() + pixels.width()) * scale) - left,
                 qRound((pixels.top() + pixels.height()) * scale) - top);
}

// The window: client area below the menu bar, 796 x 544 pixels.
inline constexpr int kClientWidthTwips = 11940;
inline constexpr int kClientHeightTwips = 8160;
inline constexpr const char* kCaptionName = "Ostavella";
inline constexpr int kCaptionBlanks = 44;
inline constexpr int kTimer1Interval = 20; // milliseconds

// The sunken border of the map box, on every side.
inline constexpr int kMapBorderPixels = 2;
// The map box's focus frame, inside its client area, once the keyboard is used on the map.
inline constexpr int kMapFocusPixels = 2;

// In full screen the client area, scaled to fit, lies centred on this quiet colour.
inline constexpr std::uint32_t kMarginColour = 0x303030;

enum class Kind { Button, PictureBox, Label, Image };

struct Element {
    const char* name;
    int index; // member of a control array (Image1), otherwise -1
    Kind kind;
    Rect rect;
};

// The window's client area, front to back within each layer; buttons and the
// picture box always lie in front of the labels and images.
// clang-format off
inline constexpr Element kClientElements[] = {
    {"Command2",  -1, Kind::Button,     { 9360,    0,  2655, 2775}},
    {"Command3",  -1, Kind::Button,     { 9360, 5160,  2655,  630}},
    {"Picture2",  -1, Kind::PictureBox, {    0,    0,  9345, 8145}},
    {"Label86",   -1, Kind::Label,      { 9600, 1320,  2415, 1215}},
    {"Label85",   -1, Kind::Label,      { 9840,  600,  2535,  735}},
    {"Label74",   -1, Kind::Label,      { 9480,    0,  2415,  735}},
    {"lblpunti",  -1, Kind::Label,      { 9960, 3840,  1575, 1215}},
    {"Label45",   -1, Kind::Label,      { 9720, 2880,  2175,  855}},
    {"Label44",   -1, Kind::Label,      { 9720, 5760,  2415,  735}},
    {"lblerrori", -1, Kind::Label,      {10560, 6720,   855,  735}},
    {"Image1",     0, Kind::Image,      {    0, -120, 12960, 2865}},
    {"Image1",     2, Kind::Image,      {    0, 5400, 12960, 2865}},
    {"Image1",     1, Kind::Image,      {    0, 2520, 12960, 2865}},
};
// clang-format on

// Font sizes in pixels: 18 pt = 24 px, 27.75 pt = 37 px, 36 pt = 48 px at 96 dpi.
inline constexpr const char* kFontFamily = "Arial";
inline constexpr int kFont18pt = 24;
inline constexpr int kFont27pt = 37;
inline constexpr int kFont36pt = 48;
// Message boxes, readable from the back of the class; larger in full screen by its scale.
inline constexpr int kBoxFontPixels = kFont18pt;

struct LabelStyle {
    const char* name;
    const char* text; // UTF-8, at start
    std::uint32_t colour;
    int fontPixels;
    bool centred;
};

// clang-format off
inline constexpr LabelStyle kPanelLabels[] = {
    {"Label45",   "Esatte",         0x00FF00, kFont36pt, false},
    {"lblpunti",  "0",              0xFFFF00, kFont36pt, true},
    {"Label44",   "Errate",         0xC000C0, kFont36pt, false},
    {"lblerrori", "0",              0xC000C0, kFont36pt, false},
    {"Label74",   "Brindora",       0x00FF00, kFont27pt, true},
    {"Label85",   "Europa",         0x00FF00, kFont27pt, false},
    {"Label86",   "Happy Birthday", 0x00FF00, kFont27pt, true},
};
// clang-format on

// The heading line inside the map box, in its client coordinates, front to back.
// lblreg sizes itself to its text; its rectangle here is where it starts.
struct Heading {
    const char* name;
    const char* text;
    Rect rect;
    std::uint32_t colour;
    int fontPixels;
};

// clang-format off
inline constexpr Heading kHeadings[] = {
    {"lblreg",  "",             {3000, 0, 1305, 405}, 0xFF0000, kFont18pt},
    {"Label43", "da scoprire:", {1080, 0, 1935, 375}, 0x0000FF, kFont18pt},
    {"Label42", "Stato",        { 120, 0, 1215, 375}, 0x0000FF, kFont18pt},
};
// clang-format on

struct ButtonStyle {
    const char* name;
    const char* caption;
    std::uint32_t face;
    int fontPixels;
    const char* picture; // picture name
    const char* pointer; // picture name, or nullptr: the window's own pointer shows
    const char* toolTip; // or nullptr
};

// clang-format off
inline constexpr ButtonStyle kButtons[] = {
    {"Command2", "Cliccami  per viaggiare tra gli Stati della nostra amata Europa",
                 0x80FFFF, kFont18pt, pictures::car_picture,  nullptr,                 nullptr},
    {"Command3", "EXIT",
                 0xFFFFFF, kFont27pt, pictures::exit_picture, pictures::exit_pointer, "Per uscire dal gioco cliccami"},
};
// clang-format on

// Image1 shows the flag strip in each of its members.
inline constexpr const char* kImage1Picture = pictures::flag_strip;
inline constexpr const char* kWindowPointer = pictures::window_pointer;
inline constexpr const char* kWindowIcon = pictures::window_icon;
inline constexpr const char* kMapPicture = pictures::europe_map;
inline constexpr const char* kMapPointer = pictures::map_pointer;
inline constexpr const char* kRegionPointer = pictures::region_pointer;

} // namespace brindora::layout
