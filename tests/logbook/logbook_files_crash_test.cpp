#include "logbook/logbook_file.h"
#include "logbook/vehicle_file.h"
#include "support/crash_trials.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

// Many vehicles and presets, so that a save takes measurable time; the remark tells the versions apart.
CTwFahrzDoc manyVehicles(const std::string& remark) {
    CTwFahrzDoc file;
    for (int i = 1; i <= 30000; ++i) {
        file.put(CFahrzDoc{"AB-CD " + std::to_string(i), remark + " " + std::to_string(i)});
        if (i % 10 == 0)
            file.putPreset(
                CFahrtVorbData{"Art " + std::to_string(i), "Hauptstraße 1", "Musterstadt", remark});
    }
    return file;
}

// A year's logbook with many trips.
CTwFahrtenbuchDoc manyTrips(const std::string& remark) {
    CTwFahrtenbuchDoc book;
    book.year = 2024;
    book.plate = "AB-CD 123";
    book.startKilometres = 1000.0;
    book.startPlace = "Musterstadt";
    for (int i = 1; i <= 10000; ++i) {
        CFahrtDoc trip;
        trip.person = "Kunde " + std::to_string(i);
        trip.purpose = remark;
        trip.driver = "Anna Berg";
        trip.kilometres = 1000.0 + i * 12.5;
        trip.place = "Musterstadt";
        trip.street = "Hauptstraße " + std::to_string(i % 200);
        trip.startDate = trip.endDate = "03.04.2024";
        trip.startTime = "8:00";
        trip.endTime = "9:15";
        book.trips.push_back(trip);
    }
    return book;
}

// A save killed at any moment leaves "Daten.fz" and a logbook whole in their old or new version.
TEST(LogbookFilesCrash, KilledSaveNeverTearsTheFile) {
    test::TempDir dir;
    CTwFahrzDoc vehicles[] = {manyVehicles("erste Fassung"), manyVehicles("zweite Fassung, etwas länger")};
    CTwFahrtenbuchDoc books[] = {manyTrips("erste Fassung"), manyTrips("zweite Fassung, etwas länger")};
    const auto target = [&](CTwDocBase& first, CTwDocBase& second, const std::string& path) {
        return test::CrashTrialTarget{
            path, first.toBytes(), second.toBytes(),
            [&first, &second, path](int version) { (version == 1 ? first : second).save(path); }};
    };
    for (const test::CrashTrialTarget& t :
         {target(vehicles[0], vehicles[1], vehicleFilePath(dir.path().string())),
          target(books[0], books[1], logbookPath(dir.path().string(), "AB-CD 123", 2024))}) {
        SCOPED_TRACE(t.path);
        ASSERT_GT(t.first.size(), 1u << 20);
        test::runCrashTrials(t);
    }
}

} // namespace
} // namespace lorvan
