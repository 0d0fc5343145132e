#include "evaluation/year_statistics.h"

#include "evaluation/day_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/text_encoding.h"
#include "yearfile/year_file.h"

#include <vector>

namespace lorvan {
namespace {

const CEinstArbzt& settingsOf(const CMonatDoc& month) {
    if (month.document() == nullptr) throw LorvanError(kPointerNotSet);
    return month.document()->settings();
}

bool inCalendar(const CTagDoc& day) {
    return day.document() != nullptr && isValidDate(day.date());
}

// "%.1f" with a decimal comma.
std::string daysText(double days) {
    return decimalPointToComma(format("%.1f", days));
}

// "07.03.2026 (Samstag)"
std::string dateWithWeekday(const CTagDoc& day) {
    return formatDateWithWeekday(day.date());
}

struct CountedVacationDay {
    const CTagDoc* day;
    double amount; // 1 or 0.5
};

std::vector<CountedVacationDay> countedVacationDays(const CMonatDoc& month) {
    std::vector<CountedVacationDay> counted;
    const WorkingTimePeriod* period = nullptr;
    for (const auto& [number, day] : month.days()) {
        if (day.dayKind != kVacation && day.dayKind != kHalfVacationDay) continue;
        if (!inCalendar(day)) continue;
        const CEinstArbzt& settings = settingsOf(month);
        if (period == nullptr) period = &settings.periodForMonth(month.number());
        const size_t weekday = static_cast<size_t>(weekdayCalendar(day.date()) - 1);
        const bool fixedDays = period->fixedRegularWorkingDays != 0;
        const bool counts = settings.countVacationOnWeekendsAndHolidays != 0 ||
                            ((!fixedDays || period->hoursByWeekday[weekday] != 0) && day.publicHoliday == 0);
        if (!counts) continue;
        const bool half =
            day.dayKind == kHalfVacationDay || (fixedDays && period->halfDayByWeekday[weekday] != 0);
        counted.push_back({&day, half ? 0.5 : 1.0});
    }
    return counted;
}

// Monday to Friday and not a public holiday.
bool countsAsSickDay(const CTagDoc& day) {
    if (!inCalendar(day) || day.publicHoliday != 0) return false;
    const int32_t weekday = weekdayCalendar(day.date());
    return weekday >= 2 && weekday <= 6;
}

// The sick-day kinds in the order of the texts. The detailed heading of sick pay reads "Krankgengeld":
// the dialog has always shown it so.
struct SickKind {
    int32_t dayKind;
    int32_t SickDayCounts::*count;
    const char* line;     // not detailed, with the month's count
    const char* heading;  // detailed
    const char* yearLine; // year total
};

constexpr SickKind kSickKinds[] = {
    {kSickWithPay, &SickDayCounts::withPay, "mit Lohnfortzahlung\t%d\n", "\nmit Lohnfortzahlung\n",
     "mit Lohnfortzahlung\t%d Tage\n"},
    {kSickWithSickPay, &SickDayCounts::sickPay, "mit Krankengeld\t\t%d\n", "\nmit Krankgengeld\n",
     "mit Krankengeld\t\t%d Tage\n"},
    {kChildSick, &SickDayCounts::childSick, "mit Krankheit Kind\t%d\n", "\nmit Krankheit Kind\n",
     "mit Krankheit Kind\t%d Tage\n"},
    {kParentalLeave, &SickDayCounts::parentalLeave, "mit Elternzeit\t\t%d\n", "\nElternzeit\n",
     "mit Elternzeit\t\t%d Tage\n"},
};

} // namespace

int32_t dayWorkMinutes(const CTagDoc& day) {
    int32_t minutes = 0;
    for (const CArbzt& block : buildBlocks(day, false))
        minutes += block.workMinutes();
    return minutes;
}

int32_t dayLengthCounts(const CMonatDoc& month, int32_t fullHoursBelow) {
    int32_t count = 0;
    for (const auto& [number, day] : month.days()) {
        if (!inCalendar(day)) continue;
        const int32_t minutes = dayWorkMinutes(day);
        if (minutes > 0 && (fullHoursBelow <= 0 || minutes / 60 < fullHoursBelow)) ++count;
    }
    return count;
}

double vacationDays(const CMonatDoc& month) {
    double days = 0.0;
    for (const CountedVacationDay& counted : countedVacationDays(month))
        days += counted.amount;
    return days;
}

double remainingVacation(const CLorvanDoc& file, int32_t month) {
    const CEinstArbzt& settings = file.settings();
    if (settings.manageRemainingVacation == 0) return 0.0;
    double remaining = settings.vacationEntitlement + settings.remainingVacationPreviousYear;
    for (const auto& [number, record] : file.months())
        if (number <= month) remaining -= vacationDays(record);
    return remaining;
}

SickDayCounts& SickDayCounts::operator+=(const SickDayCounts& other) {
    withPay += other.withPay;
    sickPay += other.sickPay;
    childSick += other.childSick;
    parentalLeave += other.parentalLeave;
    return *this;
}

SickDayCounts sickDayCounts(const CMonatDoc& month) {
    SickDayCounts counts;
    for (const auto& [number, day] : month.days()) {
        if (!countsAsSickDay(day)) continue;
        for (const SickKind& kind : kSickKinds)
            if (day.dayKind == kind.dayKind) ++(counts.*kind.count);
    }
    return counts;
}

SickDayCounts sickDayCountsUpTo(const CLorvanDoc& file, int32_t month) {
    SickDayCounts counts;
    for (const auto& [number, record] : file.months())
        if (number <= month) counts += sickDayCounts(record);
    return counts;
}

std::string vacationText(const CMonatDoc& month, bool detailed) {
    const std::string name = monthName(month.number());
    const std::vector<CountedVacationDay> counted = countedVacationDays(month);
    double total = 0.0;
    for (const CountedVacationDay& c : counted)
        total += c.amount;

    if (!detailed) {
        if (total == 0.0) return {};
        return name + (characterCount(name) < 8 ? "\t\t" : "\t") + daysText(total) + "\n";
    }

    std::string text;
    if (total != 0.0) {
        text = "Genommener Urlaub im " + name + "\n\n";
        for (const CountedVacationDay& c : counted)
            text += dateWithWeekday(*c.day) + (c.amount == 0.5 ? " - (1/2 Tag)" : "") + "\n";
        text += "\nGesamt: " + daysText(total) + " Tag" + (total == 1.0 ? "" : "e");
    } else {
        text = "Kein Urlaub im " + name + " genommen.";
    }
    const CEinstArbzt& settings = settingsOf(month);
    if (settings.manageRemainingVacation != 0) {
        const double remaining = remainingVacation(*month.document(), month.number());
        text += "\n\nResturlaub: " + daysText(remaining) + (remaining == 1.0 ? " Tag" : " Tage");
    }
    return text;
}

std::string sicknessText(const CMonatDoc& month, bool detailed, SickDayCounts& yearCounts) {
    const std::string name = monthName(month.number());
    const SickDayCounts counts = sickDayCounts(month);
    yearCounts += counts;
    if (!counts.any()) return detailed ? "Keine Krankheitstage im " + name + "." : std::string();

    std::string text = "\nKrankheitstage im " + name + "\n";
    for (const SickKind& kind : kSickKinds) {
        const int32_t count = counts.*kind.count;
        if (count == 0) continue;
        if (!detailed) {
            text += format(kind.line, count);
            continue;
        }
        text += kind.heading;
        for (const auto& [number, day] : month.days())
            if (day.dayKind == kind.dayKind && countsAsSickDay(day)) text += dateWithWeekday(day) + "\n";
        text += format("Gesamt: %d Tag", count) + (count > 1 ? "e" : "") + "\n";
    }
    return text;
}

std::string yearVacationText(const CLorvanDoc& file) {
    std::string text = "Genommener Urlaub:\n\n";
    double total = 0.0;
    for (const auto& [number, month] : file.months()) {
        text += vacationText(month, false);
        total += vacationDays(month);
    }
    text += "\nGesamt\t\t" + daysText(total) + " Tage\n";
    if (file.settings().manageRemainingVacation != 0)
        text += "Resturlaub\t" + daysText(remainingVacation(file, 12)) + " Tage\n";
    return text;
}

std::string yearSicknessText(const CLorvanDoc& file) {
    std::string text = "Krankheitstage:\n";
    SickDayCounts year;
    for (const auto& [number, month] : file.months())
        text += sicknessText(month, false, year);
    if (year.any()) {
        text += "\nGesamt\n";
        for (const SickKind& kind : kSickKinds)
            if (year.*kind.count > 0) text += format(kind.yearLine, year.*kind.count);
    }
    return text;
}

} // namespace lorvan
