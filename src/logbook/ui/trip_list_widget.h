#pragma once

#include "logbook/logbook_window.h"

#include <QTreeWidget>

#include <vector>

namespace lorvan {

// The trip list of the logbook window and of the trip assistant: the columns "Art", "Start", "nach",
// "Ort", "Kilometerstand", "Ankunft"; the kind column shows the kind letter with an icon per kind, one
// for cancelled trips, and a warning icon for a trip that did not pass its checks. Enter and a double
// click open the selected trip, the Delete key removes it; the context menu offers both.
class TripListWidget final : public QTreeWidget {
    Q_OBJECT
  public:
    explicit TripListWidget(QWidget* parent = nullptr);

    // Shows the rows; valid (when given) marks the trips that passed their checks. Selects `selected`
    // (-1: none).
    void setRows(const std::vector<TripRow>& rows, const std::vector<bool>& valid, int selected);
    // The index of the selected row; -1 without selection.
    int selectedRow() const;

  signals:
    void openRequested(int row);
    void deleteRequested(int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace lorvan
