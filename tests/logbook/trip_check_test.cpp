#include "logbook/logbook_file.h"
#include "logbook/trip_check.h"

#include <gtest/gtest.h>

#include <functional>

namespace lorvan {
namespace {

// A logbook of 2026 starting at 1000 km with one valid trip on 10.03.2026 08:00-09:00 to 1100 km
// and a cancelled one after it; the trip to check follows them.
CTwFahrtenbuchDoc logbook2026() {
    CTwFahrtenbuchDoc doc;
    doc.year = 2026;
    doc.startKilometres = 1000.0;
    CFahrtDoc first;
    first.kilometres = 1100.0;
    first.startDate = first.endDate = "10.03.2026";
    first.startTime = "08:00";
    first.endTime = "09:00";
    first.street = "Weg";
    first.place = "Ort";
    first.driver = "Anna";
    first.purpose = "Besuch";
    first.person = "Firma Y";
    doc.trips.push_back(first);
    CFahrtDoc cancelled = first;
    cancelled.kilometres = 1500.0;
    cancelled.endDate = "12.03.2026";
    cancelled.status = 1;
    doc.trips.push_back(cancelled);
    return doc;
}

CFahrtDoc validTrip() {
    CFahrtDoc trip;
    trip.kindValue = 0;
    trip.driver = "Anna";
    trip.street = "Hauptstr. 1";
    trip.place = "Musterstadt";
    trip.kilometres = 1150.0;
    trip.startDate = trip.endDate = "10.03.2026";
    trip.startTime = "10:00";
    trip.endTime = "11:00";
    trip.purpose = "Kundenbesuch";
    trip.person = "Firma X";
    return trip;
}

TEST(CheckTrip, RulesInTheirOrderWithMessageAndField) {
    struct Case {
        const char* name;
        std::function<void(CFahrtDoc&)> change;
        Datum today;
        const char* message;
        TripField field;
    };
    const Datum day{15, 3, 2026};
    const char* kMonth = "Fahrtenbuch-Einträge dürfen maximal einen Monat nach der Fahrt erfasst werden, um die "
                         "Ordnungsmäßigkeit für das Finanzamt sicherzustellen.";
    const Case cases[] = {
        {"valid", [](CFahrtDoc&) {}, day, "", TripField::None},
        {"no driver", [](CFahrtDoc& t) { t.driver.clear(); }, day, "Der Name des Fahrers muss eingegeben werden.", TripField::Driver},
        {"unknown kind without driver", [](CFahrtDoc& t) { t.driver.clear(); t.kindValue = 3; }, day, "", TripField::None},
        {"driver before street", [](CFahrtDoc& t) { t.driver.clear(); t.street.clear(); }, day,
         "Der Name des Fahrers muss eingegeben werden.", TripField::Driver},
        {"no street", [](CFahrtDoc& t) { t.street.clear(); }, day, "Der neue Standort muss eingegeben werden.", TripField::Street},
        {"no place", [](CFahrtDoc& t) { t.place.clear(); }, day, "Der neue Standort muss eingegeben werden.", TripField::Place},
        {"no reading", [](CFahrtDoc& t) { t.kilometres = 0; }, day, "Es muss der neue Kilometerstand eingegeben werden.", TripField::Kilometres},
        {"reading not above", [](CFahrtDoc& t) { t.kilometres = 1100; }, day,
         "Der neue Kilometerstand muss größer als der alte Kilometerstand sein.", TripField::Kilometres},
        {"no start date", [](CFahrtDoc& t) { t.startDate.clear(); }, day, "Der Tag der Fahrt muss eingegeben werden.", TripField::StartDate},
        {"no end date", [](CFahrtDoc& t) { t.endDate.clear(); }, day, "Der Tag des Endes der Fahrt muss eingegeben werden.", TripField::EndDate},
        {"bad start date", [](CFahrtDoc& t) { t.startDate = "31.02.2026"; }, day, "Der Beginn der Fahrt ist kein gültiges Datum.", TripField::StartDate},
        {"bad end date", [](CFahrtDoc& t) { t.endDate = "3.2026"; }, day, "Das Ende der Fahrt ist kein gültiges Datum.", TripField::EndDate},
        {"start after end", [](CFahrtDoc& t) { t.startDate = "11.03.2026"; }, day, "Der Beginn der Fahrt muss vor dem Ende liegen.", TripField::StartDate},
        {"end in the future", [](CFahrtDoc& t) { t.endDate = "16.03.2026"; }, day, "Das Datum darf nicht in der Zukunft liegen.", TripField::EndDate},
        {"31 days later", [](CFahrtDoc&) {}, {10, 4, 2026}, "", TripField::None},
        {"32 days later", [](CFahrtDoc&) {}, {11, 4, 2026}, kMonth, TripField::StartDate},
        {"33 days later", [](CFahrtDoc&) {}, {12, 4, 2026}, kMonth, TripField::StartDate},
        {"other year", [](CFahrtDoc& t) { t.startDate = t.endDate = "31.12.2025"; }, {2, 1, 2026},
         "Die Fahrt muss im Jahr des Fahrtenbuchs liegen.", TripField::StartDate},
        {"bad start time", [](CFahrtDoc& t) { t.startTime = "25:00"; }, day, "Die Startzeit '25:00' ist ungültig.", TripField::StartTime},
        {"bad end time", [](CFahrtDoc& t) { t.endTime = "7:5x"; }, day, "Die Zielzeit '7:5x' ist ungültig.", TripField::EndTime},
        {"end not after start", [](CFahrtDoc& t) { t.endTime = "10:00"; }, day, "Die Zielzeit muss größer als die Startzeit sein.", TripField::EndTime},
        {"end before start over midnight", [](CFahrtDoc& t) { t.endDate = "11.03.2026"; t.endTime = "01:00"; }, day, "", TripField::None},
        {"before the previous day", [](CFahrtDoc& t) { t.startDate = t.endDate = "09.03.2026"; }, day,
         "Der Tag darf nicht kleiner als der Tag des vorherigen Eintrags sein.", TripField::StartDate},
        {"start before previous end", [](CFahrtDoc& t) { t.startTime = "08:59"; }, day,
         "Die Startzeit darf nicht größer als die Zielzeit des vorherigen Eintrags sein.", TripField::StartTime},
        {"start at previous end", [](CFahrtDoc& t) { t.startTime = "09:00"; }, day, "", TripField::None},
        {"no start time", [](CFahrtDoc& t) { t.startTime.clear(); }, day, "", TripField::None},
        {"business without purpose", [](CFahrtDoc& t) { t.purpose.clear(); }, day, "Der Zweck der Fahrt muss eingegeben werden.", TripField::Purpose},
        {"business without person", [](CFahrtDoc& t) { t.person.clear(); }, day, "Das Ziel der Fahrt muss eingegeben werden.", TripField::Person},
        {"private without purpose and person", [](CFahrtDoc& t) { t.purpose.clear(); t.person.clear(); t.kindValue = 2; }, day, "", TripField::None},
    };
    const CTwFahrtenbuchDoc doc = logbook2026();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFahrtDoc trip = validTrip();
        c.change(trip);
        const TripProblem problem = checkTrip(trip, tripCheckContext(doc, doc.trips.size(), c.today));
        EXPECT_EQ(problem.message, c.message);
        EXPECT_EQ(problem.field, c.field);
    }
}

TEST(CheckTrip, WithoutAValidTripTheStartReadingCounts) {
    CTwFahrtenbuchDoc doc;
    doc.year = 2026;
    doc.startKilometres = 500.0;
    CFahrtDoc cancelled = validTrip();
    cancelled.kilometres = 900.0;
    cancelled.status = 1;
    doc.trips.push_back(cancelled);
    CFahrtDoc trip = validTrip();
    trip.startDate = trip.endDate = "02.01.2026";
    EXPECT_TRUE(checkTrip(trip, tripCheckContext(doc, 1, {2, 1, 2026})).ok());
    trip.kilometres = 500.0;
    EXPECT_EQ(checkTrip(trip, tripCheckContext(doc, 0, {2, 1, 2026})).field, TripField::Kilometres);
}

TEST(CheckTrip, SameDayComparisonLooksBackToTheNearestTripWithATime) {
    CTwFahrtenbuchDoc doc = logbook2026();
    CFahrtDoc untimed = validTrip();
    untimed.kilometres = 1120.0;
    untimed.startTime.clear();
    untimed.endTime.clear();
    doc.trips.push_back(untimed); // after the cancelled one, no times
    CFahrtDoc trip = validTrip();
    trip.startTime = "08:30";
    const TripProblem problem = checkTrip(trip, tripCheckContext(doc, doc.trips.size(), {15, 3, 2026}));
    EXPECT_EQ(problem.message, "Die Startzeit darf nicht größer als die Zielzeit des vorherigen Eintrags sein.");
    trip.startTime = "09:30";
    EXPECT_TRUE(checkTrip(trip, tripCheckContext(doc, doc.trips.size(), {15, 3, 2026})).ok());
}

TEST(CheckTrip, AChangedTripMustNotOvertakeTheNextValidTrip) {
    CTwFahrtenbuchDoc doc = logbook2026();
    CFahrtDoc next = validTrip(); // 1150 km, 10.03. 10:00-11:00
    doc.trips.push_back(next);
    struct Case {
        const char* name;
        std::function<void(CFahrtDoc&)> change;
        const char* message;
        TripField field;
    };
    const Case cases[] = {
        {"unchanged", [](CFahrtDoc&) {}, "", TripField::None},
        {"reading beyond the next", [](CFahrtDoc& t) { t.kilometres = 1150.0; },
         "Der neue Kilometerstand muss größer als der alte Kilometerstand sein.", TripField::Kilometres},
        {"ends after the next started", [](CFahrtDoc& t) { t.endTime = "10:30"; },
         "Die Startzeit darf nicht größer als die Zielzeit des vorherigen Eintrags sein.", TripField::EndTime},
        {"ends on a later day", [](CFahrtDoc& t) { t.endDate = "11.03.2026"; },
         "Der Tag darf nicht kleiner als der Tag des vorherigen Eintrags sein.", TripField::EndDate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFahrtDoc trip = doc.trips[0];
        c.change(trip);
        const TripProblem problem = checkTrip(trip, tripCheckContext(doc, 0, {15, 3, 2026}));
        EXPECT_EQ(problem.message, c.message);
        EXPECT_EQ(problem.field, c.field);
    }
}

} // namespace
} // namespace lorvan
