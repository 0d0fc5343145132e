#pragma once

#include "yearfile/settings.h"

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The time lines of a year file read straight from its bytes, for evaluations that sum the lines of
// many files (the customer query): the settings and, per line, what such a sum needs. Everything
// else is passed over, with the same checks as the full load (CLorvanDoc::fromBytes): every count
// and length against the bytes left, month and day numbers within the calendar. So a file is read
// here exactly when the full load reads it, and the lines come as the full load would hold them:
// in month and day order, a later record of the same month or day replacing the earlier one.
namespace lorvan {

// One time line; the texts are UTF-8 and live as long as the YearFileLines and the file's bytes.
struct TimeLineFields {
    int32_t month = 0;
    int32_t day = 0;
    std::string_view kind;
    std::string_view customer;
    std::string_view from;
    std::string_view to;
    std::string_view service;
    int32_t duration = 0; // minutes, the pause included
    int32_t costKind = 0;
    double costAmount = 0.0;
};

class YearFileLines {
  public:
    YearFileLines() = default;
    YearFileLines(const YearFileLines&) = delete;
    YearFileLines& operator=(const YearFileLines&) = delete;

    // Reads the bytes of a whole year file, which must outlive the lines. Raises what the full load
    // raises for them (the newer-version or end-of-file error); nothing is kept then.
    void read(std::string_view bytes, const std::string& fileName);

    const CEinstArbzt& settings() const { return settings_; }
    // The lines in month and day order, each day's lines in their order.
    std::span<const TimeLineFields> lines() const { return reordered_ ? std::span(sortedLines_) : std::span(lines_); }

  private:
    void clear();
    // A stored text that is not plain ASCII (Windows-1252 or UTF-16) in UTF-8, kept in texts_.
    std::string_view decodedText(std::string_view bytes, bool utf16);

    CEinstArbzt settings_;
    std::vector<TimeLineFields> lines_; // in the file's order
    std::vector<TimeLineFields> sortedLines_;
    bool reordered_ = false; // the file's order needed sorting
    std::deque<std::string> texts_; // texts that are not plain ASCII, in UTF-8
};

} // namespace lorvan
