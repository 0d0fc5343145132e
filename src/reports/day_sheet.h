#pragma once

#include "foundation/datum.h"
#include "output/page.h"
#include "output/report_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The day sheet ("Tageszettel"): the time lines of one day with customers, times, work, pauses and
// remarks, printed on ruled pages to be checked and signed (or filled in by hand), or built as the
// table "EXPORT" for the spreadsheet.
namespace lorvan {

class CLorvanDoc;
class Surface;

// What the day sheet shows of a customer named by its number on a time line.
struct DaySheetCustomer {
    std::string text;  // the name, with address and telephone when the customer file asks for them
    std::string notes; // the notes to be printed (lines separated by "\n"); empty when not printed
};

// Looks up the customer a time line names (served by the customer file).
class DaySheetCustomers {
  public:
    virtual ~DaySheetCustomers() = default;
    // The customer of an entry that starts with a digit and names an existing customer number;
    // nullopt for any other entry.
    virtual std::optional<DaySheetCustomer> customer(const std::string& entry) const = 0;
};

// Where the sheet is printed from: the button "Tageszettel &drucken" of the day entry (date first,
// then the name), or the print commands of the day view (name first, then the date).
enum class DaySheetForm { Entry, View };

// The column numbers of the printed table.
enum DaySheetColumn : int32_t {
    kDaySheetCustomer = 1, // "Kunde"
    kDaySheetTimes = 2,    // "Arbeitszeit von-bis"
    kDaySheetWork = 3,     // "Arbeit"
    kDaySheetPause = 4,    // "Pause"
    kDaySheetRemark = 5,   // "Bemerkungen"
};

// The column numbers of the export table.
enum DaySheetExportColumn : int32_t {
    kDaySheetExportKind = 1,     // "Art"
    kDaySheetExportCustomer = 2, // "Kunde"
    kDaySheetExportService = 3,  // "Dienstleistung"
    kDaySheetExportFrom = 4,     // "Von"
    kDaySheetExportTo = 5,       // "Bis"
    kDaySheetExportWork = 6,     // "Arbeitszeit"
    kDaySheetExportPause = 7,    // "Pause"
    kDaySheetExportRemark = 8,   // "Bemerkungen"
};

struct DaySheet {
    DaySheetForm form = DaySheetForm::Entry;
    Datum date;
    std::string name;             // the file's person
    std::string furtherEmployees; // the day's "+ weitere Mitarbeiter"; empty without
    // "Tageszettel 07.03.2026 - Jörg Weiß": the preview's window, the print job and the PDF.
    std::string documentName;
    // One table per page, each ruled to at least kDaySheetMinimumRows rows.
    std::vector<CReportTable> pages;
};

// A printed page holds a table of at least this many rows, so that a short day leaves ruled lines
// to be filled in by hand.
inline constexpr int32_t kDaySheetMinimumRows = 30;

// The sheet of the date (a date of the file's year; raises a message otherwise). A day without a
// record gives one blank ruled page. customers may be nullptr (every entry as it stands).
DaySheet daySheet(const CLorvanDoc& document, const Datum& date, DaySheetForm form,
                  const DaySheetCustomers* customers);

// The same day as the table "EXPORT"; a day without a record gives a table without rows.
CReportTable daySheetExportTable(const CLorvanDoc& document, const Datum& date,
                                 const DaySheetCustomers* customers);

// The export's sheet name: "07.03.2026 - Jörg Weiß".
std::string daySheetName(const CLorvanDoc& document, const Datum& date);

// A remark broken into lines of at most width characters: pieces ending in a blank, comma, semicolon
// or hyphen are added while they fit; a piece that does not fit is cut at the line end when more than
// half the width is left on the line, else it starts a new line. Line breaks in the text stay.
std::vector<std::string> wrapRemark(std::string_view text, size_t width = 30);

// Prints the pages of the sheet with the header of its form, "Arbeitsbericht geprüft" below the last
// table and, on a sheet of several pages, "Seite n von m" on every page.
void printDaySheet(Surface& surface, const DaySheet& sheet, std::string& logoPath, const MessageSink& sink);

} // namespace lorvan
