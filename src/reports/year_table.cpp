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

    MonthCounts& operator+=(const MonthCounts& other) {
        worked += other.worked;
        under8 += other.under8;
        from8 += other.from8;
        from14 += other.from14;
        from24 += other.from24;
        return *this;
    }
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

void addCountsRow(CReportTable& table, const std::string& label, const MonthCounts& c) {
    CReportRow& row = table.addRow();
    row.addCell(kYearColumnMonth, label);
    row.addCell(kYearColumnWorkedDays, format("%d", c.worked));
    addCount(row, kYearColumnUnder8, c.under8);
    addCount(row, kYearColumnFrom8, c.from8);
    addCount(row, kYearColumnFrom14, c.from14);
    addCount(row, kYearColumnFrom24, c.from24);
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
        addCountsRow(table, monthName(number), c);
        sum += c;
    }
    addCountsRow(table, "Summe", sum);
    return table;
}

} // namespace lorvan
