#include "logbook/trip_dialog.h"

#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "logbook/word_lists.h"
#include "masterdata/customer_list.h"
#include "platform/prompter.h"

#include <cmath>
#include <cstdlib>

namespace lorvan {

double kilometresOf(const std::string& text) {
    const std::string point = decimalCommaToPoint(text);
    char* end = nullptr;
    const double value = std::strtod(point.c_str(), &end);
    return std::isfinite(value) ? value : 0.0;
}

std::string tripVehicleText(const std::string& plate, const std::string& description) {
    return description.empty() ? plate : plate + " - " + description;
}

void lookUpCustomer(CFahrtDoc& trip, CustomerList* customers) {
    trip.customerName.clear();
    if (customers == nullptr || trip.person.empty() || trip.person[0] < '0' || trip.person[0] > '9') return;
    const int64_t number = readLeadingInteger(trip.person);
    if (number > INT32_MAX) return;
    const std::optional<CKundeDoc> customer = customers->findByNumber(static_cast<int32_t>(number));
    if (!customer) return;
    trip.customerName = customer->name;
    // An empty address part keeps what passed the checks.
    if (!customer->street.empty()) trip.street = customer->street;
    if (!customer->zipCity.empty()) trip.place = customer->zipCity;
}

TripDialog::TripDialog(CFahrtDoc trip, TripDialogSetup setup)
    : trip_(std::move(trip)), setup_(std::move(setup)) {
    kilometresText_ = kilometresText(trip_.kilometres);
    drivenText_ = drivenText();
}

std::string TripDialog::drivenText() const {
    const double previous = setup_.check.previousKilometres;
    return kilometresText(trip_.kilometres > previous ? roundAmount(trip_.kilometres - previous, 0, 1) : 0.0);
}

std::string TripDialog::previousKilometresText() const {
    return kilometresText(setup_.check.previousKilometres);
}

std::string TripDialog::statusText() const {
    return trip_.cancelled() ? "STORNIERT" : std::string();
}

std::string TripDialog::text(TripField field) const {
    switch (field) {
    case TripField::Person: return trip_.person;
    case TripField::Street: return trip_.street;
    case TripField::Place: return trip_.place;
    case TripField::Purpose: return trip_.purpose;
    case TripField::Driver: return trip_.driver;
    case TripField::Kilometres: return kilometresText_;
    case TripField::DrivenKilometres: return drivenText_;
    case TripField::Kind: return trip_.kindLetter();
    case TripField::StartDate: return trip_.startDate;
    case TripField::StartTime: return trip_.startTime;
    case TripField::EndDate: return trip_.endDate;
    case TripField::EndTime: return trip_.endTime;
    case TripField::None: break;
    }
    return std::string();
}

bool TripDialog::setText(TripField field, const std::string& text) {
    if (setup_.readOnly) return false;
    switch (field) {
    case TripField::Person: trip_.person = text; return true;
    case TripField::Street: trip_.street = text; return true;
    case TripField::Place: trip_.place = text; return true;
    case TripField::Purpose: trip_.purpose = text; return true;
    case TripField::Driver: trip_.driver = text; return true;
    case TripField::Kilometres:
        kilometresText_ = text;
        trip_.kilometres = kilometresOf(text);
        return true;
    case TripField::DrivenKilometres: drivenText_ = text; return true;
    case TripField::StartDate:
        if (trip_.endDate == trip_.startDate) trip_.endDate = text;
        trip_.startDate = text;
        return true;
    case TripField::StartTime: trip_.startTime = text; return true;
    case TripField::EndDate: trip_.endDate = text; return true;
    case TripField::EndTime: trip_.endTime = text; return true;
    case TripField::Kind:
    case TripField::None: break;
    }
    return false;
}

bool TripDialog::setKind(TripKind kind) {
    if (setup_.readOnly) return false;
    trip_.kindValue = static_cast<int32_t>(kind);
    return true;
}

void TripDialog::leave(TripField field) {
    if (setup_.readOnly) return;
    if (field == TripField::Kilometres) {
        drivenText_ = drivenText();
    } else if (field == TripField::DrivenKilometres) {
        const double driven = kilometresOf(drivenText_);
        if (driven > 0.0) {
            trip_.kilometres = roundAmount(setup_.check.previousKilometres + driven, 0, 1);
            kilometresText_ = kilometresText(trip_.kilometres);
        }
    }
}

TripField TripDialog::confirm(Prompter& prompter) {
    if (setup_.readOnly) return TripField::None;
    const TripProblem problem = checkTrip(trip_, setup_.check);
    if (!problem.ok()) {
        prompter.warn(problem.message);
        return problem.field;
    }
    for (std::string* time : {&trip_.startTime, &trip_.endTime})
        normalizeTime(*time, false, true);
    lookUpCustomer(trip_, setup_.customers);
    if (setup_.words) setup_.words->add(trip_);
    return TripField::None;
}

} // namespace lorvan
