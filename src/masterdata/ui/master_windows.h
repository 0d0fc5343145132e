#pragma once

#include "app/application.h"
#include "app/work_areas.h"
#include "gui/common/desktop.h"
#include "gui/common/document_view.h"
#include "gui/common/qt_platform.h"
#include "platform/prompter.h"
#include "yearfile/document_base.h"

#include <QString>

#include <string>

namespace lorvan {

// How the master-file windows read and save their file: the desktop's questions and messages, the
// data directory for the version backup.
inline StorageContext masterStorage(Desktop& desktop) {
    return StorageContext{&desktop.prompter(), desktop.app().dataDirectory(), nullptr, nullptr};
}

// The work area of a master file: the command's plan decides (a refusal shows its message); an open
// window of the file (its path compared without regard to case) is activated, otherwise a new one
// reads the file and opens at its remembered size. The window, or nullptr.
template <class Window, class List>
DocumentView* openMasterWindow(Desktop& desktop, WorkAreaCommand command, List* list) {
    const WorkAreaPlan plan = desktop.app().planCommand(command);
    if (plan.action != WorkAreaPlan::Action::OpenWindow) {
        if (!plan.message.empty()) desktop.prompter().warn(plan.message);
        return nullptr;
    }
    for (DocumentView* view : desktop.documents()) {
        auto* open = qobject_cast<Window*>(view);
        if (open != nullptr && toQt(open->path()).compare(toQt(plan.path), Qt::CaseInsensitive) == 0) {
            desktop.activateDocument(open);
            return open;
        }
    }
    auto* window = new Window(desktop, plan.path, list);
    if (!window->open()) {
        delete window;
        return nullptr;
    }
    desktop.addDocument(window, plan.view);
    return window;
}

} // namespace lorvan
