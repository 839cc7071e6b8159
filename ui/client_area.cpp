// Builds the client area from the layout tables, back to front so that stacking follows them.
#include "client_area.h"

#include "graphical_button.h"
#include "image_control.h"
#include "layout_table.h"
#include "map_box.h"
#include "pictures.h"
#include "sharp_picture.h"

#include <QApplication>
#include <QPainter>
#include <iterator>

namespace brindora {

namespace {

QFont arial(int pixels) {
    QFont font(QString::fromLatin1(layout::kFontFamily));
    font.setPixelSize(pixels);
    return font;
}

// A label as the window has them: transparent, no border, text at the top, wrapped.
void styleLabel(QLabel* label, const char* text, std::uint32_t colour, Qt::Alignment horizontal) {
    label->setText(QString::fromUtf8(text));
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

const QSize kDesignSize(twipsToPixels(layout::kClientWidthTwips),
                        twipsToPixels(layout::kClientHeightTwips));

} // namespace

ClientArea::ClientArea(QWidget* parent)
    : QWidget(parent), m_flagStrip(layout::kImage1Picture), m_area(QPoint(0, 0), kDesignSize) {
    setObjectName(QStringLiteral("client"));
    setFixedSize(kDesignSize);
    // The window's background: the desktop's 3D-light colour, painted over the design's area.
    // Not marked opaque: Wayland then leaves the area black after a change of full screen.
    setBackgroundRole(QPalette::Midlight);
    setCursor(pictures::cursor(layout::kWindowPointer));

    // Each new child lies in front of the ones before it: build from the back.
    for (auto row = std::rbegin(layout::kClientElements); row != std::rend(layout::kClientElements);
         ++row) {
        QWidget* element = makeElement(row->name, row->index, row->kind);
        element->setObjectName(QLatin1String(row->name));
        m_placed.back().pixels = layout::toPixels(row->rect);
        element->raise();
    }
    makeHeadings();
    QWidget::setTabOrder(m_command3, m_command2);
    QWidget::setTabOrder(m_command2, m_picture2);
    applyScale();
}

QWidget* ClientArea::makeElement(const char* name, int index, layout::Kind kind) {
    switch (kind) {
    case layout::Kind::Button:
        return makeButton(name);
    case layout::Kind::PictureBox:
        m_picture2 = new MapBox(this);
        m_placed.push_back({m_picture2, {}, 0});
        return m_picture2;
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
    // The button draws its whole face scaled: its font stays the design's.
    button->setFont(arial(style.fontPixels));
    button->setPicture(SharpPicture(style.picture));
    if (style.pointer != nullptr)
        button->setCursor(pictures::cursor(style.pointer));
    if (style.toolTip != nullptr)
        button->setToolTip(QString::fromUtf8(style.toolTip));
    (qstrcmp(name, "Command2") == 0 ? m_command2 : m_command3) = button;
    m_placed.push_back({button, {}, 0});
    return button;
}

QLabel* ClientArea::makePanelLabel(const char* name) {
    const layout::LabelStyle& style = rowNamed(layout::kPanelLabels, name);
    auto* label = new QLabel(this);
    styleLabel(label, style.text, style.colour, style.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    label->setWordWrap(true);
    if (qstrcmp(name, "lblpunti") == 0)
        m_lblpunti = label;
    else if (qstrcmp(name, "lblerrori") == 0)
        m_lblerrori = label;
    m_placed.push_back({label, {}, style.fontPixels});
    return label;
}

ImageControl* ClientArea::makeImage(int index) {
    auto* image = new ImageControl(this);
    image->setPicture(m_flagStrip); // one picture, and one size of it, for every member
    image->setProperty("index", index);
    m_image1.at(index) = image;
    m_placed.push_back({image, {}, 0});
    return image;
}

void ClientArea::makeHeadings() {
    for (auto row = std::rbegin(layout::kHeadings); row != std::rend(layout::kHeadings); ++row) {
        auto* label = new QLabel(m_picture2);
        label->setObjectName(QLatin1String(row->name));
        styleLabel(label, row->text, row->colour, Qt::AlignLeft);
        m_picture2->placeInClient(label, layout::toPixels(row->rect));
        label->raise();
        if (qstrcmp(row->name, "lblreg") == 0)
            m_lblreg = label;
        m_headingFonts.push_back({label, {}, row->fontPixels});
    }
}

QFont ClientArea::scaledFont(int designPixels) const {
    return arial(qMax(1, qRound(designPixels * m_scale)));
}

void ClientArea::setFitting(bool fitting) {
    if (fitting) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(kDesignSize * m_normalScale);
    }
}

void ClientArea::setNormalScale(double scale) {
    m_normalScale = scale;
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const double scale =
        qMin(double(width()) / kDesignSize.width(), double(height()) / kDesignSize.height());
    const QSize size = kDesignSize * scale;
    const QRect area(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    if (scale == m_scale && area == m_area)
        return;
    m_scale = scale;
    m_area = area;
    applyScale();
}

// Every geometry and font of the design, at the current scale and place.
void ClientArea::applyScale() {
    for (const Placed& p : m_placed) {
        const QRect shown = layout::scaled(p.pixels, m_scale).translated(m_area.topLeft());
        p.widget->setGeometry(shown);
        // Whatever lies beyond the design's area is cut off, as the window's edge cuts it
        // when the two are one.
        const QRect inside = shown & m_area;
        if (m_area == rect() || inside == shown)
            p.widget->clearMask();
        else
            p.widget->setMask(inside.translated(-shown.topLeft()));
        if (p.fontPixels > 0)
            p.widget->setFont(scaledFont(p.fontPixels));
    }
    for (const Placed& p : m_headingFonts)
        p.widget->setFont(scaledFont(p.fontPixels));
    m_picture2->setScale(m_scale);
    m_command2->setScale(m_scale);
    m_command3->setScale(m_scale);
    for (ImageControl* image : m_image1)
        image->setScale(m_scale);
    setRegText(m_lblreg->text());
    update();
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_area != rect())
        painter.fillRect(rect(), QColor::fromRgb(layout::kMarginColour));
    painter.fillRect(m_area, palette().color(backgroundRole()));
}

void ClientArea::setRegText(const QString& text) {
    m_lblreg->setText(text);
    const QFontMetrics metrics(m_lblreg->font());
    m_lblreg->resize(metrics.horizontalAdvance(text), metrics.height());
}

} // namespace brindora
