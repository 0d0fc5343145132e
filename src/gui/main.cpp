// The desktop program: the main window on the data directory of the per-user store, or on the one
// given with --data DIR for this run (the demo).
#include "app/application.h"
#include "app/document_kinds.h"
#include "app/single_instance.h"
#include "app/start_up.h"
#include "foundation/file_system.h"
#include "gui/common/german_locale.h"
#include "gui/common/qt_platform.h"
#include "gui/event_loop_failure.h"
#include "gui/main_window.h"
#include "gui/single_instance_server.h"
#include "platform/clock.h"
#include "platform/user_store.h"

#include <QApplication>

#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Errors that reach the event loop end the command that raised them, not the program.
class LorvanApplication final : public QApplication {
  public:
    LorvanApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    void setPrompter(lorvan::Prompter* prompter) { prompter_ = prompter; }

    void setCloseDocuments(std::function<void()> closeDocuments) {
        closeDocuments_ = std::move(closeDocuments);
    }

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            if (prompter_ == nullptr) throw;
            if (!lorvan::reportEventLoopFailure(std::current_exception(), *prompter_, closeDocuments_))
                std::exit(-1);
        }
        return false;
    }

  private:
    lorvan::Prompter* prompter_ = nullptr;
    std::function<void()> closeDocuments_;
};

} // namespace

int main(int argc, char** argv) {
    // German whatever the machine's locale, the toolkit's dialogs included.
    const std::unique_ptr<LorvanApplication> applicationObject =
        lorvan::makeGermanApplication<LorvanApplication>(argc, argv);
    LorvanApplication& application = *applicationObject;
    QApplication::setApplicationName(QStringLiteral("Lorvan"));
    QApplication::setOrganizationName(QStringLiteral("TwApps"));
    QApplication::setWindowIcon(lorvan::programIcon());

    std::vector<std::string> arguments;
    std::string dataDirectory;
    const QStringList given = QApplication::arguments();
    for (qsizetype i = 1; i < given.size(); ++i) {
        if (given[i] == QStringLiteral("--data")) {
            if (i + 1 == given.size()) {
                std::cerr << "lorvan: --data braucht ein Verzeichnis.\n";
                return 2;
            }
            dataDirectory = lorvan::fromQt(given[++i]);
        } else {
            arguments.push_back(lorvan::fromQt(given[i]));
        }
    }

    // Year files opened from the desktop while the program runs go to the running program.
    const std::vector<std::string> files = lorvan::handOverFiles(arguments, lorvan::currentDirectory());
    const QString serverName = lorvan::toQt(lorvan::instanceServerName(
        lorvan::fromQt(qEnvironmentVariable("XDG_RUNTIME_DIR")), std::to_string(getuid())));
    if (!files.empty() && lorvan::InstanceServer::handOver(serverName, lorvan::encodeHandOver(files)))
        return 0;

    lorvan::IniUserStore store(lorvan::IniUserStore::defaultPathOfProcess());
    lorvan::QtPrompter prompter;
    application.setPrompter(&prompter);
    lorvan::CLorvanApp app(store, prompter);
    lorvan::SystemClock clock;
    lorvan::QtProgramRunner runner;
    lorvan::MainWindow window(app, lorvan::UserEnvironment::ofProcess(), clock, prompter, runner);
    prompter.setParent(&window);
    application.setCloseDocuments([&window] { window.closeAllDocuments(); });
    window.placeOnScreen();
    window.show();

    // Only the first program of the user serves; a second one without files runs on its own.
    lorvan::InstanceServer server;
    server.listen(serverName);
    QObject::connect(&server, &lorvan::InstanceServer::filesHandedOver, &window,
                     [&window](const std::vector<std::string>& paths) {
                         for (const std::string& path : paths)
                             window.openYearFile(path);
                         window.raise();
                         window.activateWindow();
                     });

    if (!dataDirectory.empty()) {
        // This run only: the stored data directory stays as it is.
        if (dataDirectory.back() != '/') dataDirectory += '/';
        if (lorvan::parseBuildSwitch(arguments, prompter)) app.setBuildSwitch(true);
        app.setDataDirectory(dataDirectory);
        app.loadSettings(dataDirectory, true);
        window.openWorkArea(app.openWorkArea(lorvan::kViewEmployees, true));
    } else if (!lorvan::runStartUp(app, arguments, window)) {
        return 0;
    }
    // Started from the desktop with year files: they open as if handed over.
    for (const std::string& path : files)
        window.openYearFile(path);
    return QApplication::exec();
}
