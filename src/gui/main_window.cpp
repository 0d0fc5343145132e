#include "gui/main_window.h"

#include "app/application.h"
#include "app/document_kinds.h"
#include "app/help_topics.h"
#include "app/report_settings.h"
#include "app/web_pages.h"
#include "app/open_year_file.h"
#include "app/ui/general_settings_dialog.h"
#include "app/window_sizes.h"
#include "entry/ui/entry_commands.h"
#include "entry/ui/file_view_windows.h"
#include "entry/ui/time_line_dialog.h"
#include "gui/common/document_view.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "closing/ui/closing_dialogs.h"
#include "potential/ui/potential_dialog.h"
#include "import/ui/import_commands.h"
#include "query/ui/customer_query_window.h"
#include "masterdata/ui/employee_window.h"
#include "masterdata/ui/masterdata_commands.h"
#include "masterdata/customer_flows.h"
#include "masterdata/service_flows.h"
#include "masterdata/ui/customer_dialog_window.h"
#include "masterdata/ui/customer_service_commands.h"
#include "masterdata/ui/service_dialog_window.h"
#include "yearsettings/ui/file_settings_commands.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "logbook/trip_assistant.h"
#include "logbook/ui/logbook_commands.h"
#include "logbook/ui/logbook_view.h"
#include "logbook/ui/trip_assistant_window.h"
#include "logbook/word_lists.h"
#include "masterdata/customer_list.h"
#include "masterdata/employee_list.h"
#include "logbook/vehicle_file.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "reports/ui/report_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace lorvan {

namespace {

using C = MenuCommand;

// Whether a logbook window (a window on a ".fb" file) is open.
bool logbookWindowOpen(const Desktop& desktop) {
    for (const DocumentView* view : desktop.documents()) {
        const std::string path = view->documentPath();
        if (path.size() > 3 && QString::fromStdString(path.substr(path.size() - 3)).toLower() == ".fb") return true;
    }
    return false;
}

void collectCommands(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out) {
    for (const MenuItem& item : items) {
        if (item.isSubmenu())
            collectCommands(item.children, out);
        else if (item.command != C::None && item.command != C::RecentFiles)
            out.push_back(&item);
    }
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
    // Each subsystem's windows register the commands they serve.
    registerOwnCommands();
    registerEntryCommands(*this);
    registerReportCommands(*this);
    setDaySheetPrinter([](Desktop& desktop, DocumentView& dayView) {
        runDaySheetCommand(desktop, dayView, ReportAction::Print, DaySheetForm::Entry);
    });
    // "In &Fahrtenbuch übertragen..." of the day entry opens the trip assistant, refused while a
    // logbook window is open (the assistant writes the logbooks itself).
    setLogbookTransfer(LogbookTransfer{
        .available = [](Desktop& desktop) { return fileExists(vehicleFilePath(desktop.app().dataDirectory())); },
        .open =
            [this](Desktop& desktop, const CTagDoc& day, bool refuseWhileLogbooksOpen) {
                if (refuseWhileLogbooksOpen && logbookWindowOpen(desktop)) {
                    desktop.prompter().warn("Schließen Sie vorher alle Fahrtenbücher.");
                    return;
                }
                TripAssistantServices services;
                services.prompter = &desktop.prompter();
                services.clock = &desktop.clock();
                services.dataDirectory = desktop.app().dataDirectory();
                services.customers = &desktop.app().customers();
                services.words = logbookWords();
                runTripAssistant(desktop.dialogParent(), day, std::move(services));
            },
        .openLogbook = [](Desktop& desktop, const std::string& path) { openLogbookWindow(desktop, path); },
    });
    registerLogbookCommands(*this, LogbookServices{.words = [this] { return logbookWords(); }});
    registerMasterDataCommands(*this);
    registerCustomerServiceCommands(*this);
    registerFileSettingsCommands(*this);
    registerQueryCommands(*this);
    registerClosingCommands(*this, ClosingWindows{.potentialAnalysis = runPotentialAnalysis});
    // A new year file shows its settings step by step before its year view opens.
    setNewFileSettings(runNewFileSettings);
    registerImportCommands(*this, ImportWindows{
                                      .newFileSettings = runNewFileSettings,
                                      .employeeDialog =
                                          [](QWidget* parent, Prompter& prompter) -> std::unique_ptr<EmployeeDialogHost> {
                                          return std::make_unique<QtEmployeeDialogHost>(parent, prompter);
                                      },
                                  });
    // "Öff&nen..." and "Öf&fnen..." of "Arbeitszeit eingeben" run the master-data flows. A customer
    // typed by number keeps its text; one typed by name takes the name as saved.
    setMasterDataEditors(
        {[this](QWidget* parent, std::string_view text) -> std::optional<std::string> {
             QtCustomerDialogRunner dialogs(parent, prompter_);
             const StorageContext storage{&prompter_, app_.dataDirectory(), nullptr, nullptr};
             const auto saved = createOrEditCustomerFromText(text, app_.customers(), openDocuments(), dialogs, storage);
             if (!saved || app_.customers().fromDisplayText(text)) return std::nullopt;
             return saved->name;
         },
         [this](QWidget* parent, std::string_view name, int32_t costKind,
                double costAmount) -> std::optional<std::string> {
             QtServiceDialogRunner dialogs(parent, prompter_);
             const StorageContext storage{&prompter_, app_.dataDirectory(), nullptr, nullptr};
             const auto saved = createOrEditServiceFromName(name, costKind, costAmount, app_.services(),
                                                            openDocuments(), dialogs, storage);
             return saved ? std::optional(saved->name) : std::nullopt;
         }});

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
        const auto* view = window != nullptr ? qobject_cast<DocumentView*>(window->widget()) : nullptr;
        const MenuBarKind wanted = view != nullptr ? view->menuBarKind() : MenuBarKind::NoDocument;
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

void MainWindow::createActions() {
    std::vector<const MenuItem*> items;
    std::vector<std::vector<MenuItem>> bars;
    for (MenuBarKind kind :
         {MenuBarKind::YearFile, MenuBarKind::NoDocument, MenuBarKind::DayView, MenuBarKind::EmployeeFile})
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
    const DocumentView* view = activeDocument();
    return view != nullptr ? view->helpTopic() : kHelpContents;
}

bool MainWindow::saveYearFile(OpenYearFile& file) {
    StorageContext context{&prompter_, app_.dataDirectory(), nullptr, nullptr};
    if (!file.document.save(file.path, true, context)) return false;
    file.document.setModified(false);
    return true;
}

void MainWindow::closeAllDocuments() {
    closingWithoutQuestions_ = true;
    for (DocumentView* view : documents())
        view->closeWithoutQuestions();
    mdi_->closeAllSubWindows();
    closingWithoutQuestions_ = false;
}

std::string MainWindow::saveQuestion(const std::string& path) {
    return "Die Arbeitszeitdatei " + path + " wurde geändert.\nSollen die Änderungen gespeichert werden?";
}

bool MainWindow::mayCloseWindowOf(QMdiSubWindow* window) {
    auto* view = qobject_cast<DocumentView*>(window->widget());
    if (closingWithoutQuestions_ || view == nullptr || !view->file() || !view->file()->document.isModified())
        return true;
    for (QMdiSubWindow* other : mdi_->subWindowList()) {
        auto* otherView = qobject_cast<DocumentView*>(other->widget());
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

DocumentView* MainWindow::activeDocument() const {
    QMdiSubWindow* window = mdi_->activeSubWindow();
    return window != nullptr ? qobject_cast<DocumentView*>(window->widget()) : nullptr;
}

std::vector<DocumentView*> MainWindow::documents() const {
    std::vector<DocumentView*> views;
    for (QMdiSubWindow* window : mdi_->subWindowList())
        if (auto* view = qobject_cast<DocumentView*>(window->widget())) views.push_back(view);
    return views;
}

ActiveView MainWindow::activeViewKind() const {
    const DocumentView* view = activeDocument();
    return view != nullptr ? view->viewKind() : ActiveView::None;
}

void MainWindow::updateActions() {
    for (const auto& [command, entry] : actions_)
        entry->setEnabled(isCommandEnabled(command));
}

bool MainWindow::isCommandEnabled(MenuCommand command) const {
    const DocumentView* view = activeDocument();
    return (view != nullptr && view->servesCommand(command)) || commands_.isEnabled(command);
}

void MainWindow::registerOwnCommands() {
    const auto hasWindow = [this] { return mdi_->activeSubWindow() != nullptr; };
    // The editing commands work on the text field with the focus inside a document window.
    const auto field = [this]() -> QLineEdit* {
        return activeDocument() != nullptr ? qobject_cast<QLineEdit*>(QApplication::focusWidget()) : nullptr;
    };
    commands_.add(C::Close, [this] { mdi_->activeSubWindow()->close(); }, hasWindow);
    commands_.add(
        C::Save, [this] { saveYearFile(*activeDocument()->file()); },
        [this] {
            const DocumentView* view = activeDocument();
            return view != nullptr && view->file() && view->file()->document.isModified();
        });
    commands_.add(C::PrintSetup, [this] {
        QPageSetupDialog dialog(printer_.get(), this);
        dialog.exec();
    });
    commands_.add(C::Exit, [this] { close(); });
    commands_.add(C::Undo, [field] { field()->undo(); }, [field] { return field() && field()->isUndoAvailable(); });
    commands_.add(C::Cut, [field] { field()->cut(); },
                  [field] { return field() && field()->hasSelectedText() && !field()->isReadOnly(); });
    commands_.add(C::Copy, [field] { field()->copy(); }, [field] { return field() && field()->hasSelectedText(); });
    commands_.add(C::Paste, [field] { field()->paste(); }, [field] {
        return field() && !field()->isReadOnly() && !QApplication::clipboard()->text().isEmpty();
    });
    commands_.add(C::ToggleToolbar, [this] { toolbar_->setVisible(action(C::ToggleToolbar)->isChecked()); });
    commands_.add(C::ToggleStatusBar, [this] { statusBar()->setVisible(action(C::ToggleStatusBar)->isChecked()); });
    commands_.add(C::GeneralSettings, [this] { runGeneralSettings(app_); });
    commands_.add(C::Cascade, [this] {
        mdi_->cascadeSubWindows();
        keepDesignedSizes();
    });
    commands_.add(C::Tile, [this] {
        mdi_->tileSubWindows();
        keepDesignedSizes();
    });
    commands_.add(C::ArrangeIcons, [this] {
        for (QMdiSubWindow* window : mdi_->subWindowList())
            if (window->isMinimized()) window->showMinimized();
    });
    commands_.add(C::HelpContents, [this] { helpWindow()->showContents(); });
    commands_.add(C::HelpSearch, [this] { helpWindow()->showSearch(); });
    commands_.add(C::HelpIndex, [this] { helpWindow()->showIndex(); });
    commands_.add(C::News, [this] {
        QtWebBrowser browser;
        openWebPage(browser, prompter_, kNewsPageAddress);
    });
    commands_.add(C::About, [this] { showAbout(); });
}

namespace {

// The size of the window that shows its view at the view's designed size.
QSize designedWindowSize(const QMdiSubWindow* window) {
    const auto* view = qobject_cast<const DocumentView*>(window->widget());
    if (view == nullptr) return window->size();
    return view->designedSize() + (window->size() - view->size());
}

} // namespace

LogbookWordLists* MainWindow::logbookWords() {
    // Built once per data directory; the windows keep the same lists while it stays.
    if (logbookWords_ && logbookWordsDirectory_ == app_.dataDirectory()) return logbookWords_.get();
    std::vector<std::string> employees;
    std::vector<std::string> customers;
    // Lists that cannot be read leave their names out; the logbooks still give theirs.
    try {
        for (const auto& [number, employee] : app_.employees().all())
            employees.push_back(employee.name);
    } catch (const LorvanError&) {
    }
    try {
        customers = app_.customers().displayTexts();
    } catch (const LorvanError&) {
    }
    if (!logbookWords_) logbookWords_ = std::make_unique<LogbookWordLists>();
    logbookWordsDirectory_ = app_.dataDirectory();
    logbookWords_->build(app_.dataDirectory(), clock_.today().year, employees, customers);
    return logbookWords_.get();
}

void MainWindow::keepInsideArea(QMdiSubWindow* window) const {
    const QSize area = mdi_->viewport()->size();
    if (area.isEmpty()) return;
    // Larger than the area: smaller, but never below the designed size.
    const QSize designed = designedWindowSize(window);
    const QSize wanted(std::max(std::min(window->width(), area.width()), designed.width()),
                       std::max(std::min(window->height(), area.height()), designed.height()));
    if (wanted != window->size()) window->resize(wanted);
    // Sticking out to the right or below: moved up and left as far as needed.
    const int x = std::max(0, std::min(window->x(), area.width() - window->width()));
    const int y = std::max(0, std::min(window->y(), area.height() - window->height()));
    if (QPoint(x, y) != window->pos()) window->move(x, y);
}

void MainWindow::keepDesignedSizes() {
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (window->isMinimized() || window->isMaximized()) continue;
        window->resize(window->size().expandedTo(designedWindowSize(window)));
        // A window grown back may stick out of the area: it moves in, its buttons in sight.
        keepInsideArea(window);
    }
}

void MainWindow::addDocument(DocumentView* view, int32_t viewNumber) {
    QMdiSubWindow* window = mdi_->addSubWindow(view);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(this);
    window->setWindowTitle(view->windowTitle());
    // The designed size is the view's own plus the window frame; the position is the MDI area's.
    const QSize designed = view->designedSize() + QSize(16, 40);
    const WindowSize size =
        WindowSizes(app_.store()).restore(viewNumber, WindowSize{designed.width(), designed.height()});
    window->resize(size.width, size.height);
    connect(view, &DocumentView::closingByOwnButton, this, [this, window, viewNumber] {
        WindowSizes(app_.store())
            .save(viewNumber, WindowSize{window->width(), window->height()}, window->isMaximized());
    });
    connect(view, &DocumentView::commandStateChanged, this, [this] { updateActions(); });
    window->show();
    keepInsideArea(window);
    mdi_->setActiveSubWindow(window);
    view->focusTarget()->setFocus();
}

void MainWindow::activateDocument(DocumentView* view) {
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (window->widget() == view) {
            mdi_->setActiveSubWindow(window);
            activateWindow();
            return;
        }
    }
}

void MainWindow::fileOpened(const std::string& path) {
    app_.recentFiles().addPath(path);
    fillRecentFiles();
}

std::string MainWindow::exportFolder() const {
    if (!exportFolder_.empty()) return exportFolder_;
    return fromQt(QDir::tempPath() + QStringLiteral("/Lorvan-Export"));
}

void MainWindow::settingsChanged() {
    // The export entries name the chosen spreadsheet program; a month closing locks open views.
    buildMenuBar(shownBar_);
    for (DocumentView* view : documents())
        view->settingsChanged();
    // A view's title may have followed a new owner or year.
    if (const QMdiSubWindow* window = mdi_->activeSubWindow())
        setWindowTitle(QStringLiteral("Lorvan - ") + window->windowTitle());
    updateActions();
}

CLorvanView* MainWindow::openYearFile(const std::string& path) {
    return openYearFileView(*this, path);
}

CMonatView* MainWindow::openMonth(const std::shared_ptr<OpenYearFile>& file, int32_t month) {
    return openMonthView(*this, file, month);
}

bool MainWindow::runGeneralSettings(CLorvanApp& app) {
    GeneralSettingsDialog dialog(app, environment_, prompter_, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    settingsChanged();
    return true;
}

void MainWindow::openWorkArea(const WorkAreaPlan& plan) {
    if (plan.action == WorkAreaPlan::Action::Refuse) {
        prompter_.warn(plan.message);
        return;
    }
    if (plan.view == kViewEmployees) openEmployeesWindow(*this);
}

DocumentView* MainWindow::openYearFileWindow(const std::string& path) {
    return openYearFile(path);
}

namespace {

QString samePathKey(const std::string& path) {
    return QDir::cleanPath(toQt(path)).toLower();
}

} // namespace

bool MainWindow::closeWindowsOf(const std::string& path) {
    const QString key = samePathKey(path);
    const auto showsPath = [&key](const QMdiSubWindow* window) {
        const auto* view = qobject_cast<const DocumentView*>(window->widget());
        return view != nullptr && !view->documentPath().empty() && samePathKey(view->documentPath()) == key;
    };
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (!showsPath(window)) continue;
        QPointer<QMdiSubWindow> guard(window);
        window->close();
        for (int i = 0; i < 20 && guard && guard->isVisible(); ++i)
            QCoreApplication::processEvents();
    }
    for (QMdiSubWindow* window : mdi_->subWindowList())
        if (showsPath(window) && window->isVisible()) return false;
    return true;
}

std::unique_ptr<QMessageBox> MainWindow::createAboutBox() {
    const QString title = QStringLiteral("Info über Lorvan");
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Information, title,
        QStringLiteral("Lorvan\nVersion ") + QString::fromLatin1(kProgramVersion), QMessageBox::Ok, this);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    // The box sizes itself to its two short lines, and the desktop then cuts the title ("In... an").
    // A spacer as wide as the title in bold plus the title bar's icon and buttons keeps it whole.
    if (auto* layout = qobject_cast<QGridLayout*>(box->layout())) {
        const int width = aboutTitleWidth(*box, title);
        layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                        layout->rowCount(), 0, 1, layout->columnCount());
    }
    return box;
}

int MainWindow::aboutTitleWidth(const QWidget& box, const QString& title) {
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // The window icon and the three buttons of the title bar with a little air: room for six
    // buttons, each at least as wide as the bar is high.
    const int button = std::max({box.style()->pixelMetric(QStyle::PM_TitleBarHeight), metrics.height(), 24});
    return metrics.horizontalAdvance(title) + 6 * button;
}

void MainWindow::showAbout() {
    createAboutBox()->exec();
}

void MainWindow::runCommand(MenuCommand command) {
    DocumentView* view = activeDocument();
    if (view != nullptr && view->servesCommand(command))
        view->runOwnCommand(command);
    else
        commands_.run(command);
    updateActions();
}

} // namespace lorvan
