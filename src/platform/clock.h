#pragma once

#include "foundation/datum.h"

namespace lorvan {

// "Today" comes from here, so that every rule that reads it is tested on fixed dates.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Datum today() const = 0;
};

class SystemClock final : public Clock {
public:
    Datum today() const override;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(Datum today) : today_(today) {}
    Datum today() const override { return today_; }
    void set(Datum today) { today_ = today; }

private:
    Datum today_;
};

} // namespace lorvan
