// What the warp fit aims at, counted over the pixels that the game's rectangles and the
// fixed anchors look at: purity of each rectangle, clicks judged as another state, anchors.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <array>
#include <vector>

class FitScore {
public:
    // Code used during the fit for Iceland's land, to hold it inside its corner.
    static constexpr int kIceland = 30;
    static constexpr int kOther = 255;

    explicit FitScore(QSize picture);

    // The pixels that matter; codes start as sea and are set with change().
    const std::vector<QPoint>& pixels() const { return m_pixels; }
    int code(int p) const { return m_code[p]; }
    void change(int p, int code);

    // Land of each state over the whole picture, the base of the wrong-click shares.
    void setStateLand(const std::array<int, 30>& land) { m_stateLand = land; }

    double value() const; // higher is better
    double meanPurity() const;
    int brokenAnchors() const;

private:
    struct Pixel {
        int front;                // state of the rectangle in front, 0 for none or inert
        std::vector<int> regions; // every region rectangle holding the pixel
        bool band;                // land here would reach into the caption band
        bool icelandBox;          // inside the corner kept for Iceland
        bool finlandStrip;
    };
    void count(int p, int code, int sign);

    std::vector<QPoint> m_pixels;
    std::vector<Pixel> m_info;
    std::vector<int> m_code;
    std::vector<int> m_regionLand, m_regionOwn;
    std::array<int, 30> m_misjudged{}, m_stateLand{};
    int m_stray = 0, m_finland = 0;
    std::array<QPointF, 3> m_centroidSum{};
    std::array<int, 3> m_smallCount{};
    std::array<int, 4> m_anchorPixel{}; // Portugal, Malta, Luxembourg, Cyprus
};
