#include "entry/ui/quick_day_dialog.h"

#include "entry/ui/day_entry_form.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace lorvan {

QuickDayDialog::QuickDayDialog(DayEntry& entry, const TimeLineEditor& editor, QuickDayLogbookTransfer transfer,
                               QWidget* parent)
    : QDialog(parent), entry_(&entry) {
    setWindowTitle(QStringLiteral("Schnellerfassung eines Tages"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    form_ = new DayEntryForm(entry, editor);
    layout->addWidget(form_);
    QPushButton* save = form_->addClosingButton(QStringLiteral("&Speichern + Schließen"), true);
    QPushButton* cancel = form_->addClosingButton(QStringLiteral("Abbrechen"), false);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, [this] { saveAndClose(); });
    connect(cancel, &QPushButton::clicked, this, &QuickDayDialog::reject);
    // The transfer saved the day first (the button requires "Angaben vollständig"): closing the
    // dialog then counts as saved, so that the quick entry writes the day into the files.
    form_->setLogbookTransferEnabled(static_cast<bool>(transfer));
    connect(form_, &DayEntryForm::savedForLogbook, this, [this, transfer = std::move(transfer)] {
        saved_ = true;
        if (transfer) transfer(entry_->day());
    });
    resize(sizeHint().expandedTo(QSize(720, 520)));
}

void QuickDayDialog::saveAndClose() {
    const EntryResult result = entry_->save();
    form_->load(form_->selectedLine());
    if (result != EntryResult::Done) return;
    saved_ = true;
    showWorkingTimeNotes(parentWidget(), entry_->notes());
    accept();
}

bool QuickDayDialog::mayClose() {
    if (!entry_->isChanged()) return true;
    const DayCloseDecision decision = entry_->askToClose();
    if (!entry_->isChanged()) {
        // Yes saved the day.
        saved_ = true;
        showWorkingTimeNotes(parentWidget(), entry_->notes());
    }
    form_->load(form_->selectedLine());
    return decision == DayCloseDecision::Close;
}

void QuickDayDialog::reject() {
    if (!mayClose()) return;
    if (saved_)
        accept();
    else
        QDialog::reject();
}

bool runQuickDayDialog(QWidget* parent, DayEntry& entry, const TimeLineEditor& editor,
                       QuickDayLogbookTransfer transfer) {
    QuickDayDialog dialog(entry, editor, std::move(transfer), parent);
    dialog.exec();
    return dialog.saved();
}

} // namespace lorvan
