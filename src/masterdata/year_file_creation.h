#pragma once

#include "yearfile/document_base.h"

#include <cstdint>
#include <string>
#include <string_view>

// Creating or completing the year file of an employee from a template: used by the employee
// import and the year-end closing, and by `lorvan-cli employees create-year-file`.
namespace lorvan {

class CMitarbeiterDoc;
class Clock;
class EmployeeLookup;

struct YearFileRequest {
    int32_t year = 0;
    // A file name in the data directory; empty: the employee's year file of the year before. A name
    // with "/", "\" or ".." is no file of the data directory and counts as missing.
    std::string templateName;
    // Decimal numbers with a point; an empty text leaves the value as it is.
    std::string accountCarryOver;    // carried-over working-time account (hours)
    std::string remainingVacation;   // remaining vacation of the previous year (days)
    std::string vacationEntitlement; // annual vacation entitlement (days)
    // An existing file is reported in the protocol and gets no values from a template.
    bool reportExisting = false;
};

// Reads a decimal number with a point as decimal separator: leading blanks, a sign, digits, a point
// and digits; reading stops at the first character that cannot belong to the number, and a text
// without a leading number gives 0.
double readDecimalNumber(std::string_view text);

// Creates the employee's year file of the year from the template, or, when it exists, corrects its
// remaining vacation of the previous year and its account carry-over from the template's values at
// the end of December; then sets the given values and saves the file. Every step that does something
// worth telling appends its line to the protocol; a failure appends the error and "Die Datei für
// Mitarbeiter <name> konnte nicht angelegt werden.\n" and gives false (nothing is saved then). The
// storage context gives the data directory and the prompter of the save's questions; its messages
// go into the protocol instead of being shown. The template's balances are evaluated with the
// employment dates of `employees`; without it "Daten.mar" of the data directory is read for them (a
// batch over many employees passes the file it holds instead of reading it once per employee).
bool createYearFile(const CMitarbeiterDoc& employee, const YearFileRequest& request, std::string& protocol,
                    const StorageContext& storage, const Clock& clock, const EmployeeLookup* employees = nullptr);

} // namespace lorvan
