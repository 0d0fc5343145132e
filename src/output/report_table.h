#pragma once

#include "output/text_flags.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The table model of every report: the columns with their titles, widths and text flags, the body
// rows with their cells, and the layout options. The page engine prints such a table, the spreadsheet
// export transfers it (a report builds the table named "EXPORT" for that); the model itself only
// holds what the report put in.
namespace lorvan {

// How the spreadsheet export converts the texts of a column.
enum ValueType : int32_t {
    kValueText = 0,
    kValueInteger = 1,
    kValueHoursMinutes = 2,
    kValueDecimal = 3,
    kValueDate = 4,
};

class CReportTable;

// The layout options of a table with their defaults.
struct ReportTableOptions {
    bool inInches = true;           // left, right and widths in inches; false: device units
    bool equalWidths = false;       // every column gets (right - left) / number of columns
    int32_t headerFill = kFillNone; // above 1 the titles print in white
    int32_t fontSize = 10;          // points, header and cells
    int32_t lineWidth = 1;          // device units: frame, header box, column and row lines
    bool drawFrame = true;
    bool drawColumnLines = true; // below the header
    bool drawRowLines = false;   // also pads to minRows and caps cell font sizes at fontSize
    bool plain = false;          // no frame and no lines; without header row not printed at all
    bool showHeader = true;
    int32_t headerLines = 1; // header height in text lines
    int32_t rowLines = 1;    // body row height in text lines
    double left = 0.0;
    double right = 7.9;
    int32_t minRows = 0; // with drawRowLines: ruled empty rows up to this many rows
};

class CReportColumn {
  public:
    int32_t number = 0; // the key, from 1
    std::string title;  // may contain "\n" for a header of several lines
    double width = 0.0; // inches or device units, as the table's inInches says
    // Computed when the table is laid out for a page (device units).
    int32_t deviceWidth = 0;
    int32_t deviceX = 0;
    bool lineBefore = true; // a column line at the column's left edge
    int32_t fontSize = 0;   // points; 0 = the table's
    int32_t flags = kTextCentre;
    int32_t valueType = kValueText;
};

class CReportCell {
  public:
    int32_t column = 0;
    std::string text;
    bool bold = false;
};

class CReportRow {
  public:
    // Copy-constructed rows belong to the same table as their source.
    explicit CReportRow(CReportTable* table = nullptr) : table_(table) {}

    CReportTable* table() const { return table_; }

    const std::vector<CReportCell>& cells() const { return cells_; }
    // Appends a cell; raises kPointerNotSet when the row's table has no column of that number (or the
    // row belongs to no table).
    CReportCell& addCell(int32_t column, std::string text, bool bold = false);
    // The first cell of that column; nullptr when the column stays empty in this row.
    const CReportCell* cell(int32_t column) const;

    bool separatorAbove = false; // a heavier line above the row

  private:
    friend class CReportTable;
    CReportTable* table_ = nullptr;
    std::vector<CReportCell> cells_;
};

class CReportTable : public ReportTableOptions {
  public:
    explicit CReportTable(std::string name = {}) : name(std::move(name)) {}
    // Copies and moves keep the rows pointing to their own table.
    CReportTable(const CReportTable& other);
    CReportTable(CReportTable&& other);
    CReportTable& operator=(const CReportTable& other);
    CReportTable& operator=(CReportTable&& other) noexcept;
    ~CReportTable() = default;

    // "EXPORT" marks the table built for the spreadsheet export; reports use names of their own
    // ("JAHR", "WOCHE", "HEADER1", ...) to tell their tables apart.
    std::string name;

    // Adds the column of that number (from 1), replacing one of the same number; std::invalid_argument
    // for a number below 1. Flags, font size, line and value type are set on the result.
    CReportColumn& addColumn(int32_t number, double width, std::string title);
    CReportColumn* column(int32_t number);
    const CReportColumn* column(int32_t number) const;
    // Ordered by column number.
    const std::map<int32_t, CReportColumn>& columns() const { return columns_; }
    std::map<int32_t, CReportColumn>& columns() { return columns_; }
    int32_t columnCount() const { return static_cast<int32_t>(columns_.size()); }

    // Rows keep their place in memory while further rows are appended.
    const std::deque<CReportRow>& rows() const { return rows_; }
    CReportRow& row(size_t index) { return rows_.at(index); }
    const CReportRow& row(size_t index) const { return rows_.at(index); }
    size_t rowCount() const { return rows_.size(); }
    CReportRow& addRow();
    // Appends a copy of a row of another table (cells and separator); raises kPointerNotSet when a
    // cell's column does not exist here.
    CReportRow& addRow(const CReportRow& source);
    void clearRows();

  private:
    void adoptRows();

    std::map<int32_t, CReportColumn> columns_;
    std::deque<CReportRow> rows_;
};

} // namespace lorvan
