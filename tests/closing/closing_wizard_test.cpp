#include "closing_fixture.h"

#include "closing/booking_export.h"
#include "closing/closing_wizard.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

using test::closingEmployee;
using test::ClosingFixture;
using test::plainYear;

struct WizardFixture : ClosingFixture {
    std::unique_ptr<MonthClosingWizard> wizard;

    WizardFixture() {
        addEmployee(closingEmployee(1, "Lena Lang", "Lager"));
        addEmployee(closingEmployee(2, "Bert Bach", "Büro"));
        addEmployee(closingEmployee(3, "Olga Ott", "Lager"));
        CMitarbeiterDoc gone = closingEmployee(4, "Gerd Gast", "Versand");
        gone.active = 0;
        addEmployee(gone);
        for (const char* name : {"Lena Lang", "Bert Bach", "Olga Ott", "Gerd Gast"})
            save(plainYear(name, 2024).day(3, 4).work("8:00", "16:00"));
        open();
    }
    void open() { wizard = std::make_unique<MonthClosingWizard>(dir(), employees, store, prompter, clock); }
};

TEST(MonthClosingWizard, PeriodEntriesAndTheProposedMonth) {
    WizardFixture f;
    EXPECT_EQ(f.wizard->caption(), "Monatsabschluss - Festlegen des Zeitraums und der Auswahlmöglichkeiten");
    EXPECT_EQ(f.wizard->periodEntries(),
              (std::array<std::string, 3>{"Letzter Monat      03.2024", "Aktueller Monat   04.2024", "Monat eingeben"}));
    EXPECT_FALSE(f.wizard->monthFieldEnabled());
    f.wizard->setPeriod(ClosingPeriod::EnteredMonth);
    EXPECT_TRUE(f.wizard->monthFieldEnabled());
    EXPECT_EQ(f.wizard->monthText, "02.2024");

    f.clock.set(Datum{10, 1, 2025});
    EXPECT_EQ(f.wizard->periodEntries()[0], "Letzter Monat      12.2024");
    f.wizard->setPeriod(ClosingPeriod::EnteredMonth);
    EXPECT_EQ(f.wizard->monthText, "11.2024");
}

TEST(MonthClosingWizard, TheMonthFieldIsChecked) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {{"", kMonthMissing}, {"  ", kMonthMissing}, {"13.2024", kMonthInvalid}, {"2024", kMonthInvalid}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WizardFixture f;
        f.wizard->setPeriod(ClosingPeriod::EnteredMonth);
        f.wizard->monthText = c.text;
        EXPECT_FALSE(f.wizard->next());
        EXPECT_EQ(f.prompter.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(f.wizard->focus(), ClosingField::Month);
        EXPECT_EQ(f.wizard->page(), ClosingPage::Period);
    }
}

TEST(MonthClosingWizard, AllEmployeesGoStraightToTheFinishPage) {
    WizardFixture f;
    f.wizard->setPeriod(ClosingPeriod::EnteredMonth);
    f.wizard->monthText = "3.2024";
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->page(), ClosingPage::Finish);
    EXPECT_EQ(f.wizard->caption(), "Monatsabschluss - Fertig stellen");
    EXPECT_EQ(f.wizard->monthSummary(), "03.2024");
    EXPECT_EQ(f.wizard->employeeSummary(), "Alle");
    // Only the active employees.
    EXPECT_EQ(f.wizard->collection()->monthList.size(), 3u);
    EXPECT_EQ(f.store.readString(kClosingSection, "Zeitraum", ""), "2");
    EXPECT_EQ(f.store.readString(kClosingSection, "Mitarbeiter", ""), "0");
    EXPECT_EQ(f.store.readString(kClosingSection, "Abteilung", ""), "0");

    f.wizard->setPeriod(ClosingPeriod::CurrentMonth); // April: no data
    EXPECT_TRUE(f.wizard->back());
    EXPECT_FALSE(f.wizard->next());
    EXPECT_EQ(f.prompter.texts().back(), kNoMonthData);
    EXPECT_EQ(f.wizard->page(), ClosingPage::Period);
    EXPECT_EQ(f.wizard->monthSummary(), "4.2024");
}

TEST(MonthClosingWizard, LastMonthInJanuaryReadsThePreviousYear) {
    WizardFixture f;
    f.save(plainYear("Bert Bach", 2023).day(12, 4).work("8:00", "16:00"));
    f.clock.set(Datum{10, 1, 2024});
    f.open();
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->monthSummary(), "12.2023");
    ASSERT_EQ(f.wizard->collection()->monthList.size(), 1u);
    EXPECT_EQ(f.wizard->collection()->monthList[0].employee().name, "Bert Bach");
}

TEST(MonthClosingWizard, DepartmentPage) {
    WizardFixture f;
    f.wizard->setSelection(ClosingSelection::Departments);
    f.wizard->setPeriod(ClosingPeriod::LastMonth);
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->page(), ClosingPage::Departments);
    EXPECT_EQ(f.wizard->caption(), "Monatsabschluss - Auswählen einzelner Abteilungen");
    EXPECT_EQ(f.wizard->possibleDepartments(), (std::vector<std::string>{"Büro", "Lager"}));
    EXPECT_FALSE(f.wizard->next());
    EXPECT_EQ(f.prompter.texts().back(), kNoDepartmentSelected);
    EXPECT_EQ(f.wizard->focus(), ClosingField::PossibleDepartments);
    EXPECT_FALSE(f.wizard->selectDepartment(5));

    f.wizard->back();
    f.wizard->setOnlyActive(false);
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->possibleDepartments(), (std::vector<std::string>{"Büro", "Lager", "Versand"}));
    ASSERT_TRUE(f.wizard->selectDepartment(1)); // Lager
    ASSERT_TRUE(f.wizard->selectDepartment(0)); // Büro
    EXPECT_EQ(f.wizard->selectedDepartments(), (std::vector<std::string>{"Büro", "Lager"}));
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->employeeSummary(), "Büro,Lager");
    std::vector<int32_t> order;
    for (const CollectedMonth& m : f.wizard->collection()->monthList)
        order.push_back(m.employee().number);
    EXPECT_EQ(order, (std::vector<int32_t>{2, 1, 3}));
    EXPECT_EQ(f.store.readString(kClosingSection, "Abteilung", ""), "1");
    EXPECT_EQ(f.store.readString(kClosingSection, "Mitarbeiter", ""), "1");

    // Every department, more than one: all.
    f.wizard->back();
    f.wizard->selectAllDepartments();
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->employeeSummary(), "Alle");
}

TEST(MonthClosingWizard, EmployeePage) {
    WizardFixture f;
    f.wizard->setSelection(ClosingSelection::Employees);
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->page(), ClosingPage::Employees);
    ASSERT_EQ(f.wizard->possibleEmployees().size(), 3u); // the inactive one is not offered
    EXPECT_FALSE(f.wizard->next());
    EXPECT_EQ(f.prompter.texts().back(), kNoEmployeeSelected);
    EXPECT_EQ(f.wizard->focus(), ClosingField::PossibleEmployees);
    ASSERT_TRUE(f.wizard->selectEmployee(2)); // Olga Ott (3)
    ASSERT_TRUE(f.wizard->selectEmployee(0)); // Lena Lang (1)
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->employeeSummary(), "Lena Lang,Olga Ott");
    EXPECT_EQ(f.wizard->collection()->monthList.size(), 2u);

    f.wizard->back();
    f.wizard->deselectAllEmployees();
    f.wizard->selectAllEmployees();
    ASSERT_TRUE(f.wizard->next());
    EXPECT_EQ(f.wizard->employeeSummary(), "Alle");
}

TEST(MonthClosingWizard, TheListsAreBuiltOncePerCollection) {
    WizardFixture f;
    ASSERT_TRUE(f.wizard->next());
    const CReportTable* first = &f.wizard->accountList(false);
    EXPECT_EQ(first, &f.wizard->accountList(false));
    EXPECT_EQ(f.wizard->costList().name, "EXPORT");
}

TEST(MonthClosingWizard, CloseStoresTheChoicesAndTheMissingTimesSettings) {
    WizardFixture f;
    EXPECT_TRUE(f.wizard->absenceOnlyMissing);
    f.wizard->setSelection(ClosingSelection::Employees);
    f.wizard->absenceFile = "/tmp/fehlzeiten.csv";
    f.wizard->absenceOnlyMissing = false;
    f.wizard->close();
    f.open();
    EXPECT_EQ(f.wizard->selection(), ClosingSelection::Employees);
    EXPECT_EQ(f.wizard->absenceFile, "/tmp/fehlzeiten.csv");
    EXPECT_FALSE(f.wizard->absenceOnlyMissing);
}

TEST(MonthClosingWizard, AConfirmedBookingExportClosesTheMonth) {
    WizardFixture f;
    f.clock.set(Datum{5, 4, 2024});
    f.wizard->setPeriod(ClosingPeriod::EnteredMonth);
    f.wizard->monthText = "3.2024";
    ASSERT_TRUE(f.wizard->next());
    std::vector<std::string> advanced;
    auto advance = [&](const std::string& text) { advanced.push_back(text); };

    BookingExportForm cancelled(*f.wizard->collection(), f.dir(), f.store, f.prompter, f.clock);
    EXPECT_FALSE(f.wizard->confirmBookingExport(cancelled, advance)); // no booking file given
    EXPECT_TRUE(advanced.empty());

    BookingExportForm form(*f.wizard->collection(), f.dir(), f.store, f.prompter, f.clock);
    form.values.consultant = "1234";
    form.values.client = "56";
    form.values.bookingFile = f.home.file("buchungen.txt");
    EXPECT_TRUE(f.wizard->confirmBookingExport(form, advance));
    EXPECT_EQ(advanced, std::vector<std::string>{"03.2024"});
}

} // namespace
} // namespace lorvan
