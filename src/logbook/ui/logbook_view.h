#pragma once

#include "gui/common/document_view.h"
#include "logbook/logbook_print.h"
#include "logbook/logbook_window.h"

#include <functional>
#include <memory>
#include <string>

class QLineEdit;
class QPushButton;

namespace lorvan {

class CHyperlink;
class Desktop;
class Surface;
class TripListWidget;

// The window of one vehicle's logbook of a year ("Fahrtenbuch", CTwFahrtenbuchView), a window on
// the ".fb" file: year, plate and description, the start values "Straße", "Ort" and
// "Kilometerstand" (editable while there is no trip), the trip list, "&Neue Fahrt...", the print
// range "Druck vom" / "bis" with "Seiten&ansicht" and "&Druck", the link to the declaration for the
// tax office, "&Speichern + Schliessen" and "Abbrechen". Every rule is LogbookWindow's and
// LogbookPrint's; the window maps the widgets and asks the close question in its closeEvent.
class LogbookView final : public DocumentView {
    Q_OBJECT
  public:
    LogbookView(Desktop& desktop, std::unique_ptr<LogbookWindow> logbook, std::string path);
    ~LogbookView() override;

    LogbookWindow& logbook() { return *logbook_; }
    LogbookPrint& print() { return print_; }
    TripListWidget* tripList() const { return list_; }
    QLineEdit* startField(StartField field) const;
    QLineEdit* printFromField() const { return printFrom_; }
    QLineEdit* printToField() const { return printTo_; }
    QPushButton* newTripButton() const { return newTrip_; }
    CHyperlink* declarationLink() const { return link_; }

    ActiveView viewKind() const override { return ActiveView::Other; }
    MenuBarKind menuBarKind() const override { return MenuBarKind::EmployeeFile; }
    int helpTopic() const override;
    QSize designedSize() const override { return designedSize_; }
    QWidget* focusTarget() override;
    std::string documentPath() const override { return path_; }

    // "Aktuell ausgewählten &Eintrag öffnen..." and "… &löschen" of the menu, and the menu's
    // print and preview (the same as the window's buttons).
    bool servesCommand(MenuCommand command) const override;
    void runOwnCommand(MenuCommand command) override;

    // The commands of the buttons, keys and the context menu.
    void newTrip();
    void editSelected();
    void deleteSelected();
    void showPreview();
    void printLogbookPages();
    void saveAndClose();
    void cancel();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // After any change of the trip list, the print's selection and layout are dropped.
    void dropOutdatedPrint();
    void showTrips();
    void focusStart(StartField field);
    // The period check before a preview or print: the fields filled, the trips gathered anew after
    // any change of the list. False when the print must not start (the focus is on the field).
    bool readyToPrint();
    LogbookPrintInput printInput() const;
    LogbookPrintEnvironment printEnvironment();
    // The report of the period, drawn on each surface the preview or the printer gives.
    std::function<void(Surface&)> drawLogbook();
    std::string printTitle() const;

    Desktop& desktop_;
    std::unique_ptr<LogbookWindow> logbook_;
    std::string path_;
    LogbookPrint print_;
    int32_t printedRevision_ = 0;
    std::string logo_;
    QLineEdit* street_ = nullptr;
    QLineEdit* place_ = nullptr;
    QLineEdit* kilometres_ = nullptr;
    TripListWidget* list_ = nullptr;
    QLineEdit* printFrom_ = nullptr;
    QLineEdit* printTo_ = nullptr;
    QPushButton* newTrip_ = nullptr;
    CHyperlink* link_ = nullptr;
    QSize designedSize_;
};

// The logbook at path in its window: an open window of the path (letter case ignored) is activated;
// otherwise the file is read (or, when missing, the logbook of the current year created). Failures
// are shown; nullptr then.
DocumentView* openLogbookWindow(Desktop& desktop, const std::string& path);

} // namespace lorvan
