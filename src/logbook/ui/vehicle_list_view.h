#pragma once

#include "gui/common/document_view.h"
#include "logbook/vehicle_list.h"

#include <QDialog>

#include <memory>
#include <string>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace lorvan {

class Desktop;

// "Fahrzeug bearbeiten": "Amtliches Kennzeichen" and "Beschreibung des Fahrzeugs in der Liste".
class VehicleDialogWindow final : public QDialog {
    Q_OBJECT
  public:
    VehicleDialogWindow(const CFahrzDoc& vehicle, QWidget* parent = nullptr);
    QLineEdit* plateField() const { return plate_; }
    QLineEdit* descriptionField() const { return description_; }
    CFahrzDoc vehicle() const;

  private:
    QLineEdit* plate_;
    QLineEdit* description_;
};

// The runner of the vehicle list: the dialog until OK or Abbrechen; OK takes the fields over.
class QtVehicleDialogRunner final : public VehicleDialogRunner {
  public:
    explicit QtVehicleDialogRunner(QWidget* parent) : parent_(parent) {}
    bool run(CFahrzDoc& vehicle) override;

  private:
    QWidget* parent_;
};

// "Fahrzeuge verwalten" (CTwFahrzView), a window on "Daten.fz": the vehicles with "Kennzeichen" and
// "Beschreibung", the year of the logbook to open, new, edit and delete of a vehicle, opening the
// logbook of the selected vehicle (Enter, double click), "&Speichern + Schliessen" and "Abbrechen"
// with the close question. Every rule is VehicleList's.
class VehicleListView final : public DocumentView {
    Q_OBJECT
  public:
    VehicleListView(Desktop& desktop, std::unique_ptr<VehicleList> list);
    ~VehicleListView() override;

    VehicleList& model() { return *list_; }
    QTreeWidget* list() const { return tree_; }
    QSpinBox* yearField() const { return year_; }

    ActiveView viewKind() const override { return ActiveView::Other; }
    MenuBarKind menuBarKind() const override { return MenuBarKind::EmployeeFile; }
    int helpTopic() const override;
    QSize designedSize() const override { return designedSize_; }
    QWidget* focusTarget() override;
    std::string documentPath() const override { return list_->path(); }
    bool servesCommand(MenuCommand command) const override;
    void runOwnCommand(MenuCommand command) override;

    void newVehicle();
    void editVehicle();
    void deleteVehicle();
    // Opens the selected vehicle's logbook of the year field (beeps without a selection).
    void openLogbook();
    void saveAndClose();
    void cancel();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void showRows(const std::string& selectPlate);
    std::string selectedPlate() const;

    Desktop& desktop_;
    std::unique_ptr<VehicleList> list_;
    QTreeWidget* tree_;
    QSpinBox* year_;
    QSize designedSize_;
};

// Opens "Fahrzeuge verwalten" of the data directory, or activates the open one; nullptr when the
// vehicle file cannot be read (the message was shown).
DocumentView* openVehicleListWindow(Desktop& desktop);

} // namespace lorvan
