#pragma once

#include "foundation/datum.h"
#include "logbook/trip_texts.h"
#include "output/page.h"
#include "output/report_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The print of a vehicle's logbook for a period: a page frame with title, period, page number and
// footer, the column headings on every page, three lines per trip (never split across pages), the
// starting position on the first page, the kilometre sums by kind with their shares, and the field for
// date and signature on the last page. The print takes the plain values of the logbook and its trips,
// so it does not depend on how the logbook file is held.
namespace lorvan {

class Prompter;
class Surface;

// One trip as printed, with the values derived from its place in the logbook.
struct PrintTrip {
    int32_t kind = kTripBusiness; // TripKind; any other value prints as private
    bool cancelled = false;       // "Storno"
    std::string driver;
    std::string person;       // "Firma / Person" as typed
    std::string customerName; // the customer found for a customer number in person, else empty
    std::string purpose;
    std::string street;
    std::string place;
    std::string startDate; // "TT.MM.JJJJ"
    std::string startTime; // h:mm or empty
    std::string endDate;
    std::string endTime;
    double kilometres = 0;       // the reading at the end of the trip
    double drivenKilometres = 0; // kilometres - the previous valid trip's reading (or the start reading)
};

// The logbook as the print needs it.
struct LogbookPrintInput {
    std::string plate;
    std::string description; // of the vehicle; may be empty
    int32_t year = 0;
    std::string startStreet;
    std::string startPlace;
    double startKilometres = 0;
    std::vector<PrintTrip> trips; // in logbook order
};

class CTwFahrtenbuchDoc;
// The print input of a logbook: its start values and every trip with its driven kilometres.
LogbookPrintInput logbookPrintInput(const CTwFahrtenbuchDoc& logbook, const std::string& description);

inline constexpr const char* kPrintFromInvalid = "Der Beginn des Drucks ist kein gültiges Datum.";
inline constexpr const char* kPrintToInvalid = "Das Ende des Drucks ist kein gültiges Datum.";
inline constexpr const char* kPrintFromAfterTo = "Der Beginn des Drucks muss vor dem Ende liegen.";

// The names of the tables on a page; "LINE" and "LINE1" stand for rules of width 5 and 1.
inline constexpr const char* kLogbookHeader1 = "HEADER1";
inline constexpr const char* kLogbookHeader2 = "HEADER2";
inline constexpr const char* kLogbookStartTitle = "STARTTITLE";
inline constexpr const char* kLogbookStart = "START";
inline constexpr const char* kLogbookFirstRow = "FIRSTROW";
inline constexpr const char* kLogbookRow = "ROW";
inline constexpr const char* kLogbookRow2 = "ROW2";
inline constexpr const char* kLogbookSums = "Summe";
inline constexpr const char* kLogbookRule = "LINE";
inline constexpr const char* kLogbookThinRule = "LINE1";
inline constexpr const char* kLogbookSignature = "Datum, Unterschrift";
// Whether a table of the layout store stands for a rule ("LINE" or "LINE1").
bool isLogbookRule(const CReportTable& table);

// The pages a print of that many trips is expected to take before it is laid out: 1 up to 9 trips,
// 2 up to 21, then one more for every further 12 started.
int32_t estimatedLogbookPages(size_t trips);

// The driven kilometres of the trips that are not cancelled, by kind.
struct LogbookSums : KindSums {
    double total() const { return business + privateUse + commute + unknown; }
    // The sum's part of the total in percent, rounded half up to two places; 0 for a sum of 0 or less.
    double share(double sum) const;
};
LogbookSums logbookSums(const std::vector<PrintTrip>& trips);

// The texts of the frame.
std::string logbookPrintTitle(const std::string& plate); // "Kfz-Fahrtenbuch für B-XY 123"
std::string logbookPeriodLine(const std::string& from,
                              const std::string& to);  // "vom 01.01.2024 bis 31.12.2024"
std::string logbookFooter(const std::string& version); // "Erstellt mit dem Programm Lorvan 3.14"

// What the print takes from the program: the logo, where its message goes, today's date (printed above
// the signature line) and the program's version (in the footer).
struct LogbookPrintEnvironment {
    // The program settings' logo of this run (cleared when it cannot be printed, see CPage::printLogo);
    // nullptr for none.
    std::string* logoPath = nullptr;
    MessageSink sink;
    Datum today;
    std::string version;
};

// The print state of one logbook window: the period fields, the selection of trips to print and the
// page layout. The selection and the layout are made by the first check and the first page of a print
// and reused by later prints and previews; they are dropped when a period field changes, and the owner
// drops them (tripsChanged) whenever the logbook's trips change, so a print never shows trips as they
// were before an edit.
class LogbookPrint {
  public:
    enum class Field { None, From, To };

    const std::string& from() const { return from_; }
    const std::string& to() const { return to_; }
    // A changed text drops the selection and the layout.
    void setFrom(const std::string& text);
    void setTo(const std::string& text);
    // Drops the selection and the layout.
    void tripsChanged();

    // Before the preview and the print: fills empty fields with 1 January and 31 December of the
    // logbook's year, checks both dates (message and focus on failure) and, while the selection is
    // empty, gathers every trip (cancelled ones too) that starts in the period, in logbook order; with
    // none, "Es sind keine Daten zum Druck vorhanden.". False when the print must not start.
    bool checkPrintRange(const LogbookPrintInput& logbook, Prompter& prompter);
    Field focus() const { return focus_; }

    const std::vector<PrintTrip>& selection() const { return selection_; }
    // The period of the last successful check as printed ("TT.MM.JJJJ"); before one, the logbook's year.
    std::string periodFrom(const LogbookPrintInput& logbook) const;
    std::string periodTo(const LogbookPrintInput& logbook) const;

    // The last page: estimated from the selection until the report is laid out, exact afterwards.
    int32_t pageCount() const;
    bool laidOut() const { return !pages_.empty(); }
    // The layout store: for every page its tables in order (rules as tables named "LINE" / "LINE1").
    const std::vector<std::vector<CReportTable>>& pages() const { return pages_; }
    // Lays the report out on the page's surface (nothing is drawn) unless it is laid out already.
    void layOut(CPage& page, const LogbookPrintInput& logbook, LogbookPrintEnvironment& environment);

    // Draws page number (from 1) onto page, laying the report out first when that has not happened
    // yet. A number beyond the last page draws nothing.
    void printLogbookPage(CPage& page, int32_t number, const LogbookPrintInput& logbook,
                          LogbookPrintEnvironment& environment);

  private:
    struct Frame {
        double contentTop = 0;
        double contentBottom = 0;
        double lineHeight = 0;
    };
    Frame printFrame(CPage& page, int32_t number, const LogbookPrintInput& logbook,
                     LogbookPrintEnvironment& environment) const;

    std::string from_;
    std::string to_;
    Datum periodFrom_;
    Datum periodTo_;
    bool checked_ = false;
    Field focus_ = Field::None;
    std::vector<PrintTrip> selection_;
    std::vector<std::vector<CReportTable>> pages_;
};

// Every page of the print, each framed by the surface's beginPage and endPage.
void printLogbook(Surface& surface, LogbookPrint& print, const LogbookPrintInput& logbook,
                  LogbookPrintEnvironment& environment);

} // namespace lorvan
