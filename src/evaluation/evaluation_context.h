#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// What the month evaluation needs from outside the year file: the employment dates of the file's
// person and the year file of the previous year.
namespace lorvan {

class CLorvanDoc;

// Entry and exit of an employee as the employee file records them.
struct Employment {
    Datum entryDate; // empty (year 1) when not recorded
    int32_t hasExit = 0;
    Datum exitDate; // meaningful only with an exit

    // An entry after the day, or an exit before it.
    bool notEmployedOn(const Datum& day) const;
};

// Finds the employment of a person in the employee file.
class EmployeeLookup {
  public:
    virtual ~EmployeeLookup() = default;
    // The record whose name equals the text exactly; nullopt when the file holds no such record, in
    // which case every date counts as outside the employment.
    virtual std::optional<Employment> employmentOf(const std::string& exactName) const = 0;
};

// Opens the year file of the previous year of the same person.
class PreviousYearSource {
  public:
    virtual ~PreviousYearSource() = default;
    // A read-only copy of that file, or nullptr when it is missing or cannot be read.
    virtual std::unique_ptr<CLorvanDoc> previousYear(const CLorvanDoc& document) const = 0;
};

// The previous year's file lies beside the document: the file-name form of the owner's name, the
// previous year and ".azr". A document without a path has none.
class FilePreviousYearSource : public PreviousYearSource {
  public:
    std::unique_ptr<CLorvanDoc> previousYear(const CLorvanDoc& document) const override;
    // The path where the previous year's file of the document would lie; empty without a path.
    static std::string previousYearPath(const CLorvanDoc& document);
};

// Without an employee lookup nobody counts as not employed (there is no employee file at all);
// without a previous-year source January has no carried-in week part.
struct EvaluationContext {
    const EmployeeLookup* employees = nullptr;
    const PreviousYearSource* previousYears = nullptr;
};

} // namespace lorvan
