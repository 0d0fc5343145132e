#include "gui/main_window.h"

#include "app/application.h"
#include "app/document_kinds.h"
#include "app/help_topics.h"
#include "app/report_settings.h"
#include "app/web_pages.h"
#include "app/window_sizes.h"
#include "foundation/error.h"
#include "foundation/io_select.h"
#include "gui/account_dialog.h"
#include "gui/file_view_windows.h"
#include "gui/general_settings_dialog.h"
#include "gui/help_window.h"
#include "gui/qt_platform.h"
#include "gui/report_commands.h"
#include "gui/text_dialogs.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_document.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <filesystem>
#include <memory>
#include <set>

namespace lorvan {

namespace {

using C = MenuCommand;

// The month view has no view number of its own among the document kinds.
constexpr int32_t kViewMonth = 0;

// The file selection of "Ö&ffnen...": year files only, starting in the data directory.
IoSelect yearFileSelection(const std::string& dataDirectory) {
    IoSelect selection(IoSelectMode::OpenFile, "", "Arbeitszeitdatei", dataDirectory);
    selection.addFilter("Arbeitszeitdatei", kYearFileExtension);
    selection.setAllFilesEntry(false);
    selection.setDefaultExtension(kYearFileExtension);
    return selection;
}

void collectCommands(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out) {
    for (const MenuItem& item : items) {
        if (item.isSubmenu())
            collectCommands(item.children, out);
        else if (item.command != C::None && item.command != C::RecentFiles)
            out.push_back(&item);
    }
}

QString samePathKey(const std::string& path) {
    return QDir::cleanPath(toQt(path)).toLower();
}

} // namespace

MainWindow::MainWindow(CLorvanApp& app, const UserEnvironment& environment, const Clock& clock,
                       Prompter& prompter, ProgramRunner& runner)
    : app_(app), environment_(environment), clock_(clock), prompter_(prompter), runner_(runner),
      mdi_(new QMdiArea), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(QStringLiteral("Lorvan"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    createActions();

    toolbar_ = addToolBar(QStringLiteral("Symbolleiste"));
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    for (MenuCommand command : toolbarCommands()) {
        if (command == C::None)
            toolbar_->addSeparator();
        else
            toolbar_->addAction(action(command));
    }
    toolbar_->addAction(contextHelp_);

    QStatusBar* bar = statusBar();
    bar->showMessage(QStringLiteral("Bereit"));
    // Menus and tool tips borrow the message pane; when they leave it, the program is ready again.
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
        if (message.isEmpty()) bar->showMessage(QStringLiteral("Bereit"));
    });
    for (const char* indicator : {"UF", "NUM", "RF"}) {
        auto* label = new QLabel(QString::fromLatin1(indicator));
        label->setEnabled(false);
        bar->addPermanentWidget(label);
    }

    buildMenuBar(MenuBarKind::NoDocument);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        const MenuBarKind wanted = window != nullptr ? MenuBarKind::YearFile : MenuBarKind::NoDocument;
        if (wanted != shownBar_) buildMenuBar(wanted);
        setWindowTitle(window != nullptr ? QStringLiteral("Lorvan - ") + window->windowTitle()
                                         : QStringLiteral("Lorvan"));
        updateActions();
    });
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this, [this] { updateActions(); });
    updateActions();
}

MainWindow::~MainWindow() {
    // Closing the windows moves the focus while the actions go away.
    disconnect(focusConnection_);
    mdi_->disconnect(this);
}

void MainWindow::placeOnScreen() {
    const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize size(area.width() * 7 / 8, area.height() * 7 / 8);
    resize(size);
    move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

bool MainWindow::isBuilt(MenuCommand command) {
    static const std::set<MenuCommand> kBuilt = {
        C::Open,
        C::Close,
        C::Save,
        C::Print,
        C::PrintPreview,
        C::PrintSetup,
        C::Exit,
        C::Undo,
        C::Cut,
        C::Copy,
        C::Paste,
        C::OpenEntry,
        C::ToggleToolbar,
        C::ToggleStatusBar,
        C::VacationTaken,
        C::SickDays,
        C::AbsencesPrint,
        C::AbsencesPreview,
        C::AbsencesExport,
        C::MonthReportPrint,
        C::MonthReportPreview,
        C::MonthReportExport,
        C::YearSummaryPrint,
        C::YearSummaryPreview,
        C::YearSummaryExport,
        C::YearGridPrint,
        C::YearGridPreview,
        C::YearGridExport,
        C::AccountEdit,
        C::AccountPrint,
        C::AccountPreview,
        C::AccountExport,
        C::GeneralSettings,
        C::Cascade,
        C::Tile,
        C::ArrangeIcons,
        C::HelpContents,
        C::HelpSearch,
        C::HelpIndex,
        C::News,
        C::About,
    };
    return kBuilt.count(command) != 0;
}

void MainWindow::createActions() {
    std::vector<const MenuItem*> items;
    std::vector<std::vector<MenuItem>> bars;
    for (MenuBarKind kind : {MenuBarKind::YearFile, MenuBarKind::NoDocument, MenuBarKind::EmployeeFile})
        bars.push_back(lorvan::menuBar(kind));
    for (const auto& bar : bars)
        collectCommands(bar, items);
    for (const MenuItem* item : items) {
        if (actions_.count(item->command) != 0) continue;
        auto* created = new QAction(toQt(item->text), this);
        if (!item->shortcut.empty())
            created->setShortcut(QKeySequence(toQt(portableShortcut(item->shortcut))));
        const MenuCommand command = item->command;
        connect(created, &QAction::triggered, this, [this, command] { runCommand(command); });
        actions_[command] = created;
    }
    for (const FurtherKey& key : furtherKeys()) {
        QAction* target = action(key.command);
        QList<QKeySequence> keys = target->shortcuts();
        keys << QKeySequence(toQt(portableShortcut(key.shortcut)));
        target->setShortcuts(keys);
    }
    // Keys without a menu entry: F1 the contents, Shift+F1 the topic of the active window, F6 and
    // Shift+F6 the next and previous document window.
    action(C::HelpContents)->setShortcut(QKeySequence(Qt::Key_F1));
    contextHelp_ = new QAction(QStringLiteral("Hilfe zum aktuellen Fenster"), this);
    contextHelp_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    contextHelp_->setToolTip(QStringLiteral("Hilfe zum aktuellen Fenster (Umschalt+F1)"));
    connect(contextHelp_, &QAction::triggered, this, [this] { helpWindow()->showTopic(contextHelpTopic()); });
    addAction(contextHelp_);
    auto* nextPane = new QAction(this);
    nextPane->setShortcut(QKeySequence(Qt::Key_F6));
    connect(nextPane, &QAction::triggered, this, [this] { mdi_->activateNextSubWindow(); });
    auto* previousPane = new QAction(this);
    previousPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(previousPane, &QAction::triggered, this, [this] { mdi_->activatePreviousSubWindow(); });
    addActions({nextPane, previousPane});
    for (MenuCommand toggle : {C::ToggleToolbar, C::ToggleStatusBar}) {
        action(toggle)->setCheckable(true);
        action(toggle)->setChecked(true);
    }
}

QAction* MainWindow::action(MenuCommand command) const {
    const auto found = actions_.find(command);
    return found != actions_.end() ? found->second : nullptr;
}

void MainWindow::buildMenuBar(MenuBarKind kind) {
    QMenuBar* bar = menuBar();
    for (QMenu* old : bar->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly))
        old->deleteLater();
    bar->clear();
    recentMenu_ = nullptr;
    const SpreadsheetProgram spreadsheet = storedSpreadsheetProgram(app_.store());
    for (const MenuItem& menu : lorvan::menuBar(kind))
        fillMenu(bar->addMenu(toQt(menu.text)), menu.children, spreadsheet);
    shownBar_ = kind;
}

void MainWindow::fillMenu(QMenu* menu, const std::vector<MenuItem>& items, SpreadsheetProgram spreadsheet) {
    for (const MenuItem& item : items) {
        if (item.isSeparator()) {
            menu->addSeparator();
        } else if (item.isSubmenu()) {
            fillMenu(menu->addMenu(toQt(item.text)), item.children, spreadsheet);
        } else if (item.command == C::RecentFiles) {
            recentMenu_ = menu->addMenu(toQt(item.text));
            fillRecentFiles();
        } else {
            QAction* entry = action(item.command);
            entry->setText(toQt(exportCommandText(item.text, spreadsheet)));
            menu->addAction(entry);
        }
    }
}

void MainWindow::fillRecentFiles() {
    if (recentMenu_ == nullptr) return;
    recentMenu_->clear();
    const std::vector<std::string>& entries = app_.recentFiles().entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string path = entries[i];
        QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 ").arg((i + 1) % 10) + toQt(path));
        connect(entry, &QAction::triggered, this, [this, path] { openYearFile(path); });
    }
    recentMenu_->setEnabled(!entries.empty());
}

HelpWindow* MainWindow::helpWindow() {
    if (help_ == nullptr) {
        const std::string executableDirectory = fromQt(QCoreApplication::applicationDirPath());
        HelpTopics topics =
            HelpTopics::load(helpDirectory(executableDirectory).value_or(std::filesystem::path()));
        // A window of its own that closes with the main window.
        help_ = new HelpWindow(std::move(topics), prompter_, this);
        help_->setWindowFlag(Qt::Window);
        // Over the middle of the main window the first time; where the user puts it afterwards.
        help_->move(geometry().center() - help_->rect().center());
    }
    return help_;
}

int MainWindow::contextHelpTopic() const {
    switch (activeViewKind()) {
    case ActiveView::MonthView:
        return kHelpMonthView;
    case ActiveView::YearView:
        return kHelpYearView;
    default:
        return kHelpContents;
    }
}

bool MainWindow::saveYearFile(OpenYearFile& file) {
    StorageContext context{&prompter_, app_.dataDirectory(), nullptr, nullptr};
    if (!file.document.save(file.path, true, context)) return false;
    file.document.setModified(false);
    return true;
}

void MainWindow::closeAllDocuments() {
    closingWithoutQuestions_ = true;
    mdi_->closeAllSubWindows();
    closingWithoutQuestions_ = false;
}

std::string MainWindow::saveQuestion(const std::string& path) {
    return "Die Arbeitszeitdatei " + path + " wurde geändert.\nSollen die Änderungen gespeichert werden?";
}

bool MainWindow::mayCloseWindowOf(QMdiSubWindow* window) {
    auto* view = qobject_cast<FileListView*>(window->widget());
    if (closingWithoutQuestions_ || view == nullptr || !view->file()->document.isModified()) return true;
    for (QMdiSubWindow* other : mdi_->subWindowList()) {
        auto* otherView = qobject_cast<FileListView*>(other->widget());
        if (other != window && otherView != nullptr && otherView->file() == view->file()) return true;
    }
    switch (prompter_.askYesNoCancel(saveQuestion(view->file()->path))) {
    case Answer::Yes:
        return saveYearFile(*view->file());
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        if (auto* window = qobject_cast<QMdiSubWindow*>(watched);
            window != nullptr && !mayCloseWindowOf(window)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    mdi_->closeAllSubWindows();
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (window->isVisible()) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
}

FileListView* MainWindow::activeView() const {
    QMdiSubWindow* window = mdi_->activeSubWindow();
    return window != nullptr ? qobject_cast<FileListView*>(window->widget()) : nullptr;
}

ActiveView MainWindow::activeViewKind() const {
    FileListView* view = activeView();
    if (qobject_cast<CMonatView*>(view) != nullptr) return ActiveView::MonthView;
    if (qobject_cast<CLorvanView*>(view) != nullptr) return ActiveView::YearView;
    return ActiveView::None;
}

void MainWindow::updateActions() {
    const ActiveView view = activeViewKind();
    const FileListView* const current = activeView();
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    for (const auto& [command, entry] : actions_) {
        bool enabled = isBuilt(command);
        switch (command) {
        case C::Close:
            enabled = enabled && mdi_->activeSubWindow() != nullptr;
            break;
        case C::OpenEntry:
            enabled = enabled && view == ActiveView::YearView;
            break;
        case C::Save:
            enabled = enabled && current != nullptr && current->file()->document.isModified();
            break;
        case C::VacationTaken:
        case C::SickDays:
        case C::AccountEdit:
            enabled = enabled && view != ActiveView::None;
            break;
        case C::Undo:
            enabled = field != nullptr && view != ActiveView::None && field->isUndoAvailable();
            break;
        case C::Cut:
            enabled = field != nullptr && view != ActiveView::None && field->hasSelectedText() &&
                      !field->isReadOnly();
            break;
        case C::Copy:
            enabled = field != nullptr && view != ActiveView::None && field->hasSelectedText();
            break;
        case C::Paste:
            enabled = field != nullptr && view != ActiveView::None && !field->isReadOnly() &&
                      !QApplication::clipboard()->text().isEmpty();
            break;
        default:
            if (reportCommand(command, ActiveView::MonthView) || command == C::Print ||
                command == C::PrintPreview)
                enabled = enabled && reportCommand(command, view).has_value();
            break;
        }
        entry->setEnabled(enabled);
    }
}

QMdiSubWindow* MainWindow::addDocumentWindow(FileListView* view, int32_t viewNumber) {
    QMdiSubWindow* window = mdi_->addSubWindow(view);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(this);
    window->setWindowTitle(view->windowTitle());
    // The designed size is the view's own plus the window frame; the position is the MDI area's.
    const QSize designed = view->size() + QSize(16, 40);
    const WindowSize size =
        WindowSizes(app_.store()).restore(viewNumber, WindowSize{designed.width(), designed.height()});
    window->resize(size.width, size.height);
    connect(view, &FileListView::closingByOwnButton, this, [this, window, viewNumber] {
        WindowSizes(app_.store())
            .save(viewNumber, WindowSize{window->width(), window->height()}, window->isMaximized());
    });
    window->show();
    mdi_->setActiveSubWindow(window);
    // The keys go to the list at once: arrows choose, Enter opens.
    view->list()->setFocus();
    return window;
}

CLorvanView* MainWindow::openYearFile(const std::string& path) {
    std::shared_ptr<OpenYearFile> file;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        auto* view = qobject_cast<FileListView*>(window->widget());
        if (view == nullptr || samePathKey(view->file()->path) != samePathKey(path)) continue;
        if (auto* yearView = qobject_cast<CLorvanView*>(view)) {
            mdi_->setActiveSubWindow(window);
            activateWindow();
            return yearView;
        }
        file = view->file();
    }
    try {
        if (!file) file = std::make_shared<OpenYearFile>(path, app_.dataDirectory());
    } catch (const LorvanError& failure) {
        prompter_.error(failure.what());
        return nullptr;
    }
    app_.recentFiles().addPath(path);
    fillRecentFiles();
    auto* view = new CLorvanView(file, clock_.today());
    connect(view, &FileListView::entryActivated, this,
            [this, file](int32_t month) { openMonth(file, month); });
    connect(view->list(), &QTreeWidget::currentItemChanged, this, [this] { updateActions(); });
    addDocumentWindow(view, kViewYearFile);
    return view;
}

CMonatView* MainWindow::openMonth(const std::shared_ptr<OpenYearFile>& file, int32_t month) {
    if (file->document.month(month) == nullptr) return nullptr;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        auto* view = qobject_cast<CMonatView*>(window->widget());
        if (view != nullptr && view->file() == file && view->month() == month) {
            mdi_->setActiveSubWindow(window);
            return view;
        }
    }
    const bool closed = app_.isMonthClosed(month, file->document.settings().year);
    auto* view = new CMonatView(file, month, clock_.today(), closed);
    addDocumentWindow(view, kViewMonth);
    return view;
}

bool MainWindow::runGeneralSettings(CLorvanApp& app) {
    GeneralSettingsDialog dialog(app, environment_, prompter_, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    // The export entries name the chosen spreadsheet program.
    buildMenuBar(shownBar_);
    return true;
}

void MainWindow::openWorkArea(const WorkAreaPlan& plan) {
    if (plan.action == WorkAreaPlan::Action::Refuse) {
        prompter_.warn(plan.message);
        return;
    }
    // The employees work area comes later; until then the start-up offers the year files.
    chooseAndOpenYearFile();
}

void MainWindow::chooseAndOpenYearFile() {
    const std::optional<std::string> chosen = runIoSelect(this, yearFileSelection(app_.dataDirectory()));
    if (chosen) openYearFile(*chosen);
}

void MainWindow::showAbout() {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Info über Lorvan"),
                    QStringLiteral("Lorvan\nVersion ") + QString::fromLatin1(kProgramVersion),
                    QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void MainWindow::runCommand(MenuCommand command) {
    FileListView* view = activeView();
    if (const std::optional<ReportCommand> report = reportCommand(command, activeViewKind());
        report && view) {
        auto* monthView = qobject_cast<CMonatView*>(view);
        QString folder = toQt(exportFolder_);
        if (folder.isEmpty()) folder = QDir::tempPath() + QStringLiteral("/Lorvan-Export");
        ReportEnvironment environment{this,
                                      printer_.get(),
                                      prompter_,
                                      runner_,
                                      fromQt(folder),
                                      reportInputsOf(app_.settings(), app_.buildSwitch()),
                                      storedSpreadsheetProgram(app_.store())};
        runReportCommand(*view->file(), *report, monthView != nullptr ? monthView->month() : 0, environment);
        return;
    }
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    switch (command) {
    case C::Open:
        chooseAndOpenYearFile();
        break;
    case C::Close:
        if (mdi_->activeSubWindow() != nullptr) mdi_->activeSubWindow()->close();
        break;
    case C::Save:
        if (view != nullptr) saveYearFile(*view->file());
        break;
    case C::VacationTaken:
    case C::SickDays:
        if (view != nullptr) {
            auto* monthView = qobject_cast<CMonatView*>(view);
            const int32_t month = monthView != nullptr ? monthView->month() : 0;
            try {
                std::unique_ptr<TextDialog> dialog =
                    command == C::VacationTaken ? vacationDialog(view->file()->document, month, this)
                                                : sicknessDialog(view->file()->document, month, this);
                dialog->exec();
            } catch (const LorvanError& failure) {
                prompter_.error(failure.what());
            }
        }
        break;
    case C::AccountEdit:
        if (view != nullptr) {
            const std::shared_ptr<OpenYearFile> file = view->file();
            AccountDialog dialog(*file, prompter_, this);
            // A correction is written to the file at once, like a saved day.
            connect(&dialog, &AccountDialog::documentChanged, this, [this, file] {
                saveYearFile(*file);
                updateActions();
            });
            if (dialog.loaded()) dialog.exec();
        }
        break;
    case C::HelpContents:
        helpWindow()->showContents();
        break;
    case C::HelpSearch:
        helpWindow()->showSearch();
        break;
    case C::HelpIndex:
        helpWindow()->showIndex();
        break;
    case C::PrintSetup: {
        QPageSetupDialog dialog(printer_.get(), this);
        dialog.exec();
        break;
    }
    case C::Exit:
        close();
        break;
    case C::Undo:
        if (field != nullptr) field->undo();
        break;
    case C::Cut:
        if (field != nullptr) field->cut();
        break;
    case C::Copy:
        if (field != nullptr) field->copy();
        break;
    case C::Paste:
        if (field != nullptr) field->paste();
        break;
    case C::OpenEntry:
        if (auto* yearView = qobject_cast<CLorvanView*>(view); yearView && yearView->selectedNumber() != 0)
            openMonth(yearView->file(), yearView->selectedNumber());
        break;
    case C::ToggleToolbar:
        toolbar_->setVisible(action(command)->isChecked());
        break;
    case C::ToggleStatusBar:
        statusBar()->setVisible(action(command)->isChecked());
        break;
    case C::GeneralSettings:
        runGeneralSettings(app_);
        break;
    case C::Cascade:
        mdi_->cascadeSubWindows();
        break;
    case C::Tile:
        mdi_->tileSubWindows();
        break;
    case C::ArrangeIcons:
        for (QMdiSubWindow* window : mdi_->subWindowList())
            if (window->isMinimized()) window->showMinimized();
        break;
    case C::News: {
        QtWebBrowser browser;
        openWebPage(browser, prompter_, kNewsPageAddress);
        break;
    }
    case C::About:
        showAbout();
        break;
    default:
        break;
    }
    updateActions();
}

} // namespace lorvan
