#include "potential/ui/potential_dialog.h"

#include "app/application.h"
#include "closing/ui/closing_dialogs.h"
#include "output/spreadsheet_launch.h"
#include "support/fake_desktop.h"
#include "support/gui_fixture.h"
#include "support/xlsx_contents.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace lorvan {
namespace {

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

std::vector<CMitarbeiterDoc> allEmployees(FakeDesktop& desktop) {
    std::vector<CMitarbeiterDoc> employees;
    for (const auto& [number, employee] : desktop.app().employees().all())
        employees.push_back(employee);
    return employees;
}

// The workbook named in the message of a spreadsheet program that did not start.
std::string savedWorkbook(const std::string& message) {
    const size_t at = message.find(kWorkbookSavedAt);
    return at == std::string::npos ? std::string() : message.substr(at + std::string(kWorkbookSavedAt).size());
}

TEST(PotentialAnalysisDialog, RefusesAWrongWeekAndExportsTheAnalysis) {
    FakeDesktop desktop = demoDesktop();
    PotentialAnalysisDialog dialog(desktop, allEmployees(desktop));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Wöchentliche Potentialanalyse"));
    EXPECT_NE(buttonWithText(&dialog, "&Gefahrenhinweis..."), nullptr);
    EXPECT_EQ(dialog.findChildren<QPushButton*>(QString()).size(), 7); // three "Du&rchsuchen..." and four more
    dialog.field(PotentialField::WeekFrom)->setText(QStringLiteral("005/2026"));
    dialog.field(PotentialField::WeekTo)->setText(QStringLiteral("11/2026"));
    screenshot(&dialog, "potential_dialog.png");

    dialog.okButton()->click();
    EXPECT_EQ(desktop.scripted().texts().back(), kWeekFromInvalid);
    EXPECT_EQ(dialog.form().focus(), PotentialField::WeekFrom);
    EXPECT_TRUE(dialog.isVisible());

    dialog.field(PotentialField::WeekFrom)->setText(QStringLiteral("10/2026"));
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const std::string workbook = savedWorkbook(desktop.scripted().texts().back());
    ASSERT_FALSE(workbook.empty()) << desktop.scripted().texts().back();
    const test::XlsxContents sheet(workbook);
    EXPECT_EQ(sheet.sheetName(), "10.2026-11.2026 am 15.06.2026");
    EXPECT_EQ(sheet.cell("A1")->value, "Personalnr");
    EXPECT_EQ(sheet.cell("G2")->value, "10");
    // The values went to the store and come back with the next dialog.
    PotentialAnalysisDialog next(desktop, {});
    EXPECT_EQ(next.field(PotentialField::WeekFrom)->text(), QStringLiteral("10/2026"));
}

TEST(PotentialAnalysisDialog, WorkingTimesKeepTheDialogOpen) {
    FakeDesktop desktop = demoDesktop();
    PotentialAnalysisDialog dialog(desktop, allEmployees(desktop));
    dialog.show();
    dialog.field(PotentialField::WeekFrom)->setText(QStringLiteral("10/2026"));
    dialog.field(PotentialField::WeekTo)->setText(QStringLiteral("10/2026"));
    dialog.workingTimesButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    const test::XlsxContents sheet(savedWorkbook(desktop.scripted().texts().back()));
    EXPECT_EQ(sheet.cell("E1")->value, "Mo-Beg");
    EXPECT_EQ(sheet.cell("D2")->value, "10");
}

TEST(PotentialAnalysisDialog, TheMonthClosingOffersItOnlyWithTheBuildSwitch) {
    for (const bool buildSwitch : {false, true}) {
        FakeDesktop desktop = demoDesktop();
        desktop.app().setBuildSwitch(buildSwitch);
        std::vector<CMitarbeiterDoc> opened;
        MonthClosingWindow closing(desktop,
                                   ClosingWindows{[&](Desktop&, QWidget*, const std::vector<CMitarbeiterDoc>& employees) {
                                       opened = employees;
                                   }});
        closing.show();
        while (closing.wizard().page() != ClosingPage::Finish && closing.nextButton()->isEnabled())
            closing.nextButton()->click();
        ASSERT_EQ(closing.wizard().page(), ClosingPage::Finish);
        EXPECT_EQ(closing.potentialButton()->isEnabled(), buildSwitch);
        if (!buildSwitch) continue;
        closing.potentialButton()->click();
        EXPECT_EQ(opened.size(), closing.wizard().collection()->chosenEmployees.size());
        EXPECT_FALSE(opened.empty());
    }
}

} // namespace
} // namespace lorvan
