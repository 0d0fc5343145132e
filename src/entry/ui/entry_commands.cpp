#include "entry/ui/entry_commands.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_kinds.h"
#include "app/open_year_file.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/io_select.h"
#include "masterdata/customer_list.h"
#include "entry/month_management.h"
#include "entry/day_management.h"
#include "entry/ui/day_entry_form.h"
#include "entry/ui/day_view.h"
#include "entry/ui/file_view_windows.h"
#include "entry/ui/quick_day_dialog.h"
#include "entry/ui/quick_entry_dialog.h"
#include "entry/ui/time_line_dialog.h"
#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_document.h"

#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
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

QuickEntryDayDialog& quickEntryDayDialog() {
    static QuickEntryDayDialog dialog;
    return dialog;
}

DaySheetPrinter& daySheetPrinter() {
    static DaySheetPrinter printer;
    return printer;
}

LogbookTransfer& logbookTransfer() {
    static LogbookTransfer transfer;
    return transfer;
}

// Whether "In &Fahrtenbuch übertragen..." is offered: a transfer is wired in and has a vehicle file.
bool logbookTransferOffered(Desktop& desktop) {
    return logbookTransfer().open && (!logbookTransfer().available || logbookTransfer().available(desktop));
}

// An existing file of the logbook's kind (".fb").
bool isLogbookFile(const std::string& path) {
    const int kind = findDocumentKind(path);
    return kind >= 0 && documentKinds()[static_cast<size_t>(kind)].viewNumber == kViewLogbook && fileExists(path);
}

// "&Speichern + Schliessen" in a year or month view: the year file is written, then the view closes.
void saveAndCloseView(Desktop& desktop, FileListView& view) {
    if (!desktop.saveYearFile(*view.file())) return;
    desktop.updateCommands();
    emit view.closingByOwnButton();
    view.closeWindow();
}

// Shows the open file in a new year view.
CLorvanView* addYearView(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file) {
    auto* view = new CLorvanView(file, desktop.clock().today());
    QObject::connect(view, &FileListView::entryActivated, view,
                     [&desktop, file](int32_t month) { openMonthView(desktop, file, month); });
    QObject::connect(view, &FileListView::createRequested, view, [&desktop, view] {
        createMonthInView(desktop, *view, view->proposalField()->text().trimmed().toInt());
    });
    QObject::connect(view, &FileListView::deleteRequested, view, [&desktop, view] { deleteMonthInView(desktop, *view); });
    QObject::connect(view, &FileListView::saveAndCloseRequested, view,
                     [&desktop, view] { saveAndCloseView(desktop, *view); });
    desktop.addDocument(view, kViewYearFile);
    return view;
}

NewFileSettings& newFileSettings() {
    static NewFileSettings settings;
    return settings;
}

// A new year file after its settings were confirmed: its year view opens on it unsaved, under the
// path its owner and year give it.
void openNewYearFile(Desktop& desktop, CLorvanDoc document) {
    if (newFileSettings() && !newFileSettings()(desktop, document)) return;
    const std::string& dataDirectory = desktop.app().dataDirectory();
    const std::string path = fullYearFilePath(dataDirectory, document.settings().name, document.settings().year);
    addYearView(desktop, std::make_shared<OpenYearFile>(path, std::move(document), dataDirectory));
}

// The next year's file of the same person: an existing one opens; a new one takes the settings of
// this one, shows them for confirmation and opens unsaved, to be saved by the user.
void openNextYear(Desktop& desktop, OpenYearFile& file) {
    try {
        NextYearFile next = nextYearFile(file.document, desktop.app().dataDirectory(), file.context(), desktop.clock());
        if (!next.created || openYearFileOf(desktop, next.path)) {
            openYearFileView(desktop, next.path);
            return;
        }
        openNewYearFile(desktop, std::move(*next.created));
    } catch (const LorvanError& failure) {
        desktop.prompter().error(failure.what());
    }
}

// The customer entries of the day lists: a customer number shows that customer's text.
CustomerTextFunction customerTextFunction(Desktop& desktop) {
    return [&desktop](const std::string& entry) {
        const CustomerListLookup customers(desktop.app().customers());
        return customerDisplayText(entry, &customers);
    };
}

// The time-line dialog "Arbeitszeit eingeben" of the day views and of the quick entry's day.
TimeLineEditor programTimeLineEditor(Desktop& desktop) {
    return [&desktop](CZeitZeile& line, bool isFirstNewLine) {
        const Datum date = line.day() != nullptr ? line.day()->date() : Datum{};
        return editTimeLine(desktop.dialogParent(), desktop.app(), desktop.prompter(), line, isFirstNewLine,
                            desktop.app().isMonthClosed(date.month, date.year));
    };
}

TimeLineEditorSource& timeLineEditorSource() {
    static TimeLineEditorSource source;
    return source;
}

// The active window when it is a month view.
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

// "A&nlegen" in a month view: the day of the number in "Nächster Tag", then its day entry window.
void createDayIn(Desktop& desktop, CMonatView& view) {
    const std::shared_ptr<OpenYearFile> file = view.file();
    CMonatDoc* month = file->document.month(view.month());
    if (month == nullptr) return;
    const int32_t number = view.proposalField()->text().toInt();
    if (createDay(*month, number, desktop.prompter(), monthClosedRule(desktop.app())) != EntryResult::Done) return;
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
        deleteDay(*month, view.selectedNumber(), desktop.prompter(), monthClosedRule(desktop.app()), closeWindow);
    if (result == EntryResult::NoSelection) QApplication::beep();
    if (result == EntryResult::Done) refreshViewsOf(desktop, file);
}

} // namespace

void setTimeLineEditorSource(TimeLineEditorSource source) {
    timeLineEditorSource() = std::move(source);
}

void setNewFileSettings(NewFileSettings settings) {
    newFileSettings() = std::move(settings);
}

void createNewYearFile(Desktop& desktop) {
    CLorvanDoc document;
    document.startNew(desktop.clock());
    document.setModified();
    openNewYearFile(desktop, std::move(document));
}

void setDaySheetPrinter(DaySheetPrinter printer) {
    daySheetPrinter() = std::move(printer);
}

void setLogbookTransfer(LogbookTransfer transfer) {
    logbookTransfer() = std::move(transfer);
}

void setQuickEntryDayDialog(QuickEntryDayDialog dialog) {
    quickEntryDayDialog() = std::move(dialog);
}

void runQuickEntry(Desktop& desktop) {
    CLorvanApp& app = desktop.app();
    const WorkAreaPlan plan = app.planCommand(WorkAreaCommand::QuickEntry);
    if (plan.action == WorkAreaPlan::Action::Refuse) {
        desktop.prompter().error(plan.message);
        return;
    }
    std::map<int32_t, CMitarbeiterDoc> employees;
    try {
        employees = app.employees().all();
    } catch (const LorvanError& failure) {
        desktop.prompter().error(failure.what());
        return;
    }
    QuickEntryDayDialog dayDialog = quickEntryDayDialog();
    if (!dayDialog) {
        // "Schnellerfassung eines Tages": the day entry in its quick form on the template. Its save
        // runs the checks of a saved day; the quick entry itself then writes every file.
        dayDialog = [&desktop](QWidget* parent, CTagDoc& templateDay, const QuickEntryHeader& header) {
            DayEntryServices services;
            services.prompter = &desktop.prompter();
            services.monthClosed = monthClosedRule(desktop.app());
            services.customerText = customerTextFunction(desktop);
            DayEntry entry(templateDay, DayEntryMode::QuickEntry, std::move(services));
            entry.setFurtherEmployees(header.furtherEmployees);
            entry.setDateText(header.dateText);
            QuickDayLogbookTransfer transfer;
            if (logbookTransferOffered(desktop))
                transfer = [&desktop](const CTagDoc& day) { logbookTransfer().open(desktop, day, false); };
            return runQuickDayDialog(parent, entry, programTimeLineEditor(desktop), std::move(transfer));
        };
    }
    QuickEntryDialog dialog(desktop, employees, dayDialog, desktop.dialogParent());
    dialog.exec();
}

std::shared_ptr<OpenYearFile> openYearFileOf(Desktop& desktop, const std::string& path) {
    for (DocumentView* view : desktop.documents())
        if (view->file() && samePathKey(view->file()->path) == samePathKey(path)) return view->file();
    return nullptr;
}

void refreshViewsOf(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file) {
    for (DocumentView* view : desktop.documents())
        if (auto* listView = dynamic_cast<FileListView*>(view); listView != nullptr && view->file() == file)
            listView->refresh();
    desktop.updateCommands();
}

void createMonthInView(Desktop& desktop, CLorvanView& view, int32_t month) {
    const std::shared_ptr<OpenYearFile> file = view.file();
    switch (createMonth(file->document, month, desktop.prompter(), monthClosedRule(desktop.app()))) {
    case MonthCreation::Nothing:
        break;
    case MonthCreation::OpenMonth:
        refreshViewsOf(desktop, file);
        openMonthView(desktop, file, month);
        break;
    case MonthCreation::OpenNextYear:
        openNextYear(desktop, *file);
        break;
    }
    desktop.updateCommands();
}

void deleteMonthInView(Desktop& desktop, CLorvanView& view) {
    const int32_t month = view.selectedNumber();
    if (month == 0) {
        QApplication::beep();
        return;
    }
    const std::shared_ptr<OpenYearFile> file = view.file();
    const auto closeMonthViews = [&desktop, &file, month] {
        for (DocumentView* open : desktop.documents()) {
            if (open->file() != file || open->viewKind() != ActiveView::MonthView || open->month() != month)
                continue;
            QWidget* window = open->parentWidget() != nullptr ? open->parentWidget() : open;
            if (!window->close()) return false;
        }
        return true;
    };
    if (deleteMonth(file->document, month, desktop.prompter(), monthClosedRule(desktop.app()), closeMonthViews))
        refreshViewsOf(desktop, file);
    desktop.updateCommands();
}

void registerEntryCommands(Desktop& desktop) {
    CommandTable& commands = desktop.commands();
    commands.add(MenuCommand::New, [&desktop] { createNewYearFile(desktop); });
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
            if (auto* yearView = dynamic_cast<CLorvanView*>(desktop.activeDocument()))
                deleteMonthInView(desktop, *yearView);
            else if (CMonatView* monthView = activeMonthView(desktop))
                deleteSelectedDay(desktop, *monthView);
        },
        [&desktop] {
            const DocumentView* view = desktop.activeDocument();
            return view != nullptr &&
                   (view->viewKind() == ActiveView::YearView || view->viewKind() == ActiveView::MonthView);
        });
    commands.add(MenuCommand::QuickEntry, [&desktop] { runQuickEntry(desktop); });
}

CLorvanView* openYearFileView(Desktop& desktop, const std::string& path) {
    if (logbookTransfer().openLogbook && isLogbookFile(path)) {
        logbookTransfer().openLogbook(desktop, path);
        return nullptr;
    }
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
    return addYearView(desktop, file);
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
                     [&desktop, view] { saveAndCloseView(desktop, *view); });
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
    services.monthClosed = monthClosedRule(desktop.app());
    services.save = [&desktop, file](CLorvanDoc&) { return desktop.saveYearFile(*file); };
    services.editor = timeLineEditorSource() ? timeLineEditorSource()(desktop, file)
                                             : programTimeLineEditor(desktop);
    services.messageParent = desktop.dialogParent();
    services.customerText = customerTextFunction(desktop);
    auto* view = new CTagView(file, *dayDoc, std::move(services));
    QObject::connect(view, &CTagView::saved, view, [&desktop, file] { refreshViewsOf(desktop, file); });
    QObject::connect(view, &CTagView::daySheetRequested, view, [&desktop, view] {
        if (daySheetPrinter()) daySheetPrinter()(desktop, *view);
    });
    view->form()->setLogbookTransferEnabled(logbookTransferOffered(desktop));
    QObject::connect(view, &CTagView::logbookTransferRequested, view, [&desktop, view] {
        if (logbookTransfer().open) logbookTransfer().open(desktop, view->entry().day(), true);
    });
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
