#include "foundation/time_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace lorvan {
namespace {

TEST(TimeText, FormatMinutes) {
    struct Case {
        int32_t minutes;
        int style;
        bool withPlus;
        const char* expected;
    };
    const Case cases[] = {
        {-90, 2, false, "-01:30"},
        {90, 1, true, "+1:30"},
        {0, 2, false, "00:00"},
        {0, 2, true, "+00:00"},
        {0, 1, false, "0:00"},
        {425, 1, false, "7:05"},
        {425, 2, false, "07:05"},
        {425, 0, false, "07:05"},
        {7500, 1, false, "125:00"},
        {7500, 2, false, "125:00"},
        {-5, 1, true, "-0:05"},
        {-5, 2, false, "-00:05"},
        {59, 2, false, "00:59"},
        {60, 2, false, "01:00"},
        {std::numeric_limits<int32_t>::min(), 2, false, "-35791394:08"},
        {std::numeric_limits<int32_t>::max(), 2, false, "35791394:07"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatMinutes(c.minutes, c.style, c.withPlus), c.expected)
            << c.minutes << " " << c.style << " " << c.withPlus;
}

TEST(TimeText, ParseClock) {
    struct Case {
        const char* text;
        int32_t minutes;
    };
    const Case cases[] = {
        {"7:30", 450}, {"07:30", 450}, {"0:00", 0},    {"24:00", 1440}, {"47:59", 2879},
        {"7:5", 425},  {"7:5x", 425},  {"7x:30", 450}, {":30", 30},     {"7:", 420},
        {"730", 0},    {"", 0},        {"7", 0},       {"1:30:45", 90}, {"a:b", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseClock(c.text), c.minutes) << '"' << c.text << '"';
}

TEST(TimeText, ParseDuration) {
    struct Case {
        const char* text;
        int32_t minutes;
    };
    const Case cases[] = {
        // the documented examples
        {"7:30", 450},
        {"730", 450},
        {"7,5", 450},
        {"7", 420},
        {"10", 10},
        {"", 0},
        // colon forms
        {"0:45", 45},
        {"0:00", 0},
        {"12:00", 720},
        // longer than two characters without decimal mark: colon before the last two
        {"130", 90},
        {"1245", 765},
        {"100", 60},
        {"005", 5},
        {"000", 0},
        // decimal forms
        {"7.5", 450},
        {"0.25", 15},
        {"0,25", 15},
        {",25", 15},
        {"1,75", 105},
        {"0,1", 6},
        {"1,05", 63},
        {"0,0", 0},
        {"7,50", 450},
        // one or two characters: below 10 hours, else minutes
        {"8", 480},
        {"9", 540},
        {"30", 30},
        {"45", 45},
        {"0", 0},
        {"5,", 300}, // two characters: read as the integer 5
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDuration(c.text), c.minutes) << '"' << c.text << '"';
}

// Every quarter and tenth of an hour typed with a decimal comma gives the exact minutes.
TEST(TimeText, ParseDurationDecimalHoursAreExact) {
    for (int hours = 0; hours < 48; ++hours) {
        for (int hundredths = 0; hundredths < 100; hundredths += 5) {
            const std::string text =
                std::to_string(hours) + "," + (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
            const int expected = hours * 60 + hundredths * 60 / 100;
            if (expected == 0) continue; // "0,00" falls through to the integer rule
            EXPECT_EQ(parseDuration(text), expected) << text;
        }
    }
}

struct NormalizeCase {
    const char* text;
    bool secondsMode;
    bool timeOfDay;
    bool valid;
    const char* result; // the text afterwards
};

TEST(TimeText, NormalizeTime) {
    const NormalizeCase cases[] = {
        // the documented examples
        {"24:00", false, true, true, "24:00"},
        {"24:01", false, true, false, "24:01"},
        {"25:30", false, false, true, "25:30"},
        {"48:00", false, false, false, "48:00"},
        {"48:00", false, true, false, "48:00"},
        {"7", false, false, true, "07:00"},
        {"7:5x", false, false, false, "7:5x"},
        // empty and blanks
        {"", false, false, true, ""},
        {"", true, true, true, ""},
        {"   ", false, true, true, ""},
        // rewriting
        {"7:5", false, true, true, "07:05"},
        {"07:05", false, true, true, "07:05"},
        {" 7 : 30 ", false, true, true, "07:30"},
        {"0", false, true, true, "00:00"},
        {"23:59", false, true, true, "23:59"},
        {"47:59", false, false, true, "47:59"},
        {"7:30:15", false, false, true, "07:30"},
        {"7:", false, false, true, "07:00"},
        {":30", false, false, true, "00:30"},
        // limits
        {"24:00:00", false, true, true, "24:00"},
        {"24:00:01", false, true, false, "24:00:01"},
        {"24:30", false, false, true, "24:30"},
        {"25:00", false, true, false, "25:00"},
        {"7:60", false, false, false, "7:60"},
        {"7:30:60", false, false, false, "7:30:60"},
        {"99999999999999999999:00", false, false, false, "99999999999999999999:00"},
        // characters
        {"-1:00", false, false, false, "-1:00"},
        {"7.30", false, false, false, "7.30"},
        {"7:30:00:00", false, false, false, "7:30:00:00"},
        {"7h", false, false, false, "7h"},
        // secondsMode
        {"5", true, false, true, "05:00"},
        {"5:7", true, false, true, "05:07"},
        {"0:5:7", true, false, true, "05:07"},
        {"1:05:07", true, false, true, "01:05:07"},
        {"1:5:7", true, true, true, "01:05:07"},
        {"5:60", true, false, false, "5:60"},
        {"60", true, false, false, "60"},
        {"24:00:00", true, true, true, "24:00:00"},
        {"24:01:00", true, true, false, "24:01:00"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(normalizeTime(text, c.secondsMode, c.timeOfDay), c.valid)
            << '"' << c.text << "\" seconds=" << c.secondsMode << " timeOfDay=" << c.timeOfDay;
        EXPECT_EQ(text, c.result) << '"' << c.text << '"';
    }
}

TEST(TimeText, CompleteTimeInput) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"", ""},          {"7", "7:00"},  {"12", "12:00"},  {"730", "7:30"},
        {"1245", "12:45"}, {"7:3", "7:3"}, {"7:30", "7:30"}, {"12345", "123:45"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(completeTimeInput(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TimeText, SpanText) {
    struct Case {
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"7:30", "16:15", "08:45"}, {"8:00", "8:00", "00:00"}, {"22:00", "30:00", "08:00"},
        {"0:00", "47:59", "47:59"}, {"0:00", "48:00", ""},     {"16:00", "8:00", ""},
        {"8:45", "9:15", "00:30"},  {"", "", "00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spanText(c.from, c.to), c.expected) << c.from << " " << c.to;
}

TEST(TimeText, AddAndSubClock) {
    EXPECT_EQ(addClock("7:30", 45), "08:15");
    EXPECT_EQ(addClock("23:30", 60), "24:30");
    EXPECT_EQ(addClock("47:00", 59), "47:59");
    EXPECT_EQ(addClock("47:00", 60), "");
    EXPECT_EQ(addClock("0:00", 0), "00:00");
    EXPECT_EQ(addClock("1:00", -30), "00:30");
    EXPECT_EQ(addClock("1:00", -61), ""); // a time before midnight has no text

    EXPECT_EQ(subClock("8:15", 45), "07:30");
    EXPECT_EQ(subClock("8:15", 495), "00:00");
    EXPECT_EQ(subClock("8:15", 496), "");
    EXPECT_EQ(subClock("30:00", 60), "29:00");
}

TEST(TimeText, ClockOfDay) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"7:30", "07:30"},  {"24:00", "24:00"}, {"24:01", "00:01"}, {"25:30", "01:30"},
        {"47:59", "23:59"}, {"23:59", "23:59"}, {"0:00", "00:00"},  {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clockOfDay(c.text), c.expected) << '"' << c.text << '"';
}

} // namespace
} // namespace lorvan
