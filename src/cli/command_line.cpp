#include "cli/commands.h"

#include "app/open_year_file.h"
#include "cli/json_fields.h"
#include "cli/json_yearfile.h"
#include "cli/record_commands.h"
#include "entry/time_line_entry.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/time_text.h"
#include "masterdata/customer_list.h"
#include "masterdata/service_list.h"
#include "platform/prompter.h"

#include <memory>
#include <ostream>

namespace lorvan::cli {
namespace {

constexpr const char* kLineUsage = "line check DATEI TT.MM.JJJJ [--first|--not-first] < ZEILE.JSON";

// Answers the questions by --yes/--no and shows them; the message of a failed check is raised by
// the command instead of being shown here as well.
class LinePrompter final : public Prompter {
  public:
    explicit LinePrompter(bool answerYes) : questions_(answerYes) {}
    void inform(const std::string&) override {}
    void warn(const std::string&) override {}
    void error(const std::string&) override {}
    bool askYesNo(const std::string& text) override { return questions_.askYesNo(text); }
    Answer askYesNoCancel(const std::string& text) override { return questions_.askYesNoCancel(text); }
    bool askOkCancel(const std::string& text) override { return questions_.askOkCancel(text); }

  private:
    FixedAnswerPrompter questions_;
};

// A time field as typed: the text, the field left, and the "Fest" box as its key says.
void typeTime(TimeLineEntry& entry, TimeField field, const std::string& text, int32_t fixed) {
    entry.typeTime(field, text);
    entry.leaveTime(field);
    entry.setFixed(field, fixed != 0);
}

// The line's fields from the JSON object, in the order of the dialog's fields. Only the keys given
// are typed; the kind comes first, so that its rules act on the defaults and not on given values.
void typeLine(const nlohmann::json& object, TimeLineEntry& entry) {
    if (!object.is_object()) throw LorvanError("Die Eingabe muss ein JSON-Objekt mit den Feldern der Zeile sein.");
    JsonObjectReader r(object, "line");
    CZeitZeile given;
    const auto has = [&](const char* key) { return object.contains(key); };
    r.get("kind", given.kind);
    r.get("customer", given.customer);
    r.get("service", given.service);
    r.get("from", given.from);
    r.get("to", given.to);
    r.get("duration", given.duration);
    r.get("duration_text", given.durationText);
    r.get("from_fixed", given.fromFixed);
    r.get("to_fixed", given.toFixed);
    r.get("duration_fixed", given.durationFixed);
    r.get("pause", given.pause);
    r.get("cost_kind", given.costKind);
    r.get("cost_amount", given.costAmount);
    r.get("remark", given.remark);
    r.get("calculation_fields", given.calculationFields);
    r.get("vehicle", given.vehicle);
    r.get("kilometres_driven", given.kilometresDriven);
    r.get("odometer_after", given.odometerAfter);
    r.finish();
    if (given.costKind < kCostFromHourlyWage || given.costKind > kCostFixedAmount)
        throw LorvanError("Die Kostenart muss 0, 1 oder 2 sein: " + std::to_string(given.costKind));

    if (has("kind")) entry.setKind(given.kind);
    if (has("customer")) entry.setCustomer(given.customer);
    if (has("service")) entry.setService(given.service);
    if (has("from")) typeTime(entry, TimeField::From, given.from, given.fromFixed);
    if (has("to")) typeTime(entry, TimeField::To, given.to, given.toFixed);
    // The duration as typed text, or as minutes.
    if (has("duration_text"))
        typeTime(entry, TimeField::Duration, given.durationText, given.durationFixed);
    else if (has("duration"))
        typeTime(entry, TimeField::Duration, given.duration ? formatMinutes(given.duration, 2, false) : "",
                 given.durationFixed);
    if (has("pause")) entry.setPause(given.pause);
    if (has("cost_kind")) entry.setCostKind(given.costKind);
    if (has("cost_amount")) entry.setCostAmount(given.costAmount);
    if (has("remark")) entry.setRemark(given.remark);
    if (has("calculation_fields"))
        for (size_t i = 0; i < given.calculationFields.size(); ++i)
            entry.setCalculationField(i, given.calculationFields[i]);
    if (has("vehicle")) entry.setVehicle(given.vehicle);
    if (has("kilometres_driven")) entry.setKilometresDriven(given.kilometresDriven);
    if (has("odometer_after")) entry.setOdometerAfter(given.odometerAfter);
}

} // namespace

int runLine(const Options& options, const std::vector<std::string>& arguments, std::istream& in, std::ostream& out) {
    if (arguments.empty() || arguments[0] != "check") throw LorvanError(std::string("Aufruf: ") + kLineUsage);
    std::vector<std::string> args(arguments.begin() + 1, arguments.end());
    std::optional<bool> first;
    std::erase_if(args, [&](const std::string& a) {
        if (a != "--first" && a != "--not-first") return false;
        if (first && *first != (a == "--first"))
            throw LorvanError("line check: nur eine von --first und --not-first angeben.");
        first = a == "--first";
        return true;
    });
    expectArguments(args, 2, kLineUsage);
    const Datum date = parseFullDate(args[1]);
    if (!isValidDate(date)) throw LorvanError("Falsches Datumsformat: " + args[1]);

    OpenYearFile file(args[0], options.dataDirectory);
    CLorvanDoc& doc = file.document;
    if (date.year != doc.settings().year)
        throw LorvanError("Das Datum " + formatDate(date) + " liegt nicht im Jahr der Datei (" +
                          std::to_string(doc.settings().year) + ").");
    CMonatDoc& month = doc.month(date.month) ? *doc.month(date.month) : doc.addMonth(date.month);
    CTagDoc& day = month.day(date.day) ? *month.day(date.day) : month.addDay(date.day);
    const bool isFirst = first.value_or(day.lineCount() == 0);
    CZeitZeile& line = day.addLine();

    // The master files of the data directory; without one no customer or service is looked up.
    std::unique_ptr<CustomerList> customers;
    std::unique_ptr<ServiceList> services;
    std::unique_ptr<CachedLineMasterData> masterData;
    if (!options.dataDirectory.empty()) {
        customers = std::make_unique<CustomerList>(options.dataDirectory);
        services = std::make_unique<ServiceList>(options.dataDirectory);
        masterData = std::make_unique<CachedLineMasterData>(*customers, *services);
    }
    TimeLineEntry::Options entryOptions;
    entryOptions.isFirstNewLine = isFirst;
    entryOptions.monthClosed = isMonthClosed(options.settings, date.month, date.year);
    entryOptions.checkCustomersOnEntry = customers && customers->checkOnEntry();
    TimeLineEntry entry(line, entryOptions, masterData.get());

    typeLine(readJsonInput(in), entry);
    LinePrompter prompter(options.answerYes);
    const LineCheckResult result = entry.accept(prompter);
    if (!result.accepted) throw LorvanError(result.reason);
    entry.apply(line);

    nlohmann::ordered_json output;
    output["line"] = timeLineToJson(line);
    output["cost_label"] = entry.costLabel();
    output["standby_label"] = entry.standbyLabel();
    out << output.dump(2) << '\n';
    return 0;
}

} // namespace lorvan::cli
