#pragma once

#include "foundation/datum.h"

#include <cstdint>

namespace lorvan {

// A moment: the date and the minutes since midnight (0-1439).
struct ClockTime {
    Datum date;
    int32_t minutes = 0;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

// "Today" comes from here, so that every rule that reads it is tested on fixed dates.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Datum today() const = 0;
    // Today with the time of day (the rules that count hours since an entry was made need it);
    // midnight unless a clock knows better.
    virtual ClockTime now() const { return ClockTime{today(), 0}; }
};

class SystemClock final : public Clock {
public:
    Datum today() const override;
    ClockTime now() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(Datum today, int32_t minutes = 0) : today_(today), minutes_(minutes) {}
    Datum today() const override { return today_; }
    ClockTime now() const override { return ClockTime{today_, minutes_}; }
    void set(Datum today) { today_ = today; }
    void set(Datum today, int32_t minutes) {
        today_ = today;
        minutes_ = minutes;
    }

private:
    Datum today_;
    int32_t minutes_ = 0;
};

} // namespace lorvan
