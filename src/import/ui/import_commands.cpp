#include "import/ui/import_commands.h"

#include "app/application.h"
#include "app/command_table.h"
#include "gui/common/desktop.h"
#include "gui/common/document_view.h"
#include "import/ui/employee_import_dialog.h"
#include "import/ui/time_import_dialog.h"
#include "platform/prompter.h"

#include <QPointer>

#include <utility>

namespace lorvan {

namespace {

// Closes every document window as the user would, with the windows' own questions; false when one
// stays open.
bool closeDocumentWindows(Desktop& desktop) {
    for (DocumentView* view : desktop.documents()) {
        QPointer<QWidget> window = view->parentWidget() != nullptr ? view->parentWidget() : view;
        if (!window->close()) return false;
    }
    return true;
}

// Both imports rewrite "Daten.mar" and year files that windows may show, and every window is
// closed after them. Closing the windows first, with their questions, keeps what was changed in
// them: closed afterwards without questions, their changes would be lost.
template <typename Dialog, typename... Windows>
void runImportDialog(Desktop& desktop, WorkAreaCommand command, const Windows&... windows) {
    const WorkAreaPlan plan = desktop.app().planCommand(command);
    if (plan.action == WorkAreaPlan::Action::Refuse) {
        if (!plan.message.empty()) desktop.prompter().warn(plan.message);
        return;
    }
    if (!closeDocumentWindows(desktop)) return;
    {
        Dialog dialog(desktop, windows..., desktop.dialogParent());
        dialog.exec();
    }
    // No window could open while the dialog was shown; the employees work area shows the result.
    if (plan.reopensEmployees) desktop.commands().run(MenuCommand::Employees);
    desktop.updateCommands();
}

} // namespace

void runTimeImportCommand(Desktop& desktop, const ImportWindows& windows) {
    runImportDialog<TimeImportDialog>(desktop, WorkAreaCommand::DataImport, windows);
}

void runEmployeeImportCommand(Desktop& desktop) {
    runImportDialog<EmployeeImportDialog>(desktop, WorkAreaCommand::EmployeeImport);
}

void registerImportCommands(Desktop& desktop, ImportWindows windows) {
    desktop.commands().add(MenuCommand::DataImport, [&desktop, windows = std::move(windows)] {
        runTimeImportCommand(desktop, windows);
    });
    desktop.commands().add(MenuCommand::EmployeeImport, [&desktop] { runEmployeeImportCommand(desktop); });
}

} // namespace lorvan
