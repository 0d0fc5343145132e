#pragma once

#include "app/application.h"
#include "foundation/file_system.h"
#include "gui/main_window.h"
#include "platform/clock.h"
#include "platform/program_runner.h"
#include "platform/user_store.h"
#include "support/gui_fixture.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace lorvan::test {

// A program runner that never starts anything: exports stay in their folder.
class NoPrograms final : public ProgramRunner {
  public:
    std::string start(const std::vector<std::string>&) override { return "nicht gestartet"; }
};

// The main window on a copy of the demo data directory of 15 June 2026 (the tests change it, and
// saves write their backups there), on the offscreen platform; today is the date given.
class MainWindowOnDemoCopy : public ::testing::Test {
  protected:
    explicit MainWindowOnDemoCopy(const Datum& today = Datum{15, 6, 2026}) : clock(today) {}

    void SetUp() override {
        for (const auto& entry : std::filesystem::directory_iterator(demoDataDirectory()))
            std::filesystem::copy(entry.path(), data.path() / entry.path().filename(),
                                  std::filesystem::copy_options::recursive);
        dataDirectory = data.path().string() + "/";
        app.setDataDirectory(dataDirectory);
        window = std::make_unique<MainWindow>(app, UserEnvironment{home.path().string(), ""}, clock, prompter,
                                              runner);
        window->setExportFolder(home.file("export"));
        window->resize(1280, 800);
        window->show();
    }

    void TearDown() override {
        window->closeAllDocuments();
        window.reset();
    }

    TempDir home;
    TempDir data;
    std::string dataDirectory;
    IniUserStore store{home.file("config/TwApps/Lorvan.conf")};
    ScriptedPrompter prompter;
    CLorvanApp app{store, prompter};
    FixedClock clock;
    NoPrograms runner;
    std::unique_ptr<MainWindow> window;
};

} // namespace lorvan::test
