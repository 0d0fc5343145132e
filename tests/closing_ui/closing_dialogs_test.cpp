#include "closing/ui/closing_dialogs.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/document_kinds.h"
#include "app/menu_table.h"
#include "gui/common/print_preview.h"
#include "support/fake_desktop.h"
#include "support/gui_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include <filesystem>

namespace lorvan {
namespace {

using test::answerModals;
using test::buttonWithText;
using test::FakeDesktop;

void screenshot(QWidget* widget, const char* name) {
    EXPECT_TRUE(widget->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QStringLiteral("/") +
                                    QString::fromUtf8(name)));
}

FakeDesktop demoDesktop() {
    return FakeDesktop{"Daten.mar", "Anna_Schneider2026.azr", "Joerg_Weiss2026.azr", "Lena_Becker2026.azr",
                       "Sabine_Mueller2026.azr"};
}

QRadioButton* radio(const QWidget* window, const char* text) {
    for (QRadioButton* r : window->findChildren<QRadioButton*>())
        if (r->text() == QString::fromUtf8(text)) return r;
    ADD_FAILURE() << "no radio button " << text;
    return nullptr;
}

TEST(MonthClosingWindow, ThePagesByDepartment) {
    FakeDesktop desktop = demoDesktop();
    MonthClosingWindow dialog(desktop);
    dialog.show();
    EXPECT_EQ(dialog.periodList()->count(), 3);
    EXPECT_EQ(dialog.periodList()->itemText(0), QStringLiteral("Letzter Monat      05.2026"));
    EXPECT_FALSE(dialog.monthField()->isEnabled());
    EXPECT_FALSE(dialog.closeButton()->isEnabled());
    radio(&dialog, "Abteilung auswählen (oder nach Abteilung sortieren / gruppieren)")->setChecked(true);
    screenshot(&dialog, "closing_wizard_period.png");

    dialog.nextButton()->click();
    ASSERT_EQ(dialog.wizard().page(), ClosingPage::Departments);
    auto* possible = dialog.pages()->currentWidget()->findChildren<QTreeWidget*>().at(0);
    EXPECT_EQ(possible->topLevelItemCount(), 2); // Büro, Montage
    dialog.nextButton()->click();
    EXPECT_EQ(desktop.scripted().texts().back(), "Es muss eine Abteilung ausgewählt werden.");
    buttonWithText(dialog.pages()->currentWidget(), ">>")->click();
    EXPECT_EQ(possible->topLevelItemCount(), 0);
    screenshot(&dialog, "closing_wizard_departments.png");

    dialog.nextButton()->click();
    ASSERT_EQ(dialog.wizard().page(), ClosingPage::Finish);
    EXPECT_TRUE(dialog.closeButton()->isEnabled());
    const auto fields = dialog.pages()->currentWidget()->findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[0]->text(), QStringLiteral("05.2026"));
    EXPECT_EQ(fields[1]->text(), QStringLiteral("Alle"));
    EXPECT_NE(buttonWithText(&dialog, "&Export der Arbeitszeitkonten nach Excel..."), nullptr);
    EXPECT_FALSE(buttonWithText(&dialog, "Export der wöchentlichen &Potentialanalyse nach Excel...")->isEnabled());
    screenshot(&dialog, "closing_wizard_finish.png");
}

TEST(MonthClosingWindow, EnteredMonthIsChecked) {
    FakeDesktop desktop = demoDesktop();
    MonthClosingWindow dialog(desktop);
    dialog.show();
    dialog.periodList()->setCurrentIndex(2);
    EXPECT_TRUE(dialog.monthField()->isEnabled());
    EXPECT_EQ(dialog.monthField()->text(), QStringLiteral("04.2026"));
    dialog.monthField()->setText(QStringLiteral("2024"));
    dialog.nextButton()->click();
    EXPECT_EQ(desktop.scripted().texts().back(), "Der Monat ist ungültig.");
    EXPECT_EQ(dialog.focusWidget(), dialog.monthField());
    EXPECT_EQ(dialog.wizard().page(), ClosingPage::Period);

    radio(&dialog, "Mitarbeiter auswählen")->setChecked(true);
    dialog.monthField()->setText(QStringLiteral("03.2026"));
    dialog.nextButton()->click();
    ASSERT_EQ(dialog.wizard().page(), ClosingPage::Employees);
    auto* possible = dialog.pages()->currentWidget()->findChildren<QTreeWidget*>().at(0);
    ASSERT_GE(possible->topLevelItemCount(), 2);
    EXPECT_EQ(possible->headerItem()->text(0), QStringLiteral("Personalnummer"));
    possible->setCurrentItem(possible->topLevelItem(1));
    buttonWithText(dialog.pages()->currentWidget(), ">")->click();
    screenshot(&dialog, "closing_wizard_employees.png");
    dialog.nextButton()->click();
    ASSERT_EQ(dialog.wizard().page(), ClosingPage::Finish);
    EXPECT_EQ(dialog.wizard().collection()->monthList.size(), 1u);
}

TEST(MonthClosingWindow, PreviewsOfBothLists) {
    FakeDesktop desktop = demoDesktop();
    MonthClosingWindow dialog(desktop);
    dialog.show();
    dialog.nextButton()->click();
    ASSERT_EQ(dialog.wizard().page(), ClosingPage::Finish);
    for (const bool costs : {false, true}) {
        bool seen = false;
        answerModals({[&](QWidget* modal) {
            auto* preview = qobject_cast<PrintPreviewDialog*>(modal);
            ASSERT_NE(preview, nullptr);
            preview->resize(costs ? 1100 : 800, 900);
            preview->preview()->updatePreview();
            QApplication::processEvents();
            EXPECT_GE(preview->preview()->pageCount(), 1);
            screenshot(preview, costs ? "closing_cost_list_preview.png" : "closing_account_list_preview.png");
            seen = true;
            preview->reject();
        }});
        dialog.previewList(costs);
        EXPECT_TRUE(seen);
    }
}

TEST(MonthClosingWindow, ConfirmedBookingExportClosesTheMonth) {
    FakeDesktop desktop = demoDesktop();
    MonthClosingWindow dialog(desktop);
    dialog.show();
    dialog.nextButton()->click();
    ASSERT_EQ(dialog.wizard().page(), ClosingPage::Finish);
    const std::string bookings = desktop.dataDirectory() + "../buchung.txt";
    answerModals({[&](QWidget* modal) {
        auto* booking = qobject_cast<BookingExportDialog*>(modal);
        ASSERT_NE(booking, nullptr);
        EXPECT_EQ(booking->field(BookingField::AccountingDate)->text(), QStringLiteral("05/2026"));
        booking->field(BookingField::Consultant)->setText(QStringLiteral("4711"));
        booking->field(BookingField::Client)->setText(QStringLiteral("815"));
        booking->field(BookingField::BookingFile)->setText(QString::fromStdString(bookings));
        screenshot(booking, "closing_booking_export.png");
        booking->accept();
    }});
    dialog.runBookingExport();
    EXPECT_TRUE(std::filesystem::exists(bookings));
    EXPECT_EQ(desktop.app().settings().monthClosing, "05.2026");
}

TEST(MonthClosingWindow, TheMenuCommandOpensOneWindowOnTheEmployeeFile) {
    FakeDesktop desktop = demoDesktop();
    registerClosingCommands(desktop);
    EXPECT_TRUE(desktop.commands().run(MenuCommand::MonthClosing));
    ASSERT_EQ(desktop.documents().size(), 1u);
    auto* window = dynamic_cast<MonthClosingWindow*>(desktop.documents().front());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(desktop.viewNumbers().back(), kViewMonthClosing);
    EXPECT_EQ(std::filesystem::path(window->documentPath()).filename(), "Daten.mar");
    EXPECT_EQ(window->menuBarKind(), MenuBarKind::EmployeeFile);

    // A second call activates the open window instead of opening another one.
    EXPECT_TRUE(desktop.commands().run(MenuCommand::MonthClosing));
    EXPECT_EQ(desktop.documents().size(), 1u);
    EXPECT_EQ(desktop.activations(), 1);

    // "Schließen" on the finish page keeps the choices and closes the window.
    window->nextButton()->click();
    ASSERT_EQ(window->wizard().page(), ClosingPage::Finish);
    window->closeButton()->click();
    QApplication::processEvents();
    EXPECT_TRUE(desktop.documents().empty());
}

} // namespace
} // namespace lorvan
