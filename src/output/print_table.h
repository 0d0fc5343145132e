#pragma once

#include "output/page.h"
#include "output/report_table.h"

#include <cstdint>
#include <string>

namespace lorvan {

// Prints one report table onto a page from a top y (device units): header row, body rows, row lines,
// padding to minRows, column lines and frame. There is no automatic page break; the report decides
// which rows go onto which page.
class CPrintTable {
  public:
    // Lays the table out for the page: the columns' deviceX and deviceWidth are set (the table is
    // written to for that).
    CPrintTable(CReportTable& table, CPage& page, int32_t top);

    // Prints the table (nothing for a table without columns or a plain table without header row) and
    // returns the y below it (device units).
    int32_t printTable();
    int32_t endY() const { return end_; }

    // Device units of the layout.
    int32_t left() const { return left_; }
    int32_t right() const { return right_; }
    int32_t top() const { return top_; }
    // One body line: fontSize × 1.5 points, truncated; the base row height is rowLines of them.
    int32_t bodyLineHeight() const;
    int32_t baseRowHeight() const;
    // One header line: fontSize × 1.5 points with one header line, else × 1.3, truncated; the header
    // height is headerLines of them, or as many lines of the × 1.3 height as the tallest title needs
    // with 2 above and below when it wraps to more.
    int32_t headerLineHeight() const;
    int32_t headerHeight() const;

    // The layout of the columns alone (done by the constructor).
    static void layoutColumns(CReportTable& table, const CPage& page, int32_t& left, int32_t& right);

  private:
    // A column's title ("Col n" without one), the rectangle it is printed in between the header's top
    // and bottom (-1: open below) and how it fits the column: word-wrapped, stepped down only for a
    // word that is wider than the column.
    static std::string titleOf(const CReportColumn& column);
    Rect titleBox(const CReportColumn& column, int32_t top, int32_t bottom) const;
    FittedText fitTitle(const CReportColumn& column) const;
    void printHeader(int32_t height);
    int32_t printRow(const CReportRow& row, int32_t rowTop, double& rowCount);

    CReportTable& table_;
    CPage& page_;
    int32_t top_;
    int32_t left_ = 0;
    int32_t right_ = 0;
    int32_t end_;
};

// A table printed at y inches on the page; returns the y below it in inches.
double printTable(CPage& page, CReportTable& table, double y);

} // namespace lorvan
