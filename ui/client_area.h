// The window's client area: every element of the layout tables, built and stacked.
#pragma once

#include "sharp_picture.h"

#include <QLabel>
#include <QWidget>

#include <array>
#include <vector>

namespace brindora {

namespace layout {
enum class Kind;
}
class GraphicalButton;
class ImageControl;
class MapBox;

class ClientArea : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(QWidget* parent = nullptr);

    GraphicalButton* command2() const { return m_command2; }
    GraphicalButton* command3() const { return m_command3; }
    MapBox* picture2() const { return m_picture2; }
    QLabel* lblreg() const { return m_lblreg; }
    QLabel* lblpunti() const { return m_lblpunti; }
    QLabel* lblerrori() const { return m_lblerrori; }
    ImageControl* image1(int index) const { return m_image1.at(index); }

    // lblreg keeps its left and top and takes the size of its text on one line.
    void setRegText(const QString& text);

    // Fitting: the area takes any size it is given and shows the design scaled uniformly to
    // fit, centred on a quiet margin. Otherwise it keeps the design's size, at scale 1.
    void setFitting(bool fitting);
    // The size kept while not fitting: the design's, at this uniform scale (1 unless the
    // screen has no room for the design).
    void setNormalScale(double scale);
    double scale() const { return m_scale; }
    // Where the design's client area lies in the widget.
    QRect designArea() const { return m_area; }
    // A font of the design's size in pixels, at the current scale.
    QFont scaledFont(int designPixels) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A widget of the layout, its rectangle at scale 1 and its font size (0: none to scale).
    struct Placed {
        QWidget* widget;
        QRect pixels;
        int fontPixels;
    };
    QWidget* makeElement(const char* name, int index, layout::Kind kind);
    GraphicalButton* makeButton(const char* name);
    QLabel* makePanelLabel(const char* name);
    ImageControl* makeImage(int index);
    void makeHeadings();
    void applyScale();

    GraphicalButton* m_command2 = nullptr;
    GraphicalButton* m_command3 = nullptr;
    MapBox* m_picture2 = nullptr;
    QLabel* m_lblreg = nullptr;
    QLabel* m_lblpunti = nullptr;
    QLabel* m_lblerrori = nullptr;
    std::array<ImageControl*, 3> m_image1{};
    SharpPicture m_flagStrip;
    std::vector<Placed> m_placed;
    std::vector<Placed> m_headingFonts; // in the map box, which places them itself
    double m_scale = 1.0;
    double m_normalScale = 1.0;
    QRect m_area;
};

} // namespace brindora
