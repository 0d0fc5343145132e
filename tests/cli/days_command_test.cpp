#include "cli/commands.h"
#include "entry/file_views.h"
#include "foundation/file_io.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using nlohmann::json;

struct Outcome {
    int status = 0;
    std::string out;
    std::string err; // what the prompter showed
};

// A year file 2026 with the months March, April and July (no employee file: everybody employed).
class DaysCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = test::YearFileBuilder("Anna Berg", 2026)
                    .month(3)
                    .day(4, 6)
                    .work("8:00", "12:00")
                    .month(7)
                    .saveAs(dir_.file("Anna_Berg2026.azr"));
    }

    static cli::Options yes() {
        cli::Options options;
        options.answerYes = true;
        return options;
    }

    Outcome days(const std::vector<std::string>& args, const std::string& input = "", cli::Options options = yes()) {
        std::istringstream in(input);
        std::ostringstream out;
        std::ostringstream err;
        std::streambuf* old = std::cerr.rdbuf(err.rdbuf());
        Outcome run;
        try {
            run.status = cli::runDays(options, args, in, out);
        } catch (...) {
            std::cerr.rdbuf(old);
            throw;
        }
        std::cerr.rdbuf(old);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    static json workLine(const std::string& kind, const std::string& from, const std::string& to, int duration,
                         int pause = 0) {
        return {{"kind", kind}, {"from", from}, {"to", to}, {"duration", duration}, {"pause", pause}};
    }

    test::TempDir dir_;
    std::string path_;
};

TEST_F(DaysCommand, SetDayIsEvaluatedByTheMonthAsWorkedOutByHand) {
    const json day = {{"day_kind", 0},
                      {"report_remark", "Schulung"},
                      {"time_lines",
                       {workLine("Arbeitszeit", "7:00", "12:00", 300), workLine("Pause", "12:00", "12:45", 45, 45),
                        workLine("Arbeitszeit", "12:45", "16:30", 225)}}};
    const Outcome run = days({"set", path_, "10.03.2026"}, day.dump());
    ASSERT_EQ(run.status, 0) << run.err;
    const json saved = json::parse(run.out);
    // By hand: 7:00-12:00 is 300 minutes, the break line 12:00-12:45 is 45 minutes of pause (its own
    // block, as the night surcharge is on, with no work), 12:45-16:30 is 225 minutes: 525 minutes of
    // work, credited alike. The required break of a Tuesday (45) is given: no question.
    EXPECT_EQ(saved["report_remark"], "Schulung");
    EXPECT_EQ(saved["evaluation"]["work_minutes"], 525);
    EXPECT_EQ(saved["evaluation"]["blocks"].size(), 3u);
    EXPECT_EQ(saved["evaluation"]["blocks"][1]["pause"], 45);
    EXPECT_EQ(saved["evaluation"]["status"], "");
    EXPECT_EQ(saved["evaluation"]["checks"]["questions"], json::array());
    EXPECT_EQ(saved["notes"], json::array());

    std::ostringstream month;
    ASSERT_EQ(cli::runMonth({}, {path_, "3", "--json"}, month), 0);
    const json evaluation = json::parse(month.str())["evaluation"];
    EXPECT_EQ(evaluation["credited_minutes"], 525);

    // show reads back what set wrote; its evaluation keys are ignored when it is set again.
    const Outcome shown = days({"show", path_, "10.03.2026", "--json"});
    ASSERT_EQ(shown.status, 0);
    json expected = saved;
    expected.erase("notes");
    EXPECT_EQ(json::parse(shown.out), expected);
    EXPECT_EQ(days({"set", path_, "10.03.2026"}, shown.out).status, 0);
    const Outcome text = days({"show", path_, "10.03.2026", "--text"});
    EXPECT_NE(text.out.find("Tag: 10.03.2026 (Dienstag)"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Summe Arbeit 08:45"), std::string::npos) << text.out;
}

TEST_F(DaysCommand, ChecksAndNoAnswersWriteNothing) {
    const std::string before = readWholeFile(path_);
    const json badLine = {{"time_lines", {workLine("", "8:00", "12:00", 240)}}};
    Outcome run = days({"set", path_, "10.03.2026"}, badLine.dump());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Die Art des Eintrags '8:00 - 12:00' wurde nicht ausgewählt.\n");

    // Overlapping times: --no declines "Sind die Zeiten in Ordnung?".
    const json overlap = {{"time_lines", {workLine("Arbeitszeit", "8:00", "12:00", 240),
                                          workLine("Arbeitszeit", "11:00", "13:00", 120)}}};
    cli::Options no;
    run = days({"set", path_, "10.03.2026"}, overlap.dump(), no);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Die Arbeitszeiten überschneiden sich!"), std::string::npos) << run.err;
    EXPECT_EQ(days({"delete", path_, "06.04.2026"}, "", no).status, 1);
    EXPECT_EQ(readWholeFile(path_), before);

    // Unticked "Angaben vollständig": stored as it is.
    const json incomplete = {{"complete", 0}, {"time_lines", {workLine("", "8:00", "12:00", 240)}}};
    run = days({"set", path_, "10.03.2026"}, incomplete.dump());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(json::parse(run.out)["evaluation"]["status"], "Unvollständig");
}

TEST_F(DaysCommand, ClosedMonthIsLockedTheNextMonthIsNot) {
    const std::string before = readWholeFile(path_);
    cli::Options options = yes();
    options.settings.monthClosing = "03.2026";
    const json day = {{"day_kind", 2}};
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"set", path_, "10.03.2026"}, {"add", path_, "11.03.2026"}}) {
        const Outcome run = days(args, day.dump(), options);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, std::string(kMonthLockedMessage) + "\n");
    }
    EXPECT_EQ(readWholeFile(path_), before);
    EXPECT_EQ(days({"set", path_, "07.04.2026"}, day.dump(), options).status, 0);
    options.settings.temporaryRelease = true;
    EXPECT_EQ(days({"add", path_, "11.03.2026"}, "", options).status, 0);
}

TEST_F(DaysCommand, AddRefusesDaysThatDoNotExistAndMissingMonths) {
    const std::string before = readWholeFile(path_);
    Outcome run = days({"add", path_, "31.04.2026"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Der Tag ist ungültig.\n");
    run = days({"add", path_, "06.04.2026"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Der Tag existiert schon.\n");
    EXPECT_THROW_MSG(days({"set", path_, "04.05.2026"}, "{}"), "Der Monat Mai 2026 ist nicht angelegt.");
    EXPECT_THROW_MSG(days({"show", path_, "07.04.2026"}), "Der Tag 07.04.2026 ist nicht angelegt.");
    EXPECT_EQ(readWholeFile(path_), before);

    run = days({"add", path_, "30.04.2026"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(json::parse(run.out)["complete"], 1);
    EXPECT_EQ(days({"delete", path_, "30.04.2026"}).status, 0);
    EXPECT_EQ(days({"show", path_, "06.04.2026"}).status, 0);
}

TEST_F(DaysCommand, FillUntilStopsAtTheMonthsEnd) {
    const json vacation = {{"day_kind", 2}, {"report_remark", "Urlaub"}};
    Outcome run = days({"set", path_, "28.04.2026", "--fill-until", "31.04.2026"}, vacation.dump());
    ASSERT_EQ(run.status, 0) << run.err;
    run = days({"set", path_, "27.04.2026", "--fill-until", "15.05.2026"}, vacation.dump());
    ASSERT_EQ(run.status, 0) << run.err;
    CLorvanDoc doc;
    doc.open(path_);
    const CMonatDoc& april = *doc.month(4);
    for (int32_t d : {27, 28, 29, 30}) {
        ASSERT_NE(april.day(d), nullptr) << d;
        EXPECT_EQ(april.day(d)->dayKind, 2) << d;
    }
    EXPECT_EQ(doc.month(5), nullptr);
    EXPECT_EQ(april.day(6)->dayKind, 0);
}

} // namespace
} // namespace lorvan
