#pragma once

#include "logbook/trip_assistant.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace lorvan {

class TripDialog;
class TripListWidget;

// "Übernahme der Fahrten ins Fahrtenbuch": the trips of one day for the current vehicle with the
// last trip of its logbook, the vehicle choice, the day, and the commands of the assistant. The
// window only shows what the TripAssistant holds and passes every command to it.
class TripAssistantWindow final : public QDialog {
    Q_OBJECT
  public:
    TripAssistantWindow(TripAssistant& assistant, QWidget* parent = nullptr);

    TripListWidget* tripList() const { return list_; }
    QComboBox* vehicleChoice() const { return vehicle_; }

  private:
    void refresh();
    void step(AssistantStep result);

    TripAssistant& assistant_;
    QLineEdit* day_;
    QComboBox* vehicle_;
    QLineEdit* lastAt_;
    QLineEdit* lastKilometres_;
    QLineEdit* lastStreet_;
    QLineEdit* lastPlace_;
    TripListWidget* list_;
    bool filling_ = false;
};

// Opens the assistant for the day (its opening messages first; nothing opens when it refuses).
// editTrip empty: the window's own trip dialog.
void runTripAssistant(QWidget* parent, const CTagDoc& day, TripAssistantServices services);

} // namespace lorvan
