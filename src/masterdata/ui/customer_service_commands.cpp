#include "masterdata/ui/customer_service_commands.h"

#include "app/command_table.h"
#include "gui/common/desktop.h"
#include "masterdata/ui/customer_windows.h"
#include "masterdata/ui/service_windows.h"

namespace lorvan {

void registerCustomerServiceCommands(Desktop& desktop) {
    desktop.commands().add(MenuCommand::Customers, [&desktop] { openCustomersWindow(desktop); });
    desktop.commands().add(MenuCommand::Services, [&desktop] { openServicesWindow(desktop); });
}

} // namespace lorvan
