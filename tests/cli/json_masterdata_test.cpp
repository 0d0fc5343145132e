#include "cli/json_masterdata.h"
#include "foundation/error.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "masterdata/service_file.h"
#include "support/error_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan::cli {
namespace {

using nlohmann::json;

TEST(JsonMasterdata, EmployeeFileHasTheDocumentedKeysAndRoundTrips) {
    CTwMaDoc doc;
    CMitarbeiterDoc e;
    e.number = 7;
    e.name = "Jörg Schäfer";
    e.extraInfo = "Teilzeit";
    e.department = "Lager";
    e.entryDate = {1, 4, 2023};
    e.inProbation = 1;
    e.probationEnd = {30, 9, 2023};
    e.hasExit = 1;
    e.exitDate = {31, 12, 2025};
    e.active = 0;
    doc.put(e);
    doc.customerQuery.periodChoice = 5;
    doc.customerQuery.periodStart = "01.02.2024";
    doc.customerQuery.levels[1] = {"Dienstleistung", 0};
    doc.customerQuery.showCosts = 1;
    doc.ignoreList = "'Anna''Bert'";

    const json j = employeeFileToJson(doc);
    EXPECT_EQ(j, json::parse(R"({
      "file_kind": "mar", "version": 14,
      "employees": [ { "number": 7, "name": "Jörg Schäfer", "extra_info": "Teilzeit", "department": "Lager",
          "entry_date": {"day": 1, "month": 4, "year": 2023}, "in_probation": 1,
          "probation_end": {"day": 30, "month": 9, "year": 2023}, "has_exit": 1,
          "exit_date": {"day": 31, "month": 12, "year": 2025}, "active": 0 } ],
      "customer_query": { "period_choice": 5, "period_start": "01.02.2024", "period_end": "",
          "all_employees": 1, "all_customers": 1,
          "levels": [ {"name": "Kunde", "show_sum": 1}, {"name": "Dienstleistung", "show_sum": 0},
                      {"name": "Mitarbeiter", "show_sum": 1}, {"name": "Keine weitere Ebene", "show_sum": 0} ],
          "page_break": 0, "show_costs": 1, "all_services": 1, "only_services_with_customer": 1 },
      "ignore_list": "'Anna''Bert'" })"));

    CTwMaDoc back;
    employeeFileFromJson(j, back);
    EXPECT_EQ(back.toBytes(), doc.toBytes());
}

TEST(JsonMasterdata, MissingKeysKeepTheDefaultsOfANewRecord) {
    CTwMaDoc doc;
    doc.put(CMitarbeiterDoc{});
    doc.ignoreList = "'alt'";
    employeeFileFromJson(json::parse(R"({"employees": [{"number": 3, "entry_date": {"year": 2024}}]})"), doc);
    ASSERT_EQ(doc.employees.size(), 1u); // the document is replaced, not merged
    const CMitarbeiterDoc& e = doc.employees.at(3);
    EXPECT_EQ(e.name, "");
    EXPECT_EQ(e.entryDate, (Datum{1, 1, 2024}));
    EXPECT_EQ(e.exitDate, Datum{});
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(doc.ignoreList, "");
    EXPECT_EQ(doc.customerQuery.levels[2].name, "Mitarbeiter");
    EXPECT_EQ(doc.customerQuery.allServices, 1);
}

TEST(JsonMasterdata, EmployeeFileRefusesWhatItDoesNotKnow) {
    const std::pair<const char*, const char*> cases[] = {
        {R"({"employees": [{"number": 3, "nmae": "x"}]})", "Unbekannter Schlüssel 'nmae' in 'employees[0]'."},
        {R"({"employees": [{}, {"exit_date": {"day": 1, "week": 2}}]})",
         "Unbekannter Schlüssel 'week' in 'employees[1].exit_date'."},
        {R"({"customer_query": {"levels": [{"name": "Kunde"}]}})",
         "Falscher Wert für 'levels' in 'customer_query': erwartet Liste mit 4 Werten."},
        {R"({"customer_query": {"levels": [{}, {}, {}, {"sum": 1}]}})",
         "Unbekannter Schlüssel 'sum' in 'customer_query.levels[3]'."},
        {R"({"employees": [{"number": "7"}]})",
         "Falscher Wert für 'number' in 'employees[0]': erwartet eine ganze Zahl."},
        {R"({"file_kind": "kd"})",
         "Die JSON-Daten beschreiben eine Datei der Art 'kd', erwartet wird 'mar'."},
        {R"({"ignore": ""})", "Unbekannter Schlüssel 'ignore' in 'Daten.mar'."},
    };
    for (const auto& [text, message] : cases) {
        CTwMaDoc doc;
        EXPECT_THROW_MSG(employeeFileFromJson(json::parse(text), doc), message) << text;
    }
}

TEST(JsonMasterdata, CustomerFileRoundTrips) {
    CTwKundenDoc doc;
    doc.printAddressOnDaySheet = 1;
    CKundeDoc c;
    c.number = 17;
    c.name = "Beispiel GmbH";
    c.street = "Hauptstr. 1";
    c.zipCity = "12345 Musterstadt";
    c.phone = "030 1234";
    c.notes = "Hof\r\nhinten";
    c.printNotes = 1;
    doc.put(c);

    const json j = customerFileToJson(doc);
    EXPECT_EQ(j, json::parse(R"({ "file_kind": "kd", "version": 2, "print_address_on_day_sheet": 1,
      "check_customer_exists_on_entry": 0,
      "customers": [ { "number": 17, "name": "Beispiel GmbH", "street": "Hauptstr. 1",
          "zip_city": "12345 Musterstadt", "phone": "030 1234", "notes": "Hof\r\nhinten", "print_notes": 1 } ] })"));
    CTwKundenDoc back;
    customerFileFromJson(j, back);
    EXPECT_EQ(back.toBytes(), doc.toBytes());

    EXPECT_THROW_MSG(
        customerFileFromJson(json::parse(R"({"customers": [{"number": 1, "city": "x"}]})"), back),
        "Unbekannter Schlüssel 'city' in 'customers[0]'.");
}

TEST(JsonMasterdata, ServiceFileRoundTrips) {
    CTwDienstlDoc doc;
    doc.put(CDienstlDoc{"Fahrt", 2, 25.0});
    doc.put(CDienstlDoc{"Beratung", 1, 12.5});

    const json j = serviceFileToJson(doc);
    EXPECT_EQ(j, json::parse(R"({ "file_kind": "dl", "version": 1, "services": [
        { "name": "Beratung", "cost_kind": 1, "costs": 12.5 }, { "name": "Fahrt", "cost_kind": 2, "costs": 25.0 } ] })"));
    CTwDienstlDoc back;
    serviceFileFromJson(j, back);
    EXPECT_EQ(back.toBytes(), doc.toBytes());

    serviceFileFromJson(json::parse(R"({"services": [{"name": "Pflege"}]})"), back);
    ASSERT_EQ(back.services.size(), 1u);
    EXPECT_EQ(back.find("Pflege")->costKind, 0);
    EXPECT_EQ(back.find("Pflege")->costs, 0.0);
}

} // namespace
} // namespace lorvan::cli
