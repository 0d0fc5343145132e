#include "output/report_table.h"

#include "foundation/error.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace lorvan {

CReportCell& CReportRow::addCell(int32_t column, std::string text, bool bold) {
    if (table_ == nullptr || table_->column(column) == nullptr) throw LorvanError(kPointerNotSet);
    cells_.push_back(CReportCell{column, std::move(text), bold});
    return cells_.back();
}

const CReportCell* CReportRow::cell(int32_t column) const {
    for (const CReportCell& c : cells_)
        if (c.column == column) return &c;
    return nullptr;
}

CReportTable::CReportTable(const CReportTable& other)
    : ReportTableOptions(other), name(other.name), columns_(other.columns_), rows_(other.rows_) {
    adoptRows();
}

CReportTable::CReportTable(CReportTable&& other)
    : ReportTableOptions(other), name(std::move(other.name)), columns_(std::move(other.columns_)),
      rows_(std::move(other.rows_)) {
    adoptRows();
}

CReportTable& CReportTable::operator=(const CReportTable& other) {
    if (this != &other) *this = CReportTable(other);
    return *this;
}

CReportTable& CReportTable::operator=(CReportTable&& other) noexcept {
    if (this != &other) {
        ReportTableOptions::operator=(other);
        name = std::move(other.name);
        columns_ = std::move(other.columns_);
        rows_ = std::move(other.rows_);
        adoptRows();
    }
    return *this;
}

void CReportTable::adoptRows() {
    for (CReportRow& r : rows_)
        r.table_ = this;
}

CReportColumn& CReportTable::addColumn(int32_t number, double width, std::string title) {
    if (number < 1) throw std::invalid_argument("column number below 1");
    CReportColumn& c = columns_[number];
    c = CReportColumn{};
    c.number = number;
    c.width = width;
    c.title = std::move(title);
    return c;
}

CReportColumn* CReportTable::column(int32_t number) {
    const auto it = columns_.find(number);
    return it == columns_.end() ? nullptr : &it->second;
}

const CReportColumn* CReportTable::column(int32_t number) const {
    const auto it = columns_.find(number);
    return it == columns_.end() ? nullptr : &it->second;
}

CReportRow& CReportTable::addRow() {
    return rows_.emplace_back(this);
}

CReportRow& CReportTable::addRow(const CReportRow& source) {
    CReportRow copy(this);
    copy.separatorAbove = source.separatorAbove;
    for (const CReportCell& c : source.cells())
        copy.addCell(c.column, c.text, c.bold);
    return rows_.emplace_back(std::move(copy));
}

void CReportTable::clearRows() {
    rows_.clear();
}

} // namespace lorvan
