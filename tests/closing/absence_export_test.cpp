#include "closing_fixture.h"

#include "closing/absence_export.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lorvan {
namespace {

using test::closingEmployee;
using test::ClosingFixture;
using test::plainYear;
using test::readAll;

const std::string kHeader = std::string(kAbsenceExportHeader) + "\r\n";

struct AbsenceFixture : ClosingFixture {
    std::unique_ptr<MonthCollection> collection;

    // April 2024 of employee 7 "Anna Berg" in "Lager".
    std::string run(const test::YearFileBuilder& year, bool onlyMissing, const CMitarbeiterDoc* record = nullptr) {
        employees.clear();
        addEmployee(record ? *record : closingEmployee(7, "Anna Berg", "Lager"));
        save(year);
        collection = collect(4, 2024);
        const AbsenceExportResult result = exportAbsences(home.file("fehlzeiten.csv"), onlyMissing, collection->monthList);
        EXPECT_EQ(result.error, "");
        return readAll(home.file("fehlzeiten.csv"));
    }
};

// April 2024: the 1st is a Monday. Every working day up to the 5th has times except those below.
test::YearFileBuilder april() {
    return plainYear("Anna Berg", 2024)
        .day(4, 1).work("8:00", "16:00")
        // Tuesday the 2nd: no day record at all
        .day(4, 3, kVacation)                       // Wednesday: vacation without times
        .day(4, 4).holiday()                        // Thursday: a public holiday without times
        .day(4, 5, kTimeOff)                        // Friday: time off
        .day(4, 6)                                  // Saturday: no regular hours
        .day(4, 8, kSickWithSickPay).work("8:00", "9:00"); // with times: never listed
}

TEST(ExportAbsences, OnlyMissingTimes) {
    AbsenceFixture f;
    const std::string text = f.run(april(), true);
    ASSERT_EQ(text.substr(0, kHeader.size()), kHeader);
    const std::string body = text.substr(kHeader.size());
    // The 2nd, the holiday, then every later working day of April without a record.
    EXPECT_EQ(body.rfind("Lager;7;Anna Berg;02.04.2024;\r\nLager;7;Anna Berg;04.04.2024;\r\n", 0), 0u);
    EXPECT_EQ(body.find("03.04.2024"), std::string::npos);
    EXPECT_EQ(body.find("05.04.2024"), std::string::npos);
    EXPECT_EQ(body.find("06.04.2024"), std::string::npos);
    EXPECT_EQ(body.find("08.04.2024"), std::string::npos);
    EXPECT_NE(body.find("Lager;7;Anna Berg;30.04.2024;\r\n"), std::string::npos);
}

TEST(ExportAbsences, AllDaysWithTheirCodes) {
    AbsenceFixture f;
    const std::string body = f.run(april()
                                       .day(4, 9, kHalfVacationDay)
                                       .day(4, 10, kSickWithPay)
                                       .day(4, 11, kSickWithSickPay)
                                       .day(4, 12, kChildSick)
                                       .day(4, 15, kParentalLeave)
                                       .day(4, 16, kDayOff),
                                   false)
                                 .substr(kHeader.size());
    const std::string lead = "Lager;7;Anna Berg;";
    for (const char* line : {"02.04.2024;", "03.04.2024;U", "04.04.2024;", "05.04.2024;ZA", "09.04.2024;UH",
                             "10.04.2024;K", "11.04.2024;KG", "12.04.2024;KK", "15.04.2024;EZ", "16.04.2024;"}) {
        SCOPED_TRACE(line);
        EXPECT_NE(body.find(lead + line + "\r\n"), std::string::npos);
    }
    EXPECT_EQ(body.find("01.04.2024"), std::string::npos);
    EXPECT_EQ(body.find("08.04.2024"), std::string::npos);
}

TEST(ExportAbsences, VacationOnAHalfDayIsUH) {
    AbsenceFixture f;
    const std::string body =
        f.run(plainYear("Anna Berg", 2024)
                  .settings([](CEinstArbzt& s) { s.workingTimePeriods[0].halfDayByWeekday[5] = 1; })
                  .day(4, 5, kVacation),
              false);
    EXPECT_NE(body.find("Lager;7;Anna Berg;05.04.2024;UH\r\n"), std::string::npos);
}

TEST(ExportAbsences, EntryAndExitBoundTheDays) {
    AbsenceFixture f;
    CMitarbeiterDoc record = closingEmployee(7, "Anna Berg", "Lager");
    record.entryDate = Datum{15, 4, 2024};
    record.hasExit = 1;
    record.exitDate = Datum{17, 4, 2024};
    EXPECT_EQ(f.run(plainYear("Anna Berg", 2024).day(4, 1), true, &record),
              kHeader + "Lager;7;Anna Berg;15.04.2024;\r\nLager;7;Anna Berg;16.04.2024;\r\nLager;7;Anna Berg;17.04.2024;\r\n");
    record.entryDate = Datum{1, 5, 2024};
    EXPECT_EQ(f.run(plainYear("Anna Berg", 2024).day(4, 1), false, &record), kHeader);
}

TEST(ExportAbsences, PeriodWithoutFixedWorkingDays) {
    auto year = plainYear("Anna Berg", 2024)
                    .settings([](CEinstArbzt& s) {
                        s.workingTimePeriods[0].fixedRegularWorkingDays = 0;
                        s.workingTimePeriods[0].hoursPerWorkingDay = 8;
                        s.workingTimePeriods[0].workingDaysPerWeek = 5;
                    })
                    .day(4, 2);
    AbsenceFixture f;
    EXPECT_EQ(f.run(year, false), kHeader + "Lager;7;Anna Berg;;\r\n");
    EXPECT_EQ(f.run(year, true), kHeader);
}

TEST(ExportAbsences, AMonthWithoutPeriodStopsAndLeavesTheOldFile) {
    AbsenceFixture f;
    f.addEmployee(closingEmployee(7, "Anna Berg", "Lager"));
    f.save(plainYear("Anna Berg", 2024)
               .settings([](CEinstArbzt& s) { s.workingTimePeriods[0].fromMonth = 5; })
               .day(4, 2));
    f.collection = f.collect(4, 2024);
    test::writeBytes(f.home.file("fehlzeiten.csv"), "alt\r\n");
    AbsenceExportForm form(f.store, f.prompter);
    EXPECT_EQ(form.run(f.home.file("fehlzeiten.csv"), f.collection->monthList), -1);
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{std::string(kWorkingTimeSettingsMissing) +
                                                           "\nDie Datei wurde nicht geschrieben: " +
                                                           f.home.file("fehlzeiten.csv")});
    EXPECT_EQ(readAll(f.home.file("fehlzeiten.csv")), "alt\r\n");
    EXPECT_EQ(f.store.readString("Monatsabschluss", "FehlzeitCsvDatei", "-"), "-");
}

TEST(AbsenceExportForm, MessagesAndStoredSettings) {
    AbsenceFixture f;
    f.addEmployee(closingEmployee(7, "Anna Berg", "Lager"));
    f.save(plainYear("Anna Berg", 2024).day(4, 2, kVacation));
    f.collection = f.collect(4, 2024);
    AbsenceExportForm form(f.store, f.prompter);
    EXPECT_TRUE(form.onlyMissing());
    EXPECT_EQ(form.file(), "");
    form.setOnlyMissing(false);
    const int32_t count = form.run(f.home.file("a.csv"), f.collection->monthList);
    EXPECT_GT(count, 0);
    EXPECT_EQ(f.prompter.texts().back(),
              "Die Datei wurde mit " + std::to_string(count) + " Sätzen geschrieben: " + f.home.file("a.csv"));
    AbsenceExportForm again(f.store, f.prompter);
    EXPECT_EQ(again.file(), f.home.file("a.csv"));
    EXPECT_FALSE(again.onlyMissing());

    EXPECT_EQ(form.run(f.home.file("fehlt/a.csv"), f.collection->monthList), -1);
    EXPECT_EQ(f.prompter.texts().back(), "Die Datei konnte nicht angelegt werden: " + f.home.file("fehlt/a.csv"));
    EXPECT_EQ(form.run(f.path("Anna_Berg2024.azr"), f.collection->monthList), -1);
    EXPECT_NE(f.prompter.texts().back().find("ist eine Datendatei des Programms"), std::string::npos);

    EXPECT_EQ(form.run(f.home.file("leer.csv"), {}), 0);
    EXPECT_EQ(f.prompter.texts().back(), "Es sind keine Daten vorhanden.");
    EXPECT_EQ(readAll(f.home.file("leer.csv")), kHeader);
}

} // namespace
} // namespace lorvan
