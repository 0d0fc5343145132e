#pragma once

#include "masterdata/customer_dialog.h"

#include <QDialog>

#include <map>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace lorvan {

class Prompter;

// "Kunde bearbeiten" on its model: every input goes into the model at once, the texts stop at their
// limits while they are typed, and OK runs the model's checks (the message, then the focus on the
// field it names; the dialog stays open).
class CustomerDialogWindow final : public QDialog {
    Q_OBJECT
  public:
    CustomerDialogWindow(CustomerDialog& model, Prompter& prompter, QWidget* parent = nullptr);

    // The widget of a field: a QLineEdit, the QPlainTextEdit of the notes or the QCheckBox.
    QWidget* fieldWidget(CustomerField field) const;

    void accept() override;

  private:
    void notesEdited();

    CustomerDialog& model_;
    Prompter& prompter_;
    QLineEdit* number_;
    std::map<CustomerField, QLineEdit*> lines_;
    QPlainTextEdit* notes_;
    QCheckBox* printNotes_;
};

// What the desktop gives the customer flows to show "Kunde bearbeiten".
class QtCustomerDialogRunner final : public CustomerDialogRunner {
  public:
    QtCustomerDialogRunner(QWidget* parent, Prompter& prompter) : parent_(parent), prompter_(prompter) {}
    bool run(CustomerDialog& dialog) override;

  private:
    QWidget* parent_;
    Prompter& prompter_;
};

} // namespace lorvan
