#include "gui/event_loop_failure.h"

#include "platform/prompter.h"

#include <string>

namespace lorvan {

bool reportEventLoopFailure(std::exception_ptr failure, Prompter& prompter,
                            const std::function<void()>& closeDocuments) {
    if (closeDocuments) closeDocuments();
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& known) {
        std::string text = known.what();
        if (text.size() > 1000) text.resize(1000);
        prompter.error("Interner Fehler: " + text);
        return true;
    } catch (...) {
        prompter.error("Interner Fehler");
        return false;
    }
}

} // namespace lorvan
