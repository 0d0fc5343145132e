#include "masterdata/employee.h"

#include "foundation/archive.h"
#include "foundation/calendar.h"
#include "foundation/number_text.h"
#include "platform/clock.h"

namespace lorvan {
namespace {

Datum readDate(ArchiveReader& ar) {
    Datum d;
    d.day = ar.readInt32();
    d.month = ar.readInt32();
    d.year = ar.readInt32();
    return d;
}

void writeDate(ArchiveWriter& ar, const Datum& d) {
    ar.writeInt32(d.day);
    ar.writeInt32(d.month);
    ar.writeInt32(d.year);
}

bool sameMonth(const Datum& a, const Datum& b) {
    return a.month == b.month && a.year == b.year;
}

} // namespace

std::optional<int32_t> CMitarbeiterDoc::remainingProbationDays(const Clock& clock) const {
    if (inProbation == 0) return std::nullopt;
    const Datum today = clock.today();
    // A damaged end date has no day count; it must not turn into a huge negative number.
    if (!isValidDate(probationEnd) || compareDates(probationEnd, today) < 0) return std::nullopt;
    return daysBetween(probationEnd, today);
}

std::string CMitarbeiterDoc::remainingProbationDaysText(const Clock& clock) const {
    const auto days = remainingProbationDays(clock);
    return days ? std::to_string(*days) : std::string();
}

std::string CMitarbeiterDoc::entryText() const {
    return entryDate.isEmpty() ? std::string() : formatDate(entryDate);
}

std::string CMitarbeiterDoc::probationEndText() const {
    return inProbation == 0 ? std::string() : formatDate(probationEnd);
}

std::string CMitarbeiterDoc::exitText() const {
    return hasExit == 0 ? std::string() : formatDate(exitDate);
}

std::string CMitarbeiterDoc::entrySortKey() const {
    return entryDate.isEmpty() ? std::string() : formatDateIso(entryDate);
}

std::string CMitarbeiterDoc::probationEndSortKey() const {
    return inProbation == 0 ? std::string() : formatDateIso(probationEnd);
}

std::string CMitarbeiterDoc::exitSortKey() const {
    return hasExit == 0 ? std::string() : formatDateIso(exitDate);
}

std::string CMitarbeiterDoc::displayText() const {
    return std::to_string(number) + " - " + name;
}

std::string CMitarbeiterDoc::fileNameForm() const {
    return toFileNamePart(name);
}

bool CMitarbeiterDoc::notEmployedOn(const Datum& day) const {
    if (!entryDate.isEmpty() && compareDates(entryDate, day) > 0) return true;
    return hasExit != 0 && compareDates(exitDate, day) < 0;
}

bool CMitarbeiterDoc::notYetLeftOn(const Datum& day) const {
    return hasExit == 0 || compareDates(exitDate, day) >= 0;
}

bool CMitarbeiterDoc::employmentBoundsInMonth(const Datum& day, Datum& first, Datum& last) const {
    first = Datum{1, day.month, day.year};
    last = Datum{daysInMonth(day.month, day.year), day.month, day.year};
    if (!entryDate.isEmpty() && sameMonth(entryDate, day)) {
        first.day = entryDate.day;
    } else if (compareDates(entryDate, day) > 0) {
        return false;
    }
    if (hasExit != 0) {
        // An exit within the month ends the employed days there, whichever day of the month was
        // asked for; only an exit before the month leaves no employed day.
        if (sameMonth(exitDate, day)) {
            last.day = exitDate.day;
        } else if (compareDates(exitDate, day) < 0) {
            return false;
        }
    }
    return first.day <= last.day;
}

void CMitarbeiterDoc::store(ArchiveWriter& ar) const {
    ar.writeInt32(number);
    ar.writeString(name);
    ar.writeString(extraInfo);
    ar.writeString(department);
    writeDate(ar, entryDate);
    ar.writeInt32(inProbation);
    if (inProbation != 0) writeDate(ar, probationEnd);
    ar.writeInt32(hasExit);
    if (hasExit != 0) writeDate(ar, exitDate);
    ar.writeInt32(active);
}

void CMitarbeiterDoc::load(ArchiveReader& ar, int32_t version) {
    *this = CMitarbeiterDoc();
    number = ar.readInt32();
    name = ar.readString();
    if (version >= 6) extraInfo = ar.readString();
    if (version >= 7) department = ar.readString();
    if (version >= 12) {
        entryDate = readDate(ar);
        inProbation = ar.readInt32();
        if (inProbation != 0) probationEnd = readDate(ar);
    }
    if (version >= 13) {
        hasExit = ar.readInt32();
        if (hasExit != 0) exitDate = readDate(ar);
    }
    if (version >= 14) active = ar.readInt32();
}

size_t CMitarbeiterDoc::minimumStoredSize(int32_t version) {
    size_t n = 4 + 1; // number, name
    if (version >= 6) n += 1;
    if (version >= 7) n += 1;
    if (version >= 12) n += 12 + 4;
    if (version >= 13) n += 4;
    if (version >= 14) n += 4;
    return n;
}

} // namespace lorvan
