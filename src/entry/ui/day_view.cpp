#include "entry/ui/day_view.h"

#include "app/help_topics.h"
#include "app/open_year_file.h"
#include "entry/ui/day_entry_form.h"
#include "gui/common/qt_platform.h"
#include "gui/common/view_parts.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lorvan {

namespace {

DayEntryServices entryServices(const OpenYearFile& file, const DayViewServices& services) {
    DayEntryServices entry;
    entry.prompter = services.prompter;
    entry.monthClosed = services.monthClosed;
    entry.save = services.save;
    entry.customerText = services.customerText;
    entry.previousYears = &file.previousYears;
    return entry;
}

} // namespace

CTagView::CTagView(std::shared_ptr<OpenYearFile> file, CTagDoc& day, DayViewServices services, QWidget* parent)
    : DocumentView(std::move(file), parent), entry_(day, DayEntryMode::DayWindow, entryServices(*file_, services)),
      messageParent_(services.messageParent) {
    // The content scrolls in a window smaller than designed; a larger one grows the list.
    auto* content = new QWidget;
    placeInScrollArea(this, content);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    form_ = new DayEntryForm(entry_, std::move(services.editor));
    layout->addWidget(form_);

    saveButton_ = form_->addClosingButton(QStringLiteral("&Speichern"), true);
    QPushButton* saveAndClose = form_->addClosingButton(QStringLiteral("&Speichern + Schliessen"), true);
    QPushButton* cancel = form_->addClosingButton(QStringLiteral("Abbrechen"), false);
    connect(saveButton_, &QPushButton::clicked, this, [this] { save(); });
    connect(saveAndClose, &QPushButton::clicked, this, [this] {
        if (!save()) return;
        emit closingByOwnButton();
        closeWindow();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        emit closingByOwnButton();
        closeWindow();
    });
    connect(form_, &DayEntryForm::savedForTransfer, this, [this] {
        emit saved();
        emit daySheetRequested();
    });
    connect(form_, &DayEntryForm::savedForLogbook, this, [this] {
        emit saved();
        emit logbookTransferRequested();
    });
    connect(form_->timeList(), &QTreeWidget::currentItemChanged, this, [this] { emit commandStateChanged(); });

    setWindowTitle(toQt(entry_.dayTitle()));
    designedSize_ = content->sizeHint().expandedTo(QSize(720, 560));
    content->setMinimumSize(designedSize_);
    resize(designedSize_);
    form_->load(entry_.lines().empty() ? -1 : 0);
}

int32_t CTagView::month() const {
    return entry_.day().month()->number();
}

int32_t CTagView::dayNumber() const {
    return entry_.day().number();
}

int CTagView::helpTopic() const {
    return kHelpDayView;
}

QWidget* CTagView::focusTarget() {
    return form_->timeList();
}

bool CTagView::save() {
    const EntryResult result = entry_.save();
    form_->load(form_->selectedLine());
    emit commandStateChanged();
    if (result != EntryResult::Done) return false;
    emit saved();
    showWorkingTimeNotes(messageParent_, entry_.notes());
    return true;
}

void CTagView::closeEvent(QCloseEvent* event) {
    if (closingWithoutQuestions_ || !entry_.isChanged()) {
        event->accept();
        return;
    }
    const DayCloseDecision decision = entry_.askToClose();
    // Yes saved the day: the other views show it like after "&Speichern".
    if (!entry_.isChanged()) {
        emit saved();
        showWorkingTimeNotes(messageParent_, entry_.notes());
    }
    if (decision == DayCloseDecision::StayOpen) {
        form_->load(form_->selectedLine());
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace lorvan
