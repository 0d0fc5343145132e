#pragma once

#include "app/web_pages.h"
#include "output/spreadsheet_launch.h"
#include "platform/prompter.h"

#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QIcon;
class QString;
class QWidget;

namespace lorvan {

class IoSelect;

// The message boxes of the desktop: the exact German texts, the buttons "Ja", "Nein", "Abbrechen"
// and "OK", the window title "Lorvan".
class QtPrompter final : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    void error(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    Answer askYesNoCancel(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;

  private:
    QWidget* parent_;
};

// Starts the spreadsheet program detached from this one. A failure is told in plain German ("Das
// Programm xdg-open ist nicht installiert."), never in the system's words.
class QtProgramRunner final : public ProgramRunner {
  public:
    std::string start(const std::vector<std::string>& command) override;
};

// The desktop's web browser through QDesktopServices.
class QtWebBrowser final : public WebBrowser {
  public:
    bool open(const std::string& address) override;
};

// The file or directory selection on QFileDialog (the toolkit's own dialog, not the desktop's):
// title, confirm button, filters and start place of the selection; the list of files in detail
// form with columns wide enough for their German texts. Not yet shown.
std::unique_ptr<QFileDialog> createIoSelectDialog(QWidget* parent, const IoSelect& selection);
// Runs that dialog: the chosen path as the selection returns it, or nothing when cancelled.
std::optional<std::string> runIoSelect(QWidget* parent, const IoSelect& selection);

// The program's icon: a clock face on a calendar sheet, drawn at the sizes the desktop asks for.
QIcon programIcon();

QString toQt(const std::string& utf8);
std::string fromQt(const QString& text);

} // namespace lorvan
