#include "query/ui/customer_query_window.h"

#include "app/document_kinds.h"
#include "app/menu_table.h"
#include "gui/common/qt_platform.h"
#include "masterdata/employee_file.h"
#include "output/ui/pdf_export.h"
#include "support/fake_desktop.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>

namespace lorvan {
namespace {

void screenshot(QWidget* widget, const char* name) {
    EXPECT_TRUE(widget->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QStringLiteral("/") +
                                    QString::fromUtf8(name)));
}

class CustomerQueryWindowTest : public ::testing::Test {
  protected:
    CustomerQueryWindowTest() { registerQueryCommands(desktop); }

    CustomerQueryWindow* open() {
        desktop.commands().run(MenuCommand::CustomerQuery);
        return dynamic_cast<CustomerQueryWindow*>(desktop.activeDocument());
    }

    // Demo data of 15 June 2026: the field service (Jörg Weiß, Lena Becker) works at customers.
    test::FakeDesktop desktop{"Daten.mar", "Daten.kd", "Daten.dl", "Joerg_Weiss2026.azr", "Lena_Becker2026.azr",
                              "Anna_Schneider2026.azr"};
};

TEST_F(CustomerQueryWindowTest, WalksThroughThePagesToTheFinishPageAndKeepsTheChoices) {
    CustomerQueryWindow* window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(desktop.viewNumbers(), std::vector<int32_t>{kViewCustomerQuery});
    EXPECT_EQ(fromQt(window->windowTitle()), "Kundenabfrage - Festlegen des Zeitraums und der Auswahlmöglichkeiten");
    // The stored defaults: everything, all employees; the dates only for an own period.
    EXPECT_EQ(window->periodBox()->currentIndex(), 0);
    EXPECT_EQ(fromQt(window->periodBox()->itemText(4)), "Letzter Monat      05.2026");
    EXPECT_FALSE(window->fromPicker()->isEnabled());
    EXPECT_TRUE(window->onlyActiveBox()->isChecked());
    EXPECT_FALSE(window->backButton()->isEnabled());

    window->periodBox()->setCurrentIndex(kPeriodLastMonth);
    window->chooseCustomersButton()->setChecked(true);
    screenshot(window, "query_period.png");
    window->nextButton()->click();
    EXPECT_EQ(fromQt(window->windowTitle()), "Kundenabfrage - Festlegen des Aufbaus");
    EXPECT_EQ(window->levelBox(1)->count(), 5); // no "Keine weitere Ebene" on level 1
    EXPECT_EQ(fromQt(window->levelBox(3)->currentText()), "Mitarbeiter");
    window->sumBox(2)->setChecked(false);
    window->costsBox()->setChecked(true);
    screenshot(window, "query_structure.png");

    window->nextButton()->click();
    EXPECT_EQ(fromQt(window->windowTitle()), "Kundenabfrage - Auswählen einzelner Kunden");
    QuerySelectionPage* customers = window->customersPage();
    ASSERT_GE(customers->possibleList()->topLevelItemCount(), 2);
    EXPECT_EQ(customers->selectedList()->topLevelItemCount(), 0);
    customers->searchField()->setText(QStringLiteral("stadtwerke"));
    customers->selectButton()->click();
    customers->possibleList()->setCurrentItem(customers->possibleList()->topLevelItem(0));
    customers->moveButton()->click();
    EXPECT_EQ(customers->selectedList()->topLevelItemCount(), 2);
    // A double-click moves an entry as the arrow buttons do.
    const int possible = customers->possibleList()->topLevelItemCount();
    customers->selectedList()->setCurrentItem(customers->selectedList()->topLevelItem(0));
    emit customers->selectedList()->itemDoubleClicked(customers->selectedList()->currentItem(), 0);
    EXPECT_EQ(customers->selectedList()->topLevelItemCount(), 1);
    EXPECT_EQ(customers->possibleList()->topLevelItemCount(), possible + 1);
    customers->possibleList()->setCurrentItem(customers->possibleList()->topLevelItem(0));
    emit customers->possibleList()->itemDoubleClicked(customers->possibleList()->currentItem(), 0);
    EXPECT_EQ(customers->selectedList()->topLevelItemCount(), 2);
    screenshot(window, "query_customers.png");

    window->nextButton()->click();
    EXPECT_EQ(fromQt(window->windowTitle()), "Kundenabfrage - Fertig stellen");
    EXPECT_EQ(fromQt(window->summaryField(0)->text()), "05.2026");
    EXPECT_EQ(fromQt(window->summaryField(1)->text()), "Kunde/Tag/Mitarbeiter");
    EXPECT_EQ(fromQt(window->summaryField(2)->text()), "Alle");
    EXPECT_EQ(fromQt(window->exportButton()->text()), "&Export nach Excel...");
    EXPECT_FALSE(window->nextButton()->isEnabled());
    EXPECT_TRUE(desktop.scripted().log().empty());
    screenshot(window, "query_finish.png");

    // The printed result, for a look at its pages.
    const QueryReport report = window->model().report();
    EXPECT_EQ(report.title.rfind("Übersicht Kunden (Ausgewählt)/Tag/Mitarbeiter - 05.2026", 0), 0u) << report.title;
    std::string logo;
    writePdf(std::string(LORVAN_SCREENSHOT_DIR) + "/query_result.pdf",
             [&](Surface& surface) { printQueryReport(surface, report, logo, {}); });

    window->finishButton()->click();
    EXPECT_TRUE(desktop.documents().empty());
    CTwMaDoc stored;
    stored.open(desktop.dataDirectory() + "Daten.mar");
    EXPECT_EQ(stored.customerQuery.periodChoice, kPeriodLastMonth);
    EXPECT_EQ(stored.customerQuery.allCustomers, 0);
    EXPECT_EQ(stored.customerQuery.levels[1].showSum, 0);
    EXPECT_EQ(stored.customerQuery.showCosts, 1);
}

TEST_F(CustomerQueryWindowTest, AWrongPeriodAndCancelLeaveTheFileAsItWas) {
    CustomerQueryWindow* window = open();
    ASSERT_NE(window, nullptr);
    window->periodBox()->setCurrentIndex(kPeriodOwn);
    EXPECT_TRUE(window->toPicker()->isEnabled());
    window->fromPicker()->setDate(QDate(2026, 3, 2));
    window->toPicker()->setDate(QDate(2026, 3, 1));
    window->nextButton()->click();
    EXPECT_EQ(desktop.scripted().texts(), std::vector<std::string>{"Der Beginn des Zeitraums muss vor dem Ende liegen."});
    EXPECT_EQ(window->pages()->currentIndex(), 0);
    // Opening again activates the window there is.
    EXPECT_EQ(open(), window);
    window->cancelButton()->click();
    EXPECT_TRUE(desktop.documents().empty());
    CTwMaDoc stored;
    stored.open(desktop.dataDirectory() + "Daten.mar");
    EXPECT_EQ(stored.customerQuery.periodChoice, kPeriodAll);
}

} // namespace
} // namespace lorvan
