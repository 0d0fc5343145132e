#include "cli/commands.h"

#include "app/report_settings.h"
#include "app/work_areas.h"
#include "cli/report_output.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "query/query_report.h"
#include "yearfile/document_base.h"
#include "yearfile/year_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <map>
#include <ostream>

namespace lorvan::cli {
namespace {

using nlohmann::ordered_json;

constexpr const char* kCommand = "query";

// "a,b,c" as its parts; an empty text gives none.
std::vector<std::string> commaList(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const size_t comma = text.find(',', start);
        const std::string part(trimWhiteSpace(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (!part.empty()) parts.push_back(part);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts;
}

bool takeFlag(std::vector<std::string>& args, const char* flag) {
    const auto it = std::find(args.begin(), args.end(), flag);
    if (it == args.end()) return false;
    args.erase(it);
    return true;
}

int32_t periodOf(const std::string& word) {
    static const std::map<std::string, int32_t> words{{"all", kPeriodAll},
                                                       {"year", kPeriodCurrentYear},
                                                       {"last-year", kPeriodLastYear},
                                                       {"month", kPeriodCurrentMonth},
                                                       {"last-month", kPeriodLastMonth},
                                                       {"own", kPeriodOwn}};
    const auto it = words.find(word);
    if (it == words.end())
        throw LorvanError("query: --period erwartet all, year, last-year, month, last-month oder own, nicht '" + word +
                          "'.");
    return it->second;
}

std::string levelOf(const std::string& word) {
    static const std::map<std::string, std::string> words{{"customer", kLevelCustomer}, {"service", kLevelService},
                                                          {"day", kLevelDay},           {"employee", kLevelEmployee},
                                                          {"from-to", kLevelFromTo},    {"none", kLevelNone}};
    const auto it = words.find(word);
    if (it == words.end())
        throw LorvanError("query: --levels erwartet customer, service, day, employee, from-to oder none, nicht '" +
                          word + "'.");
    return it->second;
}

Datum dateOption(const std::string& text, const char* option) {
    try {
        return parseFullDate(text);
    } catch (const LorvanError&) {
        throw LorvanError(std::string("query: ") + option + " erwartet ein Datum TT.MM.JJJJ, nicht '" + text + "'.");
    }
}

// A customer given by its number becomes its text as evaluations show it ("4 - Name").
std::string customerSelection(const std::string& text, const CTwKundenDoc& customers) {
    if (!text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        CZeitZeile line;
        line.kind = kKindCustomer;
        line.customer = text;
        return queryCustomerText(line, &customers);
    }
    return text;
}

std::vector<std::string> employeeSelection(const std::vector<std::string>& numbers, const CTwMaDoc& employees) {
    std::vector<std::string> names;
    for (const std::string& text : numbers) {
        const bool digits = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        const CMitarbeiterDoc* employee = digits && text.size() < 10 ? employees.findByNumber(std::stoi(text)) : nullptr;
        if (employee == nullptr)
            throw LorvanError("query: einen Mitarbeiter mit der Personalnummer '" + text + "' gibt es nicht.");
        names.push_back(employee->name);
    }
    return names;
}

ordered_json nodeToJson(const QueryNode& node) {
    ordered_json children = ordered_json::array();
    for (const QueryNode& child : node.children)
        children.push_back(nodeToJson(child));
    ordered_json json;
    if (node.depth > 0) {
        json["key"] = node.key;
        json["display"] = node.display;
        json["show_sum"] = node.showSum;
    }
    json["minutes"] = node.minutes;
    json["time"] = queryMinutesText(node.minutes, false);
    json["costs"] = node.costs;
    if (!node.children.empty()) json["level"] = node.level;
    json["children"] = children;
    return json;
}

ordered_json tableToJson(const CReportTable& table) {
    ordered_json columns = ordered_json::array();
    for (const auto& [number, column] : table.columns())
        columns.push_back(column.title);
    ordered_json rows = ordered_json::array();
    for (const CReportRow& row : table.rows()) {
        ordered_json cells = ordered_json::array();
        for (const auto& [number, column] : table.columns()) {
            const CReportCell* cell = row.cell(number);
            cells.push_back(cell != nullptr ? cell->text : "");
        }
        rows.push_back(cells);
    }
    return ordered_json{{"name", table.name}, {"sheet", kQuerySheetName}, {"columns", columns}, {"rows", rows}};
}

} // namespace

int runQuery(const Options& options, const std::vector<std::string>& arguments, std::ostream& out) {
    std::vector<std::string> args = arguments;
    if (options.dataDirectory.empty()) throw LorvanError("query: kein Datenverzeichnis (--data angeben).");
    const std::string employeePath = CTwMaDoc::pathIn(options.dataDirectory);
    if (!fileExists(employeePath)) throw LorvanError(kNoEmployeesMessage);
    CTwMaDoc employees;
    employees.open(employeePath);
    CTwKundenDoc customers;
    if (const std::string path = withSeparator(options.dataDirectory, true) + CTwKundenDoc::kFileName; fileExists(path))
        customers.open(path);
    const Datum today = options.today ? *options.today : SystemClock().today();

    // The stored choices, changed by the options.
    QueryChoices choices = QueryChoices::fromSettings(employees.customerQuery, today);
    const FileOutput output = takeFileOutput(args, kCommand);
    const std::string list = takeOption(args, "--list", kCommand, "");
    if (const std::string period = takeOption(args, "--period", kCommand, ""); !period.empty())
        choices.period.choice = periodOf(period);
    if (const std::string from = takeOption(args, "--from", kCommand, ""); !from.empty())
        choices.period.start = dateOption(from, "--from");
    if (const std::string to = takeOption(args, "--to", kCommand, ""); !to.empty())
        choices.period.end = dateOption(to, "--to");
    if (const std::string text = takeOption(args, "--employees", kCommand, ""); !text.empty()) {
        choices.allEmployees = text == "all";
        if (!choices.allEmployees) choices.employees = employeeSelection(commaList(text), employees);
    }
    if (const std::string text = takeOption(args, "--customers", kCommand, ""); !text.empty()) {
        choices.allCustomers = text == "all";
        if (!choices.allCustomers)
            for (const std::string& part : commaList(text))
                choices.customers.push_back(customerSelection(part, customers));
    }
    if (const std::string text = takeOption(args, "--services", kCommand, ""); !text.empty()) {
        choices.allServices = text == "all";
        if (!choices.allServices) choices.services = commaList(text);
    }
    if (const std::string flag = takeOption(args, "--services-at-customer", kCommand, ""); !flag.empty())
        choices.onlyServicesWithCustomer = flag != "0";
    if (const std::string text = takeOption(args, "--levels", kCommand, ""); !text.empty()) {
        const std::vector<std::string> words = commaList(text);
        if (words.empty() || words.size() > 4) throw LorvanError("query: --levels nennt eine bis vier Ebenen.");
        for (size_t i = 0; i < choices.levels.size(); ++i)
            choices.levels[i].name = i < words.size() ? levelOf(words[i]) : kLevelNone;
        if (choices.levels[0].name == kLevelNone)
            throw LorvanError("query: die 1. Ebene kann nicht 'Keine weitere Ebene' sein.");
    }
    if (const std::string text = takeOption(args, "--sums", kCommand, ""); !text.empty()) {
        const std::vector<std::string> flags = commaList(text);
        if (flags.size() > 4) throw LorvanError("query: --sums nennt höchstens vier Werte 0 oder 1.");
        for (size_t i = 0; i < flags.size(); ++i) {
            if (flags[i] != "0" && flags[i] != "1") throw LorvanError("query: --sums erwartet 0 oder 1 je Ebene.");
            choices.levels[i].showSum = flags[i] == "1";
        }
    }
    if (takeFlag(args, "--costs")) choices.showCosts = true;
    if (takeFlag(args, "--no-costs")) choices.showCosts = false;
    if (const std::string text = takeOption(args, "--page-break", kCommand, ""); !text.empty()) {
        if (text != "0" && text != "1" && text != "2") throw LorvanError("query: --page-break erwartet 0, 1 oder 2.");
        choices.pageBreak = text[0] - '0';
    }
    const bool saveSettings = takeFlag(args, "--save-settings");
    const bool json = takeFlag(args, "--json");
    const bool text = takeFlag(args, "--text");
    if (!args.empty()) throw LorvanError("query: unbekanntes Argument '" + args.front() + "'.");
    if (choices.period.choice == kPeriodOwn && compareDates(choices.period.start, choices.period.end) > 0)
        throw LorvanError(kPeriodOrderMessage);
    if (int(json) + int(text) + int(output.kind != FileOutput::Kind::None) > 1)
        throw LorvanError("query: nur eine Ausgabeform angeben (--json, --text, --pdf oder --xlsx).");

    const QuerySource source{options.dataDirectory, &employees, &customers};
    if (!list.empty()) {
        if (list != "customers" && list != "services")
            throw LorvanError("query: --list erwartet customers oder services.");
        std::vector<std::string> skipped;
        const std::vector<std::string> entries = list == "customers" ? possibleCustomers(source, choices, &skipped)
                                                                     : possibleServices(source, choices, &skipped);
        if (json) {
            out << ordered_json{{list, entries}, {"skipped_files", skipped}}.dump(2) << '\n';
        } else {
            for (const std::string& entry : entries)
                out << entry << '\n';
        }
        return 0;
    }

    if (saveSettings) {
        choices.storeInto(employees.customerQuery);
        FixedAnswerPrompter prompter(options.answerYes);
        const StorageContext storage{&prompter, options.dataDirectory, nullptr, nullptr};
        if (!employees.save(employeePath, true, storage)) return 1;
    }

    FixedAnswerPrompter prompter(options.answerYes);
    std::optional<QueryResult> result = evaluateQuery(source, choices, prompter);
    if (!result) return 1;
    PossibleCounts possible;
    for (const auto& [number, employee] : employees.employees)
        possible.employees += employee.isActive() ? 1 : 0;
    if (!choices.allCustomers) possible.customers = possibleCustomers(source, choices).size();
    if (!choices.allServices) possible.services = possibleServices(source, choices).size();
    const QuerySummary summary = querySummary(choices, possible);
    const QueryReport report{summary.title, choices, result->root};

    if (output.kind != FileOutput::Kind::None || text) {
        if (!result->hasData()) throw LorvanError(kNoDataMessage);
        if (text) {
            out << queryReportText(report);
        } else if (output.kind == FileOutput::Kind::Xlsx) {
            writeReportXlsx(output.path, {queryExportTable(report)}, kQuerySheetName);
        } else {
            std::string logo = reportInputsOf(options.settings).logoFile;
            writeReportPdf(output.path, false, report.title, [&](Surface& surface) {
                printQueryReport(surface, report, logo, [](const std::string& m) { std::cerr << m << '\n'; });
            });
        }
        return 0;
    }
    out << ordered_json{{"title", summary.title},
                        {"period", summary.period},
                        {"structure", summary.structure},
                        {"employees", summary.employees},
                        {"customers", summary.customers},
                        {"services", summary.services},
                        {"show_costs", choices.showCosts},
                        {"tree", nodeToJson(result->root)},
                        {"export", tableToJson(queryExportTable(report))},
                        {"skipped_files", result->skippedFiles}}
               .dump(2)
        << '\n';
    return 0;
}

} // namespace lorvan::cli
