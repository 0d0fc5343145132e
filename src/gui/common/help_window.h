#pragma once

#include "app/help_topics.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QShowEvent;
class QSplitter;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QAction;

namespace lorvan {

class Prompter;

// The help window "Lorvan - Hilfe": on the left the tabs "Inhalt", "Index" and "Suchen", on the
// right the topic, with back, forward and home. It is not modal; given the main window as parent it
// stays a window of its own and closes with the program.
class HelpWindow final : public QWidget {
    Q_OBJECT
  public:
    HelpWindow(HelpTopics topics, Prompter& prompter, QWidget* parent = nullptr);

    void showContents();
    void showIndex();
    void showSearch();
    // Shows the topic with that number; false after "Das Hilfethema %s ist nicht verfügbar." when the
    // help has no such topic.
    bool showTopic(int number);

    const HelpTopics& topics() const { return topics_; }
    QTabWidget* tabs() const { return tabs_; }
    QTreeWidget* contentsList() const { return contents_; }
    QLineEdit* indexField() const { return indexField_; }
    QListWidget* indexList() const { return indexList_; }
    QLineEdit* searchField() const { return searchField_; }
    QListWidget* searchResults() const { return searchResults_; }
    QTextBrowser* browser() const { return browser_; }
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }
    QAction* homeAction() const { return home_; }

    // Runs the full-text search of the search field and lists the topics found.
    void runSearch();

  protected:
    // The first time: the tabs as wide as the longest entry of the contents and the index needs.
    void showEvent(QShowEvent* event) override;

  private:
    void showPage(const std::filesystem::path& path);
    // Shows the contents page, or "Das Hilfethema … ist nicht verfügbar." when it is missing.
    void showContentsPage();
    void bringUp(int tab);
    void fillContents();
    void fillIndex();
    void selectIndexEntry(const QString& typed);
    void openIndexEntry();

    HelpTopics topics_;
    Prompter& prompter_;
    QSplitter* splitter_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* indexField_;
    QListWidget* indexList_;
    QLineEdit* searchField_;
    QListWidget* searchResults_;
    QTextBrowser* browser_;
    QAction* back_;
    QAction* forward_;
    QAction* home_;
    bool fitted_ = false;
};

// Shows the topic in the help window of a dialog: the window is made the first time, as a window
// of its own owned by the dialog, from the help folder beside the program.
void showHelpTopic(HelpWindow*& window, QWidget* owner, Prompter& prompter, int topic);

// Shift+F1 in the window shows the topic, in a help window of the window's own (made at the first
// press; it closes with the window).
void addHelpShortcut(QWidget* window, int topic);

} // namespace lorvan
