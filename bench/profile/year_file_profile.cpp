// A driver for profiling the loading and evaluation of many year files under callgrind, where the
// Google Benchmark loop would add its own noise:
//
//   lorvan_year_file_profile write DIR COUNT     writes COUNT full-year files into DIR
//   lorvan_year_file_profile open DIR            opens every .azr file of DIR once
//   lorvan_year_file_profile evaluate DIR        opens them and evaluates their twelve months
#include "../year_file_samples.h"

#include "evaluation/month_evaluation.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace lorvan;
namespace fs = std::filesystem;

std::vector<std::string> yearFilesIn(const fs::path& directory) {
    std::vector<std::string> paths;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory))
        if (entry.path().extension() == ".azr") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

int usage() {
    std::fprintf(stderr, "usage: lorvan_year_file_profile write DIR COUNT | open DIR | evaluate DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string mode = argv[1];
    const fs::path directory = argv[2];
    if (mode == "write" && argc == 4) {
        fs::create_directories(directory);
        const int count = std::atoi(argv[3]);
        for (int i = 0; i < count; ++i) {
            char person[32];
            std::snprintf(person, sizeof person, "Mitarbeiter %04d", i + 1);
            char name[32];
            std::snprintf(name, sizeof name, "Mitarbeiter_%04d2024.azr", i + 1);
            const std::string data = bench::fullYear(person).toBytes();
            std::ofstream(directory / name, std::ios::binary)
                .write(data.data(), static_cast<std::streamsize>(data.size()));
        }
        return 0;
    }
    const bool evaluate = mode == "evaluate";
    if (!evaluate && mode != "open") return usage();
    const EvaluationContext context;
    double sum = 0.0;
    for (const std::string& path : yearFilesIn(directory)) {
        CLorvanDoc doc;
        doc.open(path);
        if (!evaluate) {
            sum += static_cast<double>(doc.months().size());
            continue;
        }
        doc.resetFromMonth(1);
        YearEvaluator evaluator(doc, context);
        for (int32_t m = 1; m <= 12; ++m)
            sum += evaluator.evaluate(m).creditedMinutes;
    }
    std::printf("%.0f\n", sum);
    return 0;
}
