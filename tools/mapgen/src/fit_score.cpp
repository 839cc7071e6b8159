// What the warp fit aims at: rectangle purity, clicks judged as another state, anchors.
#include "fit_score.h"

#include "catalogo.h"
#include "region_table.h"

#include <QRect>
#include <cmath>

namespace {

using namespace brindora;

struct Anchor {
    int state;
    QPoint pixel;
    QPointF centroid; // where the small state's middle belongs
};

constexpr std::array<Anchor, 4> kAnchors{{
    {10, {12, 445}, {-1, -1}},
    {25, {267, 526}, {267.5, 526.5}},
    {24, {199, 312}, {199.5, 312.5}},
    {26, {490, 521}, {490.5, 521.5}},
}};

const QRect kBand(8, 0, 280, 28);
const QRect kIcelandInner(65, 8, 63, 53); // one pixel inside 64..128 x 7..61, for the coast
const QRect kIcelandArea(0, 0, 200, 100);

int frontState(int x, int y) {
    const Hit hit = hitTest(pixelsToTwips(x), pixelsToTwips(y));
    return hit.region ? hit.region->state : 0;
}

} // namespace

FitScore::FitScore(QSize picture) : m_regionLand(kRegionCount), m_regionOwn(kRegionCount) {
    const QRect strayArea = kBand.adjusted(-1, 0, 1, 1);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            Pixel info{frontState(x, y), {}, false, false, y == 32 && x >= 352 && x <= 368};
            for (int r = 0; r < kRegionCount; ++r)
                if (regioni[r].rect.holds(pixelsToTwips(x), pixelsToTwips(y)))
                    info.regions.push_back(r);
            const QPoint p(x, y);
            info.icelandBox = kIcelandInner.contains(p);
            info.band = strayArea.contains(p);
            const bool zone = hitTest(pixelsToTwips(x), pixelsToTwips(y)).zone != nullptr;
            if (info.regions.empty() && !info.band && !kIcelandArea.contains(p) && !zone)
                continue;
            for (std::size_t a = 0; a < kAnchors.size(); ++a)
                if (kAnchors[a].pixel == p)
                    m_anchorPixel[a] = int(m_pixels.size());
            m_pixels.push_back(p);
            m_info.push_back(std::move(info));
        }
    }
    m_code.assign(m_pixels.size(), 0);
}

void FitScore::change(int p, int code) {
    if (m_code[p] == code)
        return;
    count(p, m_code[p], -1);
    m_code[p] = code;
    count(p, code, +1);
}

void FitScore::count(int p, int code, int sign) {
    const Pixel& info = m_info[p];
    if (code == 0)
        return;
    for (int r : info.regions) {
        m_regionLand[r] += sign;
        if (regioni[r].state == code)
            m_regionOwn[r] += sign;
    }
    if (code < 30 && info.front != 0 && info.front != code)
        m_misjudged[code] += sign;
    // Iceland must stay in its corner, other land must stay out of the caption band.
    if (code == kIceland ? !info.icelandBox : info.band)
        m_stray += sign;
    if (code == 15 && info.finlandStrip)
        m_finland += sign;
    for (std::size_t a = 1; a < kAnchors.size(); ++a) {
        if (kAnchors[a].state == code) {
            m_centroidSum[a - 1] += sign * (QPointF(m_pixels[p]) + QPointF(0.5, 0.5));
            m_smallCount[a - 1] += sign;
        }
    }
}

double FitScore::meanPurity() const {
    double sum = 0;
    for (int r = 0; r < kRegionCount; ++r)
        sum += m_regionLand[r] ? double(m_regionOwn[r]) / m_regionLand[r] : 0.0;
    return sum / kRegionCount;
}

int FitScore::brokenAnchors() const {
    int broken = m_finland > 0 ? 0 : 1;
    for (std::size_t a = 0; a < kAnchors.size(); ++a)
        broken += m_code[m_anchorPixel[a]] != kAnchors[a].state;
    return broken;
}

double FitScore::value() const {
    double majority = 0;
    for (int r = 0; r < kRegionCount; ++r) {
        if (regioni[r].name == "Label54" || m_regionLand[r] == 0)
            continue;
        majority += std::max(0.0, 0.55 - double(m_regionOwn[r]) / m_regionLand[r]);
    }
    double wrong = 0;
    int drawable = 0;
    for (const StateRow& row : catalogo) {
        if (!row.drawn || m_stateLand[row.number] == 0)
            continue;
        wrong += double(m_misjudged[row.number]) / m_stateLand[row.number];
        ++drawable;
    }
    double offCentre = 0;
    for (std::size_t a = 1; a < kAnchors.size(); ++a) {
        if (m_smallCount[a - 1] == 0) {
            offCentre += 100;
            continue;
        }
        const QPointF d = m_centroidSum[a - 1] / m_smallCount[a - 1] - kAnchors[a].centroid;
        offCentre += d.x() * d.x() + d.y() * d.y();
    }
    return meanPurity() - 2 * majority - 0.5 * wrong / std::max(1, drawable) - brokenAnchors() -
           0.02 * m_stray - 0.002 * offCentre;
}
