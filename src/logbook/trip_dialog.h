#pragma once

#include "logbook/logbook_file.h"
#include "logbook/trip_check.h"

#include <string>

// The dialog "Fahrtenbuch-Eintrag" as a model: the fields of one trip, the coupling of the new
// reading and the driven kilometres, the start date that moves the end date along, and OK.
namespace lorvan {

class CustomerList;
class LogbookWordLists;
class Prompter;

// What the dialog shows besides the trip, and what OK checks it against.
struct TripDialogSetup {
    std::string vehicle;            // the vehicle's plate and description (tripVehicleText)
    std::string startLocation;      // "Letzter Standort"
    TripCheckContext check;         // the previous reading, the year, today, the trips around
    bool readOnly = false;          // an old trip or a closed logbook: every field and OK disabled
    LogbookWordLists* words = nullptr;   // extended on OK; may be null
    CustomerList* customers = nullptr;   // for a person that begins with a digit; may be null
};

class TripDialog {
  public:
    TripDialog(CFahrtDoc trip, TripDialogSetup setup);

    const CFahrtDoc& trip() const { return trip_; }
    const TripDialogSetup& setup() const { return setup_; }
    bool readOnly() const { return setup_.readOnly; }

    // "Fahrzeug", "Letzter Standort", the previous "Kilometerstand" ("%.1f" with a comma).
    const std::string& vehicleText() const { return setup_.vehicle; }
    const std::string& startLocationText() const { return setup_.startLocation; }
    std::string previousKilometresText() const;
    // "STORNIERT" for a cancelled trip (shown in bold), else empty.
    std::string statusText() const;

    // The text of a field (the kilometre fields with a decimal comma; Kind gives the kind letter).
    std::string text(TripField field) const;
    // Puts a typed text into a field; false (nothing changes) when the dialog is read-only or the
    // field is Kind. A start date that equalled the end date takes the end date along.
    bool setText(TripField field, const std::string& text);
    TripKind kind() const { return trip_.kind(); }
    bool setKind(TripKind kind);

    // Leaving a field: leaving "Kilometerstand (neu)" sets the driven kilometres to new - previous
    // reading (one decimal), or 0 when the new reading is not above the previous one; leaving
    // "Gefahrene Kilometer" with a value above 0 sets the new reading to previous + driven.
    void leave(TripField field);

    // OK: checkTrip; a failure is shown and its field returned. On success a person that begins
    // with a digit is looked up as a customer number (name, street and place taken over; without
    // such a customer the customer name is cleared), the times are written in their canonical form,
    // the texts go into the word lists, and TripField::None is returned.
    TripField confirm(Prompter& prompter);

  private:
    // The new reading less the previous one (one decimal), or 0 when it is not above it.
    std::string drivenText() const;

    CFahrtDoc trip_;
    TripDialogSetup setup_;
    std::string kilometresText_;
    std::string drivenText_;
};

// A number typed with a decimal comma or point; 0 for a text that is no number.
double kilometresOf(const std::string& text);

// "Fahrzeug" of the dialog: the plate, followed by " - " and the description when there is one.
std::string tripVehicleText(const std::string& plate, const std::string& description);

// A person that begins with a digit is looked up as a customer number: the customer's name, street
// and place are taken over (an empty street or place of the customer keeps the trip's). The customer
// name is cleared first.
void lookUpCustomer(CFahrtDoc& trip, CustomerList* customers);

// Runs the trip dialog: true for OK (the dialog's confirm passed), false for cancel.
class TripDialogRunner {
  public:
    virtual ~TripDialogRunner() = default;
    virtual bool run(TripDialog& dialog) = 0;
};

} // namespace lorvan
