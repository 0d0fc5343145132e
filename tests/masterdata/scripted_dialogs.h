#pragma once

#include "masterdata/customer_dialog.h"
#include "masterdata/open_documents.h"
#include "masterdata/service_dialog.h"
#include "platform/prompter.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lorvan::test {

// Plays a dialog from a script: each step edits the fields and presses OK (the dialog's own checks
// decide whether it closes; a refusal leaves it open for the next step) or presses Cancel. Records
// what the dialog showed each time it opened and the fields that refusals focused.
template <class Dialog, class Field, class Runner> class ScriptedDialogs : public Runner {
  public:
    using Edit = std::function<void(Dialog&)>;

    explicit ScriptedDialogs(Prompter& prompter) : prompter_(prompter) {}

    void ok(Edit edit = {}) { steps_.push_back({std::move(edit), false}); }
    void cancel() { steps_.push_back({{}, true}); }

    bool run(Dialog& dialog) override {
        opened.push_back(dialog);
        for (;;) {
            if (steps_.empty()) throw std::logic_error("the dialog opened once more than the script expects");
            Step step = std::move(steps_.front());
            steps_.pop_front();
            if (step.cancel) return false;
            if (step.edit) step.edit(dialog);
            const Field focus = dialog.confirm(prompter_);
            if (focus == Field::None) return true;
            refusedFocus.push_back(focus);
        }
    }

    bool allPlayed() const { return steps_.empty(); }

    std::vector<Dialog> opened;      // the dialog as it opened, each time
    std::vector<Field> refusedFocus; // the focus of each refused OK

  private:
    struct Step {
        Edit edit;
        bool cancel = false;
    };
    Prompter& prompter_;
    std::deque<Step> steps_;
};

using ScriptedCustomerDialogs = ScriptedDialogs<CustomerDialog, CustomerField, CustomerDialogRunner>;
using ScriptedServiceDialogs = ScriptedDialogs<ServiceDialog, ServiceField, ServiceDialogRunner>;

// The desktop's open windows: each request is recorded, runs what the test gives (a window that
// saves its own changes when asked), and is answered as the test says.
class FakeOpenDocuments : public OpenDocuments {
  public:
    bool closeWindowsOf(const std::string& path) override {
        requests.push_back(path);
        if (onClose) onClose();
        return closes;
    }

    bool closes = true;
    Prompter* prompter = nullptr;
    std::function<void()> onClose;
    std::vector<std::string> requests;
};

} // namespace lorvan::test
