#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lorvan {

// A second start of the program with year files hands them to the program that runs already, over
// a local server of the user. These are the parts of that hand-over that do not need the toolkit.

// The local server's name: a socket in the user's runtime folder when there is one (absolute), else
// a name with the user (name or number) in it so that users of one machine do not meet.
std::string instanceServerName(const std::string& runtimeDirectory, const std::string& user);

// The year files named on the command line, made absolute against the folder the program was started
// in. Switches ("-..." and the build switch) and files of other kinds are left out.
std::vector<std::string> handOverFiles(const std::vector<std::string>& arguments,
                                       const std::string& startDirectory);

// The message the second start sends. Paths with a line break cannot be carried and are left out.
std::string encodeHandOver(const std::vector<std::string>& paths);

// The year files of a received message. Anything else arrives on the socket as well, so only a message
// with the header, of at most kHandOverLimit bytes, is read, and only absolute paths of year files are
// taken from it.
std::vector<std::string> decodeHandOver(const std::string& message);

inline constexpr size_t kHandOverLimit = 64 * 1024;

} // namespace lorvan
