#include "evaluation/month_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/time_text.h"
#include "yearfile/year_file.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lorvan;

// A full year: every working day (Monday to Friday) with four time lines and a pause line, every
// fourth Saturday with an evening shift into the night, account with surcharges converted into
// hours, the Saturday surcharge and the monthly payout on.
CLorvanDoc busyYear() {
    CLorvanDoc doc;
    CEinstArbzt& s = doc.settings();
    s.name = "Anna Schneider";
    s.year = 2024;
    s.keepWorkingTimeAccount = 1;
    s.convertSurchargesIntoHours = 1;
    s.saturdaySurchargeOn = 1;
    s.saturdayBegin = "13:00";
    s.saturdayEnd = "21:00";
    s.saturdayPercent = 25.0;
    s.monthlyPayoutOn = 1;
    s.monthlyPayoutThreshold = 20.0;
    struct Line {
        const char* kind;
        const char* from;
        const char* to;
        int32_t pause;
    };
    const Line weekday[] = {{kKindCustomer, "7:00", "9:30", 0},
                            {kKindTravel, "9:30", "10:00", 0},
                            {kKindCustomer, "10:00", "12:00", 0},
                            {kKindBreak, "12:00", "12:30", 30},
                            {kKindOffice, "12:30", "16:15", 0}};
    const Line saturday[] = {{kKindCustomer, "14:00", "18:00", 0}, {kKindCustomer, "18:00", "23:30", 30}};
    for (int32_t m = 1; m <= 12; ++m) {
        CMonatDoc& month = doc.addMonth(m);
        for (int32_t d = 1; d <= daysInMonth(m, s.year); ++d) {
            const int32_t w = weekdayCalendar(Datum{d, m, s.year});
            const bool worksSaturday = w == 7 && d % 4 == 0;
            if (w == 1 || (w == 7 && !worksSaturday)) continue;
            CTagDoc& day = month.addDay(d);
            auto add = [&](const Line& l) {
                CZeitZeile& line = day.addLine();
                line.kind = l.kind;
                line.customer = l.kind == kKindCustomer ? "Müller GmbH" : "";
                line.from = l.from;
                line.to = l.to;
                line.duration = parseClock(spanText(l.from, l.to));
                line.pause = l.pause;
            };
            if (worksSaturday)
                for (const Line& l : saturday)
                    add(l);
            else
                for (const Line& l : weekday)
                    add(l);
        }
    }
    return doc;
}

void BM_EvaluateTwelveMonthsCold(benchmark::State& state) {
    CLorvanDoc doc = busyYear();
    const EvaluationContext context;
    for (auto _ : state) {
        doc.resetFromMonth(1);
        YearEvaluator evaluator(doc, context);
        for (int32_t m = 1; m <= 12; ++m)
            benchmark::DoNotOptimize(&evaluator.evaluate(m));
    }
}
BENCHMARK(BM_EvaluateTwelveMonthsCold)->Unit(benchmark::kMicrosecond);

void BM_AccountBalanceDecemberCold(benchmark::State& state) {
    CLorvanDoc doc = busyYear();
    const EvaluationContext context;
    for (auto _ : state) {
        doc.resetFromMonth(1);
        YearEvaluator evaluator(doc, context);
        double payout = 0.0;
        benchmark::DoNotOptimize(evaluator.accountBalance(12, &payout));
    }
}
BENCHMARK(BM_AccountBalanceDecemberCold)->Unit(benchmark::kMicrosecond);

} // namespace
