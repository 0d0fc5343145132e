#include "masterdata/employee_file.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/xlsx_contents.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace lorvan {
namespace {

using test::CliRun;

// The demo data of 15.05.2026: the years 2025 and 2026 of five employees.
class QueryCommand : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        directory_ = new test::TempDir;
        const CliRun run = cli("demo '" + data() + "'");
        ASSERT_EQ(run.status, 0) << run.err;
    }
    static void TearDownTestSuite() {
        delete directory_;
        directory_ = nullptr;
    }

    static std::string data(const std::string& name = "") { return directory_->path().string() + "/data/" + name; }

    static CliRun cli(const std::string& args) {
        return test::runCommand("XDG_CONFIG_HOME='" + directory_->file("config") + "' " + std::string(LORVAN_CLI) +
                                    " --data '" + data() + "' --today 15.05.2026 " + args,
                                directory_->path().string());
    }

    static nlohmann::json query(const std::string& args) {
        const CliRun run = cli("query " + args + " --json");
        EXPECT_EQ(run.status, 0) << run.err;
        return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json{};
    }

    static test::TempDir* directory_;
};

test::TempDir* QueryCommand::directory_ = nullptr;

// Jörg Weiß has the emergency service on the first Sunday of March 2025 (2 March): travel 8:30 to
// 9:00, then 9:00 to 13:15 at customer 4 "Stadtwerke Bergheim" with the service "Notdienst", costed
// from his wage. 13:15 - 9:00 = 255 minutes = 4:15 h; his wage for "Notdienst" is 24.80 + 6.00 =
// 30.80 EUR an hour, so 4.25 h cost 130.90 EUR. With the travel the day has 285 minutes = 4:45 h.
TEST_F(QueryCommand, TheEmergencyServiceOfTheDemoAsWorkedOutByHand) {
    const nlohmann::json result =
        query("--period own --from 02.03.2025 --to 02.03.2025 --employees 2 --levels customer,service --sums 1,1 "
              "--costs");
    EXPECT_EQ(result["title"], "Übersicht Kunde/Dienstleistung - Mitarbeiter (Jörg Weiß) - 02.03.2025");
    EXPECT_EQ(result["tree"]["minutes"], 255);
    EXPECT_DOUBLE_EQ(result["tree"]["costs"].get<double>(), 130.90);
    const nlohmann::json& customer = result["tree"]["children"][0];
    EXPECT_EQ(customer["display"], "4 - Stadtwerke Bergheim");
    EXPECT_EQ(customer["children"][0]["display"], "Notdienst");
    EXPECT_EQ(result["export"]["columns"],
              (nlohmann::json{"Kunde", "Dienstleistung", "Summe Arbeitszeit", "Kosten"}));
    EXPECT_EQ(result["export"]["rows"], (nlohmann::json{{"4 - Stadtwerke Bergheim", "", "04:15", "130,90"},
                                                        {"", "Notdienst", "04:15", "130,90"}}));
    EXPECT_EQ(result["skipped_files"], nlohmann::json::array());

    const nlohmann::json day = query("--period own --from 02.03.2025 --to 02.03.2025 --employees 2 --levels day,employee");
    EXPECT_EQ(day["tree"]["children"][0]["display"], "02.03.2025");
    EXPECT_EQ(day["tree"]["children"][0]["time"], "04:45");

    EXPECT_EQ(query("--period own --from 02.03.2025 --to 02.03.2025 --list customers")["customers"],
              nlohmann::json{"4 - Stadtwerke Bergheim"});
}

TEST_F(QueryCommand, SelectionsByNumberOrTextAndTheSummaries) {
    const nlohmann::json result = query("--period last-year --employees all --customers 4 --services Notdienst "
                                        "--levels employee,customer --sums 1,0");
    EXPECT_EQ(result["customers"], "4 - Stadtwerke Bergheim");
    EXPECT_EQ(result["services"], "Notdienst");
    EXPECT_EQ(result["title"],
              "Übersicht Mitarbeiter/Kunde (4 - Stadtwerke Bergheim) - Dienstleistung (Notdienst) - 2025");
    // Only the field service has customers; the emergency Sundays of four quarters at least.
    ASSERT_EQ(result["tree"]["children"].size(), 1u);
    EXPECT_EQ(result["tree"]["children"][0]["display"], "Jörg Weiß");
    EXPECT_GE(result["tree"]["minutes"].get<int>(), 4 * 255);
}

TEST_F(QueryCommand, WritesTextPdfAndWorkbook) {
    const std::string range = "--period own --from 01.03.2025 --to 31.03.2025 --levels customer,day,employee ";
    const CliRun text = cli("query " + range + "--text");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("Übersicht Kunde/Tag/Mitarbeiter - 01.03.2025 - 31.03.2025\n", 0), 0u) << text.out;

    const std::string pdf = directory_->file("abfrage.pdf");
    const CliRun printed = cli("query " + range + "--pdf '" + pdf + "'");
    ASSERT_EQ(printed.status, 0) << printed.err;
    std::ifstream in(pdf, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");

    const std::string xlsx = directory_->file("abfrage.xlsx");
    const CliRun exported = cli("query " + range + "--xlsx '" + xlsx + "'");
    ASSERT_EQ(exported.status, 0) << exported.err;
    const test::XlsxContents workbook(xlsx);
    EXPECT_EQ(workbook.sheetName(), "Kundenabfrage");
    EXPECT_EQ(workbook.cell("A1")->value, "Kunde");
    EXPECT_EQ(workbook.cell("D1")->value, "Summe Arbeitszeit");
}

TEST_F(QueryCommand, SavesTheChoicesAsTheDesktopsDefaults) {
    test::TempDir copy;
    std::filesystem::copy(data(), copy.path(), std::filesystem::copy_options::recursive);
    const auto run = [&](const std::string& args) {
        return test::runCommand("XDG_CONFIG_HOME='" + directory_->file("config") + "' " + std::string(LORVAN_CLI) +
                                    " --data '" + copy.path().string() + "' --today 15.05.2026 query " + args,
                                copy.path().string());
    };
    ASSERT_EQ(run("--period last-month --levels service,from-to --sums 0,1 --costs --page-break 1 "
                  "--services-at-customer 0 --save-settings --json")
                  .status,
              0);
    CTwMaDoc employees;
    employees.open(copy.file("Daten.mar"));
    const CustomerQuerySettings& q = employees.customerQuery;
    EXPECT_EQ(q.periodChoice, 4);
    EXPECT_EQ(q.levels[0].name, "Dienstleistung");
    EXPECT_EQ(q.levels[0].showSum, 0);
    EXPECT_EQ(q.levels[1].name, "Arbeitszeit (Von-Bis)");
    EXPECT_EQ(q.levels[2].name, "Keine weitere Ebene");
    EXPECT_EQ(q.showCosts, 1);
    EXPECT_EQ(q.pageBreak, 1);
    EXPECT_EQ(q.onlyServicesWithCustomer, 0);
    // The next run starts from them: April 2026, by service.
    const CliRun next = run("--json");
    ASSERT_EQ(next.status, 0) << next.err;
    const nlohmann::json result = nlohmann::json::parse(next.out);
    EXPECT_EQ(result["period"], "04.2026");
    EXPECT_EQ(result["structure"], "Dienstleistung/Arbeitszeit (Von-Bis)");
    EXPECT_TRUE(result["show_costs"].get<bool>());
}

TEST_F(QueryCommand, RefusesWrongOptionsWithClearMessages) {
    struct Case {
        const char* args;
        const char* message;
    };
    const Case cases[] = {
        {"--period morgen", "query: --period erwartet all, year, last-year, month, last-month oder own, nicht 'morgen'.\n"},
        {"--period own --from 02.03.2025 --to 01.03.2025", "Der Beginn des Zeitraums muss vor dem Ende liegen.\n"},
        {"--employees 2,99", "query: einen Mitarbeiter mit der Personalnummer '99' gibt es nicht.\n"},
        {"--levels kunde", "query: --levels erwartet customer, service, day, employee, from-to oder none, nicht 'kunde'.\n"},
        {"--levels none,day", "query: die 1. Ebene kann nicht 'Keine weitere Ebene' sein.\n"},
        {"--sums 1,2", "query: --sums erwartet 0 oder 1 je Ebene.\n"},
        {"--page-break 3", "query: --page-break erwartet 0, 1 oder 2.\n"},
        {"--period own --from 01.01.2020 --to 02.01.2020 --text", "Es sind keine Daten zum Druck vorhanden.\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(std::string("query ") + c.args);
        EXPECT_EQ(run.status, 1) << c.args;
        EXPECT_EQ(run.err, c.message) << c.args;
    }
}

} // namespace
} // namespace lorvan
