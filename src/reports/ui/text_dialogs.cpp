#include "reports/ui/text_dialogs.h"

#include "evaluation/year_statistics.h"
#include "foundation/calendar.h"
#include "gui/common/qt_platform.h"
#include "yearfile/year_file.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>

namespace lorvan {

namespace {

// Wider than every month name that is followed by two tabs (fewer than eight letters), so that the
// numbers after "Mai\t\t" and "Dezember\t" start at the second stop.
qreal tabStopFor(const QFontMetrics& metrics) {
    int widest = 0;
    for (int32_t m = 1; m <= 12; ++m) {
        const QString name = toQt(monthName(m));
        if (name.size() < 8) widest = std::max(widest, metrics.horizontalAdvance(name));
    }
    return widest + metrics.horizontalAdvance(QLatin1Char(' '));
}

const CMonatDoc& monthOf(const CLorvanDoc& file, int32_t month) {
    const CMonatDoc* record = file.month(month);
    if (record == nullptr) throw std::invalid_argument("no month " + std::to_string(month));
    return *record;
}

} // namespace

TextDialog::TextDialog(const QString& title, const QString& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    text_ = new QPlainTextEdit;
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab leaves the text for the button instead of being typed.
    text_->setTabChangesFocus(true);
    text_->setTabStopDistance(tabStopFor(text_->fontMetrics()));
    text_->setPlainText(text);
    layout->addWidget(text_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    close_ = new QPushButton(QStringLiteral("Schließen"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    resize(380, 360);
}

std::unique_ptr<TextDialog> vacationDialog(const CLorvanDoc& file, int32_t month, QWidget* parent) {
    const std::string text = month == 0 ? yearVacationText(file) : vacationText(monthOf(file, month), true);
    return std::make_unique<TextDialog>(QString::fromUtf8(kVacationDialogTitle), toQt(text), parent);
}

std::unique_ptr<TextDialog> sicknessDialog(const CLorvanDoc& file, int32_t month, QWidget* parent) {
    std::string text;
    if (month == 0) {
        text = yearSicknessText(file);
    } else {
        SickDayCounts counts;
        text = sicknessText(monthOf(file, month), true, counts);
    }
    return std::make_unique<TextDialog>(QString::fromUtf8(kSicknessDialogTitle), toQt(text), parent);
}

} // namespace lorvan
