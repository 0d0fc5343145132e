#include "platform/clock.h"

#include <ctime>

namespace lorvan {

Datum SystemClock::today() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Datum{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

ClockTime SystemClock::now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ClockTime{Datum{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900},
                     local.tm_hour * 60 + local.tm_min};
}

} // namespace lorvan
