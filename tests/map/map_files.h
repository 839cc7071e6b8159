// The committed map picture and its state mask, loaded once, and the colour rules.
#pragma once

#include <QImage>
#include <QString>

namespace brindora::mapfiles {

inline constexpr int kWidth = 619;
inline constexpr int kHeight = 539;
inline constexpr QRgb kSea = 0xff80ffff; // (128, 255, 255)

// The 1x files, or their copies drawn `scale` times finer (europe_map@2x.png, ...).
inline constexpr int kScales[] = {2, 3, 4};
QString picturePath(int scale = 1);
QString maskPath(int scale = 1);
const QImage& picture(int scale = 1); // as stored, or a null image when missing
const QImage& mask(int scale = 1);
// Which country lies under each pixel of the 1x map: 0 sea, n the n-th of the names in
// its PNG text "Countries".
QString countriesPath();
const QImage& countries();

struct PngHeader {
    int width = 0, height = 0;
    int bitDepth = 0, colourType = -1; // colour type 2: RGB, 0: grey
};
PngHeader pngHeader(const QString& path);

// Coastlines are black or dark grey: all channels low and close together.
bool isCoast(QRgb c);
bool isSea(QRgb c);
int colourDistance(QRgb a, QRgb b);

} // namespace brindora::mapfiles
