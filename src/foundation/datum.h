#pragma once

#include <cstdint>

namespace lorvan {

// A calendar date as day, month, year. Day 1, month 1, year 1 means "no date"; a day or month of 0
// occurs only in parse results and means "not given".
struct Datum {
    int32_t day = 1;
    int32_t month = 1;
    int32_t year = 1;

    bool isEmpty() const { return year == 1; }
    friend bool operator==(const Datum&, const Datum&) = default;
};

} // namespace lorvan
