// Flag pictures: the flag is always pixel-aligned, so its edges stay crisp.
#include "flag_pictures.h"

#include "eu_flag.h"

#include <QPainter>
#include <QPainterPath>

namespace picturegen {

namespace {

constexpr QColor kTick{0, 176, 0};
constexpr QColor kTickEdge{0, 80, 0};
constexpr QColor kDivider{24, 24, 40};
constexpr int kStripWidth = 864, kStripHeight = 191, kCell = 288, kDividerWidth = 2;
constexpr QRect kRegionFlag{0, 0, 31, 20};

// A tick over the lower right of `flag`: short stroke down, long stroke up.
void drawTick(QPainter& painter, const QRectF& flag) {
    const auto at = [&flag](double fx, double fy) {
        return QPointF(flag.left() + fx * flag.width(), flag.top() + fy * flag.height());
    };
    QPainterPath tick(at(0.44, 0.56));
    tick.lineTo(at(0.62, 0.80));
    tick.lineTo(at(0.95, 0.24));
    const double width = flag.height() * 0.15;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kTickEdge, width + qMax(1.0, width * 0.35), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawPath(tick);
    painter.setPen(QPen(kTick, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    painter.restore();
}

QImage blank(int w, int h, QColor fill) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

} // namespace

QImage FlagPictures::windowIcon(int size) {
    // The large image sits on white; the small ones leave the bands above and below clear.
    QImage image = blank(size, size, size >= 48 ? QColor(Qt::white) : QColor(Qt::transparent));
    const int height = qRound(size * 2.0 / 3.0);
    const QRect flag(0, (size - height) / 2, size, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    EuFlag::draw(painter, flag);
    drawTick(painter, flag);
    return image;
}

QImage FlagPictures::windowPointer(int size) {
    QImage image = blank(size, size, Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    EuFlag::draw(painter, QRectF(0, 0, size, size));
    return image;
}

QImage FlagPictures::regionPointer() {
    QImage image = blank(32, 32, Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    EuFlag::draw(painter, kRegionFlag);
    return image;
}

QRect FlagPictures::stripFlag(int i, int scale) {
    // Cells of 288 pixels; a dark line of two pixels straddles each inner cell border.
    const int left = i == 0 ? 0 : i * kCell + kDividerWidth / 2;
    const int right = i == 2 ? kStripWidth : (i + 1) * kCell - kDividerWidth / 2;
    return QRect(left * scale, 0, (right - left) * scale, kStripHeight * scale);
}

QImage FlagPictures::flagStrip(int scale) {
    QImage image = blank(kStripWidth * scale, kStripHeight * scale, kDivider);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i)
        EuFlag::draw(painter, stripFlag(i, scale));
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace picturegen
