// Median cut: split the box of colours with the widest channel at its weighted median.
#include "palette.h"

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

namespace picturegen {

namespace {

constexpr QRgb kStandard16[] = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

struct Weighted {
    QRgb colour;
    qint64 count;
};
using Box = std::vector<Weighted>;

int channel(QRgb c, int ch) {
    return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c);
}

int range(const Box& box, int ch) {
    const auto [lo, hi] = std::minmax_element(box.begin(), box.end(), [ch](auto a, auto b) {
        return channel(a.colour, ch) < channel(b.colour, ch);
    });
    return channel(hi->colour, ch) - channel(lo->colour, ch);
}

QRgb average(const Box& box) {
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (const Weighted& w : box) {
        r += qRed(w.colour) * w.count;
        g += qGreen(w.colour) * w.count;
        b += qBlue(w.colour) * w.count;
        n += w.count;
    }
    return qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
}

// Cuts `colours` into at most `count` boxes; each box gives its weighted average.
QList<QRgb> medianCut(Box colours, int count) {
    std::vector<Box> boxes{std::move(colours)};
    while (int(boxes.size()) < count) {
        int best = -1, bestChannel = 0, bestRange = 0;
        for (int i = 0; i < int(boxes.size()); ++i)
            for (int ch = 0; ch < 3; ++ch)
                if (boxes[i].size() > 1 && range(boxes[i], ch) > bestRange) {
                    best = i, bestChannel = ch, bestRange = range(boxes[i], ch);
                }
        if (best < 0)
            break;
        Box& box = boxes[best];
        std::stable_sort(box.begin(), box.end(), [bestChannel](auto a, auto b) {
            return channel(a.colour, bestChannel) < channel(b.colour, bestChannel);
        });
        qint64 total = 0, seen = 0;
        for (const Weighted& w : box)
            total += w.count;
        size_t cut = 1;
        while (cut < box.size() - 1 && (seen += box[cut - 1].count) * 2 < total)
            ++cut;
        Box upper(box.begin() + cut, box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }
    QList<QRgb> result;
    for (const Box& box : boxes)
        result.append(average(box));
    return result;
}

} // namespace

Palette Palette::build(const QImage& image, int size, const QList<QRgb>& pinned) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, qint64> counts; // ordered, so the result does not depend on hashing
    Palette palette;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb px = argb.pixel(x, y);
            if (qAlpha(px) < 128)
                palette.m_transparent = true;
            else
                ++counts[px | 0xff000000];
        }
    if (palette.m_transparent)
        palette.m_colours.append(qRgba(0, 0, 0, 0));
    for (QRgb c : pinned)
        palette.m_colours.append(c | 0xff000000);
    Box rest;
    for (const auto& [colour, count] : counts)
        if (!palette.m_colours.contains(colour))
            rest.push_back({colour, count});
    const int room = size - int(palette.m_colours.size());
    if (int(rest.size()) <= room)
        for (const Weighted& w : rest)
            palette.m_colours.append(w.colour);
    else
        palette.m_colours.append(medianCut(std::move(rest), room));
    while (palette.m_colours.size() < size)
        palette.m_colours.append(qRgb(0, 0, 0));
    return palette;
}

Palette Palette::standard16() {
    Palette palette;
    palette.m_colours = QList<QRgb>(std::begin(kStandard16), std::end(kStandard16));
    return palette;
}

int Palette::index(QRgb pixel) const {
    if (qAlpha(pixel) < 128) {
        if (m_transparent)
            return 0;
        pixel = qRgb(0, 0, 0);
    }
    int best = 0, bestDistance = INT_MAX;
    for (int i = m_transparent ? 1 : 0; i < int(m_colours.size()); ++i) {
        const int dr = qRed(pixel) - qRed(m_colours[i]), dg = qGreen(pixel) - qGreen(m_colours[i]),
                  db = qBlue(pixel) - qBlue(m_colours[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance)
            best = i, bestDistance = distance;
    }
    return best;
}

QImage Palette::toIndexed8(const QImage& image) const {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(argb.size(), QImage::Format_Indexed8);
    out.setColorTable(m_colours);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            out.setPixel(x, y, index(argb.pixel(x, y)));
    return out;
}

} // namespace picturegen
