#include "platform/user_store.h"
#include "cli/data_directory.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace lorvan::cli {
namespace {

using test::TempDir;
using test::writeBytes;

TEST(CliDataDirectory, OptionThenStoredDirectoryThenNone) {
    TempDir data;
    TempDir home;
    const std::string stored = data.path().string() + "/";
    struct Case {
        const char* what;
        std::string option;
        std::string dataPath; // in the store; empty: none stored
        std::string expected;
    };
    const Case cases[] = {
        {"option wins", "/anderswo", stored, "/anderswo"},
        {"stored directory", "", stored, stored},
        {"nothing stored", "", "", ""},
        {"not chosen yet", "", "NV", ""},
        {"stored directory gone", "", stored + "weg/", ""},
    };
    for (const Case& c : cases) {
        IniUserStore store(home.file(std::string(c.what) + "/Lorvan.conf"));
        if (!c.dataPath.empty()) {
            ASSERT_TRUE(store.writeString("Settings", "DataPath", c.dataPath));
        }
        EXPECT_EQ(findDataDirectory(c.option, store), c.expected) << c.what;
    }
}

TEST(CliDataDirectory, ReadsTheMonthClosingOfTheDataDirectory) {
    TempDir data;
    TempDir home;
    writeBytes(data.file("Lorvan.ini"), "[Settings]\r\nMonatsabschlussBis=03.2024\r\n");
    IniUserStore store(home.file("Lorvan.conf"));
    ASSERT_TRUE(store.writeString("Settings", "DataPath", data.path().string()));

    Options options;
    prepareDataDirectory(options, store);
    EXPECT_EQ(options.dataDirectory, data.path().string());
    EXPECT_TRUE(isMonthClosed(options.settings, 3, 2024));
    EXPECT_FALSE(isMonthClosed(options.settings, 4, 2024));

    Options elsewhere;
    TempDir other;
    elsewhere.dataDirectory = other.path().string();
    prepareDataDirectory(elsewhere, store);
    EXPECT_EQ(elsewhere.dataDirectory, other.path().string());
    EXPECT_FALSE(isMonthClosed(elsewhere.settings, 1, 2000));
}

} // namespace
} // namespace lorvan::cli
