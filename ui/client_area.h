// The window's client area: every element of the layout tables, built and stacked.
#pragma once

#include <QLabel>
#include <QWidget>

#include <array>

namespace brindora {

namespace layout {
enum class Kind;
}
class GraphicalButton;
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
    QLabel* image1(int index) const { return m_image1.at(index); }

    // lblreg keeps its left and top and takes the size of its text on one line.
    void setRegText(const QString& text);

private:
    QWidget* makeElement(const char* name, int index, layout::Kind kind);
    GraphicalButton* makeButton(const char* name);
    QLabel* makePanelLabel(const char* name);
    QLabel* makeImage(int index);
    void makeHeadings();

    GraphicalButton* m_command2 = nullptr;
    GraphicalButton* m_command3 = nullptr;
    MapBox* m_picture2 = nullptr;
    QLabel* m_lblreg = nullptr;
    QLabel* m_lblpunti = nullptr;
    QLabel* m_lblerrori = nullptr;
    std::array<QLabel*, 3> m_image1{};
};

} // namespace brindora
