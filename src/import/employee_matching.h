#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// Which employee of "Daten.mar" a line of an import file means.
namespace lorvan {

class CMitarbeiterDoc;
class EmployeeDialogHost;
class EmployeeManagement;
class ProtocolPrompter;

inline constexpr const char* kNoEmployeeFound = "Es wurde kein passender Mitarbeiter gefunden.";
inline constexpr const char* kEmployeeNotCreated = "Der Mitarbeiter konnte nicht angelegt werden.";
inline constexpr const char* kEmployeeNotSaved = "Der Mitarbeiter konnte nicht gespeichert werden.";
inline constexpr const char* kImportAborted = "Der Import wird abgebrochen.";

struct EmployeeMatch {
    enum class Kind {
        Found,   // number is the employee
        Ignored, // the line is skipped without error
        Failed,  // the line has the error in error
        Stop,    // the user wants no import: the whole run ends
    };
    Kind kind = Kind::Failed;
    int32_t number = 0;
    std::string protocol; // the texts of the search for the line's protocol
    std::string error;    // Failed: the error text
    bool warning = false; // protocol holds a warning (a changed department)
};

// Matches the employee texts of a file against the employee file, asking about unknown ones. The
// outcome for a text is kept for the rest of the run (the questions come once per text); creating
// an employee starts afresh, since every later search sees one employee more.
class EmployeeMatcher {
  public:
    // prompter: the one the employee management works with, so that the messages of creating an
    // employee reach the protocol. dialog: "Mitarbeiter bearbeiten" for a new employee; null takes
    // the values as they are, once.
    EmployeeMatcher(EmployeeManagement& employees, ProtocolPrompter& prompter, EmployeeDialogHost* dialog);

    // text: the employee field as written; department: the department the line delivers ("" for
    // none), compared with the stored one of an employee found by personnel number.
    EmployeeMatch match(const std::string& text, const std::string& department);

    const CMitarbeiterDoc& employee(int32_t number) const;

  private:
    EmployeeMatch find(const std::string& text, bool& byNumber);
    EmployeeMatch askAbout(const std::string& text, const std::string& department, std::string protocol);
    EmployeeMatch create(const std::string& text, const std::string& department, std::string protocol);

    EmployeeManagement& employees_;
    ProtocolPrompter& prompter_;
    EmployeeDialogHost* dialog_;
    struct Known {
        EmployeeMatch match;
        bool byNumber = false; // found by its personnel number: the department is compared
    };
    std::unordered_map<std::string, Known> known_;
};

} // namespace lorvan
