#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "platform/prompter.h"
#include "query/customer_query.h"
#include "query/year_file_scan.h"
#include "yearfile/year_document.h"
#include "yearfile/year_file.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The customer query over many year files, against reading the files' bytes. The goals: a query over
// 1,000 full-year files takes at most twice as long as reading all their bytes from the page cache
// (QueryAllFullYears / ReadAllBytes); a query of the current year over 20 years of files costs about
// as much as reading the files' first bytes, where their settings lie (QueryCurrentYearOf20Years /
// ReadAllHeads). Run with TMPDIR on a memory file system (/dev/shm) to keep the disk out.
namespace {

using namespace lorvan;
namespace fs = std::filesystem;

class QueryDirectory {
  public:
    // employees × years year files, every working day with five lines.
    QueryDirectory(int32_t employees, int32_t years) {
        std::string pattern = (fs::temp_directory_path() / "lorvan-query-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        root_ = pattern + "/";
        for (int32_t c = 1; c <= 6; ++c) customers_.put(CKundeDoc{c, "Kunde " + std::to_string(c), "", "", "", "", 0});
        for (int32_t year = 2027 - years; year <= 2026; ++year) {
            CLorvanDoc doc;
            doc.settings().name = "Vorlage";
            doc.settings().year = year;
            for (int32_t m = 1; m <= 12; ++m) {
                CMonatDoc& month = doc.addMonth(m);
                for (int32_t d = 1; d <= 28; ++d) {
                    if (d % 7 == 0 || d % 7 == 6) continue;
                    CTagDoc& day = month.addDay(d);
                    const char* times[] = {"7:30", "8:00", "12:00", "12:30", "15:00", "16:15"};
                    for (int i = 0; i < 5; ++i) {
                        CZeitZeile& line = day.addLine();
                        line.kind = i == 2 ? kKindBreak : (i == 0 ? kKindTravel : kKindCustomer);
                        if (line.kind == kKindCustomer) line.customer = std::to_string(1 + (d + i) % 6) + " - Kunde";
                        line.service = i == 1 ? "Wartung" : (i == 3 ? "Montage" : "");
                        line.from = times[i];
                        line.to = times[i + 1];
                        line.duration = 30 + 15 * i;
                        line.costKind = kCostFixedAmount;
                        line.costAmount = 10.0;
                    }
                }
            }
            for (int32_t e = 1; e <= employees; ++e) {
                const std::string name = "Mitarbeiter " + std::to_string(e);
                doc.settings().name = name;
                const std::string path = root_ + fileNameFor(name, year);
                std::ofstream(path, std::ios::binary) << doc.toBytes();
                files_.push_back(path);
                bytes_ += fs::file_size(path);
                if (year == 2026) {
                    CMitarbeiterDoc record;
                    record.number = e;
                    record.name = name;
                    employees_.put(record);
                }
            }
        }
    }
    ~QueryDirectory() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    QuerySource source() const { return {root_, &employees_, &customers_}; }
    const std::vector<std::string>& files() const { return files_; }
    uint64_t bytes() const { return bytes_; }

  private:
    std::string root_;
    CTwMaDoc employees_;
    CTwKundenDoc customers_;
    std::vector<std::string> files_;
    uint64_t bytes_ = 0;
};

// Reads up to limit bytes of every file (0: all), as cat does.
uint64_t readFiles(const std::vector<std::string>& files, size_t limit) {
    static std::vector<char> buffer(128 * 1024);
    uint64_t total = 0;
    for (const std::string& path : files) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        size_t read = 0;
        for (ssize_t n; (n = ::read(fd, buffer.data(), limit ? std::min(buffer.size(), limit - read) : buffer.size())) > 0;) {
            read += static_cast<size_t>(n);
            if (limit && read >= limit) break;
        }
        ::close(fd);
        total += read;
    }
    return total;
}

QueryChoices choices(int32_t period) {
    QueryChoices c;
    c.period.choice = period;
    c.period.today = Datum{15, 6, 2026};
    // Per customer, service and employee: 6 x 3 x 1,000 nodes. (With the day as a level the tree
    // of 1,000 full years has 1.4 million nodes, and building it costs more than reading the files.)
    c.levels = {QueryLevel{kLevelCustomer, true}, QueryLevel{kLevelService, true},
                QueryLevel{kLevelEmployee, true}, QueryLevel{kLevelNone, false}};
    c.showCosts = true;
    return c;
}

const QueryDirectory& fullYears() {
    static const QueryDirectory directory(1000, 1);
    return directory;
}

const QueryDirectory& twentyYears() {
    static const QueryDirectory directory(50, 20);
    return directory;
}

void runQuery(benchmark::State& state, const QueryDirectory& directory, int32_t period) {
    FixedAnswerPrompter prompter(true, true);
    for (auto _ : state) {
        auto result = evaluateQuery(directory.source(), choices(period), prompter);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * directory.bytes()));
}

void QueryAllFullYears(benchmark::State& state) {
    runQuery(state, fullYears(), kPeriodAll);
}
BENCHMARK(QueryAllFullYears)->Unit(benchmark::kMillisecond);

void ReadAllBytes(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readFiles(fullYears().files(), 0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fullYears().bytes()));
}
BENCHMARK(ReadAllBytes)->Unit(benchmark::kMillisecond);

void QueryCurrentYearOf20Years(benchmark::State& state) {
    runQuery(state, twentyYears(), kPeriodCurrentYear);
}
BENCHMARK(QueryCurrentYearOf20Years)->Unit(benchmark::kMillisecond);

void ReadAllHeads(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readFiles(twentyYears().files(), 16 * 1024));
}
BENCHMARK(ReadAllHeads)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The part of the query that reads and decodes the year files, without grouping.
void LoadAllFullYears(benchmark::State& state) {
    const QueryDirectory& directory = fullYears();
    for (auto _ : state) {
        std::vector<std::string> skipped;
        size_t lines = 0;
        YearFileScan::run(
            directory.source().dataDirectory, [](const CEinstArbzt&) { return true; },
            [&](const CLorvanDoc& doc) {
                lines += doc.months().size();
                return true;
            },
            skipped);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * directory.bytes()));
}
BENCHMARK(LoadAllFullYears)->Unit(benchmark::kMillisecond);

} // namespace
