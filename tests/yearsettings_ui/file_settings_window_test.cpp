#include "yearsettings/ui/file_settings_window.h"

#include "app/open_year_file.h"
#include "gui/common/qt_platform.h"
#include "platform/clock.h"
#include "support/gui_fixture.h"
#include "support/scripted_prompter.h"
#include "yearsettings/file_settings_environment.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace lorvan {
namespace {

const FixedClock kToday{Datum{15, 6, 2026}};

QCheckBox* boxWithText(const QWidget* page, const char* text) {
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        if (box->text() == QString::fromUtf8(text)) return box;
    ADD_FAILURE() << "no box " << text;
    return nullptr;
}

// Anna's demo year file of 2026 in its settings window.
class FileSettingsWindowTest : public ::testing::Test {
  protected:
    FileSettingsWindowTest()
        : file_(test::demoDataDirectory() + "Anna_Schneider2026.azr", test::demoDataDirectory()),
          model_(file_.document.settings(), false, fileSettingsEnvironment(test::demoDataDirectory(), kToday)),
          window_(model_, prompter_, test::demoDataDirectory(), false) {
        window_.show();
        window_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    OpenYearFile file_;
    test::ScriptedPrompter prompter_;
    FileSettingsDialog model_;
    FileSettingsWindow window_;
};

TEST_F(FileSettingsWindowTest, WalksEveryPageAndConfirms) {
    const size_t count = model_.pages().size();
    ASSERT_EQ(window_.tabs()->count(), static_cast<int>(count));
    for (size_t page = 0; page < count; ++page) {
        ASSERT_TRUE(window_.goToPage(page)) << model_.pageTitle(page);
        EXPECT_EQ(window_.tabs()->currentIndex(), static_cast<int>(page));
        const QString name = QStringLiteral("file_settings_%1.png").arg(page);
        EXPECT_TRUE(window_.grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/") + name));
    }
    // The access keys jump between the pages.
    QTest::keyClick(&window_, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(fromQt(window_.tabs()->tabText(window_.tabs()->currentIndex())), "Überstunden");

    // Clearing the fixed working days of the first working-time page gives days, hours and break per day.
    window_.goToPage(model_.pageIndex(SettingsPageKind::WorkingTime));
    QWidget* page = window_.tabs()->currentWidget();
    QCheckBox* fixed = boxWithText(page, "Feste Regelarbeitstage");
    ASSERT_NE(fixed, nullptr);
    if (fixed->isChecked()) fixed->click();
    EXPECT_EQ(model_.settings().workingTimePeriods[0].workingDaysPerWeek, 5);
    EXPECT_FALSE(window_.fieldWidget(window_.tabs()->currentIndex(), SettingsField::WeekdayHours)->isEnabled());
    if (model_.settings().keepWorkingTimeAccount && model_.settings().accountMode == "RA")
        model_.settings().accountMode = "WA";

    // A wage use adds the page "Bruttolohn"; wage and factor give the cost per hour.
    window_.goToPage(model_.pageIndex(SettingsPageKind::WorkSettings));
    if (model_.settings().wagePeriods.empty()) {
        boxWithText(window_.tabs()->currentWidget(), "Bruttolöhne in der Monatsauswertung ausgeben")->click();
        QApplication::processEvents();
    }
    ASSERT_FALSE(model_.settings().wagePeriods.empty());
    const size_t wagePage = model_.pageIndex(SettingsPageKind::Wage);
    ASSERT_EQ(fromQt(window_.tabs()->tabText(static_cast<int>(wagePage))), "Bruttolohn");
    model_.settings().checkBreakTimes = 0; // no note about the break check in the way
    ASSERT_TRUE(window_.goToPage(wagePage));
    auto* wage = qobject_cast<QLineEdit*>(window_.fieldWidget(wagePage, SettingsField::HourlyWage));
    ASSERT_NE(wage, nullptr);
    model_.setEmployerCostFactor(0, 1.5);
    wage->setFocus();
    wage->setText(QStringLiteral("20,00"));
    emit wage->editingFinished();
    EXPECT_DOUBLE_EQ(model_.settings().wagePeriods[0].employerCostPerHour, 30.0);
    auto* cost = qobject_cast<QLineEdit*>(window_.fieldWidget(wagePage, SettingsField::EmployerCostPerHour));
    EXPECT_EQ(cost->text(), QStringLiteral("30,00"));
    EXPECT_TRUE(window_.grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/file_settings_wage.png")));

    window_.okButton()->click();
    EXPECT_EQ(window_.result(), QDialog::Accepted) << testing::PrintToString(prompter_.texts());
    model_.applyTo(file_.document);
    EXPECT_EQ(file_.document.settings().wagePeriods[0].hourlyWage, 20.0);
    EXPECT_TRUE(file_.document.isModified());
}

TEST_F(FileSettingsWindowTest, AFailingCheckKeepsThePageOnItsField) {
    const size_t overtime = model_.pageIndex(SettingsPageKind::Overtime);
    ASSERT_TRUE(window_.goToPage(overtime));
    auto* rounding = qobject_cast<QSpinBox*>(window_.fieldWidget(overtime, SettingsField::OvertimeRounding));
    ASSERT_NE(rounding, nullptr);
    rounding->setValue(0);
    EXPECT_FALSE(window_.goToPage(0));
    EXPECT_EQ(window_.tabs()->currentIndex(), static_cast<int>(overtime));
    EXPECT_EQ(QApplication::focusWidget(), rounding);
    window_.tabs()->setCurrentIndex(0); // a click on another tab checks the page as well
    EXPECT_EQ(window_.tabs()->currentIndex(), static_cast<int>(overtime));
    window_.okButton()->click();
    EXPECT_NE(window_.result(), QDialog::Accepted);
    ASSERT_EQ(prompter_.texts().size(), 3u);
    EXPECT_EQ(prompter_.texts()[0], "Eine kleinere als minutengenaue Rundung der Überstunden ist nicht möglich.\n"
                                    "Geben Sie deshalb mindestens eine 1 an.");
}

TEST(FileSettingsSteps, ANewFileWalksTheStepsToFertigStellen) {
    CEinstArbzt settings;
    settings.year = 2026;
    test::ScriptedPrompter prompter;
    FileSettingsDialog model(settings, true, fileSettingsEnvironment(test::demoDataDirectory(), kToday));
    FileSettingsWindow window(model, prompter, test::demoDataDirectory(), true);
    window.show();
    EXPECT_EQ(fromQt(window.windowTitle()), "Einstellungen der aktuellen Datei - Allgemein");
    window.nextButton()->click();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Wählen Sie einen Mitarbeiter aus."});
    model.settings().name = "Neu Mann";
    model.settings().federalState = "Bayern";
    int steps = 0;
    while (window.nextButton()->isEnabled() && steps < 20) {
        window.nextButton()->click();
        ++steps;
    }
    EXPECT_EQ(steps, static_cast<int>(model.pages().size()) - 1);
    EXPECT_EQ(fromQt(window.windowTitle()),
              "Einstellungen der aktuellen Datei - Urlaub / Feiertage / Bereitschaft - Neu Mann");
    EXPECT_EQ(window.okButton()->text(), QStringLiteral("Fertig stellen"));
    window.okButton()->click();
    EXPECT_EQ(window.result(), QDialog::Accepted) << testing::PrintToString(prompter.texts());
}

} // namespace
} // namespace lorvan
