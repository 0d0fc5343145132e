#include "output/report_table.h"

#include "foundation/error.h"
#include "support/error_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

namespace lorvan {
namespace {

void expectPointerNotSet(const std::function<void()>& action) {
    EXPECT_THROW_MSG(action(), kPointerNotSet);
}

CReportTable twoColumns() {
    CReportTable table("JAHR");
    table.addColumn(1, 1.5, "Monat");
    table.addColumn(2, 1.0, "Arbeitstage");
    return table;
}

TEST(ReportTable, ACellNeedsAnExistingColumnOfItsTable) {
    CReportTable table = twoColumns();
    CReportRow& row = table.addRow();
    row.addCell(2, "20", true);
    expectPointerNotSet([&] { row.addCell(3, "x"); });
    expectPointerNotSet([&] { row.addCell(0, "x"); });
    CReportRow detached;
    expectPointerNotSet([&] { detached.addCell(1, "x"); });
    ASSERT_EQ(row.cells().size(), 1u);
    EXPECT_EQ(row.cell(2)->text, "20");
    EXPECT_TRUE(row.cell(2)->bold);
    EXPECT_EQ(row.cell(1), nullptr);
}

TEST(ReportTable, RowsBelongToTheTableThatHoldsThem) {
    CReportTable original = twoColumns();
    CReportRow& first = original.addRow();
    for (int i = 0; i < 100; ++i)
        original.addRow();
    EXPECT_EQ(&original.row(0), &first); // appending does not move earlier rows

    CReportTable copy = original;
    copy.addColumn(3, 1.0, "Tage < 8 Stunden");
    EXPECT_EQ(copy.row(0).table(), &copy);
    copy.row(0).addCell(3, "5");
    expectPointerNotSet([&] { original.row(0).addCell(3, "5"); });

    CReportTable moved = std::move(copy);
    EXPECT_EQ(moved.row(0).table(), &moved);
    CReportTable assigned("EXPORT");
    assigned = moved;
    EXPECT_EQ(assigned.name, "JAHR");
    EXPECT_EQ(assigned.row(0).table(), &assigned);
    EXPECT_EQ(assigned.row(0).cell(3)->text, "5");
}

TEST(ReportTable, ARowTakenFromAnotherTableNeedsItsColumnsThere) {
    CReportTable print = twoColumns();
    CReportRow& source = print.addRow();
    source.separatorAbove = true;
    source.addCell(1, "Summe", true);
    source.addCell(2, "220");

    CReportTable exported("EXPORT");
    exported.addColumn(1, 1.0, "Monat");
    expectPointerNotSet([&] { exported.addRow(source); });
    exported.addColumn(2, 1.0, "Arbeitstage");
    const CReportRow& copy = exported.addRow(source);
    EXPECT_EQ(copy.table(), &exported);
    EXPECT_TRUE(copy.separatorAbove);
    EXPECT_TRUE(copy.cell(1)->bold);
    EXPECT_EQ(copy.cell(2)->text, "220");
}

TEST(ReportTable, AColumnNumberIsItsKey) {
    CReportTable table = twoColumns();
    table.column(1)->flags = kTextIndentTitle;
    table.addColumn(1, 2.0, "Name");
    EXPECT_EQ(table.columnCount(), 2);
    EXPECT_EQ(table.column(1)->title, "Name");
    EXPECT_EQ(table.column(1)->flags, kTextCentre); // a new column, not the old one renamed
    EXPECT_THROW(table.addColumn(0, 1.0, "x"), std::invalid_argument);
}

} // namespace
} // namespace lorvan
