#include "logbook/logbook_file.h"

#include "foundation/archive.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/text_encoding.h"
#include "foundation/time_text.h"
#include "logbook/vehicle_file.h"
#include "platform/clock.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace lorvan {
namespace {

constexpr Datum kMomentBase{30, 12, 1899};
// The dates a stored moment may name: 1.1.100 to 31.12.9999.
constexpr double kFirstMomentDay = -657434.0;
constexpr double kLastMomentDay = 2958465.0;

// The minutes between two stored day numbers, or nothing for damaged values.
std::optional<int64_t> minutesBetween(double later, double earlier) {
    const double diff = (later - earlier) * 1440.0;
    if (!std::isfinite(diff) || std::fabs(diff) > 1e13) return std::nullopt;
    return std::llround(diff);
}

bool createdAfterDay(const CFahrtDoc& trip, double nowDays) {
    const auto minutes = minutesBetween(trip.created.days, nowDays);
    return minutes && *minutes > 0;
}

} // namespace

StoredMoment momentOf(const ClockTime& time) {
    const double day = static_cast<double>(daysBetween(time.date, kMomentBase));
    return StoredMoment{0, day + time.minutes / 1440.0};
}

std::optional<ClockTime> clockTimeOf(const StoredMoment& moment) {
    if (!std::isfinite(moment.days) || moment.days < kFirstMomentDay || moment.days >= kLastMomentDay + 1.0)
        return std::nullopt;
    double whole = std::floor(moment.days);
    int64_t minutes = std::llround((moment.days - whole) * 1440.0);
    if (minutes >= 1440) {
        whole += 1.0;
        minutes -= 1440;
    }
    const Datum date = addDays(kMomentBase, static_cast<int32_t>(whole));
    if (!isValidDate(date)) return std::nullopt;
    return ClockTime{date, static_cast<int32_t>(minutes)};
}

std::string momentText(const StoredMoment& moment) {
    const auto time = clockTimeOf(moment);
    if (!time) return std::string();
    return formatDate(time->date) + " " + formatMinutes(time->minutes, 2, false);
}

CFahrtDoc CFahrtDoc::newTrip(const ClockTime& now) {
    CFahrtDoc trip;
    trip.startDate = formatDate(now.date);
    trip.endDate = trip.startDate;
    trip.created = momentOf(now);
    return trip;
}

TripKind CFahrtDoc::kind() const {
    if (kindValue >= 0 && kindValue <= 3) return static_cast<TripKind>(kindValue);
    return TripKind::Private;
}

std::string CFahrtDoc::locationText() const {
    return lorvan::locationText(street, place);
}

std::string CFahrtDoc::shownPerson() const {
    return lorvan::shownPerson(person, customerName);
}

std::string CFahrtDoc::kindLetter() const {
    return tripKindLetter(kindValue, cancelled());
}

std::string CFahrtDoc::kilometresText() const {
    return lorvan::kilometresText(kilometres);
}

std::string CFahrtDoc::timeSpanText(bool withDuration) const {
    return tripTimeSpanText(startDate, startTime, endDate, endTime, withDuration);
}

int64_t CFahrtDoc::wholeDaysSinceCreated(const ClockTime& now) const {
    const auto minutes = minutesBetween(momentOf(now).days, created.days);
    // A damaged creation time counts as long ago: such a trip is never deleted without trace.
    if (!minutes) return INT32_MAX;
    return *minutes / 1440;
}

bool CFahrtDoc::createdAfter(const ClockTime& now) const {
    return createdAfterDay(*this, momentOf(now).days);
}

std::string logbookFileName(std::string_view plate, int32_t year) {
    return format("%s%ld.%s", plateFileNameForm(plate).c_str(), static_cast<long>(year), kLogbookExtension);
}

std::string logbookPath(const std::string& dataDirectory, std::string_view plate, int32_t year) {
    return withSeparator(dataDirectory, true) + logbookFileName(plate, year);
}

std::optional<LogbookName> logbookNameOf(const std::string& path) {
    const std::string name = fileNameOfPath(path);
    if (name.size() < 7) return std::nullopt;
    const std::string extension = toUpperCp1252(name.substr(name.size() - 3));
    if (extension != ".FB") return std::nullopt;
    const std::string yearText = name.substr(name.size() - 7, 4);
    if (!std::all_of(yearText.begin(), yearText.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return LogbookName{name.substr(0, name.size() - 7), std::stoi(yearText)};
}

std::vector<std::string> logbookFiles(const std::string& dataDirectory) {
    std::vector<std::string> files;
    std::error_code error;
    const std::string directory = dataDirectory.empty() ? "." : dataDirectory;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 3 && toUpperCp1252(name.substr(name.size() - 3)) == ".FB" &&
            it->is_regular_file(error))
            files.push_back(withSeparator(dataDirectory, true) + name);
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<size_t> CTwFahrtenbuchDoc::previousValidTrip(size_t index) const {
    for (size_t i = std::min(index, trips.size()); i-- > 0;)
        if (!trips[i].cancelled()) return i;
    return std::nullopt;
}

std::optional<size_t> CTwFahrtenbuchDoc::nextValidTrip(size_t index) const {
    for (size_t i = index + 1; i < trips.size(); ++i)
        if (!trips[i].cancelled()) return i;
    return std::nullopt;
}

double CTwFahrtenbuchDoc::previousKilometres(size_t index) const {
    if (index < trips.size() && trips[index].cancelled())
        return index > 0 ? trips[index - 1].kilometres : startKilometres;
    const auto previous = previousValidTrip(index);
    return previous ? trips[*previous].kilometres : startKilometres;
}

double CTwFahrtenbuchDoc::drivenKilometres(size_t index) const {
    return trips.at(index).kilometres - previousKilometres(index);
}

std::string CTwFahrtenbuchDoc::startLocation(size_t index) const {
    const auto previous = previousValidTrip(index);
    if (previous) return trips[*previous].locationText();
    return startStreet + ", " + startPlace;
}

bool CTwFahrtenbuchDoc::deletable(size_t index, const ClockTime& now) const {
    return !isClosed() && trips.at(index).wholeDaysSinceCreated(now) <= 0;
}

KindSums CTwFahrtenbuchDoc::sumsByKind() const {
    KindSums sums;
    for (size_t i = 0; i < trips.size(); ++i)
        if (!trips[i].cancelled()) sums.add(trips[i].kindValue, drivenKilometres(i));
    return sums;
}

bool CTwFahrtenbuchDoc::hasTripCreatedAfter(const ClockTime& now) const {
    const double nowDays = momentOf(now).days;
    return std::any_of(trips.begin(), trips.end(),
                       [&](const CFahrtDoc& trip) { return createdAfterDay(trip, nowDays); });
}

void CTwFahrtenbuchDoc::store(ArchiveWriter& ar) const {
    ar.writeInt32(kCurrentVersion);
    ar.writeInt32(year);
    ar.writeString(plate);
    ar.writeFloat64(startKilometres);
    ar.writeString(startPlace);
    ar.writeString(startStreet);
    ar.writeInt32(closed);
    ar.writeCount(trips.size());
    for (const CFahrtDoc& t : trips) {
        ar.writeInt32(t.kindValue);
        ar.writeString(t.person);
        ar.writeString(t.customerName);
        ar.writeString(t.purpose);
        ar.writeString(t.driver);
        ar.writeFloat64(t.kilometres);
        ar.writeString(t.place);
        ar.writeString(t.street);
        ar.writeString(t.endDate);
        ar.writeString(t.startDate);
        ar.writeString(t.endTime);
        ar.writeString(t.startTime);
        ar.writeInt32(t.status);
        ar.writeInt32(t.created.status);
        ar.writeFloat64(t.created.days);
    }
}

int32_t CTwFahrtenbuchDoc::load(ArchiveReader& ar) {
    clear();
    const int32_t version = ar.readInt32();
    if (version > kCurrentVersion) throw NewerVersionError();
    year = ar.readInt32();
    plate = ar.readString();
    startKilometres = ar.readFloat64();
    startPlace = ar.readString();
    startStreet = ar.readString();
    if (version >= 3) closed = ar.readInt32();
    // Four numbers (kind, status, creation status) of 4 bytes, two of 8, and a length byte per text.
    const int32_t count = ar.readCount(4 + 8 + 4 + 4 + 8 + (version >= 2 ? 10 : 9));
    trips.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        CFahrtDoc t;
        t.kindValue = ar.readInt32();
        t.person = ar.readString();
        if (version >= 2) t.customerName = ar.readString();
        t.purpose = ar.readString();
        t.driver = ar.readString();
        t.kilometres = ar.readFloat64();
        t.place = ar.readString();
        t.street = ar.readString();
        t.endDate = ar.readString();
        t.startDate = ar.readString();
        t.endTime = ar.readString();
        t.startTime = ar.readString();
        t.status = ar.readInt32();
        t.created.status = ar.readInt32();
        t.created.days = ar.readFloat64();
        trips.push_back(std::move(t));
    }
    return version;
}

void CTwFahrtenbuchDoc::clear() {
    year = 0;
    plate.clear();
    startKilometres = 0.0;
    startPlace.clear();
    startStreet.clear();
    closed = 0;
    trips.clear();
}

void openLogbook(CTwFahrtenbuchDoc& doc, const std::string& path, const Clock& clock) {
    doc.open(path);
    if (doc.hasTripCreatedAfter(clock.now())) {
        doc = CTwFahrtenbuchDoc();
        throw LorvanError(kClockTurnedBack);
    }
}

} // namespace lorvan
