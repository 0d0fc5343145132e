#include "entry/day_management.h"

#include "foundation/calendar.h"
#include "foundation/format.h"
#include "platform/prompter.h"

namespace lorvan {

namespace {

bool isDayOfMonth(const CMonatDoc& month, int32_t day) {
    return day >= 1 && day <= daysInMonth(month.number(), month.year());
}

bool refuseWhenClosed(const CMonatDoc& month, Prompter& prompter, const MonthClosedRule& monthClosed) {
    if (!monthClosed || !monthClosed(month.number(), month.year())) return false;
    prompter.error(kMonthLockedMessage);
    return true;
}

} // namespace

std::string dayNumberText(const CMonatDoc& month, int32_t day) {
    if (day == 0) return "";
    if (!isDayOfMonth(month, day)) return "Der Tag ist ungültig.";
    if (month.day(day) != nullptr) return "Der Tag wurde schon angelegt.";
    const Datum date{day, month.number(), month.year()};
    return format(".%2.2ld.%4.4ld (%s)", static_cast<long>(month.number()), static_cast<long>(month.year()),
                  weekdayNameMonday(date).c_str());
}

EntryResult createDay(CMonatDoc& month, int32_t day, Prompter& prompter, const MonthClosedRule& monthClosed,
                      CTagDoc** created) {
    if (refuseWhenClosed(month, prompter, monthClosed)) return EntryResult::Locked;
    if (day == 0) {
        prompter.error("Tragen Sie erst den Tag ein, der angelegt werden soll.");
        return EntryResult::Refused;
    }
    if (month.day(day) != nullptr) {
        prompter.error("Der Tag existiert schon.");
        return EntryResult::Refused;
    }
    // 31 April and the like: refused before the month could raise an internal error.
    if (!isDayOfMonth(month, day)) {
        prompter.error("Der Tag ist ungültig.");
        return EntryResult::Refused;
    }
    CTagDoc& newDay = month.addDay(day);
    newDay.dayKind = kNormalWorkingDay;
    newDay.complete = 1;
    if (month.document() != nullptr) month.document()->setModified();
    if (created != nullptr) *created = &newDay;
    return EntryResult::Done;
}

EntryResult deleteDay(CMonatDoc& month, int32_t day, Prompter& prompter, const MonthClosedRule& monthClosed,
                      const CloseDayWindow& closeWindow) {
    const CTagDoc* existing = month.day(day);
    if (existing == nullptr) return EntryResult::NoSelection;
    if (refuseWhenClosed(month, prompter, monthClosed)) return EntryResult::Locked;
    std::string question = "Soll der " + formatDate(existing->date()) + " gelöscht werden?";
    if (existing->lineCount() > 0) question += "\n\nDer Tag enthält Zeiten, die dann ebenfalls gelöscht werden.";
    if (!prompter.askYesNo(question)) return EntryResult::Cancelled;
    if (closeWindow) closeWindow(*existing);
    month.removeDay(day);
    if (CLorvanDoc* document = month.document()) {
        document->dayOfMonthSaved(month.number());
        document->setModified();
    }
    return EntryResult::Done;
}

} // namespace lorvan
