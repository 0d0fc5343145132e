#include "entry/ui/day_view.h"

#include "entry/file_views.h"
#include "entry/ui/day_entry_form.h"
#include "entry/ui/entry_commands.h"
#include "entry/ui/file_view_windows.h"
#include "support/fake_desktop.h"
#include "app/command_table.h"
#include "gui/common/qt_platform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace lorvan {
namespace {

QPushButton* button(const QWidget* window, const char* text) {
    return test::buttonWithText(window, text);
}

std::vector<std::string> rowTexts(const QTreeWidget* list, int row) {
    std::vector<std::string> texts;
    const QTreeWidgetItem* item = list->topLevelItem(row);
    for (int column = 0; item != nullptr && column < list->columnCount(); ++column)
        texts.push_back(fromQt(item->text(column)));
    return texts;
}

// The month view's row of a day; -1 when the day has none.
int rowOfDay(const CMonatView& view, int32_t day) {
    for (int i = 0; i < view.list()->topLevelItemCount(); ++i)
        if (view.list()->topLevelItem(i)->data(0, Qt::UserRole).toInt() == day) return i;
    return -1;
}

// The information messages shown without waiting.
std::vector<std::string> openNotes() {
    std::vector<std::string> texts;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible())
            texts.push_back(fromQt(box->text()));
    return texts;
}

void closeNotes() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget)) box->close();
}

class DayViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        registerEntryCommands(desktop);
        // The time-line dialog: every new line becomes 8:00-16:30 with a pause of 30 minutes; an
        // edited line gets the remark "geändert".
        setTimeLineEditorSource([this](Desktop&, const std::shared_ptr<OpenYearFile>&) {
            return [this](CZeitZeile& line, bool isFirstNewLine) {
                ++editorCalls;
                firstNewLine = isFirstNewLine;
                if (line.from.empty()) {
                    line.kind = kKindWorkingTime;
                    line.from = "8:00";
                    line.to = "16:30";
                    line.duration = 510;
                    line.pause = 30;
                } else {
                    line.remark = "geändert";
                }
                line.updateDurationText();
                return true;
            };
        });
        yearView = openYearFileView(desktop, desktop.dataDirectory() + "Joerg_Weiss2026.azr");
        ASSERT_NE(yearView, nullptr);
        june = openMonthView(desktop, yearView->file(), 6);
        ASSERT_NE(june, nullptr);
    }
    void TearDown() override {
        closeNotes();
        setTimeLineEditorSource({});
    }

    CMonatDoc& juneDoc() const { return *yearView->file()->document.month(6); }

    test::FakeDesktop desktop{"Daten.mar", "Joerg_Weiss2026.azr"};
    test::ScriptedPrompter& prompter = desktop.scripted();
    CLorvanView* yearView = nullptr;
    CMonatView* june = nullptr;
    int editorCalls = 0;
    bool firstNewLine = false;
};

TEST_F(DayViewTest, ADayEnteredFromScratchIsWrittenAndShownInTheMonthView) {
    // "Nächster Tag" proposes Tuesday 16 June, the first day after the demo's last one.
    ASSERT_EQ(june->proposalField()->text(), QStringLiteral("16"));
    EXPECT_EQ(fromQt(june->proposalText()->text()), ".06.2026 (Dienstag)");
    june->createButton()->click();
    auto* view = dynamic_cast<CTagView*>(desktop.activeDocument());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->dayNumber(), 16);
    EXPECT_EQ(view->month(), 6);
    EXPECT_EQ(fromQt(view->windowTitle()), "16.06.2026 (Dienstag)");
    EXPECT_EQ(desktop.viewNumbers().back(), desktop.viewNumbers().at(1)) << "the month view's window size";
    ASSERT_GE(rowOfDay(*june, 16), 0);
    EXPECT_EQ(june->selectedNumber(), 16);
    EXPECT_EQ(rowTexts(june->list(), rowOfDay(*june, 16)).at(1), "Keine Zeiten");

    DayEntryForm* form = view->form();
    EXPECT_EQ(fromQt(form->findChild<QLineEdit*>(QStringLiteral("employee"))->text()), "Jörg Weiß");
    EXPECT_EQ(fromQt(form->findChild<QLineEdit*>(QStringLiteral("title"))->text()), "16.06.2026 (Dienstag)");
    EXPECT_TRUE(form->findChild<QCheckBox*>(QStringLiteral("complete"))->isChecked()) << "a new day is complete";

    button(view, "Zeit hi&nzufügen...")->click();
    EXPECT_EQ(editorCalls, 1);
    EXPECT_TRUE(firstNewLine);
    const QTreeWidget* lines = form->timeList();
    ASSERT_EQ(lines->topLevelItemCount(), 1);
    EXPECT_EQ(form->selectedLine(), 0) << "the new line is selected";
    const std::vector<std::string> row = rowTexts(lines, 0);
    ASSERT_GE(row.size(), 5u);
    EXPECT_EQ((std::vector<std::string>(row.begin(), row.begin() + 5)),
              (std::vector<std::string>{"8:00", "16:30", "08:00", "30", "Arbeitszeit"}));
    EXPECT_EQ(fromQt(lines->headerItem()->text(2)), "Arbeitszeit");
    QTest::keyClicks(form->findChild<QLineEdit*>(QStringLiteral("internalRemark")), QStringLiteral("Baustelle"));
    EXPECT_TRUE(view->entry().isChanged());

    view->grab().save(QStringLiteral("/tmp/day_view.png"));
    // The checks of a complete day ask about the pause of this file's rules; No lets the program
    // correct it.
    prompter.answerNo();
    button(view, "&Speichern")->click();
    ASSERT_EQ(prompter.log().size(), 1u);
    EXPECT_EQ(prompter.log().front().kind, "yesno");
    EXPECT_FALSE(view->entry().isChanged());
    EXPECT_TRUE(view->isVisible()) << "\"&Speichern\" keeps the window";
    EXPECT_TRUE(openNotes().empty()) << "8 hours of work need no note";

    // The month view shows the day's new status, and the file on disk holds the line.
    const std::vector<FileViewRow> expected = monthViewRows(juneDoc());
    const int shown = rowOfDay(*june, 16);
    ASSERT_GE(shown, 0);
    EXPECT_EQ(rowTexts(june->list(), shown).at(1), expected.at(static_cast<size_t>(shown)).info);
    EXPECT_NE(rowTexts(june->list(), shown).at(1), "Keine Zeiten");
    EXPECT_NE(rowTexts(june->list(), shown).at(1).find("Baustelle"), std::string::npos);
    CLorvanDoc reread;
    reread.open(desktop.dataDirectory() + "Joerg_Weiss2026.azr");
    const CTagDoc* day = reread.month(6) != nullptr ? reread.month(6)->day(16) : nullptr;
    ASSERT_NE(day, nullptr);
    ASSERT_EQ(day->lineCount(), 1u);
    EXPECT_EQ(day->line(0).from, "8:00");
    EXPECT_EQ(day->line(0).to, "16:30");
    EXPECT_GE(day->line(0).pause, 30);
    EXPECT_EQ(day->internalRemark, "Baustelle");
    EXPECT_FALSE(yearView->file()->document.isModified());

    // The same day opens no second window.
    EXPECT_EQ(openDayView(desktop, yearView->file(), 6, 16), view);
}

TEST_F(DayViewTest, LineCommandsSelectTheLineTheyNameAndBeepWithoutSelection) {
    CTagView* view = openDayView(desktop, yearView->file(), 6, 15);
    ASSERT_NE(view, nullptr);
    DayEntryForm* form = view->form();
    const int before = form->timeList()->topLevelItemCount();
    ASSERT_GT(before, 0) << "the demo's 15 June has times";

    // Nothing selected: editing and deleting change nothing and ask nothing.
    form->timeList()->clearSelection();
    form->timeList()->setCurrentItem(nullptr);
    button(view, "Zeit be&arbeiten...")->click();
    button(view, "Zeit &löschen")->click();
    EXPECT_EQ(editorCalls, 0);
    EXPECT_TRUE(prompter.log().empty());

    // A double click edits the line; it stays selected.
    form->timeList()->setCurrentItem(form->timeList()->topLevelItem(0));
    emit form->timeList()->itemDoubleClicked(form->timeList()->topLevelItem(0), 0);
    EXPECT_EQ(editorCalls, 1);
    EXPECT_EQ(form->selectedLine(), 0);
    EXPECT_EQ(rowTexts(form->timeList(), 0).at(7), "geändert");

    // Deleting asks; No keeps the line, Yes removes it.
    prompter.answerNo();
    button(view, "Zeit &löschen")->click();
    EXPECT_EQ(form->timeList()->topLevelItemCount(), before);
    prompter.answerYes();
    button(view, "Zeit &löschen")->click();
    EXPECT_EQ(form->timeList()->topLevelItemCount(), before - 1);
    ASSERT_EQ(prompter.log().size(), 2u);
    EXPECT_EQ(prompter.log()[0].text.rfind("Soll die Zeit ", 0), 0u) << prompter.log()[0].text;

    // Closing asks about the changes: Cancel keeps the window, No drops them.
    prompter.answerCancel();
    button(view, "Abbrechen")->click();
    EXPECT_TRUE(view->isVisible());
    prompter.answerNo();
    button(view, "Abbrechen")->click();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(prompter.log().back().text,
              "Es wurden Änderungen für den 15.06.2026 (Montag) gemacht.\nSollen die Änderungen gespeichert werden?");
    CLorvanDoc reread;
    reread.open(desktop.dataDirectory() + "Joerg_Weiss2026.azr");
    EXPECT_EQ(reread.month(6)->day(15)->lineCount(), static_cast<size_t>(before)) << "nothing was written";
}

TEST_F(DayViewTest, AFailedSaveKeepsTheWindowWithItsData) {
    CTagView* view = openDayView(desktop, yearView->file(), 6, 15);
    ASSERT_NE(view, nullptr);
    auto* remark = view->form()->findChild<QLineEdit*>(QStringLiteral("reportRemark"));
    QTest::keyClicks(remark, QStringLiteral("Messe"));
    // The data directory is gone (a network drive that went away): the file cannot be written.
    std::filesystem::rename(desktop.dataDirectory(), desktop.dataDirectory().substr(0, desktop.dataDirectory().size() - 1) + "-weg");

    button(view, "&Speichern + Schliessen")->click();
    ASSERT_FALSE(prompter.log().empty());
    EXPECT_EQ(prompter.log().back().kind, "error");
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(view->entry().isChanged());
    EXPECT_EQ(remark->text(), QStringLiteral("Messe"));
    EXPECT_TRUE(button(view, "&Speichern")->isEnabled());
    EXPECT_TRUE(openNotes().empty());

    // The window closes only without questions when the program closes everything.
    view->closeWithoutQuestions();
    const size_t asked = prompter.log().size();
    view->close();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(prompter.log().size(), asked);
}

TEST_F(DayViewTest, AClosedMonthDisablesEveryChangingControl) {
    desktop.app().settings().monthClosing = "06.2026";
    CTagView* view = openDayView(desktop, yearView->file(), 6, 15);
    ASSERT_NE(view, nullptr);
    int checked = 0;
    for (QAbstractButton* control : view->findChildren<QAbstractButton*>()) {
        if (control->text() == QStringLiteral("Abbrechen")) {
            EXPECT_TRUE(control->isEnabled());
            continue;
        }
        EXPECT_FALSE(control->isEnabled()) << fromQt(control->text());
        ++checked;
    }
    EXPECT_EQ(checked, 12 + 3 + 9) << "kinds, check boxes and buttons";
    for (const char* field : {"fillUntil", "reportRemark", "internalRemark"})
        EXPECT_FALSE(view->findChild<QLineEdit*>(QString::fromLatin1(field))->isEnabled()) << field;
    EXPECT_TRUE(view->form()->timeList()->isEnabled()) << "the times can be looked at";

    // The month view offers neither creating nor deleting.
    auto* closedJune = openMonthView(desktop, yearView->file(), 6);
    ASSERT_NE(closedJune, nullptr);
    closedJune->settingsChanged();
    EXPECT_FALSE(closedJune->createButton()->isEnabled());
    EXPECT_FALSE(closedJune->proposalField()->isEnabled());
}

TEST_F(DayViewTest, TheLogbookButtonSavesTheDayAndOpensTheAssistant) {
    std::vector<int32_t> opened;
    bool available = false;
    setLogbookTransfer(LogbookTransfer{
        .available = [&](Desktop&) { return available; },
        .open = [&](Desktop&, const CTagDoc& day, bool refuseWhileLogbooksOpen) {
            EXPECT_TRUE(refuseWhileLogbooksOpen);
            opened.push_back(day.number());
        },
    });
    CTagView* without = openDayView(desktop, yearView->file(), 6, 15);
    ASSERT_NE(without, nullptr);
    EXPECT_FALSE(without->findChild<QPushButton*>(QStringLiteral("transferToLogbook"))->isEnabled());
    without->closeWithoutQuestions();
    without->close();

    available = true;
    CTagView* view = openDayView(desktop, yearView->file(), 6, 15);
    ASSERT_NE(view, nullptr);
    QPushButton* transfer = view->findChild<QPushButton*>(QStringLiteral("transferToLogbook"));
    ASSERT_TRUE(transfer->isEnabled());
    transfer->click();
    EXPECT_EQ(opened, std::vector<int32_t>{15});
    EXPECT_FALSE(view->entry().isChanged());
    setLogbookTransfer({});
}

TEST_F(DayViewTest, TheMonthViewCreatesAndDeletesDays) {
    struct Typed {
        const char* number;
        const char* text;
    };
    for (const Typed& typed : {Typed{"31", "Der Tag ist ungültig."}, Typed{"15", "Der Tag wurde schon angelegt."},
                               Typed{"20", ".06.2026 (Samstag)"}, Typed{"", ""}}) {
        june->proposalField()->setText(QString::fromLatin1(typed.number));
        EXPECT_EQ(fromQt(june->proposalText()->text()), typed.text) << typed.number;
    }
    // Without a number "A&nlegen" says what is missing; an existing day is refused.
    june->createButton()->click();
    june->proposalField()->setText(QStringLiteral("15"));
    june->createButton()->click();
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Tragen Sie erst den Tag ein, der angelegt werden soll.",
                                                          "Der Tag existiert schon."}));
    EXPECT_EQ(desktop.activeDocument(), june);

    june->proposalField()->setText(QStringLiteral("20"));
    june->createButton()->click();
    auto* saturday = dynamic_cast<CTagView*>(desktop.activeDocument());
    ASSERT_NE(saturday, nullptr);
    EXPECT_EQ(saturday->dayNumber(), 20);
    EXPECT_TRUE(yearView->file()->document.isModified());
    EXPECT_TRUE(june->saveAndCloseButton()->isEnabled());

    // Deleting the selected day closes its window; the list no longer shows it.
    desktop.activateDocument(june);
    june->selectNumber(20);
    ASSERT_TRUE(desktop.commands().isEnabled(MenuCommand::DeleteEntry));
    prompter.answerYes();
    desktop.commands().run(MenuCommand::DeleteEntry);
    EXPECT_EQ(prompter.log().back().text, "Soll der 20.06.2026 gelöscht werden?");
    EXPECT_FALSE(saturday->isVisible());
    EXPECT_EQ(juneDoc().day(20), nullptr);
    EXPECT_EQ(rowOfDay(*june, 20), -1);

    // The list menu deletes too; a day with times says so, and No keeps it.
    june->selectNumber(15);
    prompter.answerNo();
    std::unique_ptr<QMenu> menu(june->createListMenu());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->actions().at(1)->isEnabled());
    menu->actions().at(1)->trigger();
    EXPECT_EQ(prompter.log().back().text,
              "Soll der 15.06.2026 gelöscht werden?\n\nDer Tag enthält Zeiten, die dann ebenfalls gelöscht werden.");
    EXPECT_NE(juneDoc().day(15), nullptr);

    // "Aktuell ausgewählten &Eintrag öffnen..." opens the selected day.
    ASSERT_TRUE(desktop.commands().isEnabled(MenuCommand::OpenEntry));
    desktop.commands().run(MenuCommand::OpenEntry);
    auto* opened = dynamic_cast<CTagView*>(desktop.activeDocument());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->dayNumber(), 15);

    // "&Speichern + Schliessen" writes the file and closes the month view.
    june->saveAndCloseButton()->click();
    EXPECT_FALSE(june->isVisible());
    CLorvanDoc reread;
    reread.open(desktop.dataDirectory() + "Joerg_Weiss2026.azr");
    EXPECT_EQ(reread.month(6)->day(20), nullptr);
    EXPECT_EQ(reread.month(6)->day(16), nullptr);
}

TEST_F(DayViewTest, WorkingTimeNotesFollowASaveWithoutWaiting) {
    CTagView* view = openDayView(desktop, yearView->file(), 6, 15);
    ASSERT_NE(view, nullptr);
    // A long day: the new line starts where the last one ended and runs to 23:00.
    setTimeLineEditorSource({});
    DayEntry& entry = view->entry();
    const TimeLineEditor late = [](CZeitZeile& line, bool) {
        line.kind = kKindWorkingTime;
        line.to = "23:00";
        return true;
    };
    ASSERT_EQ(entry.addTime(late), EntryResult::Done);
    ASSERT_EQ(entry.computeTimes(), EntryResult::Done);
    // Left incomplete, the day is saved without the checks of a complete day.
    entry.setComplete(false);
    view->form()->load();
    ASSERT_TRUE(view->save()) << (prompter.log().empty() ? "" : prompter.log().back().text);
    const std::vector<std::string> notes = openNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes.front().find("Die Arbeitszeit dieses Tages übersteigt 10 Stunden."), std::string::npos);
}

} // namespace
} // namespace lorvan
