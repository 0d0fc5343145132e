#include "entry/day_entry.h"

#include "evaluation/day_evaluation.h"
#include "evaluation/evaluation_context.h"
#include "foundation/error.h"
#include "foundation/time_text.h"
#include "support/scripted_prompter.h"
#include "support/year_file_builder.h"
#include "yearfile/settings.h"

#include <gtest/gtest.h>

#include <memory>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::YearFileBuilder;
using Rows = std::vector<std::vector<std::string>>;

// Year 2026 without break checks (each test that needs them turns them on).
YearFileBuilder year2026() {
    return std::move(YearFileBuilder("Jörg Weiß", 2026).settings([](CEinstArbzt& s) { s.checkBreakTimes = 0; }));
}

CZeitZeile timeLine(const std::string& kind, const std::string& from, const std::string& to, int32_t duration,
                    int32_t pause = 0) {
    CZeitZeile line;
    line.kind = kind;
    line.from = from;
    line.to = to;
    line.duration = duration;
    line.pause = pause;
    return line;
}

// An editor that writes the given values into the line and answers OK.
TimeLineEditor typing(const CZeitZeile& values, bool* sawFirst = nullptr) {
    return [values, sawFirst](CZeitZeile& line, bool isFirstNewLine) {
        if (sawFirst != nullptr) *sawFirst = isFirstNewLine;
        line.kind = values.kind;
        line.from = values.from;
        line.to = values.to;
        line.duration = values.duration;
        line.pause = values.pause;
        line.customer = values.customer;
        return true;
    };
}

struct DayEntryTest : ::testing::Test {
    CLorvanDoc doc;
    ScriptedPrompter prompter;
    int saves = 0;
    bool saveSucceeds = true;
    MonthClosedRule closed = noMonthClosed();

    DayEntryServices services() {
        DayEntryServices s;
        s.prompter = &prompter;
        s.monthClosed = [this](int32_t m, int32_t y) { return closed(m, y); };
        s.save = [this](CLorvanDoc&) {
            ++saves;
            return saveSucceeds;
        };
        return s;
    }
    CTagDoc& dayOf(int32_t month, int32_t day) { return *doc.month(month)->day(day); }
    std::vector<std::string> fromTo(const DayEntry& entry) {
        std::vector<std::string> texts;
        for (const CZeitZeile& line : entry.lines())
            texts.push_back(line.from + "-" + line.to);
        return texts;
    }
};

TEST_F(DayEntryTest, ShowsTitleNameAndEveryCellOfTheList) {
    doc = year2026()
              .settings([](CEinstArbzt& s) {
                  s.calculationFieldNames = {"", "Km", ""};
                  s.standbyRatingPercent = 50;
              })
              .day(3, 7)
              .line(kKindCustomer, "8:00", "12:30", 30)
              .withLine([](CZeitZeile& l) {
                  l.customer = "17";
                  l.service = "Montage";
                  l.remark = "Halle 2";
                  l.calculationFields = {3, 12.5, 4};
              })
              .line(kKindStandby, "18:00", "22:00")
              .build();
    DayEntryServices s = services();
    s.customerText = [](const std::string& c) { return c == "17" ? std::string("Muster GmbH") : c; };
    DayEntry entry(dayOf(3, 7), DayEntryMode::DayWindow, s);

    EXPECT_EQ(entry.employeeName(), "Jörg Weiß");
    EXPECT_EQ(entry.title(), "07.03.2026 (Samstag)");
    std::vector<std::string> titles;
    for (const DayEntryColumn& column : entry.columns())
        titles.push_back(column.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Von", "Bis", "Arbeitszeit", "Pause", "Art", "Kunde",
                                                "Dienstleistung", "Anmerkung", "Km"}));
    EXPECT_TRUE(entry.columns().back().rightAligned);
    // The standby line counts half of its four hours.
    EXPECT_EQ(entry.rows(),
              (Rows{{"8:00", "12:30", "04:00", "30", "Kunde", "Muster GmbH", "Montage", "Halle 2", "12,5"},
                    {"18:00", "22:00", "02:00", "", "Bereitschaft", "", "", "", ""}}));
    EXPECT_FALSE(entry.isChanged());
}

TEST_F(DayEntryTest, QuickEntryOffersLessAndShowsTheDateText) {
    doc = year2026().day(3, 9).build();
    DayEntry window(dayOf(3, 9), DayEntryMode::DayWindow, services());
    DayEntry quick(dayOf(3, 9), DayEntryMode::QuickEntry, services());
    EXPECT_TRUE(window.offersFillUntil() && window.offersNotEmployed() && window.offersCheckedAndClosed());
    EXPECT_FALSE(quick.offersFillUntil() || quick.offersNotEmployed() || quick.offersCheckedAndClosed());
    quick.setDateText("09.03.2026");
    EXPECT_EQ(quick.title(), "09.03.2026 (Montag) - 09.03.2026");
    window.setDateText("09.03.2026"); // the day window has no date text
    EXPECT_EQ(window.title(), "09.03.2026 (Montag)");
}

TEST_F(DayEntryTest, AddTimeStartsAtTheLastEndAndKeepsTheListOrdered) {
    doc = year2026().day(3, 9).build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());

    bool first = false;
    std::string offeredFrom = "?";
    const TimeLineEditor look = [&](CZeitZeile& line, bool isFirst) {
        offeredFrom = line.from;
        first = isFirst;
        return typing(timeLine(kKindWorkingTime, "13:00", "17:00", 240))(line, isFirst);
    };
    int selected = -1;
    ASSERT_EQ(entry.addTime(look, &selected), EntryResult::Done);
    EXPECT_TRUE(first);
    EXPECT_EQ(offeredFrom, "");
    EXPECT_TRUE(entry.isChanged());

    ASSERT_EQ(entry.addTime(look), EntryResult::Done);
    EXPECT_FALSE(first);
    EXPECT_EQ(offeredFrom, "17:00");

    // An earlier line moves to its place by from-time.
    ASSERT_EQ(entry.addTime(typing(timeLine(kKindWorkingTime, "8:00", "12:00", 240)), &selected), EntryResult::Done);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(fromTo(entry), (std::vector<std::string>{"8:00-12:00", "13:00-17:00", "13:00-17:00"}));

    // A line whose from is emptied stays behind the line before it.
    ASSERT_EQ(entry.editTime(2, typing(timeLine(kKindWorkingTime, "", "18:00", 0)), &selected), EntryResult::Done);
    EXPECT_EQ(selected, 2);
    ASSERT_EQ(entry.editTime(1, typing(timeLine(kKindWorkingTime, "19:00", "20:00", 60)), &selected),
              EntryResult::Done);
    // ... and moves with it.
    EXPECT_EQ(fromTo(entry), (std::vector<std::string>{"8:00-12:00", "19:00-20:00", "-18:00"}));
    EXPECT_EQ(selected, 1);

    // Cancel discards the new line and the changes of an edited one.
    const TimeLineEditor cancel = [](CZeitZeile& line, bool) {
        line.from = "1:00";
        return false;
    };
    EXPECT_EQ(entry.addTime(cancel), EntryResult::Cancelled);
    EXPECT_EQ(entry.editTime(0, cancel), EntryResult::Cancelled);
    EXPECT_EQ(fromTo(entry), (std::vector<std::string>{"8:00-12:00", "19:00-20:00", "-18:00"}));
    EXPECT_EQ(entry.editTime(-1, cancel), EntryResult::NoSelection);
    EXPECT_EQ(dayOf(3, 9).lineCount(), 0u); // nothing reaches the document before saving
}

TEST_F(DayEntryTest, DeleteTimeAsksWithTheEntryDescription) {
    doc = year2026()
              .day(3, 9)
              .work("8:00", "12:00")
              .line(kKindCustomer, "13:00", "17:00")
              .withLine([](CZeitZeile& l) { l.customer = "Muster GmbH"; })
              .build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());
    EXPECT_EQ(entry.deleteTime(-1), EntryResult::NoSelection);
    EXPECT_TRUE(prompter.log().empty());

    prompter.answerNo();
    EXPECT_EQ(entry.deleteTime(1), EntryResult::Cancelled);
    EXPECT_FALSE(entry.isChanged());
    prompter.answerYes();
    EXPECT_EQ(entry.deleteTime(1), EntryResult::Done);
    EXPECT_EQ(prompter.texts().back(), "Soll die Zeit 13:00 - 17:00 (Muster GmbH) gelöscht werden?");
    EXPECT_EQ(fromTo(entry), (std::vector<std::string>{"8:00-12:00"}));
    EXPECT_TRUE(entry.isChanged());
}

struct ComputeCase {
    const char* name;
    std::vector<CZeitZeile> lines;
    std::vector<std::array<int32_t, 3>> fixed; // from, to, duration per line
    std::vector<std::string> fromTo;
    std::vector<int32_t> durations;
    std::vector<int32_t> pauses;
};

TEST_F(DayEntryTest, ComputeTimesCompletesFromTheNeighboursOnCopiesOfTheFixedFlags) {
    const std::vector<ComputeCase> cases = {
        {"fixed start and duration carry on into the next line",
         {timeLine(kKindWorkingTime, "8:00", "", 240), timeLine(kKindWorkingTime, "", "", 270)},
         {{1, 0, 1}, {0, 0, 1}},
         {"8:00-12:00", "12:00-16:30"},
         {240, 270},
         {0, 0}},
        {"a first line without start begins at 7:00",
         {timeLine(kKindWorkingTime, "", "12:00", 0)},
         {{0, 0, 0}},
         {"7:00-12:00"},
         {300},
         {0}},
        {"a break fills the gap up to a fixed start and takes its length as pause",
         {timeLine(kKindWorkingTime, "8:00", "12:00", 240), timeLine(kKindBreak, "", "", 0),
          timeLine(kKindWorkingTime, "12:30", "17:00", 270)},
         {{0, 0, 0}, {0, 0, 0}, {1, 1, 0}},
         {"8:00-12:00", "12:00-12:30", "12:30-17:00"},
         {240, 30, 270},
         {0, 30, 0}},
        {"a fixed end and duration give the start",
         {timeLine(kKindWorkingTime, "", "17:00", 480)},
         {{0, 1, 1}},
         {"09:00-17:00"},
         {480},
         {0}},
    };
    for (const ComputeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CLorvanDoc fresh = year2026().day(3, 9).build();
        doc = std::move(fresh);
        CTagDoc& day = dayOf(3, 9);
        for (size_t i = 0; i < c.lines.size(); ++i) {
            CZeitZeile& line = day.addLine(c.lines[i]);
            line.fromFixed = c.fixed[i][0];
            line.toFixed = c.fixed[i][1];
            line.durationFixed = c.fixed[i][2];
        }
        DayEntry entry(day, DayEntryMode::DayWindow, services());
        ASSERT_EQ(entry.computeTimes(), EntryResult::Done);
        std::vector<int32_t> durations, pauses;
        for (size_t i = 0; i < entry.lines().size(); ++i) {
            const CZeitZeile& line = entry.lines()[i];
            durations.push_back(line.duration);
            pauses.push_back(line.pause);
            EXPECT_EQ(line.durationText, formatMinutes(line.duration, 2, false));
            EXPECT_EQ((std::array<int32_t, 3>{line.fromFixed, line.toFixed, line.durationFixed}), c.fixed[i])
                << "the stored flags stay";
        }
        EXPECT_EQ(fromTo(entry), c.fromTo);
        EXPECT_EQ(durations, c.durations);
        EXPECT_EQ(pauses, c.pauses);
        EXPECT_TRUE(entry.isChanged());
    }
}

TEST_F(DayEntryTest, ComputeTimesAndInsertTripsStopAtAnInvalidStoredTime) {
    doc = year2026().day(3, 9).work("8:00", "12:00").work("13:00", "17:00").build();
    dayOf(3, 9).line(1).to = "25:99";
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());
    EXPECT_EQ(entry.computeTimes(), EntryResult::Refused);
    EXPECT_EQ(entry.insertTrips(), EntryResult::Refused);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>(2, "Der Bis-Wert '25:99' ist ungültig.")));
    EXPECT_FALSE(entry.isChanged());
}

TEST_F(DayEntryTest, InsertTripsFillsEveryGapWithATravelLine) {
    doc = year2026().day(3, 9).work("8:00", "12:00").work("13:00", "15:00").work("15:00", "17:00").build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());
    ASSERT_EQ(entry.insertTrips(), EntryResult::Done);
    EXPECT_EQ(fromTo(entry), (std::vector<std::string>{"8:00-12:00", "12:00-", "13:00-15:00", "15:00-17:00"}));
    EXPECT_EQ(entry.lines()[1].kind, kKindTravel);
    EXPECT_EQ(entry.lines()[1].costKind, kCostFixedAmount); // the year file's default for new lines
    EXPECT_TRUE(entry.isChanged());
}

TEST_F(DayEntryTest, ClosedMonthLocksEveryChangingCommand) {
    // Month closing 07.2026: July is locked, August is not.
    closed = [](int32_t m, int32_t y) { return y < 2026 || (y == 2026 && m <= 7); };
    doc = year2026().day(7, 31).work("8:00", "12:00").day(8, 3).work("8:00", "12:00").build();
    DayEntry july(dayOf(7, 31), DayEntryMode::DayWindow, services());
    EXPECT_TRUE(july.isLocked());
    const TimeLineEditor never = [](CZeitZeile&, bool) -> bool { throw std::logic_error("no dialog"); };
    july.setComplete(false);
    EXPECT_EQ(july.addTime(never), EntryResult::Locked);
    EXPECT_EQ(july.editTime(0, never), EntryResult::Locked);
    EXPECT_EQ(july.deleteTime(0), EntryResult::Locked);
    EXPECT_EQ(july.computeTimes(), EntryResult::Locked);
    EXPECT_EQ(july.insertTrips(), EntryResult::Locked);
    EXPECT_EQ(july.save(), EntryResult::Locked);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>(6, kMonthLockedMessage)));
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(dayOf(7, 31).complete, 1);
    EXPECT_FALSE(doc.isModified());

    DayEntry august(dayOf(8, 3), DayEntryMode::DayWindow, services());
    EXPECT_FALSE(august.isLocked());
    august.setComplete(false);
    EXPECT_EQ(august.save(), EntryResult::Done);
}

TEST_F(DayEntryTest, SaveTakesOverTheFieldsInvalidatesTheMonthsAndWritesTheFile) {
    doc = year2026().day(3, 9).work("8:00", "12:00").month(3).month(4).build();
    doc.month(3)->resultsValid = 1;
    doc.month(4)->resultsValid = 1;
    CTagDoc& day = dayOf(3, 9);
    DayEntry entry(day, DayEntryMode::DayWindow, services());
    entry.setDayKind(kHalfVacationDay);
    entry.setReportRemark("Arzt");
    entry.setInternalRemark("intern");
    entry.setFurtherEmployees("Anna Berg");
    entry.setCheckedAndClosed(true);
    const TimeLineEditor clearing = [](CZeitZeile& line, bool) {
        line.from.clear();
        return true;
    };
    ASSERT_EQ(entry.addTime(clearing), EntryResult::Done); // an empty line
    ASSERT_EQ(entry.save(), EntryResult::Done);

    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(entry.isChanged());
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.month(3)->resultsValid, 0);
    EXPECT_EQ(doc.month(4)->resultsValid, 0);
    EXPECT_EQ(day.dayKind, kHalfVacationDay);
    EXPECT_EQ(day.reportRemark, "Arzt");
    EXPECT_EQ(day.internalRemark, "intern");
    EXPECT_EQ(day.furtherEmployees, "Anna Berg");
    EXPECT_EQ(day.checkedAndClosed, 1);
    EXPECT_EQ(day.lineCount(), 1u) << "the empty line is dropped";
    EXPECT_EQ(entry.lines().size(), 1u);
}

TEST_F(DayEntryTest, QuickEntryDoesNotTakeOverCheckedAndClosed) {
    doc = year2026().day(3, 9).withDay([](CTagDoc& d) { d.checkedAndClosed = 1; }).build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::QuickEntry, services());
    entry.setCheckedAndClosed(false);
    entry.setReportRemark("Schulung");
    ASSERT_EQ(entry.save(), EntryResult::Done);
    EXPECT_EQ(dayOf(3, 9).checkedAndClosed, 1);
    EXPECT_EQ(dayOf(3, 9).reportRemark, "Schulung");
}

TEST_F(DayEntryTest, CompleteDayMustPassTheChecksIncompleteDayIsStoredAsItIs) {
    doc = year2026().day(3, 9).work("8:00", "12:00").line("", "12:00", "13:00").build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());
    entry.setReportRemark("neu");
    EXPECT_EQ(entry.save(), EntryResult::Refused);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Die Art des Eintrags '12:00 - 13:00' wurde nicht ausgewählt."}));
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(dayOf(3, 9).reportRemark, "");
    EXPECT_TRUE(entry.isChanged());
    EXPECT_FALSE(doc.isModified());

    entry.setComplete(false);
    ASSERT_EQ(entry.save(), EntryResult::Done);
    EXPECT_EQ(dayOf(3, 9).lineCount(), 2u);
    EXPECT_EQ(statusText(dayOf(3, 9)), "Unvollständig");
}

TEST_F(DayEntryTest, QuestionsOfTheDayCheckCanStopTheSave) {
    doc = year2026()
              .settings([](CEinstArbzt& s) { s.checkBreakTimes = 1; })
              .day(3, 9)
              .work("8:00", "12:00")
              .work("11:00", "17:00")
              .build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());
    entry.setReportRemark("x");
    prompter.answerNo();
    EXPECT_EQ(entry.save(), EntryResult::Cancelled);
    EXPECT_EQ(prompter.texts().back(), "Die Arbeitszeiten überschneiden sich!\nArbeitszeit:\n8:00 - 12:00\n11:00 - "
                                       "17:00\n\nSind die Zeiten in Ordnung?");
    EXPECT_EQ(saves, 0);

    // Yes to the overlap, then the break question: Yes means "correct the entries".
    prompter.answerYes();
    prompter.answerYes();
    EXPECT_EQ(entry.save(), EntryResult::Cancelled);
    EXPECT_EQ(saves, 0);
    prompter.answerYes();
    prompter.answerNo();
    EXPECT_EQ(entry.save(), EntryResult::Done);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(DayEntryTest, FailedWriteKeepsEverythingAndTheChangeFlag) {
    doc = year2026().day(3, 9).build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());
    ASSERT_EQ(entry.addTime(typing(timeLine(kKindWorkingTime, "8:00", "12:00", 240))), EntryResult::Done);

    saveSucceeds = false;
    EXPECT_EQ(entry.save(), EntryResult::SaveFailed);
    EXPECT_TRUE(entry.isChanged());
    EXPECT_EQ(fromTo(entry), (std::vector<std::string>{"8:00-12:00"}));
    EXPECT_TRUE(doc.isModified()) << "the document still holds the day for a later save";
    EXPECT_TRUE(entry.notes().empty());

    DayEntryServices throwing = services();
    throwing.save = [](CLorvanDoc&) -> bool { throw LorvanError("Der Zugriff wurde verweigert."); };
    DayEntry second(dayOf(3, 9), DayEntryMode::DayWindow, throwing);
    second.setReportRemark("x");
    EXPECT_EQ(second.save(), EntryResult::SaveFailed);
    EXPECT_EQ(prompter.texts().back(), "Der Zugriff wurde verweigert.");
    EXPECT_TRUE(second.isChanged());

    // The close question: Yes with a failing save keeps the window, No closes, Cancel keeps it.
    prompter.answerYes();
    EXPECT_EQ(entry.askToClose(), DayCloseDecision::StayOpen);
    EXPECT_EQ(prompter.log().back().text,
              "Es wurden Änderungen für den 09.03.2026 (Montag) gemacht.\nSollen die Änderungen gespeichert werden?");
    prompter.answerCancel();
    EXPECT_EQ(entry.askToClose(), DayCloseDecision::StayOpen);
    prompter.answerNo();
    EXPECT_EQ(entry.askToClose(), DayCloseDecision::Close);
    saveSucceeds = true;
    prompter.answerYes();
    EXPECT_EQ(entry.askToClose(), DayCloseDecision::Close);
    EXPECT_FALSE(entry.isChanged());
    EXPECT_EQ(entry.askToClose(), DayCloseDecision::Close); // no question without changes
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(DayEntryTest, FillUntilCopiesTheDayInfoUpToTheMonthsEnd) {
    doc = year2026().day(4, 27).day(4, 29).work("8:00", "12:00").withDay([](CTagDoc& d) { d.reportRemark = "alt"; }).build();
    DayEntry entry(dayOf(4, 27), DayEntryMode::DayWindow, services());
    entry.setDayKind(kVacation);
    entry.setReportRemark("Urlaub");
    entry.setFillUntil(31); // 31 April does not exist
    ASSERT_EQ(entry.save(), EntryResult::Done);
    const CMonatDoc& april = *doc.month(4);
    EXPECT_EQ(april.days().size(), 4u);
    for (int32_t d = 28; d <= 30; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(april.day(d)->dayKind, kVacation);
        EXPECT_EQ(april.day(d)->reportRemark, "Urlaub");
    }
    EXPECT_EQ(april.day(29)->lineCount(), 1u) << "an existing day keeps its lines";
    EXPECT_EQ(entry.fillUntil(), 0);
}

TEST_F(DayEntryTest, HolidayKeepsItsFlagWhenItsOnlyLineIsDeleted) {
    doc = year2026().day(4, 6).holiday().work("8:00", "12:00").build();
    DayEntry entry(dayOf(4, 6), DayEntryMode::DayWindow, services());
    prompter.answerYes();
    ASSERT_EQ(entry.deleteTime(0), EntryResult::Done);
    ASSERT_EQ(entry.save(), EntryResult::Done);
    ASSERT_NE(doc.month(4)->day(6), nullptr);
    EXPECT_EQ(dayOf(4, 6).publicHoliday, 1);
    EXPECT_EQ(dayOf(4, 6).lineCount(), 0u);
    EXPECT_EQ(statusText(dayOf(4, 6)), "Feiertag");
}

TEST_F(DayEntryTest, TransferNeedsACompleteDay) {
    doc = year2026().day(3, 9).withDay([](CTagDoc& d) { d.complete = 0; }).build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());
    EXPECT_EQ(entry.saveForTransfer(), EntryResult::Refused);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Erfassen Sie die Angaben bitte erst vollständig. Und "
                                                          "markieren Sie dann wieder das Feld 'Angaben "
                                                          "vollständig'."}));
    entry.setComplete(true);
    EXPECT_EQ(entry.saveForTransfer(), EntryResult::Done);
    EXPECT_EQ(saves, 1);
}

// The previous year's file handed over in memory.
struct PreviousYearInMemory : PreviousYearSource {
    CLorvanDoc previous;
    std::unique_ptr<CLorvanDoc> previousYear(const CLorvanDoc&) const override {
        return std::make_unique<CLorvanDoc>(previous);
    }
};

struct NotesCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> previousDay; // work lines of the day before
    std::vector<std::pair<std::string, std::string>> day;
    std::vector<std::string> notes;
};

TEST(WorkingTimeNotes, LongDaysAndShortRestsAreNoted) {
    const std::string longDay = "Die Arbeitszeit dieses Tages übersteigt 10 Stunden.";
    const std::string shortRest = "Die Ruhezeit vor diesem Tag beträgt weniger als 11 Stunden.";
    const std::vector<NotesCase> cases = {
        {"exactly ten hours", {}, {{"8:00", "18:00"}}, {}},
        {"more than ten hours", {}, {{"7:00", "12:00"}, {"12:00", "18:01"}}, {longDay}},
        {"ten hours of rest", {{"14:00", "22:00"}}, {{"8:00", "12:00"}}, {shortRest}},
        {"eleven hours of rest", {{"14:00", "22:00"}}, {{"9:00", "12:00"}}, {}},
        {"work past midnight", {{"20:00", "25:00"}}, {{"11:00", "12:00"}}, {shortRest}},
        {"both", {{"14:00", "23:00"}}, {{"6:00", "17:00"}}, {longDay, shortRest}},
    };
    for (const NotesCase& c : cases) {
        SCOPED_TRACE(c.name);
        // 1 March after 28 February: across the month boundary.
        YearFileBuilder builder("Jörg Weiß", 2026);
        builder.day(2, 28);
        for (const auto& [from, to] : c.previousDay)
            builder.work(from, to);
        builder.day(3, 1);
        for (const auto& [from, to] : c.day)
            builder.work(from, to);
        const CLorvanDoc doc = builder.build();
        EXPECT_EQ(workingTimeNotes(*doc.month(3)->day(1), nullptr), c.notes);
    }
}

TEST(WorkingTimeNotes, StandbyIsNoWorkAndTheYearBoundaryReadsThePreviousFile) {
    const std::string shortRest = "Die Ruhezeit vor diesem Tag beträgt weniger als 11 Stunden.";
    const CLorvanDoc doc = YearFileBuilder("Jörg Weiß", 2026)
                               .day(1, 1)
                               .work("7:00", "12:00")
                               .day(1, 2)
                               .line(kKindStandby, "0:00", "6:00")
                               .work("6:00", "7:00")
                               .build();
    PreviousYearInMemory source;
    source.previous = YearFileBuilder("Jörg Weiß", 2025).day(12, 31).work("18:00", "22:00").build();
    EXPECT_EQ(workingTimeNotes(*doc.month(1)->day(1), &source), (std::vector<std::string>{shortRest}));
    EXPECT_TRUE(workingTimeNotes(*doc.month(1)->day(1), nullptr).empty());
    // 2 January: the standby night is no work; the work block of 6:00 follows 12:00 by 18 hours.
    EXPECT_TRUE(workingTimeNotes(*doc.month(1)->day(2), &source).empty());
}

TEST_F(DayEntryTest, NotesFollowASuccessfulSave) {
    doc = year2026().day(3, 8).work("14:00", "23:00").day(3, 9).build();
    DayEntry entry(dayOf(3, 9), DayEntryMode::DayWindow, services());
    ASSERT_EQ(entry.addTime(typing(timeLine(kKindWorkingTime, "6:00", "17:00", 660))), EntryResult::Done);
    ASSERT_EQ(entry.save(), EntryResult::Done);
    EXPECT_EQ(entry.notes(), (std::vector<std::string>{"Die Arbeitszeit dieses Tages übersteigt 10 Stunden.",
                                                       "Die Ruhezeit vor diesem Tag beträgt weniger als 11 "
                                                       "Stunden."}));
    EXPECT_TRUE(prompter.log().empty()) << "notes are no questions";
}

} // namespace
} // namespace lorvan
