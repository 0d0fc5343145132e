#pragma once

#include "foundation/datum.h"
#include "masterdata/employee.h"
#include "output/report_table.h"
#include "potential/potential_files.h"

#include <cstdint>
#include <string>
#include <vector>

// The weekly potential analysis: per chosen employee and calendar week one row with his master data,
// the week's values from his year files (vacation, sickness, time off, the account, the daily
// deviations, the hourly wage) with the running year values, and what the three evaluation files
// say about him; and the list of the begin and end of work per weekday.
namespace lorvan {

class CEinstArbzt;
class Prompter;
struct DayRow;

// The deviation of a day for the analysis: for a day without status whose code is none of "Frei",
// "NB", "EZ", "KG" and "KI", R x (credited div R) - target with R the overtime rounding (a rounding of
// 0 or less stored in a file counts as 1); credited absence minutes join the credited minutes, or,
// when absences do not affect the account in mode "RA", the target counts 0. Other days: 0.
int32_t potentialDayDeviation(const DayRow& row, const CEinstArbzt& settings);

// What the analysis and the list read: the data directory with "Daten.mar" and the year files, and
// the chosen employees of the month closing in their order.
struct PotentialSource {
    std::string dataDirectory;
    std::vector<CMitarbeiterDoc> employees;
};

// The table "EXPORT" of the analysis over the weeks from..to (32 columns). The files are read by
// their year- and week-dependent names; every problem with them, and a year file that cannot be
// read or evaluated, is reported through the prompter and the table is built with what could be
// read. An employee without year file for a year contributes no rows for it.
CReportTable analyseWeeks(CalendarWeek from, CalendarWeek to, const PotentialFiles& files,
                          const PotentialSource& source, Prompter& prompter);

// The table "EXPORT" of the begin/end list: per employee and calendar week the begin and end of work
// of each weekday (or the day's absence code) and the week's hours, from the start date up to the
// Sunday of the week "to".
CReportTable listWeekTimes(const Datum& start, CalendarWeek to, const PotentialSource& source, Prompter& prompter);

// "%2.2ld.%4.4ld-%2.2ld.%4.4ld am %s": "05.2024-06.2024 am 15.04.2024", the sheet name of both tables.
std::string potentialExportTitle(CalendarWeek from, CalendarWeek to, const Datum& today);

// The table as ";"-separated text, one line per row after a line of the column titles; a cell with
// ";", a double quote or a line break is put in double quotes (a double quote doubled). Lines end in
// "\n", also inside a cell.
std::string reportTableCsv(const CReportTable& table);

} // namespace lorvan
