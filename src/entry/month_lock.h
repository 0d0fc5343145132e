#pragma once

#include "entry/file_views.h"

#include <cstdint>
#include <functional>

namespace lorvan {

class CLorvanApp;

// Whether a month of a year is closed for changes: the desktop asks the program settings (month
// closing and temporary release), the command line its Lorvan.ini, tests a fixed rule. Every entry
// flow that changes a month answers kMonthLockedMessage and changes nothing while it holds.
using MonthClosedRule = std::function<bool(int32_t month, int32_t year)>;

// The program's month closing, asked at each use: a closing changed in the settings applies at once.
MonthClosedRule monthClosedRule(const CLorvanApp& app);

// A rule under which no month is closed.
inline MonthClosedRule noMonthClosed() {
    return [](int32_t, int32_t) { return false; };
}

} // namespace lorvan
