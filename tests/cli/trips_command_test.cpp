#include "cli/commands.h"
#include "foundation/error.h"
#include "logbook/logbook_file.h"
#include "logbook/vehicle_file.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

constexpr const char* kCar = "AB-CD 123";
constexpr const char* kVan = "XY-Z 9";

// A data directory with two vehicles, both with a logbook for 2026 at 10 000 km, the preset "Büro",
// and a year file whose 10 March has one trip with each vehicle.
class TripsCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        options_.dataDirectory = dir_.path().string();
        options_.today = Datum{12, 3, 2026};
        CTwFahrzDoc vehicles;
        vehicles.put(CFahrzDoc{kCar, "Kombi"});
        vehicles.put(CFahrzDoc{kVan, "Transporter"});
        vehicles.putPreset(CFahrtVorbData{"Büro", "Hauptstr. 1", "Musterstadt", "Büroarbeit"});
        vehicles.save(vehicleFilePath(options_.dataDirectory));
        for (const char* plate : {kCar, kVan}) {
            CTwFahrtenbuchDoc logbook;
            logbook.year = 2026;
            logbook.plate = plate;
            logbook.startKilometres = 10000.0;
            logbook.startStreet = "Gartenweg 2";
            logbook.startPlace = "Musterstadt";
            logbook.save(logbookPath(options_.dataDirectory, plate, 2026));
        }
        path_ = test::YearFileBuilder("Anna Berg", 2026)
                    .day(3, 10)
                    .line(kKindTravel, "7:00", "7:30")
                    .withLine([](CZeitZeile& l) {
                        l.vehicle = kCar;
                        l.kilometresDriven = 12.0;
                    })
                    .line(kKindOffice, "7:30", "12:00")
                    .line(kKindTravel, "12:00", "12:30")
                    .withLine([](CZeitZeile& l) {
                        l.vehicle = kVan;
                        l.kilometresDriven = 8.0;
                    })
                    .line(kKindStandby, "12:30", "15:00")
                    .saveAs(dir_.file("Anna_Berg2026.azr"));
    }

    size_t storedTrips(const char* plate) const {
        CTwFahrtenbuchDoc logbook;
        logbook.open(logbookPath(options_.dataDirectory, plate, 2026));
        return logbook.trips.size();
    }

    test::TempDir dir_;
    std::string path_;
    cli::Options options_;
};

TEST_F(TripsCommands, ProposeListsTheTripsPerVehicleWithTheirValidity) {
    std::ostringstream out;
    EXPECT_EQ(cli::runTrips(options_, {"propose", path_, "10.03.2026", "--json"}, out), 0);
    const auto json = nlohmann::json::parse(out.str());
    EXPECT_EQ(json["day"], "10.03.2026 (Dienstag)");
    EXPECT_EQ(json["vehicle"], kCar);
    ASSERT_EQ(json["trips"].size(), 1u);
    EXPECT_EQ(json["trips"][0]["person"], "Büro");
    EXPECT_EQ(json["trips"][0]["street"], "Hauptstr. 1");
    EXPECT_EQ(json["trips"][0]["kilometres"], 10012.0);
    EXPECT_EQ(json["trips"][0]["valid"], true);
    ASSERT_EQ(json["parked"].size(), 1u);
    EXPECT_EQ(json["parked"][0]["vehicle"], kVan);
    EXPECT_EQ(json["last_trip"]["kilometres"], "10000,0");

    std::ostringstream text;
    EXPECT_EQ(cli::runTrips(options_, {"propose", path_, "10.03.2026"}, text), 0);
    EXPECT_NE(text.str().find("Fahrzeug: AB-CD 123"), std::string::npos);
    EXPECT_NE(text.str().find("Andere Fahrzeuge:"), std::string::npos);
}

TEST_F(TripsCommands, TransferRefusesATripThatFailsItsCheckAndWritesNothing) {
    // The van's trip goes to a standby with no preset: no street.
    std::ostringstream out;
    EXPECT_THROW_MSG(cli::runTrips(options_, {"transfer", path_, "10.03.2026", kVan}, out),
                     "Der neue Standort muss eingegeben werden.");
    EXPECT_EQ(storedTrips(kVan), 0u);
}

TEST_F(TripsCommands, TransferWritesTheTripsOfTheVehicle) {
    std::ostringstream out;
    EXPECT_EQ(cli::runTrips(options_, {"transfer", path_, "10.03.2026", kCar}, out), 0);
    EXPECT_EQ(out.str(), "1 Fahrt ins Fahrtenbuch AB-CD 123 2026 übernommen.\nWeiter mit dem Fahrzeug XY-Z 9.\n");
    EXPECT_EQ(storedTrips(kCar), 1u);
    EXPECT_EQ(storedTrips(kVan), 0u);
}

TEST_F(TripsCommands, RefusalsOfTheOpeningAndOfAMissingDay) {
    std::ostringstream out;
    options_.today = Datum{20, 4, 2026};
    EXPECT_THROW_MSG(cli::runTrips(options_, {"transfer", path_, "10.03.2026", kCar}, out),
                     "Fahrtenbuch-Einträge dürfen maximal einen Monat nach der Fahrt erfasst werden, um die "
                     "Ordnungsmäßigkeit für das Finanzamt sicherzustellen.");
    EXPECT_THROW_MSG(cli::runTrips(options_, {"propose", path_, "11.03.2026"}, out),
                     "Der Tag 11.03.2026 existiert in der Datei nicht.");
}

TEST_F(TripsCommands, PresetsAreSetWithTheEntryChecksListedAndDeleted) {
    std::ostringstream out;
    std::istringstream none;
    EXPECT_THROW_MSG(cli::runPresets(options_, {"set", "--kind", "büro", "--place", "X"}, none, out),
                     "Für diese Art wurden bereits Vorbesetzungen festgelegt.");
    EXPECT_THROW_MSG(cli::runPresets(options_, {"set", "--kind", "Wohnung"}, none, out),
                     "Der Ort wurde nicht ausgewählt.");
    std::istringstream json(R"({"kind": "Wohnung", "street": "Gartenweg 2", "place": "Musterstadt"})");
    EXPECT_EQ(cli::runPresets(options_, {"set"}, json, out), 0);
    EXPECT_EQ(cli::runPresets(options_, {"set", "--kind", "Büro", "--place", "Anderstadt"}, none, out), 0);
    std::ostringstream listed;
    EXPECT_EQ(cli::runPresets(options_, {"list", "--json"}, none, listed), 0);
    const auto presets = nlohmann::json::parse(listed.str());
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0]["kind"], "Büro");
    EXPECT_EQ(presets[0]["place"], "Anderstadt");
    EXPECT_EQ(presets[1]["kind"], "Wohnung");

    EXPECT_EQ(cli::runPresets(options_, {"delete", "Büro"}, none, out), 0);
    EXPECT_THROW_MSG(cli::runPresets(options_, {"delete", "Büro"}, none, out),
                     "Es gibt keine Vorbesetzung für die Art 'Büro'.");
    std::istringstream bad(R"({"kind": "Pause", "colour": "rot"})");
    EXPECT_THROW_MSG(cli::runPresets(options_, {"set"}, bad, out), "presets set: unbekanntes Feld 'colour'.");
}

TEST(PresetsCommand, RefusesWithoutVehicleFile) {
    test::TempDir dir;
    cli::Options options;
    options.dataDirectory = dir.path().string();
    std::ostringstream out;
    std::istringstream none;
    EXPECT_THROW_MSG(cli::runPresets(options, {"list"}, none, out), "Es muss erst ein Fahrtenbuch eingerichtet werden.");
}

} // namespace
} // namespace lorvan
