#include "cli/commands.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "support/xlsx_contents.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using Command = int (*)(const cli::Options&, const std::vector<std::string>&, std::ostream&);

// A 2026 file with a day of two lines on Monday 16 March and a vacation day on Tuesday.
class DaySheetCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = test::YearFileBuilder("Anna Berg", 2026)
                    .day(3, 16)
                    .work("8:00", "12:00")
                    .work("12:30", "16:00")
                    .withLine([](CZeitZeile& l) { l.remark = "Inventur"; })
                    .day(3, 17, kVacation)
                    .saveAs(dir_.file("Anna_Berg2026.azr"));
        options_.dataDirectory = dir_.path().string();
    }

    std::string run(Command command, std::vector<std::string> args) {
        args.insert(args.begin(), path_);
        std::ostringstream out;
        EXPECT_EQ(command(options_, args, out), 0);
        return out.str();
    }

    test::TempDir dir_;
    std::string path_;
    cli::Options options_;
};

TEST_F(DaySheetCommands, JsonOfTheDaySheetAndTheWeeklyProof) {
    const auto sheet = nlohmann::json::parse(run(cli::runDaySheet, {"16.03.2026", "--json"}));
    EXPECT_EQ(sheet["sheet_name"], "16.03.2026 - Anna Berg");
    EXPECT_EQ(sheet["pages"][0]["rows"][0], (std::vector<std::string>{"Arbeitszeit", "08:00 - 12:00", "4:00", "", ""}));
    EXPECT_EQ(sheet["pages"][0]["rows"].back()[2], "7:30");

    const auto proof = nlohmann::json::parse(run(cli::runWeeklyProof, {"--week", "12"}));
    EXPECT_EQ(proof["title"], "Stundennachweis für KW 12 (16.03.2026 - 22.03.2026) - Anna Berg");
    EXPECT_EQ(proof["sheet_name"], "KW 12 (16.03.2026-22.03.2026)");
    EXPECT_EQ(proof["days"][0]["rows"][0][1], "Gesamt");
    EXPECT_EQ(proof["days"][1]["rows"][0][0], "17.03.-U");

    const auto free = nlohmann::json::parse(run(cli::runWeeklyProof, {"--from", "17.03.2026", "--to", "31.03.2026"}));
    EXPECT_EQ(free["week"], 0);
    EXPECT_EQ(free["sheet_name"], "17.03.2026 - 31.03.2026 ");
}

TEST_F(DaySheetCommands, PdfAndWorkbookFiles) {
    struct Case {
        Command command;
        std::vector<std::string> args;
        const char* option;
        const char* magic;
    };
    const Case cases[] = {
        {cli::runDaySheet, {"16.03.2026"}, "--pdf", "%PDF"},
        {cli::runDaySheet, {"18.03.2026", "--form", "view"}, "--pdf", "%PDF"}, // a blank sheet
        {cli::runWeeklyProof, {"--week", "12"}, "--pdf", "%PDF"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string out = dir_.file("report" + std::to_string(++n));
        std::vector<std::string> args = c.args;
        args.push_back(c.option);
        args.push_back(out);
        EXPECT_EQ(run(c.command, args), "");
        EXPECT_EQ(readWholeFile(out).substr(0, 4), c.magic) << n;
    }

    const std::string sheet = dir_.file("tag.xlsx");
    run(cli::runDaySheet, {"16.03.2026", "--xlsx", sheet});
    const test::XlsxContents day(sheet);
    EXPECT_EQ(day.sheetName(), "16.03.2026 - Anna Berg");
    // "Arbeitszeit" holds hours and minutes as a time value, not as a text or an integer.
    ASSERT_TRUE(day.cell("F2"));
    EXPECT_FALSE(day.cell("F2")->isString);
    EXPECT_NE(day.cell("F2")->numberFormat.find("mm"), std::string::npos);

    const std::string week = dir_.file("woche.xlsx");
    run(cli::runWeeklyProof, {"--week", "12", "--xlsx", week});
    EXPECT_EQ(test::XlsxContents(week).sheetName(), "KW 12 (16.03.2026-22.03.2026)");
}

TEST_F(DaySheetCommands, RefusedInputsAndNothingToExport) {
    std::ostringstream out;
    const auto fails = [&](Command command, std::vector<std::string> args) {
        args.insert(args.begin(), path_);
        return test::errorOf([&] { command(options_, args, out); });
    };
    EXPECT_EQ(fails(cli::runWeeklyProof, {"--from", "20.03.2026", "--to", "16.03.2026"}),
              "Der Zeitraum muss erst vollständig erfasst werden.");
    EXPECT_EQ(fails(cli::runWeeklyProof, {"--from", "20.03.2025", "--to", "22.03.2026"}),
              "Der Zeitraum muss erst vollständig erfasst werden.");
    EXPECT_EQ(fails(cli::runWeeklyProof, {"--week", "12", "--from", "16.03.2026"}),
              "weekly-proof: --week N oder --from TT.MM.JJJJ --to TT.MM.JJJJ angeben.");
    EXPECT_EQ(fails(cli::runDaySheet, {"16.03.2026", "--form", "quer"}),
              "day-sheet: --form entry oder view angeben, nicht 'quer'.");
    EXPECT_EQ(fails(cli::runDaySheet, {"16.03.2025"}), "Der 16.03.2025 liegt nicht im Jahr 2026 der Jahresdatei.");
    const std::string empty = dir_.file("leer.xlsx");
    EXPECT_EQ(fails(cli::runWeeklyProof, {"--week", "20", "--xlsx", empty}), "Es sind keine Daten zum Export vorhanden.");
    EXPECT_EQ(fails(cli::runDaySheet, {"18.03.2026", "--xlsx", empty}), "Es sind keine Daten zum Export vorhanden.");
    EXPECT_FALSE(std::filesystem::exists(empty));
}

} // namespace
} // namespace lorvan
