#include "cli/json_yearfile.h"

#include "cli/json_fields.h"
#include "cli/json_stream.h"
#include "cli/json_settings.h"
#include "foundation/error.h"
#include "yearfile/year_file.h"

#include <set>
#include <stdexcept>
#include <string>

namespace lorvan::cli {

using nlohmann::json;

json timeLineToJson(const CZeitZeile& line) {
    return json{{"kind", line.kind},
                {"customer", line.customer},
                {"from", line.from},
                {"to", line.to},
                {"duration", line.duration},
                {"duration_text", line.durationText},
                {"remark", line.remark},
                {"pause", line.pause},
                {"from_fixed", line.fromFixed},
                {"to_fixed", line.toFixed},
                {"duration_fixed", line.durationFixed},
                {"calculation_fields", line.calculationFields},
                {"service", line.service},
                {"cost_kind", line.costKind},
                {"cost_amount", line.costAmount},
                {"vehicle", line.vehicle},
                {"kilometres_driven", line.kilometresDriven},
                {"odometer_after", line.odometerAfter}};
}

json dayToJson(const CTagDoc& day) {
    json lines = json::array();
    for (const CZeitZeile& line : day.lines())
        lines.push_back(timeLineToJson(line));
    return json{{"number", day.number()},
                {"further_employees", day.furtherEmployees},
                {"day_kind", day.dayKind},
                {"report_remark", day.reportRemark},
                {"internal_remark", day.internalRemark},
                {"public_holiday", day.publicHoliday},
                {"complete", day.complete},
                {"checked_and_closed", day.checkedAndClosed},
                {"time_lines", lines}};
}

namespace {

json monthToJson(const CMonatDoc& month) {
    json days = json::array();
    for (const auto& [number, day] : month.days())
        days.push_back(dayToJson(day));
    return json{{"number", month.number()},
                {"account_correction", month.accountCorrection},
                {"correction_comment", month.correctionComment},
                {"results_valid", month.resultsValid},
                {"account_change", month.accountChange},
                {"surcharge_hours_overtime_1", month.surchargeHoursOvertime1},
                {"surcharge_hours_overtime_2", month.surchargeHoursOvertime2},
                {"surcharge_hours_night", month.surchargeHoursNight},
                {"surcharge_hours_saturday", month.surchargeHoursSaturday},
                {"surcharge_hours_holiday", month.surchargeHoursHoliday},
                {"surcharge_hours_sunday", month.surchargeHoursSunday},
                {"account_payout", month.accountPayout},
                {"days", days}};
}

// The "number" of a month or day element, which has no default.
int32_t requiredNumber(const json& object, JsonObjectReader& reader) {
    const auto it = object.find("number");
    if (it == object.end() || it->is_null())
        throw LorvanError("Fehlender Schlüssel 'number' in '" + reader.context() + "'.");
    int32_t number = 0;
    reader.get("number", number);
    return number;
}

void readTimeLine(const json& object, const std::string& context, CTagDoc& day) {
    JsonObjectReader r(object, context);
    CZeitZeile& line = day.addLine();
    r.get("kind", line.kind);
    r.get("customer", line.customer);
    r.get("from", line.from);
    r.get("to", line.to);
    r.get("duration", line.duration);
    r.ignore("duration_text");
    r.get("remark", line.remark);
    r.get("pause", line.pause);
    r.get("from_fixed", line.fromFixed);
    r.get("to_fixed", line.toFixed);
    r.get("duration_fixed", line.durationFixed);
    r.get("calculation_fields", line.calculationFields);
    r.get("service", line.service);
    r.get("cost_kind", line.costKind);
    r.get("cost_amount", line.costAmount);
    r.get("vehicle", line.vehicle);
    r.get("kilometres_driven", line.kilometresDriven);
    r.get("odometer_after", line.odometerAfter);
    r.finish();
    line.updateDurationText();
}

// The fields and time lines of a day object into day; "number" is the caller's business.
void readDayContents(JsonObjectReader& r, const std::string& context, CTagDoc& day) {
    r.get("further_employees", day.furtherEmployees);
    r.get("day_kind", day.dayKind);
    r.get("report_remark", day.reportRemark);
    r.get("internal_remark", day.internalRemark);
    r.get("public_holiday", day.publicHoliday);
    r.get("complete", day.complete);
    r.get("checked_and_closed", day.checkedAndClosed);
    if (const json* lines = r.array("time_lines"))
        for (size_t i = 0; i < lines->size(); ++i)
            readTimeLine((*lines)[i], elementContext(context, "time_lines", i), day);
}

void readDay(const json& object, const std::string& context, CMonatDoc& month) {
    JsonObjectReader r(object, context);
    const int32_t number = requiredNumber(object, r);
    if (month.day(number))
        throw LorvanError("Doppelte Tagesnummer " + std::to_string(number) + " in '" + context + "'.");
    CTagDoc* created = nullptr;
    try {
        created = &month.addStoredDay(number);
    } catch (const std::invalid_argument&) {
        throw LorvanError("Ungültige Tagesnummer " + std::to_string(number) + " in '" + context + "'.");
    }
    readDayContents(r, context, *created);
    r.finish();
}

void readMonth(const json& object, const std::string& context, CLorvanDoc& doc) {
    JsonObjectReader r(object, context);
    const int32_t number = requiredNumber(object, r);
    if (doc.month(number))
        throw LorvanError("Doppelte Monatsnummer " + std::to_string(number) + " in '" + context + "'.");
    if (number < 1 || number > 12)
        throw LorvanError("Ungültige Monatsnummer " + std::to_string(number) + " in '" + context + "'.");
    CMonatDoc& month = doc.addMonth(number);
    r.get("account_correction", month.accountCorrection);
    r.get("correction_comment", month.correctionComment);
    r.get("results_valid", month.resultsValid);
    r.get("account_change", month.accountChange);
    r.get("surcharge_hours_overtime_1", month.surchargeHoursOvertime1);
    r.get("surcharge_hours_overtime_2", month.surchargeHoursOvertime2);
    r.get("surcharge_hours_night", month.surchargeHoursNight);
    r.get("surcharge_hours_saturday", month.surchargeHoursSaturday);
    r.get("surcharge_hours_holiday", month.surchargeHoursHoliday);
    r.get("surcharge_hours_sunday", month.surchargeHoursSunday);
    r.get("account_payout", month.accountPayout);
    if (const json* days = r.array("days"))
        for (size_t i = 0; i < days->size(); ++i)
            readDay((*days)[i], elementContext(context, "days", i), month);
    r.finish();
}

} // namespace

json yearFileToJson(const CLorvanDoc& doc) {
    json months = json::array();
    for (const auto& [number, month] : doc.months())
        months.push_back(monthToJson(month));
    return json{{"file_kind", "azr"},
                {"version", doc.currentVersion()},
                {"settings", settingsToJson(doc.settings())},
                {"months", months}};
}

namespace {

// The keys below stand in the order the tree's dump gives them (sorted), so that both forms are the
// same text.
void writeTimeLine(JsonStreamWriter& w, const CZeitZeile& line) {
    w.beginObject();
    w.field("calculation_fields", line.calculationFields);
    w.field("cost_amount", line.costAmount);
    w.field("cost_kind", line.costKind);
    w.field("customer", line.customer);
    w.field("duration", line.duration);
    w.field("duration_fixed", line.durationFixed);
    w.field("duration_text", line.durationText);
    w.field("from", line.from);
    w.field("from_fixed", line.fromFixed);
    w.field("kilometres_driven", line.kilometresDriven);
    w.field("kind", line.kind);
    w.field("odometer_after", line.odometerAfter);
    w.field("pause", line.pause);
    w.field("remark", line.remark);
    w.field("service", line.service);
    w.field("to", line.to);
    w.field("to_fixed", line.toFixed);
    w.field("vehicle", line.vehicle);
    w.endObject();
}

void writeDay(JsonStreamWriter& w, const CTagDoc& day) {
    w.beginObject();
    w.field("checked_and_closed", day.checkedAndClosed);
    w.field("complete", day.complete);
    w.field("day_kind", day.dayKind);
    w.field("further_employees", day.furtherEmployees);
    w.field("internal_remark", day.internalRemark);
    w.field("number", day.number());
    w.field("public_holiday", day.publicHoliday);
    w.field("report_remark", day.reportRemark);
    w.key("time_lines");
    w.beginArray();
    for (const CZeitZeile& line : day.lines())
        writeTimeLine(w, line);
    w.endArray();
    w.endObject();
}

void writeMonth(JsonStreamWriter& w, const CMonatDoc& month) {
    w.beginObject();
    w.field("account_change", month.accountChange);
    w.field("account_correction", month.accountCorrection);
    w.field("account_payout", month.accountPayout);
    w.field("correction_comment", month.correctionComment);
    w.key("days");
    w.beginArray();
    for (const auto& [number, day] : month.days())
        writeDay(w, day);
    w.endArray();
    w.field("number", month.number());
    w.field("results_valid", month.resultsValid);
    w.field("surcharge_hours_holiday", month.surchargeHoursHoliday);
    w.field("surcharge_hours_night", month.surchargeHoursNight);
    w.field("surcharge_hours_overtime_1", month.surchargeHoursOvertime1);
    w.field("surcharge_hours_overtime_2", month.surchargeHoursOvertime2);
    w.field("surcharge_hours_saturday", month.surchargeHoursSaturday);
    w.field("surcharge_hours_sunday", month.surchargeHoursSunday);
    w.endObject();
}

} // namespace

void writeYearFileJson(const CLorvanDoc& doc, std::string& out) {
    JsonStreamWriter w(out);
    w.beginObject();
    w.field("file_kind", std::string_view("azr"));
    w.key("months");
    w.beginArray();
    for (const auto& [number, month] : doc.months())
        writeMonth(w, month);
    w.endArray();
    w.field("settings", settingsToJson(doc.settings()));
    w.field("version", doc.currentVersion());
    w.endObject();
}

void dayFromJson(const json& object, CTagDoc& day, std::initializer_list<const char*> ignoredKeys) {
    // Read into a copy of the day, so that a refused object changes nothing.
    CTagDoc result(day);
    result.setLines({});
    JsonObjectReader r(object, "Tag");
    r.ignore("number");
    for (const char* key : ignoredKeys)
        r.ignore(key);
    readDayContents(r, "Tag", result);
    r.finish();
    day = std::move(result);
}

void yearFileFromJson(const json& object, CLorvanDoc& doc) {
    CLorvanDoc result;
    JsonObjectReader r(object, "Jahresdatei");
    checkFileKind(r, "azr");
    // The settings first: the year bounds the days, and new time lines take their defaults from them.
    if (const json* settings = r.object("settings")) settingsFromJson(*settings, result.settings());
    if (const json* months = r.array("months"))
        for (size_t i = 0; i < months->size(); ++i)
            readMonth((*months)[i], elementContext("", "months", i), result);
    r.finish();
    doc = std::move(result);
}

} // namespace lorvan::cli
