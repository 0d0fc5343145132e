// The files of the month closing under crashes and failing disks: the booking file, the calendar
// file and the absence export are always one whole version, and a failed booking export neither
// leaves a file nor closes the month.
#include "closing_fixture.h"

#include "closing/absence_export.h"
#include "closing/booking_export.h"
#include "closing/closing_wizard.h"
#include "foundation/file_io.h"
#include "support/crash_trials.h"
#include "support/restricted_child.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lorvan {
namespace {

namespace fs = std::filesystem;
using test::closingEmployee;
using test::ClosingFixture;
using test::plainYear;

// March 2024 with 43.5 hours in the week of the 11th (a surcharge booking) and, with vacation, a
// vacation day on the 18th (a calendar line); April with a day of each absence kind.
test::YearFileBuilder closingYear(const std::string& name, bool vacation) {
    test::YearFileBuilder b =
        plainYear(name, 2024).settings([](CEinstArbzt& s) { s.wageTypeSurcharge1 = "200"; });
    for (int32_t day = 11; day <= 14; ++day)
        b.day(3, day).work("7:00", "16:00");
    b.day(3, 15).work("7:00", "14:30");
    if (vacation) b.day(3, 18, kVacation);
    b.day(4, 1).work("8:00", "16:00").day(4, 3, kVacation).day(4, 5, kTimeOff);
    return b;
}

struct ExportData : ClosingFixture {
    ExportData(int32_t employeeCount) {
        for (int32_t number = 1; number <= employeeCount; ++number) {
            const std::string name = "Mitarbeiter " + std::to_string(number);
            addEmployee(closingEmployee(number, name, "Lager"));
            save(closingYear(name, number % 2 == 1));
        }
    }
    // The collection of the month with its months repeated, as for that many employees.
    std::unique_ptr<MonthCollection> repeated(int32_t month, size_t times) {
        std::unique_ptr<MonthCollection> collection = collect(month, 2024);
        const std::vector<CollectedMonth> once = collection->monthList;
        for (size_t i = 1; i < times; ++i)
            collection->monthList.insert(collection->monthList.end(), once.begin(), once.end());
        return collection;
    }
};

// A save killed at any moment leaves the booking file, the calendar file and the absence export
// whole in their old or new version. The two versions differ in the header values (booking and
// calendar file) and in "Nur fehlende Zeiten ausgeben" (absence export).
TEST(ClosingExportsCrash, KilledSaveNeverTearsTheFile) {
    ExportData data(2);
    test::TempDir exports;
    const auto march = data.repeated(3, 20000);
    const auto april = data.repeated(4, 1000);
    BookingExportForm form(*march, data.dir(), data.store, data.prompter, data.clock);
    const auto exportBookings = [&](int version) {
        form.values.consultant = version == 1 ? "4711" : "4712";
        form.values.client = version == 1 ? "56" : "Müller und Söhne";
        form.values.bookingFile = exports.file("buchungen.txt");
        form.values.calendarFile = exports.file("kalender.txt");
        if (!form.ok()) throw std::runtime_error("Buchungsexport fehlgeschlagen");
    };
    const auto exportMissingTimes = [&](int version) {
        const AbsenceExportResult result =
            exportAbsences(exports.file("fehlzeiten.csv"), version == 1, april->monthList);
        if (result.count < 0) throw std::runtime_error(result.error);
    };
    // The images of each version, as the export writes them.
    const auto target = [&](const std::string& name, const std::function<void(int)>& save) {
        const std::string path = exports.file(name);
        save(1);
        const std::string first = readWholeFile(path);
        save(2);
        return test::CrashTrialTarget{path, first, readWholeFile(path), save};
    };
    for (const test::CrashTrialTarget& t :
         {target("buchungen.txt", exportBookings), target("kalender.txt", exportBookings),
          target("fehlzeiten.csv", exportMissingTimes)}) {
        SCOPED_TRACE(t.path);
        ASSERT_GT(t.first.size(), 256u << 10);
        test::runCrashTrials(t);
    }
}

// A full disk (writes past the file size limit fail with EFBIG) and a read-only export folder (root
// gives up the right to ignore file modes in the child): the booking export shows the German
// message, leaves no booking file (nor a temporary one) and the month closing does not advance.
TEST(BookingExportFailure, FullDiskAndReadOnlyFolderWriteNothingAndCloseNoMonth) {
    struct Case {
        const char* what;
        bool readOnly;
        std::string message; // %s: the booking file
    };
    const Case cases[] = {
        {"full disk", false,
         "Die Datei '%s' konnte nicht geschrieben werden.\n(Die Platte ist voll: Die Datei überschreitet die "
         "zulässige Dateigröße.)"},
        {"read-only folder", true, "Die Buchungsdatei konnte nicht angelegt werden: %s"},
    };
    ExportData data(60);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir exports;
        const std::string bookingFile = exports.file("buchungen.txt");
        MonthClosingWizard wizard(data.dir(), data.employees, data.store, data.prompter, data.clock);
        wizard.setPeriod(ClosingPeriod::EnteredMonth);
        wizard.monthText = "3.2024";
        ASSERT_TRUE(wizard.next());
        BookingExportValues values;
        values.consultant = "4711";
        values.client = "56";
        values.accountingDate = "03/2024";
        values.bookingFile = bookingFile;
        // The limit leaves room for the per-user store, which keeps the values first, not for the
        // 60 bookings.
        const test::SaveFailureSetup failing(c.readOnly, exports.path().string(), 512);
        const test::ChildResult result = test::runRestricted(failing.restriction(), [&] {
            test::ScriptedPrompter prompter;
            BookingExportForm form(*wizard.collection(), data.dir(), data.store, prompter, data.clock);
            form.values = values;
            std::vector<std::string> advanced;
            const bool confirmed = wizard.confirmBookingExport(
                form, [&](const std::string& month) { advanced.push_back(month); });
            std::vector<std::string> seen = {confirmed ? "abgeschlossen" : "nicht abgeschlossen",
                                             advanced.empty() ? "kein Monat weiter" : "Monat weiter"};
            for (const auto& entry : prompter.log())
                seen.push_back(entry.kind + ": " + entry.text);
            return seen;
        });
        if (!result.ran) GTEST_SKIP() << result.skipReason;
        ASSERT_EQ(result.failure, "");
        std::string message = c.message;
        message.replace(message.find("%s"), 2, bookingFile);
        EXPECT_EQ(result.lines, (std::vector<std::string>{"nicht abgeschlossen", "kein Monat weiter",
                                                          "error: " + message}));
        EXPECT_TRUE(fs::is_empty(exports.path()));
    }
}

} // namespace
} // namespace lorvan
