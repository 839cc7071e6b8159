// Measures a state mask against the game's region table.
#include "map_report.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace brindora {

MapReport::MapReport(const QImage& mask) : m_mask(mask.convertToFormat(QImage::Format_Grayscale8)) {
    for (const Region& r : regioni)
        m_regions.push_back(RegionPurity{&r});
    for (int y = 0; y < m_mask.height(); ++y) {
        for (int x = 0; x < m_mask.width(); ++x) {
            const int state = stateAt(x, y);
            if (state == 0)
                continue;
            for (RegionPurity& p : m_regions) {
                if (!p.region->rect.holds(pixelsToTwips(x), pixelsToTwips(y)))
                    continue;
                ++p.land;
                if (p.region->state == state)
                    ++p.own;
                else
                    ++p.others[state];
            }
            if (state > kStateCount)
                continue;
            StateClicks& c = m_clicks[state];
            ++c.land;
            const int judged = judgedState(x, y);
            c.judgedOther += judged != 0 && judged != state;
            c.judgedNone += judged == 0;
        }
    }
}

int MapReport::judgedState(int x, int y) {
    const Hit hit = hitTest(pixelsToTwips(x), pixelsToTwips(y));
    return hit.region ? hit.region->state : 0;
}

double MapReport::meanPurity() const {
    double sum = 0;
    for (const RegionPurity& p : m_regions)
        sum += p.purity();
    return m_regions.empty() ? 0.0 : sum / double(m_regions.size());
}

const RegionPurity& MapReport::worst() const {
    return *std::min_element(
        m_regions.begin(), m_regions.end(),
        [](const RegionPurity& a, const RegionPurity& b) { return a.purity() < b.purity(); });
}

std::string MapReport::text() const {
    std::string out;
    char line[160];
    const RegionPurity& w = worst();
    std::snprintf(line, sizeof line, "mean purity %.4f, worst %.4f (%s)\n", meanPurity(),
                  w.purity(), std::string(w.region->name).c_str());
    out += line;
    out += "state               land  purity  judged-other  judged-none  (worst region)\n";
    for (const StateRow& row : catalogo) {
        int land = 0, own = 0;
        const RegionPurity* least = nullptr;
        for (const RegionPurity& p : m_regions) {
            if (p.region->state != row.number)
                continue;
            land += p.land;
            own += p.own;
            if (!least || p.purity() < least->purity())
                least = &p;
        }
        const StateClicks& c = m_clicks[row.number];
        if (!least) {
            std::snprintf(line, sizeof line, "%-17s %6d   (no region)\n",
                          std::string(row.name).c_str(), c.land);
        } else {
            std::snprintf(line, sizeof line, "%-17s %6d  %6.4f  %11.4f  %11.4f  (%s%s %.3f)\n",
                          std::string(row.name).c_str(), c.land, land ? double(own) / land : 0.0,
                          c.otherShare(), c.land ? double(c.judgedNone) / c.land : 0.0,
                          std::string(least->region->name).c_str(),
                          least->region->index >= 0
                              ? ("#" + std::to_string(least->region->index)).c_str()
                              : "",
                          least->purity());
        }
        out += line;
    }
    out += "region purity (own / land pixels):\n";
    int column = 0;
    for (const RegionPurity& p : m_regions) {
        const std::string name =
            std::string(p.region->name) +
            (p.region->index >= 0 ? "#" + std::to_string(p.region->index) : "");
        std::snprintf(line, sizeof line, "  %-10s %6.4f %4d/%-4d%s", name.c_str(), p.purity(),
                      p.own, p.land, ++column % 3 == 0 ? "\n" : "");
        out += line;
    }
    if (column % 3 != 0)
        out += "\n";
    out += "what else lies under the least pure regions (state: pixels, 255 other land):\n";
    for (const RegionPurity& p : m_regions) {
        if (p.purity() >= 0.98)
            continue;
        out += "  " + std::string(p.region->name) + ":";
        for (int value = 1; value < 256; ++value)
            if (p.others[value])
                out += " " + std::to_string(value) + ": " + std::to_string(p.others[value]);
        out += "\n";
    }
    return out;
}

} // namespace brindora
