#pragma once

#include "evaluation/evaluation_context.h"
#include "masterdata/employee.h"
#include "yearfile/year_file.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the month closing works on: the chosen month, the chosen employees and, read from their year
// files of that year, the month list (the chosen month of every employee whose file holds it) and the
// year-to-date list (every month of those files up to the chosen month). The files are read whole
// once and kept, read-only, for the lists, the prints and the exports.
namespace lorvan {

class Clock;
class EmployeeFileLookup;
class YearEvaluator;

// The period choices of the first page, in list order.
enum class ClosingPeriod : int32_t { LastMonth = 0, CurrentMonth = 1, EnteredMonth = 2 };
// How the employees are chosen: all, individually, or by department.
enum class ClosingSelection { All, Employees, Departments };

struct ClosingMonthChoice {
    int32_t month = 0;
    int32_t year = 0;
    friend bool operator==(const ClosingMonthChoice&, const ClosingMonthChoice&) = default;
};

// The month before the current one (December of the previous year in January) and the current one.
ClosingMonthChoice lastMonthOf(const Datum& today);
ClosingMonthChoice currentMonthOf(const Datum& today);
// A typed month "MM.JJJJ" (read as the date "1." + text); nothing for an empty text, a text without a
// month ("2024") or no valid month ("13.2024").
std::optional<ClosingMonthChoice> parseClosingMonthText(const std::string& text);
// "%02ld.%ld": "03.2024".
std::string closingMonthText(const ClosingMonthChoice& month);

// The employees of the month closing in their order: by department (each selected department in
// ascending byte order, its employees by number), individually (the selected numbers in ascending
// order) or all (by number); with onlyActive only active employees, except that individually chosen
// employees are taken as chosen.
std::vector<CMitarbeiterDoc> chooseEmployees(const std::map<int32_t, CMitarbeiterDoc>& employees,
                                             ClosingSelection selection,
                                             const std::vector<std::string>& departments,
                                             const std::vector<int32_t>& numbers, bool onlyActive);

// One employee's year file of the chosen year, read whole.
struct ClosingYearFile {
    std::string path;
    CMitarbeiterDoc employee;
    CLorvanDoc document;
    std::unique_ptr<YearEvaluator> evaluator;

    ClosingYearFile();
    ~ClosingYearFile();
    ClosingYearFile(const ClosingYearFile&) = delete;
    ClosingYearFile& operator=(const ClosingYearFile&) = delete;
};

// A month of the month list or of the year-to-date list.
struct CollectedMonth {
    ClosingYearFile* file = nullptr;
    int32_t month = 0;

    const CMitarbeiterDoc& employee() const { return file->employee; }
    const CLorvanDoc& document() const { return file->document; }
    YearEvaluator& evaluator() const { return *file->evaluator; }
};

// A year file that was left out, and why.
struct SkippedYearFile {
    std::string path;
    std::string employee; // "%ld - %s"
    std::string reason;
};

class MonthCollection {
  public:
    MonthCollection();
    ~MonthCollection();
    MonthCollection(const MonthCollection&) = delete;
    MonthCollection& operator=(const MonthCollection&) = delete;

    ClosingMonthChoice chosen;
    std::vector<CMitarbeiterDoc> chosenEmployees;
    std::vector<std::unique_ptr<ClosingYearFile>> files;
    std::vector<CollectedMonth> monthList;
    std::vector<CollectedMonth> yearToDate;
    std::vector<SkippedYearFile> skipped;
    // Two chosen employees whose names lead to the same year file: the file counts once, for the first.
    std::vector<std::string> clashes;

    // One line per skipped file and per clash, each ending in "\n"; empty when all went well.
    std::string protocol() const;

    EvaluationContext context() const;

  private:
    friend std::unique_ptr<MonthCollection> collectMonths(const std::string&, const std::vector<CMitarbeiterDoc>&,
                                                          ClosingMonthChoice);
    std::unique_ptr<EmployeeFileLookup> lookup_;
    FilePreviousYearSource previousYears_;
};

// "Es sind keine Monatsdaten für die ausgewählten Mitarbeiter vorhanden."
inline constexpr const char* kNoMonthData = "Es sind keine Monatsdaten für die ausgewählten Mitarbeiter vorhanden.";

// Reads the year file of every chosen employee for the chosen year from the data directory. A missing
// file adds nothing; a file that cannot be read is skipped and named in skipped; a file that a
// previous employee's name led to already is read once and named in clashes. The employment dates of
// "Daten.mar" in the directory serve the evaluations (an unreadable "Daten.mar" raises its message).
std::unique_ptr<MonthCollection> collectMonths(const std::string& dataDirectory,
                                               const std::vector<CMitarbeiterDoc>& chosenEmployees,
                                               ClosingMonthChoice chosen);

} // namespace lorvan
