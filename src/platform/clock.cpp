#include "platform/clock.h"

#include <ctime>

namespace lorvan {

Datum SystemClock::today() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Datum{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

} // namespace lorvan
