#include "app/program_settings.h"
#include "app_fixture.h"
#include "foundation/file_io.h"
#include "support/restricted_child.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lorvan {
namespace {

namespace fs = std::filesystem;
using test::AppFixture;

// A full disk (writes past the file size limit fail with EFBIG) and a read-only data directory
// (root gives up the right to ignore file modes in the child): saving the settings rewrites their
// section of "Lorvan.ini"; it shows the German message, leaves the file as it was (with its other
// sections) and no temporary file.
TEST(ProgramSettingsSaveFailure, FullDiskAndReadOnlyFolderKeepLorvanIni) {
    struct Case {
        const char* what;
        bool readOnly;
        std::string failure; // after the file's name
    };
    const Case cases[] = {
        {"full disk", false,
         "' konnte nicht geschrieben werden.\n(Die Platte ist voll: Die Datei überschreitet die zulässige "
         "Dateigröße.)"},
        {"read-only folder", true, "' konnte nicht geöffnet werden.\n(Der Zugriff wurde verweigert.)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppFixture f;
        const std::string path = f.data.file("Lorvan.ini");
        test::writeBytes(path, "[Settings]\r\nMonatsabschlussBis=02.2024\r\n[Andere]\r\nWert=1\r\n");
        const std::string oldBytes = readWholeFile(path);
        const test::SaveFailureSetup failing(c.readOnly, f.data.path().string(), oldBytes.size() + 100);
        const test::ChildResult result = test::runRestricted(failing.restriction(), [&] {
            ProgramSettings settings;
            settings.monthClosing = "03.2024";
            settings.monthReportText = std::string(4000, 'x');
            const bool saved = saveSettings(settings, f.dataDirectory(), f.prompter);
            std::vector<std::string> seen = {saved ? "gespeichert" : "nicht gespeichert"};
            for (const auto& entry : f.prompter.log())
                seen.push_back(entry.kind + ": " + entry.text);
            return seen;
        });
        if (!result.ran) GTEST_SKIP() << result.skipReason;
        ASSERT_EQ(result.failure, "");
        EXPECT_EQ(result.lines, (std::vector<std::string>{"nicht gespeichert",
                                                          "error: Die Einstellungen können nicht gespeichert "
                                                          "werden.\nDie Datei '" +
                                                              path + c.failure}));
        EXPECT_EQ(readWholeFile(path), oldBytes);
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(f.data.path()))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{"Lorvan.ini"});
    }
}

} // namespace
} // namespace lorvan
