#pragma once

// Realistic year files for the benchmarks and the profiling driver.
#include "foundation/calendar.h"
#include "foundation/time_text.h"
#include "yearfile/year_file.h"

#include <string>

namespace lorvan::bench {

// A busy year: every day of a leap year with six time lines, two working-time periods and wage
// periods with deviating wages. The name tells the files of a set apart.
inline CLorvanDoc fullYear(const std::string& name = "Anna Schneider") {
    CLorvanDoc doc;
    CEinstArbzt& settings = doc.settings();
    settings.name = name;
    settings.year = 2024;
    settings.wagesInMonthEvaluation = 1;
    settings.wagesAsCostsInCustomerQuery = 1;
    WorkingTimePeriod first;
    first.fromMonth = 1;
    first.lastPeriod = 0;
    WorkingTimePeriod second = first;
    second.fromMonth = 7;
    second.lastPeriod = 1;
    second.hoursByWeekday = {0.0, 6.0, 6.0, 6.0, 6.0, 6.0, 0.0};
    settings.workingTimePeriods = {first, second};
    WagePeriod wages;
    wages.fromMonth = 1;
    wages.lastPeriod = 0;
    wages.hourlyWage = 18.5;
    wages.deviatingHourlyWages = {{"Wartung", 21.0}, {"Notdienst", 30.0}, {"Büroarbeit", 16.0}};
    WagePeriod raised = wages;
    raised.fromMonth = 4;
    raised.lastPeriod = 1;
    raised.hourlyWage = 19.25;
    settings.wagePeriods = {wages, raised};

    const char* customers[] = {"Müller GmbH", "Bäckerei Schulz", "Stadtwerke Nord", "Weber & Söhne"};
    for (int32_t m = 1; m <= 12; ++m) {
        CMonatDoc& month = doc.addMonth(m);
        month.resultsValid = 1;
        month.accountChange = 3.25;
        month.correctionComment = m % 3 == 0 ? "Korrektur laut Abrechnung" : "";
        for (int32_t d = 1; d <= daysInMonth(m, 2024); ++d) {
            CTagDoc& day = month.addDay(d);
            day.reportRemark = d % 5 == 0 ? "Einsatz beim Kunden vor Ort" : "";
            for (int i = 0; i < 6; ++i) {
                CZeitZeile& line = day.addLine();
                line.kind = i == 3 ? kKindBreak : (i % 2 ? kKindWorkingTime : kKindCustomer);
                line.customer = i % 2 ? "" : customers[(d + i) % 4];
                line.from = formatMinutes(420 + i * 90, 1, false);
                line.to = formatMinutes(420 + i * 90 + 80, 1, false);
                line.duration = 80;
                line.updateDurationText();
                line.remark = i == 0 ? "Heizung gewartet, Filter getauscht" : "";
                line.pause = i == 3 ? 80 : 0;
                line.service = i % 2 ? "" : "Wartung";
                line.costKind = kCostPerHour;
                line.costAmount = 45.0;
                line.vehicle = i == 0 ? "B-LV 44" : "";
                line.kilometresDriven = i == 0 ? 23.5 : 0.0;
                line.odometerAfter = i == 0 ? 40000.0 + d * 24 : 0.0;
            }
        }
    }
    return doc;
}

} // namespace lorvan::bench
