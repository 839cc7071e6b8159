// The map as a pupil with deuteranopia sees it, beside the map itself, to look at.
#include "vision_view.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<std::array<double, 3>, 3> kDeuteranopia{{{0.367322, 0.860646, -0.227968},
                                                              {0.280085, 0.672501, 0.047413},
                                                              {-0.011820, 0.042940, 0.968881}}};
constexpr int kGap = 8;

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int encoded(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    const double s = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return int(std::lround(s * 255));
}

} // namespace

QImage VisionView::deuteranopia(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const double rgb[3] = {linear(qRed(line[x])), linear(qGreen(line[x])),
                                   linear(qBlue(line[x]))};
            int seen[3];
            for (int i = 0; i < 3; ++i)
                seen[i] = encoded(kDeuteranopia[i][0] * rgb[0] + kDeuteranopia[i][1] * rgb[1] +
                                  kDeuteranopia[i][2] * rgb[2]);
            line[x] = qRgb(seen[0], seen[1], seen[2]);
        }
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
