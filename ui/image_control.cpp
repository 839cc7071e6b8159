// The members of one control array share a picture and are drawn at one size.
#include "image_control.h"

#include <QPainter>

namespace brindora {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {}

void ImageControl::setPicture(const SharpPicture& picture) {
    m_picture = picture;
    update();
}

void ImageControl::setScale(double scale) {
    m_scale = scale;
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    m_picture.draw(painter, QRect(QPoint(0, 0), m_picture.size() * m_scale));
}

} // namespace brindora
