// Italian, as the window; OK only once there is a name, Enter for OK, Esc or the close button
// to leave without playing.
#include "pupil_name_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brindora {

namespace {

constexpr int kFontPixels = 20;
constexpr int kLongestName = 60;

} // namespace

PupilNameBox::PupilNameBox(const QString& prefill, QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(prefill, this)), m_ok(nullptr) {
    setWindowTitle(QStringLiteral("Brindora"));
    QFont big = font();
    big.setPixelSize(kFontPixels);
    setFont(big);
    auto* label = new QLabel(QStringLiteral("Scrivi il tuo nome e cognome:"), this);
    label->setBuddy(m_edit);
    m_edit->setMaxLength(kLongestName);
    m_edit->setMinimumWidth(kFontPixels * 18);
    m_edit->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("Gioca"));
    m_ok->setDefault(true);
    const auto check = [this] { m_ok->setEnabled(!name().isEmpty()); };
    connect(m_edit, &QLineEdit::textChanged, this, check);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!name().isEmpty())
            accept();
    });
    check();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString PupilNameBox::name() const {
    return m_edit->text().simplified();
}

std::optional<QString> askPupilName(const QString& prefill) {
    PupilNameBox box(prefill);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.name();
}

} // namespace brindora
