#include "foundation/file_system.h"
#include "logbook/logbook_file.h"
#include "logbook/vehicle_list.h"
#include "platform/clock.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <deque>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::TempDir;

// "Fahrzeug bearbeiten" answered from a list of entries; OK for each, cancel when they run out.
class ScriptedVehicleDialog final : public VehicleDialogRunner {
  public:
    ScriptedVehicleDialog(std::initializer_list<CFahrzDoc> entries) : entries_(entries) {}
    bool run(CFahrzDoc& vehicle) override {
        ++runs;
        if (entries_.empty()) return false;
        vehicle = entries_.front();
        entries_.pop_front();
        return true;
    }
    int runs = 0;

  private:
    std::deque<CFahrzDoc> entries_;
};

class VehicleListTest : public ::testing::Test {
  protected:
    VehicleListTest() : clock({10, 3, 2026}, 9 * 60) {
        environment.dataDirectory = dir.path().string();
        environment.prompter = &prompter;
        environment.clock = &clock;
    }
    TempDir dir;
    ScriptedPrompter prompter;
    FixedClock clock;
    LogbookEnvironment environment;
};

TEST_F(VehicleListTest, NewVehiclesAreRefusedUntilTheirPlateCanBeFiled) {
    VehicleList list(environment);
    ScriptedVehicleDialog first{{"AB-CD 123", "Transporter"}};
    ASSERT_TRUE(list.newVehicle(first));
    EXPECT_TRUE(list.changed());
    EXPECT_EQ(list.lastPlate(), "AB-CD 123");
    struct Case {
        const char* plate;
        std::string message;
    };
    const Case cases[] = {
        {"", "Geben Sie das Amtliche Kennzeichen ein."},
        {"AB-CD 123", "Es existiert schon ein Fahrzeug mit dem Amtlichen Kennzeichen 'AB-CD 123'."},
        {"ab-cd 123", "Das Amtliche Kennzeichen 'ab-cd 123' ergibt denselben Dateinamen für die Fahrtenbücher wie "
                      "das Kennzeichen 'AB-CD 123' eines anderen Fahrzeugs."},
        {"ABCD 123", "Das Amtliche Kennzeichen 'ABCD 123' ergibt denselben Dateinamen für die Fahrtenbücher wie "
                     "das Kennzeichen 'AB-CD 123' eines anderen Fahrzeugs."},
        {"- / -", kPlateWithoutFileName},
    };
    for (const Case& c : cases) {
        prompter = ScriptedPrompter();
        // The dialog opens again after the message; the second entry is accepted.
        ScriptedVehicleDialog dialog{{c.plate, "x"}, {"M-X 1", "Kombi"}};
        EXPECT_TRUE(list.newVehicle(dialog)) << c.plate;
        EXPECT_EQ(dialog.runs, 2);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{c.message});
        prompter.answerYes();
        EXPECT_TRUE(list.deleteVehicle("M-X 1"));
    }
}

TEST_F(VehicleListTest, EditDeleteAndTheYearOfANewLogbook) {
    {
        CTwFahrzDoc file;
        file.put({"AB-CD 123", "Transporter"});
        file.put({"M-X 1", "Kombi"});
        file.save(vehicleFilePath(dir.path().string()));
        CTwFahrtenbuchDoc logbook;
        logbook.plate = "AB-CD 123";
        logbook.year = 2025;
        logbook.save(logbookPath(dir.path().string(), "AB-CD 123", 2025));
    }
    VehicleList list(environment);
    EXPECT_EQ(list.year(), 2026);
    ASSERT_EQ(list.rows().size(), 2u);

    // With a logbook the plate stays, the description changes, and the file is saved at once.
    ScriptedVehicleDialog renamed{{"AB-CD 999", "Neuer Transporter"}};
    EXPECT_TRUE(list.editVehicle("AB-CD 123", renamed));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kPlateFixedByLogbook});
    CTwFahrzDoc saved;
    saved.open(list.path());
    EXPECT_EQ(saved.findByPlate("AB-CD 123")->description, "Neuer Transporter");
    EXPECT_FALSE(saved.findByPlate("AB-CD 999"));
    EXPECT_EQ(list.lastPlate(), "AB-CD 123");
    // Without one the vehicle is filed under its new plate.
    ScriptedVehicleDialog moved{{"M-X 2", "Kombi"}};
    EXPECT_TRUE(list.editVehicle("M-X 1", moved));
    EXPECT_EQ(list.file().plates(), (std::vector<std::string>{"AB-CD 123", "M-X 2"}));
    EXPECT_EQ(list.lastPlate(), "M-X 2");
    // Taken plates send the dialog back.
    ScriptedVehicleDialog taken{{"AB-CD 123", "Kombi"}};
    EXPECT_FALSE(list.editVehicle("M-X 2", taken));
    EXPECT_EQ(taken.runs, 2);

    // The logbook of another year than the current one only when it exists.
    list.setYear(2025);
    EXPECT_EQ(list.chooseLogbook("AB-CD 123").path, logbookPath(dir.path().string(), "AB-CD 123", 2025));
    list.setYear(2024);
    prompter = ScriptedPrompter();
    const VehicleList::LogbookChoice refused = list.chooseLogbook("AB-CD 123");
    EXPECT_EQ(refused.path, "");
    EXPECT_EQ(refused.focus, VehicleListField::Year);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kNewLogbookOnlyThisYear});
    list.setYear(2026);
    EXPECT_EQ(list.chooseLogbook("M-X 2").path, logbookPath(dir.path().string(), "M-X 2", 2026));

    // Deleting asks and leaves the logbooks on disk.
    prompter = ScriptedPrompter();
    prompter.answerNo();
    EXPECT_FALSE(list.deleteVehicle("AB-CD 123"));
    prompter.answerYes();
    EXPECT_TRUE(list.deleteVehicle("AB-CD 123"));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Soll 'AB-CD 123' gelöscht werden?",
                                                          "Soll 'AB-CD 123' gelöscht werden?"}));
    EXPECT_TRUE(fileExists(logbookPath(dir.path().string(), "AB-CD 123", 2025)));
    const std::string question =
        "Es wurden die Einstellungen zum Fahrtenbuch geändert.\nSollen die Änderungen gespeichert werden?";
    prompter.answerCancel();
    EXPECT_FALSE(list.close());
    prompter.answerYes();
    EXPECT_TRUE(list.close());
    EXPECT_EQ(prompter.texts().back(), question);
    saved.open(list.path());
    EXPECT_EQ(saved.plates(), std::vector<std::string>{"M-X 2"});
}

} // namespace
} // namespace lorvan
