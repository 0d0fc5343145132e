#include "masterdata/ui/service_windows.h"

#include "app/help_topics.h"
#include "masterdata/service_list.h"
#include "masterdata/ui/master_windows.h"

namespace lorvan {

ServicesWindow::ServicesWindow(Desktop& desktop, std::string path, ServiceList* list, QWidget* parent)
    : MasterListWindow(desktop, toQt(ServiceWindow::kTitle), ServiceWindow::kColumns,
                       toQt(ServiceWindow::kNewButton), parent),
      dialogs_(desktop.dialogParent(), desktop.prompter()),
      logic_(std::move(path), masterStorage(desktop), dialogs_, list) {
    setDesignedSize(QSize(520, 360));
}

bool ServicesWindow::open() {
    if (!logic_.open()) return false;
    showRows();
    return true;
}

int ServicesWindow::helpTopic() const {
    return kHelpServices;
}

std::vector<std::vector<std::string>> ServicesWindow::rowTexts() const {
    std::vector<std::vector<std::string>> texts;
    for (const ServiceWindow::Row& row : logic_.rows())
        texts.emplace_back(row.cells.begin(), row.cells.end());
    return texts;
}

DocumentView* openServicesWindow(Desktop& desktop) {
    return openMasterWindow<ServicesWindow>(desktop, WorkAreaCommand::Services, &desktop.app().services());
}

} // namespace lorvan
