#include "employee_fixture.h"

#include "masterdata/employee_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::EmployeeFixture;

std::vector<std::string> relativeFiles(const EmployeeFixture& f, const std::string& name) {
    std::vector<std::string> files;
    for (const std::string& path : employeeFiles(f.dir(), name)) {
        EXPECT_EQ(path.rfind(f.dir(), 0), 0u) << path;
        files.push_back(path.substr(f.dir().size()));
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(EmployeeFiles, YearFilePathIsTheFileNameFormAndTheYear) {
    EXPECT_EQ(yearFilePath("/daten/", "Jens Schäfer", 2024), "/daten/Jens_Schaefer2024.azr");
    EXPECT_EQ(yearFilePath("/daten", "Jörg Weiß-Bäcker", 2026), "/daten/Joerg_WeissBaecker2026.azr");
}

TEST(EmployeeFiles, OnlyFilesNamedFormPlusYearInTheDataDirectoryAndArchiv) {
    EmployeeFixture f;
    for (const char* folder : {"ARCHIV/2019", "archiv", "ARCHIV/a/b/c", "Sicherung"})
        std::filesystem::create_directories(f.path(folder));
    for (const char* name : {"Jens_Schaefer2024.azr", "jens_schaefer2020.azr", "JENS_SCHAEFER2021.AZR",
                             "ARCHIV/2019/Jens_Schaefer2019.azr", "archiv/Jens_Schaefer2018.azr",
                             "ARCHIV/a/b/c/Jens_Schaefer2017.azr", "Jens_Schaefer_alt2020.azr",
                             "Jens_Schaefer.azr", "Jens_SchaeferABCD.azr", "Jens_Schaefer2024.azr.tmpX1y2Z3",
                             "Jens_Schaefer2024.txt", "Sicherung/Jens_Schaefer2016.azr", "Daten.mar"})
        test::writeBytes(f.path(name), "x");

    EXPECT_EQ(
        relativeFiles(f, "Jens Schäfer"),
        (std::vector<std::string>{"ARCHIV/2019/Jens_Schaefer2019.azr", "ARCHIV/a/b/c/Jens_Schaefer2017.azr",
                                  "JENS_SCHAEFER2021.AZR", "Jens_Schaefer2024.azr",
                                  "archiv/Jens_Schaefer2018.azr", "jens_schaefer2020.azr"}));
}

TEST(EmployeeFiles, MasterFilesBelongToNobody) {
    EmployeeFixture f;
    for (const char* name : {"Daten.mar", "Daten.kd", "Daten.dl", "2024.azr", "D2024.azr"})
        test::writeBytes(f.path(name), "x");
    struct Case {
        std::string name;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"D", {"D2024.azr"}}, // "Daten.mar" without its last 8 characters is "D" as well
        {"", {}},
        {"---", {}}, // an empty file-name form owns nothing, not "2024.azr" nor "Daten.kd"
        {"Daten", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(relativeFiles(f, c.name), c.expected) << c.name;
}

TEST(EmployeeFiles, FileNameFormsAreComparedWithoutRegardToCase) {
    EXPECT_TRUE(sameFileNameForm("Anna", "anna"));
    EXPECT_TRUE(sameFileNameForm("Jörg Schäfer", "joerg_schaefer"));
    EXPECT_FALSE(sameFileNameForm("Anna Beispiel", "Anna  Beispiel"));
}

TEST(EmployeeFiles, WindowsThatStayOpenStopWithTheirMessage) {
    test::ScriptedPrompter prompter;
    test::RefusingWindows windows;
    windows.refusing.insert("/daten/Anna2026.azr");
    EXPECT_TRUE(closeWindowsOf(nullptr, prompter, "/daten/Anna2026.azr"));
    EXPECT_TRUE(closeWindowsOf(&windows, prompter, "/daten/Anna2025.azr"));
    EXPECT_FALSE(closeWindowsOf(&windows, prompter, "/daten/Anna2026.azr"));
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Es konnten nicht alle Fenster für /daten/Anna2026.azr "
                                        "geschlossen werden.\nDie Verarbeitung wird abgebrochen."}));
}

} // namespace
} // namespace lorvan
