#include "foundation/file_io.h"
#include "masterdata/customer_file.h"
#include "masterdata/service_file.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace lorvan {
namespace {

using nlohmann::json;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// A data directory with a year file 2026 (one line on Tuesday, 3 March), the customer "Beispiel GmbH"
// (number 12, checked on entry) and the service "Montage".
class LineCommand : public ::testing::Test {
  protected:
    LineCommand() {
        std::filesystem::create_directory(data());
        yearFile = test::YearFileBuilder("Anna Berg", 2026)
                       .settings([](CEinstArbzt& s) {
                           s.defaultStartOfWork = "7:00";
                           s.dayEnteredAsOneValue = 1;
                           s.standbyRatingPercent = 25.0;
                       })
                       .day(3, 3)
                       .work("7:00", "12:00")
                       .saveAs(data() + "/AnnaBerg2026.azr");
        CTwKundenDoc customers;
        CKundeDoc customer;
        customer.number = 12;
        customer.name = "Beispiel GmbH";
        customers.put(customer);
        customers.checkCustomerExistsOnEntry = 1;
        customers.save(data() + "/Daten.kd");
        CTwDienstlDoc services;
        CDienstlDoc service;
        service.name = "Montage";
        services.put(service);
        services.save(data() + "/Daten.dl");
    }

    std::string data() const { return dir.file("daten"); }

    CliRun cli(const std::string& args, const std::string& input) const {
        const std::string in = dir.file("stdin.txt");
        test::writeBytes(in, input);
        const std::string out = dir.file("stdout.txt");
        const std::string err = dir.file("stderr.txt");
        const std::string command = "XDG_CONFIG_HOME='" + dir.file("config") + "' " + std::string(LORVAN_CLI) +
                                    " --data '" + data() + "' " + args + " <'" + in + "' >'" + out + "' 2>'" +
                                    err + "'";
        const int raw = std::system(command.c_str());
        return CliRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readWholeFile(out), readWholeFile(err)};
    }

    CliRun check(const std::string& date, const std::string& input, const std::string& options = "") const {
        return cli(options + " line check '" + yearFile + "' " + date, input);
    }

    test::TempDir dir;
    std::string yearFile;
};

TEST_F(LineCommand, CompletesAndChecksATypedCustomerLineWithoutWriting) {
    const std::string before = readWholeFile(yearFile);
    const CliRun r = check("03.03.2026", R"({"kind": "kd", "customer": "12 - Beispiel GmbH", "from": "1230",
        "from_fixed": 1, "duration_text": "4,5", "duration_fixed": 1, "cost_kind": 1, "cost_amount": 30})");
    ASSERT_EQ(r.status, 0) << r.err;
    const json out = json::parse(r.out);
    EXPECT_EQ(out["line"]["kind"], "Kunde");
    EXPECT_EQ(out["line"]["from"], "12:30");
    EXPECT_EQ(out["line"]["to"], "17:00");
    EXPECT_EQ(out["line"]["duration"], 270);
    EXPECT_EQ(out["line"]["to_fixed"], 0);
    EXPECT_EQ(out["cost_label"], "135,00");
    EXPECT_EQ(out["standby_label"], "");
    EXPECT_EQ(readWholeFile(yearFile), before);
}

TEST_F(LineCommand, TheFirstLineOfADayTakesTheOpeningDefaults) {
    // 2 March 2026 does not exist in the file yet: a Monday with 8 hours and 45 minutes break.
    const CliRun first = check("02.03.2026", "{}");
    ASSERT_EQ(first.status, 0) << first.err;
    const json line = json::parse(first.out)["line"];
    EXPECT_EQ(line["kind"], "Arbeitszeit");
    EXPECT_EQ(line["from"], "07:00");
    EXPECT_EQ(line["to"], "15:45");
    EXPECT_EQ(line["pause"], 45);

    // A day with lines: no defaults, so the kind is missing.
    const CliRun later = check("03.03.2026", "{}");
    EXPECT_EQ(later.status, 1);
    EXPECT_EQ(later.err, "Die Art des Eintrags wurde nicht ausgewählt.\n");
    EXPECT_EQ(cli("line check '" + yearFile + "' 02.03.2026 --not-first", "{}").err,
              "Die Art des Eintrags wurde nicht ausgewählt.\n");
}

TEST_F(LineCommand, AFailedCheckExitsWithItsMessage) {
    const struct {
        const char* input;
        const char* options;
        const char* message;
    } cases[] = {
        {R"({"kind": "B", "from": "25:61", "from_fixed": 1})", "", "Der Von-Wert '25:61' ist ungültig."},
        {R"({"kind": "B", "from": "12:00", "from_fixed": 1, "to": "8:00", "to_fixed": 1})", "",
         "Der Beginn des Eintrags liegt vor dem Ende."},
        {R"({"kind": "K", "customer": "Niemand", "from": "8:00", "to": "9:00", "cost_kind": 2})", "--yes",
         "Der Kunde existiert nicht in den Stammdaten.\n\nSoll der Kunde jetzt angelegt werden?"},
        {R"({"kind": "B", "service": "Reparatur", "from": "8:00", "to": "9:00", "cost_kind": 2})", "--no",
         "Die Dienstleistung existiert nicht in den Stammdaten.\n\nSoll die Dienstleistung jetzt angelegt "
         "werden?"},
        {R"({"kind": "B", "pause": "30"})", "", "Falscher Wert für 'pause' in 'line': erwartet eine ganze Zahl"},
    };
    for (const auto& c : cases) {
        const CliRun r = check("03.03.2026", c.input, c.options);
        EXPECT_EQ(r.status, 1) << c.input;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.input;
    }
    // Answered No, an unknown customer is taken as it is.
    const CliRun taken = check(
        "03.03.2026", R"({"kind": "K", "customer": "Niemand", "from": "8:00", "to": "9:00", "cost_kind": 2})", "--no");
    EXPECT_EQ(taken.status, 0) << taken.err;
}

TEST_F(LineCommand, StandbyShowsTheCreditedTime) {
    const CliRun r = check("03.03.2026", R"({"kind": "Bereitschaft", "from": "18:00", "from_fixed": 1,
        "to": "22:00", "to_fixed": 1, "cost_kind": 2})");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(r.out)["standby_label"], "Gerechnet als 01:00");
}

} // namespace
} // namespace lorvan
