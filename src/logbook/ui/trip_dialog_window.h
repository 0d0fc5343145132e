#pragma once

#include "logbook/trip_dialog.h"

#include <QDialog>

#include <map>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lorvan {

class Prompter;

// "Fahrtenbuch-Eintrag" on the plain TripDialog: the vehicle, "Letzter Standort" and the previous
// "Kilometerstand" above the fields of the trip; "Firma / Person", "Straße", "Ort", "Zweck der Fahrt"
// and "Fahrer" complete from the logbooks' word lists; leaving "Kilometerstand (neu)" or "Gefahrene
// Kilometer" fills the other one; a cancelled trip shows "STORNIERT" in bold; a trip that can no
// longer be changed shows every field read-only and no OK. OK runs the dialog's checks and keeps the
// window open with the focus on the field that failed.
class TripDialogWindow final : public QDialog {
    Q_OBJECT
  public:
    TripDialogWindow(TripDialog& dialog, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* field(TripField which) const;
    QRadioButton* kindButton(TripKind kind) const;
    QLabel* statusLabel() const { return status_; }
    QPushButton* okButton() const { return ok_; }

    void accept() override;

  private:
    QLineEdit* addField(TripField which);
    void edited(TripField which, const QString& text);
    void left(TripField which);
    // Shows the dialog's texts in the fields (after it moved one along).
    void showTexts();

    TripDialog& dialog_;
    Prompter& prompter_;
    std::map<TripField, QLineEdit*> fields_;
    QButtonGroup* kinds_;
    QLabel* status_;
    QPushButton* ok_;
    bool filling_ = false;
};

// Runs "Fahrtenbuch-Eintrag" modally: true for OK (the dialog's checks passed).
bool runTripDialogWindow(QWidget* parent, TripDialog& dialog, Prompter& prompter);

// The trip dialog runner of the logbook window.
class QtTripDialogRunner final : public TripDialogRunner {
  public:
    QtTripDialogRunner(QWidget* parent, Prompter& prompter) : parent_(parent), prompter_(prompter) {}
    bool run(TripDialog& dialog) override { return runTripDialogWindow(parent_, dialog, prompter_); }

  private:
    QWidget* parent_;
    Prompter& prompter_;
};

} // namespace lorvan
