#include "masterdata/ui/customer_windows.h"

#include "app/application.h"
#include "app/help_topics.h"
#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "masterdata/customer_list.h"
#include "masterdata/ui/master_windows.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace lorvan {

CustomersWindow::CustomersWindow(Desktop& desktop, std::string path, CustomerList* list, QWidget* parent)
    : MasterListWindow(desktop, toQt(CustomerWindow::kTitle), CustomerWindow::kColumns,
                       toQt(CustomerWindow::kNewButton), parent),
      dialogs_(desktop.dialogParent(), desktop.prompter()),
      logic_(std::move(path), masterStorage(desktop), dialogs_, list),
      printAddress_(new QCheckBox(toQt(CustomerWindow::kPrintAddressLabel))),
      checkOnEntry_(new QCheckBox(toQt(CustomerWindow::kCheckOnEntryLabel))) {
    printAddress_->setObjectName(QStringLiteral("printAddress"));
    checkOnEntry_->setObjectName(QStringLiteral("checkOnEntry"));
    extrasLayout()->addWidget(printAddress_);
    extrasLayout()->addWidget(checkOnEntry_);
    connect(printAddress_, &QCheckBox::toggled, this, [this](bool on) { logic_.setPrintAddressOnDaySheet(on); });
    connect(checkOnEntry_, &QCheckBox::toggled, this, [this](bool on) { logic_.setCheckOnEntry(on); });
    setDesignedSize(QSize(600, 400));
}

bool CustomersWindow::open() {
    if (!logic_.open()) return false;
    printAddress_->setChecked(logic_.printAddressOnDaySheet());
    checkOnEntry_->setChecked(logic_.checkOnEntry());
    showRows();
    return true;
}

int CustomersWindow::helpTopic() const {
    return kHelpCustomers;
}

std::vector<std::vector<std::string>> CustomersWindow::rowTexts() const {
    std::vector<std::vector<std::string>> texts;
    for (const CustomerWindow::Row& row : logic_.rows())
        texts.emplace_back(row.cells.begin(), row.cells.end());
    return texts;
}

DocumentView* openCustomersWindow(Desktop& desktop) {
    return openMasterWindow<CustomersWindow>(desktop, WorkAreaCommand::Customers, &desktop.app().customers());
}

} // namespace lorvan
