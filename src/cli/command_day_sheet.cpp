#include "cli/commands.h"

#include "app/day_sheet_customers.h"
#include "app/open_year_file.h"
#include "cli/record_commands.h"
#include "cli/report_output.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "masterdata/customer_list.h"
#include "reports/day_sheet.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <ostream>

namespace lorvan::cli {

namespace {

DaySheetForm formArgument(const std::string& text) {
    if (text == "entry") return DaySheetForm::Entry;
    if (text == "view") return DaySheetForm::View;
    throw LorvanError("day-sheet: --form entry oder view angeben, nicht '" + text + "'.");
}

} // namespace

int runDaySheet(const Options& options, const std::vector<std::string>& arguments, std::ostream& out) {
    std::vector<std::string> args = arguments;
    const FileOutput output = takeFileOutput(args, "day-sheet");
    const DaySheetForm form = formArgument(takeOption(args, "--form", "day-sheet", "entry"));
    std::erase(args, std::string("--json"));
    expectArguments(args, 2, "day-sheet DATEI TT.MM.JJJJ [--form entry|view] [--json|--pdf AUS|--xlsx AUS]");
    const Datum date = dateArgument(args[1]);
    OpenYearFile file(args[0], options.dataDirectory);
    CustomerList customerList(OpenYearFile::employeeFileFolder(file.path, options.dataDirectory));
    const CustomerListDaySheet customers(customerList);

    if (output.kind == FileOutput::Kind::Xlsx) {
        const CReportTable table = daySheetExportTable(file.document, date, &customers);
        if (table.rowCount() == 0) throw LorvanError(kNoDataToExport);
        writeReportXlsx(output.path, {table}, daySheetName(file.document, date));
        return 0;
    }
    const DaySheet sheet = daySheet(file.document, date, form, &customers);
    if (output.kind == FileOutput::Kind::Pdf) {
        std::string logo = reportInputsOf(options.settings).logoFile;
        writeReportPdf(output.path, false, sheet.documentName, [&](Surface& surface) {
            printDaySheet(surface, sheet, logo, [](const std::string& m) { std::cerr << m << '\n'; });
        });
        return 0;
    }
    nlohmann::ordered_json pages = nlohmann::ordered_json::array();
    for (const CReportTable& page : sheet.pages)
        pages.push_back(reportTableToJson(page));
    const nlohmann::ordered_json json{
        {"document_name", sheet.documentName},
        {"sheet_name", daySheetName(file.document, date)},
        {"date", formatDate(date)},
        {"name", sheet.name},
        {"further_employees", sheet.furtherEmployees},
        {"pages", pages},
        {"export", reportTableToJson(daySheetExportTable(file.document, date, &customers))},
    };
    out << json.dump(2) << '\n';
    return 0;
}

} // namespace lorvan::cli
