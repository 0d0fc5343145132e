#pragma once

#include "output/report_table.h"

#include <cstdint>
#include <optional>

// The year table of a year file ("JAHR"): per month the worked days and how many of them lasted
// under 8, 8 to 13, 14 to 23 and 24 or more full hours, and a row "Summe". Shown in the year view and
// printed in the year evaluation.
namespace lorvan {

class CLorvanDoc;

// Column numbers of the year table.
enum YearTableColumn : int32_t {
    kYearColumnMonth = 1,      // "Monat"
    kYearColumnWorkedDays = 2, // "Arbeitstage"
    kYearColumnUnder8 = 3,     // "Tage < 8 Stunden"
    kYearColumnFrom8 = 4,      // "Tage >= 8 Stunden"
    kYearColumnFrom14 = 5,     // "Tage >= 14 Stunden"
    kYearColumnFrom24 = 6,     // "Tage >= 24 Stunden"
};

// The table "JAHR" for printing, or with forExport the table "EXPORT" for the spreadsheet (every
// column 1.0 wide, the number columns typed as integers). One row per existing month, then "Summe";
// a class column stays empty where it has no day. nullopt for a file without months.
std::optional<CReportTable> yearTable(const CLorvanDoc& file, bool forExport);

} // namespace lorvan
