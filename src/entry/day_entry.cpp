#include "entry/day_entry.h"

#include "evaluation/day_checks.h"
#include "evaluation/day_evaluation.h"
#include "evaluation/evaluation_context.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/time_text.h"
#include "platform/prompter.h"
#include "yearfile/settings.h"

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>

namespace lorvan {

namespace {

// A calculation field as the list shows it: empty for 0, otherwise with a decimal comma and
// without trailing zeros (1,5 / 12).
std::string calculationText(double value) {
    if (value == 0.0) return "";
    std::string text = format("%.2f", value);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.') text.pop_back();
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// The list order of the lines: by from-time, a line without from stays right behind the line
// before it. Returns the old indices in their new order.
std::vector<size_t> listOrder(std::span<const CZeitZeile> lines) {
    struct Group {
        int32_t key;
        std::vector<size_t> members;
    };
    std::vector<Group> groups;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].from.empty() && !groups.empty())
            groups.back().members.push_back(i);
        else
            groups.push_back({lines[i].from.empty() ? -1 : parseClock(lines[i].from), {i}});
    }
    std::stable_sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) { return a.key < b.key; });
    std::vector<size_t> order;
    order.reserve(lines.size());
    for (const Group& group : groups)
        order.insert(order.end(), group.members.begin(), group.members.end());
    return order;
}

constexpr int32_t kMaximumWorkMinutes = 600; // 10 hours
constexpr int32_t kMinimumRestMinutes = 660; // 11 hours

// The work blocks of a day: standby blocks and blocks without work (a bare break) are not work.
std::vector<CArbzt> workBlocks(const CTagDoc& day) {
    std::vector<CArbzt> blocks = buildBlocks(day, false);
    std::erase_if(blocks, [](const CArbzt& block) { return block.fromHour < 0 || block.workMinutes() <= 0; });
    return blocks;
}

} // namespace

DayEntry::DayEntry(CTagDoc& day, DayEntryMode mode, DayEntryServices services)
    : day_(&day), mode_(mode), services_(std::move(services)), work_(day) {
    if (services_.prompter == nullptr || day.month() == nullptr || day.document() == nullptr)
        throw LorvanError(kPointerNotSet);
    for (CZeitZeile& line : work_.lines())
        line.updateDurationText();
}

std::string DayEntry::employeeName() const { return day_->document()->settings().name; }

std::string DayEntry::dayTitle() const {
    return formatDateWithWeekday(day_->date());
}

std::string DayEntry::title() const {
    if (mode_ == DayEntryMode::QuickEntry && !dateText_.empty()) return dayTitle() + " - " + dateText_;
    return dayTitle();
}

bool DayEntry::isLocked() const {
    return services_.monthClosed && services_.monthClosed(day_->month()->number(), day_->month()->year());
}

bool DayEntry::refuseWhenLocked() {
    if (!isLocked()) return false;
    services_.prompter->error(kMonthLockedMessage);
    return true;
}

void DayEntry::setPublicHoliday(bool on) {
    if (publicHoliday() == on) return;
    work_.publicHoliday = on ? 1 : 0;
    markChanged();
}

void DayEntry::setFurtherEmployees(const std::string& text) {
    if (work_.furtherEmployees == text) return;
    work_.furtherEmployees = text;
    markChanged();
}

void DayEntry::setDayKind(int32_t kind) {
    if (work_.dayKind == kind) return;
    work_.dayKind = kind;
    markChanged();
}

void DayEntry::setComplete(bool on) {
    if (complete() == on) return;
    work_.complete = on ? 1 : 0;
    markChanged();
}

void DayEntry::setReportRemark(const std::string& text) {
    if (work_.reportRemark == text) return;
    work_.reportRemark = text;
    markChanged();
}

void DayEntry::setInternalRemark(const std::string& text) {
    if (work_.internalRemark == text) return;
    work_.internalRemark = text;
    markChanged();
}

void DayEntry::setCheckedAndClosed(bool on) {
    if (checkedAndClosed() == on) return;
    work_.checkedAndClosed = on ? 1 : 0;
    markChanged();
}

void DayEntry::setFillUntil(int32_t dayNumber) {
    if (fillUntil_ == dayNumber) return;
    fillUntil_ = dayNumber;
    markChanged();
}

std::vector<DayEntryColumn> DayEntry::columns() const {
    std::vector<DayEntryColumn> columns = {{"Von", 40},   {"Bis", 40},   {"Arbeitszeit", 68},
                                           {"Pause", 50}, {"Art", 60},   {"Kunde", 130},
                                           {"Dienstleistung", 130},      {"Anmerkung", 110}};
    for (const std::string& name : day_->document()->settings().calculationFieldNames) {
        if (!name.empty()) columns.push_back({name, 50, true});
    }
    return columns;
}

std::vector<std::vector<std::string>> DayEntry::rows() const {
    const CEinstArbzt& settings = day_->document()->settings();
    std::vector<std::vector<std::string>> rows;
    for (const CZeitZeile& line : work_.lines()) {
        std::vector<std::string> cells = {
            line.from,
            line.to,
            formatMinutes(lineNetMinutes(line, settings), 2, false),
            line.pause == 0 ? std::string() : format("%ld", static_cast<long>(line.pause)),
            line.kind,
            services_.customerText ? services_.customerText(line.customer) : line.customer,
            line.service,
            line.remark};
        for (size_t i = 0; i < settings.calculationFieldNames.size(); ++i) {
            if (!settings.calculationFieldNames[i].empty())
                cells.push_back(calculationText(line.calculationFields[i]));
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

CZeitZeile DayEntry::newLine() {
    CZeitZeile line = work_.addLine();
    work_.removeLine(work_.lineCount() - 1);
    return line;
}

size_t DayEntry::orderLines(size_t index) {
    const std::vector<size_t> order = listOrder(work_.lines());
    std::vector<CZeitZeile> ordered;
    ordered.reserve(order.size());
    size_t newIndex = index;
    for (size_t i = 0; i < order.size(); ++i) {
        ordered.push_back(work_.line(order[i]));
        if (order[i] == index) newIndex = i;
    }
    work_.setLines(std::move(ordered));
    return newIndex;
}

EntryResult DayEntry::enterDay(const CTagDoc& given) {
    if (refuseWhenLocked()) return EntryResult::Locked;
    setPublicHoliday(given.publicHoliday != 0);
    setDayKind(given.dayKind);
    setComplete(given.complete != 0);
    setReportRemark(given.reportRemark);
    setInternalRemark(given.internalRemark);
    if (mode_ == DayEntryMode::DayWindow) {
        setFurtherEmployees(given.furtherEmployees);
        setCheckedAndClosed(given.checkedAndClosed != 0);
    }
    std::vector<CZeitZeile> copies(given.lines().begin(), given.lines().end());
    for (CZeitZeile& line : copies)
        line.updateDurationText();
    work_.setLines(std::move(copies));
    orderLines(0);
    markChanged();
    return EntryResult::Done;
}

EntryResult DayEntry::addTime(const TimeLineEditor& editor, int* selectedIndex) {
    if (refuseWhenLocked()) return EntryResult::Locked;
    const bool first = work_.lineCount() == 0;
    const std::string from = first ? std::string() : work_.lines().back().to;
    CZeitZeile line = newLine();
    line.from = from;
    line.updateDurationText();
    if (!editor(line, first)) return EntryResult::Cancelled;
    work_.addLine(line);
    const size_t index = orderLines(work_.lineCount() - 1);
    if (selectedIndex != nullptr) *selectedIndex = static_cast<int>(index);
    markChanged();
    return EntryResult::Done;
}

EntryResult DayEntry::editTime(int index, const TimeLineEditor& editor, int* selectedIndex) {
    if (index < 0 || static_cast<size_t>(index) >= work_.lineCount()) return EntryResult::NoSelection;
    if (refuseWhenLocked()) return EntryResult::Locked;
    CZeitZeile line = work_.line(static_cast<size_t>(index));
    if (!editor(line, false)) return EntryResult::Cancelled;
    work_.line(static_cast<size_t>(index)) = line;
    const size_t newIndex = orderLines(static_cast<size_t>(index));
    if (selectedIndex != nullptr) *selectedIndex = static_cast<int>(newIndex);
    markChanged();
    return EntryResult::Done;
}

EntryResult DayEntry::deleteTime(int index) {
    if (index < 0 || static_cast<size_t>(index) >= work_.lineCount()) return EntryResult::NoSelection;
    if (refuseWhenLocked()) return EntryResult::Locked;
    const CZeitZeile& line = work_.line(static_cast<size_t>(index));
    if (!services_.prompter->askYesNo("Soll die Zeit " + entryDescription(line) + " gelöscht werden?"))
        return EntryResult::Cancelled;
    work_.removeLine(static_cast<size_t>(index));
    markChanged();
    return EntryResult::Done;
}

bool DayEntry::refuseOnStoredTimes() {
    for (const CZeitZeile& line : work_.lines()) {
        if (std::optional<std::string> message = checkStoredTimes(line)) {
            services_.prompter->error(*message);
            return true;
        }
    }
    return false;
}

EntryResult DayEntry::computeTimes() {
    if (refuseWhenLocked()) return EntryResult::Locked;
    if (refuseOnStoredTimes()) return EntryResult::Refused;

    std::span<CZeitZeile> lines = work_.lines();
    const size_t n = lines.size();
    // Working copies of the "Fest" flags: the lines keep their stored flags.
    std::vector<std::array<bool, 3>> fixed(n);
    for (size_t i = 0; i < n; ++i)
        fixed[i] = {lines[i].fromFixed != 0, lines[i].toFixed != 0, lines[i].durationFixed != 0};

    const auto round = [&]() {
        bool changed = false;
        for (size_t i = 0; i < n; ++i) {
            CZeitZeile& line = lines[i];
            const CZeitZeile* previous = i > 0 ? &lines[i - 1] : nullptr;
            const CZeitZeile* next = i + 1 < n ? &lines[i + 1] : nullptr;
            bool& vf = fixed[i][0];
            bool& bf = fixed[i][1];
            bool& df = fixed[i][2];
            const std::array<bool, 3> flagsBefore = fixed[i];
            const std::string fromBefore = line.from;
            const std::string toBefore = line.to;
            const int32_t durationBefore = line.duration;
            const int32_t pauseBefore = line.pause;

            if (line.from.empty() || !vf) {
                if (df && line.duration != 0 && bf) {
                    line.from = subClock(line.to, line.duration);
                    vf = true;
                } else if (previous != nullptr && !previous->to.empty()) {
                    line.from = previous->to;
                    vf = fixed[i - 1][0];
                } else if (line.from.empty()) {
                    if (line.duration != 0 && !line.to.empty())
                        line.from = subClock(line.to, line.duration);
                    else if (previous == nullptr)
                        line.from = "7:00";
                }
            }
            if (line.to.empty() || !bf) {
                if (df && line.duration != 0 && !line.from.empty() && vf) {
                    line.to = addClock(line.from, line.duration);
                    bf = true;
                } else if (next != nullptr && !next->from.empty() && fixed[i + 1][0]) {
                    line.to = next->from;
                    bf = true;
                } else if (line.duration != 0 && !line.from.empty()) {
                    line.to = addClock(line.from, line.duration);
                } else if (next != nullptr && !next->from.empty()) {
                    line.to = next->from;
                }
            }
            const bool timesChanged = line.from != fromBefore || line.to != toBefore;
            if ((timesChanged || line.duration == 0) && !line.from.empty() && !line.to.empty() && !df) {
                line.duration = spanMinutes(line.from, line.to);
                df = vf && bf;
                if (line.kind == kKindBreak) line.pause = line.duration;
            }
            if (line.kind == kKindBreak && line.pause == 0 && line.duration != 0) line.pause = line.duration;
            line.updateDurationText();

            changed = changed || timesChanged || line.duration != durationBefore || line.pause != pauseBefore ||
                      fixed[i] != flagsBefore;
        }
        return changed;
    };

    bool anyChange = false;
    bool changed = round();
    anyChange = changed;
    for (int extra = 0; changed && extra < 20; ++extra) {
        changed = round();
        anyChange = anyChange || changed;
    }
    if (anyChange) markChanged();
    return EntryResult::Done;
}

EntryResult DayEntry::insertTrips() {
    if (refuseWhenLocked()) return EntryResult::Locked;
    if (refuseOnStoredTimes()) return EntryResult::Refused;
    const CZeitZeile tripTemplate = newLine();
    std::vector<CZeitZeile> result;
    const std::span<const CZeitZeile> lines = work_.lines();
    bool inserted = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            const CZeitZeile& previous = lines[i - 1];
            const CZeitZeile& line = lines[i];
            if (!previous.to.empty() && !line.from.empty() && parseClock(line.from) > parseClock(previous.to)) {
                CZeitZeile trip = tripTemplate;
                trip.kind = kKindTravel;
                trip.from = previous.to;
                trip.updateDurationText();
                result.push_back(std::move(trip));
                inserted = true;
            }
        }
        result.push_back(lines[i]);
    }
    if (!inserted) return EntryResult::Done;
    work_.setLines(std::move(result));
    markChanged();
    return EntryResult::Done;
}

EntryResult DayEntry::saveForTransfer() {
    if (!complete()) {
        services_.prompter->error(kEnterCompletelyMessage);
        return EntryResult::Refused;
    }
    return save();
}

EntryResult DayEntry::save() {
    if (refuseWhenLocked()) return EntryResult::Locked;
    CMonatDoc& month = *day_->month();
    CLorvanDoc& document = *day_->document();

    std::vector<CZeitZeile> kept;
    for (const CZeitZeile& line : work_.lines()) {
        if (!line.isEmpty()) kept.push_back(line);
    }

    if (complete()) {
        DayEntryState state;
        state.lines = kept;
        state.date = day_->date();
        state.publicHoliday = publicHoliday();
        state.settings = &document.settings();
        const DayCheckResult check = checkDay(state, *services_.prompter);
        if (!check.accepted) {
            if (!check.message.empty()) {
                services_.prompter->error(check.message);
                return EntryResult::Refused;
            }
            return EntryResult::Cancelled;
        }
    }

    CTagDoc& day = *day_;
    day.publicHoliday = work_.publicHoliday;
    day.furtherEmployees = work_.furtherEmployees;
    day.reportRemark = work_.reportRemark;
    day.internalRemark = work_.internalRemark;
    day.dayKind = work_.dayKind;
    day.complete = work_.complete;
    if (mode_ == DayEntryMode::DayWindow) day.checkedAndClosed = work_.checkedAndClosed;
    day.setLines(kept);
    work_.setLines(std::move(kept));

    if (mode_ == DayEntryMode::DayWindow && fillUntil_ > day.number()) {
        // Only days of this month: a day beyond the month's end does not exist.
        const int32_t last = std::min(fillUntil_, daysInMonth(month.number(), month.year()));
        for (int32_t number = day.number() + 1; number <= last; ++number) {
            CTagDoc& other = month.addDay(number);
            other.dayKind = day.dayKind;
            other.reportRemark = day.reportRemark;
            other.internalRemark = day.internalRemark;
            other.checkedAndClosed = day.checkedAndClosed;
        }
    }

    document.dayOfMonthSaved(month.number());
    document.setModified();

    notes_.clear();
    if (services_.save) {
        bool written = false;
        try {
            written = services_.save(document);
        } catch (const LorvanError& error) {
            services_.prompter->error(error.what());
        }
        if (!written) return EntryResult::SaveFailed;
    }
    changed_ = false;
    fillUntil_ = 0;
    notes_ = workingTimeNotes(day, services_.previousYears);
    return EntryResult::Done;
}

DayCloseDecision DayEntry::askToClose() {
    if (!changed_) return DayCloseDecision::Close;
    switch (services_.prompter->askYesNoCancel("Es wurden Änderungen für den " + dayTitle() +
                                               " gemacht.\nSollen die Änderungen gespeichert werden?")) {
    case Answer::Yes:
        return save() == EntryResult::Done ? DayCloseDecision::Close : DayCloseDecision::StayOpen;
    case Answer::No:
        return DayCloseDecision::Close;
    case Answer::Cancel:
        break;
    }
    return DayCloseDecision::StayOpen;
}

std::vector<std::string> workingTimeNotes(const CTagDoc& day, const PreviousYearSource* previousYears) {
    std::vector<std::string> notes;
    if (day.document() == nullptr) return notes;
    const std::vector<CArbzt> blocks = workBlocks(day);
    const int32_t work = std::accumulate(blocks.begin(), blocks.end(), 0,
                                         [](int32_t sum, const CArbzt& block) { return sum + block.workMinutes(); });
    if (work > kMaximumWorkMinutes) notes.emplace_back("Die Arbeitszeit dieses Tages übersteigt 10 Stunden.");
    if (blocks.empty()) return notes;

    const Datum previousDate = addDays(day.date(), -1);
    const CTagDoc* previousDay = nullptr;
    std::unique_ptr<CLorvanDoc> previousYear;
    if (previousDate.year == day.date().year) {
        const CMonatDoc* month = day.document()->month(previousDate.month);
        previousDay = month != nullptr ? month->day(previousDate.day) : nullptr;
    } else if (previousYears != nullptr) {
        previousYear = previousYears->previousYear(*day.document());
        const CMonatDoc* month = previousYear ? previousYear->month(previousDate.month) : nullptr;
        previousDay = month != nullptr ? month->day(previousDate.day) : nullptr;
    }
    if (previousDay == nullptr) return notes;
    const std::vector<CArbzt> previousBlocks = workBlocks(*previousDay);
    if (previousBlocks.empty()) return notes;

    // The previous day's end counts on its own clock (hours past 24 reach into this day).
    const int32_t previousEnd = previousBlocks.back().toHour * 60 + previousBlocks.back().toMinute;
    const int32_t start = 24 * 60 + blocks.front().fromHour * 60 + blocks.front().fromMinute;
    if (start - previousEnd < kMinimumRestMinutes)
        notes.emplace_back("Die Ruhezeit vor diesem Tag beträgt weniger als 11 Stunden.");
    return notes;
}

} // namespace lorvan
