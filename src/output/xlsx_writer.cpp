#include "output/xlsx_writer.h"

#include "foundation/error.h"
#include "foundation/format.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <map>
#include <memory>
#include <utility>

namespace lorvan {

namespace {

uint8_t libraryAlignment(CellAlignment alignment) {
    switch (alignment) {
    case CellAlignment::Left:
        return LXW_ALIGN_LEFT;
    case CellAlignment::Centre:
        return LXW_ALIGN_CENTER;
    default:
        return LXW_ALIGN_NONE;
    }
}

// One workbook being written: frees it unless it was closed, and shares the formats of equal cells.
class Workbook {
  public:
    explicit Workbook(const std::string& path) : path_(path) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_FALSE;
        options.tmpdir = nullptr;
        options.use_zip64 = LXW_FALSE;
        book_ = workbook_new_opt(path.c_str(), &options);
        if (book_ == nullptr) fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
    }
    ~Workbook() {
        if (book_ != nullptr) lxw_workbook_free(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* get() const { return book_; }

    lxw_format* formatFor(const std::string& numberFormat, CellAlignment alignment) {
        if (numberFormat.empty() && alignment == CellAlignment::General) return nullptr;
        lxw_format*& cached = formats_[{numberFormat, alignment}];
        if (cached == nullptr) {
            cached = workbook_add_format(book_);
            if (cached == nullptr) fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
            if (!numberFormat.empty()) format_set_num_format(cached, numberFormat.c_str());
            if (alignment != CellAlignment::General) format_set_align(cached, libraryAlignment(alignment));
        }
        return cached;
    }

    void check(lxw_error error) const {
        if (error != LXW_NO_ERROR) fail(error);
    }

    void close() {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr; // closing frees the workbook, also on failure
        if (error != LXW_NO_ERROR) {
            std::remove(path_.c_str());
            fail(error);
        }
    }

  private:
    [[noreturn]] void fail(lxw_error error) const {
        throw LorvanError(format("%s: %s", path_.c_str(), lxw_strerror(error)));
    }

    std::string path_;
    lxw_workbook* book_ = nullptr;
    std::map<std::pair<std::string, CellAlignment>, lxw_format*> formats_;
};

} // namespace

bool isAllowedSheetName(const std::string& name) {
    // The check needs a workbook but writes nothing: a workbook freed unclosed creates no file.
    if (name.empty()) return false;
    lxw_workbook_options options{};
    std::unique_ptr<lxw_workbook, void (*)(lxw_workbook*)> book(workbook_new_opt("unused.xlsx", &options),
                                                                lxw_workbook_free);
    return book != nullptr && workbook_validate_sheet_name(book.get(), name.c_str()) == LXW_NO_ERROR;
}

XlsxWriteResult writeXlsx(const Sheet& sheet, const std::string& path) {
    XlsxWriteResult result;
    result.nameAccepted = isAllowedSheetName(sheet.name);
    Workbook book(path);
    lxw_worksheet* worksheet =
        workbook_add_worksheet(book.get(), result.nameAccepted ? sheet.name.c_str() : kDefaultSheetName);
    if (worksheet == nullptr) book.check(LXW_ERROR_MEMORY_MALLOC_FAILED);

    for (const auto& [number, column] : sheet.columns) {
        lxw_format* columnFormat = book.formatFor(column.numberFormat, column.alignment);
        if (column.width <= 0.0 && columnFormat == nullptr) continue;
        const auto col = static_cast<lxw_col_t>(number - 1);
        const double width = column.width > 0.0 ? column.width : LXW_DEF_COL_WIDTH;
        book.check(worksheet_set_column(worksheet, col, col, width, columnFormat));
    }
    for (const auto& [place, cell] : sheet.cells) {
        const auto row = static_cast<lxw_row_t>(place.first - 1);
        const auto col = static_cast<lxw_col_t>(place.second - 1);
        lxw_format* cellFormat = book.formatFor(cell.numberFormat, cell.alignment);
        book.check(cell.isNumber
                       ? worksheet_write_number(worksheet, row, col, cell.number, cellFormat)
                       : worksheet_write_string(worksheet, row, col, cell.text.c_str(), cellFormat));
    }
    book.close();
    return result;
}

} // namespace lorvan
