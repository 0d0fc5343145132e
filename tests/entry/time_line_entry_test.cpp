#include "entry/time_line_entry.h"

#include "entry/file_views.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ScriptedPrompter;

// Customers "Beispiel GmbH" (number 12) and the service "Montage"; records what was opened.
class FakeMasterData final : public LineMasterData {
  public:
    bool customerExists(std::string_view text) override {
        return text == "Beispiel GmbH" || text == "12" || text.starts_with("12 - ");
    }
    bool serviceExists(std::string_view name) override { return name == "Montage"; }
    std::optional<std::string> openCustomer(std::string_view text) override {
        opened.push_back("Kunde " + std::string(text));
        return std::string("Neukunde AG");
    }
    std::optional<std::string> openService(std::string_view name, int32_t costKind, double) override {
        opened.push_back("Dienstleistung " + std::string(name) + " " + std::to_string(costKind));
        return std::nullopt;
    }
    std::vector<std::string> opened;
};

// A year file 2026 whose line lies on Monday, 2 March (8 hours, 45 minutes break by the default period).
struct TimeLineEntryTest : ::testing::Test {
    CLorvanDoc doc;
    CZeitZeile* line = nullptr;
    FakeMasterData masterData;
    ScriptedPrompter prompter;

    TimeLineEntryTest() {
        doc.settings().year = 2026;
        doc.settings().wagesAsCostsInCustomerQuery = 1;
        WagePeriod wages;
        wages.hourlyWage = 20.0;
        wages.deviatingHourlyWages["Montage"] = 36.0;
        doc.settings().wagePeriods = {wages};
        line = &doc.addMonth(3).addDay(2).addLine();
    }

    TimeLineEntry open(TimeLineEntry::Options options = {}) { return TimeLineEntry(*line, options, &masterData); }
};

// Sets the kind and the three time fields as typed; a field is fixed when named in fixedFields.
void typeLine(TimeLineEntry& entry, const std::string& kind, const std::string& from, const std::string& to,
              const std::string& duration, const std::string& fixedFields, int32_t pause = 0) {
    entry.setKind(kind);
    entry.setPause(pause);
    const std::pair<TimeField, const std::string*> fields[] = {
        {TimeField::From, &from}, {TimeField::To, &to}, {TimeField::Duration, &duration}};
    const char letters[] = {'V', 'B', 'D'};
    for (size_t i = 0; i < 3; ++i) {
        entry.typeTime(fields[i].first, *fields[i].second);
        entry.leaveTime(fields[i].first);
        entry.setFixed(fields[i].first, fixedFields.find(letters[i]) != std::string::npos);
    }
}

TEST_F(TimeLineEntryTest, FirstNewLineTakesTheDefaultsOfTheSettings) {
    const struct {
        const char* what;
        const char* startOfWork;
        int32_t oneValue;
        int32_t fixedDays; // 0: the period's hours per working day (6.5 with 30 minutes break)
        int32_t day;
        bool first;
        const char* kind;
        const char* from;
        bool fromFixed;
        const char* to;
        const char* duration;
        int32_t pause;
    } cases[] = {
        {"target of Monday plus break", "7:30", 1, 1, 2, true, "Arbeitszeit", "7:30", true, "16:15", "08:45", 45},
        {"Friday", "7:30", 1, 1, 6, true, "Arbeitszeit", "7:30", true, "12:45", "05:15", 15},
        {"no fixed working days", "8:00", 1, 0, 8, true, "Arbeitszeit", "8:00", true, "14:30", "06:30", 30},
        {"Sunday has no target", "7:30", 1, 1, 8, true, "Arbeitszeit", "7:30", true, "", "", 0},
        {"no start of work: no duration", "", 1, 1, 2, true, "Arbeitszeit", "", false, "", "", 0},
        {"day not entered as one value", "7:30", 0, 1, 2, true, "", "7:30", true, "", "", 0},
        {"not the first line", "7:30", 1, 1, 2, false, "", "", false, "", "", 0},
    };
    for (const auto& c : cases) {
        doc.settings().defaultStartOfWork = c.startOfWork;
        doc.settings().dayEnteredAsOneValue = c.oneValue;
        WorkingTimePeriod& period = doc.settings().workingTimePeriods.front();
        period.fixedRegularWorkingDays = c.fixedDays;
        period.hoursPerWorkingDay = 6.0;
        period.breakMinutesPerWorkingDay = 30;
        CZeitZeile& l = doc.month(3)->addDay(c.day).addLine();
        const TimeLineEntry entry(l, {.isFirstNewLine = c.first}, &masterData);
        EXPECT_EQ(entry.kind(), c.kind) << c.what;
        EXPECT_EQ(entry.timeText(TimeField::From), c.from) << c.what;
        EXPECT_EQ(entry.fixed(TimeField::From), c.fromFixed) << c.what;
        EXPECT_EQ(entry.timeText(TimeField::To), c.to) << c.what;
        EXPECT_EQ(entry.timeText(TimeField::Duration), c.duration) << c.what;
        EXPECT_EQ(entry.pause(), c.pause) << c.what;
        EXPECT_FALSE(entry.fixed(TimeField::To)) << c.what;
        EXPECT_EQ(entry.fixedEnabled(TimeField::To), *c.to != '\0') << c.what;
    }
}

TEST_F(TimeLineEntryTest, AnExistingPauseIsKeptAndTheDurationGrowsByIt) {
    doc.settings().defaultStartOfWork = "7:00";
    doc.settings().dayEnteredAsOneValue = 1;
    line->pause = 60;
    const TimeLineEntry entry = open({.isFirstNewLine = true});
    EXPECT_EQ(entry.pause(), 60);
    EXPECT_EQ(entry.timeText(TimeField::Duration), "09:00");
    EXPECT_EQ(entry.timeText(TimeField::To), "16:00");
}

TEST_F(TimeLineEntryTest, CompletionFillsWhatTheFixedFieldsDetermine) {
    const struct {
        const char* what;
        const char* kind;
        const char* from;
        const char* to;
        const char* duration;
        const char* fixedFields;
        int32_t pause;
        const char* expectedFrom;
        const char* expectedTo;
        const char* expectedDuration;
        int32_t expectedPause;
    } cases[] = {
        {"from + fixed duration", "Kunde", "8:00", "", "4:30", "VD", 0, "8:00", "12:30", "04:30", 0},
        {"to + fixed duration, all but from fixed", "Kunde", "", "17:00", "8:00", "BD", 0, "09:00", "17:00", "08:00", 0},
        {"to + fixed duration, to not fixed", "Kunde", "", "17:00", "8:00", "D", 0, "09:00", "17:00", "08:00", 0},
        {"past midnight", "Kunde", "22:00", "26:00", "", "VB", 0, "22:00", "26:00", "04:00", 0},
        {"from after to: no duration", "Kunde", "12:00", "8:00", "", "VB", 0, "12:00", "8:00", "00:00", 0},
        {"nothing fixed: span of from and to", "Büro", "8:00", "12:15", "", "", 0, "8:00", "12:15", "04:15", 0},
        {"nothing fixed: to from the duration", "Büro", "8:00", "", "2:00", "", 0, "8:00", "10:00", "02:00", 0},
        {"all fixed: nothing changes", "Büro", "8:00", "12:00", "3:00", "VBD", 0, "8:00", "12:00", "03:00", 0},
        {"only from: nothing to fill", "Büro", "8:00", "", "", "V", 0, "8:00", "", "", 0},
        {"pause line takes its duration as pause", "Pause", "12:00", "", "0:30", "VD", 0, "12:00", "12:30", "00:30", 30},
        {"pause line: the pause sets the duration", "Pause", "12:00", "", "1:00", "VD", 15, "12:00", "12:15", "00:15", 15},
        {"pause line from its span", "Pause", "12:00", "12:45", "", "VB", 0, "12:00", "12:45", "00:45", 45},
    };
    for (const auto& c : cases) {
        TimeLineEntry entry = open();
        typeLine(entry, c.kind, c.from, c.to, c.duration, c.fixedFields, c.pause);
        entry.complete();
        EXPECT_EQ(entry.timeText(TimeField::From), c.expectedFrom) << c.what;
        EXPECT_EQ(entry.timeText(TimeField::To), c.expectedTo) << c.what;
        EXPECT_EQ(entry.timeText(TimeField::Duration), c.expectedDuration) << c.what;
        EXPECT_EQ(entry.pause(), c.expectedPause) << c.what;
    }
}

TEST_F(TimeLineEntryTest, AFieldFilledByCompletionGetsItsFestBoxEnabledButNotTicked) {
    TimeLineEntry entry = open();
    typeLine(entry, "Kunde", "8:00", "", "4:30", "VD");
    EXPECT_FALSE(entry.fixedEnabled(TimeField::To));
    entry.complete();
    EXPECT_TRUE(entry.fixedEnabled(TimeField::To));
    EXPECT_FALSE(entry.fixed(TimeField::To));
}

TEST_F(TimeLineEntryTest, TypingTicksFestAndAnEmptiedFieldClearsAndDisablesIt) {
    TimeLineEntry entry = open();
    entry.typeTime(TimeField::From, "7");
    EXPECT_TRUE(entry.fixed(TimeField::From));
    EXPECT_TRUE(entry.fixedEnabled(TimeField::From));
    entry.leaveTime(TimeField::From);
    EXPECT_EQ(entry.timeText(TimeField::From), "7:00");
    entry.typeTime(TimeField::To, "1630");
    entry.leaveTime(TimeField::To);
    EXPECT_EQ(entry.timeText(TimeField::To), "16:30");
    entry.typeTime(TimeField::Duration, "7,5");
    entry.leaveTime(TimeField::Duration);
    EXPECT_EQ(entry.timeText(TimeField::Duration), "07:30");

    entry.typeTime(TimeField::From, "");
    EXPECT_FALSE(entry.fixed(TimeField::From));
    EXPECT_FALSE(entry.fixedEnabled(TimeField::From));
    entry.setFixed(TimeField::From, true); // a disabled box cannot be ticked
    EXPECT_FALSE(entry.fixed(TimeField::From));
}

TEST_F(TimeLineEntryTest, KindCodesBecomeTheirKinds) {
    const struct {
        const char* typed;
        const char* kind;
    } cases[] = {
        {"kd", "Kunde"}, {"K", "Kunde"},  {"kunde", "Kunde"},       {"p", "Pause"},
        {"PAUSE", "Pause"}, {"a", "Arbeitszeit"}, {"AZ", "AZ"}, {"f", "Fahrt"},
        {"b", "Büro"},   {"Bereitschaft", "Bereitschaft"}, {"Montage", "Montage"},
    };
    for (const auto& c : cases) {
        TimeLineEntry entry = open();
        entry.setKind(c.typed);
        EXPECT_EQ(entry.kind(), c.kind) << c.typed;
    }
}

TEST_F(TimeLineEntryTest, KindRulesClearAndDisableFields) {
    TimeLineEntry entry = open();
    entry.setKind("Kunde");
    entry.setCustomer("Beispiel GmbH");
    entry.setService("Montage");
    entry.setPause(15);
    entry.setCostAmount(40.0);
    EXPECT_TRUE(entry.enabled(LineField::Customer));

    entry.setKind("Bereitschaft");
    EXPECT_EQ(entry.customer(), "");
    EXPECT_EQ(entry.service(), "");
    EXPECT_EQ(entry.pause(), 0);
    EXPECT_EQ(entry.costAmount(), 0.0);
    EXPECT_FALSE(entry.enabled(LineField::Customer));
    EXPECT_FALSE(entry.enabled(LineField::Service));
    EXPECT_FALSE(entry.enabled(LineField::Pause));
    EXPECT_FALSE(entry.customerButtonEnabled());

    entry.setKind("f");
    EXPECT_TRUE(entry.enabled(LineField::Service));
    EXPECT_TRUE(entry.enabled(LineField::Pause));
    EXPECT_FALSE(entry.vehicleFieldsShown()); // no logbook yet
    EXPECT_TRUE(open({.logbookAvailable = true}).enabled(LineField::Kind));
    TimeLineEntry withLogbook = open({.logbookAvailable = true});
    withLogbook.setKind("F");
    EXPECT_TRUE(withLogbook.vehicleFieldsShown());
}

TEST_F(TimeLineEntryTest, WorkingTimeOnTheFirstLineTakesTheRequiredBreak) {
    TimeLineEntry first = open({.isFirstNewLine = true});
    first.setKind("A");
    EXPECT_EQ(first.pause(), 45);
    TimeLineEntry entered = open({.isFirstNewLine = true});
    entered.setPause(20);
    entered.setKind("A");
    EXPECT_EQ(entered.pause(), 20);
    TimeLineEntry later = open();
    later.setKind("A");
    EXPECT_EQ(later.pause(), 0);
}

TEST_F(TimeLineEntryTest, CostKindChangesAndTheCostLabel) {
    TimeLineEntry entry = open();
    typeLine(entry, "Kunde", "8:00", "10:00", "2:00", "VB");
    entry.setCostKind(kCostPerHour);
    entry.setCostAmount(30.0);
    EXPECT_EQ(entry.costLabel(), "60,00");
    entry.setCostKind(kCostFixedAmount);
    EXPECT_EQ(entry.costAmount(), 60.0);
    EXPECT_EQ(entry.costLabel(), "");

    entry.setCostKind(kCostFromHourlyWage);
    EXPECT_EQ(entry.costAmount(), 0.0);
    EXPECT_EQ(entry.costLabel(), "40,00"); // 2 hours at 20.00
    entry.setService("Montage");
    EXPECT_EQ(entry.costLabel(), "72,00"); // the service's own wage
    entry.setCostKind(kCostFixedAmount);
    EXPECT_EQ(entry.costAmount(), 72.0);

    doc.settings().wagesAsCostsInCustomerQuery = 0;
    TimeLineEntry noWages = open();
    typeLine(noWages, "Kunde", "8:00", "10:00", "", "VB");
    noWages.setCostKind(kCostFromHourlyWage);
    EXPECT_EQ(noWages.costLabel(), "");
    noWages.setCostKind(kCostFixedAmount);
    EXPECT_EQ(noWages.costAmount(), 0.0);
}

TEST_F(TimeLineEntryTest, StandbyLabelShowsTheCreditedTime) {
    doc.settings().standbyRatingPercent = 25.0;
    TimeLineEntry entry = open();
    typeLine(entry, "Bereitschaft", "18:00", "22:00", "4:00", "VB");
    EXPECT_EQ(entry.standbyLabel(), "Gerechnet als 01:00");
    entry.setKind("Büro");
    EXPECT_EQ(entry.standbyLabel(), "");
    entry.setKind("Bereitschaft");
    entry.typeTime(TimeField::Duration, "");
    EXPECT_EQ(entry.standbyLabel(), "");
}

TEST_F(TimeLineEntryTest, OkRefusesInvalidTimesWithTheirField) {
    const struct {
        TimeField field;
        const char* text;
        const char* message;
        LineField focus;
    } cases[] = {
        {TimeField::From, "25:61", "Der Von-Wert '25:61' ist ungültig.", LineField::From},
        {TimeField::From, "48:00", "Der Von-Wert '48:00' ist ungültig.", LineField::From},
        {TimeField::From, "7:5x", "Der Von-Wert '7:5x' ist ungültig.", LineField::From},
        {TimeField::To, "48:00", "Der Bis-Wert '48:00' ist ungültig.", LineField::To},
        {TimeField::To, "7:5x", "Der Bis-Wert '7:5x' ist ungültig.", LineField::To},
        {TimeField::Duration, "25:61", "Die Dauer '25:61' ist ungültig.", LineField::Duration},
    };
    for (const auto& c : cases) {
        TimeLineEntry entry = open();
        typeLine(entry, "Büro", "8:00", "12:00", "", "VB");
        entry.typeTime(c.field, c.text);
        const LineCheckResult result = entry.accept(prompter);
        EXPECT_FALSE(result.accepted) << c.text;
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(result.focus, c.focus) << c.text;
        EXPECT_EQ(prompter.log().back().text, c.message);
    }
}

TEST_F(TimeLineEntryTest, OkChecksInOrderWithMessageAndFocus) {
    const struct {
        const char* what;
        const char* kind;
        const char* customer;
        const char* from;
        const char* to;
        const char* duration;
        const char* fixedFields;
        int32_t pause;
        const char* message;
        LineField focus;
    } cases[] = {
        {"no kind", "", "", "8:00", "12:00", "", "VB", 0, kKindMissingMessage, LineField::Kind},
        {"no customer", "Kunde", "", "8:00", "12:00", "", "VB", 0, kCustomerMissingMessage, LineField::Customer},
        {"from after to", "Büro", "", "12:00", "8:00", "", "VB", 0, kStartAfterEndMessage, LineField::From},
        {"pause equal to the duration", "Arbeitszeit", "", "8:00", "", "0:30", "VD", 30, kPauseTooLongMessage,
         LineField::Pause},
        {"pause longer than the duration", "Büro", "", "8:00", "", "0:30", "VD", 45, kPauseTooLongMessage,
         LineField::Pause},
        {"duration does not match", "Büro", "", "8:00", "12:00", "3:00", "VBD", 0, kDurationMismatchMessage,
         LineField::Duration},
    };
    for (const auto& c : cases) {
        TimeLineEntry entry = open();
        typeLine(entry, c.kind, c.from, c.to, c.duration, c.fixedFields, c.pause);
        entry.setCustomer(c.customer);
        entry.setCostKind(kCostFixedAmount);
        const LineCheckResult result = entry.accept(prompter);
        EXPECT_FALSE(result.accepted) << c.what;
        EXPECT_EQ(result.message, c.message) << c.what;
        EXPECT_EQ(result.focus, c.focus) << c.what;
    }
}

TEST_F(TimeLineEntryTest, PauseLineMayEqualItsDuration) {
    TimeLineEntry entry = open();
    typeLine(entry, "Pause", "12:00", "", "0:30", "VD");
    entry.setCostKind(kCostFixedAmount);
    EXPECT_TRUE(entry.accept(prompter).accepted);
    EXPECT_EQ(entry.pause(), 30);
    EXPECT_TRUE(prompter.log().empty());
}

TEST_F(TimeLineEntryTest, ClosedMonthRefusesOkAndDisablesEverything) {
    TimeLineEntry entry = open({.monthClosed = true});
    EXPECT_FALSE(entry.enabled(LineField::Kind));
    EXPECT_FALSE(entry.enabled(LineField::Remark));
    EXPECT_FALSE(entry.completeButtonEnabled());
    EXPECT_FALSE(entry.okEnabled());
    const LineCheckResult result = entry.accept(prompter);
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.message, kMonthLockedMessage);
}

TEST_F(TimeLineEntryTest, OkCommitsTheFocusedFieldFirst) {
    TimeLineEntry entry = open();
    typeLine(entry, "Büro", "8:00", "", "", "V");
    entry.typeTime(TimeField::To, "1215");
    entry.setCostKind(kCostFixedAmount);
    ASSERT_TRUE(entry.accept(prompter, LineField::To).accepted);
    EXPECT_EQ(entry.timeText(TimeField::To), "12:15");
    EXPECT_EQ(entry.timeText(TimeField::Duration), "04:15");
}

TEST_F(TimeLineEntryTest, UnknownCustomerIsAskedForWhenTheOptionIsOn) {
    const struct {
        Answer answer;
        bool accepted;
        size_t openedSoFar;
    } cases[] = {{Answer::No, true, 0}, {Answer::Yes, false, 1}, {Answer::Cancel, false, 1}};
    for (const auto& c : cases) {
        TimeLineEntry entry = open({.checkCustomersOnEntry = true});
        typeLine(entry, "Kunde", "8:00", "12:00", "", "VB");
        entry.setCustomer("Unbekannt");
        entry.setCostKind(kCostFixedAmount);
        prompter.answer(c.answer);
        const LineCheckResult result = entry.accept(prompter);
        EXPECT_EQ(result.accepted, c.accepted);
        EXPECT_EQ(prompter.log().back().text, kCustomerUnknownQuestion);
        EXPECT_EQ(masterData.opened.size(), c.openedSoFar);
        if (!c.accepted) {
            EXPECT_EQ(result.focus, LineField::Customer);
            EXPECT_EQ(result.message, "");
        }
    }
    EXPECT_EQ(masterData.opened, std::vector<std::string>{"Kunde Unbekannt"});
}

TEST_F(TimeLineEntryTest, KnownCustomersByNameOrNumberAndTheOptionOffAskNothing) {
    for (const char* customer : {"Beispiel GmbH", "12", "12 - Beispiel GmbH"}) {
        TimeLineEntry entry = open({.checkCustomersOnEntry = true});
        typeLine(entry, "Kunde", "8:00", "12:00", "", "VB");
        entry.setCustomer(customer);
        entry.setCostKind(kCostFixedAmount);
        EXPECT_TRUE(entry.accept(prompter).accepted) << customer;
    }
    TimeLineEntry unchecked = open();
    typeLine(unchecked, "Kunde", "8:00", "12:00", "", "VB");
    unchecked.setCustomer("Unbekannt");
    unchecked.setCostKind(kCostFixedAmount);
    EXPECT_TRUE(unchecked.accept(prompter).accepted);
    EXPECT_TRUE(prompter.log().empty());
}

TEST_F(TimeLineEntryTest, UnknownServiceKeepsTheDialogOpenWhateverTheAnswer) {
    for (Answer answer : {Answer::Yes, Answer::No, Answer::Cancel}) {
        TimeLineEntry entry = open();
        typeLine(entry, "Büro", "8:00", "12:00", "", "VB");
        entry.setService("Reparatur");
        entry.setCostKind(kCostPerHour);
        prompter.answer(answer);
        const LineCheckResult result = entry.accept(prompter);
        EXPECT_FALSE(result.accepted);
        EXPECT_EQ(result.focus, LineField::Service);
        EXPECT_EQ(prompter.log().back().text, kServiceUnknownQuestion);
    }
    EXPECT_EQ(masterData.opened, std::vector<std::string>{"Dienstleistung Reparatur 1"});
}

TEST_F(TimeLineEntryTest, WageCostsThatCannotBeShownAreAskedFor) {
    doc.settings().wagesAsCostsInCustomerQuery = 0;
    for (Answer answer : {Answer::No, Answer::Yes}) {
        TimeLineEntry entry = open();
        typeLine(entry, "Kunde", "8:00", "12:00", "", "VB");
        entry.setCustomer("Beispiel GmbH");
        entry.setCostKind(kCostFromHourlyWage);
        prompter.answer(answer);
        const LineCheckResult result = entry.accept(prompter);
        EXPECT_EQ(result.accepted, answer == Answer::Yes);
        EXPECT_EQ(prompter.log().back().text, kWageCostsUnavailableQuestion);
        if (!result.accepted) {
            EXPECT_EQ(result.focus, LineField::CostKind);
        }
    }
    TimeLineEntry noCustomer = open();
    typeLine(noCustomer, "Büro", "8:00", "12:00", "", "VB");
    noCustomer.setCostKind(kCostFromHourlyWage);
    EXPECT_TRUE(noCustomer.accept(prompter).accepted);
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(TimeLineEntryTest, ApplyWritesTheValuesOnlyWhenCalled) {
    TimeLineEntry entry = open();
    typeLine(entry, "k", "8:00", "", "4:30", "VD", 30);
    entry.setCustomer("Beispiel GmbH");
    entry.setCostKind(kCostPerHour);
    entry.setCostAmount(50.0);
    entry.setRemark("Heizung");
    entry.setCalculationField(1, 2.5);
    ASSERT_TRUE(entry.accept(prompter).accepted);
    EXPECT_TRUE(line->kind.empty());

    entry.apply(*line);
    EXPECT_EQ(line->kind, "Kunde");
    EXPECT_EQ(line->customer, "Beispiel GmbH");
    EXPECT_EQ(line->from, "08:00");
    EXPECT_EQ(line->to, "12:30");
    EXPECT_EQ(line->duration, 270);
    EXPECT_EQ(line->durationText, "04:30");
    EXPECT_EQ(line->pause, 30);
    EXPECT_EQ(line->fromFixed, 1);
    EXPECT_EQ(line->toFixed, 0);
    EXPECT_EQ(line->durationFixed, 1);
    EXPECT_EQ(line->costKind, kCostPerHour);
    EXPECT_EQ(line->costAmount, 50.0);
    EXPECT_EQ(line->remark, "Heizung");
    EXPECT_EQ(line->calculationFields[1], 2.5);
}

TEST_F(TimeLineEntryTest, CalculationFieldNamesComeFromTheSettings) {
    doc.settings().calculationFieldNames = {"Material", "", "Km"};
    const TimeLineEntry entry = open();
    EXPECT_EQ(entry.calculationFieldName(0), "Material");
    EXPECT_EQ(entry.calculationFieldName(1), "Rechenfeld 2");
    EXPECT_EQ(entry.calculationFieldName(2), "Km");
}

} // namespace
} // namespace lorvan
