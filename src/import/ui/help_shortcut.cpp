#include "import/ui/help_shortcut.h"

#include "app/help_topics.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QShortcut>

#include <memory>

namespace lorvan {

void addHelpShortcut(QWidget* window, int topic) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), window);
    auto prompter = std::make_shared<QtPrompter>(window);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, topic, prompter] {
        auto* help = window->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (help == nullptr) {
            const std::string executableDirectory = fromQt(QCoreApplication::applicationDirPath());
            help = new HelpWindow(HelpTopics::load(helpDirectory(executableDirectory).value_or(std::filesystem::path())),
                                  *prompter, window);
            help->setWindowFlag(Qt::Window);
        }
        help->show();
        help->showTopic(topic);
    });
}

} // namespace lorvan
