// Builds the client area from the layout tables, back to front so that stacking follows them.
#include "client_area.h"

#include "graphical_button.h"
#include "layout_table.h"
#include "map_box.h"
#include "pictures.h"

#include <QApplication>
#include <iterator>

namespace brindora {

namespace {

QFont arial(int pixels) {
    QFont font(QString::fromLatin1(layout::kFontFamily));
    font.setPixelSize(pixels);
    return font;
}

// A label as the window has them: transparent, no border, text at the top, wrapped.
void styleLabel(QLabel* label, const char* text, std::uint32_t colour, int fontPixels,
                Qt::Alignment horizontal) {
    label->setText(QString::fromUtf8(text));
    label->setFont(arial(fontPixels));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(colour));
    label->setPalette(palette);
    label->setForegroundRole(QPalette::WindowText);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(0);
    label->setIndent(0);
}

template <typename Table> const auto& rowNamed(const Table& table, const char* name) {
    for (const auto& row : table)
        if (qstrcmp(row.name, name) == 0)
            return row;
    Q_UNREACHABLE();
}

} // namespace

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("client"));
    setFixedSize(twipsToPixels(layout::kClientWidthTwips),
                 twipsToPixels(layout::kClientHeightTwips));
    // The window's background: the desktop's 3D-light colour.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Midlight);
    setCursor(pictures::cursor(layout::kWindowPointer));

    // Each new child lies in front of the ones before it: build from the back.
    for (auto row = std::rbegin(layout::kClientElements); row != std::rend(layout::kClientElements);
         ++row) {
        QWidget* element = makeElement(row->name, row->index, row->kind);
        element->setObjectName(QLatin1String(row->name));
        element->setGeometry(layout::toPixels(row->rect));
        element->raise();
    }
    makeHeadings();
    QWidget::setTabOrder(m_command3, m_command2);
    QWidget::setTabOrder(m_command2, m_picture2);
}

QWidget* ClientArea::makeElement(const char* name, int index, layout::Kind kind) {
    switch (kind) {
    case layout::Kind::Button:
        return makeButton(name);
    case layout::Kind::PictureBox:
        return m_picture2 = new MapBox(this);
    case layout::Kind::Label:
        return makePanelLabel(name);
    case layout::Kind::Image:
        return makeImage(index);
    }
    Q_UNREACHABLE();
}

GraphicalButton* ClientArea::makeButton(const char* name) {
    const layout::ButtonStyle& style = rowNamed(layout::kButtons, name);
    auto* button = new GraphicalButton(this);
    button->setText(QString::fromUtf8(style.caption));
    button->setFace(QColor::fromRgb(style.face));
    button->setFont(arial(style.fontPixels));
    button->setPicture(pictures::pixmap(style.picture));
    if (style.pointer != nullptr)
        button->setCursor(pictures::cursor(style.pointer));
    if (style.toolTip != nullptr)
        button->setToolTip(QString::fromUtf8(style.toolTip));
    (qstrcmp(name, "Command2") == 0 ? m_command2 : m_command3) = button;
    return button;
}

QLabel* ClientArea::makePanelLabel(const char* name) {
    const layout::LabelStyle& style = rowNamed(layout::kPanelLabels, name);
    auto* label = new QLabel(this);
    styleLabel(label, style.text, style.colour, style.fontPixels,
               style.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    label->setWordWrap(true);
    if (qstrcmp(name, "lblpunti") == 0)
        m_lblpunti = label;
    else if (qstrcmp(name, "lblerrori") == 0)
        m_lblerrori = label;
    return label;
}

QLabel* ClientArea::makeImage(int index) {
    auto* image = new QLabel(this);
    image->setPixmap(pictures::pixmap(layout::kImage1Picture));
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setProperty("index", index);
    m_image1.at(index) = image;
    return image;
}

void ClientArea::makeHeadings() {
    for (auto row = std::rbegin(layout::kHeadings); row != std::rend(layout::kHeadings); ++row) {
        auto* label = new QLabel(m_picture2);
        label->setObjectName(QLatin1String(row->name));
        styleLabel(label, row->text, row->colour, row->fontPixels, Qt::AlignLeft);
        m_picture2->placeInClient(label, layout::toPixels(row->rect));
        label->raise();
        if (qstrcmp(row->name, "lblreg") == 0)
            m_lblreg = label;
    }
    setRegText(QString());
}

void ClientArea::setRegText(const QString& text) {
    m_lblreg->setText(text);
    const QFontMetrics metrics(m_lblreg->font());
    m_lblreg->resize(metrics.horizontalAdvance(text), metrics.height());
}

} // namespace brindora
