#include "logbook/trip_assistant.h"

#include "logbook/preset_dialogs.h"
#include "logbook/trip_dialog.h"
#include "masterdata/customer_file.h"
#include "masterdata/customer_list.h"
#include "platform/clock.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::TempDir;
using test::YearFileBuilder;

constexpr const char* kCar = "AB-CD 123";
constexpr const char* kVan = "XY-Z 9";

// One time line of a day: kind, from, to, and what a travel line or a customer line carries.
struct Line {
    std::string kind;
    std::string from;
    std::string to;
    int32_t pause = 0;
    std::string customer = {};
    std::string vehicle = {};
    double odometer = 0.0;
    double distance = 5.0;
};

// A data directory with "Daten.fz" (two vehicles and the presets "Büro", "Wohnung" and
// "Arbeitsstelle"), a customer file, and logbooks made on demand; a year file of Anna Berg.
class TripAssistantTest : public ::testing::Test {
  protected:
    TripAssistantTest() : clock(Datum{12, 3, 2026}, 600), customerList(dir.path().string()) {
        CTwFahrzDoc vehicles;
        vehicles.put(CFahrzDoc{kCar, "Kombi"});
        vehicles.put(CFahrzDoc{kVan, "Transporter"});
        vehicles.putPreset(CFahrtVorbData{"Büro", "Hauptstr. 1", "Musterstadt", "Büroarbeit"});
        vehicles.putPreset(CFahrtVorbData{"Wohnung", "Gartenweg 2", "Musterstadt", ""});
        vehicles.putPreset(CFahrtVorbData{"Arbeitsstelle", "Werkstr. 5", "Musterstadt", ""});
        vehicles.save(vehicleFilePath(directory()));
        CTwKundenDoc customers;
        customers.put(CKundeDoc{17, "Beispiel GmbH", "Am Markt 3", "12345 Beispielstadt", "", "", 0});
        customers.save(dir.file(CTwKundenDoc::kFileName));
    }

    std::string directory() const { return dir.path().string(); }

    // A logbook of the vehicle for 2026 beginning at 10 000 km, with the given trips.
    CTwFahrtenbuchDoc& makeLogbook(const std::string& plate, std::vector<CFahrtDoc> trips = {}, bool closed = false) {
        logbookDoc = CTwFahrtenbuchDoc();
        logbookDoc.year = 2026;
        logbookDoc.plate = plate;
        logbookDoc.startKilometres = 10000.0;
        logbookDoc.startStreet = "Gartenweg 2";
        logbookDoc.startPlace = "Musterstadt";
        logbookDoc.closed = closed ? 1 : 0;
        logbookDoc.trips = std::move(trips);
        logbookDoc.save(logbookPath(directory(), plate, 2026));
        return logbookDoc;
    }

    // A trip of the logbook on 09.03.2026, entered that day.
    static CFahrtDoc loggedTrip(double kilometres, TripKind kind = TripKind::Business, bool cancelled = false) {
        CFahrtDoc trip = CFahrtDoc::newTrip(ClockTime{Datum{9, 3, 2026}, 1000});
        trip.kindValue = static_cast<int32_t>(kind);
        trip.person = "Büro";
        trip.purpose = "Büroarbeit";
        trip.driver = "Anna Berg";
        trip.street = "Hauptstr. 1";
        trip.place = "Musterstadt";
        trip.kilometres = kilometres;
        trip.startTime = "8:00";
        trip.endTime = "8:30";
        trip.status = cancelled ? 1 : 0;
        return trip;
    }

    // Day `day` of month `month` 2026 with the lines.
    void day(int32_t month, int32_t number, const std::vector<Line>& lines) {
        YearFileBuilder builder("Anna Berg", 2026);
        builder.day(month, number);
        for (const Line& line : lines) {
            builder.line(line.kind, line.from, line.to, line.pause).withLine([&](CZeitZeile& l) {
                l.customer = line.customer;
                l.vehicle = line.vehicle;
                l.odometerAfter = line.odometer;
                l.kilometresDriven = line.distance;
            });
        }
        yearFile = builder.build();
        dayDoc = yearFile.month(month)->day(number);
    }

    TripAssistant& assistant() {
        TripAssistantServices services;
        services.prompter = &prompter;
        services.clock = &clock;
        services.dataDirectory = directory();
        services.customers = &customerList;
        services.editTrip = [this](TripDialog& dialog) {
            ++dialogs;
            return editor ? editor(dialog) : false;
        };
        services.editPresets = [this] {
            if (presetChange) presetChange();
        };
        made = std::make_unique<TripAssistant>(*dayDoc, std::move(services));
        return *made;
    }

    // The trip dialog's OK after the fields were typed.
    std::function<bool(TripDialog&)> typing(std::vector<std::pair<TripField, std::string>> fields) {
        return [this, fields](TripDialog& dialog) {
            for (const auto& [field, text] : fields)
                dialog.setText(field, text);
            return dialog.confirm(prompter) == TripField::None;
        };
    }

    CTwFahrtenbuchDoc storedLogbook(const std::string& plate) const {
        CTwFahrtenbuchDoc doc;
        doc.open(logbookPath(directory(), plate, 2026));
        return doc;
    }

    TempDir dir;
    FixedClock clock;
    ScriptedPrompter prompter;
    CustomerList customerList;
    CTwFahrtenbuchDoc logbookDoc;
    CLorvanDoc yearFile;
    CTagDoc* dayDoc = nullptr;
    std::unique_ptr<TripAssistant> made;
    std::function<bool(TripDialog&)> editor;
    std::function<void()> presetChange;
    int dialogs = 0;
};

// What a proposed trip is expected to hold.
struct ExpectedTrip {
    int32_t index;
    std::string person;
    std::string purpose;
    std::string kindLetter;
    std::string start; // start date + " " + start time
    std::string arrival;
    std::string location;
    bool valid;
};

struct BuildCase {
    const char* name;
    Datum dayDate;
    Datum today;
    std::vector<Line> lines;
    std::vector<ExpectedTrip> trips;
};

TEST_F(TripAssistantTest, BuildsTheTripsOfADayFromItsTravelLines) {
    const std::vector<BuildCase> cases = {
        {"office then customer",
         {10, 3, 2026},
         {12, 3, 2026},
         {{"Fahrt", "7:00", "7:30"}, {"Büro", "7:30", "12:00"}, {"Fahrt", "12:00", "12:40"},
          {"Kunde", "12:40", "15:00", 0, "17"}},
         {{1, "Büro", "Büroarbeit", "G", "10.03.2026 07:00", "10.03.2026 07:30", "Hauptstr. 1, Musterstadt", true},
          {2, "Beispiel GmbH", "Kundenbesuch", "G", "10.03.2026 12:00", "10.03.2026 12:40",
           "Am Markt 3, 12345 Beispielstadt", true}}},
        {"two travel lines in a row",
         {10, 3, 2026},
         {12, 3, 2026},
         {{"Fahrt", "7:00", "7:30"}, {"Fahrt", "7:30", "8:00"}, {"Büro", "8:00", "12:00"}},
         {{1, "", "", "G", "10.03.2026 07:00", "10.03.2026 07:30", "", false},
          {2, "Büro", "Büroarbeit", "G", "10.03.2026 07:30", "10.03.2026 08:00", "Hauptstr. 1, Musterstadt", false}}},
        {"past midnight at the month's end",
         {31, 1, 2026},
         {10, 2, 2026},
         {{"Büro", "18:00", "23:50"}, {"Fahrt", "23:50", "24:30"}, {"Büro", "24:30", "25:00"}},
         {{1, "Büro", "Büroarbeit", "G", "31.01.2026 23:50", "01.02.2026 00:30", "Hauptstr. 1, Musterstadt", true}}},
        {"a pause makes it private",
         {10, 3, 2026},
         {12, 3, 2026},
         {{"Fahrt", "17:00", "18:00", 15}, {"Arbeitszeit", "18:00", "19:00"}},
         {{1, "Arbeitszeit", "Fahrt zu Arbeitszeit", "P", "10.03.2026 17:00", "10.03.2026 18:00", "", false}}},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        clock.set(c.today, 600);
        makeLogbook(kCar);
        day(c.dayDate.month, c.dayDate.day, c.lines);
        TripAssistant& a = assistant();
        ASSERT_TRUE(a.open()) << (prompter.log().empty() ? "" : prompter.log().back().text);
        ASSERT_EQ(a.trips().size(), c.trips.size());
        for (size_t i = 0; i < c.trips.size(); ++i) {
            const CFahrtDocAssistent& trip = a.trips()[i];
            const TripRow row = a.rows()[i];
            EXPECT_EQ(trip.index, c.trips[i].index);
            EXPECT_EQ(row.person, c.trips[i].person);
            EXPECT_EQ(trip.purpose, c.trips[i].purpose);
            EXPECT_EQ(row.kind, c.trips[i].kindLetter);
            EXPECT_EQ(row.start, c.trips[i].start);
            EXPECT_EQ(row.arrival, c.trips[i].arrival);
            EXPECT_EQ(row.location, c.trips[i].location);
            EXPECT_EQ(trip.valid, c.trips[i].valid) << "problem: " << trip.problem;
            EXPECT_EQ(trip.driver, c.trips[i].person.empty() ? "" : "Anna Berg");
        }
        EXPECT_EQ(a.selected(), 0);
    }
}

TEST_F(TripAssistantTest, TheFirstOfTwoTravelLinesInARowFailsTheDriverCheck) {
    makeLogbook(kCar);
    day(3, 10, {{"Fahrt", "7:00", "7:30"}, {"Fahrt", "7:30", "8:00"}, {"Büro", "8:00", "12:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_EQ(a.trips()[0].problem, "Der Name des Fahrers muss eingegeben werden.");
    EXPECT_FALSE(a.trips()[0].destinationLine.has_value());
    EXPECT_EQ(a.trips()[1].destinationLine, std::optional<size_t>(2));
}

struct OpenCase {
    const char* name;
    Datum today;
    bool vehicleFile;
    std::vector<Line> lines;
    bool logbook;
    std::string message;
};

TEST_F(TripAssistantTest, OpeningRefusesWithItsMessageInOrder) {
    const std::vector<Line> travel = {{"Fahrt", "7:00", "7:30"}, {"Büro", "7:30", "12:00"}};
    const std::vector<Line> travelWithVan = {{"Fahrt", "7:00", "7:30", 0, "", kVan}, {"Büro", "7:30", "12:00"}};
    const std::vector<OpenCase> cases = {
        {"32 days after the trip", {11, 4, 2026}, true, travel, true, kEntryTooLate},
        {"no vehicle file", {12, 3, 2026}, false, travel, true, kCreateLogbookFirst},
        {"no travel line", {12, 3, 2026}, true, {{"Büro", "7:30", "12:00"}}, true, kNoTravelLines},
        {"no trip names a vehicle and no logbook", {12, 3, 2026}, true, travel, false, kCreateLogbookFirst},
        {"the named vehicle has no logbook", {12, 3, 2026}, true, travelWithVan, true,
         createLogbookForVehicleMessage(kVan)},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(logbookPath(directory(), kCar, 2026));
        if (c.logbook) makeLogbook(kCar);
        if (!c.vehicleFile) std::filesystem::rename(vehicleFilePath(directory()), dir.file("aside.fz"));
        clock.set(c.today, 600);
        day(3, 10, c.lines);
        prompter = ScriptedPrompter();
        EXPECT_FALSE(assistant().open());
        ASSERT_FALSE(prompter.texts().empty());
        EXPECT_EQ(prompter.texts().back(), c.message);
        if (!c.vehicleFile) std::filesystem::rename(dir.file("aside.fz"), vehicleFilePath(directory()));
    }
}

TEST_F(TripAssistantTest, OpeningOnTheThirtyFirstDayAfterTheTripIsAccepted) {
    makeLogbook(kCar);
    clock.set(Datum{10, 4, 2026}, 600);
    day(3, 10, {{"Fahrt", "7:00", "7:30"}, {"Büro", "7:30", "12:00"}});
    EXPECT_TRUE(assistant().open());
}

TEST_F(TripAssistantTest, ALogbookThatCannotBeReadShowsItsReasonFirst) {
    makeLogbook(kCar, {loggedTrip(10010.0)});
    // The logbook's trip was entered after "now": the clock was turned back.
    clock.set(Datum{12, 3, 2026}, 600);
    logbookDoc.trips[0].created = momentOf(ClockTime{Datum{13, 3, 2026}, 0});
    logbookDoc.save(logbookPath(directory(), kCar, 2026));
    day(3, 10, {{"Fahrt", "7:00", "7:30"}, {"Büro", "7:30", "12:00"}});
    EXPECT_FALSE(assistant().open());
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{kClockTurnedBack, createLogbookForVehicleMessage(kCar)}));
}

TEST_F(TripAssistantTest, TheOdometerIsCarriedAndFollowsATripInsertedBefore) {
    makeLogbook(kCar);
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", "", 0.0, 12.0}, {"Büro", "7:30", "12:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_DOUBLE_EQ(a.trips()[0].kilometres, 10012.0);
    EXPECT_TRUE(a.trips()[0].valid) << a.trips()[0].problem;

    editor = typing({{TripField::Person, "Bäckerei"}, {TripField::Purpose, "Einkauf"},
                     {TripField::Street, "Ringstr. 4"}, {TripField::Place, "Musterstadt"},
                     {TripField::Kilometres, "10005"}});
    a.insertTrip(false);
    ASSERT_EQ(a.trips().size(), 2u);
    EXPECT_EQ(a.selected(), 0);
    EXPECT_EQ(a.trips()[0].driver, "Anna Berg"); // from the next trip
    EXPECT_DOUBLE_EQ(a.trips()[0].kilometres, 10005.0);
    EXPECT_DOUBLE_EQ(a.trips()[1].kilometres, 10017.0);
    EXPECT_TRUE(a.trips()[1].valid) << a.trips()[1].problem;
}

TEST_F(TripAssistantTest, ARecordedOdometerReadingStaysWhenTheReadingBeforeMoves) {
    makeLogbook(kCar);
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", "", 10030.0, 12.0}, {"Büro", "7:30", "12:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_DOUBLE_EQ(a.trips()[0].kilometres, 10030.0);
    editor = typing({{TripField::Person, "Bäckerei"}, {TripField::Purpose, "Einkauf"},
                     {TripField::Street, "Ringstr. 4"}, {TripField::Place, "Musterstadt"},
                     {TripField::Kilometres, "10040"}});
    a.insertTrip(false);
    // 10 030 is not above 10 040 any more: the trip is not valid until the user mends it.
    EXPECT_DOUBLE_EQ(a.trips()[1].kilometres, 10030.0);
    EXPECT_FALSE(a.trips()[1].valid);
    EXPECT_EQ(a.trips()[1].problem, "Der neue Kilometerstand muss größer als der alte Kilometerstand sein.");
}

struct AdjustCase {
    const char* name;
    int32_t index; // 0: a plain trip
    double odometer;
    double distance;
    double kilometres;
    double expected;
};

TEST(AdjustToPrevious, PlainAndAssistantRules) {
    // The reading before moved from 10 000 to 10 005.
    const std::vector<AdjustCase> cases = {
        {"plain trip overtaken", 0, 0, 0, 10003, 10008},
        {"plain trip still ahead", 0, 0, 0, 10020, 10020},
        {"plain trip without reading", 0, 0, 0, 0, 0},
        {"distance only", 1, 0, 12, 10012, 10017},
        {"neither reading nor distance: plain rule", 1, 0, 0, 10003, 10008},
        {"recorded reading stays", 1, 10003, 3, 10003, 10003},
    };
    for (const AdjustCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFahrtDocAssistent trip;
        trip.index = c.index;
        trip.odometer = c.odometer;
        trip.distance = c.distance;
        trip.kilometres = c.kilometres;
        adjustToPrevious(trip, 10005, 10000);
        EXPECT_DOUBLE_EQ(trip.kilometres, c.expected);
    }
}

struct PresetCase {
    const char* name;
    std::string person;
    std::string purpose;
    std::string street;
    std::string expectedStreet;
    std::string expectedPurpose;
};

TEST(ApplyPreset, FillsFromThePresetOfThePersonButKeepsACustomerVisit) {
    CTwFahrzDoc vehicles;
    vehicles.putPreset(CFahrtVorbData{"Büro", "Hauptstr. 1", "Musterstadt", "Büroarbeit"});
    vehicles.putPreset(CFahrtVorbData{"Beispiel GmbH", "Lagerweg 9", "Musterstadt", "Lieferung"});
    vehicles.putPreset(CFahrtVorbData{"Pause", "Parkplatz", "Musterstadt", ""});
    const std::vector<PresetCase> cases = {
        {"office filled completely", "Büro", "Fahrt zu Büro", "", "Hauptstr. 1", "Büroarbeit"},
        {"customer visit with address", "Beispiel GmbH", "Kundenbesuch", "Am Markt 3", "Am Markt 3", "Kundenbesuch"},
        {"customer visit without address", "Beispiel GmbH", "Kundenbesuch", "", "Lagerweg 9", "Lieferung"},
        {"an address given keeps it, the purpose follows", "Büro", "Fahrt zu Büro", "Nebenstr. 2", "Nebenstr. 2",
         "Büroarbeit"},
        {"a preset without purpose keeps the purpose", "Pause", "Fahrt zu Pause", "", "Parkplatz", "Fahrt zu Pause"},
        {"kind compared exactly", "büro", "Fahrt zu büro", "", "", "Fahrt zu büro"},
    };
    for (const PresetCase& c : cases) {
        SCOPED_TRACE(c.name);
        CFahrtDoc trip;
        trip.person = c.person;
        trip.purpose = c.purpose;
        trip.street = c.street;
        applyPreset(trip, vehicles);
        EXPECT_EQ(trip.street, c.expectedStreet);
        EXPECT_EQ(trip.purpose, c.expectedPurpose);
    }
}

struct SuggestionCase {
    const char* name;
    std::vector<CFahrtDoc> logbook;
    bool after;
    TripKind expectedKind;
    std::string expectedPurpose;
    std::string expectedStreet;
};

TEST_F(TripAssistantTest, InsertingSuggestsTheWayHomeOrToWork) {
    CFahrtDoc privateEvening = TripAssistantTest::loggedTrip(10010.0, TripKind::Private);
    CFahrtDoc commuteOtherDay = TripAssistantTest::loggedTrip(10010.0, TripKind::Commute);
    CFahrtDoc commuteSameDay = commuteOtherDay;
    commuteSameDay.startDate = commuteSameDay.endDate = "10.03.2026";
    commuteSameDay.startTime = "6:00";
    commuteSameDay.endTime = "6:30";
    const std::vector<SuggestionCase> cases = {
        {"appending after a business trip", {}, true, TripKind::Commute, "nach Hause", "Gartenweg 2"},
        {"before business, after a private trip", {privateEvening}, false, TripKind::Commute, "zur Arbeit",
         "Werkstr. 5"},
        {"before business, after a cancelled trip", {TripAssistantTest::loggedTrip(10010.0, TripKind::Business, true)},
         false, TripKind::Commute, "zur Arbeit", "Werkstr. 5"},
        {"before business, after a commute of another day", {commuteOtherDay}, false, TripKind::Commute, "zur Arbeit",
         "Werkstr. 5"},
        {"before business, after a commute of the same day", {commuteSameDay}, false, TripKind::Business, "", ""},
        {"before business, after a business trip", {TripAssistantTest::loggedTrip(10010.0)}, false,
         TripKind::Business, "", ""},
        {"before the first trip of an empty logbook", {}, false, TripKind::Business, "", ""},
    };
    for (const SuggestionCase& c : cases) {
        SCOPED_TRACE(c.name);
        makeLogbook(kCar, c.logbook);
        day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", "", 0.0, 12.0}, {"Büro", "7:30", "12:00"}});
        TripAssistant& a = assistant();
        ASSERT_TRUE(a.open());
        CFahrtDoc offered;
        editor = [&](TripDialog& dialog) {
            offered = dialog.trip();
            return false;
        };
        a.insertTrip(c.after);
        EXPECT_EQ(offered.kind(), c.expectedKind);
        EXPECT_EQ(offered.purpose, c.expectedPurpose);
        EXPECT_EQ(offered.street, c.expectedStreet);
        EXPECT_EQ(offered.driver, "Anna Berg");
        EXPECT_EQ(offered.startDate, "10.03.2026");
        EXPECT_EQ(offered.endDate, "10.03.2026");
        // Cancel leaves the list as it was.
        EXPECT_EQ(a.trips().size(), 1u);
    }
}

TEST_F(TripAssistantTest, InsertingAfterMovesTheSelectionToTheNewTrip) {
    makeLogbook(kCar);
    day(3, 10, {{"Fahrt", "7:00", "7:30"}, {"Büro", "7:30", "12:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    editor = typing({{TripField::Person, "Wohnung"}, {TripField::Kilometres, "10040"}});
    a.insertTrip(true);
    ASSERT_EQ(a.trips().size(), 2u);
    EXPECT_EQ(a.selected(), 1);
    EXPECT_EQ(a.trips()[1].purpose, "nach Hause");
    EXPECT_EQ(a.trips()[1].index, 0);
    EXPECT_TRUE(a.trips()[1].valid);
}

TEST_F(TripAssistantTest, EditingATripRecomputesTheTripsAfterIt) {
    makeLogbook(kCar);
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", "", 0.0, 12.0}, {"Büro", "7:30", "12:00"},
                {"Fahrt", "12:00", "12:30", 0, "", "", 0.0, 8.0}, {"Kunde", "12:30", "15:00", 0, "17"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_DOUBLE_EQ(a.trips()[1].kilometres, 10020.0);
    editor = typing({{TripField::Kilometres, "10015"}});
    a.editTrip(0);
    EXPECT_DOUBLE_EQ(a.trips()[0].kilometres, 10015.0);
    EXPECT_DOUBLE_EQ(a.trips()[1].kilometres, 10023.0);
    EXPECT_EQ(a.editTrip(-1), AssistantStep::NoSelection);
}

TEST_F(TripAssistantTest, RemovingATripParksItForTheNextVehicle) {
    makeLogbook(kCar);
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", kCar, 0.0, 12.0}, {"Büro", "7:30", "12:00"},
                {"Fahrt", "12:00", "12:30", 0, "", "", 0.0, 8.0}, {"Büro", "12:30", "15:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    ASSERT_EQ(a.trips().size(), 2u);
    EXPECT_EQ(a.removeTrip(-1), AssistantStep::NoSelection);
    a.removeTrip(0);
    ASSERT_EQ(a.trips().size(), 1u);
    // The second trip now follows the logbook's start reading.
    EXPECT_DOUBLE_EQ(a.trips()[0].kilometres, 10008.0);
    ASSERT_EQ(a.parkedTrips().count(1), 1u);
    EXPECT_EQ(a.parkedTrips().at(1).vehicle, "");
    // The last trip of a vehicle stays: the user changes the vehicle instead.
    a.removeTrip(0);
    EXPECT_EQ(prompter.texts().back(), kOnlyTripOfVehicle);
    EXPECT_EQ(a.trips().size(), 1u);
}

TEST_F(TripAssistantTest, ChangingTheVehicleRegroupsAndFallsBackWithoutLogbook) {
    makeLogbook(kCar);
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", kCar}, {"Büro", "7:30", "12:00"},
                {"Fahrt", "12:00", "12:30", 0, "", kVan}, {"Büro", "12:30", "15:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    ASSERT_EQ(a.trips().size(), 1u);
    EXPECT_EQ(a.trips()[0].index, 1);
    // A trip inserted by hand goes with the regrouping.
    editor = typing({{TripField::Person, "Wohnung"}, {TripField::Kilometres, "10040"}});
    a.insertTrip(true);
    ASSERT_EQ(a.trips().size(), 2u);

    a.changeVehicle(kVan);
    EXPECT_EQ(prompter.texts().back(), createLogbookForVehicleMessage(kVan));
    EXPECT_EQ(a.currentVehicle(), kCar);
    ASSERT_EQ(a.trips().size(), 1u);
    EXPECT_EQ(a.trips()[0].index, 1);

    makeLogbook(kVan);
    a.changeVehicle(kVan);
    EXPECT_EQ(a.currentVehicle(), kVan);
    ASSERT_EQ(a.trips().size(), 1u);
    EXPECT_EQ(a.trips()[0].index, 2);
    EXPECT_EQ(a.parkedTrips().count(1), 1u);
}

TEST_F(TripAssistantTest, AVehicleWithoutTripsTakesAllTrips) {
    makeLogbook(kCar);
    makeLogbook(kVan);
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", kCar}, {"Büro", "7:30", "12:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    a.changeVehicle(kVan);
    ASSERT_EQ(a.trips().size(), 1u);
    EXPECT_EQ(a.trips()[0].vehicle, "");
    EXPECT_TRUE(a.parkedTrips().empty());
}

TEST_F(TripAssistantTest, PresetsEnteredMeanwhileReachEveryTrip) {
    makeLogbook(kCar);
    makeLogbook(kVan);
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", kCar}, {"Bereitschaft", "7:30", "12:00"},
                {"Fahrt", "12:00", "12:30", 0, "", kVan}, {"Bereitschaft", "12:30", "15:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_EQ(a.trips()[0].street, "");
    presetChange = [this] {
        CTwFahrzDoc vehicles;
        vehicles.open(vehicleFilePath(directory()));
        vehicles.putPreset(CFahrtVorbData{"Bereitschaft", "Wache 1", "Musterstadt", "Bereitschaftsdienst"});
        vehicles.save(vehicleFilePath(directory()));
    };
    a.editPresets();
    EXPECT_EQ(a.trips()[0].street, "Wache 1");
    EXPECT_EQ(a.trips()[0].purpose, "Bereitschaftsdienst");
    EXPECT_EQ(a.parkedTrips().at(2).street, "Wache 1");
}

TEST_F(TripAssistantTest, TransferringOneVehicleContinuesWithTheNext) {
    makeLogbook(kVan);
    makeLogbook(kCar, {loggedTrip(10010.0)});
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", kCar, 0.0, 12.0}, {"Büro", "7:30", "12:00"},
                {"Fahrt", "12:00", "12:30", 0, "", kVan, 0.0, 8.0}, {"Kunde", "12:30", "15:00", 0, "17"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_EQ(a.logbookEnd().kilometres, "10010,0");
    EXPECT_EQ(a.logbookEnd().at, "09.03.2026   8:00 - 8:30");
    EXPECT_EQ(a.transfer(), AssistantStep::Stay);
    const CTwFahrtenbuchDoc car = storedLogbook(kCar);
    ASSERT_EQ(car.trips.size(), 2u);
    EXPECT_DOUBLE_EQ(car.trips[1].kilometres, 10022.0);
    EXPECT_EQ(car.trips[1].person, "Büro");
    EXPECT_EQ(a.currentVehicle(), kVan);
    EXPECT_EQ(a.vehicleChoice(), std::vector<std::string>{kVan});
    ASSERT_EQ(a.trips().size(), 1u);
    EXPECT_DOUBLE_EQ(a.trips()[0].kilometres, 10008.0);
    EXPECT_EQ(a.logbookEnd().street, "Gartenweg 2");

    EXPECT_EQ(a.transfer(), AssistantStep::Close);
    EXPECT_EQ(storedLogbook(kVan).trips.size(), 1u);
    EXPECT_TRUE(prompter.texts().empty());
}

struct RestCase {
    const char* name;
    std::string secondVehicle; // the vehicle of the second travel line
    bool removeSecond;         // the user parks the second trip ("nicht mit diesem Fahrzeug")
    bool vanInVehicleFile;
    std::string message;
};

TEST_F(TripAssistantTest, RemainingTripsWithoutASecondLogbookCloseWithAMessage) {
    const std::vector<RestCase> cases = {
        {"the rest names a vehicle without logbook", kVan, false, true, createLogbookForVehicleMessage(kVan)},
        {"the rest names no vehicle, no other logbook", "", true, true, kNoVehicleForRest},
        {"only one vehicle at all", "", true, false, kNoVehicleForRest},
    };
    for (const RestCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.vanInVehicleFile) {
            CTwFahrzDoc vehicles;
            vehicles.open(vehicleFilePath(directory()));
            vehicles.remove(kVan);
            vehicles.save(vehicleFilePath(directory()));
        }
        makeLogbook(kCar);
        day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", kCar}, {"Büro", "7:30", "12:00"},
                    {"Fahrt", "12:00", "12:30", 0, "", c.secondVehicle}, {"Büro", "12:30", "15:00"}});
        prompter = ScriptedPrompter();
        TripAssistant& a = assistant();
        ASSERT_TRUE(a.open());
        if (c.removeSecond) a.removeTrip(1);
        EXPECT_EQ(a.transfer(), AssistantStep::Close);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(storedLogbook(kCar).trips.size(), 1u);
    }
}

TEST_F(TripAssistantTest, TransferStopsAtTheFirstTripThatFailsItsCheck) {
    makeLogbook(kCar);
    day(3, 10, {{"Fahrt", "7:00", "7:30"}, {"Büro", "7:30", "12:00"}, {"Fahrt", "12:00", "12:30"},
                {"Bereitschaft", "12:30", "15:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_FALSE(a.trips()[1].valid); // no street: "Bereitschaft" has no preset
    EXPECT_EQ(a.transfer(), AssistantStep::Stay);
    EXPECT_EQ(prompter.texts().back(), "Der neue Standort muss eingegeben werden.");
    EXPECT_EQ(a.selected(), 1);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(storedLogbook(kCar).trips.empty());

    // Mended in the dialog, the transfer goes through.
    editor = typing({{TripField::Street, "Wache 1"}, {TripField::Place, "Musterstadt"}});
    a.editTrip(1);
    EXPECT_TRUE(a.trips()[1].valid);
    EXPECT_EQ(a.transfer(), AssistantStep::Close);
    EXPECT_EQ(storedLogbook(kCar).trips.size(), 2u);
}

TEST_F(TripAssistantTest, AClosedLogbookTakesNoTrips) {
    makeLogbook(kCar, {}, true);
    day(3, 10, {{"Fahrt", "7:00", "7:30"}, {"Büro", "7:30", "12:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_EQ(a.transfer(), AssistantStep::Stay);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kLogbookClosedForTransfer});
    EXPECT_EQ(a.trips().size(), 1u);
}

TEST_F(TripAssistantTest, ACancelledLastTripIsPassedOverForTheReading) {
    makeLogbook(kCar, {loggedTrip(10010.0), loggedTrip(10050.0, TripKind::Business, true)});
    day(3, 10, {{"Fahrt", "7:00", "7:30", 0, "", "", 0.0, 12.0}, {"Büro", "7:30", "12:00"}});
    TripAssistant& a = assistant();
    ASSERT_TRUE(a.open());
    EXPECT_DOUBLE_EQ(a.trips()[0].kilometres, 10022.0);
    EXPECT_TRUE(a.trips()[0].valid) << a.trips()[0].problem;
    EXPECT_EQ(a.logbookEnd().kilometres, "10010,0");
}

// The presets dialogs.

struct EntryCase {
    const char* name;
    bool existing;
    std::string kind;
    std::string place;
    std::string message;
    PresetField field;
};

TEST(PresetEntryDialog, ChecksKindPlaceAndAKindGivenTwice) {
    CTwFahrzDoc vehicles;
    vehicles.putPreset(CFahrtVorbData{"Büro", "Hauptstr. 1", "Musterstadt", ""});
    const std::vector<EntryCase> cases = {
        {"no kind", false, "", "Musterstadt", kPresetKindMissing, PresetField::Kind},
        {"no place", false, "Wohnung", "", kPresetPlaceMissing, PresetField::Place},
        {"kind first", false, "", "", kPresetKindMissing, PresetField::Kind},
        {"kind there in other letter case", false, "BÜRO", "Musterstadt", kPresetKindExists, PresetField::Kind},
        {"a new kind", false, "Wohnung", "Musterstadt", "", PresetField::None},
        {"the preset's own kind", true, "Büro", "Anderstadt", "", PresetField::None},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(c.name);
        PresetEntryDialog dialog = c.existing ? PresetEntryDialog(vehicles, *vehicles.findPreset("Büro"))
                                              : PresetEntryDialog(vehicles);
        dialog.setText(PresetField::Kind, c.kind);
        dialog.setText(PresetField::Place, c.place);
        std::string message;
        EXPECT_EQ(dialog.check(message), c.field);
        EXPECT_EQ(message, c.message);
    }
}

TEST(PresetEntryDialog, OffersTheUsualKindsOnlyForANewPreset) {
    CTwFahrzDoc vehicles;
    const CFahrtVorbData office{"Büro", "Hauptstr. 1", "Musterstadt", ""};
    vehicles.putPreset(office);
    const PresetEntryDialog fresh(vehicles);
    EXPECT_EQ(fresh.kindChoices(),
              (std::vector<std::string>{"Arbeitsstelle", "Wohnung", "Büro", "Pause", "Bereitschaft"}));
    EXPECT_TRUE(fresh.kindEditable());
    EXPECT_EQ(fresh.initialFocus(), PresetField::Kind);
    PresetEntryDialog existing(vehicles, office);
    EXPECT_EQ(existing.kindChoices(), std::vector<std::string>{"Büro"});
    EXPECT_FALSE(existing.kindEditable());
    EXPECT_EQ(existing.initialFocus(), PresetField::Street);
    existing.setText(PresetField::Kind, "Wohnung");
    EXPECT_EQ(existing.preset().kind, "Büro");
}

TEST(PresetsDialog, RefusesWithoutVehicleFile) {
    TempDir dir;
    ScriptedPrompter prompter;
    PresetsDialog dialog(dir.path().string(), prompter);
    EXPECT_FALSE(dialog.open());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kNoVehicleFileForPresets});
}

TEST(PresetsDialog, NewAndEditedPresetsAreSavedAtOnceADeletedOneAtClosing) {
    TempDir dir;
    ScriptedPrompter prompter;
    CTwFahrzDoc start;
    start.put(CFahrzDoc{kCar, "Kombi"});
    start.putPreset(CFahrtVorbData{"Wohnung", "Gartenweg 2", "Musterstadt", ""});
    start.save(vehicleFilePath(dir.path().string()));
    const auto stored = [&] {
        CTwFahrzDoc doc;
        doc.open(vehicleFilePath(dir.path().string()));
        return doc.presets;
    };

    PresetsDialog dialog(dir.path().string(), prompter);
    ASSERT_TRUE(dialog.open());
    EXPECT_EQ(dialog.rows(), (std::vector<std::vector<std::string>>{{"Wohnung", "Gartenweg 2", "Musterstadt", ""}}));
    EXPECT_TRUE(dialog.newPreset([&](PresetEntryDialog& entry) {
        entry.setText(PresetField::Kind, "Büro");
        entry.setText(PresetField::Street, "Hauptstr. 1");
        entry.setText(PresetField::Place, "Musterstadt");
        entry.setText(PresetField::Purpose, "Büroarbeit");
        return entry.confirm(prompter, nullptr) == PresetField::None;
    }));
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_EQ(dialog.rows().front().front(), "Büro");

    EXPECT_TRUE(dialog.openPreset(1, [&](PresetEntryDialog& entry) {
        entry.setText(PresetField::Place, "Anderstadt");
        return entry.confirm(prompter, nullptr) == PresetField::None;
    }));
    EXPECT_EQ(stored().at("Wohnung").place, "Anderstadt");
    EXPECT_FALSE(dialog.openPreset(5, [](PresetEntryDialog&) { return true; }));

    EXPECT_TRUE(dialog.deletePreset(0));
    EXPECT_FALSE(dialog.deletePreset(-1));
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_TRUE(dialog.close());
    EXPECT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored().count("Büro"), 0u);
    EXPECT_TRUE(prompter.texts().empty());
}

} // namespace
} // namespace lorvan
