#include "cli/report_output.h"

#include "cli/output_modules.h"
#include "foundation/error.h"
#include "output/spreadsheet_export.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace lorvan::cli {

FileOutput takeFileOutput(std::vector<std::string>& args, const char* command) {
    FileOutput output;
    for (auto it = args.begin(); it != args.end();) {
        if (*it != "--pdf" && *it != "--xlsx") {
            ++it;
            continue;
        }
        if (output.kind != FileOutput::Kind::None)
            throw LorvanError(std::string(command) + ": nur eine Ausgabedatei angeben (--pdf oder --xlsx).");
        output.kind = *it == "--pdf" ? FileOutput::Kind::Pdf : FileOutput::Kind::Xlsx;
        if (it + 1 == args.end())
            throw LorvanError(std::string(command) + ": " + *it + " braucht einen Dateinamen.");
        output.path = *(it + 1);
        it = args.erase(it, it + 2);
    }
    return output;
}

std::string takeOption(std::vector<std::string>& args, const char* option, const char* command,
                       const std::string& fallback) {
    std::string value = fallback;
    bool given = false;
    for (auto it = args.begin(); it != args.end();) {
        if (*it != option) {
            ++it;
            continue;
        }
        if (given) throw LorvanError(std::string(command) + ": " + option + " nur einmal angeben.");
        if (it + 1 == args.end())
            throw LorvanError(std::string(command) + ": " + option + " braucht einen Wert.");
        value = *(it + 1);
        given = true;
        it = args.erase(it, it + 2);
    }
    return value;
}

void writeReportPdf(const std::string& path, bool landscape, const std::string& title,
                    const std::function<void(Surface&)>& draw) {
    PdfModuleRequest request;
    request.path = &path;
    request.landscape = landscape;
    request.title = title;
    request.draw = &draw;
    drawPdfThroughModule(request);
}

void writeReportXlsx(const std::string& path, const std::vector<CReportTable>& tables,
                     const std::string& sheetName) {
    if (tables.empty()) throw LorvanError(kNothingToExport);
    writeXlsxThroughModule(buildSheet(tables.front(), sheetName, SpreadsheetProgram::Excel), path);
}

nlohmann::ordered_json reportTableToJson(const CReportTable& table) {
    nlohmann::ordered_json columns = nlohmann::ordered_json::array();
    for (const auto& [number, column] : table.columns())
        columns.push_back({{"number", number}, {"title", column.title}, {"value_type", column.valueType}});
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (const CReportRow& row : table.rows()) {
        nlohmann::ordered_json cells = nlohmann::ordered_json::array();
        for (const auto& [number, column] : table.columns()) {
            const CReportCell* cell = row.cell(number);
            cells.push_back(cell != nullptr ? cell->text : "");
        }
        rows.push_back(std::move(cells));
    }
    return {{"name", table.name}, {"columns", columns}, {"rows", rows}};
}

} // namespace lorvan::cli
