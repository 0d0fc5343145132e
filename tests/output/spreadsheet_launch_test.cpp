#include "output/spreadsheet_launch.h"

#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/xlsx_contents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lorvan {
namespace {

namespace fs = std::filesystem;

class RecordingRunner final : public ProgramRunner {
  public:
    explicit RecordingRunner(std::string failure = {}) : failure_(std::move(failure)) {}
    std::string start(const std::vector<std::string>& command) override {
        commands.push_back(command);
        return failure_;
    }
    std::vector<std::vector<std::string>> commands;

  private:
    std::string failure_;
};

CReportTable hoursTable() {
    CReportTable table("EXPORT");
    table.addColumn(1, 1.0, "Stunden").valueType = kValueHoursMinutes;
    table.addRow().addCell(1, "8:15");
    return table;
}

TEST(SpreadsheetLaunch, EachExportWritesItsOwnWorkbookAndOpensItInTheChosenProgram) {
    test::TempDir dir;
    const fs::path folder = dir.path() / "exports";
    RecordingRunner runner;
    test::ScriptedPrompter prompter;
    const CReportTable table = hoursTable();

    const std::string first = exportToExcel(table, "2024 - Jörg Weiß", folder, runner, prompter);
    const std::string second = exportToCalc(table, "2024 - Jörg Weiß", folder, runner, prompter);
    EXPECT_EQ(first, (folder / "2024__Joerg_Weiss.xlsx").string());
    EXPECT_EQ(second, (folder / "2024__Joerg_Weiss_2.xlsx").string());
    ASSERT_EQ(runner.commands.size(), 2u);
    EXPECT_EQ(runner.commands[0], (std::vector<std::string>{"xdg-open", first}));
    EXPECT_EQ(runner.commands[1], (std::vector<std::string>{"libreoffice", "--calc", second}));
    EXPECT_TRUE(prompter.log().empty());

    const test::XlsxContents xlsx(second);
    EXPECT_EQ(xlsx.sheetName(), "2024 - Jörg Weiß");
    EXPECT_EQ(xlsx.cell("A2")->numberFormat, "[hh]:mm");
    EXPECT_EQ(exportFilePath(folder, "*/?"), folder / "Export.xlsx");
}

TEST(SpreadsheetLaunch, FailuresShowTheMessageOfTheProgram) {
    CReportTable tooWide = hoursTable();
    tooWide.addColumn(20000, 1.0, "x");
    const struct {
        SpreadsheetProgram program;
        bool cannotWrite;
        std::string expected; // a write failure adds the file name and the reason
    } cases[] = {
        {SpreadsheetProgram::Excel, false, "Die Verbindung zu Excel konnte nicht hergestellt werden."},
        {SpreadsheetProgram::Calc, false, kCalcNotStartedMessage},
        {SpreadsheetProgram::Excel, true, "Die Verbindung zu Excel konnte nicht hergestellt werden.\n\n"},
        {SpreadsheetProgram::Calc, true,
         "Die Verbindung zu OpenOffice/StarOffice konnte nicht hergestellt werden.\n\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        test::TempDir dir;
        // The runner's reason is the system's wording; the user never sees it.
        RecordingRunner runner(
            c.cannotWrite ? "" : "execv: Die Datei oder das Verzeichnis konnte nicht gefunden werden");
        test::ScriptedPrompter prompter;
        const std::string path = exportTable(c.cannotWrite ? tooWide : hoursTable(), "Export",
                                             {c.program, dir.path(), runner, prompter});
        ASSERT_EQ(prompter.log().size(), 1u);
        EXPECT_EQ(prompter.log()[0].kind, "error");
        if (c.cannotWrite) {
            EXPECT_EQ(
                prompter.log()[0].text.rfind(c.expected + (dir.path() / "Export.xlsx").string() + ": ", 0),
                0u)
                << prompter.log()[0].text;
            EXPECT_EQ(path, "");
            EXPECT_TRUE(runner.commands.empty());
            EXPECT_TRUE(fs::is_empty(dir.path()));
        } else {
            // The workbook stays where it was written, and the message says where that is.
            EXPECT_EQ(path, (dir.path() / "Export.xlsx").string());
            EXPECT_EQ(prompter.log()[0].text,
                      c.expected + "\n\nDie Arbeitsmappe wurde gespeichert unter: " + path);
            EXPECT_EQ(test::XlsxContents(path).sheetName(), "Export");
        }
    }
}

TEST(SpreadsheetLaunch, ARefusedSheetNameIsReportedByExcelOnlyAndTheExportGoesOn) {
    for (const auto program : {SpreadsheetProgram::Excel, SpreadsheetProgram::Calc}) {
        test::TempDir dir;
        RecordingRunner runner;
        test::ScriptedPrompter prompter;
        const std::string path =
            exportTable(hoursTable(), "Januar: Meier", {program, dir.path(), runner, prompter});
        EXPECT_EQ(test::XlsxContents(path).sheetName(), "Tabelle1");
        EXPECT_EQ(runner.commands.size(), 1u);
        if (program == SpreadsheetProgram::Excel) {
            EXPECT_EQ(prompter.texts(),
                      std::vector<std::string>{"Der Name der Arbeitsmappe konnte nicht gesetzt werden."});
        } else {
            EXPECT_TRUE(prompter.log().empty());
        }
    }
}

TEST(SpreadsheetLaunch, ADescriptionIsCutAfter1000Characters) {
    std::string longText;
    for (int i = 0; i < 1200; ++i)
        longText += "ä";
    const std::string message = messageWithDescription(kExcelConnectionMessage, longText);
    EXPECT_EQ(message, std::string(kExcelConnectionMessage) + "\n\n" + longText.substr(0, 2000));
    EXPECT_EQ(messageWithDescription(kExcelConnectionMessage, ""), kExcelConnectionMessage);
}

} // namespace
} // namespace lorvan
