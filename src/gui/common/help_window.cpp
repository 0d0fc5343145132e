#include "gui/common/help_window.h"

#include "gui/common/qt_platform.h"
#include "platform/prompter.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <memory>

namespace lorvan {

namespace {

constexpr int kContentsTab = 0;
constexpr int kIndexTab = 1;
constexpr int kSearchTab = 2;

QUrl pageUrl(const std::filesystem::path& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path.string()));
}

} // namespace

HelpWindow::HelpWindow(HelpTopics topics, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), topics_(std::move(topics)), prompter_(prompter) {
    setWindowTitle(QStringLiteral("Lorvan - Hilfe"));
    resize(920, 640);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* bar = new QToolBar;
    back_ = bar->addAction(QStringLiteral("&Zurück"));
    forward_ = bar->addAction(QStringLiteral("&Vorwärts"));
    home_ = bar->addAction(QStringLiteral("&Startseite"));
    layout->addWidget(bar);

    splitter_ = new QSplitter;
    layout->addWidget(splitter_, 1);
    tabs_ = new QTabWidget;
    splitter_->addWidget(tabs_);

    contents_ = new QTreeWidget;
    contents_->setHeaderHidden(true);
    contents_->setRootIsDecorated(false);
    tabs_->addTab(contents_, QStringLiteral("Inhalt"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexField_ = new QLineEdit;
    indexField_->setPlaceholderText(QStringLiteral("Stichwort"));
    indexList_ = new QListWidget;
    auto* showIndexed = new QPushButton(QStringLiteral("&Anzeigen"));
    indexLayout->addWidget(indexField_);
    indexLayout->addWidget(indexList_, 1);
    indexLayout->addWidget(showIndexed, 0, Qt::AlignRight);
    tabs_->addTab(indexPage, QStringLiteral("Index"));

    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchField_ = new QLineEdit;
    searchField_->setPlaceholderText(QStringLiteral("Suchbegriffe"));
    auto* listTopics = new QPushButton(QStringLiteral("&Themen auflisten"));
    searchResults_ = new QListWidget;
    searchLayout->addWidget(searchField_);
    searchLayout->addWidget(listTopics, 0, Qt::AlignRight);
    searchLayout->addWidget(searchResults_, 1);
    tabs_->addTab(searchPage, QStringLiteral("Suchen"));

    browser_ = new QTextBrowser;
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QString::fromStdString(topics_.directory().string())});
    splitter_->addWidget(browser_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({260, 660});

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home_, &QAction::triggered, this, &HelpWindow::showContentsPage);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    // The contents follow the topic shown, whichever way it was reached.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        const QString file = url.fileName();
        const QSignalBlocker blocker(contents_);
        for (int i = 0; i < contents_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = contents_->topLevelItem(i);
            const HelpTopic* topic = topics_.topic(item->data(0, Qt::UserRole).toInt());
            if (topic != nullptr && toQt(topic->file) == file) {
                contents_->setCurrentItem(item);
                return;
            }
        }
        contents_->clearSelection();
    });

    const auto showListed = [this](QTreeWidgetItem* item) { showTopic(item->data(0, Qt::UserRole).toInt()); };
    connect(contents_, &QTreeWidget::itemClicked, this, showListed);
    connect(contents_, &QTreeWidget::itemActivated, this, showListed);
    connect(indexField_, &QLineEdit::textEdited, this, &HelpWindow::selectIndexEntry);
    connect(indexField_, &QLineEdit::returnPressed, this, &HelpWindow::openIndexEntry);
    connect(indexList_, &QListWidget::itemActivated, this, [this] { openIndexEntry(); });
    connect(showIndexed, &QPushButton::clicked, this, &HelpWindow::openIndexEntry);
    connect(searchField_, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
    connect(listTopics, &QPushButton::clicked, this, &HelpWindow::runSearch);
    const auto showFound = [this](QListWidgetItem* item) {
        const int number = item->data(Qt::UserRole).toInt();
        if (number != 0) showTopic(number);
    };
    connect(searchResults_, &QListWidget::itemClicked, this, showFound);
    connect(searchResults_, &QListWidget::itemActivated, this, showFound);

    fillContents();
    fillIndex();
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fitted_) return;
    fitted_ = true;
    // The tabs get what their longest entry needs in this desktop's font: a title of the contents
    // (the search lists titles too) or an entry of the index. The window grows by as much, so the
    // topic keeps its width.
    const auto listWidth = [this](const QAbstractItemView* list) {
        return list->sizeHintForColumn(0) + 2 * list->frameWidth() +
               style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    };
    const auto pageMargins = [](const QWidget* list) {
        const QLayout* layout = list->parentWidget()->layout();
        return layout != nullptr ? layout->contentsMargins().left() + layout->contentsMargins().right() : 0;
    };
    const int titles = listWidth(contents_);
    const int page = std::max(
        {titles, listWidth(indexList_) + pageMargins(indexList_), titles + pageMargins(searchResults_)});
    const int missing = page - tabs_->currentWidget()->width();
    if (missing <= 0) return;
    QList<int> sizes = splitter_->sizes();
    sizes[0] += missing;
    sizes[1] -= missing;
    splitter_->setSizes(sizes);
    resize(width() + missing, height());
}

void HelpWindow::fillContents() {
    for (const HelpTopic& topic : topics_.topics()) {
        auto* item = new QTreeWidgetItem(contents_, {toQt(topic.title)});
        item->setData(0, Qt::UserRole, topic.number);
    }
}

void HelpWindow::fillIndex() {
    const std::vector<HelpIndexEntry> entries = topics_.index();
    std::map<std::string, int> uses;
    for (const HelpIndexEntry& entry : entries)
        ++uses[foldCase(entry.keyword)];
    for (const HelpIndexEntry& entry : entries) {
        // A keyword of several topics names the topic.
        QString text = toQt(entry.keyword);
        if (uses[foldCase(entry.keyword)] > 1) text += QStringLiteral(" - ") + toQt(entry.title);
        auto* item = new QListWidgetItem(text, indexList_);
        item->setData(Qt::UserRole, entry.topic);
    }
}

void HelpWindow::selectIndexEntry(const QString& typed) {
    const std::string wanted = foldCase(fromQt(typed.trimmed()));
    if (wanted.empty()) return;
    for (int i = 0; i < indexList_->count(); ++i) {
        if (foldCase(fromQt(indexList_->item(i)->text())).rfind(wanted, 0) == 0) {
            indexList_->setCurrentRow(i);
            indexList_->scrollToItem(indexList_->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpWindow::openIndexEntry() {
    const QListWidgetItem* item = indexList_->currentItem();
    if (item != nullptr) showTopic(item->data(Qt::UserRole).toInt());
}

void HelpWindow::runSearch() {
    searchResults_->clear();
    const std::vector<HelpSearchHit> hits = topics_.search(fromQt(searchField_->text()));
    for (const HelpSearchHit& hit : hits) {
        auto* item = new QListWidgetItem(toQt(hit.title), searchResults_);
        item->setData(Qt::UserRole, hit.topic);
    }
    if (hits.empty() && !searchField_->text().trimmed().isEmpty()) {
        auto* item = new QListWidgetItem(QStringLiteral("Keine Themen gefunden."), searchResults_);
        item->setFlags(Qt::NoItemFlags);
    }
    if (!hits.empty()) searchResults_->setCurrentRow(0);
}

void HelpWindow::showPage(const std::filesystem::path& path) {
    browser_->setSource(pageUrl(path));
}

void HelpWindow::bringUp(int tab) {
    if (tab >= 0) tabs_->setCurrentIndex(tab);
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContentsPage() {
    const std::filesystem::path contents = topics_.contentsPage();
    std::error_code error;
    if (std::filesystem::is_regular_file(contents, error))
        showPage(contents);
    else
        prompter_.error(missingTopicMessage(kHelpContents));
}

void HelpWindow::showContents() {
    bringUp(kContentsTab);
    showContentsPage();
}

void HelpWindow::showIndex() {
    if (browser_->source().isEmpty()) showContents();
    bringUp(kIndexTab);
    indexField_->setFocus();
    indexField_->selectAll();
}

void HelpWindow::showSearch() {
    if (browser_->source().isEmpty()) showContents();
    bringUp(kSearchTab);
    searchField_->setFocus();
    searchField_->selectAll();
}

bool HelpWindow::showTopic(int number) {
    const std::optional<std::filesystem::path> path = topics_.topicPath(number);
    if (!path) {
        prompter_.error(missingTopicMessage(number));
        return false;
    }
    showPage(*path);
    bringUp(-1);
    return true;
}

void showHelpTopic(HelpWindow*& window, QWidget* owner, Prompter& prompter, int topic) {
    if (window == nullptr) {
        const std::string executableDirectory = fromQt(QCoreApplication::applicationDirPath());
        window = new HelpWindow(
            HelpTopics::load(helpDirectory(executableDirectory).value_or(std::filesystem::path())), prompter, owner);
        window->setWindowFlag(Qt::Window);
    }
    window->show();
    window->showTopic(topic);
}

void addHelpShortcut(QWidget* window, int topic) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), window);
    auto prompter = std::make_shared<QtPrompter>(window);
    auto help = std::make_shared<HelpWindow*>(nullptr);
    QObject::connect(shortcut, &QShortcut::activated, window,
                     [window, topic, prompter, help] { showHelpTopic(*help, window, *prompter, topic); });
}

} // namespace lorvan
