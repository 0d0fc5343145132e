#include "closing_fixture.h"

#include "closing/booking_export.h"
#include "evaluation/month_evaluation.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "support/error_text.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lorvan {
namespace {

using test::closingEmployee;
using test::ClosingFixture;
using test::plainYear;
using test::readAll;
using test::YearFileBuilder;

// The week of 11 to 15 March 2024 with 43.5 hours: 90 minutes above the 42 hours of surcharge 1, 6.5
// hours above the regular 37 hours.
YearFileBuilder longWeek(const std::string& name, const std::function<void(CEinstArbzt&)>& settings = {}) {
    YearFileBuilder b = plainYear(name, 2024);
    if (settings) b.settings(settings);
    for (int32_t day = 11; day <= 14; ++day)
        b.day(3, day).work("7:00", "16:00");
    b.day(3, 15).work("7:00", "14:30");
    return b;
}

struct BookingFixture : ClosingFixture {
    std::vector<std::string> warnings;

    // The booking lines of employee number's March 2024.
    std::string bookings(const YearFileBuilder& year, int32_t number = 17) {
        employees.clear();
        addEmployee(closingEmployee(number, year.doc().settings().name));
        save(year);
        const auto collection = collect(3, 2024);
        EXPECT_EQ(collection->monthList.size(), 1u);
        std::string out;
        const int32_t count = writeBookings(out, collection->monthList.at(0), warnings);
        EXPECT_EQ(count, std::count(out.begin(), out.end(), '\n'));
        return out;
    }
    std::string calendar(const YearFileBuilder& year) {
        employees.clear();
        addEmployee(closingEmployee(17, year.doc().settings().name));
        save(year);
        const auto collection = collect(3, 2024);
        std::string out;
        const int32_t count = writeCalendarDays(out, collection->monthList.at(0));
        EXPECT_EQ(count, std::count(out.begin(), out.end(), '\n'));
        return out;
    }
};

TEST(WriteBookings, Surcharge1InHoursWithDecimalComma) {
    BookingFixture f;
    EXPECT_EQ(f.bookings(longWeek("Anna Berg", [](CEinstArbzt& s) { s.wageTypeSurcharge1 = "200"; })),
              "17;200;1,50\n");
    // Without its wage type nothing is booked.
    EXPECT_EQ(f.bookings(longWeek("Anna Berg")), "");
}

TEST(WriteBookings, WeeklyPayoutAndSurcharge1) {
    auto payout = [](const std::string& surchargeType) {
        return [surchargeType](CEinstArbzt& s) {
            s.keepWorkingTimeAccount = 1;
            s.weeklyPayoutOn = 1;
            s.weeklyPayoutThreshold = 1.0;
            s.wageTypeWeeklyPayout = "300";
            s.wageTypeSurcharge1 = surchargeType;
        };
    };
    BookingFixture f;
    // 6.5 hours above the week's target, 1 hour kept: 5.5 hours paid out.
    EXPECT_EQ(f.bookings(longWeek("Anna Berg", payout("200"))), "17;300;5,50\n17;200;1,50\n");
    // The same wage type: the payout line alone.
    EXPECT_EQ(f.bookings(longWeek("Anna Berg", payout("300"))), "17;300;5,50\n");
}

TEST(WriteBookings, LinesInTheirOrder) {
    BookingFixture f;
    YearFileBuilder year = plainYear("Anna Berg", 2024)
                               .settings([](CEinstArbzt& s) {
                                   s.keepWorkingTimeAccount = 1;
                                   s.monthlyPayoutOn = 1;
                                   s.monthlyPayoutThreshold = 0.5;
                                   s.wageTypeMonthlyPayout = "100";
                                   s.wageTypeSunday = "410";
                                   s.basePayWageTypeSunday = "411";
                                   s.wageTypeNight = "430";
                                   s.wageTypeHoliday = "440";
                                   s.basePayWageTypeHoliday = ""; // left empty: no line
                               })
                               .day(3, 10)
                               .work("8:00", "12:00") // a Sunday: 4 hours
                               .day(3, 12)
                               .work("14:00", "23:00"); // 2 night hours
    // Tuesday's hour above its 8 goes to the account (the Sunday hours are surcharged, not
    // converted): half an hour above the threshold is paid out, and that line comes first.
    EXPECT_EQ(f.bookings(year, 5), "5;100;0,50\n5;410;4,00\n5;411;4,00\n5;430;2,00\n");
}

TEST(WriteBookings, ShiftAllowanceOfAugust2021TakesSeptembersWageType) {
    BookingFixture f;
    YearFileBuilder year = YearFileBuilder("Anna Berg", 2021)
                               .settings([](CEinstArbzt& s) {
                                   s.checkBreakTimes = 0;
                                   s.enforceCorrectBreakTimes = 0;
                                   s.enterPublicHolidaysAutomatically = 0;
                                   s.wagesInMonthEvaluation = 1;
                                   WagePeriod august;
                                   august.fromMonth = 1;
                                   august.hourlyWage = 15.0;
                                   WagePeriod september = august;
                                   september.fromMonth = 9;
                                   september.shiftAllowancePercent = 10.0;
                                   september.shiftAllowanceWageType = "510";
                                   s.wagePeriods = {august, september};
                               })
                               .day(8, 27)
                               .work("8:00", "16:00")
                               .day(8, 30)
                               .work("8:00", "12:30");
    f.employees.clear();
    f.addEmployee(closingEmployee(17, "Anna Berg"));
    f.save(year);
    const auto collection = f.collect(8, 2021);
    std::string out;
    EXPECT_EQ(writeBookings(out, collection->monthList.at(0), f.warnings), 1);
    EXPECT_EQ(out, "17;510;4,50\n"); // only the days from the 29th
}

TEST(WriteBookings, SemicolonIsWrittenAsItIsAndNamedLineBreaksAreRefused) {
    BookingFixture f;
    EXPECT_EQ(f.bookings(longWeek("Anna Berg", [](CEinstArbzt& s) { s.wageTypeSurcharge1 = "2;0"; })),
              "17;2;0;1,50\n");
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_EQ(f.warnings[0], "Die Lohnart '2;0' von 17 - Anna Berg enthält ein ';' und wurde so geschrieben; die "
                             "Zeile hat dadurch ein Feld mehr.");
    EXPECT_THROW_MSG(f.bookings(longWeek("Anna Berg", [](CEinstArbzt& s) { s.wageTypeSurcharge1 = "200\r\n17;999"; })),
                     "Die Lohnart '200\r\n17;999' von 17 - Anna Berg enthält einen Zeilenumbruch.");
}

TEST(WriteCalendarDays, CodesAndHours) {
    BookingFixture f;
    YearFileBuilder year = plainYear("Anna Berg", 2024)
                               .settings([](CEinstArbzt& s) { s.workingTimePeriods[0].halfDayByWeekday[3] = 1; })
                               .day(3, 4, kVacation)         // Monday: 8 h
                               .day(3, 5, kSickWithPay)      // Tuesday
                               .day(3, 6, kVacation)         // Wednesday, a half day
                               .day(3, 7, kSickWithSickPay)  // Thursday
                               .day(3, 8, kHalfVacationDay)  // Friday: 5 h
                               .day(3, 11, kChildSick)       // Monday
                               .day(3, 12, kTimeOff)         // no line
                               .day(3, 13, kParentalLeave)   // no line
                               .day(3, 14, kDayOff);         // no line
    EXPECT_EQ(f.calendar(year), "17;04.03.2024;U;8.00\n"
                                "17;05.03.2024;K;8.00\n"
                                "17;06.03.2024;U;4.00\n"
                                "17;07.03.2024;K6;8.00\n"
                                "17;08.03.2024;U;2.50\n"
                                "17;11.03.2024;PK;8.00\n");
}

TEST(WriteCalendarDays, AverageHoursAndDaysWithoutFixedWeekdays) {
    BookingFixture f;
    EXPECT_EQ(f.calendar(plainYear("Anna Berg", 2024)
                             .settings([](CEinstArbzt& s) { s.workingTimePeriods[0].hoursBasis = 1; })
                             .day(3, 8, kVacation)    // Friday: the average 37 / 5 hours
                             .day(3, 9, kVacation)),  // Saturday without hours: 0
              "17;08.03.2024;U;7.40\n17;09.03.2024;U;0.00\n");
    EXPECT_EQ(f.calendar(plainYear("Anna Berg", 2024)
                             .settings([](CEinstArbzt& s) {
                                 s.workingTimePeriods[0].fixedRegularWorkingDays = 0;
                                 s.workingTimePeriods[0].hoursPerWorkingDay = 7.5;
                                 s.workingTimePeriods[0].workingDaysPerWeek = 5;
                             })
                             .day(3, 8, kSickWithPay)),
              "17;08.03.2024;K;7.50\n");
}

struct ExportFixture : ClosingFixture {
    std::unique_ptr<MonthCollection> collection;
    std::unique_ptr<BookingExportForm> form;

    ExportFixture() {
        clock.set(Datum{5, 4, 2024});
        addEmployee(closingEmployee(17, "Anna Berg"));
        addEmployee(closingEmployee(18, "Kurt Kahl"));
        save(longWeek("Anna Berg", [](CEinstArbzt& s) { s.wageTypeSurcharge1 = "200"; }).day(3, 18, kVacation));
        save(longWeek("Kurt Kahl", [](CEinstArbzt& s) { s.wageTypeSurcharge1 = "200"; }));
        open();
    }
    void open() {
        collection = collect(3, 2024);
        form = std::make_unique<BookingExportForm>(*collection, dir(), store, prompter, clock);
    }
    void fill() {
        form->values.consultant = "4711";
        form->values.client = "Müller";
        form->values.bookingFile = home.file("buchung.txt");
    }
};

TEST(BookingExport, TheFilesByteForByte) {
    ExportFixture f;
    f.fill();
    EXPECT_EQ(f.form->values.accountingDate, "03/2024");
    f.form->values.calendarFile = f.home.file("kalender.txt");
    ASSERT_TRUE(f.form->ok());
    EXPECT_EQ(readAll(f.home.file("buchung.txt")), "4711;M\xFCller;03/2024\r\n17;200;1,50\r\n18;200;1,50\r\n");
    EXPECT_EQ(readAll(f.home.file("kalender.txt")), "4711;M\xFCller;03/2024\r\n17;18.03.2024;U;8.00\r\n");
    EXPECT_EQ(f.prompter.texts(),
              (std::vector<std::string>{"Die Buchungsdatei wurde mit 2 Sätzen geschrieben: " + f.home.file("buchung.txt"),
                                        "Die Kalenderdatei wurde mit 1 Sätzen geschrieben: " + f.home.file("kalender.txt")}));
    EXPECT_EQ(f.form->bookingCount(), 2);
    EXPECT_EQ(f.form->calendarCount(), 1);
    // The values are kept for the next time.
    f.open();
    EXPECT_EQ(f.form->values.consultant, "4711");
    EXPECT_EQ(f.form->values.client, "Müller");
    EXPECT_EQ(f.form->values.bookingFile, f.home.file("buchung.txt"));
    EXPECT_EQ(f.form->values.calendarFile, f.home.file("kalender.txt"));
    EXPECT_FALSE(f.form->values.yearEnd);
}

TEST(BookingExport, NoBookingsGivesTheHeaderAloneAndStillClosesWithOk) {
    ExportFixture f;
    f.employees.clear();
    f.addEmployee(closingEmployee(18, "Kurt Kahl"));
    f.save(plainYear("Kurt Kahl", 2024).day(3, 4).work("8:00", "16:00"));
    f.open();
    f.fill();
    f.form->values.calendarFile = f.home.file("kalender.txt");
    EXPECT_TRUE(f.form->ok());
    EXPECT_EQ(readAll(f.home.file("buchung.txt")), "4711;M\xFCller;03/2024\r\n");
    EXPECT_EQ(f.prompter.texts(), (std::vector<std::string>{kNoBookings, kNoData}));
    EXPECT_EQ(f.form->bookingCount(), 0);
}

TEST(BookingExport, ChecksInTheirOrder) {
    const struct {
        const char* name;
        std::function<void(BookingExportValues&, const std::string&)> change;
        std::string message;
        BookingField focus;
    } cases[] = {
        {"no file", [](BookingExportValues& v, const std::string&) { v.bookingFile.clear(); v.consultant.clear(); },
         "Es muss eine Exportdatei eingegeben werden.", BookingField::BookingFile},
        {"no consultant", [](BookingExportValues& v, const std::string&) { v.consultant.clear(); v.client.clear(); },
         "Die Beraternummer muss eingegeben werden.", BookingField::Consultant},
        {"no client", [](BookingExportValues& v, const std::string&) { v.client.clear(); },
         "Die Mandantennummer muss eingegeben werden.", BookingField::Client},
        {"no date", [](BookingExportValues& v, const std::string&) { v.accountingDate.clear(); },
         "Das Abrechnungsdatum muss eingegeben werden.", BookingField::AccountingDate},
        {"line break", [](BookingExportValues& v, const std::string&) { v.client = "56\n17;200;99,00"; },
         "Die Mandantennummer darf keinen Zeilenumbruch enthalten.", BookingField::Client},
        {"year file", [](BookingExportValues& v, const std::string& dir) { v.bookingFile = dir + "Anna_Berg2024.AZR"; },
         "", BookingField::BookingFile},
        {"employee file", [](BookingExportValues& v, const std::string& dir) { v.calendarFile = dir + "Daten.mar"; },
         "", BookingField::CalendarFile},
        {"settings", [](BookingExportValues& v, const std::string& dir) { v.protocolFile = dir + "Lorvan.ini"; },
         "", BookingField::ProtocolFile},
        {"logbook", [](BookingExportValues& v, const std::string& dir) { v.calendarFile = dir + "Fahrten.fb"; },
         "", BookingField::CalendarFile},
        {"calendar = booking", [](BookingExportValues& v, const std::string&) { v.calendarFile = v.bookingFile; },
         "Die Kalenderdatei muss eine andere Datei als die Buchungsdatei sein.", BookingField::CalendarFile},
        {"protocol = booking",
         [](BookingExportValues& v, const std::string&) {
             v.protocolFile = std::filesystem::path(v.bookingFile).parent_path().string() + "/./buchung.txt";
         },
         "Die Protokolldatei Jahresabschluss muss eine andere Datei als die Buchungsdatei und die Kalenderdatei sein.",
         BookingField::ProtocolFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportFixture f;
        f.fill();
        const std::string before = readAll(f.path("Anna_Berg2024.azr"));
        c.change(f.form->values, f.dir());
        EXPECT_FALSE(f.form->ok());
        ASSERT_EQ(f.prompter.texts().size(), 1u);
        if (!c.message.empty()) {
            EXPECT_EQ(f.prompter.texts()[0], c.message);
        } else {
            EXPECT_NE(f.prompter.texts()[0].find("ist eine Datendatei des Programms und wird nicht überschrieben"),
                      std::string::npos);
        }
        EXPECT_EQ(f.form->focus(), c.focus);
        EXPECT_EQ(f.form->bookingCount(), -1);
        EXPECT_EQ(readAll(f.path("Anna_Berg2024.azr")), before);
        EXPECT_FALSE(std::filesystem::exists(f.home.file("buchung.txt")));
    }
}

TEST(BookingExport, AFailedExportLeavesTheOldFileAndClosesNothing) {
    ExportFixture f;
    f.fill();
    test::writeBytes(f.home.file("buchung.txt"), "alt\r\n");
    // A wage type with a line break stops the export before the file is replaced.
    f.save(longWeek("Kurt Kahl", [](CEinstArbzt& s) { s.wageTypeSurcharge1 = "200\n18;999"; }));
    f.open();
    f.fill();
    std::vector<std::string> advanced;
    EXPECT_FALSE(f.form->ok());
    EXPECT_EQ(f.prompter.texts().back(), "Die Lohnart '200\n18;999' von 18 - Kurt Kahl enthält einen Zeilenumbruch.\n"
                                         "Die Buchungsdatei wurde nicht geschrieben: " + f.home.file("buchung.txt"));
    EXPECT_EQ(readAll(f.home.file("buchung.txt")), "alt\r\n");
    EXPECT_EQ(f.form->bookingCount(), -1);

    // A folder that does not exist.
    f.form->values.bookingFile = f.home.file("fehlt/buchung.txt");
    f.save(longWeek("Kurt Kahl"));
    f.open();
    f.fill();
    f.form->values.bookingFile = f.home.file("fehlt/buchung.txt");
    EXPECT_FALSE(f.form->ok());
    EXPECT_EQ(f.prompter.texts().back(), "Die Buchungsdatei konnte nicht angelegt werden: " + f.home.file("fehlt/buchung.txt"));
    for (const auto& entry : std::filesystem::directory_iterator(f.home.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST(BookingExport, SkippedFilesAndSemicolonsGoIntoTheNotes) {
    ExportFixture f;
    f.addEmployee(closingEmployee(19, "Kaputt"));
    test::writeBytes(f.path("Kaputt2024.azr"), "xx");
    f.open();
    f.fill();
    f.form->values.consultant = "47;11";
    ASSERT_TRUE(f.form->ok());
    EXPECT_EQ(readAll(f.home.file("buchung.txt")).substr(0, 22), "47;11;M\xFCller;03/2024\r\n");
    const std::string notes = f.form->notes();
    EXPECT_NE(notes.find("Die Jahresdatei '" + f.path("Kaputt2024.azr") + "' von 19 - Kaputt konnte nicht gelesen"),
              std::string::npos);
    EXPECT_NE(notes.find("Der Kopfsatz enthält den Wert '47;11' mit einem ';'"), std::string::npos);
}

struct YearEndFixture : ExportFixture {
    YearEndFixture(Datum today) {
        employees.clear();
        CMitarbeiterDoc leaves = closingEmployee(2, "Ende Dezember");
        leaves.hasExit = 1;
        leaves.exitDate = Datum{31, 12, 2024};
        CMitarbeiterDoc stays = closingEmployee(3, "Ende Januar");
        stays.hasExit = 1;
        stays.exitDate = Datum{1, 1, 2025};
        addEmployee(closingEmployee(1, "Anna Berg"));
        addEmployee(leaves);
        addEmployee(stays);
        for (const char* name : {"Anna Berg", "Ende Dezember", "Ende Januar"})
            save(plainYear(name, 2024)
                     .settings([](CEinstArbzt& s) {
                         s.keepWorkingTimeAccount = 1;
                         s.accountCarryOver = 3.0;
                     })
                     .day(12, 2)
                     .work("8:00", "16:00"));
        clock.set(today);
        collection = collect(12, 2024);
        form = std::make_unique<BookingExportForm>(*collection, dir(), store, prompter, clock);
        fill();
        form->values.yearEnd = true;
    }
};

TEST(BookingExport, YearEndInDecemberCreatesNextYearsFiles) {
    YearEndFixture f(Datum{15, 12, 2024});
    EXPECT_TRUE(f.form->ok());
    EXPECT_TRUE(std::filesystem::exists(f.path("Anna_Berg2025.azr")));
    EXPECT_TRUE(std::filesystem::exists(f.path("Ende_Januar2025.azr")));
    EXPECT_FALSE(std::filesystem::exists(f.path("Ende_Dezember2025.azr")));
    EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{kNoBookings});
    CLorvanDoc next;
    next.open(f.path("Anna_Berg2025.azr"));
    EXPECT_EQ(next.settings().year, 2025);
}

TEST(BookingExport, YearEndInJanuaryCorrectsTheExistingFiles) {
    YearEndFixture f(Datum{10, 1, 2025});
    f.save(plainYear("Anna Berg", 2025).settings([](CEinstArbzt& s) { s.keepWorkingTimeAccount = 1; }));
    f.save(plainYear("Ende Januar", 2025).settings([](CEinstArbzt& s) {
        s.keepWorkingTimeAccount = 1;
        s.accountCarryOver = 3.0;
    }));
    f.form->values.protocolFile = f.home.file("jahresabschluss.txt");
    EXPECT_TRUE(f.form->ok()); // corrections alone still close with OK
    EXPECT_EQ(f.prompter.texts().back(), std::string(kYearEndProblems) + "Siehe " + f.home.file("jahresabschluss.txt"));
    EXPECT_EQ(readAll(f.home.file("jahresabschluss.txt")), "Anna Berg: \xDC" "bertrag Arbeitszeitkonto wurde korrigiert\r\n"); // Windows-1252
    CLorvanDoc corrected;
    corrected.open(f.path("Anna_Berg2025.azr"));
    EXPECT_DOUBLE_EQ(corrected.settings().accountCarryOver, 3.0);
}

TEST(BookingExport, YearEndFailureKeepsTheDialogOpen) {
    YearEndFixture f(Datum{15, 12, 2024});
    std::filesystem::remove(f.path("Ende_Januar2024.azr"));
    EXPECT_FALSE(f.form->ok());
    EXPECT_EQ(f.prompter.texts().back(), std::string(kYearEndProblems) + "FEHLER: Die Vorlagedatei existiert nicht:\n" +
                                             f.path("Ende_Januar2024.azr") +
                                             "\nDie Datei für Mitarbeiter Ende Januar konnte nicht angelegt werden.\n");
    EXPECT_TRUE(std::filesystem::exists(f.path("Anna_Berg2025.azr"))); // the others go on
}

} // namespace
} // namespace lorvan
