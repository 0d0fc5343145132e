#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The list of the dialog "Arbeitszeitkonto": the carry-over, one row per month of the account and
// the balance, with the columns the settings ask for.
namespace lorvan {

class CEinstArbzt;
class CLorvanDoc;
class YearEvaluator;

inline constexpr const char* kCarryOverCorrectionRefused =
    "Der Vortrag des Arbeitszeitkontos kann nur im Arbeitsgebiet 'Extras - Einstellungen der aktuellen "
    "Datei' "
    "korrigiert werden.";
inline constexpr const char* kTotalCorrectionRefused =
    "Die Summe des Arbeitszeitkontos kann nur monatsweise korrigiert werden.";

enum class AccountRowKind { CarryOver, Month, Total };

struct AccountRow {
    AccountRowKind kind = AccountRowKind::Month;
    int32_t month = 0;     // 1-12 for a month row, else 0
    std::string label;     // "Vortrag", the month's name, "Summe"
    double computed = 0.0; // "Berechnet": the month's cached account change
    double surcharge1Hours = 0.0;
    double surcharge2Hours = 0.0;
    double holidayHours = 0.0;
    double sundayHours = 0.0;
    double saturdayHours = 0.0;
    double nightHours = 0.0;
    double correction = 0.0; // "Korrektur"
    double payout = 0.0;     // "Auszahlung": the monthly payout
    double sum = 0.0;        // the month's change after the payout; the carry-over; the balance
    std::string comment;     // "Anmerkung": the correction comment
};

struct AccountList {
    std::vector<std::string> headings;
    std::vector<AccountRow> rows;
    double balance = 0.0; // "Aktueller Stand des Arbeitszeitkontos in Stunden"
};

// "Monat", "Berechnet", the surcharge columns ("Ü-20", "Ü-50", "Ü-F-100", "Ü-So-50", "Ü-Sa-25",
// "Ü-Nacht-25"; only when surcharges are converted into hours, only the kinds that are on),
// "Korrektur", "Auszahlung" (only with the monthly payout), "Summe", "Anmerkung".
std::vector<std::string> accountColumnHeadings(const CEinstArbzt& settings);
// The row's texts under those headings; amounts "%.2f" with a decimal comma, the carry-over only
// when it is not 0.
std::vector<std::string> accountRowCells(const AccountRow& row, const CEinstArbzt& settings);

// Evaluates the months of the account (up to December) and lists them.
AccountList accountList(YearEvaluator& evaluator);

// Why the row cannot be corrected ("Korrigieren..."); nothing for a month row.
std::optional<std::string> correctionRefusal(const AccountRow& row);

// "Arbeitszeitkonto korrigieren" of one month: "Korrektur um" in hours (positive or negative) and
// "Kommentar".
struct AccountCorrection {
    double hours = 0.0;
    std::string comment;
};
// The comment holds at most this many characters; the hours lie within +-kCorrectionHoursLimit.
inline constexpr size_t kCorrectionCommentLength = 100;
inline constexpr double kCorrectionHoursLimit = 99999.99;

// The correction the month holds now; nothing for a month that does not exist.
std::optional<AccountCorrection> accountCorrectionOf(const CLorvanDoc& document, int32_t month);
// Stores the month's correction: the hours rounded to hundredths and kept within the limit, the
// comment cut to its length (whole characters). The month's cached results go out of date and the
// file needs saving. False for a month that does not exist (nothing changes then).
bool storeAccountCorrection(CLorvanDoc& document, int32_t month, const AccountCorrection& correction);

} // namespace lorvan
