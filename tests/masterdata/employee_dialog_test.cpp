#include "foundation/calendar.h"
#include "masterdata/employee_dialog.h"
#include "platform/clock.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

TEST(EmployeeDialog, ProbationEndIsTheDayBeforeSixMonthsLaterRunningOnPastTheMonthsEnd) {
    struct Case {
        Datum entry;
        Datum expected;
    };
    const Case cases[] = {
        {{31, 8, 2023}, {1, 3, 2024}},  // 31.02.2024 is 2 March (leap year); the day before
        {{31, 8, 2022}, {2, 3, 2023}},  // 31.02.2023 is 3 March
        {{1, 7, 2023}, {31, 12, 2023}}, // 1 January of the next year: 31 December before it
        {{15, 1, 2024}, {14, 7, 2024}},  {{30, 12, 2023}, {29, 6, 2024}},
        {{31, 12, 2023}, {30, 6, 2024}}, // 31.06. is 1 July; the day before
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDate(proposedProbationEnd(c.entry)), formatDate(c.expected)) << formatDate(c.entry);
}

TEST(EmployeeDialog, ExitProposalIsOneMonthLaterWithTheSameDayRunningOn) {
    struct Case {
        Datum today;
        Datum expected;
    };
    const Case cases[] = {
        {{31, 1, 2025}, {3, 3, 2025}},   {{31, 1, 2024}, {2, 3, 2024}}, {{15, 3, 2026}, {15, 4, 2026}},
        {{31, 12, 2025}, {31, 1, 2026}}, {{31, 3, 2026}, {1, 5, 2026}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDate(proposedExitDate(c.today)), formatDate(c.expected)) << formatDate(c.today);
}

TEST(EmployeeDialog, PickersShowTodayForEmptyDatesAndTheCheckBoxesProposeDates) {
    FixedClock clock(Datum{31, 1, 2025});
    CMitarbeiterDoc record;
    record.number = 4;
    record.name = "Anna";
    EmployeeDialog dialog(record, clock);
    EXPECT_EQ(dialog.entryDate(), (Datum{31, 1, 2025}));
    EXPECT_FALSE(dialog.probationEndEnabled());
    EXPECT_FALSE(dialog.exitDateEnabled());

    dialog.setEntryDate(Datum{31, 8, 2023});
    dialog.setInProbation(true);
    EXPECT_EQ(dialog.probationEnd(), (Datum{1, 3, 2024}));
    EXPECT_TRUE(dialog.probationEndEnabled());
    // Switching on again after a change of the picker keeps the picked date.
    dialog.setProbationEnd(Datum{5, 5, 2024});
    dialog.setInProbation(true);
    EXPECT_EQ(dialog.probationEnd(), (Datum{5, 5, 2024}));

    dialog.setHasExit(true);
    EXPECT_EQ(dialog.exitDate(), (Datum{3, 3, 2025}));
}

TEST(EmployeeDialog, UntouchedEmptyEntryDateStaysEmpty) {
    FixedClock clock(Datum{15, 3, 2026});
    CMitarbeiterDoc record;
    record.number = 4;
    record.name = "Anna";
    {
        EmployeeDialog dialog(record, clock);
        dialog.department = "Lager";
        const CMitarbeiterDoc confirmed = dialog.confirmedRecord();
        EXPECT_TRUE(confirmed.entryDate.isEmpty());
        EXPECT_EQ(confirmed.department, "Lager");
    }
    {
        EmployeeDialog dialog(record, clock);
        dialog.setEntryDate(Datum{15, 3, 2026}); // set to the day it showed: taken
        EXPECT_EQ(dialog.confirmedRecord().entryDate, (Datum{15, 3, 2026}));
    }
    record.entryDate = Datum{1, 4, 2020};
    EmployeeDialog dialog(record, clock);
    EXPECT_EQ(dialog.confirmedRecord().entryDate, (Datum{1, 4, 2020}));
}

TEST(EmployeeDialog, ConfirmedRecordTakesFlagsAndEmptiesDatesOfUncheckedBoxes) {
    FixedClock clock(Datum{15, 3, 2026});
    CMitarbeiterDoc record;
    record.number = 4;
    record.name = "Anna";
    record.inProbation = 1;
    record.probationEnd = Datum{30, 6, 2026};
    record.hasExit = 1;
    record.exitDate = Datum{31, 12, 2026};
    record.active = 7; // not active, as an old file may hold it

    EmployeeDialog unchanged(record, clock);
    const CMitarbeiterDoc same = unchanged.confirmedRecord();
    EXPECT_EQ(same.probationEnd, (Datum{30, 6, 2026}));
    EXPECT_EQ(same.exitDate, (Datum{31, 12, 2026}));
    EXPECT_EQ(same.active, 7);

    EmployeeDialog dialog(record, clock);
    dialog.setInProbation(false);
    dialog.setHasExit(false);
    dialog.active = true;
    const CMitarbeiterDoc changed = dialog.confirmedRecord();
    EXPECT_EQ(changed.inProbation, 0);
    EXPECT_TRUE(changed.probationEnd.isEmpty());
    EXPECT_EQ(changed.hasExit, 0);
    EXPECT_TRUE(changed.exitDate.isEmpty());
    EXPECT_EQ(changed.active, 1);
}

TEST(EmployeeDialog, OkChecksNumberThenNameWithMessageAndFocus) {
    struct Case {
        int32_t number;
        std::string name;
        EmployeeField focus;
        std::string message;
    };
    const Case cases[] = {
        {0, "", EmployeeField::Number, "Geben Sie eine Personalnummer ein."},
        {-3, "Anna", EmployeeField::Number, "Geben Sie eine Personalnummer ein."},
        {5, "", EmployeeField::Name, "Geben Sie einen Namen ein."},
        {5, "---", EmployeeField::Name, "Geben Sie einen Namen ein."}, // no file name can be formed
        {5, "   ", EmployeeField::Name, "Geben Sie einen Namen ein."},
        {5, "Anna", EmployeeField::None, ""},
        {5, "Ö", EmployeeField::None, ""},
    };
    FixedClock clock(Datum{15, 3, 2026});
    for (const auto& c : cases) {
        test::ScriptedPrompter prompter;
        EmployeeDialog dialog(CMitarbeiterDoc(), clock);
        dialog.number = c.number;
        dialog.name = c.name;
        EXPECT_EQ(dialog.check(prompter), c.focus) << c.number << " " << c.name;
        const std::vector<std::string> expected =
            c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message};
        EXPECT_EQ(prompter.texts(), expected) << c.number << " " << c.name;
    }
}

TEST(EmployeeDialog, DamagedDatesOfAFileShowTodayAndProposeNothingOutOfRange) {
    FixedClock clock(Datum{15, 3, 2026});
    const Datum damaged[] = {{0, 0, 2020},           {31, 2, 2024},
                             {99, 99, 2147483647},   {1, 1, -2147483647 - 1},
                             {2147483647, 12, 2020}, {31, 12, 9999}};
    for (const Datum& date : damaged) {
        CMitarbeiterDoc record;
        record.number = 1;
        record.name = "Anna";
        record.entryDate = date;
        record.inProbation = 1;
        record.probationEnd = date;
        EmployeeDialog dialog(record, clock);
        if (date.year != 9999) {
            EXPECT_EQ(dialog.entryDate(), (Datum{15, 3, 2026})) << formatDate(date);
            EXPECT_EQ(dialog.probationEnd(), (Datum{15, 3, 2026})) << formatDate(date);
        }
        EXPECT_EQ(dialog.confirmedRecord().entryDate, date) << formatDate(date); // kept, not replaced
        // No proposal from a date no picker shows, nor one beyond the last year.
        EXPECT_EQ(proposedProbationEnd(date), date) << formatDate(date);
        EXPECT_EQ(proposedExitDate(date), date) << formatDate(date);
    }
}

} // namespace
} // namespace lorvan
