#pragma once

#include <string>

namespace lorvan {

// The refusal when a window on the file stays open (a changed window whose own save question was
// answered with Cancel).
inline constexpr const char* kWindowsNotClosedStart = "Es konnten nicht alle Fenster für ";
inline constexpr const char* kWindowsNotClosedEnd =
    " geschlossen werden.\nDie Verarbeitung wird abgebrochen.";

inline std::string windowsNotClosedMessage(const std::string& path) {
    return kWindowsNotClosedStart + path + kWindowsNotClosedEnd;
}

// The open windows of the program, as far as the master-data work needs them; the desktop serves
// it. A flow that rewrites a file closes that file's windows first, so that no window keeps an
// older copy that it could save over the new state later.
class OpenDocuments {
  public:
    virtual ~OpenDocuments() = default;
    // Asks every window of every open document of the path (compared without regard to case) to
    // close; a changed window asks its own save question first. False when a document of the path
    // is still open afterwards; windowsNotClosedMessage(path) has then been shown.
    virtual bool closeWindowsOf(const std::string& path) = 0;
};

} // namespace lorvan
