#include "masterdata/ui/employee_window.h"

#include "app/application.h"
#include "app/document_kinds.h"
#include "app/help_topics.h"
#include "app/open_year_file.h"
#include "app/processing.h"
#include "gui/common/qt_platform.h"
#include "gui/main_window.h"
#include "masterdata/employee_flows.h"
#include "masterdata/employee_list.h"
#include "platform/clock.h"
#include "platform/user_store.h"
#include "support/gui_fixture.h"
#include "support/main_window_fixture.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <memory>

namespace lorvan {
namespace {

namespace fs = std::filesystem;

using test::answerModals;

void saveScreenshot(QWidget* widget, const char* name) {
    widget->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QStringLiteral("/") + QString::fromUtf8(name));
}

// The main window on a copy of the demo data (the tests change it), on the offscreen platform.
class EmployeeWindowTest : public test::MainWindowOnDemoCopy {
  protected:
    EmployeeWindow* openEmployees() {
        window->runCommand(MenuCommand::Employees);
        auto* view = dynamic_cast<EmployeeWindow*>(window->activeDocument());
        EXPECT_NE(view, nullptr);
        return view;
    }

    static std::vector<std::string> column(EmployeeWindow* view, EmployeeColumn which) {
        const QTreeWidget* list = view->listWidget()->list();
        std::vector<std::string> texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.push_back(fromQt(list->topLevelItem(i)->text(static_cast<int>(which))));
        return texts;
    }

    static void selectNumber(EmployeeWindow* view, int32_t number) {
        QTreeWidget* list = view->listWidget()->list();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->data(0, Qt::UserRole).toInt() == number)
                list->setCurrentItem(list->topLevelItem(i));
        ASSERT_EQ(view->listWidget()->selectedNumber(), number);
    }

    static void clickHeader(EmployeeWindow* view, EmployeeColumn which) {
        QHeaderView* header = view->listWidget()->list()->header();
        const int section = static_cast<int>(which);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 10, header->height() / 2));
    }

    // The employees of "Daten.mar" as saved.
    std::map<int32_t, CMitarbeiterDoc> savedEmployees() const {
        EmployeeList list(dataDirectory);
        return list.all();
    }

    bool exists(const std::string& name) const { return fs::exists(data.path() / name); }

    std::vector<std::string> openYearFiles() const {
        std::vector<std::string> names;
        for (DocumentView* view : window->documents())
            if (view->file()) names.push_back(fs::path(view->file()->path).filename().string());
        return names;
    }
};

TEST_F(EmployeeWindowTest, StartUpOpensTheEmployeesWindowOnTheDataDirectory) {
    store.writeString(kStoreSettings, kStoreDataPath, dataDirectory);
    EXPECT_TRUE(runStartUp(app, {}, *window));
    auto* view = dynamic_cast<EmployeeWindow*>(window->activeDocument());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(fromQt(view->windowTitle()), "Mitarbeiter verwalten");
    EXPECT_EQ(view->menuBarKind(), MenuBarKind::EmployeeFile);
    EXPECT_EQ(view->helpTopic(), kHelpEmployees);
    EXPECT_EQ(window->contextHelpTopic(), kHelpEmployees);
    // The menu bar of the employee file, with the evaluations.
    std::vector<std::string> menus;
    for (QAction* menu : window->menuBar()->actions())
        menus.push_back(fromQt(menu->text()));
    EXPECT_NE(std::find(menus.begin(), menus.end(), "Aus&wertungen"), menus.end());
    // A second command activates the window there is.
    window->runCommand(MenuCommand::Employees);
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(window->activeDocument(), view);
}

TEST_F(EmployeeWindowTest, WorkAreaIsRefusedWhileAProcessingRuns) {
    {
        ProcessingGuard processing(app.processingFlag());
        window->runCommand(MenuCommand::Employees);
    }
    EXPECT_EQ(window->activeDocument(), nullptr);
    ASSERT_FALSE(prompter.log().empty());
    EXPECT_EQ(prompter.log().back().text, kEmployeesProcessingMessage);
}

TEST_F(EmployeeWindowTest, MissingEmployeeFileGivesAnEmptyListAndIsWrittenOnSave) {
    fs::remove(data.path() / "Daten.mar");
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->listWidget()->list()->topLevelItemCount(), 0);
    QTest::mouseClick(view->saveAndCloseButton(), Qt::LeftButton);
    EXPECT_TRUE(exists("Daten.mar"));
    EXPECT_EQ(window->activeDocument(), nullptr);
}

TEST_F(EmployeeWindowTest, ListShowsTheColumnsAndOnlyActiveEmployeesUntilTheFilterIsCleared) {
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    QTreeWidget* list = view->listWidget()->list();
    ASSERT_EQ(list->columnCount(), static_cast<int>(kEmployeeColumnCount));
    for (size_t i = 0; i < kEmployeeColumnCount; ++i) {
        EXPECT_EQ(fromQt(list->headerItem()->text(static_cast<int>(i))), kEmployeeColumns[i].title);
        EXPECT_GE(list->columnWidth(static_cast<int>(i)), kEmployeeColumns[i].width);
    }
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(column(view, EmployeeColumn::Number), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(column(view, EmployeeColumn::Active), (std::vector<std::string>{"Ja", "Ja", "Ja", "Ja"}));
    QCheckBox* onlyActive = view->listWidget()->onlyActiveBox();
    EXPECT_EQ(fromQt(onlyActive->text()), "nur aktive Mitarbeiter anzeigen");
    EXPECT_TRUE(onlyActive->isChecked());
    onlyActive->click();
    EXPECT_EQ(column(view, EmployeeColumn::Number), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(column(view, EmployeeColumn::Name).back(), "Thomas Krüger");
    EXPECT_EQ(column(view, EmployeeColumn::Active).back(), "Nein");
    EXPECT_EQ(column(view, EmployeeColumn::Exit).back(), "30.06.2026");
    onlyActive->click();
    EXPECT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(fromQt(view->yearField()->text()), "2026");
}

TEST_F(EmployeeWindowTest, ClickingAHeaderSortsByItAndKeepsTheSelectedEmployee) {
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    selectNumber(view, 4);
    clickHeader(view, EmployeeColumn::Department);
    // "Büro" before "Montage", each by name.
    EXPECT_EQ(column(view, EmployeeColumn::Name),
              (std::vector<std::string>{"Anna Schneider", "Sabine Müller", "Jörg Weiß", "Lena Becker"}));
    EXPECT_EQ(view->listWidget()->selectedNumber(), 4);
    EXPECT_EQ(view->listWidget()->list()->currentItem()->text(1), QStringLiteral("Sabine Müller"));
    clickHeader(view, EmployeeColumn::Name);
    EXPECT_EQ(column(view, EmployeeColumn::Name),
              (std::vector<std::string>{"Anna Schneider", "Jörg Weiß", "Lena Becker", "Sabine Müller"}));
    EXPECT_EQ(view->listWidget()->selectedNumber(), 4);
    EXPECT_EQ(view->listWidget()->list()->header()->sortIndicatorSection(), 1);
    // Employees without extra info come first.
    clickHeader(view, EmployeeColumn::ExtraInfo);
    EXPECT_EQ(column(view, EmployeeColumn::ExtraInfo).front(), "");
    EXPECT_EQ(column(view, EmployeeColumn::ExtraInfo).back(), "Teilzeit ab Juli");
}

TEST_F(EmployeeWindowTest, NewEmployeeIsCheckedInTheDialogListedSelectedAndSavedOnClosing) {
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    std::string proposedNumber;
    bool stayedOpen = false;
    bool nameHadFocus = false;
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<EmployeeEditDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(fromQt(dialog->windowTitle()), "Mitarbeiter bearbeiten");
        proposedNumber = fromQt(dialog->numberField()->text());
        // Without a name, OK names the field and keeps the dialog.
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        nameHadFocus = QApplication::focusWidget() == dialog->nameField();
        saveScreenshot(dialog, "employee_dialog.png");
        dialog->nameField()->setText(QStringLiteral("Petra Neumann"));
        dialog->departmentField()->setText(QStringLiteral("Lager"));
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    }});
    QTest::mouseClick(view->newButton(), Qt::LeftButton);
    EXPECT_EQ(proposedNumber, "6");
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(nameHadFocus);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{kEnterNameMessage}));
    EXPECT_EQ(view->listWidget()->selectedNumber(), 6);
    EXPECT_EQ(column(view, EmployeeColumn::Name).back(), "Petra Neumann");
    EXPECT_EQ(savedEmployees().count(6), 0u) << "a new employee waits for the save";

    prompter.answerYes();
    QTest::mouseClick(view->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.log().back().text, kEmployeesChangedQuestion);
    EXPECT_EQ(window->activeDocument(), nullptr);
    ASSERT_EQ(savedEmployees().count(6), 1u);
    EXPECT_EQ(savedEmployees().at(6).department, "Lager");
}

TEST_F(EmployeeWindowTest, CloseQuestionCancelKeepsTheWindowAndNoDropsTheChanges) {
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    answerModals({[](QWidget* modal) {
        auto* dialog = qobject_cast<EmployeeEditDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->nameField()->setText(QStringLiteral("Karl Kurz"));
        dialog->okButton()->click();
    }});
    view->newButton()->click();
    ASSERT_TRUE(view->management().changed());

    prompter.answerCancel();
    window->action(MenuCommand::Close)->trigger();
    EXPECT_EQ(window->activeDocument(), view) << "Cancel keeps the window";
    prompter.answerNo();
    view->cancelButton()->click();
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 0);
    EXPECT_EQ(savedEmployees().size(), 5u) << "No drops the new employee";
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(EmployeeWindowTest, RenameClosesTheEmployeesWindowsAndRenamesTheFiles) {
    ASSERT_NE(window->openYearFile(dataDirectory + "Joerg_Weiss2026.azr"), nullptr);
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    selectNumber(view, 2);
    answerModals({[](QWidget* modal) {
        auto* dialog = qobject_cast<EmployeeEditDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameField()->text(), QStringLiteral("Jörg Weiß"));
        dialog->nameField()->setText(QStringLiteral("Jörg Weber"));
        dialog->okButton()->click();
    }});
    prompter.answerYes(); // "Die vorhandenen Dateien für diesen Mitarbeiter werden geändert."
    // The list command "Aktuell ausgewählten Eintrag öffnen..." edits the employee.
    ASSERT_TRUE(window->action(MenuCommand::OpenEntry)->isEnabled());
    window->action(MenuCommand::OpenEntry)->trigger();

    EXPECT_EQ(prompter.log().front().text, kFilesWillChangeQuestion);
    EXPECT_TRUE(openYearFiles().empty()) << "the year view of the old name was closed";
    EXPECT_TRUE(exists("Joerg_Weber2026.azr"));
    EXPECT_FALSE(exists("Joerg_Weiss2026.azr"));
    EXPECT_EQ(savedEmployees().at(2).name, "Jörg Weber") << "a rename is saved at once";
    EXPECT_EQ(OpenYearFile(dataDirectory + "Joerg_Weber2026.azr", dataDirectory).document.settings().name,
              "Jörg Weber");
    EXPECT_EQ(view->listWidget()->selectedNumber(), 2);
    EXPECT_EQ(column(view, EmployeeColumn::Name)[1], "Jörg Weber");
}

TEST_F(EmployeeWindowTest, DeleteKeyDeletesTheEmployeeWithTheFiles) {
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    selectNumber(view, 3);
    ASSERT_TRUE(exists("Lena_Becker2026.azr"));
    prompter.answerNo();
    QTest::keyClick(view->listWidget()->list(), Qt::Key_Delete);
    EXPECT_TRUE(exists("Lena_Becker2026.azr"));
    EXPECT_EQ(view->listWidget()->list()->topLevelItemCount(), 4);

    prompter.answerYes();
    QTest::keyClick(view->listWidget()->list(), Qt::Key_Delete);
    EXPECT_EQ(prompter.log().back().text,
              "Soll 3 - Lena Becker gelöscht werden?\n\nDie Dateien dieses Mitarbeiters werden ebenfalls gelöscht.");
    EXPECT_FALSE(exists("Lena_Becker2026.azr"));
    EXPECT_EQ(column(view, EmployeeColumn::Number), (std::vector<std::string>{"1", "2", "4"}));
    EXPECT_EQ(savedEmployees().count(3), 0u);
    // The row position stays selected.
    EXPECT_EQ(view->listWidget()->selectedNumber(), 4);
}

TEST_F(EmployeeWindowTest, EnterOpensTheYearFileOfTheYearFieldAfterSavingTheEmployees) {
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    selectNumber(view, 1);
    view->yearField()->setText(QStringLiteral("1989"));
    QTest::keyClick(view->listWidget()->list(), Qt::Key_Return);
    EXPECT_EQ(prompter.log().back().text, kYearRangeMessage);
    EXPECT_EQ(fromQt(view->yearField()->text()), "2026");
    EXPECT_TRUE(openYearFiles().empty());

    QTest::keyClick(view->listWidget()->list(), Qt::Key_Return);
    EXPECT_EQ(openYearFiles(), (std::vector<std::string>{"Anna_Schneider2026.azr"}));
    EXPECT_EQ(window->activeViewKind(), ActiveView::YearView);
}

TEST_F(EmployeeWindowTest, RelayedEvaluationCommandActsOnTheSelectedEmployeesYearFile) {
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    view->listWidget()->list()->setCurrentItem(nullptr);
    window->updateCommands();
    EXPECT_FALSE(window->action(MenuCommand::YearSummaryExport)->isEnabled()) << "nobody selected";
    selectNumber(view, 2);
    window->updateCommands();
    for (MenuCommand command : {MenuCommand::YearSummaryExport, MenuCommand::AccountPreview,
                                MenuCommand::VacationTaken, MenuCommand::AccountEdit})
        EXPECT_TRUE(window->action(command)->isEnabled()) << static_cast<int>(command);
    // The window's own print entries print nothing of a year file.
    EXPECT_FALSE(window->action(MenuCommand::Print)->isEnabled());

    window->action(MenuCommand::YearSummaryExport)->trigger();
    EXPECT_EQ(openYearFiles(), (std::vector<std::string>{"Joerg_Weiss2026.azr"}));
    ASSERT_FALSE(prompter.log().empty());
    // The export ran on the opened file: the spreadsheet program does not start here, and the
    // message names the workbook of Jörg Weiß's year.
    const std::string message = prompter.log().back().text;
    EXPECT_NE(message.find("Die Arbeitsmappe wurde gespeichert unter:"), std::string::npos) << message;
    EXPECT_NE(message.find("2026"), std::string::npos) << message;
}

TEST_F(EmployeeWindowTest, EditDialogProposesDatesAndEnablesPickersWithTheirBoxes) {
    CMitarbeiterDoc record;
    record.number = 7;
    record.name = "Anna";
    EmployeeDialog model(record, clock);
    EmployeeEditDialog dialog(model, prompter, window.get());
    dialog.show();
    EXPECT_EQ(dialog.entryPicker()->displayFormat(), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(dialog.entryPicker()->date(), QDate(2026, 6, 15)) << "an empty date shows today";
    EXPECT_FALSE(dialog.probationEndPicker()->isEnabled());
    EXPECT_FALSE(dialog.probationEndLabel()->isEnabled());
    EXPECT_FALSE(dialog.exitPicker()->isEnabled());

    dialog.entryPicker()->setDate(QDate(2023, 8, 31));
    dialog.probationBox()->click();
    EXPECT_TRUE(dialog.probationEndPicker()->isEnabled());
    EXPECT_TRUE(dialog.probationEndLabel()->isEnabled());
    EXPECT_EQ(dialog.probationEndPicker()->date(), QDate(2024, 3, 1));
    dialog.exitBox()->click();
    EXPECT_TRUE(dialog.exitPicker()->isEnabled());
    EXPECT_EQ(dialog.exitPicker()->date(), QDate(2026, 7, 15));

    // A number of 0 puts the focus on the number.
    dialog.numberField()->setText(QStringLiteral("0"));
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{kEnterNumberMessage}));
    EXPECT_EQ(dialog.focusWidget(), dialog.numberField());

    dialog.numberField()->setText(QStringLiteral("7"));
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const CMitarbeiterDoc confirmed = model.confirmedRecord();
    EXPECT_EQ(confirmed.entryDate, (Datum{31, 8, 2023}));
    EXPECT_EQ(confirmed.probationEnd, (Datum{1, 3, 2024}));
    EXPECT_EQ(confirmed.exitDate, (Datum{15, 7, 2026}));
}

TEST_F(EmployeeWindowTest, UntouchedEmptyEntryDateStaysEmpty) {
    CMitarbeiterDoc record;
    record.number = 7;
    record.name = "Anna";
    EmployeeDialog model(record, clock);
    EmployeeEditDialog dialog(model, prompter, window.get());
    dialog.show();
    dialog.okButton()->click();
    EXPECT_TRUE(model.confirmedRecord().entryDate.isEmpty());
}

TEST_F(EmployeeWindowTest, SelectionDialogNeedsARowAndGivesTheChosenName) {
    bool stayedWithoutRow = false;
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<EmployeeSelectDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(fromQt(dialog->windowTitle()), "Mitarbeiter auswählen");
        EXPECT_TRUE(dialog->listWidget()->onlyActiveBox()->isChecked());
        EXPECT_EQ(dialog->listWidget()->list()->topLevelItemCount(), 4);
        dialog->listWidget()->list()->setCurrentItem(nullptr);
        dialog->accept();
        stayedWithoutRow = dialog->isVisible();
        dialog->listWidget()->list()->setCurrentItem(dialog->listWidget()->list()->topLevelItem(2));
        saveScreenshot(dialog, "employee_select.png");
        dialog->accept();
    }});
    EXPECT_EQ(selectEmployee(window.get(), app.employees(), clock, prompter), "Lena Becker");
    EXPECT_TRUE(stayedWithoutRow);
}

TEST_F(EmployeeWindowTest, ScreenshotsOfTheWindow) {
    EmployeeWindow* view = openEmployees();
    ASSERT_NE(view, nullptr);
    selectNumber(view, 2);
    QApplication::processEvents();
    saveScreenshot(window.get(), "employee_window_main.png");
    saveScreenshot(view, "employee_window.png");
    // The window shows every column at its designed size.
    EXPECT_GE(view->designedSize().width(), view->listWidget()->naturalWidth());
}

} // namespace
} // namespace lorvan
