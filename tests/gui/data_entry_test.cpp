#include "app/application.h"
#include "app/open_year_file.h"
#include "app/menu_table.h"
#include "entry/ui/day_view.h"
#include "entry/ui/quick_day_dialog.h"
#include "entry/ui/quick_entry_dialog.h"
#include "entry/ui/file_view_windows.h"
#include "entry/ui/time_line_dialog.h"
#include "evaluation/month_evaluation.h"
#include "gui/common/qt_platform.h"
#include "gui/main_window.h"
#include "platform/clock.h"
#include "platform/program_runner.h"
#include "platform/user_store.h"
#include "support/gui_fixture.h"
#include "support/main_window_fixture.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <memory>

namespace lorvan {
namespace {

// Types a text into a field as the user does: everything there is replaced.
void typeInto(QWidget* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        edit->selectAll();
        if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    } else if (auto* choice = qobject_cast<QComboBox*>(field)) {
        choice->lineEdit()->selectAll();
        QTest::keyClicks(choice->lineEdit(), text);
    }
}

// Fills "Arbeitszeit eingeben" with a working-time line from 7:30 to 16:00 with 45 minutes break
// (7:45 hours of work) and presses OK.
void enterWorkingTimeLine(QWidget* modal) {
    auto* dialog = qobject_cast<TimeLineDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Arbeitszeit eingeben"));
    // Leaving a field completes it only in the active window: on a busy machine the dialog may not
    // be active yet when it is first shown.
    dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    typeInto(dialog->fieldWidget(LineField::Kind), QStringLiteral("a"));
    typeInto(dialog->fieldWidget(LineField::From), QStringLiteral("730"));
    typeInto(dialog->fieldWidget(LineField::To), QStringLiteral("16"));
    typeInto(dialog->fieldWidget(LineField::Duration), QString());
    typeInto(dialog->fieldWidget(LineField::Pause), QStringLiteral("45"));
    typeInto(dialog->fieldWidget(LineField::Remark), QStringLiteral("Werkstatt"));
    dialog->okButton()->click();
    // A refused OK would leave the dialog waiting for an answer that never comes.
    if (dialog->isVisible()) {
        ADD_FAILURE() << "the line was refused";
        dialog->reject();
    }
}

using DataEntryTest = test::MainWindowOnDemoCopy;

// The daily job from scratch: create a day in the month view, enter a line in "Arbeitszeit
// eingeben", save; the month view, the file on disk and the month evaluation show the day.
TEST_F(DataEntryTest, ADayEnteredFromScratchIsSavedAndEvaluated) {
    const std::string path = data.file("Joerg_Weiss2026.azr");
    CLorvanView* yearView = window->openYearFile(path);
    ASSERT_NE(yearView, nullptr);
    CMonatView* june = window->openMonth(yearView->file(), 6);
    ASSERT_NE(june, nullptr);
    ASSERT_EQ(june->file()->document.month(6)->day(16), nullptr) << "the demo ends on the 15th";

    typeInto(june->proposalField(), QStringLiteral("16"));
    june->createButton()->click();
    auto* day = qobject_cast<CTagView*>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(window->mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("16.06.2026 (Dienstag)"));

    bool dialogSeen = false;
    test::answerModals({[&](QWidget* modal) {
        dialogSeen = true;
        enterWorkingTimeLine(modal);
    }});
    QPushButton* add = test::buttonWithText(day, "Zeit hi&nzufügen...");
    ASSERT_NE(add, nullptr);
    add->click();
    ASSERT_TRUE(dialogSeen);

    auto* lines = day->findChild<QTreeWidget*>(QStringLiteral("lines"));
    ASSERT_NE(lines, nullptr);
    ASSERT_EQ(lines->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = lines->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("07:30"));
    EXPECT_EQ(row->text(1), QStringLiteral("16:00"));
    EXPECT_EQ(row->text(2), QStringLiteral("07:45"));
    EXPECT_EQ(row->text(3), QStringLiteral("45"));
    EXPECT_EQ(row->text(4), QStringLiteral("Arbeitszeit"));

    day->saveButton()->click();
    EXPECT_FALSE(yearView->file()->document.isModified());

    // The month view lists the new day; it is a complete working day, so its info is empty.
    bool listed = false;
    for (int i = 0; i < june->list()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = june->list()->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() != 16) continue;
        listed = true;
        EXPECT_EQ(item->text(0), QStringLiteral("16.06.2026 (Dienstag)"));
        EXPECT_EQ(item->text(1), QString());
    }
    EXPECT_TRUE(listed);

    // The file on disk evaluates the day as entered.
    OpenYearFile stored(path, app.dataDirectory());
    const CTagDoc* storedDay = stored.document.month(6)->day(16);
    ASSERT_NE(storedDay, nullptr);
    ASSERT_EQ(storedDay->lineCount(), 1u);
    EXPECT_EQ(storedDay->line(0).remark, "Werkstatt");
    YearEvaluator evaluator(stored.document, stored.context());
    const DayRow* evaluated = nullptr;
    for (const WeekEvaluation& week : evaluator.evaluate(6).weeks)
        for (const DayRow& r : week.rows)
            if (r.day == 16 && r.month == 6) evaluated = &r;
    ASSERT_NE(evaluated, nullptr);
    EXPECT_EQ(evaluated->workMinutes, 465);
    EXPECT_EQ(evaluated->creditedMinutes, 465);
    EXPECT_EQ(evaluated->status, "");
}

// "A&nlegen" in the year view creates the month of "Nächster Monat" and opens it; "&Speichern +
// Schliessen" writes the file and closes the year view.
TEST_F(DataEntryTest, TheYearViewCreatesAMonthAndSavesAndCloses) {
    const std::string path = data.file("Joerg_Weiss2026.azr");
    CLorvanView* yearView = window->openYearFile(path);
    ASSERT_NE(yearView, nullptr);
    EXPECT_EQ(yearView->proposalField()->text(), QStringLiteral("7"));
    yearView->createButton()->click();
    EXPECT_EQ(window->activeViewKind(), ActiveView::MonthView);
    EXPECT_NE(yearView->file()->document.month(7), nullptr);
    EXPECT_EQ(yearView->proposalField()->text(), QStringLiteral("8"));

    QPushButton* saveAndClose = test::buttonWithText(yearView, "&Speichern + Schliessen");
    ASSERT_NE(saveAndClose, nullptr);
    ASSERT_TRUE(saveAndClose->isEnabled());
    saveAndClose->click();
    QApplication::processEvents();
    for (DocumentView* view : window->documents())
        EXPECT_NE(view->viewKind(), ActiveView::YearView);
    CLorvanDoc stored;
    stored.open(path);
    EXPECT_NE(stored.month(7), nullptr);
}

// "&Schnellerfassung..." for two employees on one day through the real dialogs: both files get the
// day with the line, each without further employees.
TEST_F(DataEntryTest, QuickEntryWritesTheDayIntoEveryChosenFile) {
    std::vector<std::string> steps;
    test::answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<QuickEntryDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        steps.push_back("Schnellerfassung");
        dialog->fromField()->setDate(QDate(2026, 6, 16));
        dialog->toField()->setDate(QDate(2026, 6, 16));
        QTreeWidget* possible = dialog->possibleList();
        for (int i = 0; i < possible->topLevelItemCount(); ++i) {
            const QString number = possible->topLevelItem(i)->text(0).trimmed();
            possible->topLevelItem(i)->setSelected(number == QStringLiteral("1") || number == QStringLiteral("2"));
        }
        QPushButton* select = test::buttonWithText(dialog, ">");
        ASSERT_NE(select, nullptr);
        select->click();
        ASSERT_EQ(dialog->selectedList()->topLevelItemCount(), 2);
        // Each nested dialog is answered by its own timer: a timer is not re-entered while its
        // handler still runs.
        test::answerModals({[&](QWidget* dayModal) {
            auto* day = qobject_cast<QuickDayDialog*>(dayModal);
            ASSERT_NE(day, nullptr);
            steps.push_back(fromQt(day->windowTitle()));
            test::answerModals({[&](QWidget* lineModal) {
                steps.push_back("Arbeitszeit eingeben");
                enterWorkingTimeLine(lineModal);
            }});
            QPushButton* add = test::buttonWithText(day, "Zeit hi&nzufügen...");
            ASSERT_NE(add, nullptr);
            add->click();
            QPushButton* save = test::buttonWithText(day, "&Speichern + Schließen");
            ASSERT_NE(save, nullptr);
            save->click();
        }});
        dialog->enterTimesButton()->click();
    }});
    window->runCommand(MenuCommand::QuickEntry);
    EXPECT_EQ(steps, (std::vector<std::string>{"Schnellerfassung", "Schnellerfassung eines Tages",
                                               "Arbeitszeit eingeben"}));

    for (const char* file : {"Anna_Schneider2026.azr", "Joerg_Weiss2026.azr"}) {
        SCOPED_TRACE(file);
        CLorvanDoc stored;
        stored.open(data.file(file));
        const CTagDoc* day = stored.month(6)->day(16);
        ASSERT_NE(day, nullptr);
        ASSERT_EQ(day->lineCount(), 1u);
        EXPECT_EQ(day->line(0).from, "07:30");
        EXPECT_EQ(day->line(0).duration, 510);
        EXPECT_EQ(day->furtherEmployees, "");
    }
}

} // namespace
} // namespace lorvan
