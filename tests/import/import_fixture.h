#pragma once

#include "foundation/file_io.h"
#include "import/time_import.h"
#include "masterdata/employee_file.h"
#include "platform/clock.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace lorvan::test {

// A data directory with the employees 4711 Anna Berg (department "Verwaltung"), 4712 Jörg Weiß
// (extra info "Lager") and 4713 Bernd Berger, and their year files of 2026 without days; today is
// 1 April 2026.
class ImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        environment.prompter = &prompter;
        environment.clock = &clock;
        environment.dataDirectory = dir.path().string() + "/";
        options.importFile = dir.file("import.csv");
        CTwMaDoc employees;
        CMitarbeiterDoc anna = employee(4711, "Anna Berg");
        anna.department = "Verwaltung";
        employees.put(anna);
        CMitarbeiterDoc joerg = employee(4712, "Jörg Weiß");
        joerg.extraInfo = "Lager";
        employees.put(joerg);
        employees.put(employee(4713, "Bernd Berger"));
        saveEmployees(employees);
        for (const char* name : {"Anna Berg", "Jörg Weiß", "Bernd Berger"})
            YearFileBuilder(name, 2026).saveAs(yearFile(name));
    }

    static CMitarbeiterDoc employee(int32_t number, const std::string& name) {
        CMitarbeiterDoc record;
        record.number = number;
        record.name = name;
        return record;
    }
    void saveEmployees(CTwMaDoc& employees) { employees.save(dir.file("Daten.mar")); }
    CTwMaDoc employees() const {
        CTwMaDoc file;
        file.open(dir.file("Daten.mar"));
        return file;
    }

    std::string yearFile(const std::string& name, int32_t year = 2026) const {
        return environment.dataDirectory + fileNameFor(name, year);
    }
    CLorvanDoc load(const std::string& name, int32_t year = 2026) const {
        CLorvanDoc document;
        document.open(yearFile(name, year));
        return document;
    }
    // The day of the employee's year file, or nullptr.
    static const CTagDoc* dayOf(const CLorvanDoc& document, int32_t month, int32_t day) {
        const CMonatDoc* m = document.month(month);
        return m != nullptr ? m->day(day) : nullptr;
    }

    // Writes the import file (lines joined with CR LF) and runs the import.
    TimeImportResult run(std::initializer_list<std::string> lines) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        writeBytes(options.importFile, text);
        return runTimeImport(options, environment);
    }

    std::string bytesOf(const std::string& name) const { return readWholeFile(yearFile(name)); }

    static bool contains(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    TempDir dir;
    ScriptedPrompter prompter;
    FixedClock clock{Datum{1, 4, 2026}};
    TimeImportOptions options;
    TimeImportEnvironment environment;
};

} // namespace lorvan::test
