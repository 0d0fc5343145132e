#include "yearfile/year_file.h"

#include "foundation/archive.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/text_encoding.h"
#include "foundation/time_text.h"

#include <stdexcept>

namespace lorvan {
std::string kindFromOldCode(const std::string& code) {
    const std::string upper = toUpperCp1252(code);
    if (upper == "K" || upper == "KD" || upper == "KUNDE") return kKindCustomer;
    if (upper == "P" || upper == "PAUSE") return kKindBreak;
    if (upper == "A" || upper == "AZ") return kKindWorkingTime;
    if (upper == "F") return kKindTravel;
    if (upper == "B") return kKindOffice;
    return code;
}

namespace {

// Month and day numbers outside the calendar cannot come from this program: such a file is corrupt.
void requireRange(ArchiveReader& ar, int32_t value, int32_t low, int32_t high) {
    if (value < low || value > high) throw EndOfFileError(ar.fileName());
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CZeitZeile

CZeitZeile& CZeitZeile::operator=(const CZeitZeile& other) {
    if (this != &other) *this = CZeitZeile(other); // the move keeps this line's day
    return *this;
}

CZeitZeile& CZeitZeile::operator=(CZeitZeile&& other) noexcept {
    kind = std::move(other.kind);
    customer = std::move(other.customer);
    from = std::move(other.from);
    to = std::move(other.to);
    duration = other.duration;
    durationText = std::move(other.durationText);
    remark = std::move(other.remark);
    pause = other.pause;
    fromFixed = other.fromFixed;
    toFixed = other.toFixed;
    durationFixed = other.durationFixed;
    calculationFields = other.calculationFields;
    service = std::move(other.service);
    costKind = other.costKind;
    costAmount = other.costAmount;
    vehicle = std::move(other.vehicle);
    kilometresDriven = other.kilometresDriven;
    odometerAfter = other.odometerAfter;
    return *this;
}

bool CZeitZeile::isEmpty() const {
    return kind.empty() && customer.empty() && from.empty() && to.empty() && remark.empty() &&
           service.empty() && duration == 0 && pause == 0 && calculationFields[0] == 0.0 &&
           calculationFields[1] == 0.0 && calculationFields[2] == 0.0;
}

void CZeitZeile::updateDurationText() {
    durationText = formatMinutes(duration, 2, false);
}

size_t CZeitZeile::minimumBytes(int32_t version) {
    size_t n = 5 * 1 + 2 * 4; // five strings, duration, pause
    if (version >= 5) n += 3 * 4;
    if (version >= 16) n += 3 * 8;
    if (version >= 27) n += 1 + 4 + 8;
    if (version >= 31) n += 1 + 8 + 8;
    return n;
}

void CZeitZeile::store(ArchiveWriter& ar) const {
    ar.writeString(kind);
    ar.writeString(customer);
    ar.writeString(from);
    ar.writeString(to);
    ar.writeInt32(duration);
    ar.writeString(remark);
    ar.writeInt32(pause);
    ar.writeInt32(fromFixed);
    ar.writeInt32(toFixed);
    ar.writeInt32(durationFixed);
    for (double value : calculationFields)
        ar.writeFloat64(value);
    ar.writeString(service);
    ar.writeInt32(costKind);
    ar.writeFloat64(costAmount);
    ar.writeString(vehicle);
    ar.writeFloat64(kilometresDriven);
    ar.writeFloat64(odometerAfter);
}

void CZeitZeile::load(ArchiveReader& ar, int32_t version) {
    kind = ar.readString();
    if (version < 5) kind = kindFromOldCode(kind);
    customer = ar.readString();
    from = ar.readString();
    to = ar.readString();
    duration = ar.readInt32();
    remark = ar.readString();
    pause = ar.readInt32();
    if (version >= 5) {
        fromFixed = ar.readInt32();
        toFixed = ar.readInt32();
        durationFixed = ar.readInt32();
    } else {
        fromFixed = toFixed = durationFixed = 1;
    }
    if (version >= 16) {
        for (double& value : calculationFields)
            value = ar.readFloat64();
    } else {
        calculationFields = {};
    }
    if (version >= 27) {
        service = ar.readString();
        costKind = ar.readInt32();
        costAmount = ar.readFloat64();
    } else {
        service.clear();
        costKind = kCostFromHourlyWage;
        costAmount = 0.0;
    }
    if (version >= 31) {
        vehicle = ar.readString();
        kilometresDriven = ar.readFloat64();
        odometerAfter = ar.readFloat64();
    } else {
        vehicle.clear();
        kilometresDriven = 0.0;
        odometerAfter = 0.0;
    }
    updateDurationText();
}

// ---------------------------------------------------------------------------------------------
// CTagDoc

CTagDoc::CTagDoc(const CTagDoc& other)
    : furtherEmployees(other.furtherEmployees), dayKind(other.dayKind), reportRemark(other.reportRemark),
      internalRemark(other.internalRemark), publicHoliday(other.publicHoliday), complete(other.complete),
      checkedAndClosed(other.checkedAndClosed), month_(other.month_), number_(other.number_),
      lines_(other.lines_) {
    adoptLines();
}

CTagDoc::CTagDoc(CTagDoc&& other) noexcept
    : furtherEmployees(std::move(other.furtherEmployees)), dayKind(other.dayKind),
      reportRemark(std::move(other.reportRemark)), internalRemark(std::move(other.internalRemark)),
      publicHoliday(other.publicHoliday), complete(other.complete), checkedAndClosed(other.checkedAndClosed),
      month_(other.month_), number_(other.number_), lines_(std::move(other.lines_)) {
    adoptLines();
}

CTagDoc& CTagDoc::operator=(const CTagDoc& other) {
    if (this != &other) *this = CTagDoc(other);
    return *this;
}

CTagDoc& CTagDoc::operator=(CTagDoc&& other) noexcept {
    if (this == &other) return *this;
    furtherEmployees = std::move(other.furtherEmployees);
    dayKind = other.dayKind;
    reportRemark = std::move(other.reportRemark);
    internalRemark = std::move(other.internalRemark);
    publicHoliday = other.publicHoliday;
    complete = other.complete;
    checkedAndClosed = other.checkedAndClosed;
    lines_ = std::move(other.lines_);
    adoptLines();
    return *this;
}

void CTagDoc::adoptLines() {
    for (CZeitZeile& line : lines_)
        line.day_ = this;
}

CLorvanDoc* CTagDoc::document() const {
    return month_ ? month_->document() : nullptr;
}

Datum CTagDoc::date() const {
    const CLorvanDoc* doc = document();
    return Datum{number_, month_ ? month_->number() : 1, doc ? doc->settings().year : 1};
}

CZeitZeile& CTagDoc::addLine() {
    CZeitZeile& line = lines_.emplace_back();
    line.day_ = this;
    const CLorvanDoc* doc = document();
    if (doc && doc->settings().wagesAsCostsInCustomerQuery == 0) line.costKind = kCostFixedAmount;
    return line;
}

CZeitZeile& CTagDoc::addLine(const CZeitZeile& line) {
    CZeitZeile& added = lines_.emplace_back(line);
    added.day_ = this;
    return added;
}

void CTagDoc::removeLine(size_t index) {
    if (index >= lines_.size()) throw std::out_of_range("CTagDoc::removeLine");
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
}

void CTagDoc::setLines(std::vector<CZeitZeile> lines) {
    lines_ = std::move(lines);
    adoptLines();
}

void CTagDoc::removeEmptyLines() {
    std::erase_if(lines_, [](const CZeitZeile& line) { return line.isEmpty(); });
}

size_t CTagDoc::minimumBytes(int32_t version) {
    size_t n = 4 + 1 + 4 + 1 + 4; // key, further employees, day kind, report remark, line count
    if (version >= 39) n += 1;
    if (version >= 2) n += 4;
    if (version >= 3) n += 4;
    if (version >= 40) n += 4;
    return n;
}

void CTagDoc::store(ArchiveWriter& ar) const {
    ar.writeString(furtherEmployees);
    ar.writeInt32(dayKind);
    ar.writeString(reportRemark);
    ar.writeString(internalRemark);
    ar.writeInt32(publicHoliday);
    ar.writeInt32(complete);
    ar.writeInt32(checkedAndClosed);
    ar.writeCount(lines_.size());
    for (const CZeitZeile& line : lines_)
        line.store(ar);
}

void CTagDoc::load(ArchiveReader& ar, int32_t version) {
    furtherEmployees = ar.readString();
    dayKind = ar.readInt32();
    reportRemark = ar.readString();
    internalRemark = version >= 39 ? ar.readString() : std::string();
    publicHoliday = version >= 2 ? ar.readInt32() : 0;
    complete = version >= 3 ? ar.readInt32() : 1;
    checkedAndClosed = version >= 40 ? ar.readInt32() : 0;
    const int32_t count = ar.readCount(CZeitZeile::minimumBytes(version));
    lines_.clear();
    lines_.resize(static_cast<size_t>(count));
    for (CZeitZeile& line : lines_) {
        line.day_ = this;
        line.load(ar, version);
    }
}

// ---------------------------------------------------------------------------------------------
// CMonatDoc

CMonatDoc::CMonatDoc(const CMonatDoc& other)
    : accountCorrection(other.accountCorrection), correctionComment(other.correctionComment),
      resultsValid(other.resultsValid), accountChange(other.accountChange),
      surchargeHoursOvertime1(other.surchargeHoursOvertime1),
      surchargeHoursOvertime2(other.surchargeHoursOvertime2), surchargeHoursNight(other.surchargeHoursNight),
      surchargeHoursSaturday(other.surchargeHoursSaturday),
      surchargeHoursHoliday(other.surchargeHoursHoliday), surchargeHoursSunday(other.surchargeHoursSunday),
      accountPayout(other.accountPayout), document_(other.document_), number_(other.number_),
      days_(other.days_) {
    adoptDays();
}

CMonatDoc::CMonatDoc(CMonatDoc&& other) noexcept
    : accountCorrection(other.accountCorrection), correctionComment(std::move(other.correctionComment)),
      resultsValid(other.resultsValid), accountChange(other.accountChange),
      surchargeHoursOvertime1(other.surchargeHoursOvertime1),
      surchargeHoursOvertime2(other.surchargeHoursOvertime2), surchargeHoursNight(other.surchargeHoursNight),
      surchargeHoursSaturday(other.surchargeHoursSaturday),
      surchargeHoursHoliday(other.surchargeHoursHoliday), surchargeHoursSunday(other.surchargeHoursSunday),
      accountPayout(other.accountPayout), document_(other.document_), number_(other.number_),
      days_(std::move(other.days_)) {
    adoptDays();
}

CMonatDoc& CMonatDoc::operator=(const CMonatDoc& other) {
    if (this != &other) *this = CMonatDoc(other);
    return *this;
}

CMonatDoc& CMonatDoc::operator=(CMonatDoc&& other) noexcept {
    if (this == &other) return *this;
    accountCorrection = other.accountCorrection;
    correctionComment = std::move(other.correctionComment);
    resultsValid = other.resultsValid;
    accountChange = other.accountChange;
    surchargeHoursOvertime1 = other.surchargeHoursOvertime1;
    surchargeHoursOvertime2 = other.surchargeHoursOvertime2;
    surchargeHoursNight = other.surchargeHoursNight;
    surchargeHoursSaturday = other.surchargeHoursSaturday;
    surchargeHoursHoliday = other.surchargeHoursHoliday;
    surchargeHoursSunday = other.surchargeHoursSunday;
    accountPayout = other.accountPayout;
    days_ = std::move(other.days_);
    adoptDays();
    return *this;
}

void CMonatDoc::adoptDays() {
    // A day's number is its key; both change only together.
    for (auto& [number, day] : days_) {
        day.month_ = this;
        day.number_ = number;
    }
}

int32_t CMonatDoc::year() const {
    return document_ ? document_->settings().year : 0;
}

CTagDoc* CMonatDoc::day(int32_t number) {
    auto it = days_.find(number);
    return it == days_.end() ? nullptr : &it->second;
}

const CTagDoc* CMonatDoc::day(int32_t number) const {
    auto it = days_.find(number);
    return it == days_.end() ? nullptr : &it->second;
}

CTagDoc& CMonatDoc::addDay(int32_t number) {
    const int32_t last = document_ ? daysInMonth(number_, year()) : 31;
    if (number < 1 || number > last)
        throw std::invalid_argument("CMonatDoc::addDay: day " + std::to_string(number));
    return days_.try_emplace(number, this, number).first->second;
}

CTagDoc& CMonatDoc::addStoredDay(int32_t number) {
    if (number < 1 || number > 31)
        throw std::invalid_argument("CMonatDoc::addStoredDay: day " + std::to_string(number));
    return days_.try_emplace(number, this, number).first->second;
}

void CMonatDoc::removeDay(int32_t number) {
    days_.erase(number);
}

void CMonatDoc::resetResults() {
    resultsValid = 0;
    accountChange = 0.0;
    surchargeHoursOvertime1 = 0.0;
    surchargeHoursOvertime2 = 0.0;
    surchargeHoursNight = 0.0;
    surchargeHoursSaturday = 0.0;
    surchargeHoursHoliday = 0.0;
    surchargeHoursSunday = 0.0;
    accountPayout = 0.0;
}

size_t CMonatDoc::minimumBytes(int32_t version) {
    size_t n = 4 + 4; // key, day count
    if (version >= 8) n += 8 + 4 + 8;
    if (version >= 10) n += 5 * 8;
    if (version >= 29) n += 8;
    if (version >= 11) n += 1;
    if (version >= 34) n += 8;
    return n;
}

void CMonatDoc::store(ArchiveWriter& ar) const {
    ar.writeFloat64(accountCorrection);
    ar.writeInt32(resultsValid);
    ar.writeFloat64(accountChange);
    ar.writeFloat64(surchargeHoursOvertime1);
    ar.writeFloat64(surchargeHoursOvertime2);
    ar.writeFloat64(surchargeHoursNight);
    ar.writeFloat64(surchargeHoursSaturday);
    ar.writeFloat64(surchargeHoursHoliday);
    ar.writeFloat64(surchargeHoursSunday);
    ar.writeString(correctionComment);
    ar.writeFloat64(accountPayout);
    ar.writeCount(days_.size());
    for (const auto& [number, day] : days_) {
        ar.writeInt32(number);
        day.store(ar);
    }
}

void CMonatDoc::load(ArchiveReader& ar, int32_t version) {
    resetResults();
    accountCorrection = 0.0;
    correctionComment.clear();
    if (version >= 8) {
        accountCorrection = ar.readFloat64();
        const int32_t valid = ar.readInt32();
        // Before version 11 the cached values were computed by older rules: always recompute.
        resultsValid = version >= 11 ? valid : 0;
        accountChange = ar.readFloat64();
    }
    if (version >= 10) {
        surchargeHoursOvertime1 = ar.readFloat64();
        surchargeHoursOvertime2 = ar.readFloat64();
        surchargeHoursNight = ar.readFloat64();
        if (version >= 29) surchargeHoursSaturday = ar.readFloat64();
        surchargeHoursHoliday = ar.readFloat64();
        surchargeHoursSunday = ar.readFloat64();
    }
    if (version >= 11) correctionComment = ar.readString();
    if (version >= 34) accountPayout = ar.readFloat64();

    days_.clear();
    const int32_t count = ar.readCount(CTagDoc::minimumBytes(version));
    for (int32_t i = 0; i < count; ++i) {
        const int32_t number = ar.readInt32();
        requireRange(ar, number, 1, 31);
        // A later record with the same number replaces the earlier one.
        days_.erase(number);
        days_.try_emplace(number, this, number).first->second.load(ar, version);
    }
}

// ---------------------------------------------------------------------------------------------
// CLorvanDoc

CLorvanDoc::CLorvanDoc(const CLorvanDoc& other)
    : CTwDoc(other), settings_(other.settings_), months_(other.months_), modified_(other.modified_) {
    adoptMonths();
}

CLorvanDoc::CLorvanDoc(CLorvanDoc&& other) noexcept
    : CTwDoc(other), settings_(std::move(other.settings_)), months_(std::move(other.months_)),
      modified_(other.modified_) {
    adoptMonths();
}

CLorvanDoc& CLorvanDoc::operator=(const CLorvanDoc& other) {
    if (this != &other) {
        CLorvanDoc copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CLorvanDoc& CLorvanDoc::operator=(CLorvanDoc&& other) noexcept {
    if (this == &other) return *this;
    CTwDoc::operator=(other);
    settings_ = std::move(other.settings_);
    months_ = std::move(other.months_);
    modified_ = other.modified_;
    adoptMonths();
    return *this;
}

void CLorvanDoc::adoptMonths() {
    for (auto& [number, month] : months_) {
        month.document_ = this;
        month.number_ = number;
    }
}

CMonatDoc* CLorvanDoc::month(int32_t number) {
    auto it = months_.find(number);
    return it == months_.end() ? nullptr : &it->second;
}

const CMonatDoc* CLorvanDoc::month(int32_t number) const {
    auto it = months_.find(number);
    return it == months_.end() ? nullptr : &it->second;
}

CMonatDoc& CLorvanDoc::addMonth(int32_t number) {
    if (number < 1 || number > 12)
        throw std::invalid_argument("CLorvanDoc::addMonth: month " + std::to_string(number));
    return months_.try_emplace(number, this, number).first->second;
}

void CLorvanDoc::removeMonth(int32_t number) {
    months_.erase(number);
}

void CLorvanDoc::resetFromMonth(int32_t m) {
    for (auto it = months_.lower_bound(m); it != months_.end(); ++it)
        it->second.resetResults();
}

void CLorvanDoc::dayOfMonthSaved(int32_t m) {
    CMonatDoc* saved = month(m);
    if (!saved || saved->resultsValid == 0) return;
    saved->resultsValid = 0;
    resetFromMonth(m + 1);
}

void CLorvanDoc::correctionSaved(int32_t m) {
    if (CMonatDoc* corrected = month(m)) corrected->resetResults();
}

void CLorvanDoc::settingsConfirmed() {
    for (auto& [number, month] : months_)
        month.resetResults();
    modified_ = true;
}

void CLorvanDoc::store(ArchiveWriter& ar) const {
    ar.writeInt32(kCurrentVersion);
    settings_.store(ar);
    ar.writeCount(months_.size());
    for (const auto& [number, month] : months_) {
        ar.writeInt32(number);
        month.store(ar);
    }
}

int32_t CLorvanDoc::load(ArchiveReader& ar) {
    clear();
    const int32_t version = ar.readInt32();
    if (version > kCurrentVersion) throw NewerVersionError();
    // No version of this program wrote a version below 1: the file is damaged.
    if (version < 1) throw EndOfFileError(ar.fileName());
    settings_.load(ar, version);
    const int32_t count = ar.readCount(CMonatDoc::minimumBytes(version));
    for (int32_t i = 0; i < count; ++i) {
        const int32_t number = ar.readInt32();
        requireRange(ar, number, 1, 12);
        // A later record with the same number replaces the earlier one.
        months_.erase(number);
        months_.try_emplace(number, this, number).first->second.load(ar, version);
    }
    return version;
}

void CLorvanDoc::clear() {
    settings_ = CEinstArbzt();
    months_.clear();
    modified_ = false;
}

const char* absenceCode(int32_t dayKind, bool halfWorkingDay) {
    switch (dayKind) {
    case kVacation:
        return halfWorkingDay ? "UH" : "U";
    case kHalfVacationDay:
        return "UH";
    case kSickWithPay:
        return "K";
    case kSickWithSickPay:
        return "KG";
    case kChildSick:
        return "KK";
    case kParentalLeave:
        return "EZ";
    case kTimeOff:
        return "ZA";
    default:
        return "";
    }
}

} // namespace lorvan
