#include "reports/year_table.h"

#include "foundation/time_text.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

void addWorkDay(CLorvanDoc& doc, int32_t month, int32_t day, const char* from, const char* to) {
    CZeitZeile& line = doc.addMonth(month).addDay(day).addLine();
    line.kind = kKindWorkingTime;
    line.from = from;
    line.to = to;
    line.duration = parseClock(spanText(from, to));
}

std::vector<std::string> texts(const CReportTable& table, const CReportRow& row) {
    std::vector<std::string> result;
    for (const auto& [number, column] : table.columns())
        result.push_back(row.cell(number) != nullptr ? row.cell(number)->text : "");
    return result;
}

// March: one day in each class; May: a record without work; July: two short days.
class YearTable : public ::testing::Test {
  protected:
    void SetUp() override {
        doc_.settings().year = 2026;
        addWorkDay(doc_, 3, 2, "8:00", "14:00"); // 6 h
        addWorkDay(doc_, 3, 3, "7:00", "16:30"); // 9 h 30
        addWorkDay(doc_, 3, 4, "6:00", "21:00"); // 15 h
        addWorkDay(doc_, 3, 5, "0:00", "25:00"); // 25 h
        doc_.addMonth(5).addDay(4);
        addWorkDay(doc_, 7, 1, "8:00", "15:59"); // 7 h 59
        addWorkDay(doc_, 7, 2, "8:00", "10:00");
    }
    CLorvanDoc doc_;
};

TEST_F(YearTable, OneRowPerMonthAndTheSums) {
    const std::optional<CReportTable> table = yearTable(doc_, false);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->name, "JAHR");
    const std::vector<std::vector<std::string>> expected = {
        {"Monat", "Arbeitstage", "Tage < 8 Stunden", "Tage >= 8 Stunden", "Tage >= 14 Stunden",
         "Tage >= 24 Stunden"},
        {"März", "4", "1", "1", "1", "1"},
        {"Mai", "0", "", "", "", ""},
        {"Juli", "2", "2", "", "", ""},
        {"Summe", "6", "3", "1", "1", "1"},
    };
    std::vector<std::vector<std::string>> actual(1);
    for (const auto& [number, column] : table->columns())
        actual[0].push_back(column.title);
    for (const CReportRow& row : table->rows())
        actual.push_back(texts(*table, row));
    EXPECT_EQ(actual, expected);
}

TEST_F(YearTable, ClassSumsOfZeroStayEmpty) {
    doc_.removeMonth(3);
    const std::optional<CReportTable> table = yearTable(doc_, false);
    ASSERT_TRUE(table);
    EXPECT_EQ(texts(*table, table->rows().back()), (std::vector<std::string>{"Summe", "2", "2", "", "", ""}));
}

TEST_F(YearTable, PrintedAndExportedLayout) {
    const struct {
        bool forExport;
        const char* name;
        double left;
        double monthWidth;
        int32_t monthFlags;
        int32_t numberType;
    } cases[] = {
        {false, "JAHR", 0.6, 1.5, kTextIndentTitle, kValueText},
        {true, "EXPORT", 0.0, 1.0, kTextCentre, kValueInteger},
    };
    for (const auto& c : cases) {
        const std::optional<CReportTable> table = yearTable(doc_, c.forExport);
        ASSERT_TRUE(table);
        EXPECT_EQ(table->name, c.name);
        EXPECT_EQ(table->left, c.left);
        ASSERT_EQ(table->columnCount(), 6);
        for (const auto& [number, column] : table->columns()) {
            const bool month = number == kYearColumnMonth;
            EXPECT_EQ(column.width, month ? c.monthWidth : 1.0) << c.name << number;
            EXPECT_EQ(column.flags, month ? c.monthFlags : kTextCentre) << c.name << number;
            EXPECT_EQ(column.valueType, month ? kValueText : c.numberType) << c.name << number;
        }
    }
}

TEST(YearTableWithoutMonths, IsNotBuilt) {
    CLorvanDoc doc;
    doc.settings().year = 2026;
    EXPECT_FALSE(yearTable(doc, false));
    EXPECT_FALSE(yearTable(doc, true));
}

} // namespace
} // namespace lorvan
