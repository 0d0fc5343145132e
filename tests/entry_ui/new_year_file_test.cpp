#include "entry/month_management.h"
#include "entry/ui/entry_commands.h"
#include "entry/ui/file_view_windows.h"
#include "support/fake_desktop.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace lorvan {
namespace {

// The settings dialog of a new file, scripted: what it was shown, and what it answers.
struct ScriptedNewFileSettings {
    std::optional<CEinstArbzt> shown;
    bool confirm = true;

    NewFileSettings function() {
        return [this](Desktop&, CLorvanDoc& document) {
            shown = document.settings();
            if (!confirm) return false;
            document.settings().name = "Bert Roth";
            document.settings().year = 2026;
            return true;
        };
    }
};

class NewYearFile : public ::testing::Test {
  protected:
    void TearDown() override { setNewFileSettings({}); }
};

TEST_F(NewYearFile, NewAsksForTheSettingsBeforeTheYearViewOpens) {
    test::FakeDesktop desktop{"Daten.mar"};
    ScriptedNewFileSettings dialog;
    dialog.confirm = false;
    setNewFileSettings(dialog.function());
    createNewYearFile(desktop);
    ASSERT_TRUE(dialog.shown);
    EXPECT_EQ(dialog.shown->name, "");
    EXPECT_EQ(dialog.shown->year, 2026); // today's year in June
    EXPECT_TRUE(desktop.documents().empty()); // cancelled: nothing opens

    dialog.confirm = true;
    createNewYearFile(desktop);
    ASSERT_EQ(desktop.documents().size(), 1u);
    const std::shared_ptr<OpenYearFile> file = desktop.documents().front()->file();
    EXPECT_EQ(file->path, desktop.dataDirectory() + "Bert_Roth2026.azr");
    EXPECT_FALSE(std::filesystem::exists(file->path)); // written at the first save
    EXPECT_TRUE(file->document.isModified());
    ASSERT_TRUE(desktop.saveYearFile(*file));
    EXPECT_TRUE(std::filesystem::exists(file->path));
}

TEST_F(NewYearFile, TheNextYearsFileShowsTheTakenOverSettingsFirst) {
    test::FakeDesktop desktop{"Daten.mar", "Anna_Schneider2026.azr"};
    ScriptedNewFileSettings dialog;
    dialog.confirm = false;
    setNewFileSettings(dialog.function());
    CLorvanView* view = openYearFileView(desktop, desktop.dataDirectory() + "Anna_Schneider2026.azr");
    ASSERT_NE(view, nullptr);
    desktop.scripted().answerYes(); // no month number: "... für das nächste Jahr anlegen?"
    createMonthInView(desktop, *view, 0);
    ASSERT_TRUE(dialog.shown);
    EXPECT_EQ(dialog.shown->name, "Anna Schneider");
    EXPECT_EQ(dialog.shown->year, 2027);
    EXPECT_EQ(desktop.documents().size(), 1u); // cancelled: only this year's view
}

} // namespace
} // namespace lorvan
