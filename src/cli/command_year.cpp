#include "cli/commands.h"

#include "app/open_year_file.h"
#include "cli/report_output.h"
#include "evaluation/month_evaluation.h"
#include "reports/report_print.h"
#include "reports/year_reports.h"

#include "evaluation/year_statistics.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "output/report_table.h"
#include "reports/year_table.h"
#include "yearfile/year_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>

// The year figures read the day records directly: no employee file and no previous year are needed,
// and the month caches are neither read nor written.
namespace lorvan::cli {
namespace {

using nlohmann::ordered_json;

// The texts of a row under the table's columns, "" where the row has no cell.
std::vector<std::string> rowTexts(const CReportTable& table, const CReportRow& row) {
    std::vector<std::string> texts;
    for (const auto& [number, column] : table.columns()) {
        const CReportCell* cell = row.cell(number);
        texts.push_back(cell != nullptr ? cell->text : std::string());
    }
    return texts;
}

ordered_json tableToJson(const std::optional<CReportTable>& table) {
    if (!table) return nullptr;
    ordered_json columns = ordered_json::array();
    for (const auto& [number, c] : table->columns())
        columns.push_back(ordered_json{{"number", c.number},
                                       {"title", c.title},
                                       {"width", c.width},
                                       {"flags", c.flags},
                                       {"value_type", c.valueType}});
    ordered_json rows = ordered_json::array();
    for (const CReportRow& row : table->rows())
        rows.push_back(rowTexts(*table, row));
    return ordered_json{{"name", table->name}, {"left", table->left}, {"columns", columns}, {"rows", rows}};
}

ordered_json sickToJson(const SickDayCounts& c) {
    return ordered_json{{"with_pay", c.withPay},
                        {"sick_pay", c.sickPay},
                        {"child_sick", c.childSick},
                        {"parental_leave", c.parentalLeave}};
}

size_t characterCount(const std::string& text) {
    return static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void writeTableText(std::ostream& out, const CReportTable& table) {
    std::vector<size_t> widths;
    for (const auto& [number, column] : table.columns())
        widths.push_back(characterCount(column.title));
    std::vector<std::vector<std::string>> lines;
    for (const CReportRow& row : table.rows()) {
        lines.push_back(rowTexts(table, row));
        for (size_t i = 0; i < widths.size(); ++i)
            widths[i] = std::max(widths[i], characterCount(lines.back()[i]));
    }
    size_t i = 0;
    for (const auto& [number, column] : table.columns()) {
        out << (i == 0 ? padRight(column.title, widths[i]) : "  " + padLeft(column.title, widths[i]));
        ++i;
    }
    out << '\n';
    for (const std::vector<std::string>& line : lines) {
        for (i = 0; i < line.size(); ++i)
            out << (i == 0 ? padRight(line[i], widths[i]) : "  " + padLeft(line[i], widths[i]));
        out << '\n';
    }
}

YearReportKind reportKindOf(const std::string& name) {
    if (name == "year") return YearReportKind::YearEvaluation;
    if (name == "account") return YearReportKind::Account;
    if (name == "grid") return YearReportKind::WorkingTimeGrid;
    if (name == "absences") return YearReportKind::Absences;
    throw LorvanError("year: unbekannter Bericht '" + name + "' (year, account, grid oder absences).");
}

// A report of the year view as PDF or spreadsheet. The account evaluates the months, which needs the
// employee file and the previous year (see OpenYearFile).
int writeYearReport(const Options& options, const std::string& path, YearReportKind kind,
                    const FileOutput& output) {
    OpenYearFile file(path, options.dataDirectory);
    const CLorvanDoc& document = file.document;
    YearEvaluator evaluator(file.document, file.context());

    if (output.kind == FileOutput::Kind::Xlsx) {
        writeReportXlsx(output.path, yearExportTables(evaluator, kind), yearSheetName(document));
        return 0;
    }
    const YearReport report = yearReport(evaluator, kind);
    std::string logo = options.settings.logoFile;
    writeReportPdf(output.path, report.landscape, report.documentName, [&](Surface& surface) {
        printYearReport(surface, report, logo, [](const std::string& m) { std::cerr << m << '\n'; });
    });
    return 0;
}

} // namespace

int runYear(const Options& options, const std::vector<std::string>& arguments, std::ostream& out) {
    std::vector<std::string> remaining = arguments;
    const FileOutput output = takeFileOutput(remaining, "year");
    const std::string reportName = takeOption(remaining, "--report", "year", "");
    bool text = false;
    int32_t forms = 0;
    std::vector<std::string> args;
    for (const std::string& a : remaining) {
        if (a == "--json" || a == "--text") {
            text = a == "--text";
            ++forms;
        } else {
            args.push_back(a);
        }
    }
    if (forms > 1) throw LorvanError("year: nur eine Ausgabeform angeben (--json oder --text).");
    if (output.kind != FileOutput::Kind::None && forms > 0)
        throw LorvanError("year: nur eine Ausgabeform angeben (--json, --text, --pdf oder --xlsx).");
    if (!reportName.empty() && output.kind == FileOutput::Kind::None)
        throw LorvanError("year: --report gilt nur mit --pdf oder --xlsx.");
    if (args.size() != 1) throw LorvanError("year: genau eine Jahresdatei angeben.");
    if (output.kind != FileOutput::Kind::None)
        return writeYearReport(options, args[0], reportKindOf(reportName.empty() ? "year" : reportName), output);

    CLorvanDoc document;
    document.open(args[0]);
    const CEinstArbzt& settings = document.settings();
    const std::optional<CReportTable> table = yearTable(document, false);

    if (text) {
        out << format("Jahresauswertung %d", settings.year) << '\n'
            << format("Arbeitszeiten von %s", settings.name.c_str()) << "\n\n";
        if (table) writeTableText(out, *table);
        out << '\n' << yearVacationText(document) << '\n' << yearSicknessText(document);
        return 0;
    }

    ordered_json months = ordered_json::array();
    double vacationTotal = 0.0;
    SickDayCounts sickTotal;
    for (const auto& [number, month] : document.months()) {
        const double vacation = vacationDays(month);
        const SickDayCounts sick = sickDayCounts(month);
        vacationTotal += vacation;
        sickTotal += sick;
        months.push_back(ordered_json{{"month", number},
                                      {"name", monthName(number)},
                                      {"worked_days", dayLengthCounts(month, 0)},
                                      {"vacation_days", vacation},
                                      {"remaining_vacation", remainingVacation(document, number)},
                                      {"sick_days", sickToJson(sick)}});
    }
    const ordered_json json{
        {"name", settings.name},
        {"year", settings.year},
        {"manage_remaining_vacation", settings.manageRemainingVacation != 0},
        {"table", tableToJson(table)},
        {"months", months},
        {"vacation_days", vacationTotal},
        {"remaining_vacation", remainingVacation(document, 12)},
        {"sick_days", sickToJson(sickTotal)},
        {"vacation_text", yearVacationText(document)},
        {"sickness_text", yearSicknessText(document)},
    };
    out << json.dump(2) << '\n';
    return 0;
}

} // namespace lorvan::cli
