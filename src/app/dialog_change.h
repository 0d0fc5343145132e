#pragma once

#include <functional>

// The changed-data rule of the dialogs that ask before they drop edits: every edit sets the changed
// flag; cancelling or closing a changed dialog asks whether the changes are to be saved.
namespace lorvan {

class Prompter;

inline constexpr const char* kChangedDataQuestion =
    "Es wurden Daten geändert.\nSollen die Änderungen gespeichert werden?";

// How a request to cancel or close the dialog ends.
enum class CloseDecision {
    KeepOpen, // the question was cancelled, or the OK handling refused the data
    Discard,  // close without taking the data (no changes, or the answer No)
    Accepted, // the answer Yes and the OK handling took the data
};

class DialogChangeGuard {
  public:
    void markChanged() { changed_ = true; }
    // After the dialog filled its fields or took the data: nothing is pending any more.
    void clearChanged() { changed_ = false; }
    bool changed() const { return changed_; }

    // Cancel or closing: without changes the dialog closes at once; otherwise the question decides.
    // Yes runs acceptHandler (the dialog's OK handling with its checks) and keeps the dialog open
    // when it returns false.
    CloseDecision closeRequest(Prompter& prompter, const std::function<bool()>& acceptHandler) const;

  private:
    bool changed_ = false;
};

} // namespace lorvan
