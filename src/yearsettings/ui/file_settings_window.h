#pragma once

#include "yearsettings/year_file_settings.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QTabWidget;
class QWidget;

namespace lorvan {

class HelpWindow;
class Prompter;

// "Einstellungen der aktuellen Datei" on its model: one tab per page of the model, every box with an
// action runs the model's action and the fields then show what the model holds. Leaving a tab runs
// that page's checks; OK runs all of them and closes only when they pass. In the step mode of a new
// year file the tabs are hidden and "< &Zurück", "&Weiter >" and "Fertig stellen" walk the pages.
// Alt+Z, B, S, K, U and A jump to their pages. Shift+F1 shows the help.
class FileSettingsWindow final : public QDialog {
    Q_OBJECT
  public:
    FileSettingsWindow(FileSettingsDialog& model, Prompter& prompter, const std::string& dataDirectory,
                       bool stepMode, QWidget* parent = nullptr);

    FileSettingsDialog& model() { return model_; }
    QTabWidget* tabs() const { return tabs_; }
    // The widget of a field on the current page (the one a failing check focuses).
    QWidget* fieldWidget(size_t page, SettingsField field) const;
    QPushButton* nextButton() const { return next_; }
    QPushButton* okButton() const { return ok_; }

    // Shows page `page` (in step mode the step) without running checks.
    void showPage(size_t page);
    // Leaves the current page for another one when its checks pass.
    bool goToPage(size_t page);

    void accept() override;

  private:
    void rebuild();
    void refresh();
    void updateStep();
    void showFailure(const SettingsFailure& failure);
    void showHelp();
    QWidget* buildPage(size_t page);

    FileSettingsDialog& model_;
    Prompter& prompter_;
    std::string dataDirectory_;
    bool stepMode_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* ok_ = nullptr;
    HelpWindow* help_ = nullptr;
    bool switching_ = false;
    int current_ = 0;
    // Loads every field of the built pages from the model.
    std::vector<std::function<void()>> loaders_;
    // The focus widgets by page and field.
    std::vector<std::vector<std::pair<SettingsField, QWidget*>>> fields_;
};

} // namespace lorvan
