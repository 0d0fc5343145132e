#include "app/document_kinds.h"
#include "app/general_settings.h"
#include "app/start_up.h"
#include "app_fixture.h"

#include <functional>
#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::AppFixture;
using test::ScriptedPrompter;
using test::writeBytes;

TEST(StartUp, BuildSwitch) {
    struct Case {
        std::vector<std::string> arguments;
        bool on;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {{}, false, {}},
        {{"BUILD=BRAXTEL"}, true, {}},
        {{"/build=Braxtel"}, true, {}},
        {{"-x", "Build=BraXtel2"}, true, {}},
        {{"BUILD=Muster"}, false, {"Unbekannter Build-Parameter: 'Muster'"}},
        {{"build="}, false, {"Unbekannter Build-Parameter: ''"}},
        {{"BUILD=BRAX", "BUILD=BRAXTEL"}, true, {"Unbekannter Build-Parameter: 'BRAX'"}},
        {{"/home/anna/Daten.mar", "BUILDER"}, false, {}},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        EXPECT_EQ(parseBuildSwitch(c.arguments, prompter), c.on) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(prompter.texts(), c.messages) << ::testing::PrintToString(c.arguments);
    }
}

// Records what the start-up asks of the desktop; the settings dialog is answered by a script.
struct RecordingHost final : StartUpHost {
    std::function<bool(CLorvanApp&)> dialog = [](CLorvanApp&) { return false; };
    int dialogs = 0;
    std::vector<WorkAreaPlan> opened;

    bool runGeneralSettings(CLorvanApp& app) override {
        ++dialogs;
        return dialog(app);
    }
    void openWorkArea(const WorkAreaPlan& plan) override { opened.push_back(plan); }
};

TEST(StartUp, StoredDataDirectoryOpensTheEmployees) {
    AppFixture f;
    ASSERT_TRUE(f.store.writeString("Settings", "DataPath", f.dataDirectory()));
    writeBytes(f.data.file("Lorvan.ini"), "[Settings]\r\nMonatsabschlussBis=03.2024\r\n");
    RecordingHost host;
    EXPECT_TRUE(runStartUp(f.app, {"BUILD=BRAXTEL"}, host));
    EXPECT_TRUE(f.app.buildSwitch());
    EXPECT_EQ(f.app.dataDirectory(), f.dataDirectory());
    EXPECT_TRUE(f.app.isMonthClosed(3, 2024));
    EXPECT_EQ(host.dialogs, 0);
    ASSERT_EQ(host.opened.size(), 1u);
    EXPECT_EQ(host.opened[0].view, kViewEmployees);
    EXPECT_EQ(host.opened[0].path, f.data.file("Daten.mar"));
    EXPECT_TRUE(host.opened[0].create);
    EXPECT_TRUE(f.prompter.log().empty());
}

TEST(StartUp, WithoutValidDataDirectoryTheSettingsDialogDecides) {
    struct Case {
        const char* what;
        bool storePath;       // a DataPath is stored ...
        bool pathExists;      // ... and names an existing directory
        bool confirm;         // the dialog's answer
        const char* expected; // the data directory the dialog sees: "NV", or the stored one ("*")
    };
    const Case cases[] = {
        {"nothing stored, cancelled", false, false, false, "NV"},
        {"nothing stored, confirmed", false, false, true, "NV"},
        {"stored directory gone, cancelled", true, false, false, "*"},
    };
    for (const Case& c : cases) {
        AppFixture f;
        const std::string gone = f.data.file("weg/");
        if (c.storePath) {
            ASSERT_TRUE(f.store.writeString("Settings", "DataPath", gone));
        }
        // At start-up the older per-user values stand in for a missing Lorvan.ini.
        ASSERT_TRUE(f.store.writeString("Settings", "TextStdArbztUeberschreitung", "aus der Registry"));

        RecordingHost host;
        std::string seen;
        host.dialog = [&](CLorvanApp& app) {
            seen = app.dataDirectory();
            return c.confirm;
        };
        EXPECT_EQ(runStartUp(f.app, {}, host), c.confirm) << c.what;
        EXPECT_EQ(host.dialogs, 1) << c.what;
        EXPECT_TRUE(host.opened.empty()) << c.what;
        EXPECT_EQ(seen, std::string(c.expected) == "*" ? gone : c.expected) << c.what;
        EXPECT_EQ(f.app.settings().overtimeNoteText, "aus der Registry") << c.what;
    }
}

TEST(StartUp, FirstStartProposesTheDefaultDirectoryAndStoresTheChoice) {
    AppFixture f;
    UserEnvironment environment{f.home.path().string(), f.home.file("Dokumente")};
    RecordingHost host;
    host.dialog = [&](CLorvanApp& app) {
        GeneralSettingsForm form(app, environment);
        EXPECT_TRUE(form.proposesDataDirectory());
        EXPECT_EQ(form.dataDirectory(), f.home.file("Dokumente/TwDaten"));
        EXPECT_EQ(form.dataDirectorySelection().title(), "Datenverzeichnis festlegen");
        f.prompter.answerYes(); // create it
        return form.confirm(f.prompter) == GeneralSettingsField::None;
    };
    ASSERT_TRUE(runStartUp(f.app, {}, host));
    const std::string chosen = f.home.file("Dokumente/TwDaten/");
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kCreateDataDirectoryQuestion});
    EXPECT_TRUE(directoryExists(chosen));
    EXPECT_EQ(f.app.dataDirectory(), chosen);
    EXPECT_EQ(f.store.readString("Settings", "DataPath", "NV"), chosen);
    EXPECT_TRUE(fileExists(chosen + "Lorvan.ini"));

    // The next start finds it and opens the employees.
    CLorvanApp next(f.store, f.prompter);
    RecordingHost nextHost;
    EXPECT_TRUE(runStartUp(next, {}, nextHost));
    EXPECT_EQ(nextHost.dialogs, 0);
    EXPECT_EQ(nextHost.opened.size(), 1u);
}

} // namespace
} // namespace lorvan
