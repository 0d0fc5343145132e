#pragma once

#include <stdexcept>
#include <string>

namespace lorvan {

// A failure that carries its German message text, caught where it can be reported.
class LorvanError : public std::runtime_error {
public:
    explicit LorvanError(const std::string& message) : std::runtime_error(message) {}
};

// Reading past the end of a data file (truncated or corrupt file).
class EndOfFileError : public LorvanError {
public:
    explicit EndOfFileError(const std::string& fileName);
};

// A file that a newer version of the program wrote.
class NewerVersionError : public LorvanError {
public:
    NewerVersionError();
};

inline constexpr const char* kNewerVersionMessage =
    "Diese Datei wurde mit einer neueren Version der Anwendung gespeichert und kann deshalb mit dieser "
    "Version nicht mehr geladen werden.";

inline constexpr const char* kPointerNotSet = "Zeiger nicht besetzt";

} // namespace lorvan
