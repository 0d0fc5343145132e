#include "entry/ui/entry_commands.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_kinds.h"
#include "app/open_year_file.h"
#include "foundation/error.h"
#include "foundation/io_select.h"
#include "entry/ui/file_view_windows.h"
#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_document.h"

#include <QDir>

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

} // namespace

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
    desktop.addDocument(view, kViewMonth);
    return view;
}

void chooseAndOpenYearFile(Desktop& desktop) {
    const std::optional<std::string> chosen =
        runIoSelect(desktop.dialogParent(), yearFileSelection(desktop.app().dataDirectory()));
    if (chosen) openYearFileView(desktop, *chosen);
}

} // namespace lorvan
