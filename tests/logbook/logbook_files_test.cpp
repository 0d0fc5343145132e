#include "foundation/error.h"
#include "logbook/logbook_file.h"
#include "logbook/vehicle_file.h"
#include "platform/clock.h"
#include "support/archive_bytes.h"
#include "support/error_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::ArchiveBytes;
using test::TempDir;
using test::errorOf;

TEST(LogbookFileNames, PlatesGiveTheirFileNameForm) {
    struct Case {
        const char* plate;
        int32_t year;
        const char* name;
    };
    const Case cases[] = {
        {"AB-CD 123", 2024, "ABCD_1232024.fb"},
        {"M-ÄÖ 9", 2026, "MAeOe_92026.fb"},
        {"ß-X 1E", 2025, "ssX_1E2025.fb"},
        {"B / 12 ", 2026, "B__12_2026.fb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(logbookFileName(c.plate, c.year), c.name) << c.plate;
    EXPECT_EQ(logbookPath("/data", "AB-CD 123", 2024), "/data/ABCD_1232024.fb");
    const auto name = logbookNameOf("/data/ABCD_1232024.FB");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->platePart, "ABCD_123");
    EXPECT_EQ(name->year, 2024);
    EXPECT_FALSE(logbookNameOf("/data/ABCD_123.fb"));
    EXPECT_FALSE(logbookNameOf("/data/ABCD2024.azr"));
}

// A version-1 logbook: no customer name, no closed flag; a kind and a status outside their ranges.
std::string versionOneLogbook() {
    ArchiveBytes b;
    b.int32(1).int32(2024).string("AB-CD 123").float64(1000.0).string("Musterstadt").string("Hauptstr. 1");
    b.int32(2);
    b.int32(7).string("Kunde A").string("Besuch").string("Anna").float64(1040.5).string("Ort A").string("Weg 1");
    b.string("03.01.2024").string("02.01.2024").string("01:30").string("23:00").int32(0).int32(0).float64(45293.5);
    b.int32(1).string("").string("Heimweg").string("Anna").float64(1050.0).string("Ort B").string("Weg 2");
    b.string("03.01.2024").string("03.01.2024").string("").string("").int32(5).int32(0).float64(45294.25);
    return b.bytes();
}

TEST(LogbookFile, VersionOneIsReadAndWrittenAsVersionThreeKeepingStoredValues) {
    CTwFahrtenbuchDoc doc;
    doc.fromBytes(versionOneLogbook(), "ABCD_1232024.fb");
    EXPECT_EQ(doc.loadedVersion(), 1);
    EXPECT_EQ(doc.year, 2024);
    EXPECT_EQ(doc.closed, 0);
    ASSERT_EQ(doc.trips.size(), 2u);
    const CFahrtDoc& first = doc.trips[0];
    EXPECT_EQ(first.person, "Kunde A");
    EXPECT_EQ(first.customerName, "");
    EXPECT_EQ(first.purpose, "Besuch");
    EXPECT_EQ(first.kindValue, 7);
    EXPECT_EQ(first.kind(), TripKind::Private);
    EXPECT_EQ(first.kindLetter(), "P");
    EXPECT_EQ(first.timeSpanText(true), "02.01.2024   23:00 - 03.01.2024   01:30  (2:30 h)");
    EXPECT_EQ(doc.trips[1].status, 5);
    EXPECT_FALSE(doc.trips[1].cancelled());
    EXPECT_EQ(momentText(first.created), "02.01.2024 12:00");

    CTwFahrtenbuchDoc again;
    again.fromBytes(doc.toBytes(), "again.fb");
    EXPECT_EQ(again.loadedVersion(), 3);
    EXPECT_EQ(again.trips, doc.trips);
    EXPECT_EQ(again.trips[0].kindValue, 7);
    EXPECT_EQ(again.trips[1].status, 5);
    EXPECT_EQ(again.toBytes(), doc.toBytes());
}

TEST(LogbookFile, DerivedValuesFollowTheValidTrips) {
    CTwFahrtenbuchDoc doc;
    doc.fromBytes(versionOneLogbook(), "x.fb");
    doc.trips[0].status = 1; // cancelled
    doc.trips[0].customerName = "Kunde A GmbH";
    EXPECT_EQ(doc.trips[0].kindLetter(), "S");
    EXPECT_EQ(doc.trips[0].shownPerson(), "Kunde A GmbH");
    EXPECT_EQ(doc.trips[1].shownPerson(), "");
    // The cancelled trip no longer counts for the readings after it.
    EXPECT_DOUBLE_EQ(doc.previousKilometres(1), 1000.0);
    EXPECT_DOUBLE_EQ(doc.drivenKilometres(1), 50.0);
    EXPECT_EQ(doc.startLocation(1), "Hauptstr. 1, Musterstadt");
    EXPECT_EQ(doc.startLocation(2), "Weg 2, Ort B");
    EXPECT_EQ(doc.trips[1].kilometresText(), "1050,0");
    EXPECT_EQ(doc.trips[1].timeSpanText(true), "03.01.2024    - ");
    const KindSums sums = doc.sumsByKind();
    EXPECT_DOUBLE_EQ(sums.commute, 50.0);
    EXPECT_DOUBLE_EQ(sums.business + sums.privateUse + sums.unknown, 0.0);

    CFahrtDoc trip;
    trip.street = "Weg";
    EXPECT_EQ(trip.locationText(), "Weg");
    trip.place = "Ort";
    EXPECT_EQ(trip.locationText(), "Weg, Ort");
    trip.startDate = trip.endDate = "05.01.2024";
    trip.startTime = "8:00";
    trip.endTime = "9:15";
    EXPECT_EQ(trip.timeSpanText(false), "05.01.2024   8:00 - 9:15");
    EXPECT_EQ(trip.timeSpanText(true), "05.01.2024   8:00 - 9:15  (1:15 h)");
}

TEST(LogbookFile, HigherVersionsAndDamagedBytesAreRefused) {
    CTwFahrtenbuchDoc doc;
    EXPECT_NE(errorOf([&] { doc.fromBytes(ArchiveBytes().int32(4).bytes(), "x.fb"); })
                  .find(kNewerVersionMessage),
              std::string::npos);
    CTwFahrzDoc vehicles;
    EXPECT_NE(errorOf([&] { vehicles.fromBytes(ArchiveBytes().int32(4).bytes(), "Daten.fz"); })
                  .find(kNewerVersionMessage),
              std::string::npos);
    // A trip count far beyond the bytes left fails at once, whatever its size.
    ArchiveBytes huge;
    huge.int32(3).int32(2024).string("X").float64(0).string("").string("").int32(0).int32(0x7fffffff);
    EXPECT_THROW(doc.fromBytes(huge.bytes(), "x.fb"), LorvanError);
    EXPECT_TRUE(doc.trips.empty());
    // Every cut of a valid file fails cleanly.
    const std::string bytes = versionOneLogbook();
    for (size_t n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(doc.fromBytes(std::string_view(bytes).substr(0, n), "x.fb"), LorvanError) << n;
}

TEST(VehicleFile, EveryVersionReadsAndVersionThreeIsWritten) {
    struct Case {
        int32_t version;
        std::string presetPurpose;
        size_t presets;
    };
    for (const Case& c : {Case{1, "", 0}, Case{2, "", 1}, Case{3, "Wartung", 1}}) {
        SCOPED_TRACE(c.version);
        ArchiveBytes b;
        // Stored out of order: the document keeps byte order of the plate.
        b.int32(c.version).int32(2).string("M-XY 2").string("Kombi").string("B-AB 1").string("Transporter");
        if (c.version >= 2) {
            b.int32(1).string("Werkstatt").string("Gasse 3").string("Stadt");
            if (c.version >= 3) b.string("Wartung");
        }
        CTwFahrzDoc doc;
        doc.fromBytes(b.bytes(), "Daten.fz");
        EXPECT_EQ(doc.plates(), (std::vector<std::string>{"B-AB 1", "M-XY 2"}));
        ASSERT_EQ(doc.presets.size(), c.presets);
        if (c.presets) {
            EXPECT_EQ(doc.findPreset("Werkstatt")->purpose, c.presetPurpose);
        }
        CTwFahrzDoc again;
        again.fromBytes(doc.toBytes(), "Daten.fz");
        EXPECT_EQ(again.loadedVersion(), 3);
        EXPECT_EQ(again.vehicles, doc.vehicles);
        EXPECT_EQ(again.presets, doc.presets);
    }
}

TEST(VehicleFile, FindsVehiclesByPlateOrFileNameFormAndSeesClashes) {
    CTwFahrzDoc doc;
    doc.put({"AB-CD 123", "Transporter"});
    doc.put({"M-X 1", "Kombi"});
    ASSERT_TRUE(doc.findVehicle("ABCD_123"));
    EXPECT_EQ(doc.findVehicle("ABCD_123")->plate, "AB-CD 123");
    EXPECT_EQ(doc.findVehicle("M-X 1")->description, "Kombi");
    EXPECT_FALSE(doc.findVehicle("abcd_123"));
    EXPECT_EQ(doc.fileNameClash("abcd 123", "")->plate, "AB-CD 123");
    EXPECT_FALSE(doc.fileNameClash("AB-CD 123", "AB-CD 123"));
    EXPECT_FALSE(doc.fileNameClash("AB-CD 124", ""));
}

TEST(LogbookFile, ATripCreatedAfterNowRefusesTheLogbook) {
    TempDir dir;
    CTwFahrtenbuchDoc doc;
    doc.fromBytes(versionOneLogbook(), "x.fb");
    const std::string path = dir.file("ABCD_1232024.fb");
    doc.save(path);
    // The second trip was created on 03.01.2024 at 06:00.
    struct Case {
        ClockTime now;
        bool refused;
    };
    const Case cases[] = {
        {{{3, 1, 2024}, 6 * 60}, false},
        {{{3, 1, 2024}, 5 * 60 + 59}, true},
        {{{2, 1, 2024}, 23 * 60}, true},
        {{{1, 6, 2025}, 0}, false},
    };
    for (const Case& c : cases) {
        FixedClock clock(c.now.date, c.now.minutes);
        CTwFahrtenbuchDoc loaded;
        if (c.refused) {
            EXPECT_THROW_MSG(openLogbook(loaded, path, clock), kClockTurnedBack);
            EXPECT_TRUE(loaded.trips.empty());
        } else {
            openLogbook(loaded, path, clock);
            EXPECT_EQ(loaded.trips.size(), 2u);
        }
    }
}

TEST(LogbookFile, DeletableForLessThanAWholeDayAfterCreation) {
    CTwFahrtenbuchDoc doc;
    CFahrtDoc trip = CFahrtDoc::newTrip({{10, 3, 2026}, 9 * 60});
    doc.trips.push_back(trip);
    struct Case {
        ClockTime now;
        bool deletable;
    };
    const Case cases[] = {
        {{{10, 3, 2026}, 9 * 60}, true},
        {{{11, 3, 2026}, 8 * 60}, true},      // 23 hours
        {{{11, 3, 2026}, 8 * 60 + 59}, true}, // 23:59
        {{{11, 3, 2026}, 9 * 60}, false},     // 24 hours
        {{{20, 3, 2026}, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(doc.deletable(0, c.now), c.deletable) << c.now.date.day << " " << c.now.minutes;
    doc.closed = 1;
    EXPECT_FALSE(doc.deletable(0, {{10, 3, 2026}, 9 * 60}));
}

} // namespace
} // namespace lorvan
