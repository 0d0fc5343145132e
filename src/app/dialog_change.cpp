#include "app/dialog_change.h"

#include "platform/prompter.h"

namespace lorvan {

CloseDecision DialogChangeGuard::closeRequest(Prompter& prompter,
                                              const std::function<bool()>& acceptHandler) const {
    if (!changed_) return CloseDecision::Discard;
    switch (prompter.askYesNoCancel(kChangedDataQuestion)) {
    case Answer::Yes:
        return acceptHandler() ? CloseDecision::Accepted : CloseDecision::KeepOpen;
    case Answer::No:
        return CloseDecision::Discard;
    case Answer::Cancel:
        break;
    }
    return CloseDecision::KeepOpen;
}

} // namespace lorvan
