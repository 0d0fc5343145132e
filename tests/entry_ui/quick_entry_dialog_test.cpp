#include "entry/ui/quick_entry_dialog.h"

#include "app/application.h"
#include "app/open_year_file.h"
#include "app/processing.h"
#include "app/work_areas.h"
#include "entry/month_management.h"
#include "entry/ui/entry_commands.h"
#include "entry/ui/file_view_windows.h"
#include "gui/common/qt_platform.h"
#include "gui/main_window.h"
#include "platform/clock.h"
#include "platform/user_store.h"
#include "support/gui_fixture.h"
#include "support/main_window_fixture.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>

namespace lorvan {
namespace {

namespace fs = std::filesystem;
using test::answerModals;

std::vector<std::string> listTexts(const QTreeWidget* list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts.push_back(fromQt(list->topLevelItem(i)->text(column)));
    return texts;
}

void markRows(QTreeWidget* list, const std::vector<std::string>& names) {
    list->clearSelection();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (std::find(names.begin(), names.end(), fromQt(list->topLevelItem(i)->text(1))) != names.end())
            list->topLevelItem(i)->setSelected(true);
}

void click(QWidget* dialog, const char* buttonName) {
    auto* button = dialog->findChild<QPushButton*>(QString::fromUtf8(buttonName));
    ASSERT_NE(button, nullptr) << buttonName;
    button->click();
}

// The main window on a copy of the demo data of 15 June 2026 (year files up to June).
class QuickEntryWindows : public test::MainWindowOnDemoCopy {
  protected:
    QuickEntryWindows() : MainWindowOnDemoCopy(Datum{6, 7, 2026}) {}

    std::vector<std::string> headers;

    void SetUp() override {
        MainWindowOnDemoCopy::SetUp();
        // Stands in for the day dialog: one line of office work, then "&Speichern + Schließen".
        setQuickEntryDayDialog([this](QWidget*, CTagDoc& day, const QuickEntryHeader& header) {
            headers.push_back(header.employee + " | " + header.furtherEmployees + " | " + header.dateText);
            CZeitZeile& line = day.addLine();
            line.kind = kKindOffice;
            line.from = "8:00";
            line.to = "12:00";
            line.duration = 240;
            return true;
        });
    }

    void TearDown() override {
        setQuickEntryDayDialog({});
        MainWindowOnDemoCopy::TearDown();
    }

    CLorvanDoc load(const std::string& name) const {
        CLorvanDoc doc;
        doc.open(dataDirectory + name);
        return doc;
    }

    CLorvanView* openYearView(const std::string& name) {
        window->openYearFile(dataDirectory + name);
        auto* view = dynamic_cast<CLorvanView*>(window->activeDocument());
        EXPECT_NE(view, nullptr);
        return view;
    }
};

TEST_F(QuickEntryWindows, EntersTheDayForTheChosenEmployeesAndRefreshesTheirOpenViews) {
    CLorvanView* annaView = openYearView("Anna_Schneider2026.azr");
    ASSERT_NE(annaView, nullptr);
    bool handled = false;
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<QuickEntryDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        handled = true;
        EXPECT_EQ(fromQt(dialog->windowTitle()), "Schnellerfassung");
        EXPECT_EQ(dialog->fromField()->date(), QDate(2026, 7, 6));
        EXPECT_EQ(dialog->toField()->date(), QDate(2026, 7, 6));
        EXPECT_TRUE(dialog->onlyActiveBox()->isChecked());
        EXPECT_EQ(listTexts(dialog->possibleList(), 0), (std::vector<std::string>{"1", "2", "3", "4"}));
        EXPECT_EQ(fromQt(dialog->possibleList()->headerItem()->text(0)), "Personalnr");
        markRows(dialog->possibleList(), {"Anna Schneider", "Lena Becker"});
        click(dialog, ">");
        EXPECT_EQ(listTexts(dialog->selectedList(), 1), (std::vector<std::string>{"Anna Schneider", "Lena Becker"}));
        EXPECT_EQ(listTexts(dialog->possibleList(), 1), (std::vector<std::string>{"Jörg Weiß", "Sabine Müller"}));
        dialog->toField()->setDate(QDate(2026, 7, 7));
        dialog->adjustSize();
        dialog->grab().save(QStringLiteral("/tmp/quick_entry.png"));
        dialog->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QStringLiteral("/quick_entry.png"));
        dialog->enterTimesButton()->click();
        EXPECT_FALSE(dialog->isVisible());
    }});
    window->runCommand(MenuCommand::QuickEntry);
    ASSERT_TRUE(handled);
    EXPECT_TRUE(prompter.log().empty()) << (prompter.log().empty() ? "" : prompter.log().front().text);
    EXPECT_EQ(headers, std::vector<std::string>{"Anna Schneider | Lena Becker | "});
    for (const char* name : {"Anna_Schneider2026.azr", "Lena_Becker2026.azr"}) {
        const CLorvanDoc doc = load(name);
        ASSERT_NE(doc.month(7), nullptr) << name;
        for (int32_t d : {6, 7}) {
            const CTagDoc* day = doc.month(7)->day(d);
            ASSERT_NE(day, nullptr) << name << d;
            ASSERT_EQ(day->lineCount(), 1u) << name << d;
            EXPECT_EQ(day->line(0).kind, kKindOffice);
        }
    }
    // Anna's open view shows the new July; her document was saved in the window.
    EXPECT_EQ(listTexts(annaView->list(), 0).back(), "Juli");
    EXPECT_FALSE(annaView->file()->document.isModified());
    EXPECT_EQ(load("Joerg_Weiss2026.azr").month(7), nullptr);
}

TEST_F(QuickEntryWindows, ChecksStopBeforeTheDayDialogAndTheProcessingFlagRefuses) {
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<QuickEntryDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->enterTimesButton()->click();
        click(dialog, ">>");
        dialog->toField()->setDate(QDate(2026, 7, 15));
        dialog->enterTimesButton()->click();
        EXPECT_TRUE(dialog->isVisible());
        dialog->reject();
    }});
    window->runCommand(MenuCommand::QuickEntry);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{kNoEmployeeSelectedMessage, kRangeAtMostOneWeekMessage}));
    EXPECT_TRUE(headers.empty());

    ProcessingGuard running(app.processingFlag());
    window->runCommand(MenuCommand::QuickEntry);
    EXPECT_EQ(prompter.texts().back(), kEntryProcessingMessage);
}

TEST_F(QuickEntryWindows, YearViewCreatesAndDeletesMonths) {
    CLorvanView* view = openYearView("Anna_Schneider2026.azr");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->createButton()->isEnabled());
    EXPECT_EQ(fromQt(view->proposalField()->text()), "7");
    view->createButton()->click();
    const std::shared_ptr<OpenYearFile> file = view->file();
    ASSERT_NE(file->document.month(7), nullptr);
    EXPECT_TRUE(file->document.isModified());
    auto* monthView = dynamic_cast<CMonatView*>(window->activeDocument());
    ASSERT_NE(monthView, nullptr);
    EXPECT_EQ(monthView->month(), 7);
    EXPECT_EQ(listTexts(view->list(), 0).back(), "Juli");

    // Deleting July closes its month view.
    window->activateDocument(view);
    view->list()->setCurrentItem(view->list()->topLevelItem(view->list()->topLevelItemCount() - 1));
    prompter.answerYes();
    window->runCommand(MenuCommand::DeleteEntry);
    EXPECT_EQ(prompter.texts().back(), "Soll der Juli gelöscht werden?");
    EXPECT_EQ(file->document.month(7), nullptr);
    QApplication::processEvents();
    for (DocumentView* open : window->documents())
        EXPECT_FALSE(open->viewKind() == ActiveView::MonthView && open->month() == 7);
    EXPECT_EQ(listTexts(view->list(), 0).back(), "Juni");

    // An existing month is refused.
    view->proposalField()->setText(QStringLiteral("3"));
    view->createButton()->click();
    EXPECT_EQ(prompter.texts().back(), kMonthExistsMessage);
}

TEST_F(QuickEntryWindows, TwelveMonthsOfferTheNextYearsFileWithTheseSettings) {
    CLorvanView* view = openYearView("Anna_Schneider2026.azr");
    ASSERT_NE(view, nullptr);
    for (int32_t m = 7; m <= 12; ++m)
        view->file()->document.addMonth(m);
    prompter.answerYes();
    // The new file's settings come up step by step; walked through to "Fertig stellen", they are
    // taken as proposed.
    std::string settingsTitle;
    test::answerModals({[&settingsTitle](QWidget* settings) {
        settingsTitle = fromQt(settings->windowTitle());
        QPushButton* finish = test::buttonWithText(settings, "Fertig stellen");
        QPushButton* next = test::buttonWithText(settings, "&Weiter >");
        for (int step = 0; step < 20 && !finish->isVisible(); ++step)
            next->click();
        ASSERT_TRUE(finish->isVisible());
        finish->click();
    }});
    view->createButton()->click();
    EXPECT_EQ(prompter.texts().back(), kTwelveMonthsQuestion);
    EXPECT_EQ(settingsTitle, "Einstellungen der aktuellen Datei - Allgemein");
    auto* next = dynamic_cast<CLorvanView*>(window->activeDocument());
    ASSERT_NE(next, nullptr);
    ASSERT_NE(next, view);
    EXPECT_EQ(next->file()->document.settings().year, 2027);
    EXPECT_EQ(next->file()->document.settings().name, "Anna Schneider");
    EXPECT_EQ(next->file()->document.settings().federalState, view->file()->document.settings().federalState);
    EXPECT_EQ(next->file()->path, dataDirectory + "Anna_Schneider2027.azr");
    // Written at its first save.
    ASSERT_TRUE(window->saveYearFile(*next->file()));
    EXPECT_EQ(load("Anna_Schneider2027.azr").settings().year, 2027);
}

} // namespace
} // namespace lorvan
