// The heap a loaded year file takes against its size on disk. Every allocation goes through the
// counting operator new below; the driver loads one year file as the program opens it (open, which
// keeps the bytes for the change check; OpenYearFile, as every front end; openToRead, as the closing
// and the reports read) and prints the peak growth of the heap during the load and what stays after
// it, each as bytes and as a multiple of the file's size.
//
//   build/bench/lorvan_year_file_memory [YEAR_FILE.azr]
//
// Without a file it makes the demo firm of 20 employees × 1 year (made on 15.11.2026) in a temporary
// folder and measures its largest year file.
#include "app/open_year_file.h"
#include "cli/demo/demo_data.h"
#include "yearfile/year_file.h"

#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

namespace {

std::atomic<size_t> live{0};
std::atomic<size_t> peak{0};

void* counted(size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    const size_t now = live.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
    size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return p;
}

void uncounted(void* p) {
    if (p == nullptr) return;
    live.fetch_sub(malloc_usable_size(p));
    std::free(p);
}

struct Figures {
    size_t peakGrowth = 0;
    size_t kept = 0;
};

template <class Load>
Figures measure(Load load) {
    const size_t before = live.load();
    peak.store(before);
    Figures f;
    {
        auto held = load();
        f.kept = live.load() - before;
        f.peakGrowth = peak.load() - before;
    }
    return f;
}

} // namespace

void* operator new(size_t size) { return counted(size); }
void* operator new[](size_t size) { return counted(size); }
void operator delete(void* p) noexcept { uncounted(p); }
void operator delete[](void* p) noexcept { uncounted(p); }
void operator delete(void* p, size_t) noexcept { uncounted(p); }
void operator delete[](void* p, size_t) noexcept { uncounted(p); }

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    using namespace lorvan;
    std::string path;
    fs::path made;
    if (argc > 1) {
        path = argv[1];
    } else {
        made = fs::temp_directory_path() / ("lorvan-memory-" + std::to_string(::getpid()));
        cli::createDemoData(made.string(), Datum{15, 11, 2026}, cli::DemoSize{20, 1});
        uintmax_t largest = 0;
        for (const auto& entry : fs::directory_iterator(made))
            if (entry.path().extension() == ".azr" && entry.file_size() > largest) {
                largest = entry.file_size();
                path = entry.path().string();
            }
    }
    const double size = static_cast<double>(fs::file_size(path));
    const std::string directory = fs::path(path).parent_path().string();
    std::printf("%s: %.0f bytes\n", path.c_str(), size);
    const auto print = [&](const char* how, const Figures& f) {
        std::printf("%-14s peak growth %10zu bytes (%.2fx), kept %10zu bytes (%.2fx)\n", how, f.peakGrowth,
                    static_cast<double>(f.peakGrowth) / size, f.kept, static_cast<double>(f.kept) / size);
    };
    print("open", measure([&] {
              auto doc = std::make_unique<CLorvanDoc>();
              doc->open(path);
              return doc;
          }));
    print("OpenYearFile", measure([&] { return std::make_unique<OpenYearFile>(path, directory); }));
    print("openToRead", measure([&] {
              auto doc = std::make_unique<CLorvanDoc>();
              doc->openToRead(path);
              return doc;
          }));
    if (!made.empty()) fs::remove_all(made);
    return 0;
}
