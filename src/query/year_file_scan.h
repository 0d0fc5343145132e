#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Walking over the year files of a data directory for an evaluation across all employees: each
// file's settings are read from its first bytes, and the rest of the file only when the caller
// takes the file (its year and owner pass). One pass over the files, each read at most once.
namespace lorvan {

class CEinstArbzt;
class CLorvanDoc;
class YearFileLines;

struct YearFileScan {
    // The files directly in the directory (no subdirectories) whose name ends in ".azr", letter case
    // ignored, in name order.
    static std::vector<std::string> yearFilesIn(const std::string& dataDirectory);

    // For every year file: wanted(settings) decides from the settings alone whether the file is
    // read whole; then visit(document) gets it. Files that cannot be opened or read are skipped
    // and their paths collected in skipped. A file whose name is not the year-file name of the
    // owner and year in its settings (a stray copy such as "Anna2026 (2).azr") is passed over
    // without reading more: it would count the same times twice. visit returns false to stop.
    // Exceptions of wanted and visit pass through.
    static void run(const std::string& dataDirectory, const std::function<bool(const CEinstArbzt&)>& wanted,
                    const std::function<bool(const CLorvanDoc&)>& visit, std::vector<std::string>& skipped);
    // The same with only the time lines of each file taken (YearFileLines): for sums over the lines,
    // where building whole documents would cost more than reading the files.
    static void runLines(const std::string& dataDirectory, const std::function<bool(const CEinstArbzt&)>& wanted,
                         const std::function<bool(const YearFileLines&)>& visit, std::vector<std::string>& skipped);
};

// The file name (without folder) is the year-file name of the owner and year, letter case ignored.
bool isOwnYearFileName(const std::string& fileName, const std::string& owner, int32_t year);

} // namespace lorvan
