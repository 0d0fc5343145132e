#include "masterdata/customer_window.h"

#include "foundation/file_system.h"
#include "masterdata/customer_flows.h"
#include "masterdata/customer_list.h"
#include "platform/prompter.h"

#include <algorithm>

namespace lorvan {

CustomerWindow::CustomerWindow(std::string path, const StorageContext& storage, CustomerDialogRunner& dialogs,
                               CustomerList* list)
    : path_(std::move(path)), storage_(storage), dialogs_(dialogs), list_(list) {}

bool CustomerWindow::open() {
    if (fileExists(path_)) {
        if (!file_.open(path_, storage_)) return false;
        if (list_) list_->takeFrom(file_);
    }
    printAddress_ = file_.printAddressOnDaySheet == 1;
    checkOnEntry_ = file_.checkCustomerExistsOnEntry == 1;
    changed_ = false;
    refill(std::nullopt);
    return true;
}

void CustomerWindow::select(std::optional<size_t> row) {
    selection_ = row && *row < rows_.size() ? row : std::nullopt;
}

void CustomerWindow::refill(std::optional<int32_t> selectNumber) {
    const std::optional<size_t> previous = selection_;
    rows_.clear();
    for (const auto& [number, c] : file_.customers)
        rows_.push_back(Row{number, {std::to_string(number), c.name, c.street, c.zipCity}});
    selection_.reset();
    if (selectNumber) {
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].number == *selectNumber) selection_ = i;
    } else if (previous && !rows_.empty()) {
        selection_ = std::min(*previous, rows_.size() - 1);
    }
}

MasterListCommand CustomerWindow::newCustomer() {
    const auto number = createCustomer(file_, std::string(), promptsOf(storage_), dialogs_);
    if (!number) return MasterListCommand::Cancelled;
    changed_ = true;
    refill(number);
    return MasterListCommand::Done;
}

MasterListCommand CustomerWindow::editSelected() {
    if (!selection_) return MasterListCommand::NothingSelected;
    const auto number = editCustomer(file_, rows_[*selection_].number, promptsOf(storage_), dialogs_);
    if (!number) return MasterListCommand::Cancelled;
    changed_ = true;
    save();
    refill(number);
    return MasterListCommand::Done;
}

MasterListCommand CustomerWindow::deleteSelected() {
    if (!selection_) return MasterListCommand::NothingSelected;
    if (!deleteCustomer(file_, rows_[*selection_].number, promptsOf(storage_)))
        return MasterListCommand::Cancelled;
    changed_ = true;
    refill(std::nullopt);
    return MasterListCommand::Done;
}

bool CustomerWindow::save() {
    if (!file_.save(path_, true, storage_)) return false;
    changed_ = false;
    if (list_) list_->takeFrom(file_);
    return true;
}

bool CustomerWindow::saveAndClose() {
    file_.printAddressOnDaySheet = printAddress_ ? 1 : 0;
    file_.checkCustomerExistsOnEntry = checkOnEntry_ ? 1 : 0;
    return save();
}

bool CustomerWindow::mayClose() {
    if (!changed_) return true;
    switch (promptsOf(storage_).askYesNoCancel(kCloseQuestion)) {
    case Answer::Yes:
        return save();
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    }
    return false;
}

} // namespace lorvan
