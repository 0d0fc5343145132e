#include "entry/month_management.h"

#include "evaluation/evaluation_context.h"
#include "platform/clock.h"
#include "support/error_text.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::YearFileBuilder;

const MonthClosedRule kUpToMarch2026Closed = [](int32_t month, int32_t year) {
    return year < 2026 || (year == 2026 && month <= 3);
};

std::vector<int32_t> dayNumbers(const CMonatDoc& month) {
    std::vector<int32_t> numbers;
    for (const auto& [number, day] : month.days())
        numbers.push_back(number);
    return numbers;
}

TEST(CreateMonth, NewMonthGetsItsPublicHolidaysWhenTheSettingsEnterThem) {
    for (const int32_t automatic : {1, 0}) {
        CLorvanDoc doc = YearFileBuilder("Anna Berg", 2026)
                             .settings([&](CEinstArbzt& s) {
                                 s.federalState = "Bayern";
                                 s.enterPublicHolidaysAutomatically = automatic;
                             })
                             .build();
        ScriptedPrompter prompter;
        EXPECT_EQ(createMonth(doc, 5, prompter, noMonthClosed()), MonthCreation::OpenMonth);
        ASSERT_NE(doc.month(5), nullptr);
        // 1 May, Ascension (14 May), Whit Sunday and Whit Monday (24 and 25 May) 2026.
        const std::vector<int32_t> expected = automatic ? std::vector<int32_t>{1, 14, 24, 25} : std::vector<int32_t>{};
        EXPECT_EQ(dayNumbers(*doc.month(5)), expected) << automatic;
        for (const auto& [number, day] : doc.month(5)->days()) {
            EXPECT_EQ(day.publicHoliday, 1);
            EXPECT_EQ(day.lineCount(), 0u);
        }
        EXPECT_TRUE(doc.isModified());
        EXPECT_TRUE(prompter.log().empty());
    }
}

TEST(CreateMonth, ResetsTheCachedResultsFromTheNewMonthOn) {
    CLorvanDoc doc = YearFileBuilder("Anna Berg", 2026)
                         .month(2, [](CMonatDoc& m) { m.resultsValid = 1; })
                         .month(6, [](CMonatDoc& m) {
                             m.resultsValid = 1;
                             m.accountChange = 4.5;
                         })
                         .build();
    ScriptedPrompter prompter;
    ASSERT_EQ(createMonth(doc, 4, prompter, noMonthClosed()), MonthCreation::OpenMonth);
    EXPECT_EQ(doc.month(2)->resultsValid, 1);
    EXPECT_EQ(doc.month(6)->resultsValid, 0);
    EXPECT_EQ(doc.month(6)->accountChange, 0.0);
}

TEST(CreateMonth, RefusalsAndTheOfferOfTheNextYear) {
    struct Case {
        const char* what;
        int32_t existingMonths; // months 1..n exist
        int32_t month;
        std::vector<Answer> answers;
        MonthCreation expected;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"twelve months, Yes", 12, 5, {Answer::Yes}, MonthCreation::OpenNextYear, kTwelveMonthsQuestion},
        {"twelve months, No", 12, 0, {Answer::No}, MonthCreation::Nothing, kTwelveMonthsQuestion},
        {"no number, Yes", 2, 0, {Answer::Yes}, MonthCreation::OpenNextYear, kNoMonthNumberQuestion},
        {"no number, No", 2, 0, {Answer::No}, MonthCreation::Nothing, kNoMonthNumberQuestion},
        {"existing month", 5, 5, {}, MonthCreation::Nothing, kMonthExistsMessage},
        {"beyond December", 5, 13, {}, MonthCreation::Nothing, kMonthNumberInvalidMessage},
        {"negative", 5, -1, {}, MonthCreation::Nothing, kMonthNumberInvalidMessage},
        {"closed month", 0, 3, {}, MonthCreation::Nothing, kMonthLockedMessage},
    };
    for (const Case& c : cases) {
        YearFileBuilder builder("Anna Berg", 2026);
        for (int32_t m = 1; m <= c.existingMonths; ++m)
            builder.month(m);
        CLorvanDoc doc = builder.build();
        ScriptedPrompter prompter;
        for (const Answer a : c.answers)
            prompter.answer(a);
        EXPECT_EQ(createMonth(doc, c.month, prompter, kUpToMarch2026Closed), c.expected) << c.what;
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{c.text}) << c.what;
        EXPECT_EQ(doc.months().size(), static_cast<size_t>(c.existingMonths)) << c.what;
        EXPECT_FALSE(doc.isModified()) << c.what;
    }
}

TEST(DeleteMonth, AsksWithTheDaysExtensionAndRemovesOnYes) {
    CLorvanDoc doc = YearFileBuilder("Anna Berg", 2026)
                         .month(4)
                         .day(5, 4)
                         .work("8:00", "12:00")
                         .month(7, [](CMonatDoc& m) { m.resultsValid = 1; })
                         .build();
    EXPECT_EQ(deleteMonthQuestion(doc, 4), "Soll der April gelöscht werden?");
    EXPECT_EQ(deleteMonthQuestion(doc, 5),
              "Soll der Mai gelöscht werden?\n\nDer Monat enthält Tage, die dann ebenfalls gelöscht werden.");

    ScriptedPrompter prompter;
    prompter.answerNo();
    int closings = 0;
    const auto closeWindows = [&] {
        ++closings;
        return true;
    };
    EXPECT_FALSE(deleteMonth(doc, 5, prompter, noMonthClosed(), closeWindows));
    EXPECT_NE(doc.month(5), nullptr);
    EXPECT_EQ(closings, 0);
    EXPECT_FALSE(doc.isModified());

    prompter.answerYes();
    EXPECT_TRUE(deleteMonth(doc, 5, prompter, noMonthClosed(), closeWindows));
    EXPECT_EQ(doc.month(5), nullptr);
    EXPECT_EQ(closings, 1);
    EXPECT_TRUE(doc.isModified());
    // July carried its week and account on from May.
    EXPECT_EQ(doc.month(7)->resultsValid, 0);
}

TEST(DeleteMonth, ClosedMonthOpenWindowAndMissingMonthKeepEverything) {
    CLorvanDoc doc = YearFileBuilder("Anna Berg", 2026).day(3, 2).day(4, 1).build();
    ScriptedPrompter prompter;
    EXPECT_FALSE(deleteMonth(doc, 3, prompter, kUpToMarch2026Closed, [] { return true; }));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kMonthLockedMessage});

    ScriptedPrompter stays;
    stays.answerYes();
    EXPECT_FALSE(deleteMonth(doc, 4, stays, noMonthClosed(), [] { return false; }));
    EXPECT_NE(doc.month(4), nullptr);

    ScriptedPrompter silent;
    EXPECT_FALSE(deleteMonth(doc, 0, silent, noMonthClosed(), [] { return true; }));
    EXPECT_FALSE(deleteMonth(doc, 9, silent, noMonthClosed(), [] { return true; }));
    EXPECT_TRUE(silent.log().empty());
    EXPECT_EQ(doc.months().size(), 2u);
    EXPECT_FALSE(doc.isModified());
}

TEST(NextYearFile, NewFileTakesTheSettingsOverWithTheRemainingVacation) {
    test::TempDir dir;
    FixedClock clock(Datum{20, 12, 2026});
    CLorvanDoc doc = YearFileBuilder("Jörg Weiß", 2026)
                         .settings([](CEinstArbzt& s) {
                             s.federalState = "Sachsen";
                             s.manageRemainingVacation = 1;
                             s.vacationEntitlement = 30;
                         })
                         .day(3, 10, kVacation)
                         .day(3, 11, kVacation)
                         .build();
    doc.settings().name = "Jörg Weiß";
    const std::string directory = dir.path().string() + "/";
    const NextYearFile next = nextYearFile(doc, directory, EvaluationContext{}, clock);
    EXPECT_EQ(next.path, directory + "Joerg_Weiss2027.azr");
    ASSERT_NE(next.created, nullptr);
    const CEinstArbzt& settings = next.created->settings();
    EXPECT_EQ(settings.name, "Jörg Weiß");
    EXPECT_EQ(settings.year, 2027);
    EXPECT_EQ(settings.federalState, "Sachsen");
    EXPECT_DOUBLE_EQ(settings.remainingVacationPreviousYear, 28.0);
    EXPECT_TRUE(next.created->needsFileName());
    EXPECT_TRUE(next.created->months().empty());
    // The evaluation ran on a copy: the open file keeps its state.
    EXPECT_FALSE(doc.isModified());

    YearFileBuilder("Jörg Weiß", 2027).saveAs(next.path);
    const NextYearFile existing = nextYearFile(doc, directory, EvaluationContext{}, clock);
    EXPECT_EQ(existing.path, next.path);
    EXPECT_EQ(existing.created, nullptr);
}

// A new year file passes the checks of the owner and year first: before December no file two years
// ahead, and never one before 2000.
TEST(NextYearFile, NoFileForAYearToComeOrBefore2000) {
    test::TempDir dir;
    const std::string directory = dir.path().string() + "/";
    CLorvanDoc future = YearFileBuilder("Anna Berg", 2027).build();
    EXPECT_THROW_MSG(nextYearFile(future, directory, EvaluationContext{}, FixedClock(Datum{15, 6, 2026})),
                     "Es können keine Angaben für zukünftige Jahre erfasst werden.");
    EXPECT_NE(nextYearFile(future, directory, EvaluationContext{}, FixedClock(Datum{1, 12, 2026})).created, nullptr);
    EXPECT_THROW_MSG(startYearFile("Anna Berg", 1999, nullptr, EvaluationContext{}, FixedClock(Datum{15, 6, 2026})),
                     "Es können keine Angaben für Jahre vor 2000 erfasst werden.");
    EXPECT_THROW_MSG(startYearFile("", 2026, nullptr, EvaluationContext{}, FixedClock(Datum{15, 6, 2026})),
                     "Wählen Sie einen Mitarbeiter aus.");
}

} // namespace
} // namespace lorvan
