// Small pictures drawn on a 32-pixel grid; the globe projects a coarse outline of the Americas.
#include "small_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace picturegen {

namespace {

struct LonLat {
    double lon, lat;
};

constexpr LonLat kNorthAmerica[] = {
    {-168, 66}, {-162, 70},  {-140, 70},  {-125, 70},  {-95, 72},  {-85, 70},  {-80, 63},
    {-65, 60},  {-56, 52},   {-66, 45},   {-70, 42},   {-76, 38},  {-76, 35},  {-81, 31},
    {-80, 26},  {-82, 28},   {-84, 30},   {-90, 29.5}, {-97, 28},  {-97, 22},  {-95, 19},
    {-90, 21},  {-87, 21.5}, {-88, 16},   {-83, 15},   {-83, 10},  {-79, 9},   {-77, 8},
    {-80, 7.5}, {-85, 10},   {-92, 14.5}, {-105, 20},  {-112, 29}, {-117, 33}, {-121, 35},
    {-124, 40}, {-124, 46},  {-124, 49},  {-130, 54},  {-137, 58}, {-150, 60}, {-158, 57},
    {-165, 60},
};
constexpr LonLat kSouthAmerica[] = {
    {-77, 8},   {-72, 12},  {-64, 10.5}, {-60, 8},   {-52, 5},   {-50, 0},   {-44, -2},  {-35, -5},
    {-35, -9},  {-39, -15}, {-41, -22},  {-48, -26}, {-53, -34}, {-58, -35}, {-57, -38}, {-62, -39},
    {-65, -42}, {-67, -46}, {-69, -51},  {-68, -55}, {-73, -53}, {-75, -47}, {-74, -40}, {-72, -30},
    {-70, -18}, {-76, -14}, {-81, -6},   {-80, -2},  {-79, 2},   {-77, 4},   {-78, 7},
};
constexpr LonLat kViewCentre{-75, 8}; // the point of the globe facing the viewer

// Standard-palette colours, so the 16-colour image keeps them exactly.
constexpr QColor kSea{0, 0, 255}, kLand{0, 128, 0}, kOutline{0, 0, 0};

template <size_t N>
void addLand(QPainterPath& path, const LonLat (&points)[N], QPointF centre, double radius) {
    const double lat0 = qDegreesToRadians(kViewCentre.lat);
    for (size_t i = 0; i < N; ++i) {
        const double lat = qDegreesToRadians(points[i].lat);
        const double dlon = qDegreesToRadians(points[i].lon - kViewCentre.lon);
        // Orthographic projection: the globe as seen from far away.
        const double x = qCos(lat) * qSin(dlon);
        const double y = qCos(lat0) * qSin(lat) - qSin(lat0) * qCos(lat) * qCos(dlon);
        const QPointF p = centre + QPointF(x * radius, -y * radius);
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
}

QImage blank(int scale = 1) {
    QImage image(32 * scale, 32 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPolygonF octagon(QPointF centre, double radius) {
    QPolygonF polygon;
    for (int i = 0; i < 8; ++i) {
        const double angle = qDegreesToRadians(22.5 + 45.0 * i); // flat top and sides
        polygon << centre + QPointF(radius * qCos(angle), radius * qSin(angle));
    }
    return polygon;
}

} // namespace

QImage SmallPictures::car(int scale) {
    QImage image = blank(scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale); // the same drawing on a finer grid
    const QPen edge(QColor(0, 0, 96), 1.0);
    p.setPen(edge);
    p.setBrush(QColor(40, 90, 220)); // cabin roof, then the body in front of it
    p.drawRoundedRect(QRectF(7.5, 4.5, 17, 12), 4, 4);
    p.setBrush(QColor(30, 70, 200));
    p.drawRoundedRect(QRectF(2.5, 12.5, 27, 12), 5, 5);
    p.setBrush(QColor(190, 230, 255)); // windscreen
    p.drawPolygon(QPolygonF{{QPointF(9.5, 13), QPointF(22.5, 13), QPointF(21, 7), QPointF(11, 7)}});
    p.setBrush(QColor(255, 250, 170)); // headlights
    p.drawEllipse(QPointF(7.5, 18.5), 2.6, 2.6);
    p.drawEllipse(QPointF(24.5, 18.5), 2.6, 2.6);
    p.setPen(QPen(QColor(0, 0, 96), 1.0)); // grille
    p.drawLine(QPointF(12, 18.5), QPointF(20, 18.5));
    p.drawLine(QPointF(12, 20.5), QPointF(20, 20.5));
    p.setPen(QPen(QColor(40, 40, 40), 1.0)); // wheels peek out under the bumper
    p.setBrush(QColor(20, 20, 20));
    p.drawRoundedRect(QRectF(4.5, 24.5, 5, 5), 1.5, 1.5);
    p.drawRoundedRect(QRectF(22.5, 24.5, 5, 5), 1.5, 1.5);
    p.setPen(QPen(QColor(90, 90, 90), 1.0));
    p.setBrush(QColor(170, 170, 170)); // bumper
    p.drawRoundedRect(QRectF(1.5, 22.5, 29, 4), 2, 2);
    return image;
}

QImage SmallPictures::stopHand() {
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QPointF centre(16, 16);
    p.setBrush(QColor(110, 0, 0));
    p.drawPolygon(octagon(centre, 16.4));
    p.setBrush(Qt::white);
    p.drawPolygon(octagon(centre, 15.2));
    p.setBrush(QColor(215, 0, 0));
    p.drawPolygon(octagon(centre, 13.6));
    // The hand, palm forward: four fingers, the thumb out to the left, the palm.
    QPainterPath hand;
    const double fingerTop[] = {8.0, 6.5, 7.5, 9.5};
    for (int i = 0; i < 4; ++i)
        hand.addRoundedRect(QRectF(11.3 + 2.6 * i, fingerTop[i], 2.5, 19 - fingerTop[i]), 1.2, 1.2);
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-1.3, -5.0, 2.7, 7.5), 1.3, 1.3);
    hand.addPath(QTransform().translate(10.6, 17.5).rotate(-35).map(thumb));
    hand.addRoundedRect(QRectF(11.0, 14.5, 10.8, 10.5), 3.0, 3.0);
    hand.setFillRule(Qt::WindingFill);
    p.setPen(QPen(QColor(120, 0, 0), 0.9));
    p.setBrush(Qt::white);
    p.drawPath(hand.simplified());
    p.setPen(QPen(QColor(200, 170, 170), 0.6)); // the gaps between the fingers
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(11.2 + 2.6 * i, fingerTop[i] + 2), QPointF(11.2 + 2.6 * i, 16));
    return image;
}

QImage SmallPictures::globe() {
    QImage image = blank();
    QPainter p(&image);
    const QPointF centre(16, 16);
    const double radius = 14.5;
    QPainterPath sphere;
    sphere.addEllipse(centre, radius, radius);
    p.fillPath(sphere, kSea);
    QPainterPath land;
    addLand(land, kNorthAmerica, centre, radius);
    addLand(land, kSouthAmerica, centre, radius);
    p.setClipPath(sphere);
    p.fillPath(land, kLand);
    p.setClipping(false);
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    return image;
}

} // namespace picturegen
