// A driver for profiling the time import's writing phase under callgrind, where the Google
// Benchmark loop would add its own noise:
//
//   lorvan_import_profile [EMPLOYEES [FILE]]   reads EMPLOYEES × 5,000 lines (default 40), or the
//                                              text of FILE, then writes; then loads and saves
//                                              every file written once (the least the writing
//                                              phase must do, as BM_LoadAndSaveTouchedFiles)
//
// It prints a digest of the year files written and of the protocol texts, by which two builds can be
// compared for equal results.
//
// Collect the writing phase and the loading and saving with
//   valgrind --tool=callgrind --toggle-collect='lorvan::writeDays*' --toggle-collect='loadAndSave*'
//            lorvan_import_profile 40
// and compare the inclusive counts of writeDays and loadAndSave.
#include "../import_samples.h"

#include "import/time_import.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

// FNV-1a over the texts given.
struct Digest {
    uint64_t value = 14695981039346656037ull;
    void add(std::string_view text) {
        for (const char c : text)
            value = (value ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
};

} // namespace

// Every file loaded and saved once, with the change check of every save.
__attribute__((noinline)) void loadAndSave(const std::vector<std::string>& paths,
                                           const std::string& dataDirectory) {
    using namespace lorvan;
    FixedAnswerPrompter prompter(false, true);
    const StorageContext storage{&prompter, dataDirectory, nullptr, nullptr};
    for (const std::string& path : paths) {
        CLorvanDoc document;
        document.open(path);
        document.setModified();
        if (!document.save(path, true, storage)) std::fprintf(stderr, "%s not saved\n", path.c_str());
    }
}

int main(int argc, char** argv) {
    using namespace lorvan;
    const int employees = argc > 1 ? std::atoi(argv[1]) : 40;
    if (employees <= 0) {
        std::fprintf(stderr, "usage: lorvan_import_profile [EMPLOYEES]\n");
        return 2;
    }
    const bench::ImportSamples samples(employees);
    // A file of its own may have faulty lines: it is imported anyway.
    FixedAnswerPrompter prompter(argc > 2, true);
    FixedClock clock(Datum{1, 12, 2026});
    TimeImportOptions options;
    options.importFile = samples.dataDirectory + "import.csv";
    TimeImportEnvironment environment;
    environment.prompter = &prompter;
    environment.clock = &clock;
    environment.dataDirectory = samples.dataDirectory;
    TimeImport import(options, environment);
    std::string text = samples.text;
    if (argc > 2) {
        std::stringstream file;
        file << std::ifstream(argv[2], std::ios::binary).rdbuf();
        text = file.str();
    }
    if (!import.read(std::move(text))) return 1;
    import.write();
    const TimeImportResult& result = import.result();
    Digest files;
    Digest protocols;
    for (const std::string& path : result.filesWritten) {
        std::stringstream bytes;
        bytes << std::ifstream(path, std::ios::binary).rdbuf();
        files.add(path);
        files.add(bytes.str());
    }
    protocols.add(result.protocol);
    protocols.add(result.shownProtocol);
    for (const ImportDayReport& day : result.days)
        protocols.add(day.protocol);
    loadAndSave(result.filesWritten, samples.dataDirectory);
    std::printf("%zu files written, digest of the files %016llx, of the protocols %016llx\n",
                result.filesWritten.size(), static_cast<unsigned long long>(files.value),
                static_cast<unsigned long long>(protocols.value));
    return 0;
}
