#pragma once

#include <string>
#include <vector>

namespace lorvan {

// Starts outside programs.
class ProgramRunner {
  public:
    virtual ~ProgramRunner() = default;
    // Starts the program (command[0]) with its arguments without waiting for it to end. Returns the
    // empty text when it started, else what went wrong.
    virtual std::string start(const std::vector<std::string>& command) = 0;
};

} // namespace lorvan
