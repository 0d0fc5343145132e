#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>

class QPlainTextEdit;
class QPushButton;

namespace lorvan {

class CLorvanDoc;

inline constexpr const char* kVacationDialogTitle = "Genommener Urlaub";
inline constexpr const char* kSicknessDialogTitle = "Krankheitstage anzeigen";

// A dialog that only shows a text (read-only) with the button "Schließen". Tab stops are set so that
// the columns of the year texts line up: a month name shorter than eight letters is followed by two
// tabs, a longer one by one.
class TextDialog final : public QDialog {
    Q_OBJECT
  public:
    TextDialog(const QString& title, const QString& text, QWidget* parent = nullptr);
    QPlainTextEdit* textField() const { return text_; }
    QPushButton* closeButton() const { return close_; }

  private:
    QPlainTextEdit* text_;
    QPushButton* close_;
};

// "Genommener Urlaub": month 0 shows the year text, months 1-12 the detailed text of that month.
// Raises LorvanError when a vacation day lies in a month without working-time period; raises
// std::invalid_argument for a month the file does not hold.
std::unique_ptr<TextDialog> vacationDialog(const CLorvanDoc& file, int32_t month, QWidget* parent = nullptr);
// "Krankheitstage anzeigen": the year text for month 0, the detailed month text otherwise.
std::unique_ptr<TextDialog> sicknessDialog(const CLorvanDoc& file, int32_t month, QWidget* parent = nullptr);

} // namespace lorvan
