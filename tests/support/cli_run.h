#pragma once

#include <string>

namespace lorvan::test {

// What a run of lorvan-cli gave.
struct CliRun {
    int status = -1; // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a shell command line (lorvan-cli with its arguments, already quoted) with standard output and
// standard error caught in files of the folder; input, when given, is the file for standard input.
CliRun runCommand(const std::string& command, const std::string& folder, const std::string& input = "");

} // namespace lorvan::test
