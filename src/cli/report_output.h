#pragma once

#include "app/report_settings.h"
#include "output/report_table.h"
#include "reports/report_inputs.h"

#include <nlohmann/json_fwd.hpp>

#include <functional>
#include <string>
#include <vector>

namespace lorvan {
class Surface;
}

namespace lorvan::cli {

// A report written to a file instead of standard output.
struct FileOutput {
    enum class Kind { None, Pdf, Xlsx };
    Kind kind = Kind::None;
    std::string path;
};

// Takes "--pdf OUT" or "--xlsx OUT" out of args; at most one of them may be given.
FileOutput takeFileOutput(std::vector<std::string>& args, const char* command);

// Takes "--report VALUE" out of args; fallback when it is not given.
std::string takeOption(std::vector<std::string>& args, const char* option, const char* command,
                       const std::string& fallback);

// Writes the pages that draw draws to a PDF at path; logo messages go to standard error.
void writeReportPdf(const std::string& path, bool landscape, const std::string& title,
                    const std::function<void(Surface&)>& draw);

// Writes the tables to an .xlsx workbook with one sheet of that name (the first table; the reports of
// a year file build one). Without a table: kNothingToExport, and nothing is written.
void writeReportXlsx(const std::string& path, const std::vector<CReportTable>& tables,
                     const std::string& sheetName);

// A report table as JSON: "name", "columns" (number, title, value type) and "rows" (one array of cell
// texts per row, "" where a column stays empty).
nlohmann::ordered_json reportTableToJson(const CReportTable& table);

} // namespace lorvan::cli
