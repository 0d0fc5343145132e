#include "cli/commands.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "support/error_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace lorvan {
namespace {

std::string holidays(const std::vector<std::string>& args) {
    std::ostringstream out;
    EXPECT_EQ(cli::runHolidays(cli::Options{}, args, out), 0);
    return out.str();
}

TEST(HolidaysCommand, ListsTheDatesOfTheYearOneALine) {
    EXPECT_EQ(holidays({"2025", "Berlin"}), "01.01.2025\n08.03.2025\n18.04.2025\n20.04.2025\n21.04.2025\n"
                                            "01.05.2025\n08.05.2025\n29.05.2025\n08.06.2025\n09.06.2025\n"
                                            "03.10.2025\n25.12.2025\n26.12.2025\n");
    EXPECT_EQ(holidays({"2026"}), "01.01.2026\n03.04.2026\n05.04.2026\n06.04.2026\n01.05.2026\n14.05.2026\n"
                                  "24.05.2026\n25.05.2026\n03.10.2026\n25.12.2026\n26.12.2026\n");
}

TEST(HolidaysCommand, RefusesBadYearsUnknownStatesAndWrongArgumentCounts) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"1799"}, "Das Jahr muss zwischen 1800 und 2999 liegen: '1799'"},
        {{"3000", "Bayern"}, "Das Jahr muss zwischen 1800 und 2999 liegen: '3000'"},
        {{"20x5"}, "Das Jahr muss zwischen 1800 und 2999 liegen: '20x5'"},
        {{"-2025"}, "Das Jahr muss zwischen 1800 und 2999 liegen: '-2025'"},
        {{""}, "Das Jahr muss zwischen 1800 und 2999 liegen: ''"},
        {{"2025", "Bavaria"}, "Unbekanntes Bundesland: 'Bavaria'"},
        {{"2025", "bayern"}, "Unbekanntes Bundesland: 'bayern'"},
        {{}, "holidays: Jahr und optional Bundesland angeben."},
        {{"2025", "Bayern", "Hessen"}, "holidays: Jahr und optional Bundesland angeben."},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        EXPECT_THROW_MSG(cli::runHolidays(cli::Options{}, c.args, out), c.message);
        EXPECT_EQ(out.str(), "");
    }
}

TEST(HolidaysCommand, ProgramExitsWithStatusAndGermanMessage) {
    test::TempDir dir;
    auto run = [&](const std::string& args, std::string& out, std::string& err) {
        const std::string outFile = dir.file("out.txt");
        const std::string errFile = dir.file("err.txt");
        const int raw = std::system(
            ("XDG_CONFIG_HOME=/nonexistent " + std::string(LORVAN_CLI) + " " + args + " >'" + outFile + "' 2>'" + errFile + "'").c_str());
        out = readWholeFile(outFile);
        err = readWholeFile(errFile);
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    std::string out, err;
    EXPECT_EQ(run("holidays 2024 Sachsen", out, err), 0) << err;
    EXPECT_NE(out.find("\n20.11.2024\n"), std::string::npos) << out;
    EXPECT_EQ(run("holidays 2024 'Thüringen'", out, err), 0) << err;
    EXPECT_NE(out.find("\n20.09.2024\n"), std::string::npos) << out;
    EXPECT_EQ(run("holidays 2024 Preussen", out, err), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "Unbekanntes Bundesland: 'Preussen'\n");
}

} // namespace
} // namespace lorvan
