// The map and its mask are built into the library, so a summary needs no installed assets.
// Mask values: 0 sea, lakes and coastline; 1..29 a state of the catalogue; 255 other land.
#include "class_map.h"

#include "map_assets.h"

#include <QBuffer>
#include <QImage>

#include <cstring>

namespace brindora {

// ColorBrewer's "Reds" (single hue, sequential): readable for every kind of colour vision,
// as only lightness carries the figure.
const std::array<RampStep, 5> kMissRamp = {{{0.2, 0xFEE5D9, "fino al 20 %"},
                                            {0.4, 0xFCAE91, "dal 20 al 40 %"},
                                            {0.6, 0xFB6A4A, "dal 40 al 60 %"},
                                            {0.8, 0xDE2D26, "dal 60 all'80 %"},
                                            {1.0, 0xA50F15, "oltre l'80 %"}}};

namespace {

constexpr int kOtherLandMask = 255;
constexpr int kHatchSpacing = 5;

// The picture as 3 bytes (RGB) or 1 byte (grey) a pixel, rows packed.
bool decode(const unsigned char* data, std::size_t size, QImage::Format format, MapPicture& out) {
    QImage image;
    if (!image.loadFromData(data, static_cast<int>(size), "PNG"))
        return false;
    image = image.convertToFormat(format);
    const std::size_t rowBytes =
        static_cast<std::size_t>(image.width()) * (format == QImage::Format_RGB888 ? 3 : 1);
    out.width = image.width();
    out.height = image.height();
    out.rgb.resize(rowBytes * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(out.rgb.data() + rowBytes * static_cast<std::size_t>(y), image.constScanLine(y),
                    rowBytes);
    return !image.isNull();
}

void put(std::string& rgb, std::size_t pixel, std::uint32_t colour) {
    rgb[pixel * 3] = static_cast<char>(colour >> 16);
    rgb[pixel * 3 + 1] = static_cast<char>(colour >> 8);
    rgb[pixel * 3 + 2] = static_cast<char>(colour);
}

// The mask's land pixel whose right or lower neighbour is other land: so each border between
// two areas is drawn once, one pixel wide, on the upper or left side.
bool border(const MapPicture& mask, int x, int y) {
    const auto at = [&](int px, int py) {
        return static_cast<unsigned char>(mask.rgb[std::size_t(py) * mask.width + px]);
    };
    const unsigned char here = at(x, y);
    const auto other = [&](int px, int py) {
        const unsigned char there = at(px, py);
        return there != 0 && there != here;
    };
    return (x + 1 < mask.width && other(x + 1, y)) || (y + 1 < mask.height && other(x, y + 1));
}

} // namespace

std::uint32_t missColour(double missed) {
    for (const RampStep& step : kMissRamp)
        if (missed <= step.upTo)
            return step.rgb;
    return kMissRamp.back().rgb;
}

MapPicture stateMask() {
    MapPicture mask;
    return decode(mapassets::kMask, mapassets::kMaskSize, QImage::Format_Grayscale8, mask)
               ? mask
               : MapPicture{};
}

MapPicture classMap(const ClassSummary& summary) {
    MapPicture map, mask;
    if (!decode(mapassets::kMap, mapassets::kMapSize, QImage::Format_RGB888, map) ||
        !decode(mapassets::kMask, mapassets::kMaskSize, QImage::Format_Grayscale8, mask) ||
        map.width != mask.width || map.height != mask.height)
        return {};
    std::array<std::uint32_t, 256> colour{};
    std::array<bool, 256> hatched{};
    colour.fill(kOtherLandColour);
    for (const StateRow& row : catalogo)
        hatched[row.number] = row.drawn; // never asked, unless the summary says otherwise
    for (const StateSummary& s : summary.states) {
        if (const auto missed = s.missed()) {
            colour[s.state] = missColour(*missed);
            hatched[s.state] = false;
        }
    }
    colour[kOtherLandMask] = kOtherLandColour;
    for (int y = 0; y < map.height; ++y) {
        for (int x = 0; x < map.width; ++x) {
            const std::size_t pixel = static_cast<std::size_t>(y) * map.width + x;
            const auto value = static_cast<unsigned char>(mask.rgb[pixel]);
            if (value == 0) {
                // The map's coastline is black; lakes and sea are not.
                const bool coast = map.rgb[pixel * 3] == 0 && map.rgb[pixel * 3 + 1] == 0 &&
                                   map.rgb[pixel * 3 + 2] == 0;
                put(map.rgb, pixel, coast ? kCoastColour : kSeaColour);
            } else if (border(mask, x, y)) {
                put(map.rgb, pixel, kBorderColour);
            } else if (hatched[value]) {
                put(map.rgb, pixel,
                    (x + y) % kHatchSpacing == 0 ? kHatchColour : kNeverAskedColour);
            } else {
                put(map.rgb, pixel, colour[value]);
            }
        }
    }
    return map;
}

std::string encodePng(const MapPicture& picture) {
    if (picture.width <= 0 || picture.rgb.size() != std::size_t(picture.width) * picture.height * 3)
        return {};
    const QImage image(reinterpret_cast<const uchar*>(picture.rgb.data()), picture.width,
                       picture.height, picture.width * 3, QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return bytes.toStdString();
}

} // namespace brindora
