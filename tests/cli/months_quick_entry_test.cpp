#include "cli/commands.h"
#include "foundation/file_io.h"
#include "masterdata/employee_file.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace lorvan {
namespace {

// A data directory with Anna (year file of 2026 with January and March) and Bert (no year file).
class MonthsAndQuickEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        options_.dataDirectory = dir_.path().string();
        options_.today = Datum{2, 3, 2026};
        anna_ = test::YearFileBuilder("Anna Berg", 2026).month(1).day(3, 2).saveAs(dir_.file("Anna_Berg2026.azr"));
        CTwMaDoc employees;
        for (const auto& [number, name] : {std::pair{1, "Anna Berg"}, std::pair{2, "Bert Roth"}}) {
            CMitarbeiterDoc record;
            record.number = number;
            record.name = name;
            employees.put(record);
        }
        employees.save(dir_.file("Daten.mar"));
    }

    CLorvanDoc load(const std::string& path) const {
        CLorvanDoc doc;
        doc.open(path);
        return doc;
    }

    int months(const std::vector<std::string>& args) {
        out_.str("");
        return cli::runMonths(options_, args, out_);
    }
    int quickEntry(const std::vector<std::string>& args, const std::string& day) {
        out_.str("");
        std::istringstream in(day);
        return cli::runQuickEntry(options_, args, in, out_);
    }

    test::TempDir dir_;
    cli::Options options_;
    std::string anna_;
    std::ostringstream out_;
};

TEST_F(MonthsAndQuickEntry, MonthsAddAndDeleteWriteTheFile) {
    EXPECT_EQ(months({"add", anna_, "4"}), 0);
    EXPECT_NE(load(anna_).month(4), nullptr);
    EXPECT_EQ(months({"add", anna_, "4"}), 1);

    options_.answerYes = false;
    EXPECT_EQ(months({"delete", anna_, "3"}), 1);
    EXPECT_NE(load(anna_).month(3), nullptr);
    options_.answerYes = true;
    EXPECT_EQ(months({"delete", anna_, "3"}), 0);
    EXPECT_EQ(load(anna_).month(3), nullptr);
    EXPECT_THROW_MSG(months({"delete", anna_, "3"}), "Die Datei enthält den Monat März nicht.");
    EXPECT_THROW_MSG(months({"add", anna_, "13"}), "Der Monat muss zwischen 1 und 12 liegen: '13'");

    // A closed month is refused and the file stays as it was.
    options_.settings.monthClosing = "06.2026";
    const std::string before = readWholeFile(anna_);
    EXPECT_EQ(months({"add", anna_, "5"}), 1);
    EXPECT_EQ(readWholeFile(anna_), before);
}

TEST_F(MonthsAndQuickEntry, TwelveMonthsWithYesCreateTheNextYearsFile) {
    test::YearFileBuilder builder("Anna Berg", 2026);
    builder.settings([](CEinstArbzt& s) { s.federalState = "Hessen"; });
    for (int32_t m = 1; m <= 12; ++m)
        builder.month(m);
    builder.saveAs(anna_);
    options_.answerYes = true;
    EXPECT_EQ(months({"add", anna_, "0"}), 0);
    const std::string next = dir_.file("Anna_Berg2027.azr");
    const CLorvanDoc created = load(next);
    EXPECT_EQ(created.settings().year, 2027);
    EXPECT_EQ(created.settings().federalState, "Hessen");
}

TEST_F(MonthsAndQuickEntry, QuickEntryWritesEveryEmployeesFileAndListsThem) {
    options_.answerYes = true;
    const std::string day =
        R"({"report_remark": "Inventur", "time_lines": [{"kind": "Arbeitszeit", "from": "8:00", "to": "12:00",
            "duration": 240, "pause": 45}]})";
    ASSERT_EQ(quickEntry({"--from", "02.03.2026", "--to", "03.03.2026", "--employee", "1", "--employee", "2"}, day),
              0);
    const std::string bert = dir_.file("Bert_Roth2026.azr");
    EXPECT_EQ(out_.str(), anna_ + "\n" + bert + "\n");
    for (const std::string& path : {anna_, bert}) {
        const CLorvanDoc doc = load(path);
        for (int32_t d : {2, 3}) {
            const CTagDoc* written = doc.month(3)->day(d);
            ASSERT_NE(written, nullptr) << path << d;
            EXPECT_EQ(written->reportRemark, "Inventur");
            EXPECT_EQ(written->lineCount(), 1u);
        }
    }
}

TEST_F(MonthsAndQuickEntry, QuickEntryStopsWithoutWritingOnNoOrARefusedRange) {
    const std::string before = readWholeFile(anna_);
    options_.answerYes = false; // Bert's file is not created
    EXPECT_EQ(quickEntry({"--employee", "1", "--employee", "2"}, "{}"), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(quickEntry({"--from", "31.12.2026", "--to", "02.01.2027", "--employee", "1"}, "{}"), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Der Zeitraum muss im selben Jahr liegen."),
              std::string::npos);
    EXPECT_THROW_MSG(quickEntry({"--employee", "5"}, "{}"), "Es gibt keinen Mitarbeiter mit der Personalnummer 5.");
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(readWholeFile(anna_), before);
    EXPECT_FALSE(std::filesystem::exists(dir_.file("Bert_Roth2026.azr")));
}

} // namespace
} // namespace lorvan
