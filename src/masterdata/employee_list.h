#pragma once

#include "masterdata/employee.h"
#include "yearfile/document_base.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// The application's cached list of employees: a copy of the records and the ignore list of
// "Daten.mar" in the data directory. Every part of the program except the employee window reads
// employees through it.
namespace lorvan {

inline constexpr const char* kFillEmployeeListError =
    "Interner Fehler: Fehlerhafter Aufruf des Füllens der Mitarbeiterliste";
inline constexpr const char* kLoadEmployeesError = "Fehler beim Laden der Mitarbeiter";

class EmployeeList final : public EmployeeNames {
  public:
    explicit EmployeeList(std::string dataDirectory = std::string());

    // Another data directory: the list is emptied (a hold ends too).
    void setDataDirectory(std::string dataDirectory);
    const std::string& dataDirectory() const { return dataDirectory_; }

    // Before each use: the list is emptied and filled from the file again, unless it is held and
    // filled. A missing file gives an empty list. A file that cannot be read raises "Fehler beim
    // Laden der Mitarbeiter: " + the reason (without a reason: "Fehler beim Laden der Mitarbeiter");
    // the list then stays empty.
    void ensureLoaded() const;
    // Fills the empty list from the file (load errors as above). A list that still holds employees
    // is an internal error (kFillEmployeeListError) unless it is held, when it is used as it is.
    void fill() const;
    // Empties the list; its next use reads the file (the employee file was saved).
    void discard();

    // While held (for a batch), a filled list is used as it is and not read again.
    void hold() { held_ = true; }
    void release() { held_ = false; }
    bool held() const { return held_; }

    // The records in ascending number order. The reference holds until the next use of the list,
    // which may read the file anew: keep a copy for longer.
    const std::map<int32_t, CMitarbeiterDoc>& all() const;
    size_t count() const { return all().size(); }

    std::optional<CMitarbeiterDoc> findByNumber(int32_t number) const;
    // Some employee's name equals the text exactly (byte-wise).
    bool nameExists(std::string_view name) const;
    // In number order, the first name that equals the text or, with byForm, whose file-name form
    // equals it; the empty text when there is none. Serves the year file names.
    std::string findByName(std::string_view text, bool byForm) const override;
    // The employee whose display text ("%ld - %s") equals the text.
    std::optional<CMitarbeiterDoc> findByDisplayText(std::string_view text) const;

    // The person is on the import ignore list.
    bool isIgnored(std::string_view person) const;
    // Puts the person on the ignore list of "Daten.mar" and saves the file at once (with the change
    // check of every save); false when the file could not be read or saved (the message shown). The
    // list is read again at its next use.
    bool addIgnored(std::string_view person, const StorageContext& context);

  private:
    void load() const;

    std::string dataDirectory_;
    bool held_ = false;
    mutable bool loaded_ = false;
    mutable std::map<int32_t, CMitarbeiterDoc> employees_;
    mutable std::string ignoreList_;
};

// Holds the list for the lifetime of the object (a batch over many year files).
class EmployeeListHold {
  public:
    explicit EmployeeListHold(EmployeeList& list) : list_(list), wasHeld_(list.held()) { list_.hold(); }
    ~EmployeeListHold() {
        if (!wasHeld_) list_.release();
    }
    EmployeeListHold(const EmployeeListHold&) = delete;
    EmployeeListHold& operator=(const EmployeeListHold&) = delete;

  private:
    EmployeeList& list_;
    bool wasHeld_;
};

} // namespace lorvan
