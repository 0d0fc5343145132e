#include "yearsettings/ui/file_settings_window.h"

#include "app/command_table.h"
#include "app/open_year_file.h"
#include "entry/ui/entry_commands.h"
#include "entry/ui/file_view_windows.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "platform/clock.h"
#include "support/fake_desktop.h"
#include "support/gui_fixture.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "yearsettings/file_settings_environment.h"
#include "yearsettings/ui/file_settings_commands.h"
#include "yearsettings/ui/number_field.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include <filesystem>

namespace lorvan {
namespace {

const FixedClock kToday{Datum{15, 6, 2026}};

QCheckBox* boxWithText(const QWidget* page, const char* text) {
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        if (box->text() == QString::fromUtf8(text)) return box;
    ADD_FAILURE() << "no box " << text;
    return nullptr;
}

std::string currentTabText(const FileSettingsWindow& window) {
    return fromQt(window.tabs()->tabText(window.tabs()->currentIndex()));
}

std::vector<std::string> tabTexts(const FileSettingsWindow& window) {
    std::vector<std::string> texts;
    for (int i = 0; i < window.tabs()->count(); ++i)
        texts.push_back(fromQt(window.tabs()->tabText(i)));
    return texts;
}

// Replaces the field's text as typed keys do.
void typeInto(QLineEdit* edit, const char* text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromUtf8(text));
}

QLineEdit* numberField(FileSettingsWindow& window, SettingsPageKind kind, SettingsField field) {
    return qobject_cast<QLineEdit*>(window.fieldWidget(window.model().pageIndex(kind), field));
}

// A dialog handler that closes its dialog should it stay open (a failed check inside), so that
// the test fails instead of waiting for ever.
std::function<void(QWidget*)> closing(std::function<void(QWidget*)> handler) {
    return [handler](QWidget* dialog) {
        handler(dialog);
        if (!dialog->isVisible()) return;
        ADD_FAILURE() << "the dialog " << fromQt(dialog->windowTitle()) << " stayed open";
        static_cast<QDialog*>(dialog)->reject();
    };
}

void saveShot(QWidget& widget, const char* name) {
    EXPECT_TRUE(widget.grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/") + QString::fromUtf8(name)));
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
    while (window.nextButton()->isVisible() && steps < 20) {
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

TEST(NumberFieldRules, TextsOfTheNumberFields) {
    const std::optional<NumberRange> none;
    const NumberRange hours{0.0, 20.0};
    struct Case {
        const char* text;
        std::optional<NumberRange> range;
        std::optional<std::string> message;
    };
    const std::string hoursMessage = "Geben Sie eine Zahl zwischen 0 und 20 ein.";
    const Case cases[] = {
        {"7,5", hours, std::nullopt},
        {" 20 ", hours, std::nullopt},
        {"", hours, std::nullopt}, // an empty field is 0
        {"0", hours, std::nullopt},
        {"20,01", hours, hoursMessage},
        {"-0,5", hours, hoursMessage},
        {"acht", hours, hoursMessage},
        {"8.5", hours, hoursMessage}, // a point reads as thousands separator: refused
        {"-12,25", none, std::nullopt},
        {"1,2,3", none, std::string("Geben Sie eine Zahl ein.")},
        {"x", none, std::string("Geben Sie eine Zahl ein.")},
        {"1000,01", NumberRange{0.0, 1000.0}, std::string("Geben Sie eine Zahl zwischen 0 und 1000 ein.")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numberFieldMessage(c.text, c.range), c.message) << c.text;
    EXPECT_EQ(numberFieldText(8.0), "8,00");
    EXPECT_EQ(numberFieldText(1234.5), "1234,50"); // no thousands separator: it reads back
    EXPECT_EQ(numberFieldText(-0.0), "0,00");
    EXPECT_EQ(numberFieldText(-1.25), "-1,25");
}

TEST_F(FileSettingsWindowTest, NumberFieldsTakeNumbersWithinTheirRanges) {
    struct Case {
        SettingsPageKind kind;
        SettingsField field;
        const char* wrong;
        std::string message;
        const char* right;
        std::function<double()> value;
        double expected;
    };
    const CEinstArbzt& s = model_.settings();
    const Case cases[] = {
        {SettingsPageKind::WorkingTime, SettingsField::WeekdayHours, "acht", "Geben Sie eine Zahl zwischen 0 und 20 ein.",
         "7,5", [&s] { return s.workingTimePeriods[0].hoursByWeekday[1]; }, 7.5},
        {SettingsPageKind::WorkingTime, SettingsField::WeekdayHours, "20,5",
         "Geben Sie eine Zahl zwischen 0 und 20 ein.", "", [&s] { return s.workingTimePeriods[0].hoursByWeekday[1]; },
         0.0},
        {SettingsPageKind::Overtime, SettingsField::Surcharge1Percent, "zwanzig", "Geben Sie eine Zahl ein.", "25",
         [&s] { return s.surcharge1Percent; }, 25.0},
        {SettingsPageKind::Wage, SettingsField::StandbyPay, "1000,01", "Geben Sie eine Zahl zwischen 0 und 1000 ein.",
         "0", [&s] { return s.wagePeriods[0].standbyPay; }, 0.0},
        {SettingsPageKind::Wage, SettingsField::HourlyWage, "-1", "Geben Sie eine Zahl zwischen 0 und 1000 ein.", "20",
         [&s] { return s.wagePeriods[0].hourlyWage; }, 20.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wrong);
        const size_t page = model_.pageIndex(c.kind);
        ASSERT_TRUE(window_.goToPage(page));
        QLineEdit* edit = numberField(window_, c.kind, c.field);
        ASSERT_NE(edit, nullptr);
        typeInto(edit, c.wrong);
        EXPECT_FALSE(window_.goToPage(0));
        EXPECT_EQ(prompter_.log().back().kind, "error");
        EXPECT_EQ(prompter_.texts().back(), c.message);
        EXPECT_EQ(window_.tabs()->currentIndex(), static_cast<int>(page));
        EXPECT_EQ(QApplication::focusWidget(), edit);
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.wrong)) << "what was typed stays to be mended";
        // OK says the same and keeps the window open.
        window_.okButton()->click();
        EXPECT_EQ(prompter_.texts().back(), c.message);
        EXPECT_TRUE(window_.isVisible());

        typeInto(edit, c.right);
        ASSERT_TRUE(window_.goToPage(0)) << testing::PrintToString(prompter_.texts());
        EXPECT_EQ(c.value(), c.expected);
        EXPECT_EQ(fromQt(edit->text()), numberFieldText(c.expected));
    }
}

TEST_F(FileSettingsWindowTest, AWageTypedAndLeftByAnAccessKeyIsTakenOverFirst) {
    const size_t wagePage = model_.pageIndex(SettingsPageKind::Wage);
    ASSERT_TRUE(window_.goToPage(wagePage));
    const double factor = model_.settings().wagePeriods[0].employerCostFactor;
    ASSERT_GT(factor, 0.0);
    QLineEdit* wage = numberField(window_, SettingsPageKind::Wage, SettingsField::HourlyWage);
    typeInto(wage, "30");
    EXPECT_EQ(QApplication::focusWidget(), wage); // not left: the field has not finished its edit
    QTest::keyClick(&window_, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(currentTabText(window_), "Überstunden") << testing::PrintToString(prompter_.texts());
    EXPECT_DOUBLE_EQ(model_.settings().wagePeriods[0].hourlyWage, 30.0);
    EXPECT_NEAR(model_.settings().wagePeriods[0].employerCostPerHour, std::round(30.0 * factor * 100) / 100, 1e-9);
    EXPECT_EQ(fromQt(numberField(window_, SettingsPageKind::Wage, SettingsField::EmployerCostPerHour)->text()),
              numberFieldText(model_.settings().wagePeriods[0].employerCostPerHour));
}

TEST_F(FileSettingsWindowTest, AccessKeysAndBoxesThatAddOrRemovePages) {
    const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_Z, "Arbeitszeit"},      {Qt::Key_B, "Arbeitseinstellungen"},
        {Qt::Key_S, "Überstunden"},      {Qt::Key_K, "Arbeitszeitkonto"},
        {Qt::Key_U, "Urlaub / Feiertage / Bereitschaft"}, {Qt::Key_A, "Allgemein"}};
    for (const auto& [key, title] : keys) {
        QTest::keyClick(&window_, key, Qt::AltModifier);
        EXPECT_EQ(currentTabText(window_), title);
    }
    // No control's own access key takes one of the page keys.
    for (const QAbstractButton* button : window_.findChildren<QAbstractButton*>()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
        for (const auto& [key, title] : keys)
            EXPECT_NE(mnemonic, QKeySequence(Qt::ALT | key)) << fromQt(button->text());
    }
    const std::vector<std::string> before = tabTexts(window_);
    ASSERT_EQ(before.back(), "Bruttolohn");

    // The last wage use cleared: after Yes the wage page goes at once, the page stays.
    QTest::keyClick(&window_, Qt::Key_B, Qt::AltModifier);
    const char* const uses[] = {"Bruttolöhne in der Monatsauswertung ausgeben",
                                "Bruttolöhne als Kosten in der Kundenabfrage ausgeben",
                                "Mitarbeiter in Mitarbeiterkostenauswertung berücksichtigen"};
    int ticked = 0;
    for (const char* use : uses)
        ticked += boxWithText(window_.tabs()->currentWidget(), use)->isChecked() ? 1 : 0;
    for (const char* use : uses) {
        QCheckBox* box = boxWithText(window_.tabs()->currentWidget(), use);
        if (!box->isChecked()) continue;
        if (--ticked == 0) prompter_.answerYes();
        box->click();
    }
    EXPECT_EQ(prompter_.texts().back(), "Sollen die eingegebenen Bruttolöhne auf den folgenden Seiten wirklich gelöscht werden?");
    EXPECT_EQ(tabTexts(window_), std::vector<std::string>(before.begin(), before.end() - 1));
    EXPECT_EQ(currentTabText(window_), "Arbeitseinstellungen");
    // A use ticked again brings a wage page back.
    boxWithText(window_.tabs()->currentWidget(), uses[2])->click();
    EXPECT_EQ(tabTexts(window_), before);
    EXPECT_EQ(currentTabText(window_), "Arbeitseinstellungen");
    EXPECT_TRUE(boxWithText(window_.tabs()->currentWidget(), uses[2])->isChecked());

    // Clearing "bis zum Ende des Jahres" adds "Arbeitszeit (2)" from February behind the page.
    QTest::keyClick(&window_, Qt::Key_Z, Qt::AltModifier);
    const char* const lastPeriod = "Arbeitszeiten gelten bis zum Ende des Jahres";
    boxWithText(window_.tabs()->currentWidget(), lastPeriod)->click();
    ASSERT_EQ(window_.tabs()->count(), static_cast<int>(before.size()) + 1);
    EXPECT_EQ(fromQt(window_.tabs()->tabText(2)), "Arbeitszeit (2)");
    EXPECT_EQ(currentTabText(window_), "Arbeitszeit");
    EXPECT_FALSE(boxWithText(window_.tabs()->currentWidget(), lastPeriod)->isChecked());
    auto* from = qobject_cast<QComboBox*>(window_.fieldWidget(2, SettingsField::FromMonth));
    ASSERT_NE(from, nullptr);
    EXPECT_EQ(from->currentText(), QStringLiteral("Februar"));
    EXPECT_TRUE(from->isEnabled());
    EXPECT_FALSE(window_.fieldWidget(1, SettingsField::FromMonth)->isEnabled()); // the first page: January
    // Ticking it again asks first; No keeps the later page and the box clear.
    prompter_.answerNo();
    boxWithText(window_.tabs()->currentWidget(), lastPeriod)->click();
    EXPECT_EQ(prompter_.texts().back(),
              "Sollen die eingegebenen Arbeitszeiten auf den folgenden Seiten wirklich gelöscht werden?");
    EXPECT_EQ(window_.tabs()->count(), static_cast<int>(before.size()) + 1);
    EXPECT_FALSE(boxWithText(window_.tabs()->currentWidget(), lastPeriod)->isChecked());
    prompter_.answerYes();
    boxWithText(window_.tabs()->currentWidget(), lastPeriod)->click();
    EXPECT_EQ(tabTexts(window_), before);
    EXPECT_TRUE(boxWithText(window_.tabs()->currentWidget(), lastPeriod)->isChecked());
    EXPECT_TRUE(prompter_.allAnswered());
}

TEST_F(FileSettingsWindowTest, ShiftF1ShowsItsHelpTopic) {
    QTest::keyClick(&window_, Qt::Key_F1, Qt::ShiftModifier);
    auto* help = window_.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->documentTitle(), QStringLiteral("Einstellungen der aktuellen Datei"));
    EXPECT_TRUE(prompter_.texts().empty()) << testing::PrintToString(prompter_.texts());
    help->close();
}

TEST_F(FileSettingsWindowTest, ADeviatingWageIsEnteredPerService) {
    const size_t wagePage = model_.pageIndex(SettingsPageKind::Wage);
    ASSERT_TRUE(window_.goToPage(wagePage));
    auto* list = window_.tabs()->currentWidget()->findChild<QTreeWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Dienstleistung"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Abw. Stundenlohn"));
    const QList<QTreeWidgetItem*> found = list->findItems(QStringLiteral("Montage"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found.front());

    bool shown = false;
    test::answerModals({closing([this, &shown](QWidget* dialog) {
        shown = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Abweichenden Stundenlohn erfassen"));
        bool named = false;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            named = named || label->text() == QStringLiteral("Montage");
        EXPECT_TRUE(named) << "the service is named";
        auto* wage = dialog->findChild<QLineEdit*>(QStringLiteral("wage"));
        EXPECT_FALSE(wage->isEnabled());
        dialog->findChild<QCheckBox*>()->click();
        EXPECT_TRUE(wage->isEnabled());
        const std::pair<const char*, const char*> refused[] = {{"-5", "Der Stundenlohn muss größer als 0 sein."},
                                                               {"zwölf", "Geben Sie eine Zahl ein."}};
        for (const auto& [text, message] : refused) {
            wage->setText(QString::fromUtf8(text));
            test::buttonWithText(dialog, "OK")->click();
            EXPECT_TRUE(dialog->isVisible()) << text;
            EXPECT_EQ(prompter_.texts().back(), message);
        }
        wage->setText(QStringLiteral("25,5"));
        saveShot(*dialog, "file_settings_deviating_wage.png");
        test::buttonWithText(dialog, "OK")->click();
    })});
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(shown);
    const DeviatingWageEdit edit = model_.deviatingWageOf(0, "Montage");
    EXPECT_TRUE(edit.deviating);
    EXPECT_DOUBLE_EQ(edit.wage, 25.5);
    const QList<QTreeWidgetItem*> row = list->findItems(QStringLiteral("Montage"), Qt::MatchExactly);
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row.front()->text(1), QStringLiteral("25,50"));
    saveShot(window_, "file_settings_wage_deviating.png");
}

TEST_F(FileSettingsWindowTest, SettingsAreFilledFromAnotherFileOrTheReadErrorIsShown) {
    QPushButton* copy = test::buttonWithText(window_.tabs()->widget(0), "Einstellungen aus anderem Datenbestand &vorbesetzen...");
    ASSERT_NE(copy, nullptr);
    const auto choose = [](const std::string& path) {
        return closing([path](QWidget* chooser) {
            auto* dialog = qobject_cast<QFileDialog*>(chooser);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Kopieren von"));
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(toQt(path));
            static_cast<QDialog*>(dialog)->accept();
        });
    };
    ASSERT_TRUE(model_.settings().wageTypeSurcharge1.empty());
    test::answerModals({choose(test::demoDataDirectory() + "Joerg_Weiss2026.azr")});
    copy->click();
    EXPECT_EQ(model_.settings().name, "Anna Schneider"); // owner and year stay
    EXPECT_EQ(model_.settings().year, 2026);
    EXPECT_EQ(model_.settings().wageTypeSurcharge1, "0310");
    // The pages show the filled record.
    ASSERT_TRUE(window_.goToPage(model_.pageIndex(SettingsPageKind::Overtime)));
    bool shown = false;
    for (const QLineEdit* edit : window_.tabs()->currentWidget()->findChildren<QLineEdit*>())
        shown = shown || edit->text() == QStringLiteral("0310");
    EXPECT_TRUE(shown);

    test::TempDir elsewhere;
    const std::string broken = elsewhere.file("Kaputt2026.azr");
    test::writeBytes(broken, "keine Jahresdatei");
    ASSERT_TRUE(window_.goToPage(0));
    test::answerModals({choose(broken)});
    test::buttonWithText(window_.tabs()->widget(0), "Einstellungen aus anderem Datenbestand &vorbesetzen...")->click();
    ASSERT_FALSE(prompter_.log().empty());
    EXPECT_EQ(prompter_.log().back().kind, "error");
    EXPECT_EQ(prompter_.texts().back().rfind("Die Datei konnte nicht gelesen werden", 0), 0u) << prompter_.texts().back();
    EXPECT_EQ(model_.settings().wageTypeSurcharge1, "0310"); // unchanged
}

TEST(FileSettingsScreens, PagesOfASecondPeriod) {
    // Sabine's file has two working-time and two wage periods.
    OpenYearFile file(test::demoDataDirectory() + "Sabine_Mueller2026.azr", test::demoDataDirectory());
    test::ScriptedPrompter prompter;
    FileSettingsDialog model(file.document.settings(), false, fileSettingsEnvironment(test::demoDataDirectory(), kToday));
    FileSettingsWindow window(model, prompter, test::demoDataDirectory(), false);
    window.show();
    const std::vector<std::string> titles = tabTexts(window);
    ASSERT_GE(titles.size(), 9u);
    EXPECT_EQ(titles[2], "Arbeitszeit (2)");
    EXPECT_EQ(titles.back(), "Bruttolohn (2)");
    window.showPage(2);
    EXPECT_TRUE(window.fieldWidget(2, SettingsField::FromMonth)->isEnabled());
    saveShot(window, "file_settings_working_time_2.png");
    window.showPage(titles.size() - 1);
    saveShot(window, "file_settings_wage_2.png");
}

// The commands on a year view of the fake desktop.
class FileSettingsCommands : public ::testing::Test {
  protected:
    void SetUp() override { registerFileSettingsCommands(desktop); }

    test::FakeDesktop desktop{"Daten.mar", "Daten.dl", "Anna_Schneider2026.azr"};
};

TEST_F(FileSettingsCommands, OkMovesTheFileToItsNewNameAndCancelChangesNothing) {
    EXPECT_FALSE(desktop.commands().isEnabled(MenuCommand::FileSettings)); // no year file open
    CLorvanView* view = openYearFileView(desktop, desktop.dataDirectory() + "Anna_Schneider2026.azr");
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(desktop.commands().isEnabled(MenuCommand::FileSettings));
    const std::shared_ptr<OpenYearFile> file = view->file();
    const std::string oldPath = file->path;

    // Abbrechen after changes leaves the file as it was.
    test::answerModals({closing([](QWidget* dialog) {
        auto* window = qobject_cast<FileSettingsWindow*>(dialog);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(fromQt(window->windowTitle()), "Einstellungen der aktuellen Datei - Anna Schneider");
        window->goToPage(window->model().pageIndex(SettingsPageKind::Overtime));
        qobject_cast<QSpinBox*>(window->fieldWidget(window->tabs()->currentIndex(), SettingsField::OvertimeRounding))
            ->setValue(15);
        test::buttonWithText(dialog, "Abbrechen")->click();
    })});
    ASSERT_TRUE(desktop.commands().run(MenuCommand::FileSettings));
    EXPECT_EQ(file->document.settings().overtimeRoundingMinutes, 5);
    EXPECT_FALSE(file->document.isModified());

    // OK with another owner: the settings go in and the file takes the owner's name.
    test::answerModals({closing([](QWidget* dialog) {
        auto* window = qobject_cast<FileSettingsWindow*>(dialog);
        ASSERT_NE(window, nullptr);
        auto* name = window->tabs()->widget(0)->findChild<QComboBox*>();
        ASSERT_NE(name, nullptr);
        EXPECT_TRUE(name->isEditable());
        EXPECT_GE(name->count(), 1) << "the employees to choose from";
        name->setEditText(QStringLiteral("Anna Berg"));
        EXPECT_EQ(fromQt(window->windowTitle()), "Einstellungen der aktuellen Datei - Anna Berg");
        test::buttonWithText(dialog, "OK")->click();
    })});
    ASSERT_TRUE(desktop.commands().run(MenuCommand::FileSettings));
    EXPECT_TRUE(desktop.scripted().texts().empty()) << testing::PrintToString(desktop.scripted().texts());
    EXPECT_EQ(file->document.settings().name, "Anna Berg");
    EXPECT_TRUE(file->document.isModified());
    EXPECT_EQ(file->path, desktop.dataDirectory() + "Anna_Berg2026.azr");
    // The year view shows its new owner.
    EXPECT_EQ(fromQt(view->windowTitle()), "Anna Berg 2026");
    bool nameShown = false;
    for (const QLineEdit* field : view->findChildren<QLineEdit*>())
        nameShown = nameShown || field->text() == QStringLiteral("Anna Berg");
    EXPECT_TRUE(nameShown);
    ASSERT_TRUE(desktop.saveYearFile(*file));
    EXPECT_TRUE(std::filesystem::exists(file->path));
    EXPECT_TRUE(std::filesystem::exists(oldPath)); // the old file stays
}

TEST_F(FileSettingsCommands, ANewFileGoesThroughTheStepsToFertigStellen) {
    CLorvanDoc document;
    document.startNew(desktop.clock());
    std::vector<std::string> titles;
    test::answerModals({closing([&titles](QWidget* dialog) {
        auto* window = qobject_cast<FileSettingsWindow*>(dialog);
        ASSERT_NE(window, nullptr);
        QPushButton* back = test::buttonWithText(dialog, "< &Zurück");
        QPushButton* finish = test::buttonWithText(dialog, "Fertig stellen");
        EXPECT_FALSE(window->tabs()->tabBar()->isVisible());
        EXPECT_FALSE(back->isEnabled());
        EXPECT_FALSE(finish->isVisible()) << "only on the last step";
        window->tabs()->widget(0)->findChild<QComboBox*>()->setEditText(QStringLiteral("Neu Mann"));
        titles.push_back(fromQt(dialog->windowTitle()));
        window->nextButton()->click();
        titles.push_back(fromQt(dialog->windowTitle()));
        // Alt+Z is "< &Zurück" here: the steps have no access keys of their own.
        EXPECT_EQ(back->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Z));
        for (const QShortcut* shortcut : dialog->findChildren<QShortcut*>())
            EXPECT_NE(shortcut->key(), QKeySequence(Qt::ALT | Qt::Key_Z));
        window->nextButton()->click();
        back->click();
        EXPECT_EQ(fromQt(dialog->windowTitle()), titles.back());
        window->nextButton()->click();
        titles.push_back(fromQt(dialog->windowTitle()));
        while (window->nextButton()->isVisible()) {
            window->nextButton()->click();
            titles.push_back(fromQt(dialog->windowTitle()));
        }
        EXPECT_TRUE(finish->isVisible());
        EXPECT_TRUE(finish->isDefault());
        saveShot(*dialog, "file_settings_last_step.png");
        // Holidays are entered automatically: a federal state must be chosen.
        finish->click();
        ASSERT_TRUE(dialog->isVisible());
        auto* state = window->tabs()->currentWidget()->findChild<QComboBox*>();
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(dialog->focusWidget(), state);
        QTest::keyClick(state, Qt::Key_Down);
        EXPECT_EQ(state->currentText(), QStringLiteral("Hamburg"));
        finish->click();
    })});
    ASSERT_TRUE(runNewFileSettings(desktop, document));
    EXPECT_EQ(desktop.scripted().texts(), std::vector<std::string>{"Das Bundesland muss ausgewählt werden."});
    EXPECT_EQ(titles, (std::vector<std::string>{"Einstellungen der aktuellen Datei - Allgemein",
                                                "Einstellungen der aktuellen Datei - Arbeitszeit - Neu Mann",
                                                "Einstellungen der aktuellen Datei - Arbeitseinstellungen - Neu Mann",
                                                "Einstellungen der aktuellen Datei - Überstunden - Neu Mann",
                                                "Einstellungen der aktuellen Datei - Arbeitszeitkonto - Neu Mann",
                                                "Einstellungen der aktuellen Datei - Urlaub / Feiertage / Bereitschaft - Neu Mann"}));
    EXPECT_EQ(document.settings().name, "Neu Mann");
    EXPECT_EQ(document.settings().federalState, "Hamburg");
    EXPECT_TRUE(document.isModified());
}

} // namespace
} // namespace lorvan
