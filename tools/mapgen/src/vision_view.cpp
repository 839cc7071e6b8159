// The map as a pupil with deuteranopia sees it, beside the map itself, to look at.
#include "vision_view.h"

#include "colour_vision.h"

#include <QPainter>

using brindora::colour::simulated;
using brindora::colour::Vision;

namespace {
constexpr int kGap = 8;
} // namespace

QImage VisionView::deuteranopia(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = simulated(line[x], Vision::Deuteranopia);
    }
    return out;
}

QImage VisionView::sideBySide(const QImage& picture) {
    QImage out(picture.width() * 2 + kGap, picture.height(), QImage::Format_RGB888);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, picture);
    painter.drawImage(picture.width() + kGap, 0, deuteranopia(picture));
    return out;
}
