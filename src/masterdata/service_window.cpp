#include "masterdata/service_window.h"

#include "foundation/file_system.h"
#include "foundation/number_text.h"
#include "masterdata/service_flows.h"
#include "masterdata/service_list.h"
#include "platform/prompter.h"

#include <algorithm>

namespace lorvan {

ServiceWindow::ServiceWindow(std::string path, const StorageContext& storage, ServiceDialogRunner& dialogs,
                             ServiceList* list)
    : path_(std::move(path)), storage_(storage), dialogs_(dialogs), list_(list) {}

bool ServiceWindow::open() {
    if (fileExists(path_)) {
        if (!file_.open(path_, storage_)) return false;
        if (list_) list_->takeFrom(file_);
    }
    changed_ = false;
    refill(std::nullopt);
    return true;
}

void ServiceWindow::select(std::optional<size_t> row) {
    selection_ = row && *row < rows_.size() ? row : std::nullopt;
}

void ServiceWindow::refill(const std::optional<std::string>& selectName) {
    const std::optional<size_t> previous = selection_;
    rows_.clear();
    for (const auto& [name, s] : file_.services)
        rows_.push_back(Row{name, {s.name, s.costKindText(), formatAmount(s.costs)}});
    selection_.reset();
    if (selectName) {
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].name == *selectName) selection_ = i;
    } else if (previous && !rows_.empty()) {
        selection_ = std::min(*previous, rows_.size() - 1);
    }
}

MasterListCommand ServiceWindow::newService() {
    const auto name = createService(file_, CDienstlDoc(), promptsOf(storage_), dialogs_);
    if (!name) return MasterListCommand::Cancelled;
    changed_ = true;
    refill(name);
    return MasterListCommand::Done;
}

MasterListCommand ServiceWindow::editSelected() {
    if (!selection_) return MasterListCommand::NothingSelected;
    const auto name = editService(file_, rows_[*selection_].name, promptsOf(storage_), dialogs_);
    if (!name) return MasterListCommand::Cancelled;
    changed_ = true;
    save();
    refill(name);
    return MasterListCommand::Done;
}

MasterListCommand ServiceWindow::deleteSelected() {
    if (!selection_) return MasterListCommand::NothingSelected;
    if (!deleteService(file_, rows_[*selection_].name, promptsOf(storage_)))
        return MasterListCommand::Cancelled;
    changed_ = true;
    refill(std::nullopt);
    return MasterListCommand::Done;
}

bool ServiceWindow::save() {
    if (!file_.save(path_, true, storage_)) return false;
    changed_ = false;
    if (list_) list_->takeFrom(file_);
    return true;
}

bool ServiceWindow::saveAndClose() {
    return save();
}

bool ServiceWindow::mayClose() {
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
