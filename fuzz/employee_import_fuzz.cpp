// The employee import of arbitrary staff lists: every input must end without a crash or a hang. The
// data directory holds a write-protected "Daten.mar" with one employee, so the run goes through every
// column rule and the failed save of the employee file but never writes a file.
#include "import/employee_import.h"
#include "masterdata/employee_file.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

struct Directory {
    std::string data;
    lorvan::CTwMaDoc employees;

    Directory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lorvan-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        data = pattern + "/";
        lorvan::CMitarbeiterDoc anna;
        anna.number = 1;
        anna.name = "Anna Berg";
        employees.put(anna);
        const std::string path = lorvan::CTwMaDoc::pathIn(data);
        employees.save(path);
        ::chmod(path.c_str(), 0444);
        employees.open(path);
    }
    ~Directory() {
        std::error_code ignored;
        std::filesystem::remove_all(data, ignored);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Directory directory;
    const std::string list = directory.data + "liste.csv";
    std::ofstream(list, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
    lorvan::FixedAnswerPrompter prompter(false, true);
    const lorvan::FixedClock clock(lorvan::Datum{15, 6, 2026});
    lorvan::EmployeeImportOptions options;
    options.importFile = list;
    options.year = 2026;
    options.skipFirstLine = size % 2 == 0;
    options.onlyNew = size % 3 == 0;
    lorvan::EmployeeImportEnvironment environment;
    environment.prompter = &prompter;
    environment.clock = &clock;
    environment.dataDirectory = directory.data;
    lorvan::CTwMaDoc employees = directory.employees;
    lorvan::EmployeeImportResult result;
    lorvan::importEmployees(employees, options, environment, result);
    return 0;
}
