#include "app/recent_files.h"
#include "platform/user_store.h"
#include "app_fixture.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::AppFixture;
using test::readFile;
using test::TempDir;

TEST(UserStore, DefaultPathFollowsXdgConfigHome) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* path;
    };
    const Case cases[] = {
        {"", "/home/anna", "/home/anna/.config/TwApps/Lorvan.conf"},
        {"/cfg", "/home/anna", "/cfg/TwApps/Lorvan.conf"},
        {"/cfg/", "/home/anna/", "/cfg/TwApps/Lorvan.conf"},
        {"relativ", "/home/anna", "/home/anna/.config/TwApps/Lorvan.conf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniUserStore::defaultPath(c.xdg, c.home), c.path) << c.xdg;
}

TEST(UserStore, WritesIntoMissingFoldersAndKeepsOtherEntries) {
    TempDir home;
    IniUserStore store(home.file("a/b/TwApps/Lorvan.conf"));
    EXPECT_EQ(store.readString("Settings", "DataPath", "NV"), "NV");
    ASSERT_TRUE(store.writeString("Settings", "DataPath", "/home/jörg/Daten 東京/"));
    ASSERT_TRUE(store.writeString(windowSizeSection(153), kStoreWidth, "640"));
    ASSERT_TRUE(store.writeString("Settings", "LogoFile", "x"));
    EXPECT_EQ(store.readString("Settings", "DataPath", "NV"), "/home/jörg/Daten 東京/");
    EXPECT_EQ(store.readString("WindowSize153", "Width", ""), "640");
    EXPECT_EQ(store.readString("WindowSize153", "High", "480"), "480");
    EXPECT_EQ(store.lastError(), "");

    IniUserStore blocked(home.path().string()); // a directory: nothing can be written there
    EXPECT_FALSE(blocked.writeString("Settings", "DataPath", "/x/"));
    EXPECT_NE(blocked.lastError(), "");
    EXPECT_EQ(blocked.readString("Settings", "DataPath", "NV"), "NV");
}

TEST(RecentFiles, MostRecentFirstTenAtMostLetterCaseIgnored) {
    AppFixture f;
    RecentFileList& list = f.app.recentFiles();
    for (int i = 1; i <= 12; ++i)
        list.addPath("/d/Datei" + std::to_string(i) + ".azr");
    ASSERT_EQ(list.entries().size(), 10u);
    EXPECT_EQ(list.entries().front(), "/d/Datei12.azr");
    EXPECT_EQ(list.entries().back(), "/d/Datei3.azr");

    list.addPath("/D/DATEI5.AZR"); // moves to the top under the new spelling, no second entry
    ASSERT_EQ(list.entries().size(), 10u);
    EXPECT_EQ(list.entries()[0], "/D/DATEI5.AZR");
    EXPECT_EQ(list.entries()[1], "/d/Datei12.azr");

    list.renamePath("/d/datei12.azr", "/d/Neu.azr");
    EXPECT_EQ(list.entries()[1], "/d/Neu.azr");
    // Renamed onto a name that stands further up: the renamed entry stays, the other one goes.
    list.renamePath("/d/Datei11.azr", "/d/datei5.azr");
    ASSERT_EQ(list.entries().size(), 9u);
    EXPECT_EQ(list.entries()[0], "/d/Neu.azr");
    EXPECT_EQ(list.entries()[1], "/d/datei5.azr");

    list.removePath("/d/NEU.azr");
    list.removePath("/d/nie.azr");
    const std::vector<std::string> expected = {"/d/datei5.azr", "/d/Datei10.azr", "/d/Datei9.azr",
                                               "/d/Datei8.azr", "/d/Datei7.azr",  "/d/Datei6.azr",
                                               "/d/Datei4.azr", "/d/Datei3.azr"};
    EXPECT_EQ(list.entries(), expected);

    // The list comes back from the store at the next start.
    RecentFileList reloaded(f.store);
    EXPECT_EQ(reloaded.entries(), expected);
    EXPECT_EQ(f.store.readString(kRecentFileSection, "File9", "?"), "");
}

} // namespace
} // namespace lorvan
