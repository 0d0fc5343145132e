#include "reports/ui/weekly_proof_window.h"

#include "foundation/calendar.h"
#include "app/help_topics.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lorvan {

namespace {

// A typed date: nullopt for an empty field; a text that is no full date counts like a date of another
// year (the field is emptied and labelled "Fehler").
std::optional<Datum> typedDate(const QLineEdit* field, int32_t year) {
    const std::string text = fromQt(field->text().trimmed());
    if (text.empty()) return std::nullopt;
    const ParsedDate parsed = parseDate(text);
    if (!parsed.valid || parsed.day == 0 || parsed.month == 0) return Datum{1, 1, year - 1};
    return Datum{parsed.day, parsed.month, parsed.year == 0 ? year : parsed.year};
}

QString dateText(const std::optional<Datum>& date) {
    return date ? toQt(formatDate(*date)) : QString();
}

} // namespace

WeeklyProofWindow::WeeklyProofWindow(CDruckWoche& model, Prompter& prompter, const std::string& exportText, Run run,
                                     QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter), run_(std::move(run)) {
    setWindowTitle(QStringLiteral("Wochenauswertung für"));
    addHelpShortcut(this, kHelpWeeklyProof);
    auto* layout = new QVBoxLayout(this);
    auto* person = new QLabel(toQt(model_.person()));
    person->setObjectName(QStringLiteral("person"));
    QFont bold = person->font();
    bold.setBold(true);
    person->setFont(bold);
    layout->addWidget(person);

    auto* grid = new QGridLayout;
    week_ = new QLineEdit;
    week_->setObjectName(QStringLiteral("week"));
    week_->setValidator(new QIntValidator(0, 99, week_));
    week_->setMaximumWidth(60);
    from_ = new QLineEdit;
    from_->setObjectName(QStringLiteral("from"));
    to_ = new QLineEdit;
    to_->setObjectName(QStringLiteral("to"));
    fromLabel_ = new QLabel;
    fromLabel_->setObjectName(QStringLiteral("fromLabel"));
    toLabel_ = new QLabel;
    toLabel_->setObjectName(QStringLiteral("toLabel"));
    for (QLabel* label : {fromLabel_, toLabel_})
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("Donnerstag")) + 8);
    const auto labelFor = [](const char* text, QWidget* buddy) {
        auto* label = new QLabel(QString::fromUtf8(text));
        label->setBuddy(buddy);
        return label;
    };
    grid->addWidget(labelFor("&Woche", week_), 0, 0);
    grid->addWidget(week_, 0, 1);
    grid->addWidget(labelFor("&von", from_), 1, 0);
    grid->addWidget(from_, 1, 1);
    grid->addWidget(fromLabel_, 1, 2);
    grid->addWidget(labelFor("b&is", to_), 2, 0);
    grid->addWidget(to_, 2, 1);
    grid->addWidget(toLabel_, 2, 2);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    preview_ = new QPushButton(QStringLiteral("&Seitenansicht"));
    print_ = new QPushButton(QStringLiteral("&Druck"));
    export_ = new QPushButton(toQt(exportText));
    auto* close = new QPushButton(QStringLiteral("Beenden"));
    for (QPushButton* b : {preview_, print_, export_, close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    connect(week_, &QLineEdit::editingFinished, this, [this] {
        if (week_->text().isEmpty()) return;
        model_.setWeek(week_->text().toInt());
        showModel();
    });
    connect(from_, &QLineEdit::editingFinished, this, [this] {
        model_.setFrom(typedDate(from_, model_.year()));
        showModel();
    });
    connect(to_, &QLineEdit::editingFinished, this, [this] {
        model_.setTo(typedDate(to_, model_.year()));
        showModel();
    });
    connect(preview_, &QPushButton::clicked, this, [this] { runAction(ReportAction::Preview); });
    connect(print_, &QPushButton::clicked, this, [this] { runAction(ReportAction::Print); });
    connect(export_, &QPushButton::clicked, this, [this] { runAction(ReportAction::Export); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    showModel();
    week_->setFocus();
}

QPushButton* WeeklyProofWindow::button(ReportAction action) const {
    switch (action) {
    case ReportAction::Preview:
        return preview_;
    case ReportAction::Print:
        return print_;
    case ReportAction::Export:
        break;
    }
    return export_;
}

void WeeklyProofWindow::showModel() {
    const QSignalBlocker weekBlocker(week_);
    const QSignalBlocker fromBlocker(from_);
    const QSignalBlocker toBlocker(to_);
    week_->setText(QString::number(model_.week()));
    from_->setText(dateText(model_.from()));
    to_->setText(dateText(model_.to()));
    fromLabel_->setText(toQt(model_.fromLabel()));
    toLabel_->setText(toQt(model_.toLabel()));
}

void WeeklyProofWindow::runAction(ReportAction action) {
    // A date still being typed counts.
    if (from_->isModified() || to_->isModified()) {
        if (from_->isModified()) model_.setFrom(typedDate(from_, model_.year()));
        if (to_->isModified()) model_.setTo(typedDate(to_, model_.year()));
        from_->setModified(false);
        to_->setModified(false);
        showModel();
    }
    const std::optional<WeeklyProofPeriod> period = model_.period(prompter_);
    if (!period) {
        week_->setFocus();
        week_->selectAll();
        return;
    }
    if (run_) run_(action, *period);
}

} // namespace lorvan
