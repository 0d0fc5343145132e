#include "app/command_table.h"

#include <stdexcept>

namespace lorvan {

void CommandTable::add(MenuCommand command, CommandHandler handler) {
    if (!handler.run) throw std::logic_error("a command handler needs something to run");
    if (!handlers_.emplace(command, std::move(handler)).second)
        throw std::logic_error("the command has a handler already");
}

bool CommandTable::isEnabled(MenuCommand command) const {
    const auto found = handlers_.find(command);
    if (found == handlers_.end()) return false;
    return !found->second.enabled || found->second.enabled();
}

bool CommandTable::run(MenuCommand command) const {
    if (!isEnabled(command)) return false;
    // A copy: it stays alive whatever the table does while it runs.
    const std::function<void()> action = handlers_.at(command).run;
    action();
    return true;
}

} // namespace lorvan
