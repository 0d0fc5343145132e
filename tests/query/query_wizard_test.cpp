#include "query/query_wizard.h"

#include "platform/clock.h"
#include "support/scripted_prompter.h"
#include "query_fixture.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::QueryData;
using test::ScriptedPrompter;
using test::YearFileBuilder;
using test::customerLine;

struct WizardTest : ::testing::Test {
    WizardTest() {
        data.add(YearFileBuilder("Anna Berg", 2026)
                     .day(1, 14)
                     .line(kKindCustomer, "8:00", "9:00")
                     .withLine(customerLine("3", "Wartung"))
                     .line(kKindCustomer, "9:00", "10:30")
                     .withLine(customerLine("Zander", "Montage")));
        data.add(YearFileBuilder("Bernd Kurz", 2025)
                     .day(12, 30)
                     .line(kKindCustomer, "8:00", "12:00")
                     .withLine(customerLine("12 - Alt GmbH", "Beratung")));
    }

    DruckKunde wizard() { return DruckKunde(data.dir.file("Daten.mar"), data.employees, data.customers, clock, prompter); }

    QueryData data;
    FixedClock clock{Datum{20, 1, 2026}};
    ScriptedPrompter prompter;
};

std::vector<std::string> texts(const std::vector<SelectionLists::Entry>& entries) {
    std::vector<std::string> result;
    for (const auto& e : entries) result.push_back(e.number.empty() ? e.text : e.number + " " + e.text);
    return result;
}

TEST_F(WizardTest, TakesTheStoredChoicesAndShowsEachPagesCaption) {
    data.employees.customerQuery.periodChoice = kPeriodLastMonth;
    data.employees.customerQuery.levels[0] = {"Mitarbeiter", 1};
    DruckKunde w = wizard();
    EXPECT_EQ(w.choices.period.choice, kPeriodLastMonth);
    EXPECT_EQ(w.choices.levels[0].name, "Mitarbeiter");
    EXPECT_TRUE(w.onlyActiveEmployees);
    EXPECT_EQ(w.periodTexts()[4], "Letzter Monat      12.2025");
    EXPECT_EQ(DruckKunde::levelChoices(1).back(), "Arbeitszeit (Von-Bis)");
    EXPECT_EQ(DruckKunde::levelChoices(2).back(), "Keine weitere Ebene");
    EXPECT_EQ(w.caption(), "Kundenabfrage - Festlegen des Zeitraums und der Auswahlmöglichkeiten");
    ASSERT_TRUE(w.next());
    EXPECT_EQ(w.caption(), "Kundenabfrage - Festlegen des Aufbaus");
    ASSERT_TRUE(w.next());
    EXPECT_EQ(w.caption(), "Kundenabfrage - Fertig stellen");
    // Last month in January: December of the previous year, Bernd's day.
    EXPECT_EQ(w.summary().period, "12.2025");
    EXPECT_EQ(w.summary().structure, "Mitarbeiter/Tag/Mitarbeiter");
    EXPECT_EQ(w.summary().title, "Übersicht Mitarbeiter/Tag/Mitarbeiter - 12.2025");
    EXPECT_EQ(w.report().root.children.size(), 1u);
    EXPECT_EQ(w.report().root.children[0].display, "Bernd Kurz");
    w.back();
    EXPECT_EQ(w.page(), QueryPage::Structure);
    EXPECT_TRUE(prompter.log().empty());
}

TEST_F(WizardTest, AnOwnPeriodMustNotEndBeforeItBegins) {
    DruckKunde w = wizard();
    w.choices.period.choice = kPeriodOwn;
    w.choices.period.start = {2, 1, 2026};
    w.choices.period.end = {1, 1, 2026};
    EXPECT_TRUE(w.periodDatesEnabled());
    EXPECT_FALSE(w.next());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Der Beginn des Zeitraums muss vor dem Ende liegen."});
    EXPECT_EQ(w.focusField(), QueryField::PeriodEnd);
    EXPECT_EQ(w.page(), QueryPage::Period);
    w.choices.period.end = {2, 1, 2026}; // one day
    EXPECT_TRUE(w.next());
}

TEST_F(WizardTest, GoesThroughTheSelectionPagesThatAreNeeded) {
    DruckKunde w = wizard();
    w.choices.allEmployees = false;
    w.choices.allCustomers = false;
    w.choices.allServices = false;
    w.choices.period.choice = kPeriodAll;
    ASSERT_TRUE(w.next());
    ASSERT_TRUE(w.next());
    EXPECT_EQ(w.page(), QueryPage::Employees);
    // Only active employees are possible; Bernd is not.
    EXPECT_EQ(texts(w.employeeLists().possible()), std::vector<std::string>{"1 Anna Berg"});
    EXPECT_FALSE(w.next());
    EXPECT_EQ(prompter.texts().back(), "Es muss ein Mitarbeiter ausgewählt werden.");
    EXPECT_EQ(w.focusField(), QueryField::PossibleList);
    EXPECT_FALSE(w.employeeLists().moveSelected(-1)); // nothing chosen: the window beeps
    EXPECT_TRUE(w.employeeLists().moveAll());
    ASSERT_TRUE(w.next());
    EXPECT_EQ(w.page(), QueryPage::Customers);
    EXPECT_EQ(w.caption(), "Kundenabfrage - Auswählen einzelner Kunden");
    // Anna's customers only.
    EXPECT_EQ(texts(w.customerLists().possible()), (std::vector<std::string>{"3 - Dritte AG", "Zander"}));
    EXPECT_FALSE(w.selectContaining(QueryPage::Customers, ""));
    EXPECT_EQ(prompter.texts().back(), "Geben Sie den Namen des Kunden ein, der ausgewählt werden soll.");
    EXPECT_EQ(w.focusField(), QueryField::SearchText);
    EXPECT_TRUE(w.selectContaining(QueryPage::Customers, "dritte"));
    EXPECT_EQ(texts(w.customerLists().selected()), std::vector<std::string>{"3 - Dritte AG"});
    ASSERT_TRUE(w.next());
    EXPECT_EQ(w.page(), QueryPage::Services);
    // Services at the selected customer only.
    EXPECT_EQ(texts(w.serviceLists().possible()), std::vector<std::string>{"Wartung"});
    EXPECT_FALSE(w.selectContaining(QueryPage::Services, ""));
    EXPECT_EQ(prompter.texts().back(), "Geben Sie die Bezeichnung der Dienstleistung ein, die ausgewählt werden soll.");
    EXPECT_TRUE(w.serviceLists().moveSelected(0));
    ASSERT_TRUE(w.next());
    EXPECT_EQ(w.page(), QueryPage::Finish);
    EXPECT_EQ(w.summary().employees, "Anna Berg");
    EXPECT_EQ(w.summary().customers, "3 - Dritte AG");
    EXPECT_EQ(w.summary().services, "Wartung");
    EXPECT_EQ(w.summary().title, "Übersicht Kunde (3 - Dritte AG)/Tag/Mitarbeiter (Anna Berg) - Dienstleistung (Wartung)");
    EXPECT_EQ(w.report().root.minutes, 60);
    EXPECT_EQ(w.pagesShown(), (std::vector<QueryPage>{QueryPage::Period, QueryPage::Structure, QueryPage::Employees,
                                                      QueryPage::Customers, QueryPage::Services, QueryPage::Finish}));
    // Back to the start and on again: the later pages are built anew.
    for (int i = 0; i < 5; ++i) w.back();
    w.choices.allCustomers = true;
    w.choices.allServices = true;
    ASSERT_TRUE(w.next());
    ASSERT_TRUE(w.next());
    EXPECT_TRUE(w.employeeLists().selected().empty());
    w.onlyActiveEmployees = false;
    w.back();
    ASSERT_TRUE(w.next());
    EXPECT_EQ(texts(w.employeeLists().possible()), (std::vector<std::string>{"1 Anna Berg", "2 Bernd Kurz"}));
}

TEST_F(WizardTest, StaysWhereThereIsNothingToChooseOrToPrint) {
    DruckKunde w = wizard();
    // No working times in these days.
    w.choices.period.choice = kPeriodOwn;
    w.choices.period.start = {15, 1, 2026};
    w.choices.period.end = {20, 1, 2026};
    w.choices.allCustomers = false;
    ASSERT_TRUE(w.next());
    EXPECT_FALSE(w.next());
    EXPECT_EQ(prompter.texts().back(), "Es sind keine Kunden in der Auswahl enthalten.");
    EXPECT_EQ(w.page(), QueryPage::Structure);

    w.choices.allCustomers = true;
    w.choices.allServices = false;
    EXPECT_FALSE(w.next());
    EXPECT_EQ(prompter.texts().back(), "Es sind keine Dienstleistungen in der Auswahl enthalten.");

    w.choices.allServices = true;
    EXPECT_FALSE(w.next());
    EXPECT_EQ(prompter.texts().back(), "Es sind keine Daten zum Druck vorhanden.");
    EXPECT_EQ(w.page(), QueryPage::Structure);
    EXPECT_EQ(prompter.texts().size(), 3u);
}

TEST_F(WizardTest, CloseKeepsTheChoicesInTheEmployeeFileAndLeavesOtherChangesThere) {
    DruckKunde w = wizard();
    // Meanwhile another window added an employee to the file.
    CTwMaDoc changed;
    changed.open(data.dir.file("Daten.mar"));
    changed.put(QueryData::employee(3, "Clara Neu", true));
    changed.save(data.dir.file("Daten.mar"));

    w.choices.period.choice = kPeriodOwn;
    w.choices.period.start = {1, 1, 2026};
    w.choices.period.end = {31, 1, 2026};
    w.choices.allServices = false;
    w.choices.onlyServicesWithCustomer = false;
    w.choices.levels = {QueryLevel{kLevelService, false}, QueryLevel{kLevelFromTo, true}, QueryLevel{}, QueryLevel{}};
    w.choices.showCosts = true;
    w.choices.pageBreak = 2;
    ASSERT_TRUE(w.close());
    EXPECT_TRUE(prompter.log().empty());

    CTwMaDoc stored;
    stored.open(data.dir.file("Daten.mar"));
    EXPECT_NE(stored.findByNumber(3), nullptr);
    const CustomerQuerySettings& q = stored.customerQuery;
    EXPECT_EQ(q.periodChoice, kPeriodOwn);
    EXPECT_EQ(q.periodStart, "01.01.2026");
    EXPECT_EQ(q.periodEnd, "31.01.2026");
    EXPECT_EQ(q.allServices, 0);
    EXPECT_EQ(q.onlyServicesWithCustomer, 0);
    EXPECT_EQ(q.levels[0].name, "Dienstleistung");
    EXPECT_EQ(q.levels[0].showSum, 0);
    EXPECT_EQ(q.levels[1].name, "Arbeitszeit (Von-Bis)");
    EXPECT_EQ(q.levels[2].name, "Keine weitere Ebene");
    EXPECT_EQ(q.showCosts, 1);
    EXPECT_EQ(q.pageBreak, 2);
}

TEST(SelectionLists, MovesKeepTheFirstOrder) {
    SelectionLists lists;
    lists.reset({{"Anna", "1", 0}, {"Bernd", "2", 0}, {"Clara", "3", 0}});
    EXPECT_TRUE(lists.moveSelected(2));
    EXPECT_TRUE(lists.moveSelected(0));
    EXPECT_EQ(texts(lists.selected()), (std::vector<std::string>{"1 Anna", "3 Clara"}));
    EXPECT_TRUE(lists.moveBack(1));
    EXPECT_EQ(texts(lists.possible()), (std::vector<std::string>{"2 Bernd", "3 Clara"}));
    EXPECT_FALSE(lists.moveBack(5));
    EXPECT_EQ(lists.moveContaining("ER"), 1u);
    EXPECT_EQ(texts(lists.selected()), (std::vector<std::string>{"1 Anna", "2 Bernd"}));
    EXPECT_TRUE(lists.moveBackAll());
    EXPECT_FALSE(lists.moveBackAll());
    EXPECT_TRUE(lists.moveAll());
    EXPECT_FALSE(lists.moveAll());
    EXPECT_EQ(lists.selectedTexts(), (std::vector<std::string>{"Anna", "Bernd", "Clara"}));
}

} // namespace
} // namespace lorvan
