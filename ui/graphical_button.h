// A push button in the graphical style: face colour, picture above, wrapped caption below.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace brindora {

class GraphicalButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit GraphicalButton(QWidget* parent = nullptr);

    void setFace(const QColor& face);
    void setPicture(const QPixmap& picture);
    QColor face() const { return m_face; }
    const QPixmap& picture() const { return m_picture; }

    // Where the picture and the caption go on a face of this size (widget coordinates,
    // unpressed). The picture area may be empty when the caption needs the whole face.
    QRect pictureArea() const;
    QRect captionArea() const;

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect inner() const;
    int captionHeight() const;

    QColor m_face = Qt::white;
    QPixmap m_picture;
};

} // namespace brindora
