#include "masterdata/ui/masterdata_commands.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_kinds.h"
#include "gui/common/desktop.h"
#include "masterdata/ui/employee_window.h"
#include "platform/prompter.h"

namespace lorvan {

void registerMasterDataCommands(Desktop& desktop) {
    desktop.commands().add(MenuCommand::Employees, [&desktop] {
        const WorkAreaPlan plan = desktop.app().planCommand(WorkAreaCommand::Employees);
        if (plan.action == WorkAreaPlan::Action::Refuse) {
            if (!plan.message.empty()) desktop.prompter().warn(plan.message);
            return;
        }
        openEmployeesWindow(desktop);
    });
}

EmployeeWindow* openEmployeesWindow(Desktop& desktop) {
    for (DocumentView* view : desktop.documents()) {
        if (auto* window = dynamic_cast<EmployeeWindow*>(view)) {
            desktop.activateDocument(window);
            return window;
        }
    }
    auto* window = new EmployeeWindow(desktop);
    if (!window->loaded()) {
        delete window;
        return nullptr;
    }
    desktop.addDocument(window, kViewEmployees);
    return window;
}

} // namespace lorvan
