#include "yearsettings/ui/file_settings_commands.h"

#include "app/application.h"
#include "app/command_table.h"
#include "app/open_year_file.h"
#include "gui/common/desktop.h"
#include "gui/common/document_view.h"
#include "yearsettings/file_settings_environment.h"
#include "yearsettings/ui/file_settings_window.h"

namespace lorvan {

bool editFileSettings(Desktop& desktop, OpenYearFile& file) {
    CLorvanApp& app = desktop.app();
    FileSettingsDialog model(file.document.settings(), file.document.needsFileName(),
                             fileSettingsEnvironment(app.dataDirectory(), desktop.clock()));
    FileSettingsWindow window(model, desktop.prompter(), app.dataDirectory(), false, desktop.dialogParent());
    if (window.exec() != QDialog::Accepted) return false;
    const CEinst before = file.document.settings();
    model.applyTo(file.document);
    const CEinst& after = file.document.settings();
    if (!file.document.needsFileName() && (before.name != after.name || before.year != after.year)) {
        const StorageContext storage{&desktop.prompter(), app.dataDirectory(), &app.recentFiles(), nullptr};
        file.document.syncPath(storage);
        file.path = file.document.path();
    } else if (file.document.needsFileName()) {
        file.path = fullYearFilePath(app.dataDirectory(), after.name, after.year);
    }
    desktop.settingsChanged();
    return true;
}

bool runNewFileSettings(Desktop& desktop, CLorvanDoc& document) {
    CLorvanApp& app = desktop.app();
    FileSettingsDialog model(document.settings(), true, fileSettingsEnvironment(app.dataDirectory(), desktop.clock()));
    FileSettingsWindow window(model, desktop.prompter(), app.dataDirectory(), true, desktop.dialogParent());
    if (window.exec() != QDialog::Accepted) return false;
    document.settings() = model.result();
    document.setModified();
    return true;
}

void registerFileSettingsCommands(Desktop& desktop) {
    desktop.commands().add(
        MenuCommand::FileSettings,
        [&desktop] {
            DocumentView* view = desktop.activeDocument();
            if (view != nullptr && view->file()) editFileSettings(desktop, *view->file());
        },
        [&desktop] {
            const DocumentView* view = desktop.activeDocument();
            return view != nullptr && view->file() != nullptr;
        });
}

} // namespace lorvan
