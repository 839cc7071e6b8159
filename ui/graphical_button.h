// A push button in the graphical style: face colour, picture above, wrapped caption below.
#pragma once

#include "sharp_picture.h"

#include <QAbstractButton>
#include <QColor>

namespace brindora {

class GraphicalButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit GraphicalButton(QWidget* parent = nullptr);

    void setFace(const QColor& face);
    void setPicture(const SharpPicture& picture);
    // The whole face is drawn this many times larger than designed (full screen).
    void setScale(double scale);
    const QPixmap& picture() const { return m_picture.base(); }

    // Where the picture and the caption go on the face as designed (widget coordinates at
    // scale 1, unpressed). The picture area may be empty when the caption needs the whole face.
    QRect pictureArea() const;
    QRect captionArea() const;

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect designRect() const;
    QRect inner() const;
    int captionHeight() const;

    QColor m_face = Qt::white;
    SharpPicture m_picture;
    double m_scale = 1.0;
};

} // namespace brindora
