// Looking at pictures of the flag: colours, where its construction puts the stars.
#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRectF>

class FlagProbe {
public:
    static bool isYellow(QRgb c); // nearer the stars' yellow than the field's blue
    static bool isBlue(QRgb c);   // nearer the field's blue than the stars' yellow
    static bool isDark(QRgb c);
    static bool isGreen(QRgb c);                    // the tick: green well above red and blue
    static QRgb at(const QImage& image, QPointF p); // the pixel that holds p

    // Centre of star `hour` (1..12): on a circle of a third of the height, as on a clock.
    static QPointF starCentre(const QRectF& field, int hour);
    static double starRadius(const QRectF& field) { return field.height() / 18.0; }

    // The flags of a strip: the runs of columns between dark dividers in `row`.
    static QList<QRect> flagsBetweenDividers(const QImage& image, int row);
    // Number of separate yellow patches (4-connected) of at least `minPixels` inside `area`;
    // the smallest ones are stray antialiased tips.
    static int yellowPatches(const QImage& image, const QRect& area, int minPixels);
};
