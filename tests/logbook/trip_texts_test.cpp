#include "logbook/trip_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

TEST(TripTexts, KindTextAndLetterWithCancelledAndOutOfRangeKinds) {
    struct Case {
        int32_t kind;
        bool cancelled;
        const char* text;
        const char* letter;
    };
    const Case cases[] = {
        {kTripBusiness, false, "Geschäftlich", "G"},
        {kTripCommute, false, "Arbeitsweg", "A"},
        {kTripPrivate, false, "Privat", "P"},
        {kTripUnknown, false, "Unbekannt", "U"},
        {7, false, "Privat", "P"},
        {-1, false, "Privat", "P"},
        {kTripBusiness, true, "Storno", "S"},
        {kTripUnknown, true, "Storno", "S"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << (c.cancelled ? " cancelled" : ""));
        EXPECT_EQ(tripKindText(c.kind, c.cancelled), c.text);
        EXPECT_EQ(tripKindLetter(c.kind, c.cancelled), c.letter);
    }
}

TEST(TripTexts, KilometresWithOneDecimalAndComma) {
    EXPECT_EQ(kilometresText(12345.6), "12345,6");
    EXPECT_EQ(kilometresText(0), "0,0");
    EXPECT_EQ(kilometresText(99.96), "100,0");
    EXPECT_EQ(kilometresText(100000), "100000,0");
}

TEST(TripTexts, ShownPersonAndLocation) {
    EXPECT_EQ(shownPerson("10042", "Bäckerei Korn"), "Bäckerei Korn");
    EXPECT_EQ(shownPerson("Frau Lenz", ""), "Frau Lenz");
    EXPECT_EQ(locationText("Hauptstr. 1", "Köln"), "Hauptstr. 1, Köln");
    EXPECT_EQ(locationText("", "Köln"), "Köln");
    EXPECT_EQ(locationText("Hauptstr. 1", ""), "Hauptstr. 1");
}

TEST(TripTexts, TimeSpanWithDuration) {
    struct Case {
        const char* startDate;
        const char* startTime;
        const char* endDate;
        const char* endTime;
        const char* withDuration;
        int32_t minutes;
    };
    const Case cases[] = {
        {"01.03.2024", "08:00", "01.03.2024", "09:30", "01.03.2024   08:00 - 09:30  (1:30 h)", 90},
        // past midnight at the month's end: the end date is shown
        {"29.02.2024", "22:00", "01.03.2024", "01:15", "29.02.2024   22:00 - 01.03.2024   01:15  (3:15 h)",
         195},
        {"01.03.2024", "10:00", "03.03.2024", "10:00", "01.03.2024   10:00 - 03.03.2024   10:00  (48:00 h)",
         2880},
        // without both times there is no duration
        {"01.03.2024", "08:00", "01.03.2024", "", "01.03.2024   08:00 - ", 0},
        {"01.03.2024", "", "02.03.2024", "", "01.03.2024    - 02.03.2024   ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.withDuration);
        EXPECT_EQ(tripTimeSpanText(c.startDate, c.startTime, c.endDate, c.endTime, true), c.withDuration);
        if (c.startTime[0] != '\0' && c.endTime[0] != '\0') {
            EXPECT_EQ(tripDurationMinutes(c.startDate, c.startTime, c.endDate, c.endTime), c.minutes);
        }
    }
    EXPECT_EQ(tripTimeSpanText("01.03.2024", "08:00", "01.03.2024", "09:30", false),
              "01.03.2024   08:00 - 09:30");
}

} // namespace
} // namespace lorvan
