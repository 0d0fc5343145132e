#include "entry/ui/entry_commands.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_kinds.h"
#include "app/open_year_file.h"
#include "foundation/error.h"
#include "foundation/io_select.h"
#include "entry/month_management.h"
#include "entry/ui/file_view_windows.h"
#include "entry/ui/quick_entry_dialog.h"
#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_document.h"

#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>

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

MonthClosedRule monthClosing(Desktop& desktop) {
    CLorvanApp& app = desktop.app();
    return [&app](int32_t month, int32_t year) { return app.isMonthClosed(month, year); };
}

// Shows the open file in a new year view.
CLorvanView* addYearView(Desktop& desktop, const std::shared_ptr<OpenYearFile>& file) {
    auto* view = new CLorvanView(file, desktop.clock().today());
    QObject::connect(view, &FileListView::entryActivated, view,
                     [&desktop, file](int32_t month) { openMonthView(desktop, file, month); });
    QObject::connect(view, &CLorvanView::createMonthRequested, view,
                     [&desktop, view](int32_t month) { createMonthInView(desktop, *view, month); });
    QObject::connect(view, &CLorvanView::deleteMonthRequested, view,
                     [&desktop, view] { deleteMonthInView(desktop, *view); });
    desktop.addDocument(view, kViewYearFile);
    return view;
}

// The next year's file of the same person: an existing one opens; a new one opens unsaved with the
// settings of this one, to be saved by the user.
void openNextYear(Desktop& desktop, OpenYearFile& file) {
    try {
        NextYearFile next = nextYearFile(file.document, desktop.app().dataDirectory(), file.context(), desktop.clock());
        if (!next.created || openYearFileOf(desktop, next.path)) {
            openYearFileView(desktop, next.path);
            return;
        }
        addYearView(desktop, std::make_shared<OpenYearFile>(next.path, std::move(*next.created),
                                                            desktop.app().dataDirectory()));
    } catch (const LorvanError& failure) {
        desktop.prompter().error(failure.what());
    }
}

} // namespace

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
    QuickEntryDialog dialog(desktop, employees, quickEntryDayDialog(), desktop.dialogParent());
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
}

void createMonthInView(Desktop& desktop, CLorvanView& view, int32_t month) {
    const std::shared_ptr<OpenYearFile> file = view.file();
    switch (createMonth(file->document, month, desktop.prompter(), monthClosing(desktop))) {
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
    if (deleteMonth(file->document, month, desktop.prompter(), monthClosing(desktop), closeMonthViews))
        refreshViewsOf(desktop, file);
    desktop.updateCommands();
}

void registerEntryCommands(Desktop& desktop) {
    CommandTable& commands = desktop.commands();
    commands.add(MenuCommand::Open, [&desktop] { chooseAndOpenYearFile(desktop); });
    commands.add(
        MenuCommand::OpenEntry,
        [&desktop] {
            auto* yearView = dynamic_cast<CLorvanView*>(desktop.activeDocument());
            if (yearView != nullptr && yearView->selectedNumber() != 0)
                openMonthView(desktop, yearView->file(), yearView->selectedNumber());
        },
        [&desktop] {
            const DocumentView* view = desktop.activeDocument();
            return view != nullptr && view->viewKind() == ActiveView::YearView;
        });
    commands.add(
        MenuCommand::DeleteEntry,
        [&desktop] {
            if (auto* yearView = dynamic_cast<CLorvanView*>(desktop.activeDocument()))
                deleteMonthInView(desktop, *yearView);
        },
        [&desktop] {
            const DocumentView* view = desktop.activeDocument();
            return view != nullptr && view->viewKind() == ActiveView::YearView;
        });
    commands.add(MenuCommand::QuickEntry, [&desktop] { runQuickEntry(desktop); });
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
    desktop.addDocument(view, kViewMonth);
    return view;
}

void chooseAndOpenYearFile(Desktop& desktop) {
    const std::optional<std::string> chosen =
        runIoSelect(desktop.dialogParent(), yearFileSelection(desktop.app().dataDirectory()));
    if (chosen) openYearFileView(desktop, *chosen);
}

} // namespace lorvan
