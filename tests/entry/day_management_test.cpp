#include "entry/day_management.h"

#include "support/scripted_prompter.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::ScriptedPrompter;

struct DayManagement : ::testing::Test {
    CLorvanDoc doc = test::YearFileBuilder("Jörg Weiß", 2026).day(4, 6).work("8:00", "12:00").day(4, 7).month(5).build();
    ScriptedPrompter prompter;
    CMonatDoc& april() { return *doc.month(4); }
};

TEST_F(DayManagement, NumberFieldTextsWhileTyping) {
    const std::vector<std::pair<int32_t, std::string>> cases = {
        {0, ""},
        {8, ".04.2026 (Mittwoch)"},
        {6, "Der Tag wurde schon angelegt."},
        {30, ".04.2026 (Donnerstag)"},
        {31, "Der Tag ist ungültig."},
        {-1, "Der Tag ist ungültig."},
    };
    for (const auto& [day, text] : cases)
        EXPECT_EQ(dayNumberText(april(), day), text) << day;
}

TEST_F(DayManagement, CreateDayRefusesWhatCannotBeCreated) {
    const std::vector<std::pair<int32_t, std::string>> refused = {
        {0, "Tragen Sie erst den Tag ein, der angelegt werden soll."},
        {6, "Der Tag existiert schon."},
        {31, "Der Tag ist ungültig."}, // 31 April
    };
    for (const auto& [day, message] : refused) {
        SCOPED_TRACE(day);
        EXPECT_EQ(createDay(april(), day, prompter, noMonthClosed()), EntryResult::Refused);
        EXPECT_EQ(prompter.texts().back(), message);
    }
    EXPECT_EQ(april().days().size(), 2u);
    EXPECT_FALSE(doc.isModified());

    CTagDoc* created = nullptr;
    ASSERT_EQ(createDay(april(), 30, prompter, noMonthClosed(), &created), EntryResult::Done);
    ASSERT_EQ(created, april().day(30));
    EXPECT_EQ(created->dayKind, kNormalWorkingDay);
    EXPECT_EQ(created->complete, 1);
    EXPECT_EQ(created->lineCount(), 0u);
    EXPECT_TRUE(doc.isModified());
}

TEST_F(DayManagement, DeleteDayAsksClosesItsWindowAndInvalidatesTheResults) {
    april().resultsValid = 1;
    doc.month(5)->resultsValid = 1;
    EXPECT_EQ(deleteDay(april(), 0, prompter, noMonthClosed()), EntryResult::NoSelection);
    EXPECT_TRUE(prompter.log().empty());

    int closedWindows = 0;
    const CloseDayWindow close = [&](const CTagDoc& day) {
        EXPECT_EQ(day.number(), closedWindows == 0 ? 6 : 7);
        ++closedWindows;
    };
    prompter.answerNo();
    EXPECT_EQ(deleteDay(april(), 6, prompter, noMonthClosed(), close), EntryResult::Cancelled);
    EXPECT_EQ(prompter.texts().back(),
              "Soll der 06.04.2026 gelöscht werden?\n\nDer Tag enthält Zeiten, die dann ebenfalls gelöscht werden.");
    EXPECT_NE(april().day(6), nullptr);
    EXPECT_EQ(closedWindows, 0);

    prompter.answerYes();
    EXPECT_EQ(deleteDay(april(), 6, prompter, noMonthClosed(), close), EntryResult::Done);
    EXPECT_EQ(april().day(6), nullptr);
    EXPECT_EQ(closedWindows, 1);
    EXPECT_EQ(april().resultsValid, 0);
    EXPECT_EQ(doc.month(5)->resultsValid, 0);
    EXPECT_TRUE(doc.isModified());

    prompter.answerYes();
    EXPECT_EQ(deleteDay(april(), 7, prompter, noMonthClosed(), close), EntryResult::Done);
    EXPECT_EQ(prompter.texts().back(), "Soll der 07.04.2026 gelöscht werden?");
}

TEST_F(DayManagement, ClosedMonthLocksCreatingAndDeleting) {
    const MonthClosedRule closing = [](int32_t m, int32_t y) { return y == 2026 && m <= 4; };
    EXPECT_EQ(createDay(april(), 8, prompter, closing), EntryResult::Locked);
    EXPECT_EQ(deleteDay(april(), 6, prompter, closing), EntryResult::Locked);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>(2, kMonthLockedMessage)));
    EXPECT_EQ(april().days().size(), 2u);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(createDay(*doc.month(5), 4, prompter, closing), EntryResult::Done);
}

} // namespace
} // namespace lorvan
