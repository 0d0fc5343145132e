#include "evaluation/day_checks.h"

#include "foundation/time_text.h"
#include "support/scripted_prompter.h"
#include "yearfile/settings.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

CZeitZeile timeLine(const std::string& from, const std::string& to, int32_t pause = 0,
                    const std::string& kind = kKindWorkingTime) {
    CZeitZeile line;
    line.kind = kind;
    line.from = from;
    line.to = to;
    line.duration = parseClock(spanText(from, to));
    line.pause = pause;
    line.updateDurationText();
    return line;
}

TEST(StoredLineChecks, FirstFailingMessage) {
    struct Case {
        const char* name;
        std::function<void(CZeitZeile&)> change;
        std::optional<std::string> message;
    };
    const Case cases[] = {
        {"valid", [](CZeitZeile&) {}, std::nullopt},
        {"from", [](CZeitZeile& l) { l.from = "8:75"; }, "Der Von-Wert '8:75' ist ungültig."},
        {"to", [](CZeitZeile& l) { l.to = "48:00"; }, "Der Bis-Wert '48:00' ist ungültig."},
        {"duration text", [](CZeitZeile& l) { l.durationText = "x"; }, "Die Dauer 'x' ist ungültig."},
        {"kind", [](CZeitZeile& l) { l.kind.clear(); },
         "Die Art des Eintrags '08:00 - 12:00 (Meier)' wurde nicht ausgewählt."},
        {"customer", [](CZeitZeile& l) { l.customer.clear(); },
         "Der Kunde wurde bei Eintrag '08:00 - 12:00' nicht eingegeben."},
        {"to empty", [](CZeitZeile& l) { l.to.clear(); },
         "Der Eintrag '08:00 -  (Meier)' wurde nicht korrekt berechnet."},
        {"duration 0", [](CZeitZeile& l) { l.duration = 0; },
         "Der Eintrag '08:00 - 12:00 (Meier)' wurde nicht korrekt berechnet."},
        {"order compared as clock",
         [](CZeitZeile& l) {
             l.from = "9:30";
             l.to = "10:00";
             l.duration = 30;
         },
         std::nullopt},
        {"from after to",
         [](CZeitZeile& l) {
             l.from = "12:00";
             l.to = "08:00";
         },
         "Der Beginn des Eintrags '12:00 - 08:00 (Meier)' liegt vor dem Ende."},
        {"pause equal to duration", [](CZeitZeile& l) { l.pause = 240; },
         "Die Pause war länger als möglich bei Eintrag '08:00 - 12:00 (Meier)'."},
        {"a break may be all pause",
         [](CZeitZeile& l) {
             l.kind = kKindBreak;
             l.customer.clear();
             l.pause = 240;
         },
         std::nullopt},
        {"pause above duration",
         [](CZeitZeile& l) {
             l.kind = kKindBreak;
             l.pause = 241;
         },
         "Die Pause war länger als möglich bei Eintrag '08:00 - 12:00 (Meier)'."},
        {"duration", [](CZeitZeile& l) { l.duration = 200; },
         "Die Dauer passt nicht zum Von-Bis-Wert bei Eintrag '08:00 - 12:00 (Meier)'."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CZeitZeile line = timeLine("08:00", "12:00", 0, kKindCustomer);
        line.customer = "Meier";
        c.change(line);
        EXPECT_EQ(checkStoredTimesAndLine(line), c.message);
    }
}

// 10.03.2026 is a Tuesday: 45 minutes of break required by default.
class DayCheck : public ::testing::Test {
  protected:
    DayCheckResult check(const std::vector<CZeitZeile>& lines, bool holiday = false) {
        return checkDay(DayEntryState{lines, Datum{10, 3, 2026}, holiday, &settings}, prompter);
    }

    CEinstArbzt settings;
    test::ScriptedPrompter prompter;
};

const std::string kOverlap = "Die Arbeitszeiten überschneiden sich!\nArbeitszeit:\n";
const std::string kGap = "Die Arbeitszeit ist nicht durchgehend.\nArbeitszeit:\n";
const std::string kOk = "\nSind die Zeiten in Ordnung?";

TEST_F(DayCheck, OverlapsAndGaps) {
    settings.checkBreakTimes = 0;
    struct Case {
        const char* name;
        std::vector<CZeitZeile> lines;
        std::string question; // empty: none asked
        bool answerYes;
    };
    const Case cases[] = {
        {"continuous, in any order", {timeLine("12:00", "17:00"), timeLine("08:00", "12:00")}, "", true},
        {"empty day", {}, "", true},
        {"gap accepted",
         {timeLine("08:00", "12:00"), timeLine("13:00", "17:00")},
         kGap + "08:00 - 12:00\n13:00 - 17:00\n" + kOk,
         true},
        {"gap declined",
         {timeLine("08:00", "12:00"), timeLine("13:00", "17:00")},
         kGap + "08:00 - 12:00\n13:00 - 17:00\n" + kOk,
         false},
        {"gap, lines out of order",
         {timeLine("13:00", "17:00"), timeLine("08:00", "12:00")},
         kGap + "08:00 - 12:00\n13:00 - 17:00\n" + kOk,
         true},
        {"overlap",
         {timeLine("08:00", "12:30"), timeLine("12:00", "17:00")},
         kOverlap + "08:00 - 12:30\n12:00 - 17:00\n" + kOk,
         false},
        {"overlap compared as clock, not as text",
         {timeLine("08:00", "10:00"), timeLine("9:30", "11:00")},
         kOverlap + "08:00 - 10:00\n9:30 - 11:00\n" + kOk,
         true},
        {"overlap wins over gap",
         {timeLine("08:00", "10:00"), timeLine("11:00", "12:30"), timeLine("12:00", "13:00")},
         kOverlap + "08:00 - 10:00\n11:00 - 12:30\n12:00 - 13:00\n" + kOk,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter = test::ScriptedPrompter{};
        if (!c.question.empty()) prompter.answer(c.answerYes ? Answer::Yes : Answer::No);
        const DayCheckResult result = check(c.lines);
        EXPECT_EQ(result.accepted, c.answerYes);
        EXPECT_EQ(result.message, "");
        EXPECT_EQ(prompter.texts(),
                  c.question.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.question});
    }
}

TEST_F(DayCheck, BreakRule) {
    const std::string kEnforced =
        "Die Pausenzeit ist zu kurz angegeben worden (%s). Sie wird durch das Programm "
        "automatisch korrigiert.\nWollen Sie ihre Eingaben korrigieren?";
    const std::string kPlain = "Die Pausenzeit ist zu kurz angegeben worden (%s).\nWollen Sie ihre Eingaben "
                               "korrigieren?";
    struct Case {
        const char* name;
        std::vector<CZeitZeile> lines;
        bool holiday;
        bool checkBreaks;
        bool enforce;
        std::string question; // "%s" stands for given/required; empty: none asked
        bool answerYes;
    };
    const Case cases[] = {
        {"exactly 120 minutes", {timeLine("08:00", "10:00")}, false, true, true, "", false},
        {"121 minutes, correct", {timeLine("08:00", "10:01")}, false, true, true, "0/45", true},
        {"121 minutes, keep", {timeLine("08:00", "10:01")}, false, true, true, "0/45", false},
        {"plain form", {timeLine("08:00", "16:00", 30)}, false, true, false, "30/45", false},
        {"sums over all lines",
         {timeLine("08:00", "12:00", 20), timeLine("12:00", "16:00", 20)},
         false,
         true,
         true,
         "40/45",
         false},
        {"enough break",
         {timeLine("08:00", "12:00", 20), timeLine("12:00", "16:00", 25)},
         false,
         true,
         true,
         "",
         false},
        {"holiday", {timeLine("08:00", "16:00")}, true, true, true, "", false},
        {"checking off", {timeLine("08:00", "16:00")}, false, false, true, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter = test::ScriptedPrompter{};
        settings.checkBreakTimes = c.checkBreaks;
        settings.enforceCorrectBreakTimes = c.enforce;
        std::vector<std::string> expected;
        if (!c.question.empty()) {
            std::string text = c.enforce ? kEnforced : kPlain;
            text.replace(text.find("%s"), 2, c.question);
            expected.push_back(text);
            prompter.answer(c.answerYes ? Answer::Yes : Answer::No);
        }
        // Yes means the user goes back to correct the entries.
        EXPECT_EQ(check(c.lines, c.holiday).accepted, !c.answerYes);
        EXPECT_EQ(prompter.texts(), expected);
    }
}

TEST_F(DayCheck, FailingLineStopsBeforeAnyQuestion) {
    CZeitZeile customerMissing = timeLine("08:00", "12:00", 0, kKindCustomer);
    CZeitZeile kindMissing = timeLine("13:00", "17:00", 0, "");
    // The lines are checked in the order of their from-time.
    const DayCheckResult result = check({kindMissing, customerMissing});
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.message, "Der Kunde wurde bei Eintrag '08:00 - 12:00' nicht eingegeben.");
    EXPECT_TRUE(prompter.texts().empty());

    // Another line check can be plugged in.
    settings.checkBreakTimes = 0;
    const LineCheck remarkRequired = [](const CZeitZeile& line) -> std::optional<std::string> {
        if (line.remark.empty()) return "Anmerkung fehlt: " + line.from;
        return std::nullopt;
    };
    const DayCheckResult custom =
        checkDay(DayEntryState{{timeLine("08:00", "12:00")}, Datum{10, 3, 2026}, false, &settings}, prompter,
                 remarkRequired);
    EXPECT_EQ(custom.message, "Anmerkung fehlt: 08:00");
}

} // namespace
} // namespace lorvan
