#include "reports/year_table.h"

#include "evaluation/year_statistics.h"
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "yearfile/year_file.h"

#include <array>

namespace lorvan {
namespace {

constexpr std::array<const char*, 6> kTitles = {"Monat",
                                                "Arbeitstage",
                                                "Tage < 8 Stunden",
                                                "Tage >= 8 Stunden",
                                                "Tage >= 14 Stunden",
                                                "Tage >= 24 Stunden"};

// The day counts of one month by column; 0 means an empty cell.
struct MonthCounts {
    int32_t worked = 0;
    int32_t under8 = 0;
    int32_t from8 = 0;
    int32_t from14 = 0;
    int32_t from24 = 0;
};

MonthCounts countsOf(const CMonatDoc& month) {
    MonthCounts c;
    int32_t e = dayLengthCounts(month, 0);
    c.worked = e;
    const int32_t f = dayLengthCounts(month, 24);
    if (f < e) {
        c.from24 = e - f;
        e = f;
    }
    const int32_t g = dayLengthCounts(month, 14);
    if (g < e) {
        c.from14 = e - g;
        e = g;
    }
    const int32_t h = dayLengthCounts(month, 8);
    if (h < e) c.from8 = e - h;
    if (h > 0) c.under8 = h;
    return c;
}

void addCount(CReportRow& row, int32_t column, int32_t value) {
    if (value > 0) row.addCell(column, format("%d", value));
}

} // namespace

std::optional<CReportTable> yearTable(const CLorvanDoc& file, bool forExport) {
    if (file.months().empty()) return std::nullopt;

    CReportTable table(forExport ? "EXPORT" : "JAHR");
    if (!forExport) table.left = 0.6;
    for (int32_t number = kYearColumnMonth; number <= kYearColumnFrom24; ++number) {
        const double width = forExport || number != kYearColumnMonth ? 1.0 : 1.5;
        CReportColumn& column = table.addColumn(number, width, kTitles[static_cast<size_t>(number - 1)]);
        if (number == kYearColumnMonth) {
            if (!forExport) column.flags = kTextIndentTitle;
        } else if (forExport) {
            column.valueType = kValueInteger;
        }
    }

    MonthCounts sum;
    for (const auto& [number, month] : file.months()) {
        const MonthCounts c = countsOf(month);
        CReportRow& row = table.addRow();
        row.addCell(kYearColumnMonth, monthName(number));
        row.addCell(kYearColumnWorkedDays, format("%d", c.worked));
        addCount(row, kYearColumnUnder8, c.under8);
        addCount(row, kYearColumnFrom8, c.from8);
        addCount(row, kYearColumnFrom14, c.from14);
        addCount(row, kYearColumnFrom24, c.from24);
        sum.worked += c.worked;
        sum.under8 += c.under8;
        sum.from8 += c.from8;
        sum.from14 += c.from14;
        sum.from24 += c.from24;
    }
    CReportRow& total = table.addRow();
    total.addCell(kYearColumnMonth, "Summe");
    total.addCell(kYearColumnWorkedDays, format("%d", sum.worked));
    addCount(total, kYearColumnUnder8, sum.under8);
    addCount(total, kYearColumnFrom8, sum.from8);
    addCount(total, kYearColumnFrom14, sum.from14);
    addCount(total, kYearColumnFrom24, sum.from24);
    return table;
}

} // namespace lorvan
