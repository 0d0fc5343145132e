#include "entry/file_views.h"

#include "evaluation/day_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "yearfile/year_file.h"

namespace lorvan {

std::vector<FileViewRow> yearViewRows(const CLorvanDoc& document) {
    std::vector<FileViewRow> rows;
    for (const auto& [number, month] : document.months())
        rows.push_back({number, monthName(number), "", 0});
    return rows;
}

std::vector<FileViewRow> monthViewRows(const CMonatDoc& month) {
    std::vector<FileViewRow> rows;
    for (const auto& [number, day] : month.days()) {
        const Datum date = day.date();
        rows.push_back({number, formatDateWithWeekday(date), statusText(day),
                        statusCategory(day)});
    }
    return rows;
}

std::string monthViewTitle(const CMonatDoc& month) {
    return format("%s %ld", monthName(month.number()).c_str(), static_cast<long>(month.year()));
}

int initialRow(const std::vector<FileViewRow>& rows, int32_t currentNumber) {
    if (rows.empty()) return -1;
    for (size_t i = 0; i < rows.size(); ++i)
        if (currentNumber != 0 && rows[i].number == currentNumber) return static_cast<int>(i);
    return static_cast<int>(rows.size()) - 1;
}

int yearViewInitialRow(const CLorvanDoc& document, const std::vector<FileViewRow>& rows, const Datum& today) {
    return initialRow(rows, document.settings().year == today.year ? today.month : 0);
}

int monthViewInitialRow(const CMonatDoc& month, const std::vector<FileViewRow>& rows, const Datum& today) {
    const bool current = month.year() == today.year && month.number() == today.month;
    return initialRow(rows, current ? today.day : 0);
}

int32_t nextMonthProposal(const CLorvanDoc& document) {
    if (document.months().empty()) return 1;
    const int32_t last = document.months().rbegin()->first;
    return last >= 12 ? 0 : last + 1;
}

int32_t nextDayProposal(const CLorvanDoc& document, int32_t month) {
    const CMonatDoc* days = document.month(month);
    const int32_t year = document.settings().year;
    const WorkingTimePeriod* period = nullptr;
    try {
        period = &document.settings().periodForMonth(month);
    } catch (const LorvanError&) {
        period = nullptr;
    }
    const int32_t length = daysInMonth(month, year);
    for (int32_t day = 1; day <= length; ++day) {
        if (days != nullptr && days->day(day) != nullptr) continue;
        const bool free = period != nullptr && period->fixedRegularWorkingDays != 0 &&
                          period->hoursByWeekday[weekdayCalendar(Datum{day, month, year}) - 1] == 0.0;
        if (!free) return day;
    }
    return 0;
}

} // namespace lorvan
