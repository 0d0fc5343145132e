#pragma once

#include "foundation/format.h"
#include "yearfile/year_file.h"
#include "yearfile/year_file_lines.h"

#include <string>

namespace lorvan::test {

// The fields a lean reading of a year file gives (YearFileLines), one text line per time line in
// order, so that a full load and a lean reading compare with a readable difference.
inline std::string timeLineText(int32_t month, int32_t day, std::string_view kind, std::string_view customer,
                                std::string_view from, std::string_view to, std::string_view service,
                                int32_t duration, int32_t costKind, double costAmount) {
    return format("%02d.%02d ", day, month) + std::string(kind) + "|" + std::string(customer) + "|" +
           std::string(from) + "-" + std::string(to) + "|" + std::string(service) + "|" +
           format("%d|%d|%.17g\n", duration, costKind, costAmount);
}

inline std::string timeLineTexts(const CLorvanDoc& document) {
    std::string text = document.settings().name + format(" %d\n", document.settings().year);
    for (const auto& [m, month] : document.months())
        for (const auto& [d, day] : month.days())
            for (const CZeitZeile& line : day.lines())
                text += timeLineText(m, d, line.kind, line.customer, line.from, line.to, line.service, line.duration,
                                     line.costKind, line.costAmount);
    return text;
}

inline std::string timeLineTexts(const YearFileLines& lines) {
    std::string text = lines.settings().name + format(" %d\n", lines.settings().year);
    for (const TimeLineFields& line : lines.lines())
        text += timeLineText(line.month, line.day, line.kind, line.customer, line.from, line.to, line.service,
                             line.duration, line.costKind, line.costAmount);
    return text;
}

} // namespace lorvan::test
