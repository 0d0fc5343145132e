#include "evaluation/evaluation_context.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "yearfile/year_document.h"
#include "yearfile/year_file.h"

#include <filesystem>
#include <system_error>

namespace lorvan {

bool Employment::notEmployedOn(const Datum& day) const {
    if (!entryDate.isEmpty() && compareDates(entryDate, day) > 0) return true;
    return hasExit != 0 && compareDates(exitDate, day) < 0;
}

std::string FilePreviousYearSource::previousYearPath(const CLorvanDoc& document) {
    if (document.path().empty()) return "";
    const CEinstArbzt& settings = document.settings();
    const std::filesystem::path directory = std::filesystem::path(document.path()).parent_path();
    return (directory / fileNameFor(settings.name, settings.year - 1)).string();
}

std::unique_ptr<CLorvanDoc> FilePreviousYearSource::previousYear(const CLorvanDoc& document) const {
    const std::string path = previousYearPath(document);
    if (path.empty()) return nullptr;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
    auto previous = std::make_unique<CLorvanDoc>();
    try {
        previous->open(path);
    } catch (const LorvanError&) {
        return nullptr;
    }
    return previous;
}

} // namespace lorvan
