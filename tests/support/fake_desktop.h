#pragma once

#include "app/application.h"
#include "app/open_year_file.h"
#include "app/command_table.h"
#include "gui/common/desktop.h"
#include "gui/common/document_view.h"
#include "masterdata/open_documents.h"
#include "platform/clock.h"
#include "platform/program_runner.h"
#include "platform/user_store.h"
#include "support/gui_fixture.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "yearfile/document_base.h"

#include <QApplication>
#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace lorvan::test {

// The desktop a window sees, without the main window: a data directory with copies of the demo's
// files named (of 15 June 2026), the scripted prompter, today 15 June 2026, and document windows shown
// on their own at their designed size. Year files are written for real, with the change check, as the
// main window writes them.
class FakeDesktop final : public Desktop {
  public:
    explicit FakeDesktop(std::initializer_list<const char*> demoFiles) {
        std::filesystem::create_directories(dataDirectory());
        for (const char* name : demoFiles)
            std::filesystem::copy_file(demoDataDirectory() + name, dataDirectory() + name);
        app_.setDataDirectory(dataDirectory());
    }
    ~FakeDesktop() override {
        for (const QPointer<DocumentView>& view : views_)
            delete view.data();
    }

    std::string dataDirectory() const { return home_.path().string() + "/data/"; }
    ScriptedPrompter& scripted() { return prompter_; }

    QWidget* dialogParent() override { return nullptr; }
    CLorvanApp& app() override { return app_; }
    Prompter& prompter() override { return prompter_; }
    const Clock& clock() const override { return clock_; }
    ProgramRunner& runner() override { return runner_; }
    QPrinter& printer() override { return printer_; }
    std::string& lastPrintFile() override { return lastPrintFile_; }
    std::string exportFolder() const override { return home_.path().string(); }
    CommandTable& commands() override { return commands_; }

    DocumentView* activeDocument() const override { return active_; }
    // The windows still shown.
    std::vector<DocumentView*> documents() const override {
        std::vector<DocumentView*> shown;
        for (const QPointer<DocumentView>& view : views_)
            if (view && view->isVisible()) shown.push_back(view.data());
        return shown;
    }
    void addDocument(DocumentView* view, int32_t viewNumber) override {
        views_.emplace_back(view);
        viewNumbers_.push_back(viewNumber);
        view->resize(view->designedSize());
        view->show();
        active_ = view;
    }
    void activateDocument(DocumentView* view) override {
        active_ = view;
        ++activations_;
    }
    void fileOpened(const std::string&) override {}
    bool saveYearFile(OpenYearFile& file) override {
        StorageContext context{&prompter_, app_.dataDirectory(), nullptr, nullptr};
        if (!file.document.save(file.path, true, context)) return false;
        file.document.setModified(false);
        return true;
    }
    DocumentView* openYearFileWindow(const std::string&) override { return nullptr; }
    // Closes the windows shown here whose file is the path (letter case ignored).
    OpenDocuments& openDocuments() override { return windows_; }
    void settingsChanged() override {
        for (DocumentView* view : documents())
            view->settingsChanged();
    }
    void updateCommands() override {}

    const std::vector<int32_t>& viewNumbers() const { return viewNumbers_; }
    int activations() const { return activations_; }

  private:
    class ShownWindows final : public OpenDocuments {
      public:
        explicit ShownWindows(FakeDesktop& desktop) : desktop_(desktop) {}
        bool closeWindowsOf(const std::string& path) override {
            const QString wanted = QString::fromStdString(path).toLower();
            bool allClosed = true;
            for (const QPointer<DocumentView>& view : desktop_.views_) {
                if (view.isNull() || QString::fromStdString(view->documentPath()).toLower() != wanted) continue;
                if (!view->close()) allClosed = false;
            }
            return allClosed;
        }

      private:
        FakeDesktop& desktop_;
    };

    class NoPrograms final : public ProgramRunner {
      public:
        std::string start(const std::vector<std::string>&) override { return "nicht gestartet"; }
    };

    TempDir home_;
    IniUserStore store_{home_.file("config/Lorvan.conf")};
    ScriptedPrompter prompter_;
    CLorvanApp app_{store_, prompter_};
    FixedClock clock_{Datum{15, 6, 2026}};
    NoPrograms runner_;
    QPrinter printer_;
    std::string lastPrintFile_;
    CommandTable commands_;
    ShownWindows windows_{*this};
    std::vector<QPointer<DocumentView>> views_;
    std::vector<int32_t> viewNumbers_;
    DocumentView* active_ = nullptr;
    int activations_ = 0;
};

} // namespace lorvan::test
