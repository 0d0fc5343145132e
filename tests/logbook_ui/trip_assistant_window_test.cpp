#include "logbook/ui/trip_assistant_window.h"

#include "logbook/logbook_file.h"
#include "logbook/ui/trip_list_widget.h"
#include "logbook/vehicle_file.h"
#include "platform/clock.h"
#include "support/gui_fixture.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace lorvan {
namespace {

void screenshot(QWidget* widget, const char* name) {
    EXPECT_TRUE(widget->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QStringLiteral("/") +
                                    QString::fromUtf8(name)));
}

constexpr const char* kCar = "AB-CD 123";
constexpr const char* kVan = "XY-Z 9";

// Two vehicles with logbooks for 2026 at 10 000 km, the preset "Büro", and a day with a trip to the
// office with the car and one to a standby (no preset: not valid) without vehicle.
class TripAssistantWindowTest : public ::testing::Test {
  protected:
    TripAssistantWindowTest() : clock(Datum{12, 3, 2026}, 600) {
        CTwFahrzDoc vehicles;
        vehicles.put(CFahrzDoc{kCar, "Kombi"});
        vehicles.put(CFahrzDoc{kVan, "Transporter"});
        vehicles.putPreset(CFahrtVorbData{"Büro", "Hauptstr. 1", "Musterstadt", "Büroarbeit"});
        vehicles.save(vehicleFilePath(dir.path().string()));
        for (const char* plate : {kCar, kVan}) {
            CTwFahrtenbuchDoc logbook;
            logbook.year = 2026;
            logbook.plate = plate;
            logbook.startKilometres = 10000.0;
            logbook.startStreet = "Gartenweg 2";
            logbook.startPlace = "Musterstadt";
            logbook.save(logbookPath(dir.path().string(), plate, 2026));
        }
        yearFile = test::YearFileBuilder("Anna Berg", 2026)
                       .day(3, 10)
                       .line(kKindTravel, "7:00", "7:30")
                       .withLine([](CZeitZeile& l) {
                           l.vehicle = kCar;
                           l.kilometresDriven = 12.0;
                       })
                       .line(kKindOffice, "7:30", "12:00")
                       .line(kKindTravel, "12:00", "12:30")
                       .withLine([](CZeitZeile& l) { l.kilometresDriven = 8.0; })
                       .line(kKindStandby, "12:30", "15:00")
                       .build();
        TripAssistantServices services;
        services.prompter = &prompter;
        services.clock = &clock;
        services.dataDirectory = dir.path().string();
        assistant = std::make_unique<TripAssistant>(*yearFile.month(3)->day(10), std::move(services));
    }

    test::TempDir dir;
    FixedClock clock;
    test::ScriptedPrompter prompter;
    CLorvanDoc yearFile;
    std::unique_ptr<TripAssistant> assistant;
};

TEST_F(TripAssistantWindowTest, ShowsTheTripsOfTheVehicleWithTheLastLoggedTrip) {
    ASSERT_TRUE(assistant->open());
    TripAssistantWindow window(*assistant);
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Übernahme der Fahrten ins Fahrtenbuch"));
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("day"))->text(), QStringLiteral("10.03.2026 (Dienstag)"));
    EXPECT_EQ(window.vehicleChoice()->currentText(), QString::fromUtf8(kCar));
    TripListWidget* list = window.tripList();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Büro"));
    EXPECT_EQ(list->topLevelItem(0)->text(4), QStringLiteral("10012,0"));
    EXPECT_EQ(list->headerItem()->text(5), QStringLiteral("Ankunft"));
    // The invalid trip carries the warning icon, the valid one its kind's icon.
    EXPECT_NE(list->topLevelItem(0)->icon(0).cacheKey(), list->topLevelItem(1)->icon(0).cacheKey());
    EXPECT_EQ(list->selectedRow(), 0);
    screenshot(&window, "trip_assistant.png");
}

TEST_F(TripAssistantWindowTest, TheDeleteKeyParksTheTripAndTheVehicleChoiceRegroups) {
    ASSERT_TRUE(assistant->open());
    TripAssistantWindow window(*assistant);
    window.show();
    TripListWidget* list = window.tripList();
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(1));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->topLevelItemCount(), 1);
    window.vehicleChoice()->setCurrentText(QString::fromUtf8(kVan));
    EXPECT_EQ(assistant->currentVehicle(), kVan);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(assistant->trips()[0].index, 2);
}

} // namespace
} // namespace lorvan
