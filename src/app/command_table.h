#pragma once

#include "app/menu_table.h"

#include <functional>
#include <map>

namespace lorvan {

// What a menu command does, and when it can be chosen.
struct CommandHandler {
    std::function<void()> run;
    // Whether the command can be chosen now; without it, always.
    std::function<bool()> enabled;
};

// The commands of the main window. The windows of each subsystem register the handlers of the
// commands they serve; a command without a handler is not built and stays disabled.
class CommandTable {
  public:
    // A command has exactly one handler: a second registration raises std::logic_error.
    void add(MenuCommand command, CommandHandler handler);
    void add(MenuCommand command, std::function<void()> run, std::function<bool()> enabled = {}) {
        add(command, CommandHandler{std::move(run), std::move(enabled)});
    }
    bool has(MenuCommand command) const { return handlers_.count(command) != 0; }
    bool isEnabled(MenuCommand command) const;
    // Runs the handler when the command is enabled. False when it has none or is disabled.
    bool run(MenuCommand command) const;

  private:
    std::map<MenuCommand, CommandHandler> handlers_;
};

} // namespace lorvan
