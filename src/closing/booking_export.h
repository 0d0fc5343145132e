#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The booking export for payroll: the booking file (one line per employee and wage type with the hours
// of account payouts and surcharges), the calendar file (one line per vacation or sick day) and the
// year-end closing that creates or corrects the next year's files; the dialog "Buchungsexport" as a
// model.
namespace lorvan {

class Clock;
class MonthCollection;
class Prompter;
class UserStore;
struct CollectedMonth;
struct StorageContext;

// Section of the per-user store that keeps the choices of the month closing.
inline constexpr const char* kClosingSection = "Monatsabschluss";

inline constexpr const char* kNoBookings = "Es sind keine Buchungen vorhanden.";
inline constexpr const char* kNoData = "Es sind keine Daten vorhanden.";
inline constexpr const char* kYearEndProblems = "Es gab Probleme beim Anlegen der neuen Arbeitszeitdateien:\n";

// The first line of both files: consultant, client and accounting date joined with ";", and "\n".
std::string bookingHeaderLine(const std::string& consultant, const std::string& client,
                              const std::string& accountingDate);

// Appends the booking lines of the month ("17;200;1,50\n"), in their fixed order, to out and returns
// their number. A wage type with ";" is written as it is and named in warnings (it splits its line's
// fields); one with a line break would forge lines of its own and raises a LorvanError instead.
int32_t writeBookings(std::string& out, const CollectedMonth& month, std::vector<std::string>& warnings);

// Appends the calendar lines of the month's vacation and sick days ("17;05.03.2024;U;8.00\n") and
// returns their number. Raises the missing-settings text for such a day without working-time period.
int32_t writeCalendarDays(std::string& out, const CollectedMonth& month);

// The year-end closing into year Y: for every chosen employee who has not left before 1 January of Y,
// the year file of Y is created from the one of Y - 1, or its carry-overs are corrected; the lines of
// every step go to protocol. False when at least one file could not be created.
bool closeYear(const MonthCollection& collection, int32_t year, std::string& protocol,
               const StorageContext& storage, const Clock& clock);

// The fields of the dialog, in its order.
enum class BookingField { None, Consultant, Client, AccountingDate, BookingFile, CalendarFile, YearEnd, ProtocolFile };

struct BookingExportValues {
    std::string consultant;     // "Beraternummer"
    std::string client;         // "Mandantennummer"
    std::string accountingDate; // "Abrechnungsdatum", "03/2024"
    std::string bookingFile;    // "Buchungsdatei"
    std::string calendarFile;   // "Kalenderdatendatei"
    bool yearEnd = false;       // "Jahresabschluss - Beschäftigte Mitarbeiter und Vorträge in neues Jahr übertragen"
    std::string protocolFile;   // "Protokoll Jahresabschluss"
};

// "Buchungsexport": the values come from the per-user store (the accounting date from the chosen
// month); ok() checks them, stores them and writes the files.
class BookingExportForm {
  public:
    BookingExportForm(const MonthCollection& collection, std::string dataDirectory, UserStore& store,
                      Prompter& prompter, const Clock& clock);

    BookingExportValues values;

    // OK of the dialog: true when the dialog closes with OK (the month closing then advances); false
    // when it stays open, with focus() on the field to correct where a check failed.
    bool ok();
    BookingField focus() const { return focus_; }

    // What the last ok() wrote: the counts of booking and calendar lines (-1: not written).
    int32_t bookingCount() const { return bookingCount_; }
    int32_t calendarCount() const { return calendarCount_; }
    // Notes for the protocol window: the files the collection skipped or read once for two employees,
    // and values written with a ";" inside. Empty when there is nothing to note.
    const std::string& notes() const { return notes_; }

  private:
    bool refuse(const std::string& message, BookingField field);
    bool checkValues();
    void storeValues();
    bool writeBookingFile();
    bool writeCalendarFile();
    bool runYearEnd();

    const MonthCollection& collection_;
    std::string dataDirectory_;
    UserStore& store_;
    Prompter& prompter_;
    const Clock& clock_;
    BookingField focus_ = BookingField::None;
    int32_t bookingCount_ = -1;
    int32_t calendarCount_ = -1;
    std::string notes_;
};

} // namespace lorvan
