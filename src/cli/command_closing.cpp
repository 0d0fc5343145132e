#include "cli/closing_selection.h"
#include "cli/commands.h"
#include "cli/record_commands.h"
#include "cli/report_output.h"

#include "closing/closing_lists.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "masterdata/employee_file.h"
#include "app/report_settings.h"
#include "reports/report_inputs.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <ostream>

namespace lorvan::cli {

namespace {

std::vector<std::string> takeRepeated(std::vector<std::string>& args, const char* option, const char* command) {
    std::vector<std::string> values;
    for (auto it = args.begin(); it != args.end();) {
        if (*it != option) {
            ++it;
            continue;
        }
        if (it + 1 == args.end()) throw LorvanError(std::string(command) + ": " + option + " braucht einen Wert.");
        values.push_back(*(it + 1));
        it = args.erase(it, it + 2);
    }
    return values;
}

bool takeFlag(std::vector<std::string>& args, const char* flag) {
    const auto it = std::find(args.begin(), args.end(), flag);
    if (it == args.end()) return false;
    args.erase(it);
    return true;
}

} // namespace

std::vector<CMitarbeiterDoc> takeEmployeeSelection(const Options& options, std::vector<std::string>& args,
                                                  const char* command) {
    const std::string& directory = requireDataDirectory(options, command);
    const std::vector<std::string> employeeTexts = takeRepeated(args, "--employee", command);
    const std::vector<std::string> departments = takeRepeated(args, "--department", command);
    const bool includeInactive = takeFlag(args, "--include-inactive");
    if (!employeeTexts.empty() && !departments.empty())
        throw LorvanError(std::string(command) + ": nur --employee oder --department angeben.");
    CTwMaDoc file;
    file.open(CTwMaDoc::pathIn(directory));
    std::vector<int32_t> numbers;
    for (const std::string& text : employeeTexts) {
        if (text.empty() || !isNumberText(text, false) || file.findByNumber(static_cast<int32_t>(readLeadingInteger(text))) == nullptr)
            throw LorvanError("Es gibt keinen Mitarbeiter mit der Personalnummer '" + text + "'.");
        numbers.push_back(static_cast<int32_t>(readLeadingInteger(text)));
    }
    const ClosingSelection selection = !departments.empty() ? ClosingSelection::Departments
                                       : !numbers.empty()   ? ClosingSelection::Employees
                                                            : ClosingSelection::All;
    return chooseEmployees(file.employees, selection, departments, numbers, !includeInactive);
}

std::unique_ptr<MonthCollection> takeClosingSelection(const Options& options, std::vector<std::string>& args,
                                                      const char* command) {
    const std::string& directory = requireDataDirectory(options, command);
    const std::string monthText = takeOption(args, "--month", command, "");
    const std::string period = takeOption(args, "--period", command, "");
    if (!monthText.empty() && !period.empty())
        throw LorvanError(std::string(command) + ": nur --month oder --period angeben.");

    ClosingMonthChoice month = lastMonthOf(today(options));
    if (!monthText.empty()) {
        const auto typed = parseClosingMonthText(monthText);
        if (!typed) throw LorvanError("Der Monat ist ungültig.");
        month = *typed;
    } else if (period == "current") {
        month = currentMonthOf(today(options));
    } else if (!period.empty() && period != "last") {
        throw LorvanError(std::string(command) + ": --period last oder --period current angeben.");
    }

    auto collection = collectMonths(directory, takeEmployeeSelection(options, args, command), month);
    if (collection->monthList.empty()) {
        reportCollectionProblems(*collection, std::cerr);
        throw LorvanError(kNoMonthData);
    }
    return collection;
}

void reportCollectionProblems(const MonthCollection& collection, std::ostream& err) {
    err << collection.protocol();
}

namespace {

using nlohmann::ordered_json;

ordered_json tableToJson(const CReportTable& table, const MonthCollection& collection) {
    ordered_json columns = ordered_json::array();
    for (const auto& [number, column] : table.columns())
        columns.push_back(column.title);
    ordered_json rows = ordered_json::array();
    for (size_t i = 2; i < table.rowCount(); ++i) {
        ordered_json cells = ordered_json::array();
        for (const auto& [number, column] : table.columns()) {
            const CReportCell* cell = table.row(i).cell(number);
            cells.push_back(cell ? cell->text : std::string());
        }
        rows.push_back(cells);
    }
    ordered_json skipped = ordered_json::array();
    for (const SkippedYearFile& s : collection.skipped)
        skipped.push_back(ordered_json{{"path", s.path}, {"employee", s.employee}, {"reason", s.reason}});
    return ordered_json{
        {"title", table.row(0).cells().at(0).text},
        {"stand", table.row(1).cells().at(0).text},
        {"month", closingMonthText(collection.chosen)},
        {"columns", columns},
        {"rows", rows},
        {"skipped", skipped},
        {"clashes", collection.clashes},
    };
}

void writeTableText(const CReportTable& table, std::ostream& out) {
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (size_t i = 0; i < cells.size(); ++i)
            text += i == 0 ? padRight(cells[i], 30) : " " + padLeft(cells[i], 12);
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    };
    out << table.row(0).cells().at(0).text << '\n' << table.row(1).cells().at(0).text << "\n\n";
    std::vector<std::string> titles;
    for (const auto& [number, column] : table.columns())
        titles.push_back(column.title);
    line(titles);
    for (size_t i = 2; i < table.rowCount(); ++i) {
        std::vector<std::string> cells;
        for (const auto& [number, column] : table.columns()) {
            const CReportCell* cell = table.row(i).cell(number);
            cells.push_back(cell ? cell->text : std::string());
        }
        line(cells);
    }
}

const char* kClosingUsage = "closing accounts|costs [--json|--text|--pdf AUS|--xlsx AUS] oder closing print --pdf AUS";

} // namespace

int runClosing(const Options& options, const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) throw LorvanError(std::string("closing: ") + kClosingUsage);
    const std::string what = arguments.front();
    std::vector<std::string> args(arguments.begin() + 1, arguments.end());
    if (what != "accounts" && what != "costs" && what != "print")
        throw LorvanError(std::string("closing: ") + kClosingUsage);
    const FileOutput output = takeFileOutput(args, "closing");
    const bool text = takeFlag(args, "--text");
    const bool json = takeFlag(args, "--json");
    if ((text ? 1 : 0) + (json ? 1 : 0) + (output.kind != FileOutput::Kind::None ? 1 : 0) > 1)
        throw LorvanError("closing: nur eine Ausgabeform angeben (--json, --text, --pdf oder --xlsx).");
    const std::unique_ptr<MonthCollection> collection = takeClosingSelection(options, args, "closing");
    if (!args.empty()) throw LorvanError("closing: unbekanntes Argument '" + args.front() + "'.");
    reportCollectionProblems(*collection, err);
    const ReportInputs inputs = reportInputsOf(options.settings);
    auto logoSink = [&err](const std::string& message) { err << message << '\n'; };

    if (what == "print") {
        if (output.kind != FileOutput::Kind::Pdf) throw LorvanError("closing print: --pdf AUS angeben.");
        const std::vector<MonthReport> reports = monthEvaluationReports(*collection, inputs);
        std::string logo = inputs.logoFile;
        writeReportPdf(output.path, false, "Monatsauswertungen " + closingMonthText(collection->chosen),
                       [&](Surface& surface) { printMonthEvaluations(surface, reports, logo, logoSink); });
        return 0;
    }
    const CReportTable table = what == "accounts" ? accountListTable(*collection, today(options), inputs.buildSwitch)
                                                  : costListTable(*collection, today(options));
    const char* title = what == "accounts" ? kAccountListTitle : kCostListTitle;
    switch (output.kind) {
    case FileOutput::Kind::Xlsx:
        writeReportXlsx(output.path, {table}, title);
        return 0;
    case FileOutput::Kind::Pdf: {
        const ClosingListReport report =
            what == "accounts" ? printableAccountList(table) : printableCostList(table);
        std::string logo = inputs.logoFile;
        writeReportPdf(output.path, report.landscape, report.title,
                       [&](Surface& surface) { printClosingList(surface, report, logo, logoSink); });
        return 0;
    }
    case FileOutput::Kind::None:
        break;
    }
    if (text)
        writeTableText(table, out);
    else
        out << tableToJson(table, *collection).dump(2) << '\n';
    return 0;
}

} // namespace lorvan::cli
