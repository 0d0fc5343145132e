#pragma once

#include "foundation/datum.h"
#include "reports/report_inputs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The customer query ("Kundenabfrage"): working time, and optionally its costs, summed over the year
// files of all employees in the data directory, grouped by up to four levels chosen from customer,
// service, day, employee and the single from-to entry.
namespace lorvan {

class CTwKundenDoc;
class CTwMaDoc;
class CZeitZeile;
class Prompter;
struct CustomerQuerySettings;

// The level names, as the choice lists show them and the settings store them.
inline constexpr const char* kLevelCustomer = "Kunde";
inline constexpr const char* kLevelService = "Dienstleistung";
inline constexpr const char* kLevelDay = "Tag";
inline constexpr const char* kLevelEmployee = "Mitarbeiter";
inline constexpr const char* kLevelFromTo = "Arbeitszeit (Von-Bis)";
inline constexpr const char* kLevelNone = "Keine weitere Ebene";
inline constexpr std::array<const char*, 6> kQueryLevelNames = {kLevelCustomer, kLevelService, kLevelDay,
                                                                kLevelEmployee, kLevelFromTo,   kLevelNone};
inline constexpr int32_t kQueryLevelCount = 4;

// The period choices of the page "Zeitraum auswählen".
enum PeriodChoice : int32_t {
    kPeriodAll = 0,
    kPeriodCurrentYear = 1,
    kPeriodLastYear = 2,
    kPeriodCurrentMonth = 3,
    kPeriodLastMonth = 4,
    kPeriodOwn = 5,
};

inline constexpr const char* kPeriodOrderMessage = "Der Beginn des Zeitraums muss vor dem Ende liegen.";
inline constexpr const char* kEvaluationFailedMessage = "Es ist ein Fehler beim Zusammenstellen der Daten aufgetreten.\n\n";

struct QueryPeriod {
    int32_t choice = kPeriodAll;
    Datum start; // the own period, both days included
    Datum end;
    Datum today;

    // Whether the year (month 0: the whole year), the month of the year (day 0: the whole month) or
    // the day lies in the period, overlapping it for a year or a month.
    bool passes(int32_t year, int32_t month = 0, int32_t day = 0) const;
    // Year and month of the last month: December of the previous year in January.
    Datum lastMonth() const;
    // "Gesamt" for everything; the year; "%ld.%ld" for the current month, "%02ld.%ld" for the last
    // month; the own period's start, or start " - " end when they differ.
    std::string summaryText() const;
    // The same for the title: nothing for everything.
    std::string titleText() const;
};

// The six entries of the period choice list for today, with their blanks.
std::vector<std::string> periodChoiceTexts(const Datum& today);

struct QueryLevel {
    std::string name = kLevelNone;
    bool showSum = false; // "Summe ausweisen"
};

// Everything a run of the query uses.
struct QueryChoices {
    QueryPeriod period;
    bool allEmployees = true;
    std::vector<std::string> employees; // names of the employees selected individually
    bool allCustomers = true;
    std::vector<std::string> customers; // customer texts as evaluations show them
    bool allServices = true;
    std::vector<std::string> services;
    bool onlyServicesWithCustomer = true; // "Nur Dienstleistungen bei eingetragenem Kunden berücksichtigen"
    std::array<QueryLevel, kQueryLevelCount> levels;
    bool showCosts = false;
    int32_t pageBreak = 0; // 0 when the page is full, 1 after level 1, 2 after level 2

    // The position of the last level that is not "Keine weitere Ebene", at least 1.
    int32_t levelCount() const;
    // Level 1 to 4; beyond 4 "Keine weitere Ebene" with its sum flag set.
    std::string levelName(int32_t level) const;
    bool levelSum(int32_t level) const;
    // The names of the levels in use joined with "/".
    std::string structureText() const;

    // The stored choices (selections are not stored: they start empty).
    static QueryChoices fromSettings(const CustomerQuerySettings& settings, const Datum& today);
    // Period, flags, levels, sums, costs and page break into the stored settings.
    void storeInto(CustomerQuerySettings& settings) const;
};

// Where the query reads: the year files of the data directory, the employees of "Daten.mar" (whose
// names admit the year files with "Alle Mitarbeiter") and the customers of "Daten.kd" (customer
// numbers shown with the customer's current name).
struct QuerySource {
    std::string dataDirectory;
    const CTwMaDoc* employees = nullptr;   // none: no year file takes part with "Alle Mitarbeiter"
    const CTwKundenDoc* customers = nullptr; // none: customer entries stand as they are
};

// A line's customer text as evaluations show it: for a line of kind "Kunde" whose entry begins with
// a digit and names an existing customer by the number before its first "-", "%ld - " and that
// customer's current name; the entry as it stands for another line of kind "Kunde"; empty for every
// other kind.
std::string queryCustomerText(std::string_view kind, std::string_view entry, const CTwKundenDoc* customers);
std::string queryCustomerText(const CZeitZeile& line, const CTwKundenDoc* customers);

// The customer texts of the lines taking part, each once, in ascending byte-wise order.
std::vector<std::string> possibleCustomers(const QuerySource& source, const QueryChoices& choices,
                                           std::vector<std::string>* skippedFiles = nullptr);
// The services of the lines taking part; with onlyServicesWithCustomer only those of lines with a
// customer that the customer selection accepts.
std::vector<std::string> possibleServices(const QuerySource& source, const QueryChoices& choices,
                                          std::vector<std::string>* skippedFiles = nullptr);

// A node of the result: the root (depth 0) and one node per key on each level.
struct QueryNode {
    int32_t depth = 0;
    std::string level;    // the level of the children
    bool showSum = false; // "Summe ausweisen" of the node's own level; the root has none
    std::string key;      // orders the children, byte-wise
    std::string display;
    std::vector<QueryNode> children; // ascending key
    int32_t minutes = 0;             // durations as stored, pauses included
    double costs = 0.0;

    bool hasChildren() const { return !children.empty(); }
    // The child with that key, created with the given values when missing. While the tree is built
    // new children are appended; sortChildren puts them in key order at the end.
    QueryNode& child(std::string_view key, std::string_view display, const std::string& childLevel,
                     bool childSum);
    // The children of this node and of every node below in ascending byte-wise key order.
    void sortChildren();

  private:
    // A hash and a comparison of short texts, in words of bytes (customer_query.cpp).
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view key) const;
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    // key -> position in children while building
    std::unordered_map<std::string, size_t, KeyHash, KeyEqual> childIndex_;
    size_t lastChild_ = SIZE_MAX; // the child found last while building
};

struct QueryResult {
    QueryNode root;
    std::vector<std::string> skippedFiles; // year files that could not be read

    bool hasData() const { return root.hasChildren(); }
};

inline constexpr const char* kNoDataMessage = kNoDataToPrint;

// The cost question after a year file whose settings do not allow wages as costs.
std::string wageCostsQuestion(const std::string& employee, int32_t year);

// Builds the result tree. Nothing when the user answered No to the cost question (nothing more is
// said) or when building failed (the message with the cause was shown).
std::optional<QueryResult> evaluateQuery(const QuerySource& source, const QueryChoices& choices,
                                         Prompter& prompter);

// "%1.2ld:%2.2ld" of hours and minutes, with " h" in print; empty for 0 minutes.
std::string queryMinutesText(int32_t minutes, bool print);
// The amount with a decimal comma, with " EUR" in print; empty for 0 or less.
std::string queryCostText(double costs, bool print);

// The summaries of the finish page and the title.
struct QuerySummary {
    std::string period;
    std::string structure;
    std::string employees;
    std::string customers;
    std::string services;
    std::string title;
};
// The selection counts as all when it holds every possible entry and at least two; possible gives
// how many entries there were to choose from.
struct PossibleCounts {
    size_t employees = 0;
    size_t customers = 0;
    size_t services = 0;
};
QuerySummary querySummary(const QueryChoices& choices, const PossibleCounts& possible);

} // namespace lorvan
