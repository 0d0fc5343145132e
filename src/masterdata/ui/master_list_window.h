#pragma once

#include "gui/common/document_view.h"
#include "masterdata/customer_window.h"

#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QMenu;
class QPushButton;
class QTreeWidget;
class QVBoxLayout;

namespace lorvan {

class Desktop;

// What "Kunden verwalten" and "Dienstleistungen verwalten" share: a window on a master file (no year
// file, the menu bar without document) with the list, "&Neu...", the list's context menu "Liste",
// "&Speichern + Schliessen" and "Abbrechen". The rules are the core window's (CustomerWindow,
// ServiceWindow); this class maps them to the widgets: the rows and the selection after each
// command, a beep when a command needs a row and none is selected, and the close question before the
// window goes (Cancel keeps it).
class MasterListWindow : public DocumentView {
    Q_OBJECT
  public:
    QTreeWidget* list() const { return list_; }
    QPushButton* newButton() const { return newButton_; }
    QPushButton* saveAndCloseButton() const { return saveAndCloseButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // The master file the window shows.
    virtual const std::string& path() const = 0;

    ActiveView viewKind() const override { return ActiveView::Other; }
    MenuBarKind menuBarKind() const override { return MenuBarKind::NoDocument; }
    QSize designedSize() const override { return designedSize_; }
    QWidget* focusTarget() override;

    // The commands of the buttons, keys and the context menu.
    void createEntry();
    void editSelected();
    void deleteSelected();
    // "&Speichern + Schliessen": closes the window once the file is saved.
    void saveAndClose();
    // "Abbrechen": closes the window after the close question.
    void cancel();

    // The list's context menu "Liste" (the caller owns it).
    QMenu* createListMenu();

  protected:
    MasterListWindow(Desktop& desktop, const QString& title, std::span<const MasterListColumn> columns,
                     const QString& newButtonText, QWidget* parent);

    // Where a window puts its own fields between the list and the buttons.
    QVBoxLayout* extrasLayout() const { return extras_; }
    // Lays the window out for at least this size (and the size its fields and columns need).
    void setDesignedSize(QSize size);
    // Shows the core window's rows and selection.
    void showRows();

    virtual std::vector<std::vector<std::string>> rowTexts() const = 0;
    virtual std::optional<size_t> logicSelection() const = 0;
    virtual void selectInLogic(std::optional<size_t> row) = 0;
    virtual MasterListCommand runCreate() = 0;
    virtual MasterListCommand runEdit() = 0;
    virtual MasterListCommand runDelete() = 0;
    virtual bool runSaveAndClose() = 0;
    virtual bool runMayClose() = 0;
    // Columns shown right-aligned (amounts).
    virtual bool alignRight(size_t column) const {
        (void)column;
        return false;
    }

    void closeEvent(QCloseEvent* event) override;

    Desktop& desktop_;

  private:
    void after(MasterListCommand result);
    void fitColumns();
    void closeWindow();

    QWidget* content_;
    QTreeWidget* list_;
    QVBoxLayout* extras_;
    QPushButton* newButton_;
    QPushButton* saveAndCloseButton_;
    QPushButton* cancelButton_;
    QSize designedSize_;
    std::vector<int> columnWidths_; // the designed widths; a column grows beyond when its texts need it
    // Set while the rows are shown, so that filling the list does not count as choosing a row.
    bool filling_ = false;
};

} // namespace lorvan
