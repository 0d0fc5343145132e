#include "cli/closing_selection.h"
#include "cli/commands.h"
#include "cli/report_output.h"

#include "closing/absence_export.h"
#include "closing/booking_export.h"
#include "foundation/error.h"
#include "foundation/format.h"

#include <algorithm>
#include <ostream>

namespace lorvan::cli {

int runAbsences(const Options& options, const std::vector<std::string>& arguments, std::ostream& out,
                std::ostream& err) {
    if (arguments.empty() || arguments.front() != "export")
        throw LorvanError("absences: absences export --out DATEI [--all-days] angeben.");
    std::vector<std::string> args(arguments.begin() + 1, arguments.end());
    const std::string path = takeOption(args, "--out", "absences export", "");
    if (path.empty()) throw LorvanError("absences export: --out DATEI angeben.");
    const auto allDays = std::find(args.begin(), args.end(), "--all-days");
    const bool onlyMissing = allDays == args.end();
    if (!onlyMissing) args.erase(allDays);
    const std::unique_ptr<MonthCollection> collection = takeClosingSelection(options, args, "absences export");
    if (!args.empty()) throw LorvanError("absences export: unbekanntes Argument '" + args.front() + "'.");
    reportCollectionProblems(*collection, err);
    const AbsenceExportResult result = exportAbsences(path, onlyMissing, collection->monthList);
    if (result.count < 0) throw LorvanError(result.error);
    if (result.count == 0)
        out << kNoData << '\n';
    else
        out << format("Die Datei wurde mit %d Sätzen geschrieben: ", result.count) << path << '\n';
    return 0;
}

} // namespace lorvan::cli
