#include "cli/json_masterdata.h"

#include "cli/json_fields.h"
#include "foundation/error.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "masterdata/service_file.h"

#include <string>

namespace lorvan::cli {
namespace {

using nlohmann::json;

json dateToJson(const Datum& d) {
    return json{{"day", d.day}, {"month", d.month}, {"year", d.year}};
}

void readDate(JsonObjectReader& reader, const char* key, Datum& date) {
    const json* object = reader.object(key);
    if (!object) return;
    JsonObjectReader inner(*object, reader.context() + "." + key);
    inner.get("day", date.day);
    inner.get("month", date.month);
    inner.get("year", date.year);
    inner.finish();
}

json employeeToJson(const CMitarbeiterDoc& e) {
    return json{{"number", e.number},
                {"name", e.name},
                {"extra_info", e.extraInfo},
                {"department", e.department},
                {"entry_date", dateToJson(e.entryDate)},
                {"in_probation", e.inProbation},
                {"probation_end", dateToJson(e.probationEnd)},
                {"has_exit", e.hasExit},
                {"exit_date", dateToJson(e.exitDate)},
                {"active", e.active}};
}

CMitarbeiterDoc employeeFromJson(const json& object, const std::string& context) {
    CMitarbeiterDoc e;
    JsonObjectReader r(object, context);
    r.get("number", e.number);
    r.get("name", e.name);
    r.get("extra_info", e.extraInfo);
    r.get("department", e.department);
    readDate(r, "entry_date", e.entryDate);
    r.get("in_probation", e.inProbation);
    readDate(r, "probation_end", e.probationEnd);
    r.get("has_exit", e.hasExit);
    readDate(r, "exit_date", e.exitDate);
    r.get("active", e.active);
    r.finish();
    return e;
}

json customerQueryToJson(const CustomerQuerySettings& q) {
    json levels = json::array();
    for (const auto& level : q.levels)
        levels.push_back(json{{"name", level.name}, {"show_sum", level.showSum}});
    return json{
        {"period_choice", q.periodChoice}, {"period_start", q.periodStart},
        {"period_end", q.periodEnd},       {"all_employees", q.allEmployees},
        {"all_customers", q.allCustomers}, {"levels", levels},
        {"page_break", q.pageBreak},       {"show_costs", q.showCosts},
        {"all_services", q.allServices},   {"only_services_with_customer", q.onlyServicesWithCustomer}};
}

CustomerQuerySettings customerQueryFromJson(const json& object, const std::string& context) {
    CustomerQuerySettings q;
    JsonObjectReader r(object, context);
    r.get("period_choice", q.periodChoice);
    r.get("period_start", q.periodStart);
    r.get("period_end", q.periodEnd);
    r.get("all_employees", q.allEmployees);
    r.get("all_customers", q.allCustomers);
    if (const json* levels = r.array("levels")) {
        if (levels->size() != q.levels.size())
            throw LorvanError("Falscher Wert für 'levels' in '" + context +
                              "': erwartet Liste mit 4 Werten.");
        for (size_t i = 0; i < q.levels.size(); ++i) {
            JsonObjectReader lr((*levels)[i], elementContext(context, "levels", i));
            lr.get("name", q.levels[i].name);
            lr.get("show_sum", q.levels[i].showSum);
            lr.finish();
        }
    }
    r.get("page_break", q.pageBreak);
    r.get("show_costs", q.showCosts);
    r.get("all_services", q.allServices);
    r.get("only_services_with_customer", q.onlyServicesWithCustomer);
    r.finish();
    return q;
}

} // namespace

json employeeFileToJson(const CTwMaDoc& doc) {
    json employees = json::array();
    for (const auto& [number, employee] : doc.employees)
        employees.push_back(employeeToJson(employee));
    return json{{"file_kind", "mar"},
                {"version", doc.currentVersion()},
                {"employees", employees},
                {"customer_query", customerQueryToJson(doc.customerQuery)},
                {"ignore_list", doc.ignoreList}};
}

void employeeFileFromJson(const json& object, CTwMaDoc& doc) {
    CTwMaDoc result;
    JsonObjectReader r(object, "Daten.mar");
    checkFileKind(r, "mar");
    if (const json* employees = r.array("employees"))
        for (size_t i = 0; i < employees->size(); ++i)
            result.put(employeeFromJson((*employees)[i], elementContext("", "employees", i)));
    if (const json* query = r.object("customer_query"))
        result.customerQuery = customerQueryFromJson(*query, "customer_query");
    r.get("ignore_list", result.ignoreList);
    r.finish();
    doc.employees = std::move(result.employees);
    doc.customerQuery = std::move(result.customerQuery);
    doc.ignoreList = std::move(result.ignoreList);
}

json customerToJson(const CKundeDoc& c) {
    return json{{"number", c.number},   {"name", c.name},   {"street", c.street},
                {"zip_city", c.zipCity}, {"phone", c.phone}, {"notes", c.notes},
                {"print_notes", c.printNotes}};
}

void customerFromJson(const json& object, CKundeDoc& c, const std::string& context) {
    JsonObjectReader cr(object, context);
    cr.get("number", c.number);
    cr.get("name", c.name);
    cr.get("street", c.street);
    cr.get("zip_city", c.zipCity);
    cr.get("phone", c.phone);
    cr.get("notes", c.notes);
    cr.get("print_notes", c.printNotes);
    cr.finish();
}

json customerFileToJson(const CTwKundenDoc& doc) {
    json customers = json::array();
    for (const auto& [number, c] : doc.customers)
        customers.push_back(customerToJson(c));
    return json{{"file_kind", "kd"},
                {"version", doc.currentVersion()},
                {"print_address_on_day_sheet", doc.printAddressOnDaySheet},
                {"check_customer_exists_on_entry", doc.checkCustomerExistsOnEntry},
                {"customers", customers}};
}

void customerFileFromJson(const json& object, CTwKundenDoc& doc) {
    CTwKundenDoc result;
    JsonObjectReader r(object, "Daten.kd");
    checkFileKind(r, "kd");
    r.get("print_address_on_day_sheet", result.printAddressOnDaySheet);
    r.get("check_customer_exists_on_entry", result.checkCustomerExistsOnEntry);
    if (const json* customers = r.array("customers")) {
        for (size_t i = 0; i < customers->size(); ++i) {
            CKundeDoc c;
            customerFromJson((*customers)[i], c, elementContext("", "customers", i));
            result.put(c);
        }
    }
    r.finish();
    doc.printAddressOnDaySheet = result.printAddressOnDaySheet;
    doc.checkCustomerExistsOnEntry = result.checkCustomerExistsOnEntry;
    doc.customers = std::move(result.customers);
}

json serviceToJson(const CDienstlDoc& s) {
    return json{{"name", s.name}, {"cost_kind", s.costKind}, {"costs", s.costs}};
}

void serviceFromJson(const json& object, CDienstlDoc& s, const std::string& context) {
    JsonObjectReader sr(object, context);
    sr.get("name", s.name);
    sr.get("cost_kind", s.costKind);
    sr.get("costs", s.costs);
    sr.finish();
}

json serviceFileToJson(const CTwDienstlDoc& doc) {
    json services = json::array();
    for (const auto& [name, s] : doc.services)
        services.push_back(serviceToJson(s));
    return json{{"file_kind", "dl"}, {"version", doc.currentVersion()}, {"services", services}};
}

void serviceFileFromJson(const json& object, CTwDienstlDoc& doc) {
    CTwDienstlDoc result;
    JsonObjectReader r(object, "Daten.dl");
    checkFileKind(r, "dl");
    if (const json* services = r.array("services")) {
        for (size_t i = 0; i < services->size(); ++i) {
            CDienstlDoc s;
            serviceFromJson((*services)[i], s, elementContext("", "services", i));
            result.put(s);
        }
    }
    r.finish();
    doc.services = std::move(result.services);
}

} // namespace lorvan::cli
