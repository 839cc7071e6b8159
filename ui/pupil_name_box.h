// The small box that asks the pupil's name before the first state, when the lab wants one
// name per pupil on a shared login.
#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;

namespace brindora {

class PupilNameBox : public QDialog {
    Q_OBJECT
public:
    explicit PupilNameBox(const QString& prefill, QWidget* parent = nullptr);
    QString name() const; // blanks trimmed and single
    QLineEdit* edit() const { return m_edit; }
    QPushButton* ok() const { return m_ok; }

private:
    QLineEdit* m_edit;
    QPushButton* m_ok;
};

// The name typed, or none when the pupil closed the box (then nothing is played or written).
std::optional<QString> askPupilName(const QString& prefill);

} // namespace brindora
