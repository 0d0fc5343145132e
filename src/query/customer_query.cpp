#include "query/customer_query.h"

#include "evaluation/day_evaluation.h"
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/text_encoding.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "platform/prompter.h"
#include "query/year_file_scan.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <functional>
#include <set>

namespace lorvan {
namespace {

Datum firstOfMonth(int32_t year, int32_t month) {
    return Datum{1, month, year};
}

Datum lastOfMonth(int32_t year, int32_t month) {
    return Datum{daysInMonth(month, year), month, year};
}

bool isKnownLevel(const std::string& name) {
    return std::find(kQueryLevelNames.begin(), kQueryLevelNames.end(), name) != kQueryLevelNames.end();
}

// A date text as the settings store it; empty or unreadable: today.
Datum storedDate(const std::string& text, const Datum& today) {
    const ParsedDate parsed = parseDate(text);
    if (!parsed.valid || parsed.day == 0 || parsed.month == 0 || parsed.year == 0) return today;
    const Datum date{parsed.day, parsed.month, parsed.year};
    return isValidDate(date) ? date : today;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct Cp1252Order {
    bool operator()(const std::string& a, const std::string& b) const { return compareCp1252(a, b) < 0; }
};

// The year files and lines that take part: the file's year passes the period and its owner is
// accepted; then the months, days and lines of the period in their order.
class LineWalk {
  public:
    LineWalk(const QuerySource& source, const QueryChoices& choices) : source_(source), choices_(choices) {
        if (choices.allEmployees) {
            if (source.employees != nullptr)
                for (const auto& [number, employee] : source.employees->employees)
                    names_.insert(toUpperCp1252(employee.name));
        } else {
            for (const std::string& name : choices.employees)
                names_.insert(toUpperCp1252(name));
        }
    }

    using LineVisit = std::function<void(const CLorvanDoc&, const CTagDoc&, const CZeitZeile&)>;
    // fileDone after each file read; false from it ends the walk (and run gives false).
    bool run(const LineVisit& visit, const std::function<bool(const CLorvanDoc&)>& fileDone,
             std::vector<std::string>& skipped) const {
        bool completed = true;
        YearFileScan::run(
            source_.dataDirectory,
            [this](const CEinstArbzt& settings) {
                return choices_.period.passes(settings.year) && names_.count(toUpperCp1252(settings.name)) > 0;
            },
            [&](const CLorvanDoc& file) {
                const int32_t year = file.settings().year;
                for (const auto& [m, month] : file.months()) {
                    if (!choices_.period.passes(year, m)) continue;
                    for (const auto& [d, day] : month.days()) {
                        if (!choices_.period.passes(year, m, d)) continue;
                        for (const CZeitZeile& line : day.lines())
                            visit(file, day, line);
                    }
                }
                if (fileDone && !fileDone(file)) {
                    completed = false;
                    return false;
                }
                return true;
            },
            skipped);
        return completed;
    }

  private:
    const QuerySource& source_;
    const QueryChoices& choices_;
    std::set<std::string> names_; // upper case
};

std::vector<std::string> sorted(const std::set<std::string, Cp1252Order>& texts) {
    return {texts.begin(), texts.end()};
}

std::string fourDigitClock(const std::string& text) {
    return text.size() == 4 ? "0" + text : text;
}

// The selection text of the finish page and of the title for one kind of entries.
struct SelectionTexts {
    std::string finish;
    std::string title;
};

SelectionTexts selectionTexts(bool all, const std::vector<std::string>& selected, size_t possible,
                              const char* word, const char* pluralWord) {
    if (all || (selected.size() >= 2 && selected.size() >= possible)) return {"Alle", ""};
    SelectionTexts texts;
    if (selected.size() < 4) {
        for (size_t i = 0; i < selected.size(); ++i)
            texts.finish += (i > 0 ? "," : "") + selected[i];
    } else {
        texts.finish = "Ausgewählt";
    }
    if (selected.size() < 2)
        texts.title = std::string(word) + " (" + (selected.empty() ? "" : selected.front()) + ")";
    else
        texts.title = std::string(pluralWord) + " (Ausgewählt)";
    return texts;
}

void addToTitle(std::string& title, const std::string& text, const char* word) {
    if (text.empty()) return;
    const size_t at = title.find(word);
    if (at != std::string::npos)
        title.replace(at, std::char_traits<char>::length(word), text);
    else
        title += " - " + text;
}

} // namespace

// --- period

bool QueryPeriod::passes(int32_t year, int32_t month, int32_t day) const {
    switch (choice) {
    case kPeriodCurrentYear:
        return year == today.year;
    case kPeriodLastYear:
        return year == today.year - 1;
    case kPeriodCurrentMonth:
    case kPeriodLastMonth: {
        const Datum wanted = choice == kPeriodCurrentMonth ? today : lastMonth();
        return year == wanted.year && (month == 0 || month == wanted.month);
    }
    case kPeriodOwn:
        if (year < start.year || year > end.year) return false;
        if (month == 0) return true;
        if (day == 0)
            return compareDates(firstOfMonth(year, month), end) <= 0 &&
                   compareDates(lastOfMonth(year, month), start) >= 0;
        return compareDates(Datum{day, month, year}, start) >= 0 && compareDates(Datum{day, month, year}, end) <= 0;
    default:
        return true;
    }
}

Datum QueryPeriod::lastMonth() const {
    return today.month == 1 ? Datum{1, 12, today.year - 1} : Datum{1, today.month - 1, today.year};
}

std::string QueryPeriod::summaryText() const {
    return choice == kPeriodAll ? "Gesamt" : titleText();
}

std::string QueryPeriod::titleText() const {
    switch (choice) {
    case kPeriodCurrentYear:
        return format("%ld", static_cast<long>(today.year));
    case kPeriodLastYear:
        return format("%ld", static_cast<long>(today.year - 1));
    case kPeriodCurrentMonth:
        return format("%ld.%ld", static_cast<long>(today.month), static_cast<long>(today.year));
    case kPeriodLastMonth: {
        const Datum last = lastMonth();
        return format("%02ld.%ld", static_cast<long>(last.month), static_cast<long>(last.year));
    }
    case kPeriodOwn:
        return start == end ? formatDate(start) : formatDate(start) + " - " + formatDate(end);
    default:
        return "";
    }
}

std::vector<std::string> periodChoiceTexts(const Datum& today) {
    QueryPeriod period;
    period.today = today;
    const Datum last = period.lastMonth();
    return {"Alles",
            format("Aktuelles Jahr      %ld", static_cast<long>(today.year)),
            format("Letztes Jahr         %ld", static_cast<long>(today.year - 1)),
            format("Aktueller Monat   %02ld.%ld", static_cast<long>(today.month), static_cast<long>(today.year)),
            format("Letzter Monat      %02ld.%ld", static_cast<long>(last.month), static_cast<long>(last.year)),
            "Eigenen Zeitraum festlegen"};
}

// --- choices

int32_t QueryChoices::levelCount() const {
    for (int32_t level = kQueryLevelCount; level > 1; --level)
        if (levels[static_cast<size_t>(level - 1)].name != kLevelNone) return level;
    return 1;
}

std::string QueryChoices::levelName(int32_t level) const {
    if (level < 1 || level > kQueryLevelCount) return kLevelNone;
    return levels[static_cast<size_t>(level - 1)].name;
}

bool QueryChoices::levelSum(int32_t level) const {
    if (level < 1 || level > kQueryLevelCount) return true;
    return levels[static_cast<size_t>(level - 1)].showSum;
}

std::string QueryChoices::structureText() const {
    std::string text;
    for (int32_t level = 1; level <= levelCount(); ++level)
        text += (level > 1 ? "/" : "") + levelName(level);
    return text;
}

QueryChoices QueryChoices::fromSettings(const CustomerQuerySettings& settings, const Datum& today) {
    QueryChoices choices;
    choices.period.choice = settings.periodChoice >= kPeriodAll && settings.periodChoice <= kPeriodOwn
                                ? settings.periodChoice
                                : kPeriodAll;
    choices.period.today = today;
    choices.period.start = storedDate(settings.periodStart, today);
    choices.period.end = storedDate(settings.periodEnd, today);
    choices.allEmployees = settings.allEmployees == 1;
    choices.allCustomers = settings.allCustomers == 1;
    choices.allServices = settings.allServices == 1;
    choices.onlyServicesWithCustomer = settings.onlyServicesWithCustomer == 1;
    for (size_t i = 0; i < choices.levels.size(); ++i) {
        const std::string& name = settings.levels[i].name;
        // A name this program does not know ends the structure; the first level always has one.
        choices.levels[i].name = isKnownLevel(name) ? name : kLevelNone;
        if (i == 0 && choices.levels[i].name == kLevelNone) choices.levels[i].name = kLevelCustomer;
        choices.levels[i].showSum = settings.levels[i].showSum == 1;
    }
    choices.showCosts = settings.showCosts == 1;
    choices.pageBreak = settings.pageBreak >= 0 && settings.pageBreak <= 2 ? settings.pageBreak : 0;
    return choices;
}

void QueryChoices::storeInto(CustomerQuerySettings& settings) const {
    settings.periodChoice = period.choice;
    settings.periodStart = period.choice == kPeriodOwn ? formatDate(period.start) : "";
    settings.periodEnd = period.choice == kPeriodOwn ? formatDate(period.end) : "";
    settings.allEmployees = allEmployees ? 1 : 0;
    settings.allCustomers = allCustomers ? 1 : 0;
    settings.allServices = allServices ? 1 : 0;
    settings.onlyServicesWithCustomer = onlyServicesWithCustomer ? 1 : 0;
    for (size_t i = 0; i < levels.size(); ++i) {
        settings.levels[i].name = levels[i].name;
        settings.levels[i].showSum = levels[i].showSum ? 1 : 0;
    }
    settings.showCosts = showCosts ? 1 : 0;
    settings.pageBreak = pageBreak;
}

// --- lines

std::string queryCustomerText(const CZeitZeile& line, const CTwKundenDoc* customers) {
    if (line.kind != kKindCustomer) return "";
    if (customers == nullptr || line.customer.empty() || line.customer.front() < '0' || line.customer.front() > '9')
        return line.customer;
    const CKundeDoc* customer = customers->customerFromDisplayText(line.customer);
    if (customer == nullptr) return line.customer;
    return format("%ld - ", static_cast<long>(customer->number)) + customer->name;
}

LevelText levelText(const std::string& level, const CLorvanDoc& file, const CTagDoc& day, const CZeitZeile& line,
                    const CTwKundenDoc* customers) {
    if (level == kLevelEmployee) return {file.settings().name, file.settings().name};
    if (level == kLevelDay) {
        const long y = file.settings().year;
        const long m = day.month() != nullptr ? day.month()->number() : 0;
        const long d = day.number();
        return {format("%4.4ld.%2.2ld.%2.2ld", y, m, d), format("%2.2ld.%2.2ld.%4.4ld", d, m, y)};
    }
    if (level == kLevelCustomer) {
        std::string text = queryCustomerText(line, customers);
        return {text, text};
    }
    if (level == kLevelService) return {line.service, line.service};
    if (level == kLevelFromTo) {
        std::string text = fourDigitClock(line.from) + " - " + fourDigitClock(line.to);
        return {text, text};
    }
    return {};
}

std::vector<std::string> possibleCustomers(const QuerySource& source, const QueryChoices& choices,
                                           std::vector<std::string>* skippedFiles) {
    std::set<std::string, Cp1252Order> texts;
    std::vector<std::string> skipped;
    LineWalk(source, choices)
        .run(
            [&](const CLorvanDoc&, const CTagDoc&, const CZeitZeile& line) {
                std::string text = queryCustomerText(line, source.customers);
                if (!text.empty()) texts.insert(std::move(text));
            },
            {}, skipped);
    if (skippedFiles != nullptr) *skippedFiles = std::move(skipped);
    return sorted(texts);
}

std::vector<std::string> possibleServices(const QuerySource& source, const QueryChoices& choices,
                                          std::vector<std::string>* skippedFiles) {
    std::set<std::string, Cp1252Order> texts;
    std::vector<std::string> skipped;
    LineWalk(source, choices)
        .run(
            [&](const CLorvanDoc&, const CTagDoc&, const CZeitZeile& line) {
                if (line.service.empty()) return;
                if (choices.onlyServicesWithCustomer) {
                    const std::string customer = queryCustomerText(line, source.customers);
                    if (customer.empty() || (!choices.allCustomers && !contains(choices.customers, customer)))
                        return;
                }
                texts.insert(line.service);
            },
            {}, skipped);
    if (skippedFiles != nullptr) *skippedFiles = std::move(skipped);
    return sorted(texts);
}

// --- result

QueryNode& QueryNode::child(const std::string& childKey, const std::string& childDisplay,
                            const std::string& childLevel, bool childSum) {
    const auto [at, added] = childIndex_.try_emplace(childKey, children.size());
    if (!added) return children[at->second];
    QueryNode node;
    node.depth = depth + 1;
    node.level = childLevel;
    node.showSum = childSum;
    node.key = childKey;
    node.display = childDisplay;
    children.push_back(std::move(node));
    return children.back();
}

void QueryNode::sortChildren() {
    childIndex_.clear();
    std::sort(children.begin(), children.end(),
              [](const QueryNode& a, const QueryNode& b) { return compareCp1252(a.key, b.key) < 0; });
    for (QueryNode& node : children)
        node.sortChildren();
}

std::string wageCostsQuestion(const std::string& employee, int32_t year) {
    return "Die Kosten aus Stundenlohn für '" + employee + "' für das Jahr " + format("%ld", static_cast<long>(year)) +
           " können nicht ausgewiesen werden.\nSie müssen diese Funktionalität in den Einstellungen der "
           "Arbeitszeitdatei freischalten.\n\nSoll die Verarbeitung trotzdem fortgesetzt werden?";
}

std::optional<QueryResult> evaluateQuery(const QuerySource& source, const QueryChoices& choices,
                                         Prompter& prompter) {
    QueryResult result;
    result.root.level = choices.levelName(1);
    bool costsUnavailable = false; // in the file being read
    std::vector<QueryNode*> path;
    std::vector<LevelText> texts;
    try {
        const bool completed = LineWalk(source, choices).run(
            [&](const CLorvanDoc& file, const CTagDoc& day, const CZeitZeile& line) {
                const std::string customer = queryCustomerText(line, source.customers);
                if (!line.service.empty() &&
                    ((!choices.allServices && !contains(choices.services, line.service)) ||
                     (choices.onlyServicesWithCustomer && customer.empty())))
                    return;
                if (!customer.empty() && !choices.allCustomers && !contains(choices.customers, customer)) return;
                // Every level's text first: a line without a value on one of them is counted
                // nowhere, and leaves no empty node behind on the levels above.
                texts.clear();
                for (int32_t level = 1; choices.levelName(level) != kLevelNone; ++level) {
                    texts.push_back(levelText(choices.levelName(level), file, day, line, source.customers));
                    if (texts.back().key.empty()) return;
                }
                path.assign(1, &result.root);
                for (size_t i = 0; i < texts.size(); ++i) {
                    const auto level = static_cast<int32_t>(i + 1);
                    path.push_back(&path.back()->child(texts[i].key, texts[i].display, choices.levelName(level + 1),
                                                       choices.levelSum(level)));
                }
                double cost = 0.0;
                if (choices.showCosts) cost = lineCost(line, costsUnavailable);
                for (QueryNode* node : path) {
                    node->minutes += line.duration;
                    node->costs += cost;
                }
            },
            [&](const CLorvanDoc& file) {
                const bool ask = costsUnavailable;
                costsUnavailable = false;
                return !ask || prompter.askYesNo(wageCostsQuestion(file.settings().name, file.settings().year));
            },
            result.skippedFiles);
        if (!completed) return std::nullopt;
        result.root.sortChildren();
    } catch (const std::exception& failure) {
        prompter.error(kEvaluationFailedMessage + std::string(failure.what()));
        return std::nullopt;
    }
    return result;
}

std::string queryMinutesText(int32_t minutes, bool print) {
    if (minutes == 0) return "";
    return format("%1.2ld:%2.2ld", static_cast<long>(minutes / 60), static_cast<long>(minutes % 60)) +
           (print ? " h" : "");
}

std::string queryCostText(double costs, bool print) {
    if (costs <= 0.0) return "";
    return formatAmount(costs) + (print ? " EUR" : "");
}

QuerySummary querySummary(const QueryChoices& choices, const PossibleCounts& possible) {
    QuerySummary summary;
    summary.period = choices.period.summaryText();
    summary.structure = choices.structureText();
    const SelectionTexts employees =
        selectionTexts(choices.allEmployees, choices.employees, possible.employees, "Mitarbeiter", "Mitarbeiter");
    const SelectionTexts customers =
        selectionTexts(choices.allCustomers, choices.customers, possible.customers, "Kunde", "Kunden");
    const SelectionTexts services =
        selectionTexts(choices.allServices, choices.services, possible.services, "Dienstleistung", "Dienstleistung");
    summary.employees = employees.finish;
    summary.customers = customers.finish;
    summary.services = services.finish;
    summary.title = "Übersicht " + summary.structure;
    addToTitle(summary.title, customers.title, "Kunde");
    addToTitle(summary.title, services.title, "Dienstleistung");
    addToTitle(summary.title, employees.title, "Mitarbeiter");
    const std::string period = choices.period.titleText();
    if (!period.empty()) summary.title += " - " + period;
    return summary;
}

} // namespace lorvan
