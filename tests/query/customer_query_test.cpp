#include "query/customer_query.h"

#include "foundation/error.h"
#include "query/year_file_scan.h"
#include "support/scripted_prompter.h"
#include "query_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lorvan {
namespace {

using test::QueryData;
using test::ScriptedPrompter;
using test::YearFileBuilder;
using test::choicesWithLevels;
using test::customerLine;
using test::describeTree;

QueryResult evaluated(const QueryData& data, const QueryChoices& choices) {
    ScriptedPrompter prompter;
    std::optional<QueryResult> result = evaluateQuery(data.source(), choices, prompter);
    EXPECT_TRUE(result.has_value());
    EXPECT_TRUE(prompter.log().empty()) << prompter.log().front().text;
    return result ? std::move(*result) : QueryResult{};
}

// ----- The period test -----

struct PeriodCase {
    int32_t choice;
    Datum today;
    int32_t year;
    int32_t month;
    int32_t day;
    bool passes;
};

TEST(QueryPeriod, PassesTheYearsMonthsAndDaysOfEachChoice) {
    const Datum march{15, 3, 2026};
    const Datum january{15, 1, 2026};
    const PeriodCase cases[] = {
        {kPeriodAll, march, 1999, 0, 0, true},
        {kPeriodCurrentYear, march, 2026, 7, 1, true}, // month and day are not looked at
        {kPeriodCurrentYear, march, 2025, 0, 0, false},
        {kPeriodLastYear, march, 2025, 0, 0, true},
        {kPeriodLastYear, march, 2026, 0, 0, false},
        {kPeriodCurrentMonth, march, 2026, 0, 0, true},
        {kPeriodCurrentMonth, march, 2026, 3, 31, true},
        {kPeriodCurrentMonth, march, 2026, 4, 0, false},
        {kPeriodCurrentMonth, march, 2025, 3, 0, false},
        // In January the last month is December of the previous year.
        {kPeriodLastMonth, january, 2025, 0, 0, true},
        {kPeriodLastMonth, january, 2025, 12, 0, true},
        {kPeriodLastMonth, january, 2025, 11, 0, false},
        {kPeriodLastMonth, january, 2026, 0, 0, false},
        {kPeriodLastMonth, january, 2026, 1, 0, false},
        {kPeriodLastMonth, march, 2026, 2, 10, true},
    };
    for (const PeriodCase& c : cases) {
        QueryPeriod period;
        period.choice = c.choice;
        period.today = c.today;
        EXPECT_EQ(period.passes(c.year, c.month, c.day), c.passes)
            << "choice " << c.choice << ": " << c.day << "." << c.month << "." << c.year;
    }
}

TEST(QueryPeriod, AnOwnPeriodTakesWhatOverlapsItFirstAndLastDayIncluded) {
    QueryPeriod period;
    period.choice = kPeriodOwn;
    period.start = {30, 1, 2024};
    period.end = {2, 2, 2024};
    period.today = {1, 6, 2026};
    EXPECT_TRUE(period.passes(2024));
    EXPECT_FALSE(period.passes(2023));
    EXPECT_TRUE(period.passes(2024, 1));
    EXPECT_TRUE(period.passes(2024, 2));
    EXPECT_FALSE(period.passes(2024, 3));
    EXPECT_FALSE(period.passes(2024, 1, 29));
    EXPECT_TRUE(period.passes(2024, 1, 30));
    EXPECT_TRUE(period.passes(2024, 2, 2));
    EXPECT_FALSE(period.passes(2024, 2, 3));
}

TEST(QueryPeriod, TextsOfTheChoiceListAndTheSummaries) {
    EXPECT_EQ(periodChoiceTexts({15, 1, 2026}),
              (std::vector<std::string>{"Alles", "Aktuelles Jahr      2026", "Letztes Jahr         2025",
                                        "Aktueller Monat   01.2026", "Letzter Monat      12.2025",
                                        "Eigenen Zeitraum festlegen"}));
    const auto texts = [](int32_t choice, Datum today, Datum start = {}, Datum end = {}) {
        QueryPeriod period{choice, start, end, today};
        return period.summaryText() + "|" + period.titleText();
    };
    EXPECT_EQ(texts(kPeriodAll, {15, 1, 2026}), "Gesamt|");
    EXPECT_EQ(texts(kPeriodCurrentYear, {15, 1, 2026}), "2026|2026");
    EXPECT_EQ(texts(kPeriodLastYear, {15, 1, 2026}), "2025|2025");
    EXPECT_EQ(texts(kPeriodCurrentMonth, {15, 3, 2026}), "3.2026|3.2026");
    EXPECT_EQ(texts(kPeriodLastMonth, {15, 1, 2026}), "12.2025|12.2025");
    EXPECT_EQ(texts(kPeriodLastMonth, {15, 3, 2026}), "02.2026|02.2026");
    EXPECT_EQ(texts(kPeriodOwn, {15, 3, 2026}, {2, 3, 2025}, {2, 3, 2025}), "02.03.2025|02.03.2025");
    EXPECT_EQ(texts(kPeriodOwn, {15, 3, 2026}, {30, 1, 2024}, {2, 2, 2024}),
              "30.01.2024 - 02.02.2024|30.01.2024 - 02.02.2024");
}

// ----- Keys and the lines that count -----

TEST(QueryCustomerText, ShowsANumberWithTheCustomersCurrentName) {
    QueryData data;
    struct Case {
        const char* kind;
        const char* entry;
        const char* shown;
    };
    const Case cases[] = {
        {kKindCustomer, "12 - Alt GmbH", "12 - Neu GmbH"},
        {kKindCustomer, "12", "12 - Neu GmbH"},
        {kKindCustomer, "Müller & Co", "Müller & Co"},   // no digit first: as it stands
        {kKindCustomer, "99 - Weg GmbH", "99 - Weg GmbH"}, // no such customer
        {kKindCustomer, "12abc", "12abc"},                 // no number before the "-"
        {kKindOffice, "12 - Alt GmbH", ""},                // other kinds have no customer
        {kKindBreak, "", ""},
    };
    for (const Case& c : cases) {
        CZeitZeile line;
        line.kind = c.kind;
        line.customer = c.entry;
        EXPECT_EQ(queryCustomerText(line, &data.customers), c.shown) << c.kind << " " << c.entry;
    }
}

TEST(CustomerQuery, PauseAndOfficeLinesCountOnlyOnLevelsThatHaveAValueForThem) {
    QueryData data;
    data.add(YearFileBuilder("Anna Berg", 2024)
                 .day(3, 14)
                 .line(kKindCustomer, "8:00", "12:00")
                 .withLine(customerLine("12 - Alt GmbH"))
                 .line(kKindBreak, "12:00", "12:30", 30)
                 .line(kKindOffice, "12:30", "14:00"));
    struct Case {
        std::initializer_list<const char*> levels;
        const char* tree;
    };
    const Case cases[] = {
        {{kLevelCustomer, kLevelDay}, "12 - Neu GmbH=240[14.03.2024=240]"},
        // With day and employee the pause and office lines count with their whole duration.
        {{kLevelDay, kLevelEmployee}, "14.03.2024=360[Anna Berg=360]"},
        {{kLevelFromTo}, "08:00 - 12:00=240 12:00 - 12:30=30 12:30 - 14:00=90"},
        // A level without value further down leaves no empty node on the levels above.
        {{kLevelFromTo, kLevelCustomer}, "08:00 - 12:00=240[12 - Neu GmbH=240]"},
    };
    for (const Case& c : cases) {
        const QueryResult result = evaluated(data, choicesWithLevels(c.levels));
        EXPECT_EQ(describeTree(result.root), c.tree);
    }
}

TEST(CustomerQuery, GroupsOldAndNewCustomerTextsUnderTheCurrentName) {
    QueryData data;
    data.add(YearFileBuilder("Anna Berg", 2024)
                 .day(3, 14)
                 .line(kKindCustomer, "8:00", "9:00")
                 .withLine(customerLine("12 - Alt GmbH"))
                 .line(kKindCustomer, "9:00", "10:00")
                 .withLine(customerLine("12 - Neu GmbH"))
                 .line(kKindCustomer, "10:00", "10:30")
                 .withLine(customerLine("Laufkundschaft")));
    EXPECT_EQ(describeTree(evaluated(data, choicesWithLevels({kLevelCustomer})).root),
              "12 - Neu GmbH=120 Laufkundschaft=30");
}

TEST(CustomerQuery, FourLevelsGroupEqualFromToTextsOfDifferentDaysUnderTheirParents) {
    QueryData data;
    data.add(YearFileBuilder("Anna Berg", 2024)
                 .day(3, 14)
                 .line(kKindCustomer, "8:30", "12:00")
                 .withLine(customerLine("3", "Wartung"))
                 .day(3, 15)
                 .line(kKindCustomer, "8:30", "12:00")
                 .withLine(customerLine("3", "Wartung")));
    const QueryResult result =
        evaluated(data, choicesWithLevels({kLevelCustomer, kLevelService, kLevelEmployee, kLevelFromTo}));
    EXPECT_EQ(describeTree(result.root), "3 - Dritte AG=420[Wartung=420[Anna Berg=420[08:30 - 12:00=420]]]");
    EXPECT_EQ(result.root.minutes, 420);
    EXPECT_EQ(result.root.level, kLevelCustomer);
    const QueryNode& leaf = result.root.children[0].children[0].children[0].children[0];
    EXPECT_EQ(leaf.depth, 4);
    EXPECT_EQ(leaf.level, kLevelNone);
}

TEST(CustomerQuery, DayKeysSortByDateAndShowTheGermanDate) {
    QueryData data;
    data.add(YearFileBuilder("Anna Berg", 2024).day(12, 1).work("8:00", "9:00").day(2, 3).work("8:00", "10:00"));
    data.add(YearFileBuilder("Anna Berg", 2023).day(12, 31).work("8:00", "8:15"));
    const QueryResult result = evaluated(data, choicesWithLevels({kLevelDay}));
    EXPECT_EQ(describeTree(result.root), "31.12.2023=15 03.02.2024=120 01.12.2024=60");
    EXPECT_EQ(result.root.children[0].key, "2023.12.31");
}

// ----- Which files take part -----

TEST(CustomerQuery, AllEmployeesReadsOnlyFilesOfPersonsInTheEmployeeFileActiveOrNot) {
    QueryData data;
    data.add(YearFileBuilder("Anna Berg", 2024).day(3, 14).work("8:00", "9:00"));
    data.add(YearFileBuilder("Bernd Kurz", 2024).day(3, 14).work("8:00", "10:00")); // inactive
    data.add(YearFileBuilder("Carl Fremd", 2024).day(3, 14).work("8:00", "11:00")); // not in Daten.mar
    EXPECT_EQ(describeTree(evaluated(data, choicesWithLevels({kLevelEmployee})).root),
              "Anna Berg=60 Bernd Kurz=120");

    QueryChoices selected = choicesWithLevels({kLevelEmployee});
    selected.allEmployees = false;
    selected.employees = {"anna berg", "Carl Fremd"}; // letter case ignored; any selected name counts
    EXPECT_EQ(describeTree(evaluated(data, selected).root), "Anna Berg=60 Carl Fremd=180");
}

TEST(CustomerQuery, AStrayCopyOfAYearFileIsNotCountedTwice) {
    QueryData data;
    const std::string path = data.add(YearFileBuilder("Anna Berg", 2024).day(3, 14).work("8:00", "9:00"));
    std::filesystem::copy_file(path, data.dir.file("Anna_Berg2024 (2).azr"));
    std::filesystem::copy_file(path, data.dir.file("Kopie von Anna_Berg2024.azr"));
    // The own name in other letter case is the file itself.
    std::filesystem::rename(path, data.dir.file("anna_berg2024.AZR"));
    EXPECT_EQ(describeTree(evaluated(data, choicesWithLevels({kLevelEmployee})).root), "Anna Berg=60");
}

TEST(CustomerQuery, UnreadableFilesAndSubfoldersAreSkippedAndNamed) {
    QueryData data;
    data.add(YearFileBuilder("Anna Berg", 2024).day(3, 14).work("8:00", "9:00"));
    test::writeBytes(data.dir.file("Kaputt2024.azr"), "\x05\x00");
    std::filesystem::create_directories(data.dir.path() / "ARCHIV");
    YearFileBuilder("Anna Berg", 2023).day(3, 14).work("8:00", "9:00").saveAs(data.dir.file("ARCHIV/Anna_Berg2023.azr"));
    const QueryResult result = evaluated(data, choicesWithLevels({kLevelEmployee}));
    EXPECT_EQ(describeTree(result.root), "Anna Berg=60");
    EXPECT_EQ(result.skippedFiles, std::vector<std::string>{data.dir.file("Kaputt2024.azr")});
}

TEST(YearFileScan, ReadsTheWholeFileOnlyWhenItsSettingsAreWanted) {
    QueryData data;
    // Settings larger than the first bytes read: deviating wages for many services.
    data.add(YearFileBuilder("Anna Berg", 2024)
                 .settings([](CEinstArbzt& s) {
                     s.wagesAsCostsInCustomerQuery = 1;
                     WagePeriod wage;
                     for (int i = 0; i < 2000; ++i) wage.deviatingHourlyWages["Dienstleistung " + std::to_string(i)] = i;
                     s.wagePeriods = {wage};
                 })
                 .day(3, 14)
                 .work("8:00", "9:00"));
    data.add(YearFileBuilder("Anna Berg", 2025).day(3, 14).work("8:00", "9:00"));
    std::vector<int32_t> offered;
    std::vector<int32_t> read;
    std::vector<std::string> skipped;
    YearFileScan::run(
        data.dir.path().string(),
        [&](const CEinstArbzt& s) {
            offered.push_back(s.year);
            return s.year == 2024;
        },
        [&](const CLorvanDoc& doc) {
            read.push_back(doc.settings().year);
            EXPECT_EQ(doc.settings().wagePeriods.front().deviatingHourlyWages.size(), 2000u);
            EXPECT_EQ(doc.months().at(3).days().at(14).lineCount(), 1u);
            return true;
        },
        skipped);
    EXPECT_EQ(offered, (std::vector<int32_t>{2024, 2025}));
    EXPECT_EQ(read, std::vector<int32_t>{2024});
    EXPECT_TRUE(skipped.empty());
}

// ----- Selections -----

TEST(CustomerQuery, CollectsThePossibleCustomersAndServices) {
    QueryData data;
    data.add(YearFileBuilder("Anna Berg", 2024)
                 .day(3, 14)
                 .line(kKindCustomer, "8:00", "9:00")
                 .withLine(customerLine("Zander", "Wartung"))
                 .line(kKindCustomer, "9:00", "10:00")
                 .withLine(customerLine("12 - Alt GmbH", "Montage"))
                 .line(kKindOffice, "10:00", "11:00")
                 .service("Beratung")
                 .line(kKindCustomer, "11:00", "12:00")
                 .withLine(customerLine("Ärztehaus", "Notdienst")));
    QueryChoices choices;
    // Byte-wise order of the Windows-1252 texts: digits, capitals, then "Ä".
    EXPECT_EQ(possibleCustomers(data.source(), choices),
              (std::vector<std::string>{"12 - Neu GmbH", "Zander", "Ärztehaus"}));
    EXPECT_EQ(possibleServices(data.source(), choices),
              (std::vector<std::string>{"Montage", "Notdienst", "Wartung"}));
    choices.onlyServicesWithCustomer = false;
    EXPECT_EQ(possibleServices(data.source(), choices),
              (std::vector<std::string>{"Beratung", "Montage", "Notdienst", "Wartung"}));
    choices.onlyServicesWithCustomer = true;
    choices.allCustomers = false;
    choices.customers = {"12 - Neu GmbH", "Zander"};
    EXPECT_EQ(possibleServices(data.source(), choices), (std::vector<std::string>{"Montage", "Wartung"}));
}

TEST(CustomerQuery, SelectionsLetLinesWithoutServiceOrCustomerPass) {
    QueryData data;
    data.add(YearFileBuilder("Anna Berg", 2024)
                 .day(3, 14)
                 .line(kKindCustomer, "8:00", "9:00")
                 .withLine(customerLine("3", "Wartung"))
                 .line(kKindCustomer, "9:00", "9:30")
                 .withLine(customerLine("12", "Montage"))
                 .line(kKindCustomer, "9:30", "9:45")
                 .withLine(customerLine("3"))
                 .line(kKindOffice, "10:00", "11:00")
                 .service("Wartung")
                 .work("11:00", "11:10"));
    struct Case {
        const char* what;
        std::function<void(QueryChoices&)> change;
        const char* tree;
    };
    const Case cases[] = {
        {"all", [](QueryChoices&) {}, "14.03.2024=115"},
        {"one service: lines without service pass",
         [](QueryChoices& c) {
             c.allServices = false;
             c.services = {"Wartung"};
         },
         "14.03.2024=85"},
        {"services without customer count too",
         [](QueryChoices& c) {
             c.onlyServicesWithCustomer = false;
         },
         "14.03.2024=175"},
        {"one customer: lines without customer pass",
         [](QueryChoices& c) {
             c.allCustomers = false;
             c.customers = {"3 - Dritte AG"};
         },
         "14.03.2024=85"},
    };
    for (const Case& c : cases) {
        QueryChoices choices = choicesWithLevels({kLevelDay});
        c.change(choices);
        EXPECT_EQ(describeTree(evaluated(data, choices).root), c.tree) << c.what;
    }
}

// ----- Costs -----

YearFileBuilder costedFile(const std::string& name, bool wagesAsCosts) {
    return YearFileBuilder(name, 2024)
        .settings([wagesAsCosts](CEinstArbzt& s) {
            s.wagesAsCostsInCustomerQuery = wagesAsCosts ? 1 : 0;
            WagePeriod wage;
            wage.hourlyWage = 20.0;
            wage.deviatingHourlyWages["Notdienst"] = 30.0;
            s.wagePeriods = {wage};
        })
        .day(3, 14)
        .line(kKindCustomer, "8:00", "9:30")
        .withLine([](CZeitZeile& l) {
            l.customer = "3";
            l.costKind = kCostFromHourlyWage;
        })
        .line(kKindCustomer, "9:30", "10:15")
        .withLine([](CZeitZeile& l) {
            l.customer = "3";
            l.service = "Notdienst";
            l.costKind = kCostFromHourlyWage;
        })
        .line(kKindCustomer, "10:15", "11:00")
        .withLine([](CZeitZeile& l) {
            l.customer = "12";
            l.costKind = kCostFixedAmount;
            l.costAmount = 35.0;
        });
}

TEST(CustomerQuery, CostsFollowTheLinesCostKinds) {
    QueryData data;
    data.add(costedFile("Anna Berg", true));
    QueryChoices choices = choicesWithLevels({kLevelCustomer});
    choices.showCosts = true;
    const QueryResult result = evaluated(data, choices);
    // 1.5 h at 20.00 = 30.00, 0.75 h at the deviating 30.00 = 22.50; a fixed 35.00.
    ASSERT_EQ(result.root.children.size(), 2u);
    EXPECT_DOUBLE_EQ(result.root.children[0].costs, 35.0);
    EXPECT_DOUBLE_EQ(result.root.children[1].costs, 52.5);
    EXPECT_DOUBLE_EQ(result.root.costs, 87.5);
}

TEST(CustomerQuery, TheCostQuestionComesOncePerFileThatForbidsWagesAsCosts) {
    QueryData data;
    data.add(costedFile("Anna Berg", false));
    data.add(costedFile("Bernd Kurz", true));
    QueryChoices choices = choicesWithLevels({kLevelEmployee});
    choices.showCosts = true;
    const std::string question =
        "Die Kosten aus Stundenlohn für 'Anna Berg' für das Jahr 2024 können nicht ausgewiesen werden.\nSie "
        "müssen diese Funktionalität in den Einstellungen der Arbeitszeitdatei freischalten.\n\nSoll die "
        "Verarbeitung trotzdem fortgesetzt werden?";

    ScriptedPrompter yes;
    yes.answerYes();
    const std::optional<QueryResult> result = evaluateQuery(data.source(), choices, yes);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(yes.texts(), std::vector<std::string>{question});
    // Anna's lines from her wage count with 0, her fixed amount stays.
    EXPECT_DOUBLE_EQ(result->root.children[0].costs, 35.0);
    EXPECT_DOUBLE_EQ(result->root.children[1].costs, 87.5);

    ScriptedPrompter no;
    no.answerNo();
    EXPECT_FALSE(evaluateQuery(data.source(), choices, no).has_value());
    EXPECT_EQ(no.texts(), std::vector<std::string>{question});

    // Without costs nobody asks.
    choices.showCosts = false;
    ScriptedPrompter silent;
    EXPECT_TRUE(evaluateQuery(data.source(), choices, silent).has_value());
    EXPECT_TRUE(silent.log().empty());
}

TEST(CustomerQuery, AFailureWhileBuildingEndsWithItsMessage) {
    QueryData data;
    // Wages as costs allowed, but no wage period for March to take the wage from.
    data.add(YearFileBuilder("Anna Berg", 2024)
                 .settings([](CEinstArbzt& s) {
                     s.wagesAsCostsInCustomerQuery = 1;
                     WagePeriod wage;
                     wage.fromMonth = 4;
                     s.wagePeriods = {wage};
                 })
                 .day(3, 14)
                 .line(kKindCustomer, "8:00", "9:00")
                 .withLine(customerLine("3")));
    QueryChoices choices = choicesWithLevels({kLevelCustomer});
    choices.showCosts = true;
    ScriptedPrompter prompter;
    EXPECT_FALSE(evaluateQuery(data.source(), choices, prompter).has_value());
    ASSERT_EQ(prompter.log().size(), 1u);
    EXPECT_EQ(prompter.log()[0].kind, "error");
    EXPECT_EQ(prompter.log()[0].text, std::string(kEvaluationFailedMessage) + kPointerNotSet);
}

// ----- Texts -----

TEST(CustomerQuery, ValueTexts) {
    EXPECT_EQ(queryMinutesText(0, true), "");
    EXPECT_EQ(queryMinutesText(255, true), "04:15 h");
    EXPECT_EQ(queryMinutesText(6005, false), "100:05");
    EXPECT_EQ(queryCostText(0.0, true), "");
    EXPECT_EQ(queryCostText(-3.0, true), "");
    EXPECT_EQ(queryCostText(1234.5, true), "1234,50 EUR");
}

struct SummaryCase {
    const char* what;
    std::function<void(QueryChoices&)> change;
    PossibleCounts possible;
    const char* employees;
    const char* customers;
    const char* services;
    const char* title;
};

TEST(CustomerQuery, SummariesOfTheFinishPageAndTheTitle) {
    const SummaryCase cases[] = {
        {"all", [](QueryChoices&) {}, {}, "Alle", "Alle", "Alle", "Übersicht Kunde/Tag/Mitarbeiter"},
        {"one customer in the title's level word",
         [](QueryChoices& c) {
             c.allCustomers = false;
             c.customers = {"3 - Dritte AG"};
         },
         {0, 5, 0},
         "Alle",
         "3 - Dritte AG",
         "Alle",
         "Übersicht Kunde (3 - Dritte AG)/Tag/Mitarbeiter"},
        {"two customers, one service appended, current year",
         [](QueryChoices& c) {
             c.allCustomers = false;
             c.customers = {"3 - Dritte AG", "Zander"};
             c.allServices = false;
             c.services = {"Wartung"};
             c.period.choice = kPeriodCurrentYear;
         },
         {0, 5, 4},
         "Alle",
         "3 - Dritte AG,Zander",
         "Wartung",
         "Übersicht Kunden (Ausgewählt)/Tag/Mitarbeiter - Dienstleistung (Wartung) - 2026"},
        {"four employees, every possible customer",
         [](QueryChoices& c) {
             c.allEmployees = false;
             c.employees = {"A", "B", "C", "D"};
             c.allCustomers = false;
             c.customers = {"X", "Y"};
         },
         {9, 2, 0},
         "Ausgewählt",
         "Alle",
         "Alle",
         "Übersicht Kunde/Tag/Mitarbeiter (Ausgewählt)"},
        {"the only possible employee is no 'all'",
         [](QueryChoices& c) {
             c.allEmployees = false;
             c.employees = {"Anna Berg"};
             c.levels[2] = QueryLevel{kLevelNone, false};
         },
         {1, 0, 0},
         "Anna Berg",
         "Alle",
         "Alle",
         "Übersicht Kunde/Tag - Mitarbeiter (Anna Berg)"},
    };
    for (const SummaryCase& c : cases) {
        QueryChoices choices;
        choices.levels = {QueryLevel{kLevelCustomer, true}, QueryLevel{kLevelDay, true},
                          QueryLevel{kLevelEmployee, true}, QueryLevel{kLevelNone, false}};
        choices.period.today = {15, 3, 2026};
        c.change(choices);
        const QuerySummary summary = querySummary(choices, c.possible);
        EXPECT_EQ(summary.employees, c.employees) << c.what;
        EXPECT_EQ(summary.customers, c.customers) << c.what;
        EXPECT_EQ(summary.services, c.services) << c.what;
        EXPECT_EQ(summary.title, c.title) << c.what;
    }
}

TEST(QueryChoices, LevelsInUseAndTheStoredSettings) {
    QueryChoices choices = choicesWithLevels({kLevelDay, kLevelNone, kLevelService});
    EXPECT_EQ(choices.levelCount(), 3);
    EXPECT_EQ(choices.structureText(), "Tag/Keine weitere Ebene/Dienstleistung");
    EXPECT_EQ(choices.levelName(5), kLevelNone);
    EXPECT_TRUE(choices.levelSum(5));
    EXPECT_EQ(choicesWithLevels({kLevelEmployee}).levelCount(), 1);

    CustomerQuerySettings stored;
    stored.periodChoice = kPeriodOwn;
    stored.periodStart = "30.01.2024";
    stored.periodEnd = "";
    stored.levels[1] = {"Unbekannt", 1};
    const QueryChoices read = QueryChoices::fromSettings(stored, {15, 3, 2026});
    EXPECT_EQ(read.period.start, (Datum{30, 1, 2024}));
    EXPECT_EQ(read.period.end, (Datum{15, 3, 2026})); // an empty text shows today
    EXPECT_EQ(read.levels[1].name, kLevelNone);

    CustomerQuerySettings written;
    read.storeInto(written);
    EXPECT_EQ(written.periodStart, "30.01.2024");
    EXPECT_EQ(written.periodEnd, "15.03.2026");
    EXPECT_EQ(written.levels[0].name, "Kunde");
}

} // namespace
} // namespace lorvan
