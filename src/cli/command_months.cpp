#include "cli/commands.h"

#include "app/open_year_file.h"
#include "cli/record_commands.h"
#include "entry/month_management.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"
#include "platform/clock.h"
#include "platform/prompter.h"

#include <ostream>

// months add|delete FILE M: the year view's "A&nlegen" and "Aktuell ausgewählten Eintrag &löschen" on
// a year file, questions answered by --yes / --no, the month closing of Lorvan.ini honoured.
namespace lorvan::cli {
namespace {

constexpr const char* kUsage = "months add|delete DATEI MONAT";

} // namespace

int runMonths(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    expectArguments(args, 3, kUsage);
    const std::string& sub = args[0];
    if (sub != "add" && sub != "delete") throw LorvanError("Aufruf: " + std::string(kUsage));
    const std::string& path = args[1];
    const int32_t month = monthArgument(args[2], true);
    OpenYearFile file(path, options.dataDirectory);
    CLorvanDoc& document = file.document;
    FixedAnswerPrompter prompter(options.answerYes);
    // A new file of the next year goes where the data files are: the data directory, else beside this one.
    const std::string folder =
        options.dataDirectory.empty() ? directoryOfPath(path, true) : withSeparator(options.dataDirectory, true);
    const StorageContext storage{&prompter, folder, nullptr, nullptr};
    const MonthClosedRule closed = monthClosedRule(options);

    if (sub == "delete") {
        if (document.month(month) == nullptr)
            throw LorvanError("Die Datei enthält den Monat " + monthName(month) + " nicht.");
        if (!deleteMonth(document, month, prompter, closed, {})) return 1;
        if (!document.save(path, true, storage)) return 1;
        out << monthName(month) << " gelöscht: " << path << '\n';
        return 0;
    }
    switch (createMonth(document, month, prompter, closed)) {
    case MonthCreation::Nothing:
        return 1;
    case MonthCreation::OpenMonth:
        if (!document.save(path, true, storage)) return 1;
        out << monthName(month) << " angelegt: " << path << '\n';
        return 0;
    case MonthCreation::OpenNextYear:
        break;
    }
    const FixedClock clock(today(options));
    NextYearFile next = nextYearFile(document, folder, file.context(), clock);
    if (next.created) {
        if (!next.created->save(std::string(), true, storage)) return 1;
        out << "Neue Jahresdatei angelegt: " << next.created->path() << '\n';
    } else {
        out << "Die Jahresdatei des nächsten Jahres existiert schon: " << next.path << '\n';
    }
    return 0;
}

} // namespace lorvan::cli
