#include "gui/main_window.h"

#include "app/application.h"
#include "app/open_year_file.h"
#include "entry/file_views.h"
#include "app/help_topics.h"
#include "app/menu_table.h"
#include "app/report_settings.h"
#include "app/single_instance.h"
#include "platform/user_store.h"
#include "foundation/error.h"
#include "reports/ui/account_dialog.h"
#include "gui/event_loop_failure.h"
#include "entry/ui/file_view_windows.h"
#include "app/ui/general_settings_dialog.h"
#include "support/gui_fixture.h"
#include "gui/common/help_window.h"
#include "gui/common/print_preview.h"
#include "gui/common/qt_platform.h"
#include "reports/ui/report_commands.h"
#include "gui/single_instance_server.h"
#include "platform/clock.h"
#include "reports/report_inputs.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

namespace lorvan {
namespace {

class NoPrograms final : public ProgramRunner {
  public:
    std::string start(const std::vector<std::string>&) override { return "nicht gestartet"; }
};

using test::answerModals;

// The main window on a demo data directory made by the command line, on the offscreen platform.
class MainWindowTest : public ::testing::Test {
  protected:
    std::string dataDirectory() const { return test::demoDataDirectory(); }

    // A year file of the demo that a test may change, in the given folder.
    std::string copyOfDemoYearFile(const test::TempDir& folder) const {
        const std::string path = folder.file("Joerg_Weiss2026.azr");
        std::filesystem::copy_file(dataDirectory() + "Joerg_Weiss2026.azr", path);
        return path;
    }

    test::TempDir home;
    IniUserStore store{home.file("config/TwApps/Lorvan.conf")};
    test::ScriptedPrompter prompter;
    CLorvanApp app{store, prompter};
    FixedClock clock{Datum{15, 6, 2026}};
    NoPrograms runner;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        app.setDataDirectory(dataDirectory());
        window = std::make_unique<MainWindow>(app, UserEnvironment{home.path().string(), ""}, clock, prompter,
                                              runner);
        window->resize(1100, 720);
        window->show();
    }

    static std::vector<std::string> listTexts(const QTreeWidget* list, int column) {
        std::vector<std::string> texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.push_back(fromQt(list->topLevelItem(i)->text(column)));
        return texts;
    }

    static std::vector<std::string> menuTexts(QMenuBar* bar) {
        std::vector<std::string> texts;
        for (QAction* menu : bar->actions())
            texts.push_back(fromQt(menu->text()));
        return texts;
    }
};

TEST_F(MainWindowTest, StartsWithoutDocumentAndOnlyBuiltCommandsEnabled) {
    EXPECT_EQ(fromQt(window->windowTitle()), "Lorvan");
    EXPECT_EQ(menuTexts(window->menuBar()),
              (std::vector<std::string>{"&Datei", "&Bearbeiten", "&Ansicht", "Fir&menverarbeitungen",
                                        "E&xtras", "&Fenster", "&?"}));
    for (MenuCommand command : {MenuCommand::New, MenuCommand::Open, MenuCommand::Employees, MenuCommand::About,
                                MenuCommand::GeneralSettings, MenuCommand::News, MenuCommand::HelpContents,
                                MenuCommand::QuickEntry})
        EXPECT_TRUE(window->action(command)->isEnabled()) << static_cast<int>(command);
    for (MenuCommand command : {MenuCommand::Close, MenuCommand::Print, MenuCommand::Save})
        EXPECT_FALSE(window->action(command)->isEnabled()) << static_cast<int>(command);
}

TEST_F(MainWindowTest, OpensAYearFileAndItsMonthWithStatusTexts) {
    CLorvanView* yearView = window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr");
    ASSERT_NE(yearView, nullptr);
    const std::vector<std::string> months = listTexts(yearView->list(), 0);
    ASSERT_FALSE(months.empty());
    EXPECT_EQ(months.front(), "Januar");
    EXPECT_EQ(fromQt(yearView->list()->headerItem()->text(0)), "Angelegte Monate");
    // Today is in June 2026: June is selected when it exists.
    EXPECT_EQ(fromQt(yearView->list()->currentItem()->text(0)), "Juni");
    EXPECT_EQ(menuTexts(window->menuBar()).at(4), "Aus&wertungen");
    EXPECT_TRUE(window->action(MenuCommand::YearSummaryPreview)->isEnabled());
    EXPECT_FALSE(window->action(MenuCommand::MonthReportPreview)->isEnabled());
    EXPECT_EQ(app.recentFiles().entries().front(), dataDirectory() + "Joerg_Weiss2026.azr");

    // Opening the file again activates the view there is.
    EXPECT_EQ(window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr"), yearView);

    emit yearView->entryActivated(5);
    ASSERT_EQ(window->activeViewKind(), ActiveView::MonthView);
    auto* monthView = qobject_cast<CMonatView*>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(monthView, nullptr);
    const QTreeWidget* days = monthView->list();
    EXPECT_EQ(fromQt(days->headerItem()->text(0)), "Angelegte Tage");
    EXPECT_EQ(fromQt(days->headerItem()->text(1)), "Info");
    const std::vector<FileViewRow> expected = monthViewRows(*yearView->file()->document.month(5));
    ASSERT_EQ(static_cast<size_t>(days->topLevelItemCount()), expected.size());
    bool anyStatus = false;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(fromQt(days->topLevelItem(static_cast<int>(i))->text(0)), expected[i].text);
        EXPECT_EQ(fromQt(days->topLevelItem(static_cast<int>(i))->text(1)), expected[i].info);
        EXPECT_FALSE(days->topLevelItem(static_cast<int>(i))->icon(1).isNull());
        anyStatus = anyStatus || !expected[i].info.empty();
    }
    EXPECT_TRUE(anyStatus) << "the demo month shows at least one status text";
    EXPECT_TRUE(window->action(MenuCommand::MonthReportPreview)->isEnabled());

    window->mdiArea()->tileSubWindows();
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_main_window.png")));
}

TEST_F(MainWindowTest, ListMenuNextDayAndTheClosedMonth) {
    app.settings().monthClosing = "04.2026";
    CLorvanView* yearView = window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr");
    ASSERT_NE(yearView, nullptr);
    yearView->list()->setCurrentItem(yearView->list()->topLevelItem(0));
    std::unique_ptr<QMenu> menu(yearView->createListMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("Liste"));
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Aktuell ausgewählten &Eintrag öffnen..."));
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Aktuell ausgewählten Eintrag &löschen"));
    menu->actions()[0]->trigger(); // opens January
    auto* january = qobject_cast<CMonatView*>(window->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(january, nullptr);
    EXPECT_EQ(january->month(), 1);

    // Closed up to April: no list commands, nothing to create; May is open.
    EXPECT_TRUE(january->isClosed());
    EXPECT_EQ(std::unique_ptr<QMenu>(january->createListMenu()), nullptr);
    EXPECT_FALSE(january->createButton()->isEnabled());
    EXPECT_EQ(fromQt(january->createButton()->toolTip()),
              "Änderungen sind nicht mehr zulässig, da der Monatsabschluss bereits durchgeführt wurde.");
    CMonatView* may = window->openMonth(yearView->file(), 5);
    ASSERT_NE(may, nullptr);
    EXPECT_FALSE(may->isClosed());
    EXPECT_NE(std::unique_ptr<QMenu>(may->createListMenu()), nullptr);
    EXPECT_EQ(may->proposalField()->text().toInt(), nextDayProposal(yearView->file()->document, 5));
}

TEST_F(MainWindowTest, AMonthClosedWhileItsViewIsOpenLocksTheViewLikeANewOne) {
    CLorvanView* yearView = window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr");
    ASSERT_NE(yearView, nullptr);
    CMonatView* may = window->openMonth(yearView->file(), 5);
    ASSERT_NE(may, nullptr);
    ASSERT_FALSE(may->isClosed());
    ASSERT_NE(std::unique_ptr<QMenu>(may->createListMenu()), nullptr);
    EXPECT_TRUE(may->createButton()->toolTip().isEmpty());

    // "Monate abgeschlossen bis einschließlich" 05.2026 in "Allgemeine Einstellungen", then OK.
    test::TempDir data;
    app.setDataDirectory(data.path().string() + "/");
    answerModals({[](QWidget* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("monthClosing"))->setText(QStringLiteral("05.2026"));
        static_cast<QDialog*>(dialog)->accept();
    }});
    window->runCommand(MenuCommand::GeneralSettings);
    ASSERT_EQ(app.settings().monthClosing, "05.2026");

    CMonatView* fresh = window->openMonth(yearView->file(), 4);
    ASSERT_NE(fresh, nullptr);
    for (CMonatView* view : {may, fresh}) {
        SCOPED_TRACE(view->month());
        EXPECT_TRUE(view->isClosed());
        EXPECT_EQ(std::unique_ptr<QMenu>(view->createListMenu()), nullptr);
        for (QPushButton* button : view->findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Abbrechen")) continue;
            EXPECT_FALSE(button->isEnabled()) << fromQt(button->text());
            EXPECT_EQ(
                fromQt(button->toolTip()),
                "Änderungen sind nicht mehr zulässig, da der Monatsabschluss bereits durchgeführt wurde.");
        }
    }
}

TEST_F(MainWindowTest, DocumentWindowsOpenInsideTheAreaAndArrangingKeepsTheirDesignedSize) {
    window->resize(900, 640);
    QApplication::processEvents();
    QMdiArea* area = window->mdiArea();
    const auto designedWindowSize = [](QMdiSubWindow* sub) {
        const auto* view = qobject_cast<DocumentView*>(sub->widget());
        return view->designedSize() + (sub->size() - view->size());
    };
    // Every window at least at its designed size and (the area being large enough for each) in sight.
    const auto expectDesignedSizes = [&](const char* arrangement) {
        QApplication::processEvents();
        for (QMdiSubWindow* sub : area->subWindowList()) {
            SCOPED_TRACE(fromQt(arrangement + (" " + sub->windowTitle())));
            const QSize designed = designedWindowSize(sub);
            EXPECT_GE(sub->width(), designed.width());
            EXPECT_GE(sub->height(), designed.height());
            EXPECT_TRUE(area->viewport()->rect().contains(sub->geometry()));
        }
    };
    std::shared_ptr<OpenYearFile> first;
    for (const char* name : {"Joerg_Weiss2026.azr", "Anna_Schneider2026.azr", "Sabine_Mueller2026.azr",
                             "Thomas_Krueger2026.azr", "Lena_Becker2026.azr"}) {
        SCOPED_TRACE(name);
        CLorvanView* view = window->openYearFile(dataDirectory() + name);
        ASSERT_NE(view, nullptr);
        if (!first) first = view->file();
        QApplication::processEvents();
        QMdiSubWindow* sub = area->activeSubWindow();
        EXPECT_TRUE(area->viewport()->rect().contains(sub->geometry()))
            << sub->geometry().x() << "," << sub->geometry().y() << " " << sub->width() << "x"
            << sub->height() << " in " << area->viewport()->width() << "x" << area->viewport()->height();
    }
    ASSERT_NE(window->openMonth(first, 5), nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(area->viewport()->rect().contains(area->activeSubWindow()->geometry()));
    expectDesignedSizes("opened");
    EXPECT_TRUE(window->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_windows_opened.png")));

    window->runCommand(MenuCommand::Cascade);
    expectDesignedSizes("cascaded");
    EXPECT_TRUE(window->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_windows_cascaded.png")));
    window->runCommand(MenuCommand::Tile);
    expectDesignedSizes("tiled");
    EXPECT_TRUE(window->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_windows_tiled.png")));
}

TEST_F(MainWindowTest, TheAboutBoxIsWideEnoughForItsTitle) {
    const std::unique_ptr<QMessageBox> box = window->createAboutBox();
    box->show();
    QApplication::processEvents();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Info über Lorvan"));
    EXPECT_TRUE(box->text().contains(QStringLiteral("Version")));
    QFont bold = box->font();
    bold.setBold(true);
    // The title in bold, the window icon and three title bar buttons.
    EXPECT_GE(box->width(),
              QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 4 * QFontMetrics(bold).height());
    EXPECT_GE(box->width(), MainWindow::aboutTitleWidth(*box, box->windowTitle()));
    EXPECT_TRUE(box->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_about.png")));
}

TEST_F(MainWindowTest, LargerWindowsGrowTheListSmallerOnesMoveNothing) {
    CLorvanView* yearView = window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr");
    ASSERT_NE(yearView, nullptr);
    CMonatView* view = window->openMonth(yearView->file(), 5);
    ASSERT_NE(view, nullptr);
    auto* cancel = [&] {
        for (QPushButton* button : view->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Abbrechen")) return button;
        return static_cast<QPushButton*>(nullptr);
    }();
    ASSERT_NE(cancel, nullptr);
    QMdiSubWindow* frame = window->mdiArea()->activeSubWindow();
    const QSize frameDesigned = frame->size() - view->size() + view->designedSize();
    auto layoutAt = [&](QSize size) {
        frame->resize(size);
        QApplication::processEvents();
        return std::pair{view->list()->geometry(), cancel->mapTo(view, QPoint(0, 0))};
    };
    const auto [designedList, designedCancel] = layoutAt(frameDesigned);
    const auto [largerList, largerCancel] = layoutAt(frameDesigned + QSize(120, 80));
    EXPECT_EQ(largerList.size(), designedList.size() + QSize(120, 80));
    EXPECT_EQ(largerList.topLeft(), designedList.topLeft());
    EXPECT_EQ(largerCancel, designedCancel + QPoint(120, 80));
    const auto [smallerList, smallerCancel] = layoutAt(frameDesigned - QSize(100, 100));
    EXPECT_EQ(smallerList, designedList);
    EXPECT_EQ(smallerCancel, designedCancel);
}

TEST_F(MainWindowTest, StartUpWithoutDataDirectoryAsksAndEndsOnCancel) {
    app.setDataDirectory("");
    std::string shownTitle;
    std::string proposed;
    answerModals({
        [](QWidget* chooser) {
            // The directory selection opens at once with the proposal.
            EXPECT_NE(qobject_cast<QFileDialog*>(chooser), nullptr);
            EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Datenverzeichnis festlegen"));
            static_cast<QDialog*>(chooser)->reject();
        },
        [&](QWidget* dialog) {
            shownTitle = fromQt(dialog->windowTitle());
            proposed = fromQt(dialog->findChild<QLineEdit*>(QStringLiteral("dataDirectory"))->text());
            static_cast<QDialog*>(dialog)->reject();
        },
    });
    EXPECT_FALSE(runStartUp(app, {}, *window));
    EXPECT_EQ(shownTitle, "Allgemeine Einstellungen");
    EXPECT_EQ(proposed, home.path().string() + "/TwDaten");
    EXPECT_EQ(store.readString(kStoreSettings, kStoreDataPath, kDataPathNotSet), kDataPathNotSet)
        << "no data directory is stored";
}

TEST_F(MainWindowTest, SettingsDialogChecksBeforeItTakesTheValues) {
    test::TempDir data;
    app.setDataDirectory(data.path().string() + "/");
    GeneralSettingsDialog dialog(app, UserEnvironment{home.path().string(), ""}, prompter, window.get());
    dialog.show();
    auto* closing = dialog.findChild<QLineEdit*>(QStringLiteral("monthClosing"));
    ASSERT_NE(closing, nullptr);
    struct Case {
        const char* text;
        bool accepted;
    };
    for (const Case& c : {Case{"13.2026", false}, Case{"4.26", false}, Case{"04.2026", true}}) {
        SCOPED_TRACE(c.text);
        const size_t before = prompter.log().size();
        closing->setText(QString::fromUtf8(c.text));
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
        if (c.accepted) {
            EXPECT_EQ(prompter.log().size(), before);
        } else {
            ASSERT_EQ(prompter.log().size(), before + 1);
            EXPECT_EQ(prompter.log().back().text, kMonthFormatMessage);
            EXPECT_TRUE(dialog.isVisible());
        }
    }
    EXPECT_EQ(app.settings().monthClosing, "04.2026");
    EXPECT_TRUE(std::filesystem::exists(data.path() / "Lorvan.ini"));
}

TEST_F(MainWindowTest, FailuresAtTheEventLoopCloseTheDocumentsAndAreShown) {
    ASSERT_NE(window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr"), nullptr);
    const auto closeDocuments = [this] { window->closeAllDocuments(); };
    const std::string longText(1500, 'x');
    EXPECT_TRUE(
        reportEventLoopFailure(std::make_exception_ptr(LorvanError(longText)), prompter, closeDocuments));
    EXPECT_TRUE(window->mdiArea()->subWindowList().empty());
    ASSERT_EQ(prompter.log().size(), 1u);
    EXPECT_EQ(prompter.log().back().text, "Interner Fehler: " + longText.substr(0, 1000));
    EXPECT_FALSE(reportEventLoopFailure(std::make_exception_ptr(42), prompter, closeDocuments));
    EXPECT_EQ(prompter.log().back().text, "Interner Fehler");
}

TEST_F(MainWindowTest, HelpAccountAndYearStatisticsFromTheMenus) {
    CLorvanView* yearView = window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr");
    ASSERT_NE(yearView, nullptr);
    window->runCommand(MenuCommand::HelpContents);
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_TRUE(window->helpWindow()->isVisible());
    EXPECT_EQ(window->contextHelpTopic(), kHelpYearView);
    EXPECT_TRUE(window->helpWindow()->showTopic(window->contextHelpTopic()));
    window->helpWindow()->close();

    std::vector<std::string> titles;
    const auto note = [&titles](QWidget* dialog) {
        titles.push_back(fromQt(dialog->windowTitle()));
        static_cast<QDialog*>(dialog)->reject();
    };
    answerModals({note, note, note});
    window->runCommand(MenuCommand::VacationTaken);
    window->runCommand(MenuCommand::SickDays);
    window->runCommand(MenuCommand::AccountEdit);
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[0], "Genommener Urlaub");
    EXPECT_EQ(titles[1], "Krankheitstage anzeigen");
    EXPECT_EQ(titles[2].rfind("Arbeitszeitkonto", 0), 0u) << titles[2];
    EXPECT_TRUE(prompter.log().empty());
    EXPECT_FALSE(window->action(MenuCommand::Save)->isEnabled()) << "nothing was changed";
}

TEST_F(MainWindowTest, AnAccountCorrectionIsWrittenAtOnce) {
    test::TempDir copy;
    const std::string path = copyOfDemoYearFile(copy);
    CLorvanView* yearView = window->openYearFile(path);
    ASSERT_NE(yearView, nullptr);
    answerModals({[](QWidget* dialog) {
        static_cast<AccountDialog*>(dialog)->storeCorrection(3, -2.5, "Ausgleich");
        static_cast<QDialog*>(dialog)->reject();
    }});
    window->runCommand(MenuCommand::AccountEdit);
    EXPECT_TRUE(prompter.log().empty());
    EXPECT_FALSE(yearView->file()->document.isModified());
    EXPECT_FALSE(window->action(MenuCommand::Save)->isEnabled());
    CLorvanDoc reread;
    reread.open(path);
    ASSERT_NE(reread.month(3), nullptr);
    EXPECT_EQ(reread.month(3)->accountCorrection, -2.5);
    EXPECT_EQ(reread.month(3)->correctionComment, "Ausgleich");
}

TEST_F(MainWindowTest, ExportEntriesNameTheChosenSpreadsheetProgram) {
    ASSERT_NE(window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr"), nullptr);
    EXPECT_EQ(window->action(MenuCommand::AccountExport)->text(), QStringLiteral("&Export nach Excel..."));
    window->closeAllDocuments();
    ASSERT_TRUE(storeSpreadsheetProgram(store, SpreadsheetProgram::Calc));
    ASSERT_NE(window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr"), nullptr);
    EXPECT_EQ(window->action(MenuCommand::AccountExport)->text(),
              QStringLiteral("&Export nach OpenOffice/StarOffice..."));
    EXPECT_EQ(window->action(MenuCommand::YearGridExport)->text(),
              QStringLiteral("E&xport nach OpenOffice/StarOffice monatliche Arbeitszeiten..."));
}

TEST_F(MainWindowTest, AChangedFileAsksBeforeItsLastWindowCloses) {
    test::TempDir copy;
    const std::string path = copyOfDemoYearFile(copy);
    CLorvanView* yearView = window->openYearFile(path);
    ASSERT_NE(yearView, nullptr);
    const std::shared_ptr<OpenYearFile> file = yearView->file();
    ASSERT_NE(window->openMonth(file, 5), nullptr);
    file->document.month(5)->correctionComment = "geändert";
    file->document.setModified();
    const auto openWindows = [this] {
        int count = 0;
        for (QMdiSubWindow* w : window->mdiArea()->subWindowList())
            count += w->isVisible() ? 1 : 0;
        return count;
    };

    // Another window of the file stays: no question yet.
    window->mdiArea()->activeSubWindow()->close();
    EXPECT_EQ(openWindows(), 1);
    EXPECT_TRUE(prompter.log().empty());

    // The last one asks: Cancel keeps it.
    prompter.answerCancel();
    window->mdiArea()->subWindowList().front()->close();
    EXPECT_EQ(openWindows(), 1);
    ASSERT_EQ(prompter.log().size(), 1u);
    EXPECT_EQ(prompter.log().back().text, MainWindow::saveQuestion(path));

    // Ending the program asks too; Yes writes the file and lets it end.
    prompter.answerYes();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(openWindows(), 0);
    EXPECT_FALSE(file->document.isModified());
    CLorvanDoc reread;
    reread.open(path);
    EXPECT_EQ(reread.month(5)->correctionComment, "geändert");
}

TEST_F(MainWindowTest, ADayViewOffersItsMonthsReportsAndAsksBeforeItsWindowCloses) {
    test::TempDir copy;
    CLorvanView* yearView = window->openYearFile(copyOfDemoYearFile(copy));
    ASSERT_NE(yearView, nullptr);
    CMonatView* may = window->openMonth(yearView->file(), 5);
    ASSERT_NE(may, nullptr);
    may->selectNumber(29);
    ASSERT_TRUE(window->isCommandEnabled(MenuCommand::OpenEntry));
    window->runCommand(MenuCommand::OpenEntry);
    ASSERT_EQ(window->activeViewKind(), ActiveView::DayView);
    QMdiSubWindow* dayWindow = window->mdiArea()->activeSubWindow();
    auto* day = qobject_cast<DocumentView*>(dayWindow->widget());
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->month(), 5);
    EXPECT_EQ(fromQt(dayWindow->windowTitle()), "29.05.2026 (Freitag)");
    EXPECT_TRUE(window->isCommandEnabled(MenuCommand::MonthReportPreview));
    EXPECT_TRUE(window->isCommandEnabled(MenuCommand::YearSummaryPreview));
    // The day sheet is the day's own print, and the menu says so.
    EXPECT_EQ(window->action(MenuCommand::Print)->text(), QStringLiteral("&Drucken - Tageszettel..."));
    EXPECT_EQ(window->action(MenuCommand::PrintPreview)->text(), QStringLiteral("Sei&tenansicht - Tageszettel..."));
    EXPECT_TRUE(window->isCommandEnabled(MenuCommand::Print));
    EXPECT_TRUE(window->isCommandEnabled(MenuCommand::PrintPreview));
    EXPECT_TRUE(window->isCommandEnabled(MenuCommand::DaySheetExport));
    EXPECT_TRUE(window->isCommandEnabled(MenuCommand::WeekEvaluation));
    EXPECT_FALSE(window->isCommandEnabled(MenuCommand::DeleteEntry)) << "days are deleted in the month view";

    auto* remark = day->findChild<QLineEdit*>(QStringLiteral("reportRemark"));
    ASSERT_NE(remark, nullptr);
    QTest::keyClicks(remark, QStringLiteral("Messe"));
    prompter.answerCancel();
    dayWindow->close();
    EXPECT_TRUE(dayWindow->isVisible());
    EXPECT_EQ(prompter.log().back().text,
              "Es wurden Änderungen für den 29.05.2026 (Freitag) gemacht.\nSollen die Änderungen gespeichert werden?");
    prompter.answerNo();
    EXPECT_TRUE(dayWindow->close());
    EXPECT_EQ(window->documents().size(), 2u) << "the year and the month view stay";
    EXPECT_FALSE(yearView->file()->document.isModified()) << "nothing of the day reached the file";
}

TEST_F(MainWindowTest, ReportsReachThePrintPreview) {
    CLorvanView* yearView = window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr");
    ASSERT_NE(yearView, nullptr);
    struct Case {
        ReportSubject subject;
        const char* screenshot;
    };
    const Case cases[] = {{ReportSubject::MonthReport, "/gui_preview_month.png"},
                          {ReportSubject::Account, "/gui_preview_account.png"},
                          {ReportSubject::Absences, "/gui_preview_absences.png"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screenshot);
        const PrintableReport report =
            printableReport(*yearView->file(), c.subject, 5, ReportInputs{}, prompter);
        QPrinter printer(QPrinter::HighResolution);
        std::unique_ptr<PrintPreviewDialog> dialog(createPreviewDialog(window.get(), printer, report));
        dialog->resize(900, 700);
        dialog->show();
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        QApplication::processEvents();
        ASSERT_GT(preview->pageCount(), 0);
        EXPECT_EQ(dialog->pageText(), QStringLiteral("Seite 1 von %1").arg(preview->pageCount()));
        EXPECT_FALSE(dialog->previousAction()->isEnabled());
        EXPECT_EQ(dialog->nextAction()->isEnabled(), preview->pageCount() > 1);
        if (preview->pageCount() > 1) {
            dialog->nextAction()->trigger();
            EXPECT_EQ(dialog->pageText(), QStringLiteral("Seite 2 von %1").arg(preview->pageCount()));
            EXPECT_TRUE(dialog->previousAction()->isEnabled());
            dialog->twoPagesAction()->trigger();
            EXPECT_EQ(dialog->twoPagesAction()->text(), QStringLiteral("&Eine Seite"));
            dialog->twoPagesAction()->trigger();
        }
        EXPECT_TRUE(
            dialog->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QString::fromUtf8(c.screenshot)));
        dialog->close();
    }
    EXPECT_TRUE(prompter.log().empty());
}

TEST_F(MainWindowTest, PrintingShowsItsProgressAndWritesEveryPage) {
    CLorvanView* yearView = window->openYearFile(dataDirectory() + "Joerg_Weiss2026.azr");
    ASSERT_NE(yearView, nullptr);
    const PrintableReport report =
        printableReport(*yearView->file(), ReportSubject::MonthReport, 5, ReportInputs{}, prompter);
    test::TempDir out;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(out.file("mai.pdf")));
    EXPECT_TRUE(printWithProgress(window.get(), printer, report.draw, report.title));
    const std::string command = "pdfinfo " + out.file("mai.pdf") + " | grep -q '^Pages: *2$'";
    EXPECT_EQ(std::system(command.c_str()), 0) << "the month report of May has two pages";
}

TEST_F(MainWindowTest, DocumentWindowsKeepTheSizeClosedWithTheirOwnButton) {
    const std::string path = dataDirectory() + "Joerg_Weiss2026.azr";
    auto openedWindow = [&]() -> QMdiSubWindow* {
        return window->openYearFile(path) != nullptr ? window->mdiArea()->activeSubWindow() : nullptr;
    };
    auto storedSize = [&] {
        return store.readString("WindowSize130", "Width", "-") + "x" +
               store.readString("WindowSize130", "High", "-");
    };
    auto cancelButton = [](QMdiSubWindow* sub) {
        for (QPushButton* button : sub->widget()->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Abbrechen")) return button;
        return static_cast<QPushButton*>(nullptr);
    };

    QMdiSubWindow* sub = openedWindow();
    ASSERT_NE(sub, nullptr);
    const QSize designed = sub->size();
    sub->resize(610, 505);
    ASSERT_NE(cancelButton(sub), nullptr);
    cancelButton(sub)->click();
    QApplication::processEvents();
    EXPECT_EQ(storedSize(), "610x505");

    sub = openedWindow();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->size(), QSize(610, 505));
    // The frame's own close box and a maximised window leave the stored size alone.
    sub->resize(700, 560);
    sub->close();
    QApplication::processEvents();
    EXPECT_EQ(storedSize(), "610x505");
    sub = openedWindow();
    ASSERT_NE(sub, nullptr);
    sub->showMaximized();
    cancelButton(sub)->click();
    QApplication::processEvents();
    EXPECT_EQ(storedSize(), "610x505");
    EXPECT_NE(designed, QSize(610, 505));
}

TEST_F(MainWindowTest, SecondStartHandsItsYearFilesToTheRunningProgram) {
    const QString name = toQt(home.file("lorvan.socket"));
    InstanceServer server;
    ASSERT_TRUE(server.listen(name));
    InstanceServer second;
    EXPECT_FALSE(second.listen(name)) << "one program serves the user";

    std::vector<std::string> received;
    QObject::connect(&server, &InstanceServer::filesHandedOver,
                     [&](const std::vector<std::string>& paths) { received = paths; });
    const std::vector<std::string> files = {dataDirectory() + "Joerg_Weiss2026.azr", "/d/Jörg 東京.azr"};
    bool handed = false;
    std::thread start([&] { handed = InstanceServer::handOver(name, encodeHandOver(files)); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (received.empty() && std::chrono::steady_clock::now() < deadline)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    start.join();
    EXPECT_TRUE(handed);
    EXPECT_EQ(received, files);

    // Nobody serves under a name that is not in use.
    EXPECT_FALSE(InstanceServer::handOver(toQt(home.file("keiner.socket")), encodeHandOver(files), 200));
}

TEST_F(MainWindowTest, UnreadableFileIsReportedAndOpensNothing) {
    const std::string path = home.file("kaputt.azr");
    { std::ofstream(path) << "kein Jahr"; }
    EXPECT_EQ(window->openYearFile(path), nullptr);
    ASSERT_EQ(prompter.log().size(), 1u);
    EXPECT_EQ(prompter.log()[0].kind, "error");
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
}

} // namespace
} // namespace lorvan
