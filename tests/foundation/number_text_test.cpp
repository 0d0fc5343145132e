#include "foundation/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace lorvan {
namespace {

TEST(NumberText, MinutesToHours) {
    struct Case {
        int32_t minutes;
        double hours;
    };
    const Case cases[] = {
        {0, 0.0},
        {1, 0.02},
        {2, 0.03},
        {3, 0.05},
        {10, 0.17},
        {15, 0.25},
        {20, 0.33},
        {30, 0.5},
        {40, 0.67},
        {45, 0.75},
        {59, 0.98},
        {60, 1.0},
        {90, 1.5},
        {100, 1.67},
        {480, 8.0},
        {485, 8.08},
        {487, 8.12},
        {2400, 40.0},
        {10000, 166.67},
        // A deficit shows the same hours as the same surplus.
        {-1, -0.02},
        {-10, -0.17},
        {-30, -0.5},
        {-90, -1.5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(minutesToHours(c.minutes), c.hours) << c.minutes;
}

// Against the floating-point formulation of the rule for every minute value of a long range.
TEST(NumberText, MinutesToHoursAgreesWithTheFloatingPointRule) {
    for (int32_t minutes = 0; minutes <= 100000; ++minutes) {
        double x = static_cast<double>(minutes * 100 / 60) * 0.01;
        if (minutes / 60.0 - x >= 0.005) x += 0.01;
        ASSERT_NEAR(minutesToHours(minutes), x, 1e-9) << minutes;
        ASSERT_EQ(minutesToHours(-minutes), -minutesToHours(minutes)) << minutes;
    }
}

TEST(NumberText, HoursToMinutes) {
    EXPECT_EQ(hoursToMinutes(7.5), 450);
    EXPECT_EQ(hoursToMinutes(0.17), 10);
    EXPECT_EQ(hoursToMinutes(0.02), 1);
    EXPECT_EQ(hoursToMinutes(40.0), 2400);
    EXPECT_EQ(hoursToMinutes(-1.5), -90);
    EXPECT_EQ(hoursToMinutes(0.0), 0);
    EXPECT_EQ(hoursToMinutes(1e20), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(hoursToMinutes(std::nan("")), 0);
    for (int32_t minutes = -3000; minutes <= 3000; ++minutes)
        ASSERT_EQ(hoursToMinutes(minutesToHours(minutes)), minutes) << minutes;
}

TEST(NumberText, RoundAmount) {
    struct Case {
        double value;
        int mode;
        int places;
        double expected;
    };
    const Case cases[] = {
        // the documented examples
        {2.346, 0, 2, 2.35},
        {-2.346, 0, 2, -2.35},
        {2.341, 2, 2, 2.35},
        {2.349, 1, 2, 2.34},
        {7.5, 0, 0, 8.0},
        // mode 0: half away from zero
        {-7.5, 0, 0, -8.0},
        {7.49, 0, 0, 7.0},
        {0.5, 0, 0, 1.0},
        {0.4, 0, 0, 0.0},
        {2.25, 0, 1, 2.3},
        {-2.25, 0, 1, -2.3},
        {2.125, 0, 2, 2.13}, // 2.125 is exact in binary
        {12.5, 0, 2, 12.5},
        {1234.5678, 0, 2, 1234.57},
        {0.0, 0, 2, 0.0},
        // mode 1: toward zero
        {2.999, 1, 2, 2.99},
        {-2.999, 1, 2, -2.99},
        {7.9, 1, 0, 7.0},
        {-7.9, 1, 0, -7.0},
        {2.35, 1, 1, 2.3},
        // mode 2: away from zero
        {-2.341, 2, 2, -2.35},
        {7.1, 2, 0, 8.0},
        {-7.1, 2, 0, -8.0},
        {7.0, 2, 0, 7.0},
        {2.31, 2, 1, 2.4},
        {2.5, 2, 2, 2.5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundAmount(c.value, c.mode, c.places), c.expected)
            << c.value << " mode " << c.mode << " places " << c.places;
}

// Decimal amounts that binary cannot hold exactly round as written, not as their binary value.
TEST(NumberText, RoundAmountRoundsDecimalAmountsAsWritten) {
    EXPECT_EQ(roundAmount(1.005, 0, 2), 1.01); // 1.005 * 100 = 100.49999999999999
    EXPECT_EQ(roundAmount(2.675, 0, 2), 2.68);
    EXPECT_EQ(roundAmount(0.125, 0, 2), 0.13);
    EXPECT_EQ(roundAmount(0.29, 1, 2), 0.29);  // 0.29 * 100 = 28.999999999999996
    EXPECT_EQ(roundAmount(1.1, 2, 2), 1.1);    // 1.1 * 100 = 110.00000000000001
    EXPECT_EQ(roundAmount(-4.015, 0, 2), -4.02);
    for (int cents = 0; cents < 100000; ++cents) {
        const double amount = cents / 100.0;
        ASSERT_EQ(roundAmount(amount, 1, 2), amount) << amount;
        ASSERT_EQ(roundAmount(amount, 2, 2), amount) << amount;
    }
}

TEST(NumberText, RoundAmountKeepsTheSign) {
    EXPECT_TRUE(std::signbit(roundAmount(-0.001, 0, 2)));
    EXPECT_FALSE(std::signbit(roundAmount(0.001, 0, 2)));
}

TEST(NumberText, FormatAmount) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.0, ""},       {-0.0, ""},          {12.5, "12,50"}, {1234.5, "1234,50"}, {-3.25, "-3,25"},
        {0.001, "0,00"}, {1e6, "1000000,00"}, {0.125, "0,12"}, // printf rounds the binary value
        {2.675, "2,67"}, {99.999, "100,00"},  {1.0, "1,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatAmount(c.value), c.expected) << c.value;
    EXPECT_EQ(formatAmount(1e300).size(), 304u);
}

TEST(NumberText, DecimalMarks) {
    EXPECT_EQ(decimalCommaToPoint("1,5"), "1.5");
    EXPECT_EQ(decimalCommaToPoint("1,5,6"), "1.5.6");
    EXPECT_EQ(decimalCommaToPoint(""), "");
    EXPECT_EQ(decimalPointToComma("1.5"), "1,5");
    EXPECT_EQ(decimalPointToComma("1.000.5"), "1,000,5");
}

TEST(NumberText, IsNumberText) {
    struct Case {
        const char* text;
        bool allowPunctuation;
        bool expected;
    };
    const Case cases[] = {
        {"", false, true},    {"", true, true},         {"0123456789", false, true}, {"12,5", false, false},
        {"12,5", true, true}, {"-1.000,5", true, true}, {"1 2", true, false},        {"+1", true, false},
        {"1e5", true, false}, {"12a", false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isNumberText(c.text, c.allowPunctuation), c.expected) << '"' << c.text << '"';
}

TEST(NumberText, ToFileNamePart) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"Jörg Weiß-Bäcker", "Joerg_WeissBaecker"},
        {"ÄÖÜ äöü ß", "AeOeUe_aeoeue_ss"},
        {"Müller, Hans", "Mueller_Hans"},
        {"O'Brien & Co.", "OBrien__Co"},
        {"Zoë Ñandú", "Zo_and"}, // other letters are deleted
        {"A\xC3", "A"},          // a truncated UTF-8 sequence
        {"\xC3"
         "A",
         "A"},                       // a stray lead byte does not swallow the next character
        {"a\xCC\x88rger", "aerger"}, // decomposed ä
        {"Jo\xCC\x88rg", "Joerg"},
        {"x\xCC\x88", "x"}, // a diaeresis on another letter is deleted
        {"snake_case 42", "snake_case_42"},
        {"€ 5", "_5"},
        {"", ""},
        {"\t\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toFileNamePart(c.text), c.expected) << '"' << c.text << '"';
}

} // namespace
} // namespace lorvan
