// Fits the warp's node moves so that each region rectangle lies over its own state.
#pragma once

#include "fine_raster.h"
#include "fit_score.h"
#include "warp.h"

#include <vector>

class WarpFitter {
public:
    static constexpr double kLargestMove = 6.0; // pixels, keeps the map an ordinary map

    WarpFitter(const Atlas& atlas, const Albers& albers, QSize picture);

    // Greedy descent over the node moves in shrinking steps, then rounds of random kicks
    // each followed by a local descent, keeping the best; the warp is changed in place.
    void fit(Warp& warp, int rounds);

private:
    using Group = std::vector<int>; // nodes moved together, as j * columns + i

    int lookup(QPointF source) const { return m_plain.at(source); }
    double stiffness() const;
    double value() const { return m_score.value() - stiffness(); }
    void prepare(Warp& warp);
    void reload(const std::vector<QPointF>& nodes);
    bool fits(const Group& group, QPointF move) const;
    double shift(const Group& group, QPointF move);
    void settle(bool keep);
    int descend(const std::vector<const Group*>& groups, std::initializer_list<double> steps);
    void report(const char* stage) const;

    QSize m_picture;
    FineRaster m_plain;
    FitScore m_score;

    Warp* m_warp = nullptr;
    std::vector<QPointF> m_centre, m_pull, m_trial;
    std::vector<std::vector<std::pair<int, float>>> m_moved; // per node: pixels and weights
    std::vector<Group> m_groups;
    std::vector<int> m_touched;
    std::vector<char> m_isTouched;
    double m_best = 0;
};
