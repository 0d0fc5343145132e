#pragma once

#include "output/spreadsheet_export.h"

#include <string>

// Writes a sheet of the spreadsheet export as an .xlsx workbook (libxlsxwriter).
namespace lorvan {

// The name a sheet keeps when its cleaned name is not allowed in a workbook (empty, a ":" or an
// apostrophe at either end): the default name of a German spreadsheet's first sheet.
inline constexpr const char* kDefaultSheetName = "Tabelle1";

// True when a workbook accepts the name for a sheet.
bool isAllowedSheetName(const std::string& name);

struct XlsxWriteResult {
    bool nameAccepted = true; // false: the sheet got kDefaultSheetName
};

// Writes the sheet as the only worksheet of a new workbook at path (replacing a file there). Numbers,
// times and dates are written as numbers with their formats, texts as shared strings; column
// formats, alignments and widths as the sheet says. Raises LorvanError with the description of the
// failure when the workbook cannot be written; nothing is left at path then.
XlsxWriteResult writeXlsx(const Sheet& sheet, const std::string& path);

} // namespace lorvan
