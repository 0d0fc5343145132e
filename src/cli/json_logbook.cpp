#include "cli/json_logbook.h"

#include "cli/json_fields.h"
#include "logbook/logbook_file.h"
#include "logbook/vehicle_file.h"

namespace lorvan::cli {

using nlohmann::json;

json vehicleToJson(const CFahrzDoc& vehicle) {
    return json{{"plate", vehicle.plate}, {"description", vehicle.description}};
}

void vehicleFromJson(const json& object, CFahrzDoc& vehicle, const std::string& context) {
    JsonObjectReader r(object, context);
    r.get("plate", vehicle.plate);
    r.get("description", vehicle.description);
    r.finish();
}

json vehicleFileToJson(const CTwFahrzDoc& doc) {
    json vehicles = json::array();
    for (const auto& [plate, vehicle] : doc.vehicles)
        vehicles.push_back(vehicleToJson(vehicle));
    json presets = json::array();
    for (const auto& [kind, p] : doc.presets)
        presets.push_back(json{{"kind", p.kind}, {"street", p.street}, {"place", p.place}, {"purpose", p.purpose}});
    return json{{"file_kind", "fz"}, {"version", doc.currentVersion()}, {"vehicles", vehicles}, {"presets", presets}};
}

void vehicleFileFromJson(const json& object, CTwFahrzDoc& doc) {
    CTwFahrzDoc result;
    JsonObjectReader r(object, "Daten.fz");
    checkFileKind(r, "fz");
    if (const json* vehicles = r.array("vehicles")) {
        for (size_t i = 0; i < vehicles->size(); ++i) {
            CFahrzDoc vehicle;
            vehicleFromJson((*vehicles)[i], vehicle, elementContext("", "vehicles", i));
            result.put(vehicle);
        }
    }
    if (const json* presets = r.array("presets")) {
        for (size_t i = 0; i < presets->size(); ++i) {
            CFahrtVorbData preset;
            JsonObjectReader pr((*presets)[i], elementContext("", "presets", i));
            pr.get("kind", preset.kind);
            pr.get("street", preset.street);
            pr.get("place", preset.place);
            pr.get("purpose", preset.purpose);
            pr.finish();
            result.putPreset(preset);
        }
    }
    r.finish();
    doc.vehicles = std::move(result.vehicles);
    doc.presets = std::move(result.presets);
}

json tripToJson(const CFahrtDoc& t) {
    return json{{"kind", t.kindValue},
                {"person", t.person},
                {"customer_name", t.customerName},
                {"purpose", t.purpose},
                {"driver", t.driver},
                {"kilometres", t.kilometres},
                {"place", t.place},
                {"street", t.street},
                {"end_date", t.endDate},
                {"start_date", t.startDate},
                {"end_time", t.endTime},
                {"start_time", t.startTime},
                {"status", t.status},
                {"created_status", t.created.status},
                {"created", t.created.days},
                {"created_text", momentText(t.created)}};
}

namespace {

void typedFields(JsonObjectReader& r, CFahrtDoc& t) {
    r.get("kind", t.kindValue);
    r.get("person", t.person);
    r.get("purpose", t.purpose);
    r.get("driver", t.driver);
    r.get("kilometres", t.kilometres);
    r.get("place", t.place);
    r.get("street", t.street);
    r.get("end_date", t.endDate);
    r.get("start_date", t.startDate);
    r.get("end_time", t.endTime);
    r.get("start_time", t.startTime);
}

} // namespace

void typedTripFromJson(const json& object, CFahrtDoc& trip, const std::string& context) {
    JsonObjectReader r(object, context);
    typedFields(r, trip);
    r.finish();
}

json logbookToJson(const CTwFahrtenbuchDoc& doc) {
    json trips = json::array();
    for (const CFahrtDoc& trip : doc.trips)
        trips.push_back(tripToJson(trip));
    return json{{"file_kind", "fb"},
                {"version", doc.currentVersion()},
                {"year", doc.year},
                {"plate", doc.plate},
                {"start_kilometres", doc.startKilometres},
                {"start_place", doc.startPlace},
                {"start_street", doc.startStreet},
                {"closed", doc.closed},
                {"trips", trips}};
}

void logbookFromJson(const json& object, CTwFahrtenbuchDoc& doc) {
    JsonObjectReader r(object, "Fahrtenbuch");
    checkFileKind(r, "fb");
    CTwFahrtenbuchDoc result;
    r.get("year", result.year);
    r.get("plate", result.plate);
    r.get("start_kilometres", result.startKilometres);
    r.get("start_place", result.startPlace);
    r.get("start_street", result.startStreet);
    r.get("closed", result.closed);
    if (const json* trips = r.array("trips")) {
        for (size_t i = 0; i < trips->size(); ++i) {
            CFahrtDoc t;
            JsonObjectReader tr((*trips)[i], elementContext("", "trips", i));
            typedFields(tr, t);
            tr.get("customer_name", t.customerName);
            tr.get("status", t.status);
            tr.get("created_status", t.created.status);
            tr.get("created", t.created.days);
            tr.ignore("created_text");
            tr.finish();
            result.trips.push_back(std::move(t));
        }
    }
    r.finish();
    doc.year = result.year;
    doc.plate = std::move(result.plate);
    doc.startKilometres = result.startKilometres;
    doc.startPlace = std::move(result.startPlace);
    doc.startStreet = std::move(result.startStreet);
    doc.closed = result.closed;
    doc.trips = std::move(result.trips);
}

} // namespace lorvan::cli
