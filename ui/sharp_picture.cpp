// Scaling down from a larger drawing keeps edges crisp; scaling up the 1x would repeat pixels.
#include "sharp_picture.h"

#include "pictures.h"

#include <QPainter>

namespace brindora {

SharpPicture::SharpPicture(const char* name)
    : m_shared(std::make_shared<Shared>(Shared{name, pictures::pixmap(name), {}})) {}

SharpPicture::SharpPicture(const QPixmap& picture)
    : m_shared(std::make_shared<Shared>(Shared{nullptr, picture, {}})) {}

const QPixmap& SharpPicture::base() const {
    static const QPixmap none;
    return m_shared ? m_shared->base : none;
}

QImage SharpPicture::source(QSize devicePixels) const {
    const QPixmap& base = m_shared->base;
    const QList<int> scales =
        m_shared->name ? pictures::largerScales(m_shared->name) : QList<int>();
    if (scales.isEmpty() ||
        (devicePixels.width() <= base.width() && devicePixels.height() <= base.height()))
        return base.toImage();
    int chosen = scales.last();
    for (int scale : scales)
        if (base.width() * scale >= devicePixels.width() &&
            base.height() * scale >= devicePixels.height()) {
            chosen = scale;
            break;
        }
    const QImage larger(pictures::largerPath(m_shared->name, chosen));
    return larger.isNull() ? base.toImage() : larger;
}

const QPixmap& SharpPicture::at(QSize devicePixels) const {
    if (isNull() || devicePixels == size() || devicePixels.isEmpty())
        return base();
    QPixmap& sized = m_shared->sized;
    if (sized.size() != devicePixels) {
        QImage image = source(devicePixels);
        if (image.size() != devicePixels)
            image = image.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        sized = QPixmap::fromImage(std::move(image)); // without a copy of the pixels
    }
    return sized;
}

void SharpPicture::draw(QPainter& painter, const QRectF& target) const {
    const QRectF device = painter.deviceTransform().mapRect(target);
    const QPixmap& picture = at(QSize(qRound(device.width()), qRound(device.height())));
    // As many device pixels as the picture has: a plain copy, no filtering.
    painter.drawPixmap(target, picture, QRectF(picture.rect()));
}

} // namespace brindora
