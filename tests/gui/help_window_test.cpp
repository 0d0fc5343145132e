#include "support/gui_fixture.h"
#include "gui/common/help_window.h"

#include "gui/common/qt_platform.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>

#include <algorithm>

namespace lorvan {
namespace {

// The help window on the shipped help, on the offscreen platform.
class HelpWindowTest : public ::testing::Test {
  protected:
    test::ScriptedPrompter prompter;
    HelpWindow window{HelpTopics::load(*helpDirectory(fromQt(QCoreApplication::applicationDirPath()))),
                      prompter};

    std::string shownFile() const { return fromQt(window.browser()->source().fileName()); }
    std::string currentContentsTitle() const {
        const QTreeWidgetItem* item = window.contentsList()->currentItem();
        return item != nullptr ? fromQt(item->text(0)) : std::string();
    }
};

TEST_F(HelpWindowTest, ContentsShowTheStartPageBesideTheThreeTabs) {
    window.showContents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(fromQt(window.windowTitle()), "Lorvan - Hilfe");
    std::vector<std::string> tabs;
    for (int i = 0; i < window.tabs()->count(); ++i)
        tabs.push_back(fromQt(window.tabs()->tabText(i)));
    EXPECT_EQ(tabs, (std::vector<std::string>{"Inhalt", "Index", "Suchen"}));
    EXPECT_EQ(window.tabs()->currentIndex(), 0);
    EXPECT_EQ(shownFile(), "index.html");
    EXPECT_EQ(window.contentsList()->topLevelItemCount(), static_cast<int>(window.topics().topics().size()));
    EXPECT_TRUE(prompter.log().empty());
}

TEST_F(HelpWindowTest, EveryEntryOfTheTabsIsShownWhole) {
    // The search finds every topic with "Lorvan": all titles, as in the contents.
    window.searchField()->setText(QStringLiteral("Lorvan"));
    window.runSearch();
    ASSERT_GT(window.searchResults()->count(), 1);
    const struct {
        void (HelpWindow::*show)();
        const QAbstractItemView* list;
        const char* screenshot;
    } tabs[] = {{&HelpWindow::showContents, window.contentsList(), "/gui_help_contents.png"},
                {&HelpWindow::showIndex, window.indexList(), "/gui_help_index.png"},
                {&HelpWindow::showSearch, window.searchResults(), "/gui_help_search.png"}};
    for (const auto& tab : tabs) {
        SCOPED_TRACE(tab.screenshot);
        (window.*tab.show)();
        QApplication::processEvents();
        int widest = 0;
        for (int row = 0; row < tab.list->model()->rowCount(); ++row)
            widest = std::max(widest, tab.list->fontMetrics().horizontalAdvance(
                                          tab.list->model()->index(row, 0).data().toString()));
        EXPECT_GE(tab.list->sizeHintForColumn(0), widest);
        EXPECT_GE(tab.list->viewport()->width(), tab.list->sizeHintForColumn(0));
        EXPECT_FALSE(tab.list->horizontalScrollBar()->isVisible());
        EXPECT_GE(window.browser()->width(), 600) << "the topic keeps its room";
        EXPECT_TRUE(
            window.grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QString::fromUtf8(tab.screenshot)));
    }
}

TEST_F(HelpWindowTest, ShowsATopicByNumberWithItsUmlautsAndFollowsHistory) {
    ASSERT_TRUE(window.showTopic(kHelpMonthView));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(shownFile(), "monatsansicht.html");
    EXPECT_TRUE(window.browser()->toPlainText().contains(QStringLiteral("Unvollständig")));
    EXPECT_EQ(currentContentsTitle(), "Die Monatsansicht: Angelegte Tage");

    ASSERT_TRUE(window.showTopic(kHelpAccount));
    EXPECT_TRUE(window.backAction()->isEnabled());
    window.backAction()->trigger();
    EXPECT_EQ(shownFile(), "monatsansicht.html");
    EXPECT_TRUE(window.forwardAction()->isEnabled());
    window.homeAction()->trigger();
    EXPECT_EQ(shownFile(), "index.html");
    EXPECT_TRUE(prompter.log().empty());
}

TEST_F(HelpWindowTest, AMissingTopicIsReportedAndShowsNothing) {
    EXPECT_FALSE(window.showTopic(4711));
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(prompter.log().size(), 1u);
    EXPECT_EQ(prompter.log()[0].kind, "error");
    EXPECT_EQ(prompter.log()[0].text, "Das Hilfethema 4711 ist nicht verfügbar.");
}

TEST_F(HelpWindowTest, IndexJumpsToTheTypedKeyword) {
    window.showIndex();
    EXPECT_EQ(window.tabs()->currentIndex(), 1);
    window.indexField()->setText(QStringLiteral("arbeitszeitk"));
    emit window.indexField()->textEdited(window.indexField()->text());
    ASSERT_NE(window.indexList()->currentItem(), nullptr);
    EXPECT_EQ(fromQt(window.indexList()->currentItem()->text()), "Arbeitszeitkonto");
    emit window.indexField()->returnPressed();
    EXPECT_EQ(shownFile(), "arbeitszeitkonto.html");
}

TEST_F(HelpWindowTest, SearchListsTheTopicsWithEveryWord) {
    window.showSearch();
    EXPECT_EQ(window.tabs()->currentIndex(), 2);
    window.searchField()->setText(QStringLiteral("ANGELEGTE monate"));
    emit window.searchField()->returnPressed();
    ASSERT_GT(window.searchResults()->count(), 0);
    EXPECT_EQ(fromQt(window.searchResults()->item(0)->text()), "Die Jahresansicht: Angelegte Monate");
    QListWidgetItem* first = window.searchResults()->item(0);
    emit window.searchResults()->itemActivated(first);
    EXPECT_EQ(shownFile(), "jahresansicht.html");

    window.searchField()->setText(QStringLiteral("Quarkspeise"));
    window.runSearch();
    ASSERT_EQ(window.searchResults()->count(), 1);
    EXPECT_EQ(fromQt(window.searchResults()->item(0)->text()), "Keine Themen gefunden.");
    EXPECT_EQ(window.searchResults()->item(0)->flags(), Qt::NoItemFlags);
}

} // namespace
} // namespace lorvan
