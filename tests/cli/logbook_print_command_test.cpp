#include "cli/commands.h"
#include "foundation/calendar.h"
#include "foundation/file_io.h"
#include "support/error_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

// A logbook of 2024 with trips on consecutive days from 8 January, 25 km each and business, written
// as the JSON input of the test entry; the readings as entered (a cancelled trip keeps its reading).
nlohmann::json logbookJson(int trips) {
    nlohmann::json json{{"plate", "K-LV 204"},   {"description", "Transporter"},
                        {"year", 2024},          {"start_street", "Werkstr. 3"},
                        {"start_place", "Köln"}, {"start_kilometres", 1000.0}};
    json["trips"] = nlohmann::json::array();
    double kilometres = 1000;
    for (int i = 0; i < trips; ++i) {
        kilometres += 25;
        const std::string date = formatDate(addDays(Datum{8, 1, 2024}, i));
        json["trips"].push_back({{"kind", 0},
                                 {"driver", "Anna Berg"},
                                 {"person", "Kunde"},
                                 {"purpose", "Kundenbesuch"},
                                 {"street", "Ringstr. " + std::to_string(i + 1)},
                                 {"place", "Bonn"},
                                 {"start_date", date},
                                 {"start_time", "08:00"},
                                 {"end_date", date},
                                 {"end_time", "08:45"},
                                 {"kilometres", kilometres}});
    }
    return json;
}

class LogbookPrintCommand : public ::testing::Test {
  protected:
    void SetUp() override { options_.today = Datum{20, 3, 2024}; }

    std::vector<std::string> input(const nlohmann::json& json) {
        const std::string path = dir_.file("logbook" + std::to_string(++files_) + ".json");
        writeFileAtomically(path, json.dump());
        return {path};
    }

    nlohmann::json printJson(const nlohmann::json& logbook, const std::vector<std::string>& options = {}) {
        std::vector<std::string> args = input(logbook);
        args.insert(args.end(), options.begin(), options.end());
        args.push_back("--json");
        std::ostringstream out;
        EXPECT_EQ(cli::runLogbookPrintInput(options_, args, out), 0);
        return nlohmann::json::parse(out.str());
    }

    test::TempDir dir_;
    cli::Options options_;
    int files_ = 0;
};

// The cells of a table's row in the JSON.
std::vector<std::string> rowOf(const nlohmann::json& table, size_t row) {
    return table["rows"][row].get<std::vector<std::string>>();
}

TEST_F(LogbookPrintCommand, JsonGivesThePagesTheirTablesTheSumsAndThePeriod) {
    nlohmann::json logbook = logbookJson(30);
    logbook["trips"][4]["status"] = 1; // cancelled: the next trip counts from the trip before it
    const nlohmann::json print = printJson(logbook);

    EXPECT_EQ(print["title"], "Kfz-Fahrtenbuch für K-LV 204");
    EXPECT_EQ(print["period"], "vom 01.01.2024 bis 31.12.2024");
    EXPECT_EQ(print["footer"], "Erstellt mit dem Programm Lorvan 3.14");
    EXPECT_EQ(print["trips"], 30);
    EXPECT_EQ(print["estimated_pages"], 3);
    EXPECT_DOUBLE_EQ(print["sums"]["business"].get<double>(), 29 * 25.0 + 25.0);
    EXPECT_DOUBLE_EQ(print["sums"]["business_share"].get<double>(), 100.0);

    const nlohmann::json& pages = print["pages"];
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(pages[0]["tables"][3]["name"], "STARTTITLE");
    EXPECT_EQ(rowOf(pages[0]["tables"][4], 0),
              (std::vector<std::string>{"", "Werkstr. 3", "", "1000,0", "", ""}));
    // the fifth trip's tables follow the start block and four trips of four tables each
    const nlohmann::json& cancelled = pages[0]["tables"][6 + 4 * 4 + 2];
    EXPECT_EQ(cancelled["name"], "ROW2");
    EXPECT_EQ(rowOf(cancelled, 0), (std::vector<std::string>{"", "Bonn", "Kundenbesuch", "Storno", "", ""}));
    const nlohmann::json& after = pages[0]["tables"][6 + 5 * 4 + 2];
    EXPECT_EQ(rowOf(after, 0)[4], "50,0"); // 1150 - 1100, the reading of the last valid trip
    for (size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(pages[p]["tables"][0]["name"], "HEADER1");
        EXPECT_EQ(pages[p]["signature"], p + 1 == pages.size());
    }
    const nlohmann::json& sums = pages.back()["tables"].back();
    EXPECT_EQ(sums["name"], "Summe");
    EXPECT_EQ(rowOf(sums, 1)[1], "1750,0");
    EXPECT_EQ(rowOf(sums, sums["rows"].size() - 1)[2], "20.03.2024");
}

TEST_F(LogbookPrintCommand, ThePeriodOptionsChooseTheTrips) {
    const nlohmann::json print = printJson(logbookJson(10), {"--from", "10.01.2024", "--to", "10.01.2024"});
    EXPECT_EQ(print["trips"], 1);
    EXPECT_EQ(print["period"], "vom 10.01.2024 bis 10.01.2024");
    EXPECT_EQ(print["pages"].size(), 1u);
}

TEST_F(LogbookPrintCommand, ThePdfHasThePagesOfTheLayout) {
    const nlohmann::json layout = printJson(logbookJson(30));
    std::vector<std::string> args = input(logbookJson(30));
    const std::string pdf = dir_.file("logbook.pdf");
    args.insert(args.end(), {"--pdf", pdf});
    std::ostringstream out;
    ASSERT_EQ(cli::runLogbookPrintInput(options_, args, out), 0);
    const std::string bytes = readWholeFile(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_NE(bytes.find("/Count " + std::to_string(layout["pages"].size())), std::string::npos);
}

TEST_F(LogbookPrintCommand, RefusesBadPeriodsInputsAndOutputs) {
    struct Case {
        nlohmann::json logbook;
        std::vector<std::string> options;
        std::string message;
    };
    nlohmann::json unknownKey = logbookJson(1);
    unknownKey["trips"][0]["colour"] = "rot";
    const Case cases[] = {
        {logbookJson(3),
         {"--from", "11.01.2024", "--to", "10.01.2024"},
         "Der Beginn des Drucks muss vor dem Ende liegen."},
        {logbookJson(3), {"--from", "1.13.2024"}, "Der Beginn des Drucks ist kein gültiges Datum."},
        {logbookJson(3), {"--from", "01.06.2024"}, "Es sind keine Daten zum Druck vorhanden."},
        {logbookJson(0), {}, "Es sind keine Daten zum Druck vorhanden."},
        {logbookJson(3), {"--xlsx", "out.xlsx"}, "logbook print: nur --json oder --pdf AUS."},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = input(c.logbook);
        args.insert(args.end(), c.options.begin(), c.options.end());
        std::ostringstream out;
        EXPECT_EQ(test::errorOf([&] { cli::runLogbookPrintInput(options_, args, out); }), c.message);
        EXPECT_TRUE(out.str().empty());
    }
    std::ostringstream out;
    const std::string unknown =
        test::errorOf([&] { cli::runLogbookPrintInput(options_, input(unknownKey), out); });
    EXPECT_NE(unknown.find("colour"), std::string::npos) << unknown;
}

} // namespace
} // namespace lorvan
