#include "import/employee_import.h"
#include "masterdata/employee_file.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// The employee import of a staff list of N new employees, each with a year file from a template,
// and the same list imported again (every employee exists, every year file too). The time per line
// must not grow with the list: 4,000 lines take at most 2.2 times as long as 2,000. Every year file
// and "Daten.mar" are written crash-safely (flushed to disk), which dominates on a disk; with TMPDIR on
// a memory file system (/dev/shm) the figures show the import's own work.
namespace {

using namespace lorvan;
namespace fs = std::filesystem;

class ImportDirectory {
  public:
    explicit ImportDirectory(int64_t lines) {
        std::string pattern = (fs::temp_directory_path() / "lorvan-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        root_ = pattern;
        data_ = (root_ / "daten").string() + "/";
        CLorvanDoc templateFile;
        templateFile.settings().name = "Vorlage";
        templateFile.settings().year = 2025;
        templateFile.settings().keepWorkingTimeAccount = 1;
        templateFile.settings().manageRemainingVacation = 1;
        fs::create_directories(data_);
        templateFile.save(data_ + "T.azr");
        list_ = (root_ / "liste.csv").string();
        std::ofstream out(list_, std::ios::binary);
        out << "Personalnr;Name;Zusatzinfo;Abteilung;Ignorieren;Vorlage;Konto;Resturlaub;Anspruch\r\n";
        for (int64_t i = 1; i <= lines; ++i)
            out << 1000 + i << ";Mitarbeiter " << i << ", Vorname;Schicht " << i % 3 << ";Abteilung " << i % 7
                << ";;T.azr;" << i % 40 << ",5;" << i % 5 << ";30\r\n";
    }
    ~ImportDirectory() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // A new data directory: "Daten.mar" without employees, the template and no year file. The
    // directories of earlier runs stay until the end, so that the file system does not spend the
    // run on the many files just deleted.
    void reset() {
        const std::string fresh = (root_ / ("daten" + std::to_string(++runs_))).string() + "/";
        fs::create_directories(fresh);
        fs::copy_file(data_ + "T.azr", fresh + "T.azr");
        data_ = fresh;
        CTwMaDoc().save(CTwMaDoc::pathIn(data_));
    }

    bool import() {
        EmployeeImportOptions options;
        options.importFile = list_;
        options.year = 2026;
        EmployeeImportEnvironment environment;
        environment.prompter = &prompter_;
        environment.clock = &clock_;
        environment.dataDirectory = data_;
        return runEmployeeImport(options, environment).success;
    }

  private:
    fs::path root_;
    std::string data_;
    int runs_ = 0;
    std::string list_;
    FixedAnswerPrompter prompter_{false, true};
    FixedClock clock_{Datum{15, 6, 2026}};
};

void BM_EmployeeImportNewEmployees(benchmark::State& state) {
    ImportDirectory directory(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        directory.reset();
        state.ResumeTiming();
        if (!directory.import()) state.SkipWithError("the import failed");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EmployeeImportNewEmployees)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EmployeeImportAgain(benchmark::State& state) {
    ImportDirectory directory(state.range(0));
    directory.reset();
    directory.import();
    for (auto _ : state)
        if (!directory.import()) state.SkipWithError("the import failed");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EmployeeImportAgain)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
