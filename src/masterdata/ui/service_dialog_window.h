#pragma once

#include "masterdata/service_dialog.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QRadioButton;

namespace lorvan {

class Prompter;

// "Dienstleistung bearbeiten" on its model: the name, the three cost kinds as radio buttons and the
// amount, which takes input only for the fixed kinds (the hourly wage empties it). OK runs the
// model's checks: the message, then the focus on the field it names.
class ServiceDialogWindow final : public QDialog {
    Q_OBJECT
  public:
    ServiceDialogWindow(ServiceDialog& model, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* nameField() const { return name_; }
    QRadioButton* kindButton(int32_t kind) const { return kinds_.at(static_cast<size_t>(kind)); }
    QLineEdit* costsField() const { return costs_; }

    void accept() override;

  private:
    void showCosts();

    ServiceDialog& model_;
    Prompter& prompter_;
    QLineEdit* name_;
    std::array<QRadioButton*, 3> kinds_{};
    QLineEdit* costs_;
};

// What the desktop gives the service flows to show "Dienstleistung bearbeiten".
class QtServiceDialogRunner final : public ServiceDialogRunner {
  public:
    QtServiceDialogRunner(QWidget* parent, Prompter& prompter) : parent_(parent), prompter_(prompter) {}
    bool run(ServiceDialog& dialog) override;

  private:
    QWidget* parent_;
    Prompter& prompter_;
};

} // namespace lorvan
