#include "gui/common/dialog_with_cancel.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace lorvan {

namespace {

constexpr const char* kWatchedProperty = "lorvanChangeWatched";

} // namespace

CDialogWithCancel::CDialogWithCancel(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {}

void CDialogWithCancel::watch(QWidget* root) {
    watchField(root);
    for (QWidget* child : root->findChildren<QWidget*>())
        watchField(child);
}

void CDialogWithCancel::watchField(QWidget* field) {
    if (field->property(kWatchedProperty).toBool()) return;
    bool watched = true;
    // Only what the user does counts: textEdited, activated and clicked are not sent for values the
    // dialog sets itself.
    if (auto* edit = qobject_cast<QLineEdit*>(field)) {
        // The text part of a spin box or an editable choice is watched through its owner.
        if (qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) != nullptr ||
            qobject_cast<QComboBox*>(edit->parentWidget()) != nullptr)
            return;
        connect(edit, &QLineEdit::textEdited, this, &CDialogWithCancel::markChanged);
    } else if (auto* choice = qobject_cast<QComboBox*>(field)) {
        connect(choice, &QComboBox::activated, this, &CDialogWithCancel::markChanged);
        if (QLineEdit* text = choice->lineEdit())
            connect(text, &QLineEdit::textEdited, this, &CDialogWithCancel::markChanged);
    } else if (qobject_cast<QCheckBox*>(field) != nullptr || qobject_cast<QRadioButton*>(field) != nullptr) {
        connect(static_cast<QAbstractButton*>(field), &QAbstractButton::clicked, this,
                &CDialogWithCancel::markChanged);
    } else if (auto* spin = qobject_cast<QSpinBox*>(field)) {
        connect(spin, &QSpinBox::valueChanged, this, &CDialogWithCancel::markChanged);
    } else if (auto* doubleSpin = qobject_cast<QDoubleSpinBox*>(field)) {
        connect(doubleSpin, &QDoubleSpinBox::valueChanged, this, &CDialogWithCancel::markChanged);
    } else {
        watched = false;
    }
    if (watched) field->setProperty(kWatchedProperty, true);
}

void CDialogWithCancel::accept() {
    if (acceptData()) QDialog::accept();
}

void CDialogWithCancel::reject() {
    // QDialog::closeEvent (the window's close button) and Escape both end up here.
    switch (guard_.closeRequest(prompter_, [this] { return acceptData(); })) {
    case CloseDecision::Accepted:
        QDialog::accept();
        break;
    case CloseDecision::Discard:
        QDialog::reject();
        break;
    case CloseDecision::KeepOpen:
        break;
    }
}

} // namespace lorvan
