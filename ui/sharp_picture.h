// A picture drawn at any size: the 1x file pixel for pixel, otherwise from a sharper file.
#pragma once

#include <QPixmap>

#include <memory>

class QPainter;

namespace brindora {

// Copies share one picture and the size last drawn, as the three flag strips do.
class SharpPicture {
public:
    SharpPicture() = default;
    // The 1x file now; its sharper files only when a larger size is first drawn.
    explicit SharpPicture(const char* name);
    // A picture with no sharper files.
    explicit SharpPicture(const QPixmap& picture);

    const QPixmap& base() const;
    QSize size() const { return base().size(); }
    bool isNull() const { return base().isNull(); }

    // Draws the whole picture into `target`, given in the painter's coordinates. On a
    // device where that target spans the 1x size it is the 1x file itself.
    void draw(QPainter& painter, const QRectF& target) const;
    // The picture at exactly this many device pixels: the 1x file at its own size; otherwise
    // the smallest sharper file at least that large, scaled down smoothly (the largest one
    // scaled up when none is large enough). The last size asked for is kept.
    const QPixmap& at(QSize devicePixels) const;

private:
    struct Shared {
        const char* name = nullptr;
        QPixmap base;
        QPixmap sized;
    };
    QImage source(QSize devicePixels) const;

    std::shared_ptr<Shared> m_shared;
};

} // namespace brindora
