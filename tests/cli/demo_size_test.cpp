#include "app/open_year_file.h"
#include "app/program_settings.h"
#include "app/work_areas.h"
#include "cli/demo/demo_data.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/year_statistics.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/number_text.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "masterdata/service_file.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace lorvan {
namespace {

namespace fs = std::filesystem;

std::string lowerFileNameForm(const std::string& name) {
    std::string form = toFileNamePart(name);
    std::transform(form.begin(), form.end(), form.begin(), [](unsigned char c) { return std::tolower(c); });
    return form;
}

std::map<std::string, std::string> bytesOfEveryFile(const fs::path& directory) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(directory))
        files[entry.path().filename().string()] = readWholeFile(entry.path().string());
    return files;
}

// Seven employees over three years, made on 15 May 2026: every employee has the three year files,
// each readable as every front end opens it, filled up to today and no further, with the kinds of
// day of the small demo, customers and services of the master files, and the evaluation the program
// would cache.
TEST(DemoOfAnySize, SmallFirmHasEveryYearFileReadableAndEvaluatedAsTheProgramLeavesIt) {
    test::TempDir tmp;
    const std::string dir = tmp.file("firma") + "/";
    const Datum today{15, 5, 2026};
    const cli::DemoSummary summary = cli::createDemoData(dir, today, cli::DemoSize{7, 3});
    EXPECT_EQ(summary.employees, 7);
    EXPECT_EQ(summary.yearFiles, 21);

    CTwMaDoc employees;
    employees.open(CTwMaDoc::pathIn(dir));
    CTwKundenDoc customers;
    customers.open(dir + kCustomerFileName);
    CTwDienstlDoc services;
    services.open(dir + kServiceFileName);
    ASSERT_EQ(employees.employees.size(), 7u);
    EXPECT_EQ(static_cast<int>(customers.customers.size()), summary.customers);
    EXPECT_EQ(static_cast<int>(services.services.size()), summary.services);

    std::set<std::string> forms;
    std::set<int32_t> dayKinds;
    int publicHolidays = 0;
    int customerLines = 0;
    for (const auto& [number, employee] : employees.employees) {
        EXPECT_TRUE(forms.insert(lowerFileNameForm(employee.name)).second) << employee.name;
        double balanceBefore = 0.0;
        for (int32_t year = 2024; year <= 2026; ++year) {
            const std::string path = fullYearFilePath(dir, employee.name, year);
            SCOPED_TRACE(path);
            ASSERT_TRUE(fs::exists(path));
            OpenYearFile file(path, dir);
            const CLorvanDoc& doc = file.document;
            EXPECT_EQ(doc.settings().name, employee.name);
            EXPECT_EQ(doc.settings().year, year);
            if (year > 2024) {
                EXPECT_DOUBLE_EQ(doc.settings().accountCarryOver, balanceBefore);
            }
            for (const auto& [m, month] : doc.months()) {
                EXPECT_EQ(month.resultsValid, 1);
                for (const auto& [d, day] : month.days()) {
                    EXPECT_LE(compareDates(Datum{d, month.number(), year}, today), 0);
                    EXPECT_EQ(day.checkedAndClosed, 0);
                    dayKinds.insert(day.dayKind);
                    publicHolidays += day.publicHoliday;
                    for (const CZeitZeile& line : day.lines()) {
                        if (line.kind != kKindCustomer) continue;
                        ++customerLines;
                        EXPECT_NE(customers.findByNumber(static_cast<int32_t>(readLeadingInteger(line.customer))), nullptr)
                            << line.customer;
                        EXPECT_NE(services.find(line.service), nullptr) << line.service;
                    }
                }
            }
            // Full years up to December, the current one up to today's month.
            ASSERT_FALSE(doc.months().empty());
            EXPECT_EQ(doc.months().rbegin()->first, year < 2026 ? 12 : 5);

            // The cached month results are those of an evaluation of the file as read back.
            CLorvanDoc fresh = doc;
            for (auto& [m, month] : fresh.months()) month.resetResults();
            YearEvaluator evaluator(fresh, file.context());
            balanceBefore = evaluator.accountBalance(12);
            for (const auto& [m, month] : doc.months())
                EXPECT_NEAR(fresh.month(m)->accountChange, month.accountChange, 1e-9) << "Monat " << m;
        }
    }
    for (int32_t kind : {kNormalWorkingDay, kVacation, kSickWithPay, kHalfVacationDay, kStandbyDuty})
        EXPECT_TRUE(dayKinds.count(kind)) << "Tagesart " << kind;
    EXPECT_GT(publicHolidays, 0);
    EXPECT_GT(customerLines, 0);
}

// Neither demo closes a month: no month closing in Lorvan.ini and no day marked as checked.
TEST(DemoOfAnySize, ClosesNoMonthLikeTheSmallDemo) {
    test::TempDir tmp;
    cli::createDemoData(tmp.file("klein"), Datum{10, 12, 2026});
    cli::createDemoData(tmp.file("gross"), Datum{10, 12, 2026}, cli::DemoSize{3, 2});
    for (const char* name : {"klein", "gross"}) {
        EXPECT_FALSE(fs::exists(settingsFilePath(tmp.file(name)))) << name;
        for (const auto& entry : fs::directory_iterator(tmp.file(name))) {
            if (entry.path().extension() != ".azr") continue;
            CLorvanDoc doc;
            doc.openToRead(entry.path().string());
            for (const auto& [m, month] : doc.months())
                for (const auto& [d, day] : month.days()) EXPECT_EQ(day.checkedAndClosed, 0) << entry.path();
        }
    }
}

// The same size and day give the same bytes; another day gives other data.
TEST(DemoOfAnySize, IsDeterministicForSizeAndDay) {
    test::TempDir tmp;
    cli::createDemoData(tmp.file("a"), Datum{3, 3, 2026}, cli::DemoSize{4, 2});
    cli::createDemoData(tmp.file("b"), Datum{3, 3, 2026}, cli::DemoSize{4, 2});
    cli::createDemoData(tmp.file("c"), Datum{4, 3, 2026}, cli::DemoSize{4, 2});
    const auto a = bytesOfEveryFile(tmp.file("a"));
    EXPECT_EQ(a.size(), 4u * 2 + 5); // year files, four master files, the logbook
    EXPECT_EQ(a, bytesOfEveryFile(tmp.file("b")));
    EXPECT_NE(a, bytesOfEveryFile(tmp.file("c")));
}

TEST(DemoOfAnySize, NamesStayUniqueInTheirFileNameFormsUpToTheLargestFirm) {
    const std::vector<std::string> names = cli::demoEmployeeNames(cli::kMaxDemoEmployees);
    ASSERT_EQ(names.size(), static_cast<size_t>(cli::kMaxDemoEmployees));
    std::set<std::string> forms;
    for (const std::string& name : names) EXPECT_TRUE(forms.insert(lowerFileNameForm(name)).second) << name;
    // Beyond the simple combinations come double last names.
    EXPECT_EQ(std::count_if(names.begin(), names.end(), [](const std::string& n) { return n.find('-') != n.npos; }),
              cli::kMaxDemoEmployees - 48 * 48);
}

TEST(DemoOfAnySize, SizesOutOfRangeAreRefusedBeforeAnythingIsWritten) {
    test::TempDir tmp;
    const struct {
        cli::DemoSize size;
        const char* message;
    } cases[] = {
        {{0, 3}, "Die Zahl der Mitarbeiter muss zwischen 1 und 10000 liegen (angegeben: 0)."},
        {{10001, 3}, "Die Zahl der Mitarbeiter muss zwischen 1 und 10000 liegen (angegeben: 10001)."},
        {{5, 0}, "Die Zahl der Jahre muss zwischen 1 und 30 liegen (angegeben: 0)."},
        {{5, 31}, "Die Zahl der Jahre muss zwischen 1 und 30 liegen (angegeben: 31)."},
    };
    for (const auto& c : cases) {
        EXPECT_THROW_MSG(cli::createDemoData(tmp.file("daten"), Datum{1, 6, 2026}, c.size), c.message);
        EXPECT_FALSE(fs::exists(tmp.file("daten")));
    }
}

} // namespace
} // namespace lorvan
