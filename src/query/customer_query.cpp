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
#include "yearfile/year_file_lines.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <functional>
#include <set>
#include <unordered_map>

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

bool contains(const std::vector<std::string>& texts, std::string_view text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

struct Cp1252Order {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return compareCp1252(a, b) < 0; }
};

// The level keys and customer entries are short: a hash that takes them eight bytes at a time, and
// the last bytes in one step, costs less than the general one of the library.
inline size_t shortTextHash(std::string_view text) {
    const char* p = text.data();
    size_t n = text.size();
    uint64_t h = 0x9E3779B97F4A7C15ULL ^ n;
    const auto mix = [&h](uint64_t word) {
        h = (h ^ word) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 32;
    };
    for (; n > 8; p += 8, n -= 8) {
        uint64_t word = 0;
        std::memcpy(&word, p, 8);
        mix(word);
    }
    uint64_t tail = 0;
    if (n >= 4) {
        // The first and the last four bytes together cover all of them.
        uint32_t first = 0;
        uint32_t last = 0;
        std::memcpy(&first, p, 4);
        std::memcpy(&last, p + n - 4, 4);
        tail = (static_cast<uint64_t>(first) << 32) | last;
    } else if (n > 0) {
        tail = (static_cast<uint64_t>(static_cast<unsigned char>(p[0])) << 16) |
               (static_cast<uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8) |
               static_cast<unsigned char>(p[n - 1]);
    }
    mix(tail);
    return static_cast<size_t>(h);
}

// Equal texts, those of up to 16 bytes compared in words instead of through memcmp.
inline bool sameText(std::string_view a, std::string_view b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    if (n > 16) return std::memcmp(a.data(), b.data(), n) == 0;
    if (n > 8) {
        uint64_t words[4];
        std::memcpy(&words[0], a.data(), 8);
        std::memcpy(&words[1], a.data() + n - 8, 8);
        std::memcpy(&words[2], b.data(), 8);
        std::memcpy(&words[3], b.data() + n - 8, 8);
        return words[0] == words[2] && words[1] == words[3];
    }
    if (n >= 4) {
        uint32_t words[4];
        std::memcpy(&words[0], a.data(), 4);
        std::memcpy(&words[1], a.data() + n - 4, 4);
        std::memcpy(&words[2], b.data(), 4);
        std::memcpy(&words[3], b.data() + n - 4, 4);
        return words[0] == words[2] && words[1] == words[3];
    }
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return shortTextHash(text); }
};

struct TextEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return sameText(a, b); }
};

// The customer texts of the entries met in one run (queryCustomerText), each entry looked up in the
// customer file once.
class CustomerTexts {
  public:
    explicit CustomerTexts(const CTwKundenDoc* customers) : customers_(customers) {}

    const std::string& of(const TimeLineFields& line) {
        static const std::string none;
        static constexpr std::string_view customerKind = kKindCustomer;
        if (line.kind != customerKind) return none;
        if (last_ != texts_.end() && sameText(last_->first, line.customer)) return last_->second;
        last_ = texts_.find(line.customer);
        if (last_ == texts_.end())
            last_ = texts_.emplace(std::string(line.customer), queryCustomerText(line.kind, line.customer, customers_))
                        .first;
        return last_->second;
    }

  private:
    const CTwKundenDoc* customers_;
    std::unordered_map<std::string, std::string, TextHash, TextEqual> texts_;
    std::unordered_map<std::string, std::string, TextHash, TextEqual>::const_iterator last_ = texts_.end();
};

std::string fourDigitClock(std::string_view text) {
    return text.size() == 4 ? "0" + std::string(text) : std::string(text);
}

// Key and display text of a line on a level, valid until the next text of the same slot; an empty key
// for a line the level has no value for (no customer on the level "Kunde").
struct LevelView {
    std::string_view key;
    std::string_view display;
};

enum class LevelKind { Customer, Service, Day, Employee, FromTo, None };

LevelKind levelKind(const std::string& level) {
    if (level == kLevelCustomer) return LevelKind::Customer;
    if (level == kLevelService) return LevelKind::Service;
    if (level == kLevelDay) return LevelKind::Day;
    if (level == kLevelEmployee) return LevelKind::Employee;
    if (level == kLevelFromTo) return LevelKind::FromTo;
    return LevelKind::None;
}

// The level texts of the lines; each level of a run has its own slot for the texts it builds.
class LevelTexts {
  public:
    explicit LevelTexts(CustomerTexts& customers) : customers_(customers) {}

    // customer: the line's customer text when the caller has it already.
    LevelView of(LevelKind level, const CEinstArbzt& settings, const TimeLineFields& line, size_t slot = 0,
                 const std::string* customer = nullptr) {
        switch (level) {
        case LevelKind::Employee:
            return {settings.name, settings.name};
        case LevelKind::Customer: {
            const std::string& text = customer != nullptr ? *customer : customers_.of(line);
            return {text, text};
        }
        case LevelKind::Service:
            return {line.service, line.service};
        case LevelKind::Day: {
            Slot& own = slotOf(slot);
            const long y = settings.year;
            if (own.year != y || own.month != line.month || own.day != line.day) {
                own.year = y;
                own.month = line.month;
                own.day = line.day;
                own.key = format("%4.4ld.%2.2ld.%2.2ld", y, static_cast<long>(line.month), static_cast<long>(line.day));
                own.display = format("%2.2ld.%2.2ld.%4.4ld", static_cast<long>(line.day), static_cast<long>(line.month), y);
            }
            return {own.key, own.display};
        }
        case LevelKind::FromTo: {
            Slot& own = slotOf(slot);
            own.key = fourDigitClock(line.from) + " - " + fourDigitClock(line.to);
            return {own.key, own.key};
        }
        case LevelKind::None:
            break;
        }
        return {};
    }

  private:
    struct Slot {
        long year = 0;
        int32_t month = -1;
        int32_t day = -1;
        std::string key;
        std::string display;
    };
    // The texts of earlier levels are still in use while a later level's slot is made: a deque keeps
    // them in place when it grows.
    Slot& slotOf(size_t slot) {
        if (slots_.size() <= slot) slots_.resize(slot + 1);
        return slots_[slot];
    }

    CustomerTexts& customers_;
    std::deque<Slot> slots_;
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

    using LineVisit = std::function<void(const CEinstArbzt&, const TimeLineFields&)>;
    // fileDone after each file read; false from it ends the walk (and run gives false). Only the
    // lines of each file are read (YearFileLines), not whole documents.
    bool run(const LineVisit& visit, const std::function<bool(const CEinstArbzt&)>& fileDone,
             std::vector<std::string>& skipped) const {
        bool completed = true;
        YearFileScan::runLines(
            source_.dataDirectory,
            [this](const CEinstArbzt& settings) {
                return choices_.period.passes(settings.year) && names_.count(toUpperCp1252(settings.name)) > 0;
            },
            [&](const YearFileLines& file) {
                const CEinstArbzt& settings = file.settings();
                const int32_t year = settings.year;
                int32_t month = 0;
                int32_t day = 0;
                bool monthPasses = false;
                bool dayPasses = false;
                for (const TimeLineFields& line : file.lines()) {
                    if (line.month != month) {
                        month = line.month;
                        monthPasses = choices_.period.passes(year, month);
                        day = 0;
                    }
                    if (!monthPasses) continue;
                    if (line.day != day) {
                        day = line.day;
                        dayPasses = choices_.period.passes(year, month, day);
                    }
                    if (dayPasses) visit(settings, line);
                }
                if (fileDone && !fileDone(settings)) {
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

std::string queryCustomerText(std::string_view kind, std::string_view entry, const CTwKundenDoc* customers) {
    if (kind != kKindCustomer) return "";
    if (customers == nullptr || entry.empty() || entry.front() < '0' || entry.front() > '9') return std::string(entry);
    const CKundeDoc* customer = customers->customerFromDisplayText(entry);
    if (customer == nullptr) return std::string(entry);
    return format("%ld - ", static_cast<long>(customer->number)) + customer->name;
}

std::string queryCustomerText(const CZeitZeile& line, const CTwKundenDoc* customers) {
    return queryCustomerText(line.kind, line.customer, customers);
}

std::vector<std::string> possibleCustomers(const QuerySource& source, const QueryChoices& choices,
                                           std::vector<std::string>* skippedFiles) {
    std::set<std::string, Cp1252Order> texts;
    std::vector<std::string> skipped;
    CustomerTexts customerTexts(source.customers);
    LineWalk(source, choices)
        .run(
            [&](const CEinstArbzt&, const TimeLineFields& line) {
                const std::string& text = customerTexts.of(line);
                if (!text.empty()) texts.insert(text);
            },
            {}, skipped);
    if (skippedFiles != nullptr) *skippedFiles = std::move(skipped);
    return sorted(texts);
}

std::vector<std::string> possibleServices(const QuerySource& source, const QueryChoices& choices,
                                          std::vector<std::string>* skippedFiles) {
    std::set<std::string, Cp1252Order> texts;
    std::vector<std::string> skipped;
    CustomerTexts customerTexts(source.customers);
    LineWalk(source, choices)
        .run(
            [&](const CEinstArbzt&, const TimeLineFields& line) {
                if (line.service.empty()) return;
                if (choices.onlyServicesWithCustomer) {
                    const std::string& customer = customerTexts.of(line);
                    if (customer.empty() || (!choices.allCustomers && !contains(choices.customers, customer)))
                        return;
                }
                if (texts.find(line.service) == texts.end()) texts.emplace(line.service);
            },
            {}, skipped);
    if (skippedFiles != nullptr) *skippedFiles = std::move(skipped);
    return sorted(texts);
}

// --- result

size_t QueryNode::KeyHash::operator()(std::string_view key) const {
    return shortTextHash(key);
}

bool QueryNode::KeyEqual::operator()(std::string_view a, std::string_view b) const {
    return sameText(a, b);
}

QueryNode& QueryNode::child(std::string_view childKey, std::string_view childDisplay,
                            const std::string& childLevel, bool childSum) {
    // Lines in a row often share their key on a level (the employee of a file, a customer's lines).
    if (lastChild_ < children.size() && sameText(children[lastChild_].key, childKey))
        return children[lastChild_];
    const auto found = childIndex_.find(childKey);
    if (found != childIndex_.end()) {
        lastChild_ = found->second;
        return children[found->second];
    }
    lastChild_ = children.size();
    childIndex_.emplace(std::string(childKey), children.size());
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
    lastChild_ = SIZE_MAX;
    // Keys of plain ASCII (the usual case) are in Windows-1252 order when compared byte-wise; the
    // keys of the children differ, so either comparison gives the one order.
    const bool ascii = std::all_of(children.begin(), children.end(), [](const QueryNode& node) {
        return std::all_of(node.key.begin(), node.key.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    });
    if (ascii) {
        std::sort(children.begin(), children.end(),
                  [](const QueryNode& a, const QueryNode& b) { return a.key < b.key; });
    } else {
        // The Windows-1252 form of each key is made once, not in every comparison; equal forms
        // fall back to the keys themselves, as compareCp1252 does.
        std::vector<std::pair<std::string, size_t>> order;
        order.reserve(children.size());
        for (size_t i = 0; i < children.size(); ++i)
            order.emplace_back(utf8ToCp1252Lossy(children[i].key), i);
        std::sort(order.begin(), order.end(), [this](const auto& a, const auto& b) {
            if (a.first != b.first) return a.first < b.first;
            return children[a.second].key < children[b.second].key;
        });
        std::vector<QueryNode> sortedChildren;
        sortedChildren.reserve(children.size());
        for (const auto& entry : order)
            sortedChildren.push_back(std::move(children[entry.second]));
        children = std::move(sortedChildren);
    }
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
    // The levels in use with the level below each and the sum flag.
    struct Level {
        LevelKind kind;
        std::string below;
        bool showSum = false;
    };
    std::vector<Level> levels;
    for (int32_t level = 1; choices.levelName(level) != kLevelNone; ++level)
        levels.push_back({levelKind(choices.levelName(level)), choices.levelName(level + 1), choices.levelSum(level)});
    CustomerTexts customerTexts(source.customers);
    LevelTexts levelTexts(customerTexts);
    // The nodes of a line from the root down, and its level texts (at most four levels).
    std::array<QueryNode*, kQueryLevelCount + 1> path{};
    std::array<LevelView, kQueryLevelCount> texts{};
    path[0] = &result.root;
    try {
        const bool completed = LineWalk(source, choices).run(
            [&](const CEinstArbzt& settings, const TimeLineFields& line) {
                const std::string& customer = customerTexts.of(line);
                if (!line.service.empty() &&
                    ((!choices.allServices && !contains(choices.services, line.service)) ||
                     (choices.onlyServicesWithCustomer && customer.empty())))
                    return;
                if (!customer.empty() && !choices.allCustomers && !contains(choices.customers, customer)) return;
                // Every level's text first: a line without a value on one of them is counted
                // nowhere, and leaves no empty node behind on the levels above.
                for (size_t i = 0; i < levels.size(); ++i) {
                    texts[i] = levelTexts.of(levels[i].kind, settings, line, i, &customer);
                    if (texts[i].key.empty()) return;
                }
                for (size_t i = 0; i < levels.size(); ++i)
                    path[i + 1] =
                        &path[i]->child(texts[i].key, texts[i].display, levels[i].below, levels[i].showSum);
                double cost = 0.0;
                if (choices.showCosts)
                    cost = lineCost(line.costKind, line.costAmount, line.duration, line.service, &settings, line.month,
                                    costsUnavailable);
                for (size_t i = 0; i <= levels.size(); ++i) {
                    path[i]->minutes += line.duration;
                    path[i]->costs += cost;
                }
            },
            [&](const CEinstArbzt& settings) {
                const bool ask = costsUnavailable;
                costsUnavailable = false;
                return !ask || prompter.askYesNo(wageCostsQuestion(settings.name, settings.year));
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
