// The plain projection rasterised finely, as fit codes.
#include "fine_raster.h"

#include "country_raster.h"
#include "fit_score.h"

#include <algorithm>
#include <cmath>

namespace {

// This many raster cells per picture pixel each way, with a margin for land the warp
// may pull in from beyond the edges.
constexpr int kFine = 8;
constexpr int kMargin = 16;

} // namespace

FineRaster::FineRaster(const Atlas& atlas, const Albers& albers, QSize picture) {
    const QSize fine((picture.width() + 2 * kMargin) * kFine,
                     (picture.height() + 2 * kMargin) * kFine);
    const Atlas::Placement place = [&albers](QPointF p) {
        return (albers.project(p) + QPointF(kMargin, kMargin)) * kFine;
    };
    // A small state claims the cells within half a picture pixel of it, as the picture
    // gives it every pixel it touches.
    const CountryRaster raster(atlas, fine, place, kFine);
    std::vector<unsigned char> codeOf(atlas.countries().size() + 1, 0);
    for (int k = 0; k < atlas.countries().size(); ++k) {
        const Country& c = atlas.countries()[k];
        codeOf[k + 1] = c.name == "Iceland" ? FitScore::kIceland
                        : c.style->state    ? c.style->state
                                            : FitScore::kOther;
    }
    m_width = fine.width();
    m_height = fine.height();
    m_codes.resize(std::size_t(m_width) * m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            m_codes[std::size_t(y) * m_width + x] = codeOf[raster.at(x, y)];
}

int FineRaster::at(QPointF s) const {
    const int x = std::clamp(int(std::floor((s.x() + kMargin) * kFine)), 0, m_width - 1);
    const int y = std::clamp(int(std::floor((s.y() + kMargin) * kFine)), 0, m_height - 1);
    return m_codes[std::size_t(y) * m_width + x];
}
