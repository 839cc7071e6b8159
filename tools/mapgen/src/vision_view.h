// The map as a pupil with deuteranopia sees it, beside the map itself, to look at.
#pragma once

#include <QImage>

class VisionView {
public:
    // The picture as simulated for deuteranopia (tools/colour_vision).
    static QImage deuteranopia(const QImage& picture);
    // The picture on the left, its deuteranopia simulation on the right.
    static QImage sideBySide(const QImage& picture);
};
