// Reads arbitrary bytes as a standard time file or absence file (the first byte chooses which):
// decoding, splitting, employee matching, field checks and the checks after the whole file. Every
// input must end without a crash or a hang; nothing is written (unknown employees are ignored for
// this run, no year file is created, the writing phase does not run).
#include "foundation/error.h"
#include "import/import_file_text.h"
#include "import/time_import.h"
#include "masterdata/employee_file.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

using namespace lorvan;

// Says yes only to ignoring an unknown employee for this run, so that no input changes a file.
class IgnoringPrompter final : public Prompter {
  public:
    void inform(const std::string&) override {}
    void warn(const std::string&) override {}
    void error(const std::string&) override {}
    bool askYesNo(const std::string& text) override {
        return text == "Soll der Mitarbeiter für diesen Import ignoriert werden?";
    }
    Answer askYesNoCancel(const std::string&) override { return Answer::No; }
    bool askOkCancel(const std::string&) override { return false; }
};

// A data directory with three employees and their year files of 2026.
std::string dataDirectory() {
    static const std::string directory = [] {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "lorvan-time-import-fuzz";
        std::filesystem::create_directories(path);
        const std::string data = path.string() + "/";
        CTwMaDoc employees;
        int32_t number = 4711;
        for (const char* name : {"Anna Berg", "Jörg Weiß", "Bernd Berger"}) {
            CMitarbeiterDoc employee;
            employee.number = number++;
            employee.name = name;
            employees.put(employee);
            CLorvanDoc document;
            document.settings().name = name;
            document.settings().year = 2026;
            document.save(fullYearFilePath(data, name, 2026));
        }
        employees.ignoreList = "'Zacharias'";
        employees.save(data + "Daten.mar");
        return data;
    }();
    return directory;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    IgnoringPrompter prompter;
    FixedClock clock(Datum{1, 4, 2026});
    TimeImportOptions options;
    options.mode = data[0] & 1 ? ImportMode::StandardAbsences : ImportMode::StandardTimes;
    options.skipFirstLine = (data[0] & 2) != 0;
    options.logAll = (data[0] & 4) != 0;
    options.importFile = "fuzz.csv";
    TimeImportEnvironment environment;
    environment.prompter = &prompter;
    environment.clock = &clock;
    environment.dataDirectory = dataDirectory();
    TimeImport import(options, environment);
    import.read(decodeImportBytes(bytes));
    return 0;
}
