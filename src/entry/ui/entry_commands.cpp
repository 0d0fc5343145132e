#include "entry/ui/entry_commands.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_kinds.h"
#include "app/open_year_file.h"
#include "foundation/error.h"
#include "foundation/io_select.h"
#include "entry/day_management.h"
#include "entry/ui/day_view.h"
#include "entry/ui/file_view_windows.h"
#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_document.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>

namespace lorvan {

namespace {

// The month view has no view number of its own among the document kinds.
constexpr int32_t kViewMonth = 0;

// The file selection of "Ö&ffnen...": year files only, starting in the data directory.
IoSelect yearFileSelection(const std::string& dataDirectory) {
    IoSelect selection(IoSelectMode::OpenFile, "", "Arbeitszeitdatei", dataDirectory);
    selection.addFilter("Arbeitszeitdatei", kYearFileExtension);
    selection.setAllFilesEntry(false);
    selection.setDefaultExtension(kYearFileExtension);
    return selection;
}

QString samePathKey(const std::string& path) {
    return QDir::cleanPath(toQt(path)).toLower();
}

MonthClosedRule monthClosedRule(Desktop& desktop) {
    CLorvanApp& app = desktop.app();
    return [&app](int32_t month, int32_t year) { return app.isMonthClosed(month, year); };
}

// The time-line dialog "Arbeitszeit eingeben" of the day views. This is the one place where the
// desktop makes it; until the dialog is wired in here, adding or editing a time says that it is not
// available yet and changes nothing.
TimeLineEditor programTimeLineEditor(Desktop& desktop, const std::shared_ptr<OpenYearFile>&) {
    return [&desktop](CZeitZeile&, bool) {
        desktop.prompter().inform("Der Dialog \"Arbeitszeit eingeben\" ist in dieser Version noch nicht verfügbar.");
        return false;
    };
}

TimeLineEditorSource& timeLineEditorSource() {
    static TimeLineEditorSource source;
    return source;
}

// The month view the user works in: the active one, or the one of the active day view's month.
CMonatView* activeMonthView(const Desktop& desktop) {
    return dynamic_cast<CMonatView*>(desktop.activeDocument());
}

CTagView* findDayView(const Desktop& desktop, const std::shared_ptr<OpenYearFile>& file, int32_t month,
                      int32_t day) {
    for (DocumentView* view : desktop.documents()) {
        auto* dayView = dynamic_cast<CTagView*>(view);
        if (dayView != nullptr && dayView->file() == file && dayView->month() == month && dayView->dayNumber() == day)
            return dayView;
    }
    return nullptr;
}

// The year and month views of the file show what it holds now.
void refreshViewsOf(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file) {
    for (DocumentView* view : desktop.documents()) {
        if (auto* listView = dynamic_cast<FileListView*>(view); listView != nullptr && listView->file() == file)
            listView->refresh();
    }
    desktop.updateCommands();
}

// "A&nlegen" in a month view: the day of the number in "Nächster Tag", then its day entry window.
void createDayIn(Desktop& desktop, CMonatView& view) {
    const std::shared_ptr<OpenYearFile> file = view.file();
    CMonatDoc* month = file->document.month(view.month());
    if (month == nullptr) return;
    const int32_t number = view.proposalField()->text().toInt();
    if (createDay(*month, number, desktop.prompter(), monthClosedRule(desktop)) != EntryResult::Done) return;
    refreshViewsOf(desktop, file);
    view.selectNumber(number);
    openDayView(desktop, file, view.month(), number);
}

// "Aktuell ausgewählten Eintrag &löschen" in a month view; the day's entry window closes first.
void deleteSelectedDay(Desktop& desktop, CMonatView& view) {
    const std::shared_ptr<OpenYearFile> file = view.file();
    CMonatDoc* month = file->document.month(view.month());
    if (month == nullptr) return;
    const auto closeWindow = [&desktop, &file](const CTagDoc& day) {
        if (CTagView* dayView = findDayView(desktop, file, day.month()->number(), day.number())) {
            dayView->closeWithoutQuestions();
            dayView->closeWindow();
        }
    };
    const EntryResult result =
        deleteDay(*month, view.selectedNumber(), desktop.prompter(), monthClosedRule(desktop), closeWindow);
    if (result == EntryResult::NoSelection) QApplication::beep();
    if (result == EntryResult::Done) refreshViewsOf(desktop, file);
}

// "&Speichern + Schliessen" in a month view: the year file is written, then the view closes.
void saveAndCloseMonth(Desktop& desktop, CMonatView& view) {
    if (!desktop.saveYearFile(*view.file())) return;
    desktop.updateCommands();
    emit view.closingByOwnButton();
    view.closeWindow();
}

} // namespace

void setTimeLineEditorSource(TimeLineEditorSource source) {
    timeLineEditorSource() = std::move(source);
}

void registerEntryCommands(Desktop& desktop) {
    CommandTable& commands = desktop.commands();
    commands.add(MenuCommand::Open, [&desktop] { chooseAndOpenYearFile(desktop); });
    commands.add(
        MenuCommand::OpenEntry,
        [&desktop] {
            if (auto* yearView = dynamic_cast<CLorvanView*>(desktop.activeDocument());
                yearView != nullptr && yearView->selectedNumber() != 0)
                openMonthView(desktop, yearView->file(), yearView->selectedNumber());
            if (CMonatView* monthView = activeMonthView(desktop); monthView != nullptr && monthView->selectedNumber() != 0)
                openDayView(desktop, monthView->file(), monthView->month(), monthView->selectedNumber());
        },
        [&desktop] {
            const DocumentView* view = desktop.activeDocument();
            return view != nullptr &&
                   (view->viewKind() == ActiveView::YearView || view->viewKind() == ActiveView::MonthView);
        });
    commands.add(
        MenuCommand::DeleteEntry,
        [&desktop] {
            if (CMonatView* monthView = activeMonthView(desktop)) deleteSelectedDay(desktop, *monthView);
        },
        [&desktop] { return activeMonthView(desktop) != nullptr; });
}

CLorvanView* openYearFileView(Desktop& desktop, const std::string& path) {
    std::shared_ptr<OpenYearFile> file;
    for (DocumentView* view : desktop.documents()) {
        if (!view->file() || samePathKey(view->file()->path) != samePathKey(path)) continue;
        if (auto* yearView = dynamic_cast<CLorvanView*>(view)) {
            desktop.activateDocument(yearView);
            return yearView;
        }
        file = view->file();
    }
    try {
        if (!file) file = std::make_shared<OpenYearFile>(path, desktop.app().dataDirectory());
    } catch (const LorvanError& failure) {
        desktop.prompter().error(failure.what());
        return nullptr;
    }
    desktop.fileOpened(path);
    auto* view = new CLorvanView(file, desktop.clock().today());
    QObject::connect(view, &FileListView::entryActivated, view,
                     [&desktop, file](int32_t month) { openMonthView(desktop, file, month); });
    desktop.addDocument(view, kViewYearFile);
    return view;
}

CMonatView* openMonthView(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file, int32_t month) {
    if (file->document.month(month) == nullptr) return nullptr;
    for (DocumentView* view : desktop.documents()) {
        auto* monthView = dynamic_cast<CMonatView*>(view);
        if (monthView != nullptr && monthView->file() == file && monthView->month() == month) {
            desktop.activateDocument(monthView);
            return monthView;
        }
    }
    const int32_t year = file->document.settings().year;
    CLorvanApp& app = desktop.app();
    auto* view = new CMonatView(file, month, desktop.clock().today(),
                                [&app, month, year] { return app.isMonthClosed(month, year); });
    QObject::connect(view, &FileListView::entryActivated, view,
                     [&desktop, file, month](int32_t day) { openDayView(desktop, file, month, day); });
    QObject::connect(view, &FileListView::createRequested, view, [&desktop, view] { createDayIn(desktop, *view); });
    QObject::connect(view, &FileListView::deleteRequested, view,
                     [&desktop, view] { deleteSelectedDay(desktop, *view); });
    QObject::connect(view, &FileListView::saveAndCloseRequested, view,
                     [&desktop, view] { saveAndCloseMonth(desktop, *view); });
    desktop.addDocument(view, kViewMonth);
    return view;
}

CTagView* openDayView(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file, int32_t month, int32_t day) {
    CMonatDoc* monthDoc = file->document.month(month);
    CTagDoc* dayDoc = monthDoc != nullptr ? monthDoc->day(day) : nullptr;
    if (dayDoc == nullptr) return nullptr;
    if (CTagView* open = findDayView(desktop, file, month, day)) {
        desktop.activateDocument(open);
        return open;
    }
    DayViewServices services;
    services.prompter = &desktop.prompter();
    services.monthClosed = monthClosedRule(desktop);
    services.save = [&desktop, file](CLorvanDoc&) { return desktop.saveYearFile(*file); };
    services.editor = timeLineEditorSource() ? timeLineEditorSource()(desktop, file)
                                             : programTimeLineEditor(desktop, file);
    services.messageParent = desktop.dialogParent();
    auto* view = new CTagView(file, *dayDoc, std::move(services));
    QObject::connect(view, &CTagView::saved, view, [&desktop, file] { refreshViewsOf(desktop, file); });
    // The day view shares the month view's remembered size.
    desktop.addDocument(view, kViewMonth);
    return view;
}

void chooseAndOpenYearFile(Desktop& desktop) {
    const std::optional<std::string> chosen =
        runIoSelect(desktop.dialogParent(), yearFileSelection(desktop.app().dataDirectory()));
    if (chosen) openYearFileView(desktop, *chosen);
}

} // namespace lorvan
