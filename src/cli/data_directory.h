#pragma once

#include "cli/commands.h"

#include <string>

namespace lorvan {
class UserStore;
}

namespace lorvan::cli {

// The data directory of every command: --data when given; else the per-user store's "DataPath"
// when it names an existing directory (the one the desktop program works on); else none (empty).
std::string findDataDirectory(const std::string& dataOption, const UserStore& store);

// Sets options.dataDirectory by that rule and reads Lorvan.ini of it into options.settings (as the
// program does at start-up), so that commands that change working times can ask the month-closing
// rule. Without a data directory the settings keep their defaults.
void prepareDataDirectory(Options& options, const UserStore& store);

} // namespace lorvan::cli
