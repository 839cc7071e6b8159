// An image control (Image1): a picture at its top-left corner, at the window's scale.
#pragma once

#include "sharp_picture.h"

#include <QWidget>

namespace brindora {

class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);

    void setPicture(const SharpPicture& picture);
    void setScale(double scale);
    const QPixmap& picture() const { return m_picture.base(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SharpPicture m_picture;
    double m_scale = 1.0;
};

} // namespace brindora
