#pragma once

#include <functional>

class QBoxLayout;
class QDialog;
class QDialogButtonBox;
class QWidget;

namespace lorvan {

// Small pieces the document windows share.

// Puts content into a frameless scroll area that fills view: a window smaller than designed scrolls,
// a larger one grows the content. Returns content.
QWidget* placeInScrollArea(QWidget* view, QWidget* content);

// Enter on list works like a double-click (activate), the Delete key deletes (remove).
void onListKeys(QWidget* list, std::function<void()> activate, std::function<void()> remove);

// The closing buttons of a window on a file: "&Speichern + Schliessen" and "Abbrechen", added to row.
void addSaveAndCancelButtons(QBoxLayout* row, QWidget* receiver, std::function<void()> saveAndClose,
                             std::function<void()> cancel);

// The buttons "OK" and "Abbrechen" of a dialog, wired to its accept and reject, added to layout.
QDialogButtonBox* addOkCancelButtons(QBoxLayout* layout, QDialog* dialog);

} // namespace lorvan
