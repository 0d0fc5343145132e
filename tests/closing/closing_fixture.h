#pragma once

#include "closing/month_collection.h"
#include "foundation/number_text.h"
#include "masterdata/employee_file.h"
#include "platform/clock.h"
#include "platform/user_store.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A data directory for the month closing: "Daten.mar", year files, the per-user store, a prompter
// and a fixed clock.
namespace lorvan::test {

inline CMitarbeiterDoc closingEmployee(int32_t number, const std::string& name, const std::string& department = {}) {
    CMitarbeiterDoc e;
    e.number = number;
    e.name = name;
    e.department = department;
    return e;
}

// Mon-Thu 8 h, Fri 5 h, no break checks (the credited time is the span of the lines).
inline YearFileBuilder plainYear(const std::string& name, int32_t year) {
    return YearFileBuilder(name, year).settings([](CEinstArbzt& s) {
        s.checkBreakTimes = 0;
        s.enforceCorrectBreakTimes = 0;
        s.enterPublicHolidaysAutomatically = 0;
    });
}

struct ClosingFixture {
    TempDir data;
    TempDir home;
    IniUserStore store{home.file("Lorvan.conf")};
    ScriptedPrompter prompter;
    FixedClock clock{Datum{15, 4, 2024}};
    std::map<int32_t, CMitarbeiterDoc> employees;

    std::string dir() const { return data.path().string() + "/"; }
    std::string path(const std::string& name) const { return dir() + name; }

    void addEmployee(const CMitarbeiterDoc& e) {
        employees[e.number] = e;
        CTwMaDoc file;
        for (const auto& [number, record] : employees)
            file.put(record);
        file.save(CTwMaDoc::pathIn(dir()));
    }
    std::string save(const YearFileBuilder& builder) {
        const CLorvanDoc& doc = builder.doc();
        YearFileBuilder copy(doc);
        return copy.saveAs(path(toFileName(doc.settings().name) + std::to_string(doc.settings().year) + ".azr"));
    }
    static std::string toFileName(const std::string& name) { return toFileNamePart(name); }

    std::unique_ptr<MonthCollection> collect(int32_t month, int32_t year, std::vector<CMitarbeiterDoc> chosen = {}) {
        if (chosen.empty())
            for (const auto& [number, e] : employees)
                chosen.push_back(e);
        return collectMonths(dir(), chosen, ClosingMonthChoice{month, year});
    }
};

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace lorvan::test
