#include "app/document_kinds.h"
#include "app/single_instance.h"
#include "app/web_pages.h"
#include "app_fixture.h"
#include "support/fake_browser.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using Paths = std::vector<std::string>;

TEST(SingleInstance, ServerNameIsPerUser) {
    EXPECT_EQ(instanceServerName("/run/user/1000", "anna"), "/run/user/1000/lorvan.socket");
    EXPECT_EQ(instanceServerName("/run/user/1000/", "anna"), "/run/user/1000/lorvan.socket");
    EXPECT_EQ(instanceServerName("", "anna"), "lorvan-anna");
    EXPECT_EQ(instanceServerName("relativ", "jörg/x y"), "lorvan-j__rg_x_y");
}

TEST(SingleInstance, HandsOverTheYearFilesOfTheCommandLine) {
    const Paths arguments = {"--data",           "BUILD=BRAXTEL",   "Meier 2024.azr", "../alt/Kunz.AZR",
                             "/d/Lutz 2023.azr", "Mitarbeiter.mar", "notiz.txt",      "-x.azr"};
    const Paths expected = {"/home/anna/Meier 2024.azr", "/home/alt/Kunz.AZR", "/d/Lutz 2023.azr"};
    EXPECT_EQ(handOverFiles(arguments, "/home/anna/"), expected);
    EXPECT_EQ(handOverFiles({}, "/home/anna/"), Paths{});
}

TEST(SingleInstance, MessageCarriesThePathsAndNothingElse) {
    const Paths paths = {"/d/Meier 2024.azr", "/d/Jörg 東京.azr"};
    EXPECT_EQ(decodeHandOver(encodeHandOver(paths)), paths);
    // A path with a line break would arrive as two other paths.
    EXPECT_EQ(decodeHandOver(encodeHandOver({"/d/a\n/d/b.azr", "/d/c.azr"})), Paths{"/d/c.azr"});

    const std::string header = encodeHandOver({});
    struct Case {
        const char* what;
        std::string message;
    };
    const Case refused[] = {
        {"no header", "/d/a.azr\n"},
        {"relative path", header + "a.azr\n"},
        {"other kind", header + "/d/a.mar\n/etc/passwd\n"},
        {"too long", header + "/d/a.azr\n" + std::string(kHandOverLimit, '/')},
        {"empty", ""},
    };
    for (const Case& c : refused)
        EXPECT_EQ(decodeHandOver(c.message), Paths{}) << c.what;
    // The last line needs no line break.
    EXPECT_EQ(decodeHandOver(header + "\n/d/a.azr"), Paths{"/d/a.azr"});
}

// The desktop starts the program with the files of the registered type; the type's pattern is the
// extension under which the program opens year files.
TEST(DesktopRegistration, EntryAndFileTypeFitTheYearFiles) {
    const std::string entry = test::readFile(LORVAN_DESKTOP_DIR "/lorvan.desktop");
    const std::string types = test::readFile(LORVAN_DESKTOP_DIR "/lorvan.xml");
    EXPECT_NE(entry.find("\nExec=lorvan %F\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=application/x-lorvan-arbeitszeit;\n"), std::string::npos) << entry;
    EXPECT_NE(types.find("<mime-type type=\"application/x-lorvan-arbeitszeit\">"), std::string::npos);
    const std::string extension = kindFields(documentKinds()[0]).extension;
    EXPECT_NE(types.find("<glob pattern=\"*" + extension + "\"/>"), std::string::npos) << types;
    EXPECT_EQ(handOverFiles({"Meier" + extension}, "/d/"), Paths{"/d/Meier.azr"});
}

TEST(WebPages, FailingBrowserIsReportedWithTheAddress) {
    test::ScriptedPrompter prompter;
    test::FakeBrowser working(true);
    EXPECT_TRUE(openWebPage(working, prompter, kNewsPageAddress));
    EXPECT_EQ(working.opened, Paths{"https://www.lorvan.example/lorvan.htm"});
    EXPECT_TRUE(prompter.log().empty());

    test::FakeBrowser broken(false);
    EXPECT_FALSE(openWebPage(broken, prompter, kNewsPageAddress));
    EXPECT_EQ(prompter.texts(), Paths{"Der Internetbrowser konnte nicht geöffnet werden, um folgende Seite "
                                      "anzuzeigen:\nhttps://www.lorvan.example/lorvan.htm"});
}

} // namespace
} // namespace lorvan
