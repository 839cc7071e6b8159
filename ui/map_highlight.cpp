// A disc stamped on every edge pixel of the state: the line keeps its width on islands,
// capes and straits alike.
#include "map_highlight.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

namespace brindora {

namespace {

constexpr int kMaskScales[] = {1, 2, 3, 4};
const QSize kMaskSize(619, 539);

QString maskFile(int scale) {
    return scale == 1 ? QStringLiteral(":/masks/europe_map_mask.png")
                      : QStringLiteral(":/masks/europe_map_mask@%1x.png").arg(scale);
}

} // namespace

QImage MapHighlight::maskAt(QSize devicePixels) {
    int chosen = kMaskScales[std::size(kMaskScales) - 1];
    for (const int scale : kMaskScales)
        if (kMaskSize.width() * scale >= devicePixels.width() &&
            kMaskSize.height() * scale >= devicePixels.height()) {
            chosen = scale;
            break;
        }
    QImage mask = QImage(maskFile(chosen)).convertToFormat(QImage::Format_Grayscale8);
    // A state number is no colour to blend: the nearest pixel, never an average.
    if (!mask.isNull() && mask.size() != devicePixels)
        mask = mask.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return mask;
}

QImage MapHighlight::lineIn(const QImage& mask, StateNumber state, int width, QPoint* at) {
    const int w = mask.width(), h = mask.height();
    const auto of = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && mask.constScanLine(y)[x] == state;
    };
    QRect bounds;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask.constScanLine(y)[x] == state)
                bounds |= QRect(x, y, 1, 1);
    bounds = bounds.adjusted(-width, -width, width, width) & QRect(0, 0, w, h);
    *at = bounds.topLeft();
    if (bounds.isEmpty())
        return {};

    // Half the chord of the disc at each row from its centre.
    std::vector<int> half(width + 1);
    for (int dy = 0; dy <= width; ++dy)
        half[dy] = int(std::floor(std::sqrt(double(width * width - dy * dy))));
    QImage line(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    line.fill(Qt::transparent);
    const QRgb colour = kColour;
    for (int y = bounds.top(); y <= bounds.bottom(); ++y)
        for (int x = bounds.left(); x <= bounds.right(); ++x) {
            if (!of(x, y) || (of(x - 1, y) && of(x + 1, y) && of(x, y - 1) && of(x, y + 1)))
                continue; // only the state's edge pixels stamp
            for (int dy = -width; dy <= width; ++dy) {
                const int row = y + dy - bounds.top();
                if (row < 0 || row >= bounds.height())
                    continue;
                auto* pixels = reinterpret_cast<QRgb*>(line.scanLine(row));
                const int from = std::max(x - half[std::abs(dy)] - bounds.left(), 0);
                const int to = std::min(x + half[std::abs(dy)] - bounds.left(), bounds.width() - 1);
                std::fill(pixels + from, pixels + to + 1, colour);
            }
        }
    // The state itself stays as the map draws it.
    for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(line.scanLine(y - bounds.top()));
        for (int x = bounds.left(); x <= bounds.right(); ++x)
            if (of(x, y))
                pixels[x - bounds.left()] = 0;
    }
    return line;
}

const MapHighlight::Line& MapHighlight::line(StateNumber state, QSize devicePixels) {
    if (state == m_state && devicePixels == m_size)
        return m_line;
    if (m_mask.size() != devicePixels)
        m_mask = maskAt(devicePixels);
    m_state = state;
    m_size = devicePixels;
    const int width = std::max(
        kWidthPixels, int(std::lround(kWidthPixels * double(devicePixels.width()) / kMaskSize.width())));
    m_line.image = lineIn(m_mask, state, width, &m_line.at);
    return m_line;
}

} // namespace brindora
