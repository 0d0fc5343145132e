#pragma once

#include "entry/time_line_entry.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lorvan {

class CACEdit;
class CLorvanApp;
class HelpWindow;
class Prompter;

// What the buttons "Öff&nen..." and "Öf&fnen..." run: "Kunde bearbeiten" / "Dienstleistung
// bearbeiten" for the typed text, through the master-data flows. The desktop sets them once (the entry
// windows do not know the master-data windows); each returns the text the field takes afterwards, or
// nothing to keep it. Without them the buttons do nothing.
struct MasterDataEditors {
    std::function<std::optional<std::string>(QWidget* parent, std::string_view text)> customer;
    std::function<std::optional<std::string>(QWidget* parent, std::string_view name, int32_t costKind,
                                             double costAmount)>
        service;
};
void setMasterDataEditors(MasterDataEditors editors);

// "Arbeitszeit eingeben" on its model: every input goes to the TimeLineEntry, which decides what the
// fields show. Enter moves to the next field (except on the buttons); OK runs the model's checks and
// closes only when they pass, else the field the model names gets the focus. Shift+F1 shows the help.
class TimeLineDialog final : public QDialog {
    Q_OBJECT
  public:
    TimeLineDialog(TimeLineEntry& model, Prompter& prompter, const std::vector<std::string>& customerNames,
                   const std::vector<std::string>& serviceNames, QWidget* parent = nullptr);

    QWidget* fieldWidget(LineField field) const;
    QCheckBox* fixedBox(TimeField field) const { return fixed_.at(static_cast<size_t>(field)); }
    QPushButton* completeButton() const { return complete_; }
    QPushButton* customerButton() const { return openCustomer_; }
    QPushButton* serviceButton() const { return openService_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* costLabel() const { return costLabel_; }
    QLabel* standbyLabel() const { return standbyLabel_; }

    void accept() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void commitKind();
    void showModel();
    void showLabels();
    void showHelp();
    LineField focusedField() const;

    TimeLineEntry& model_;
    Prompter& prompter_;
    QComboBox* kind_;
    QLineEdit* customer_;
    QLineEdit* service_;
    std::array<QLineEdit*, 3> times_{};
    std::array<QCheckBox*, 3> fixed_{};
    QLineEdit* pause_;
    QComboBox* costKind_;
    QLineEdit* costAmount_;
    QLabel* costLabel_;
    QLabel* standbyLabel_;
    QLineEdit* remark_;
    std::array<QLineEdit*, 3> calculations_{};
    QComboBox* vehicle_;
    QLineEdit* odometerAfter_;
    QLineEdit* kilometresDriven_;
    std::array<QWidget*, 6> vehicleRow_{};
    QPushButton* openCustomer_;
    QPushButton* openService_;
    QPushButton* complete_;
    QPushButton* ok_;
    QPushButton* cancel_;
    CACEdit* customerCompletion_;
    CACEdit* serviceCompletion_;
    HelpWindow* help_ = nullptr;
};

// The entry point of the day entry: the dialog on a copy of the line, with the app's cached customer
// and service lists. True on OK, with the line updated; the line is untouched after Cancel.
bool editTimeLine(QWidget* parent, CLorvanApp& app, Prompter& prompter, CZeitZeile& line, bool isFirstNewLine,
                  bool monthClosed);

} // namespace lorvan
