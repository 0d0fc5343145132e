#include "cli/json_yearfile.h"

#include "foundation/error.h"
#include "support/error_text.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace lorvan::cli {
namespace {

using nlohmann::json;

CLorvanDoc sampleDocument() {
    CLorvanDoc doc;
    doc.settings().name = "Anna Schneider";
    doc.settings().year = 2024;
    doc.settings().wagesAsCostsInCustomerQuery = 1;
    CMonatDoc& month = doc.addMonth(2);
    month.accountCorrection = -1.25;
    month.correctionComment = "Überstunden ausgezahlt";
    month.resultsValid = 1;
    month.accountChange = 3.5;
    month.surchargeHoursOvertime1 = 1.1;
    month.surchargeHoursOvertime2 = 1.2;
    month.surchargeHoursNight = 1.3;
    month.surchargeHoursSaturday = 1.4;
    month.surchargeHoursHoliday = 1.5;
    month.surchargeHoursSunday = 1.6;
    month.accountPayout = 2.75;
    CTagDoc& day = month.addDay(29);
    day.furtherEmployees = "Bert";
    day.dayKind = kHalfVacationDay;
    day.reportRemark = "Bericht";
    day.internalRemark = "intern";
    day.publicHoliday = 1;
    day.complete = 0;
    day.checkedAndClosed = 1;
    CZeitZeile& line = day.addLine();
    line.kind = kKindOffice;
    line.customer = "Łódź GmbH";
    line.from = "22:00";
    line.to = "26:30";
    line.duration = 270;
    line.updateDurationText();
    line.remark = "Nachtschicht";
    line.pause = 30;
    line.fromFixed = 1;
    line.durationFixed = 1;
    line.calculationFields = {1.5, -2.0, 1e9};
    line.service = "Wartung";
    line.costKind = kCostPerHour;
    line.costAmount = 42.5;
    line.vehicle = "B-LV 44";
    line.kilometresDriven = 12.3;
    line.odometerAfter = 45678.9;
    doc.addMonth(11).addDay(1);
    return doc;
}

TEST(JsonYearFile, RoundTripKeepsEveryStoredField) {
    const CLorvanDoc original = sampleDocument();
    const json j = yearFileToJson(original);
    EXPECT_EQ(j["file_kind"], "azr");
    EXPECT_EQ(j["version"], 44);
    EXPECT_EQ(j["months"][1]["number"], 11);
    const json& line = j["months"][0]["days"][0]["time_lines"][0];
    EXPECT_EQ(j["months"][0]["days"][0]["number"], 29);
    EXPECT_EQ(line["duration_text"], "04:30");
    EXPECT_EQ(line["calculation_fields"], json({1.5, -2.0, 1e9}));

    CLorvanDoc back;
    yearFileFromJson(json::parse(j.dump(2)), back);
    EXPECT_EQ(back.toBytes(), original.toBytes());
    EXPECT_EQ(back.month(2)->day(29)->line(0).durationText, "04:30");
}

// show writes a year file's JSON without building the tree; the text must be the tree's, to the byte,
// for every kind of value: escapes and control characters, non-ASCII text, numbers of every size,
// values that have no JSON number, empty months and days.
TEST(JsonYearFile, StreamedTextIsTheTreesText) {
    CLorvanDoc doc = sampleDocument();
    CZeitZeile& line = doc.month(2)->day(29)->addLine();
    line.customer = std::string("Zitat \"a\\b\" \b\f\n\r\t\x01\x1f\x7f Ä€😀") + '\0' + "Ende";
    line.calculationFields = {-0.0, 1e-300, 123456789012345678.0};
    line.costAmount = std::numeric_limits<double>::quiet_NaN();
    line.kilometresDriven = std::numeric_limits<double>::infinity();
    line.odometerAfter = 0.1 + 0.2;
    doc.month(11)->addDay(2).addLine();
    doc.addMonth(12);
    const CLorvanDoc empty;
    for (const CLorvanDoc* document : {static_cast<const CLorvanDoc*>(&doc), &empty}) {
        std::string streamed;
        writeYearFileJson(*document, streamed);
        EXPECT_EQ(streamed, yearFileToJson(*document).dump(2));
    }

    // A text that is no UTF-8 is refused by both.
    doc.month(2)->day(29)->line(0).remark = "\xC3(";
    std::string streamed;
    EXPECT_THROW(writeYearFileJson(doc, streamed), nlohmann::json::type_error);
    EXPECT_THROW(static_cast<void>(yearFileToJson(doc).dump(2)), nlohmann::json::type_error);
}

TEST(JsonYearFile, MissingKeysTakeTheDefaultsOfNewRecords) {
    const json j = json::parse(R"({"file_kind": "azr",
        "settings": {"year": 2024, "wages_as_costs_in_customer_query": 0},
        "months": [{"number": 2, "days": [{"number": 29,
            "time_lines": [{"kind": "Kunde", "duration": 90, "duration_text": "99:99"}]}]}]})");
    CLorvanDoc doc;
    yearFileFromJson(j, doc);
    const CMonatDoc* month = doc.month(2);
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->resultsValid, 0);
    const CTagDoc* day = month->day(29);
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->complete, 1);
    ASSERT_EQ(day->lineCount(), 1u);
    EXPECT_EQ(day->line(0).costKind, kCostFixedAmount); // the settings allow no wages as costs
    EXPECT_EQ(day->line(0).durationText, "01:30");      // derived, the input is ignored
    EXPECT_EQ(day->line(0).day(), day);
}

TEST(JsonYearFile, RefusedInputLeavesTheDocumentAlone) {
    struct Case {
        const char* name;
        std::function<void(json&)> change;
        std::string message;
    };
    const Case cases[] = {
        {"unknown key in a line",
         [](json& j) { j["months"][0]["days"][0]["time_lines"][0]["colour"] = "rot"; },
         "Unbekannter Schlüssel 'colour' in 'months[0].days[0].time_lines[0]'."},
        {"unknown key at the top", [](json& j) { j["monate"] = json::array(); },
         "Unbekannter Schlüssel 'monate' in 'Jahresdatei'."},
        {"wrong type", [](json& j) { j["months"][0]["days"][0]["time_lines"][0]["duration"] = "90"; },
         "Falscher Wert für 'duration' in 'months[0].days[0].time_lines[0]': erwartet eine ganze Zahl."},
        {"two calculation fields",
         [](json& j) {
             j["months"][0]["days"][0]["time_lines"][0]["calculation_fields"] = {1.0, 2.0};
         },
         "Falscher Wert für 'calculation_fields' in 'months[0].days[0].time_lines[0]': erwartet Liste mit 3 "
         "Werten."},
        {"month without number", [](json& j) { j["months"][1].erase("number"); },
         "Fehlender Schlüssel 'number' in 'months[1]'."},
        {"month 13", [](json& j) { j["months"][1]["number"] = 13; },
         "Ungültige Monatsnummer 13 in 'months[1]'."},
        {"month twice", [](json& j) { j["months"][1]["number"] = 2; },
         "Doppelte Monatsnummer 2 in 'months[1]'."},
        {"day 32", [](json& j) { j["months"][0]["days"][0]["number"] = 32; },
         "Ungültige Tagesnummer 32 in 'months[0].days[0]'."},
        {"day twice",
         [](json& j) {
             j["months"][0]["days"].push_back(json{{"number", 29}});
         },
         "Doppelte Tagesnummer 29 in 'months[0].days[1]'."},
        {"other file kind", [](json& j) { j["file_kind"] = "mar"; },
         "Die JSON-Daten beschreiben eine Datei der Art 'mar', erwartet wird 'azr'."},
    };
    const CLorvanDoc original = sampleDocument();
    for (const Case& c : cases) {
        json j = yearFileToJson(original);
        c.change(j);
        CLorvanDoc doc = sampleDocument();
        EXPECT_THROW_MSG(yearFileFromJson(j, doc), c.message) << c.name;
        EXPECT_EQ(doc.toBytes(), original.toBytes()) << c.name;
    }
}

// A stored file may hold a day past the month's end (its year was changed): it goes through JSON
// unchanged, like every other stored day.
TEST(JsonYearFile, DayPastTheMonthsEndAsStoredRoundTrips) {
    CLorvanDoc doc;
    doc.settings().year = 2026;
    doc.addMonth(2).addStoredDay(30).reportRemark = "aus 2024";
    CLorvanDoc back;
    yearFileFromJson(yearFileToJson(doc), back);
    EXPECT_EQ(back.toBytes(), doc.toBytes());
}

} // namespace
} // namespace lorvan::cli
