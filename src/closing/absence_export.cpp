#include "closing/absence_export.h"

#include "closing/booking_export.h"
#include "closing/export_files.h"
#include "closing/month_collection.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "platform/prompter.h"
#include "platform/user_store.h"

namespace lorvan {
namespace {

constexpr const char* kFileKey = "FehlzeitCsvDatei";
constexpr const char* kOnlyMissingKey = "FehlzeitNurLeer";

// The lines of one month of one employee.
int32_t exportMonth(std::string& out, bool onlyMissing, const CollectedMonth& m) {
    const CMitarbeiterDoc& employee = m.employee();
    const int32_t year = m.document().settings().year;
    const WorkingTimePeriod& period = m.document().settings().periodForMonth(m.month);
    const std::string lead = employee.department + ";" + format("%d", employee.number) + ";" + employee.name + ";";
    if (period.fixedRegularWorkingDays == 0) {
        if (onlyMissing) return 0;
        out += lead + ";\n";
        return 1;
    }
    Datum first;
    Datum last;
    if (!employee.employmentBoundsInMonth(Datum{1, m.month, year}, first, last)) return 0;
    const CMonatDoc* month = m.document().month(m.month);
    int32_t count = 0;
    for (int32_t d = first.day; d <= last.day; ++d) {
        const Datum date{d, m.month, year};
        const size_t weekday = static_cast<size_t>(weekdayCalendar(date) - 1);
        if (period.hoursByWeekday[weekday] <= 0) continue;
        const CTagDoc* day = month ? month->day(d) : nullptr;
        std::string code;
        if (day != nullptr) {
            if (day->lineCount() > 0) continue;
            code = absenceExportCode(*day, period, weekday);
            if (onlyMissing && !code.empty()) continue;
        }
        out += lead + format("%2.2d.%2.2d.%4.4d", d, m.month, year) + ";" + code + "\n";
        ++count;
    }
    return count;
}

} // namespace

const char* absenceExportCode(const CTagDoc& day, const WorkingTimePeriod& period, size_t weekday) {
    if (day.publicHoliday != 0) return "";
    return absenceCode(day.dayKind, day.dayKind == kVacation && period.fixedRegularWorkingDays != 0 &&
                                        period.halfDayByWeekday[weekday] != 0);
}


AbsenceExportResult exportAbsences(const std::string& path, bool onlyMissing, const std::vector<CollectedMonth>& months) {
    AbsenceExportResult result;
    if (const auto refusal = dataFileRefusal(path)) {
        result.error = *refusal;
        return result;
    }
    std::string text = std::string(kAbsenceExportHeader) + "\n";
    int32_t count = 0;
    try {
        for (const CollectedMonth& m : months)
            count += exportMonth(text, onlyMissing, m);
    } catch (const LorvanError& e) {
        result.error = std::string(e.what()) + "\nDie Datei wurde nicht geschrieben: " + path;
        return result;
    }
    std::string cause;
    switch (writeWholeTextFile(path, text, cause)) {
    case WriteFailure::Create:
        result.error = "Die Datei konnte nicht angelegt werden: " + path;
        return result;
    case WriteFailure::Write:
        result.error = cause;
        return result;
    case WriteFailure::None:
        break;
    }
    result.count = count;
    return result;
}

AbsenceExportForm::AbsenceExportForm(UserStore& store, Prompter& prompter) : store_(store), prompter_(prompter) {
    const auto section = store_.readSection(kClosingSection);
    file_ = entryOf(section, kFileKey);
    onlyMissing_ = entryOf(section, kOnlyMissingKey, "1") == "1";
}

int32_t AbsenceExportForm::run(const std::string& path, const std::vector<CollectedMonth>& months) {
    const AbsenceExportResult result = exportAbsences(path, onlyMissing_, months);
    if (result.count < 0) {
        prompter_.error(result.error);
    } else if (result.count == 0) {
        prompter_.inform(kNoData);
    } else {
        file_ = path;
        store_.writeStrings(kClosingSection, {{kFileKey, path}, {kOnlyMissingKey, onlyMissing_ ? "1" : "0"}});
        prompter_.inform(format("Die Datei wurde mit %d Sätzen geschrieben: ", result.count) + path);
    }
    return result.count;
}

} // namespace lorvan
