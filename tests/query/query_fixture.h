#pragma once

#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "query/customer_query.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_document.h"

#include <functional>
#include <string>

namespace lorvan::test {

// A data directory with "Daten.mar" (Anna Berg and the former employee Bernd Kurz, inactive),
// "Daten.kd" (customer 12, now named "Neu GmbH", and customer 3 "Dritte AG") and the year files a
// test adds.
class QueryData {
  public:
    QueryData() {
        employees.put(employee(1, "Anna Berg", true));
        employees.put(employee(2, "Bernd Kurz", false));
        employees.save(dir.file("Daten.mar"));
        customers.put(customer(12, "Neu GmbH"));
        customers.put(customer(3, "Dritte AG"));
        customers.save(dir.file("Daten.kd"));
    }

    // Saves the year file under its own name and returns the path.
    std::string add(YearFileBuilder builder) {
        const CLorvanDoc& doc = builder.doc();
        return builder.saveAs(dir.file(fileNameFor(doc.settings().name, doc.settings().year)));
    }

    QuerySource source() const { return {dir.path().string(), &employees, &customers}; }

    static CMitarbeiterDoc employee(int32_t number, const std::string& name, bool active) {
        CMitarbeiterDoc e;
        e.number = number;
        e.name = name;
        e.active = active ? 1 : 0;
        return e;
    }
    static CKundeDoc customer(int32_t number, const std::string& name) {
        CKundeDoc c;
        c.number = number;
        c.name = name;
        c.street = "Hauptstr. 1";
        return c;
    }

    TempDir dir;
    CTwMaDoc employees;
    CTwKundenDoc customers;
};

// A line of kind "Kunde" for the customer entry with an optional service.
inline std::function<void(CZeitZeile&)> customerLine(const std::string& customer, const std::string& service = "") {
    return [customer, service](CZeitZeile& line) {
        line.customer = customer;
        line.service = service;
    };
}

// Choices with these levels (the rest "Keine weitere Ebene") and every sum shown.
inline QueryChoices choicesWithLevels(std::initializer_list<const char*> names) {
    QueryChoices choices;
    size_t i = 0;
    for (const char* name : names)
        choices.levels[i++] = QueryLevel{name, true};
    return choices;
}

// "key=minutes" of the node's children, and of theirs after a "/".
inline std::string describeTree(const QueryNode& node) {
    std::string text;
    for (const QueryNode& child : node.children) {
        if (!text.empty()) text += " ";
        text += child.display + "=" + std::to_string(child.minutes);
        if (child.hasChildren()) text += "[" + describeTree(child) + "]";
    }
    return text;
}

} // namespace lorvan::test
