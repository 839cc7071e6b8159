// Fits the warp's node moves so that each region rectangle lies over its own state.
#include "warp_fitter.h"

#include <QDebug>
#include <array>
#include <cmath>
#include <random>

namespace {

constexpr std::array<QPointF, 8> kDirections{{
    {1, 0},
    {-1, 0},
    {0, 1},
    {0, -1},
    {1, 1},
    {1, -1},
    {-1, 1},
    {-1, -1},
}};

} // namespace

WarpFitter::WarpFitter(const Atlas& atlas, const Albers& albers, QSize picture)
    : m_picture(picture), m_plain(atlas, albers, picture), m_score(picture) {}

// Neighbouring nodes that move apart bend the map; still nodes are preferred.
double WarpFitter::stiffness() const {
    const Warp& w = *m_warp;
    double sum = 0;
    for (int j = 0; j < w.rows(); ++j)
        for (int i = 0; i < w.columns(); ++i) {
            const QPointF d = w.node(i, j);
            sum += 0.5 * QPointF::dotProduct(d, d);
            if (i + 1 < w.columns()) {
                const QPointF e = d - w.node(i + 1, j);
                sum += QPointF::dotProduct(e, e);
            }
            if (j + 1 < w.rows()) {
                const QPointF e = d - w.node(i, j + 1);
                sum += QPointF::dotProduct(e, e);
            }
        }
    return 2e-6 * sum;
}

void WarpFitter::prepare(Warp& warp) {
    m_warp = &warp;
    // Each state's land over the whole picture, under the starting warp.
    std::array<int, 30> land{};
    for (int y = 0; y < m_picture.height(); ++y)
        for (int x = 0; x < m_picture.width(); ++x) {
            const QPointF c(x + 0.5, y + 0.5);
            const int code = lookup(c + warp.pull(c));
            if (code > 0 && code < 30)
                ++land[code];
        }
    m_score.setStateLand(land);

    const std::vector<QPoint>& pixels = m_score.pixels();
    m_centre.resize(pixels.size());
    m_moved.assign(std::size_t(warp.columns()) * warp.rows(), {});
    for (std::size_t p = 0; p < pixels.size(); ++p) {
        m_centre[p] = QPointF(pixels[p]) + QPointF(0.5, 0.5);
        for (const auto& [node, weight] : warp.influences(m_centre[p]))
            m_moved[node].emplace_back(int(p), float(weight));
    }
    m_isTouched.assign(pixels.size(), 0);
    std::vector<QPointF> nodes;
    for (int j = 0; j < warp.rows(); ++j)
        for (int i = 0; i < warp.columns(); ++i)
            nodes.push_back(warp.node(i, j));
    reload(nodes);

    // Nodes are moved alone and in square blocks, so whole areas can shift together.
    m_groups.clear();
    for (int size : {1, 2, 3})
        for (int j = 0; j + size <= warp.rows(); ++j)
            for (int i = 0; i + size <= warp.columns(); ++i) {
                Group group;
                bool active = false;
                for (int b = 0; b < size; ++b)
                    for (int a = 0; a < size; ++a) {
                        const int n = (j + b) * warp.columns() + i + a;
                        group.push_back(n);
                        active |= !m_moved[n].empty();
                    }
                if (active)
                    m_groups.push_back(group);
            }
}

void WarpFitter::reload(const std::vector<QPointF>& nodes) {
    Warp& w = *m_warp;
    for (int n = 0; n < int(nodes.size()); ++n)
        w.setNode(n % w.columns(), n / w.columns(), nodes[n]);
    m_pull.resize(m_centre.size());
    for (std::size_t p = 0; p < m_centre.size(); ++p) {
        m_pull[p] = w.pull(m_centre[p]);
        m_score.change(int(p), lookup(m_centre[p] + m_pull[p]));
    }
    m_trial = m_pull;
    m_best = value();
}

bool WarpFitter::fits(const Group& group, QPointF move) const {
    for (int n : group) {
        const QPointF d = m_warp->node(n % m_warp->columns(), n / m_warp->columns()) + move;
        if (std::hypot(d.x(), d.y()) > kLargestMove)
            return false;
    }
    return true;
}

// Moves a group's nodes and the pixels they carry; returns the score after it.
double WarpFitter::shift(const Group& group, QPointF move) {
    for (int n : group) {
        const int i = n % m_warp->columns(), j = n / m_warp->columns();
        m_warp->setNode(i, j, m_warp->node(i, j) + move);
        for (const auto& [p, w] : m_moved[n]) {
            m_trial[p] += double(w) * move;
            if (!m_isTouched[p]) {
                m_isTouched[p] = 1;
                m_touched.push_back(p);
            }
        }
    }
    for (int p : m_touched)
        m_score.change(p, lookup(m_centre[p] + m_trial[p]));
    return value();
}

// Keeps the pixels of the last shift, or puts them back (the caller restores the nodes).
void WarpFitter::settle(bool keep) {
    for (int p : m_touched) {
        if (keep) {
            m_pull[p] = m_trial[p];
        } else {
            m_trial[p] = m_pull[p];
            m_score.change(p, lookup(m_centre[p] + m_pull[p]));
        }
        m_isTouched[p] = 0;
    }
    m_touched.clear();
}

int WarpFitter::descend(const std::vector<const Group*>& groups,
                        std::initializer_list<double> steps) {
    int total = 0;
    for (double step : steps) {
        for (int sweep = 0; sweep < 10; ++sweep) {
            int accepted = 0;
            for (const Group* group : groups) {
                QPointF bestMove(0, 0);
                for (const QPointF& dir : kDirections) {
                    const QPointF move = dir * step;
                    if (!fits(*group, move))
                        continue;
                    const double v = shift(*group, move);
                    for (int n : *group) {
                        const int i = n % m_warp->columns(), j = n / m_warp->columns();
                        m_warp->setNode(i, j, m_warp->node(i, j) - move);
                    }
                    settle(false);
                    if (v > m_best + 1e-12) {
                        m_best = v;
                        bestMove = move;
                    }
                }
                if (bestMove.isNull())
                    continue;
                shift(*group, bestMove);
                settle(true);
                ++accepted;
            }
            total += accepted;
            if (accepted == 0)
                break;
        }
    }
    return total;
}

void WarpFitter::report(const char* stage) const {
    qInfo().noquote() << QString::asprintf("%s: score %.5f, mean purity %.4f, anchors broken %d",
                                           stage, m_best, m_score.meanPurity(),
                                           m_score.brokenAnchors());
}

void WarpFitter::fit(Warp& warp, int rounds) {
    prepare(warp);
    report("start");
    std::vector<const Group*> all;
    for (const Group& g : m_groups)
        all.push_back(&g);
    descend(all, {2.0, 1.0, 0.5, 0.25});
    report("descent");

    // A fixed seed keeps the fit repeatable.
    std::mt19937 random(20240501u);
    auto nodesNow = [&warp] {
        std::vector<QPointF> nodes;
        for (int j = 0; j < warp.rows(); ++j)
            for (int i = 0; i < warp.columns(); ++i)
                nodes.push_back(warp.node(i, j));
        return nodes;
    };
    std::vector<QPointF> bestNodes = nodesNow();
    double bestValue = m_best;
    for (int round = 0; round < rounds; ++round) {
        // Kick one group of the single nodes and its surroundings, then descend locally.
        const Group& kicked = m_groups[random() % m_groups.size()];
        const QPointF kick = kDirections[random() % kDirections.size()] * (1 + random() % 3);
        if (!fits(kicked, kick))
            continue;
        shift(kicked, kick);
        settle(true);
        m_best = value();
        const int ci = kicked.front() % warp.columns(), cj = kicked.front() / warp.columns();
        std::vector<const Group*> near;
        for (const Group& g : m_groups) {
            const int gi = g.front() % warp.columns(), gj = g.front() / warp.columns();
            if (std::abs(gi - ci) <= 3 && std::abs(gj - cj) <= 3)
                near.push_back(&g);
        }
        descend(near, {1.0, 0.5, 0.25});
        if (m_best > bestValue + 1e-12) {
            bestValue = m_best;
            bestNodes = nodesNow();
        } else {
            reload(bestNodes);
        }
    }
    reload(bestNodes);
    report("kicks");
}
