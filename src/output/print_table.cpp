#include "output/print_table.h"

#include "foundation/error.h"
#include "foundation/format.h"
#include "output/page.h"

#include <algorithm>
#include <cmath>

namespace lorvan {

namespace {

// Text lines of fontSize points at tenths of the font size (15 = 1.5 lines) in device units,
// truncated; integer arithmetic keeps 10 points × 1.5 at 600 dpi at exactly 125 dots.
int32_t lineHeight(int32_t fontSize, int32_t tenths, int32_t dpiY) {
    return static_cast<int32_t>(static_cast<int64_t>(fontSize) * tenths * dpiY / 720);
}

// Trailing blanks print nothing, but they take room: a cell is laid out without them.
std::string withoutTrailingBlanks(const std::string& text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

} // namespace

CPrintTable::CPrintTable(CReportTable& table, CPage& page, int32_t top)
    : table_(table), page_(page), top_(top), end_(top) {
    layoutColumns(table_, page_, left_, right_);
}

void CPrintTable::layoutColumns(CReportTable& table, const CPage& page, int32_t& left, int32_t& right) {
    auto& columns = table.columns();
    if (table.inInches) {
        left = page.toDeviceX(table.left);
        right = page.toDeviceX(table.right);
    } else {
        left = static_cast<int32_t>(table.left);
        right = static_cast<int32_t>(table.right);
    }
    // A report keeps its tables within the right limit; the engine holds to that as well.
    right = std::min(right, page.rightLimitDevice());
    if (columns.empty()) return;
    const int32_t count = static_cast<int32_t>(columns.size());
    int32_t x = left;
    for (auto& [number, column] : columns) {
        if (table.equalWidths)
            column.deviceWidth = (right - left) / count;
        else if (table.inInches)
            column.deviceWidth = page.toDeviceX(column.width);
        else
            column.deviceWidth = static_cast<int32_t>(column.width);
        column.deviceX = x;
        x += column.deviceWidth;
    }
    // The table always ends at right: the last column takes the difference.
    columns.rbegin()->second.deviceWidth += right - x;
}

int32_t CPrintTable::bodyLineHeight() const {
    return lineHeight(table_.fontSize, 15, page_.dpiY());
}

int32_t CPrintTable::baseRowHeight() const {
    return table_.rowLines * bodyLineHeight();
}

int32_t CPrintTable::headerLineHeight() const {
    return lineHeight(table_.fontSize, table_.headerLines == 1 ? 15 : 13, page_.dpiY());
}

int32_t CPrintTable::headerHeight() const {
    const int32_t height = table_.headerLines * headerLineHeight();
    // The tallest title with its margins of 2 above and below; a header too low for it takes as many
    // lines (of the several-line height) as that needs.
    int32_t needed = 0;
    for (const auto& [number, column] : table_.columns())
        needed = std::max(needed, fitTitle(column).needed.height() + 4);
    if (needed <= height) return height;
    const int32_t line = lineHeight(table_.fontSize, 13, page_.dpiY());
    if (line <= 0) return needed;
    int32_t lines = std::max(2, table_.headerLines + 1);
    while (lines * line < needed)
        ++lines;
    return lines * line;
}

std::string CPrintTable::titleOf(const CReportColumn& column) {
    return column.title.empty() ? format("Col %d", column.number) : column.title;
}

Rect CPrintTable::titleBox(const CReportColumn& column, int32_t top, int32_t bottom) const {
    const int32_t left = (column.flags & kTextIndentTitle) ? column.deviceX + 10 : column.deviceX;
    return Rect{left, top + 2, column.deviceX + column.deviceWidth, bottom == -1 ? -1 : bottom - 2};
}

FittedText CPrintTable::fitTitle(const CReportColumn& column) const {
    const int32_t flags = (column.flags & ~kTextBox) | kTextBold | kTextVerticalCentre;
    return page_.fitText(titleOf(column), titleBox(column, top_, -1), flags, table_.fontSize);
}

void CPrintTable::printHeader(int32_t height) {
    const int32_t bottom = top_ + height;
    const int32_t previousSize = page_.setFontSize(table_.fontSize);
    page_.drawBoxDevice(Rect{left_, top_, right_, bottom}, table_.lineWidth, kFillNone);
    for (const auto& [number, column] : table_.columns()) {
        const int32_t x = column.deviceX;
        const int32_t right = x + column.deviceWidth;
        page_.printTextInBoxDevice(Rect{x, top_, right, bottom},
                                   column.flags | kTextBox | kTextVerticalCentre, table_.fontSize,
                                   table_.headerFill, "  ");
        const Rgb previousColor = table_.headerFill > 1 ? page_.setTextColor(kWhite) : page_.textColor();
        const FittedText fit = fitTitle(column);
        page_.printTextInBoxDevice(titleBox(column, top_, bottom), fit.flags, fit.size, kFillNone,
                                   titleOf(column));
        page_.setTextColor(previousColor);
    }
    page_.setFontSize(previousSize);
}

int32_t CPrintTable::printRow(const CReportRow& row, int32_t rowTop, double& rowCount) {
    const int32_t base = baseRowHeight();
    const bool ruled = table_.drawRowLines && !table_.plain;
    if (row.separatorAbove) page_.drawLineDevice(rowTop, left_, rowTop, right_, table_.lineWidth + 4);
    int32_t height = base;
    for (const CReportCell& cell : row.cells()) {
        const CReportColumn* column = table_.column(cell.column);
        if (column == nullptr) throw LorvanError(kPointerNotSet);
        const std::string text = withoutTrailingBlanks(cell.text);
        if (text.empty()) continue;
        int32_t size = column->fontSize > 0 ? column->fontSize : table_.fontSize;
        if (ruled) size = std::min(size, table_.fontSize);
        const bool multiLine = (column->flags & kTextMultiLineCell) != 0;
        int32_t flags = column->flags;
        if (table_.rowLines == 1 && !multiLine) flags |= kTextSingleLine | kTextVerticalCentre;
        if (cell.bold) flags |= kTextBold;
        Rect box{column->deviceX + 10, rowTop + 2, column->deviceX + column->deviceWidth - 5,
                 multiLine ? -1 : rowTop + base - 2};
        // A cell's text is never cut: it steps down in size or wraps, and may make its row taller.
        const FittedText fit = page_.fitText(text, box, flags, size);
        if (fit.grows) box.bottom = -1;
        const Rect measured = page_.drawText(text, box, fit.flags, fit.size, page_.fill());
        // The cell needs its text plus the margins of 2 above and below.
        if (box.bottom == -1) height = std::max(height, measured.bottom + 2 - rowTop);
    }
    // The row's height in units of the base height, in halves: 1 + (h - b) × 0.02 rounded up to a
    // half. A row that still does not fit grows by whole units and is that many base heights tall; at a
    // low resolution one unit more may not be enough, and a row is never shorter than its text.
    int64_t halves = 2;
    if (height > base) halves += (static_cast<int64_t>(height - base) * 4 + 99) / 100;
    if (base > 0 && halves * base < static_cast<int64_t>(height) * 2) {
        do
            halves += 2;
        while (halves * base < static_cast<int64_t>(height) * 2);
        height = static_cast<int32_t>(halves * base / 2);
    }
    rowCount += static_cast<double>(halves) / 2.0;
    const int32_t rowBottom = rowTop + height;
    if (ruled) page_.drawLineDevice(rowBottom, left_, rowBottom, right_, table_.lineWidth);
    return rowBottom;
}

int32_t CPrintTable::printTable() {
    end_ = top_;
    if (table_.columns().empty() || (table_.plain && !table_.showHeader)) return end_;
    const int32_t header = table_.showHeader ? headerHeight() : 0;
    const int32_t bodyTop = top_ + header;
    if (table_.showHeader) printHeader(header);
    int32_t y = bodyTop;
    double rowCount = 0.0;
    for (const CReportRow& row : table_.rows())
        y = printRow(row, y, rowCount);
    const bool ruled = table_.drawRowLines && !table_.plain;
    if (ruled && rowCount < table_.minRows) {
        const int32_t base = baseRowHeight();
        for (double count = std::ceil(rowCount); count < table_.minRows; count += 1.0) {
            y += base;
            page_.drawLineDevice(y, left_, y, right_, table_.lineWidth);
        }
    }
    end_ = y;
    if (table_.drawColumnLines && !table_.plain) {
        for (const auto& [number, column] : table_.columns())
            if (column.lineBefore && column.deviceX != left_)
                page_.drawLineDevice(bodyTop, column.deviceX, end_, column.deviceX, table_.lineWidth);
    }
    if (table_.drawFrame && !table_.plain)
        page_.drawBoxDevice(Rect{left_, top_, right_, end_}, table_.lineWidth, kFillNone);
    return end_;
}

double printTable(CPage& page, CReportTable& table, double y) {
    CPrintTable printer(table, page, page.toDeviceY(y));
    return page.toInchesY(printer.printTable());
}

} // namespace lorvan
