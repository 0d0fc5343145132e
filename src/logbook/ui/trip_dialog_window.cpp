#include "logbook/ui/trip_dialog_window.h"

#include "app/help_topics.h"
#include "gui/common/completion_field.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "gui/common/view_parts.h"
#include "logbook/word_lists.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lorvan {

namespace {

QLabel* valueLabel(const std::string& text) {
    auto* label = new QLabel(toQt(text));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

const char* const kKindTexts[] = {"&Geschäftlich", "&Arbeitsweg", "&Privat", "&Unbekannt"};

} // namespace

TripDialogWindow::TripDialogWindow(TripDialog& dialog, Prompter& prompter, QWidget* parent)
    : QDialog(parent), dialog_(dialog), prompter_(prompter), kinds_(new QButtonGroup(this)),
      status_(new QLabel(toQt(dialog.statusText()))) {
    setWindowTitle(QStringLiteral("Fahrtenbuch-Eintrag"));
    auto* layout = new QVBoxLayout(this);

    auto* head = new QGridLayout;
    head->addWidget(new QLabel(QStringLiteral("Fahrzeug:")), 0, 0);
    head->addWidget(valueLabel(dialog.vehicleText()), 0, 1, 1, 3);
    head->addWidget(new QLabel(QStringLiteral("Letzter Standort:")), 1, 0);
    head->addWidget(valueLabel(dialog.startLocationText()), 1, 1, 1, 3);
    head->addWidget(new QLabel(QStringLiteral("Kilometerstand:")), 2, 0);
    auto* previous = valueLabel(dialog.previousKilometresText());
    previous->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    previous->setObjectName(QStringLiteral("previousKilometres"));
    head->addWidget(previous, 2, 1);
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    status_->setObjectName(QStringLiteral("status"));
    head->addWidget(status_, 2, 3, Qt::AlignRight);
    head->setColumnStretch(2, 1);
    layout->addLayout(head);

    auto* target = new QGroupBox(QStringLiteral("Fahrt"));
    auto* grid = new QGridLayout(target);
    const auto row = [&](int at, TripField which, const char* label) {
        auto* caption = new QLabel(QString::fromUtf8(label));
        QLineEdit* edit = addField(which);
        caption->setBuddy(edit);
        grid->addWidget(caption, at, 0);
        grid->addWidget(edit, at, 1, 1, 4);
        return edit;
    };
    const auto complete = [this](QLineEdit* edit, const LogbookWordLists::Words& (LogbookWordLists::*words)() const,
                                 bool person) {
        if (dialog_.setup().words == nullptr || dialog_.readOnly()) return;
        auto* completion = new CACEdit(this);
        completion->attach(edit);
        completion->setWordList(LogbookWordLists::list((dialog_.setup().words->*words)()));
        if (person) completion->setIgnoredCharacters(QString::fromLatin1(kPersonIgnoredCharacters));
    };
    complete(row(0, TripField::Person, "Firma / P&erson:"), &LogbookWordLists::persons, true);
    complete(row(1, TripField::Street, "&Straße:"), &LogbookWordLists::streets, false);
    complete(row(2, TripField::Place, "&Ort:"), &LogbookWordLists::places, false);
    complete(row(3, TripField::Purpose, "&Zweck der Fahrt:"), &LogbookWordLists::purposes, false);
    complete(row(4, TripField::Driver, "&Fahrer:"), &LogbookWordLists::drivers, false);

    auto* kilometresLabel = new QLabel(QStringLiteral("&Kilometerstand (neu):"));
    QLineEdit* kilometres = addField(TripField::Kilometres);
    kilometresLabel->setBuddy(kilometres);
    auto* drivenLabel = new QLabel(QStringLiteral("Gefahrene Ki&lometer:"));
    QLineEdit* driven = addField(TripField::DrivenKilometres);
    drivenLabel->setBuddy(driven);
    for (QLineEdit* number : {kilometres, driven})
        number->setAlignment(Qt::AlignRight);
    grid->addWidget(kilometresLabel, 5, 0);
    grid->addWidget(kilometres, 5, 1);
    grid->addWidget(drivenLabel, 5, 3);
    grid->addWidget(driven, 5, 4);
    connect(kilometres, &QLineEdit::editingFinished, this, [this] { left(TripField::Kilometres); });
    connect(driven, &QLineEdit::editingFinished, this, [this] { left(TripField::DrivenKilometres); });

    auto* kindRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(kKindTexts[i]));
        button->setChecked(static_cast<int>(dialog.kind()) == i);
        button->setEnabled(!dialog.readOnly());
        kinds_->addButton(button, i);
        kindRow->addWidget(button);
    }
    kindRow->addStretch();
    grid->addLayout(kindRow, 6, 1, 1, 4);
    connect(kinds_, &QButtonGroup::idClicked, this, [this](int id) { dialog_.setKind(static_cast<TripKind>(id)); });

    auto* fromLabel = new QLabel(QStringLiteral("Datum / Uhrzeit  &von:"));
    QLineEdit* startDate = addField(TripField::StartDate);
    fromLabel->setBuddy(startDate);
    auto* toLabel = new QLabel(QStringLiteral("bi&s:"));
    QLineEdit* endDate = addField(TripField::EndDate);
    toLabel->setBuddy(endDate);
    grid->addWidget(fromLabel, 7, 0);
    auto* from = new QHBoxLayout;
    from->addWidget(startDate);
    from->addWidget(addField(TripField::StartTime));
    grid->addLayout(from, 7, 1, 1, 2);
    grid->addWidget(toLabel, 7, 3);
    auto* to = new QHBoxLayout;
    to->addWidget(endDate);
    to->addWidget(addField(TripField::EndTime));
    grid->addLayout(to, 7, 4);
    for (TripField date : {TripField::StartDate, TripField::EndDate})
        fields_[date]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    // A time as typed ("10:30") stays whole.
    for (TripField time : {TripField::StartTime, TripField::EndTime})
        fields_[time]->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000:000")) + 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    layout->addWidget(target);

    ok_ = addOkCancelButtons(layout, this)->button(QDialogButtonBox::Ok);
    ok_->setEnabled(!dialog.readOnly());

    showTexts();
    addHelpShortcut(this, kHelpTripDialog);
    // Wide enough for the place and purpose texts; never below what the fields need.
    resize(sizeHint().expandedTo(QSize(640, 0)));
}

QLineEdit* TripDialogWindow::addField(TripField which) {
    auto* edit = new QLineEdit;
    edit->setReadOnly(dialog_.readOnly());
    fields_[which] = edit;
    connect(edit, &QLineEdit::textChanged, this, [this, which](const QString& text) { edited(which, text); });
    return edit;
}

QLineEdit* TripDialogWindow::field(TripField which) const {
    const auto found = fields_.find(which);
    return found != fields_.end() ? found->second : nullptr;
}

QRadioButton* TripDialogWindow::kindButton(TripKind kind) const {
    return qobject_cast<QRadioButton*>(kinds_->button(static_cast<int>(kind)));
}

void TripDialogWindow::edited(TripField which, const QString& text) {
    if (filling_) return;
    dialog_.setText(which, fromQt(text));
    // A start date that equalled the end date took the end date along.
    if (which == TripField::StartDate) showTexts();
}

void TripDialogWindow::left(TripField which) {
    if (dialog_.readOnly()) return;
    dialog_.leave(which);
    showTexts();
}

void TripDialogWindow::showTexts() {
    filling_ = true;
    for (const auto& [which, edit] : fields_) {
        const QString text = toQt(dialog_.text(which));
        if (edit->text() != text) edit->setText(text);
    }
    filling_ = false;
}

void TripDialogWindow::accept() {
    if (dialog_.readOnly()) return;
    const TripField failed = dialog_.confirm(prompter_);
    if (failed == TripField::None) {
        QDialog::accept();
        return;
    }
    if (failed == TripField::Kind) {
        kinds_->checkedButton() != nullptr ? kinds_->checkedButton()->setFocus() : kinds_->button(0)->setFocus();
        return;
    }
    if (QLineEdit* edit = field(failed)) {
        edit->setFocus();
        edit->selectAll();
    }
}

bool runTripDialogWindow(QWidget* parent, TripDialog& dialog, Prompter& prompter) {
    TripDialogWindow window(dialog, prompter, parent);
    return window.exec() == QDialog::Accepted;
}

} // namespace lorvan
