#include "entry/quick_entry.h"

#include "foundation/file_system.h"
#include "platform/clock.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::YearFileBuilder;

CMitarbeiterDoc employee(int32_t number, const std::string& name, int32_t active = 1) {
    CMitarbeiterDoc record;
    record.number = number;
    record.name = name;
    record.active = active;
    return record;
}

std::vector<int32_t> numbersOf(const std::vector<QuickEntryEmployee>& rows) {
    std::vector<int32_t> numbers;
    for (const QuickEntryEmployee& row : rows)
        numbers.push_back(row.number);
    return numbers;
}

std::vector<std::string> filesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Three employees in a data directory; Anna and Bert have their year files of 2026.
struct QuickEntryTest : ::testing::Test {
    test::TempDir dir;
    std::string directory = dir.path().string() + "/";
    FixedClock clock{Datum{2, 3, 2026}};
    std::map<int32_t, CMitarbeiterDoc> employees{
        {7, employee(7, "Anna Berg")}, {3, employee(3, "Bert Roth")}, {9, employee(9, "Carl Ott", 0)}};
    ScriptedPrompter prompter;
    YearFileStore store{StorageContext{&prompter, directory, nullptr, nullptr}};
    QuickEntry entry{employees, clock};

    QuickEntryTest() {
        YearFileBuilder("Anna Berg", 2026).settings(bavaria).day(3, 2).saveAs(directory + "Anna_Berg2026.azr");
        YearFileBuilder("Bert Roth", 2026).settings(bavaria).saveAs(directory + "Bert_Roth2026.azr");
    }
    static void bavaria(CEinstArbzt& s) { s.federalState = "Bayern"; }

    CLorvanDoc load(const std::string& name) const {
        CLorvanDoc doc;
        doc.open(directory + name);
        return doc;
    }
    void range(Datum from, Datum to) {
        entry.from = from;
        entry.to = to;
    }
};

TEST_F(QuickEntryTest, ListsMoveEmployeesBetweenPossibleAndSelectedByNumber) {
    EXPECT_EQ(entry.from, (Datum{2, 3, 2026}));
    EXPECT_EQ(entry.to, (Datum{2, 3, 2026}));
    EXPECT_TRUE(entry.onlyActive());
    EXPECT_EQ(entry.possible(), (std::vector<QuickEntryEmployee>{{3, "Bert Roth", true}, {7, "Anna Berg", true}}));
    entry.setOnlyActive(false);
    EXPECT_EQ(numbersOf(entry.possible()), (std::vector<int32_t>{3, 7, 9}));
    entry.select({9, 3});
    EXPECT_EQ(numbersOf(entry.possible()), (std::vector<int32_t>{7}));
    EXPECT_EQ(numbersOf(entry.selected()), (std::vector<int32_t>{3, 9}));
    // Hiding the inactive keeps a selected inactive employee selected.
    entry.setOnlyActive(true);
    EXPECT_EQ(numbersOf(entry.selected()), (std::vector<int32_t>{3, 9}));
    entry.selectAll();
    EXPECT_EQ(numbersOf(entry.selected()), (std::vector<int32_t>{3, 7, 9}));
    EXPECT_TRUE(entry.possible().empty());
    entry.remove({7, 3});
    EXPECT_EQ(numbersOf(entry.selected()), (std::vector<int32_t>{9}));
    entry.removeAll();
    EXPECT_TRUE(entry.selected().empty());
    EXPECT_EQ(numbersOf(entry.possible()), (std::vector<int32_t>{3, 7}));
}

TEST_F(QuickEntryTest, ChecksOfTheDatesInOrder) {
    // March 2026 is closed in the cases that name it; all else is open.
    const MonthClosedRule march = [](int32_t m, int32_t y) { return y == 2026 && m == 3; };
    struct Case {
        const char* what;
        bool select;
        Datum from;
        Datum to;
        bool marchClosed;
        std::string message; // empty: accepted
        size_t dates = 0;
    };
    const std::vector<Case> cases = {
        {"nobody selected", false, {2, 3, 2026}, {2, 3, 2026}, false, kNoEmployeeSelectedMessage},
        {"from in a closed month", true, {31, 3, 2026}, {2, 4, 2026}, true, kMonthLockedMessage},
        {"the same closed day", true, {2, 3, 2026}, {2, 3, 2026}, true, kMonthLockedMessage},
        {"over the turn of the year", true, {31, 12, 2026}, {2, 1, 2027}, false, kRangeInOneYearMessage},
        {"to before from", true, {9, 3, 2026}, {2, 3, 2026}, false, kToBeforeFromMessage},
        {"Monday to the Tuesday after next", true, {2, 3, 2026}, {10, 3, 2026}, false, kRangeAtMostOneWeekMessage},
        {"to in a closed month", true, {27, 2, 2026}, {2, 3, 2026}, true, kMonthLockedMessage},
        {"Monday to Monday", true, {2, 3, 2026}, {9, 3, 2026}, false, "", 8},
        {"one day", true, {4, 3, 2026}, {4, 3, 2026}, false, "", 1},
    };
    for (const Case& c : cases) {
        QuickEntry model(employees, clock);
        if (c.select) model.select({7});
        model.from = c.from;
        model.to = c.to;
        ScriptedPrompter said;
        const bool ok = model.prepare(said, store, c.marchClosed ? march : noMonthClosed(), directory);
        EXPECT_EQ(ok, c.message.empty()) << c.what;
        if (c.message.empty()) {
            EXPECT_TRUE(said.log().empty()) << c.what;
            EXPECT_EQ(model.dates().size(), c.dates) << c.what;
        } else {
            EXPECT_EQ(said.texts(), std::vector<std::string>{c.message}) << c.what;
        }
    }
    EXPECT_TRUE(store.written().empty());
}

TEST_F(QuickEntryTest, NoToTheCreationQuestionStopsBeforeAnythingIsWritten) {
    const CLorvanDoc before = load("Anna_Berg2026.azr");
    entry.setOnlyActive(false);
    entry.select({7, 9});
    prompter.answerNo();
    int dialogs = 0;
    EXPECT_FALSE(entry.run(prompter, store, noMonthClosed(), directory, [&](CTagDoc&, const QuickEntryHeader&) {
        ++dialogs;
        return true;
    }));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Für Carl Ott - 2026 existiert die Arbeitszeitdatei noch "
                                                         "nicht.\nWollen Sie diese jetzt anlegen?"});
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"Anna_Berg2026.azr", "Bert_Roth2026.azr"}));
    EXPECT_EQ(load("Anna_Berg2026.azr").toBytes(), before.toBytes());
}

TEST_F(QuickEntryTest, NewYearFileTakesTheSettingsOfThePreviousYear) {
    YearFileBuilder("Carl Ott", 2025)
        .settings([](CEinstArbzt& s) {
            s.federalState = "Hessen";
            s.calculationFieldNames[0] = "Stück";
        })
        .saveAs(directory + "Carl_Ott2025.azr");
    entry.setOnlyActive(false);
    entry.select({9});
    prompter.answerYes();
    ASSERT_TRUE(entry.run(prompter, store, noMonthClosed(), directory, [](CTagDoc& day, const QuickEntryHeader&) {
        day.addLine().kind = kKindOffice;
        return true;
    }));
    EXPECT_EQ(store.written(), std::vector<std::string>{directory + "Carl_Ott2026.azr"});
    const CLorvanDoc created = load("Carl_Ott2026.azr");
    EXPECT_EQ(created.settings().name, "Carl Ott");
    EXPECT_EQ(created.settings().year, 2026);
    EXPECT_EQ(created.settings().federalState, "Hessen");
    EXPECT_EQ(created.settings().calculationFieldNames[0], "Stück");
    ASSERT_NE(created.month(3), nullptr);
    ASSERT_NE(created.month(3)->day(2), nullptr);
    EXPECT_EQ(created.month(3)->day(2)->lineCount(), 1u);
}

TEST_F(QuickEntryTest, FileOfAnotherYearStops) {
    CLorvanDoc wrong = YearFileBuilder("Bert Roth", 2025).build();
    wrong.save(directory + "Bert_Roth2026.azr");
    entry.select({3});
    EXPECT_FALSE(entry.prepare(prompter, store, noMonthClosed(), directory));
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Die Arbeitszeitdatei für Bert Roth wurde für ein anderes Jahr angelegt."});
}

TEST_F(QuickEntryTest, DifferentExistingDaysAskWhetherToOverwrite) {
    YearFileBuilder("Anna Berg", 2026)
        .settings(bavaria)
        .day(3, 2)
        .work("8:00", "12:00")
        .day(3, 3)
        .work("9:00", "12:00")
        .saveAs(directory + "Anna_Berg2026.azr");
    YearFileBuilder("Bert Roth", 2026).settings(bavaria).day(3, 2).work("7:00", "12:00").saveAs(
        directory + "Bert_Roth2026.azr");
    const std::string ask = kDifferentDataAskContinue;
    struct Case {
        std::vector<int32_t> selected;
        Datum to;
        std::string question;
    };
    const std::vector<Case> cases = {
        {{7}, {3, 3, 2026},
         "Für mehrere Tage existieren verschiedene Angaben.\nDie Angaben aller ausgewählten Tage werden mit den "
         "erfassten Daten überschrieben." + ask},
        {{3, 7}, {2, 3, 2026},
         "Für mehrere Mitarbeiter existiert dieser Tag mit verschiedenen Angaben.\nDie Angaben aller "
         "ausgewählten Mitarbeiter werden mit den erfassten Daten überschrieben." + ask},
        {{3, 7}, {3, 3, 2026},
         "Für mehrere Mitarbeiter/Tage existieren für diesen Zeitraum verschiedenen Angaben.\nDie Angaben aller "
         "ausgewählten Mitarbeiter und Tage werden mit den erfassten Daten überschrieben." + ask},
    };
    for (const Case& c : cases) {
        QuickEntry model(employees, clock);
        model.select(c.selected);
        model.to = c.to;
        ScriptedPrompter said;
        said.answerNo();
        YearFileStore files(StorageContext{&said, directory, nullptr, nullptr});
        EXPECT_FALSE(model.prepare(said, files, noMonthClosed(), directory));
        EXPECT_EQ(said.texts(), std::vector<std::string>{c.question});
        said.answerYes();
        EXPECT_TRUE(model.prepare(said, files, noMonthClosed(), directory));
        // The template is the first existing day: Bert's 2 March when he is selected, else Anna's.
        ASSERT_EQ(model.templateDay().lineCount(), 1u);
        EXPECT_EQ(model.templateDay().line(0).from, c.selected.front() == 3 ? "7:00" : "8:00");
        EXPECT_TRUE(files.written().empty());
    }
}

TEST(QuickEntryDays, DifferOnlyWhereTheOverwriteWouldLoseSomething) {
    CLorvanDoc doc = YearFileBuilder("Anna Berg", 2026).day(3, 2).day(3, 3).build();
    CTagDoc& mine = *doc.month(3)->day(2);
    CTagDoc& other = *doc.month(3)->day(3);
    struct Case {
        const char* what;
        std::function<void()> change;
        bool compareHoliday;
        bool differ;
    };
    const std::vector<Case> cases = {
        {"equal days", [] {}, true, false},
        {"remark only on the other day without lines", [&] { other.reportRemark = "Messe"; }, true, false},
        {"kind only on the other day without lines", [&] { other.dayKind = kVacation; }, true, false},
        {"remark of the template", [&] { mine.internalRemark = "x"; }, true, true},
        {"remark on the other day with lines",
         [&] {
             other.reportRemark = "Messe";
             other.addLine().from = "8:00";
             mine.addLine().from = "8:00";
         },
         true, true},
        {"kind of the template", [&] { mine.dayKind = kTimeOff; }, true, true},
        {"holiday compared", [&] { other.publicHoliday = 1; }, true, true},
        {"holiday over a range", [&] { other.publicHoliday = 1; }, false, false},
        {"complete", [&] { other.complete = 0; }, false, true},
        {"checked and closed", [&] { mine.checkedAndClosed = 1; }, false, true},
        {"line count", [&] { other.addLine(); }, false, true},
        {"a line's value",
         [&] {
             mine.addLine().service = "Montage";
             other.addLine().service = "Wartung";
         },
         false, true},
    };
    for (const Case& c : cases) {
        mine = CTagDoc();
        other = CTagDoc();
        c.change();
        EXPECT_EQ(quickEntryDaysDiffer(mine, other, c.compareHoliday), c.differ) << c.what;
    }
}

TEST_F(QuickEntryTest, HeaderNamesEveryEmployeeOnceAndTheDate) {
    employees.emplace(12, employee(12, "Anna Berg"));
    QuickEntry model(employees, clock);
    model.setOnlyActive(false);
    model.selectAll();
    prompter.answerYes(); // Carl's file
    ASSERT_TRUE(model.prepare(prompter, store, noMonthClosed(), directory));
    EXPECT_EQ(model.header().employee, "Bert Roth");
    EXPECT_EQ(model.header().furtherEmployees, "Anna Berg; Carl Ott");
    EXPECT_EQ(model.header().dateText, "02.03.2026");

    model.to = Datum{6, 3, 2026};
    ASSERT_TRUE(model.prepare(prompter, store, noMonthClosed(), directory));
    EXPECT_EQ(model.header().dateText, "");
}

TEST_F(QuickEntryTest, TemplateGoesToEveryDayWhileEachDayOfARangeKeepsItsHolidayMark) {
    // Friday 1 May 2026 is a holiday; Anna has it with a remark for the other employees.
    YearFileBuilder("Anna Berg", 2026)
        .settings(bavaria)
        .day(5, 1)
        .holiday()
        .withDay([](CTagDoc& d) { d.furtherEmployees = "Bert Roth"; })
        .month(5, [](CMonatDoc& m) { m.resultsValid = 1; })
        .month(7, [](CMonatDoc& m) { m.resultsValid = 1; })
        .saveAs(directory + "Anna_Berg2026.azr");
    entry.select({3, 7});
    range({1, 5, 2026}, {5, 5, 2026});
    ASSERT_TRUE(entry.run(prompter, store, noMonthClosed(), directory, [](CTagDoc& day, const QuickEntryHeader&) {
        EXPECT_EQ(day.publicHoliday, 1);
        EXPECT_EQ(day.furtherEmployees, "");
        CZeitZeile& line = day.addLine();
        line.kind = kKindWorkingTime;
        line.from = "8:00";
        line.to = "12:00";
        day.reportRemark = "Inventur";
        return true;
    }));
    EXPECT_EQ(store.written(),
              (std::vector<std::string>{directory + "Bert_Roth2026.azr", directory + "Anna_Berg2026.azr"}));
    for (const char* file : {"Anna_Berg2026.azr", "Bert_Roth2026.azr"}) {
        const CLorvanDoc doc = load(file);
        const CMonatDoc* may = doc.month(5);
        ASSERT_NE(may, nullptr) << file;
        for (int32_t d = 1; d <= 5; ++d) {
            const CTagDoc* day = may->day(d);
            ASSERT_NE(day, nullptr) << file << d;
            EXPECT_EQ(day->publicHoliday, d == 1 ? 1 : 0) << file << d;
            EXPECT_EQ(day->reportRemark, "Inventur") << file << d;
            ASSERT_EQ(day->lineCount(), 1u) << file << d;
            EXPECT_EQ(day->line(0).from, "8:00");
        }
        EXPECT_EQ(may->resultsValid, 0);
    }
    // Bert's May was created with its holidays: Ascension on 14 May is marked.
    const CLorvanDoc bert = load("Bert_Roth2026.azr");
    const CTagDoc* ascension = bert.month(5)->day(14);
    ASSERT_NE(ascension, nullptr);
    EXPECT_EQ(ascension->publicHoliday, 1);
    const CLorvanDoc anna = load("Anna_Berg2026.azr");
    EXPECT_EQ(anna.month(5)->day(1)->furtherEmployees, "Bert Roth");
    EXPECT_EQ(anna.month(7)->resultsValid, 0);
}

TEST_F(QuickEntryTest, SingleDayTakesTheTemplatesHolidayMark) {
    entry.select({3});
    // Corpus Christi, 4 June 2026, in Bavaria: a new day is proposed as a holiday.
    range({4, 6, 2026}, {4, 6, 2026});
    ASSERT_TRUE(entry.prepare(prompter, store, noMonthClosed(), directory));
    EXPECT_EQ(entry.templateDay().publicHoliday, 1);
    EXPECT_EQ(entry.templateDay().date(), (Datum{4, 6, 2026}));
    entry.templateDay().publicHoliday = 0;
    ASSERT_TRUE(entry.apply(store));
    EXPECT_EQ(load("Bert_Roth2026.azr").month(6)->day(4)->publicHoliday, 0);
}

// Saves through the store but refuses the first save.
class FailingOnce final : public QuickEntryFiles {
  public:
    explicit FailingOnce(YearFileStore& store) : store_(store) {}
    CLorvanDoc* open(const std::string& path) override { return store_.open(path); }
    CLorvanDoc& adopt(const std::string& path, CLorvanDoc document) override {
        return store_.adopt(path, std::move(document));
    }
    bool save(const std::string& path, CLorvanDoc& document) override {
        if (failures_++ == 0) return false;
        return store_.save(path, document);
    }

  private:
    YearFileStore& store_;
    int failures_ = 0;
};

TEST_F(QuickEntryTest, FailedSaveOpensTheDialogAgainOnTheSameTemplate) {
    entry.select({3});
    FailingOnce files(store);
    std::vector<size_t> linesSeen;
    ASSERT_TRUE(entry.run(prompter, files, noMonthClosed(), directory, [&](CTagDoc& day, const QuickEntryHeader&) {
        linesSeen.push_back(day.lineCount());
        if (day.lineCount() == 0) day.addLine().kind = kKindOffice;
        return true;
    }));
    EXPECT_EQ(linesSeen, (std::vector<size_t>{0, 1}));
    EXPECT_EQ(load("Bert_Roth2026.azr").month(3)->day(2)->lineCount(), 1u);

    // Cancelling the dialog writes nothing.
    QuickEntry cancelled(employees, clock);
    cancelled.select({7});
    YearFileStore untouched(StorageContext{&prompter, directory, nullptr, nullptr});
    EXPECT_FALSE(cancelled.run(prompter, untouched, noMonthClosed(), directory,
                               [](CTagDoc&, const QuickEntryHeader&) { return false; }));
    EXPECT_TRUE(untouched.written().empty());
}

} // namespace
} // namespace lorvan
