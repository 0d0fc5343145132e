#include "evaluation/day_evaluation.h"

#include "evaluation/day_evaluation_detail.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "yearfile/settings.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lorvan {

using namespace day_detail;

namespace {

constexpr int64_t kMinutesPerDay = 24 * 60;

const CEinstArbzt& settingsOf(const CTagDoc& day) {
    const CLorvanDoc* document = day.document();
    if (document == nullptr) throw LorvanError(kPointerNotSet);
    return document->settings();
}

const CEinstArbzt& settingsOf(const CZeitZeile& line) {
    if (line.day() == nullptr) throw LorvanError(kPointerNotSet);
    return settingsOf(*line.day());
}

bool isStandby(const CZeitZeile& line) {
    return line.kind == kKindStandby;
}

bool isBreak(const CZeitZeile& line) {
    return line.kind == kKindBreak;
}

int64_t clockOf(int32_t hour, int32_t minute) {
    return static_cast<int64_t>(hour) * 60 + minute;
}

// "Bereitschaft (50,0 %)"
std::string standbyText(const std::string& kind, double rating) {
    return kind + " (" + decimalPointToComma(format("%.1f", rating)) + " %)";
}

} // namespace

std::string customerDisplayText(const std::string& entry, const CustomerLookup* customers) {
    if (customers == nullptr || entry.empty() || !isAsciiDigit(entry.front())) return entry;
    int64_t number = 0;
    for (size_t i = 0; i < entry.size() && isAsciiDigit(entry[i]); ++i) {
        number = number * 10 + (entry[i] - '0');
        if (number > std::numeric_limits<int32_t>::max()) return entry;
    }
    std::optional<std::string> text = customers->customerText(static_cast<int32_t>(number));
    return text ? *std::move(text) : entry;
}

namespace {

// The texts a detailed block takes from its line.
void takeTexts(CArbzt& block, const CZeitZeile& line, const CustomerLookup* customers) {
    if (line.kind == kKindCustomer) {
        block.text = customerDisplayText(line.customer, customers);
    } else if (line.kind != kKindWorkingTime) {
        block.text = line.kind;
    }
    block.service = line.service;
    block.remark = line.remark;
}

// The length of [a, b] inside [windowStart, windowEnd].
int64_t overlap(int64_t a, int64_t b, int64_t windowStart, int64_t windowEnd) {
    return std::max<int64_t>(0, std::min(b, windowEnd) - std::max(a, windowStart));
}

// The minutes of the block in a window that does not wrap past midnight.
int64_t minutesInWindow(const CArbzt& block, int64_t windowStart, int64_t windowEnd) {
    int64_t from = clockOf(block.fromHour, block.fromMinute);
    int64_t to = clockOf(block.toHour, block.toMinute);
    if (from >= kMinutesPerDay) {
        from -= kMinutesPerDay;
        to -= kMinutesPerDay;
    }
    int64_t result = overlap(from, std::min(to, kMinutesPerDay), windowStart, windowEnd);
    if (to > kMinutesPerDay) result += overlap(0, to - kMinutesPerDay, windowStart, windowEnd);
    return result;
}

} // namespace

int32_t CArbzt::workMinutes() const {
    return standby ? 0 : saturatedInt32(static_cast<int64_t>(span) - pause);
}

int32_t CArbzt::standbyMinutes() const {
    return standby ? saturatedInt32(static_cast<int64_t>(span) - pause) : 0;
}

double CArbzt::creditedMinutes() const {
    const double net = static_cast<double>(span) - pause;
    return standby ? net * standbyRating * 0.01 : net;
}

void CArbzt::setFrom(std::string_view text) {
    const std::optional<ClockParts> clock = splitClock(text);
    if (!clock) {
        fromHour = -1;
        return;
    }
    fromHour = clock->hour;
    fromMinute = clock->minute;
}

void CArbzt::setTo(std::string_view text) {
    if (const std::optional<ClockParts> clock = splitClock(text)) {
        toHour = clock->hour;
        toMinute = clock->minute;
        if (fromHour == -1) {
            fromHour = toHour;
            fromMinute = toMinute;
        }
    } else {
        if (fromHour == -1) fromHour = 0;
        toHour = fromHour;
        toMinute = fromMinute;
    }
    // As the span text of from..to: nothing when the end lies before the start or 48 hours after it.
    const int64_t minutes = clockOf(toHour, toMinute) - clockOf(fromHour, fromMinute);
    span = minutes < 0 || minutes >= 2 * kMinutesPerDay ? 0 : static_cast<int32_t>(minutes);
}

ExportedBlock CArbzt::exported() const {
    ExportedBlock e;
    e.startHour = fromHour >= 24 ? fromHour - 24 : fromHour;
    e.fromMinute = fromMinute;
    e.endHour = clockOf(toHour, toMinute) > kMinutesPerDay ? toHour - 24 : toHour;
    e.toMinute = toMinute;
    e.pause = pause;
    e.creditedMinutes = creditedMinutes();
    e.workMinutes = workMinutes();
    e.rawFromHour = fromHour;
    e.rawFromMinute = fromMinute;
    e.rawToHour = toHour;
    e.rawToMinute = toMinute;
    e.span = span;
    e.rawPause = pause;
    e.text = text;
    e.service = service;
    e.remark = remark;
    e.standby = standby != 0;
    e.standbyMinutes = standbyMinutes();
    e.calculationSums = calculationSums;
    return e;
}

int32_t lineNetMinutes(const CZeitZeile& line, const CEinstArbzt& settings) {
    const int64_t net = static_cast<int64_t>(line.duration) - line.pause;
    if (!isStandby(line)) return saturatedInt32(net);
    return truncatedInt32(static_cast<double>(net) * settings.standbyRatingPercent * 0.01);
}

int32_t lineNetMinutes(const CZeitZeile& line) {
    if (!isStandby(line)) return saturatedInt32(static_cast<int64_t>(line.duration) - line.pause);
    return lineNetMinutes(line, settingsOf(line));
}

double lineCost(int32_t costKind, double costAmount, int32_t duration, std::string_view service,
                const CEinstArbzt* settings, int32_t month, bool& notAvailable) {
    switch (costKind) {
    case kCostFixedAmount:
        return costAmount;
    case kCostPerHour:
        return roundAmount(duration * costAmount / 60, 0, 2);
    case kCostFromHourlyWage: {
        if (settings == nullptr) throw LorvanError(kPointerNotSet);
        if (!settings->wagesAsCostsInCustomerQuery) {
            notAvailable = true;
            return 0.0;
        }
        const WagePeriod& period = settings->wagePeriodForMonth(month);
        const auto deviating = period.deviatingHourlyWages.find(std::string(service));
        const double wage =
            deviating != period.deviatingHourlyWages.end() ? deviating->second : period.hourlyWage;
        return roundAmount(wage * duration / 60, 0, 2);
    }
    default:
        return 0.0;
    }
}

double lineCost(const CZeitZeile& line, bool& notAvailable) {
    if (line.costKind != kCostFromHourlyWage)
        return lineCost(line.costKind, line.costAmount, line.duration, line.service, nullptr, 0, notAvailable);
    return lineCost(line.costKind, line.costAmount, line.duration, line.service, &settingsOf(line),
                    line.day()->month()->number(), notAvailable);
}

std::vector<CArbzt> buildBlocks(const CTagDoc& day, bool detailed,
                                std::map<std::string, int32_t>* serviceMinutes,
                                const CustomerLookup* customers) {
    std::vector<CArbzt> blocks;
    const std::span<const CZeitZeile> lines = day.lines();
    if (lines.empty()) return blocks;
    blocks.reserve(lines.size()); // at most one block per line: the vector never moves its blocks
    const CEinstArbzt& settings = settingsOf(day);

    CArbzt block;
    int64_t pauseSum = 0;
    std::array<double, 3> calculationSums{};
    const auto close = [&](const CZeitZeile& last) {
        if (detailed) takeTexts(block, last, customers);
        if (isStandby(last)) {
            block.standby = 1;
            block.standbyRating = settings.standbyRatingPercent;
            if (detailed) block.text = standbyText(last.kind, block.standbyRating);
        }
        block.setTo(last.to);
        block.pause = saturatedInt32(pauseSum);
        block.calculationSums = calculationSums;
        blocks.push_back(std::move(block));
    };

    const CZeitZeile* previous = nullptr;
    for (const CZeitZeile& line : lines) {
        if (serviceMinutes != nullptr && !detailed && !line.service.empty()) {
            int32_t& minutes = (*serviceMinutes)[line.service];
            minutes = saturatedInt32(static_cast<int64_t>(minutes) + lineNetMinutes(line, settings));
        }
        if (previous != nullptr) {
            const bool continues = !detailed && previous->to == line.from &&
                                   isStandby(*previous) == isStandby(line) &&
                                   !(settings.nightSurchargeOn && (isBreak(*previous) || isBreak(line)));
            if (!continues) {
                close(*previous);
                block = CArbzt{};
                block.setFrom(line.from);
                pauseSum = 0;
                calculationSums = {};
            }
        } else {
            block.setFrom(line.from);
        }
        pauseSum += line.pause;
        for (size_t i = 0; i < calculationSums.size(); ++i)
            calculationSums[i] += line.calculationFields[i];
        previous = &line;
    }
    close(*previous);
    return blocks;
}

ClockWindow clockWindow(std::string_view windowStart, std::string_view windowEnd) {
    ClockWindow window{parseClock(windowStart), parseClock(windowEnd)};
    if (window.end == 0) window.end = kMinutesPerDay;
    return window;
}

int32_t windowMinutes(const CArbzt& block, std::string_view windowStart, std::string_view windowEnd,
                      bool subtractPause) {
    return windowMinutes(block, clockWindow(windowStart, windowEnd), subtractPause);
}

int32_t windowMinutes(const CArbzt& block, const ClockWindow& window, bool subtractPause) {
    if (block.standby || block.span == block.pause) return 0;
    const int64_t start = window.start;
    const int64_t end = window.end;
    // A window such as 22:00-6:00 runs past midnight: count 0:00-6:00 and 22:00-24:00.
    const int64_t result =
        end < start ? minutesInWindow(block, 0, end) + minutesInWindow(block, start, kMinutesPerDay)
                    : minutesInWindow(block, start, end);
    if (subtractPause && block.pause > 0 && block.pause < result)
        return static_cast<int32_t>(result - block.pause);
    return static_cast<int32_t>(result);
}

std::string statusText(const CTagDoc& day) {
    std::string status;
    if (!day.complete) {
        status = "Unvollständig";
    } else if (day.publicHoliday) {
        status = "Feiertag";
    } else {
        switch (day.dayKind) {
        case kVacation:
            status = "Urlaub";
            break;
        case kSickWithPay:
            status = "Krank";
            break;
        case kTimeOff:
            status = "Zeitausgleich";
            break;
        case kHalfVacationDay:
            status = "Urlaub (1/2)";
            break;
        case kDayOff:
            status = "Frei";
            break;
        case kSickWithSickPay:
            status = "Krankengeld";
            break;
        case kChildSick:
            status = "Krank Kind";
            break;
        case kParentalLeave:
            status = "Elternzeit";
            break;
        case kNotEmployed:
            status = "Nicht beschäftigt";
            break;
        default:
            if (day.lineCount() == 0 && isMondayToFriday(day.date())) status = "Keine Zeiten";
            break;
        }
    }
    if (!day.internalRemark.empty()) {
        if (!status.empty()) status += " / ";
        status += day.internalRemark;
    }
    return status;
}

int32_t statusCategory(const CTagDoc& day) {
    if (!day.complete) return 1;
    if (day.publicHoliday) return 2;
    switch (day.dayKind) {
    case kVacation:
        return 3;
    case kHalfVacationDay:
        return 4;
    case kSickWithPay:
    case kSickWithSickPay:
    case kChildSick:
        return 5;
    case kTimeOff:
        return 6;
    case kDayOff:
    case kParentalLeave:
    case kNotEmployed:
        return 7;
    default:
        return day.lineCount() > 0 || !isMondayToFriday(day.date()) ? 0 : 8;
    }
}

} // namespace lorvan
