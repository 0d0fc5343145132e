#pragma once

#include "app/dialog_change.h"

#include <QDialog>

namespace lorvan {

class Prompter;

// A dialog that asks before it drops edits. Every edit in a watched field (text fields, choices,
// check boxes, spin boxes) and every entry taken from a completion list (markChanged()) sets the
// changed flag. Cancel, Escape and the window's close button go through reject(), which asks
// "Es wurden Daten geändert. ..." when the flag is set; OK goes through accept(), which closes only
// when acceptData() takes the data.
class CDialogWithCancel : public QDialog {
    Q_OBJECT
  public:
    explicit CDialogWithCancel(Prompter& prompter, QWidget* parent = nullptr);

    bool changed() const { return guard_.changed(); }

    // Connects the edit signals of root and of every field inside it to markChanged(). Call it after
    // the fields were filled, so that filling them counts as no change; a field is connected once.
    void watch(QWidget* root);

  public slots:
    void markChanged() { guard_.markChanged(); }
    void accept() override;
    void reject() override;

  protected:
    // The dialog's OK handling: checks the fields (showing what fails) and takes the data. False
    // keeps the dialog open.
    virtual bool acceptData() = 0;
    void clearChanged() { guard_.clearChanged(); }
    Prompter& prompter() const { return prompter_; }

  private:
    void watchField(QWidget* field);

    Prompter& prompter_;
    DialogChangeGuard guard_;
};

} // namespace lorvan
