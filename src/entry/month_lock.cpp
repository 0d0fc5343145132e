#include "entry/month_lock.h"

#include "app/application.h"

namespace lorvan {

MonthClosedRule monthClosedRule(const CLorvanApp& app) {
    return [&app](int32_t month, int32_t year) { return app.isMonthClosed(month, year); };
}

} // namespace lorvan
