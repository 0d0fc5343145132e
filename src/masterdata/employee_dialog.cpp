#include "masterdata/employee_dialog.h"

#include "foundation/calendar.h"
#include "foundation/number_text.h"
#include "masterdata/search_text.h"
#include "platform/clock.h"
#include "platform/prompter.h"

namespace lorvan {
namespace {

// The date whose ordinal within the year the (possibly overlong) day number gives.
Datum runOn(const Datum& date) {
    return fromDayOfYear(dayOfYear(date), date.year);
}

// What a date picker can show: the date, or today for an empty or damaged one.
Datum shown(const Datum& date, const Datum& today) {
    return !date.isEmpty() && isValidDate(date) ? date : today;
}

// Proposals are made from dates a picker can show; years near the end of the calendar are kept
// clear of the arithmetic's limits.
bool proposable(const Datum& date) {
    return isValidDate(date) && date.year < 9999;
}

} // namespace

Datum proposedProbationEnd(const Datum& entryDate) {
    if (!proposable(entryDate)) return entryDate;
    const Datum sixMonthsLater = addMonths(entryDate, 6);
    const int32_t ordinal = dayOfYear(sixMonthsLater) - 1;
    if (ordinal <= 0) return Datum{31, 12, sixMonthsLater.year - 1};
    return fromDayOfYear(ordinal, sixMonthsLater.year);
}

Datum proposedExitDate(const Datum& today) {
    if (!proposable(today)) return today;
    return runOn(addMonths(today, 1));
}

EmployeeDialog::EmployeeDialog(const CMitarbeiterDoc& record, const Clock& clock)
    : number(record.number), name(record.name), extraInfo(record.extraInfo), department(record.department),
      active(record.isActive()), original_(record), clock_(clock) {
    const Datum today = clock.today();
    entryDate_ = shown(record.entryDate, today);
    inProbation_ = record.inProbation != 0;
    probationEnd_ = inProbation_ ? shown(record.probationEnd, today) : today;
    hasExit_ = record.hasExit != 0;
    exitDate_ = hasExit_ ? shown(record.exitDate, today) : today;
}

void EmployeeDialog::setEntryDate(const Datum& date) {
    entryDate_ = date;
    entryDateSet_ = true;
}

void EmployeeDialog::setInProbation(bool on) {
    if (on && !inProbation_) probationEnd_ = proposedProbationEnd(entryDate_);
    inProbation_ = on;
}

void EmployeeDialog::setHasExit(bool on) {
    if (on && !hasExit_) exitDate_ = proposedExitDate(clock_.today());
    hasExit_ = on;
}

EmployeeField EmployeeDialog::check(Prompter& prompter) const {
    if (number <= 0) {
        prompter.error(kEnterNumberMessage);
        return EmployeeField::Number;
    }
    if (!search_text::hasLetterOrDigit(toFileNamePart(name))) {
        prompter.error(kEnterNameMessage);
        return EmployeeField::Name;
    }
    return EmployeeField::None;
}

CMitarbeiterDoc EmployeeDialog::confirmedRecord() const {
    CMitarbeiterDoc record = original_;
    record.number = number;
    record.name = name;
    record.extraInfo = extraInfo;
    record.department = department;
    // The picker's entry date only when it was set: an empty one stays empty (an entry of today would
    // make every earlier day "not employed"), and a damaged one is not replaced behind the user's back.
    if (entryDateSet_) record.entryDate = entryDate_;
    // A flag's stored value other than 1 stays while its box stays checked.
    record.inProbation = inProbation_ ? (original_.inProbation != 0 ? original_.inProbation : 1) : 0;
    record.probationEnd = inProbation_ ? probationEnd_ : Datum{};
    record.hasExit = hasExit_ ? (original_.hasExit != 0 ? original_.hasExit : 1) : 0;
    record.exitDate = hasExit_ ? exitDate_ : Datum{};
    // A value other than 1 in the file means "not active" too; it stays unless the box changed it.
    if (active != original_.isActive()) record.active = active ? 1 : 0;
    return record;
}

} // namespace lorvan
