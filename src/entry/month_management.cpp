#include "entry/month_management.h"

#include "evaluation/evaluation_context.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/public_holidays.h"
#include "evaluation/year_statistics.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "masterdata/employee_files.h"
#include "masterdata/employee_lookup.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

namespace lorvan {

MonthCreation createMonth(CLorvanDoc& document, int32_t month, Prompter& prompter, const MonthClosedRule& closed) {
    if (document.months().size() >= 12)
        return prompter.askYesNo(kTwelveMonthsQuestion) ? MonthCreation::OpenNextYear : MonthCreation::Nothing;
    if (month == 0)
        return prompter.askYesNo(kNoMonthNumberQuestion) ? MonthCreation::OpenNextYear : MonthCreation::Nothing;
    if (month < 1 || month > 12) {
        prompter.error(kMonthNumberInvalidMessage);
        return MonthCreation::Nothing;
    }
    if (document.month(month) != nullptr) {
        prompter.error(kMonthExistsMessage);
        return MonthCreation::Nothing;
    }
    // The month's holiday days would change a closed month.
    if (closed && closed(month, document.settings().year)) {
        prompter.error(kMonthLockedMessage);
        return MonthCreation::Nothing;
    }
    enterPublicHolidays(document.addMonth(month));
    document.resetFromMonth(month);
    document.setModified();
    return MonthCreation::OpenMonth;
}

std::string deleteMonthQuestion(const CLorvanDoc& document, int32_t month) {
    std::string question = "Soll der " + monthName(month) + " gelöscht werden?";
    const CMonatDoc* existing = document.month(month);
    if (existing != nullptr && !existing->days().empty())
        question += "\n\nDer Monat enthält Tage, die dann ebenfalls gelöscht werden.";
    return question;
}

bool deleteMonth(CLorvanDoc& document, int32_t month, Prompter& prompter, const MonthClosedRule& closed,
                 const std::function<bool()>& closeMonthWindows) {
    if (document.month(month) == nullptr) return false;
    if (closed && closed(month, document.settings().year)) {
        prompter.error(kMonthLockedMessage);
        return false;
    }
    if (!prompter.askYesNo(deleteMonthQuestion(document, month))) return false;
    if (closeMonthWindows && !closeMonthWindows()) return false;
    document.removeMonth(month);
    // The later months carried their weeks and account on from the deleted one.
    document.resetFromMonth(month);
    document.setModified();
    return true;
}

CLorvanDoc startYearFile(const std::string& name, int32_t year, const CLorvanDoc* from,
                         const EvaluationContext& context, const Clock& clock) {
    CLorvanDoc document;
    document.startNew(clock);
    // Name and year first: the copy tells the same person continuing from another one by them.
    document.settings().name = name;
    document.settings().year = year;
    if (const std::optional<std::string> refusal = generalSettingsRefusal(document.settings(), clock))
        throw LorvanError(*refusal);
    if (from != nullptr) {
        // Evaluated on a copy: the evaluation caches its results in the months it evaluates.
        CLorvanDoc source(*from);
        YearEvaluator evaluator(source, context);
        const double balance = evaluator.accountBalance(12);
        document.settings().copyFrom(source.settings(), remainingVacation(source, 12), balance);
    }
    document.setModified();
    return document;
}

NextYearFile nextYearFile(const CLorvanDoc& document, const std::string& dataDirectory,
                          const EvaluationContext& context, const Clock& clock) {
    const CEinstArbzt& settings = document.settings();
    const std::string folder = dataDirectory.empty() ? directoryOfPath(document.path(), false) : dataDirectory;
    NextYearFile next;
    next.path = yearFilePath(folder, settings.name, settings.year + 1);
    if (!fileExists(next.path))
        next.created = std::make_unique<CLorvanDoc>(
            startYearFile(settings.name, settings.year + 1, &document, context, clock));
    return next;
}

CLorvanDoc startYearFileIn(const std::string& dataDirectory, const std::string& name, int32_t year,
                           const Clock& clock) {
    const std::string previousPath = yearFilePath(dataDirectory, name, year - 1);
    if (!fileExists(previousPath)) return startYearFile(name, year, nullptr, EvaluationContext{}, clock);
    CLorvanDoc previous;
    previous.open(previousPath);
    const std::unique_ptr<EmployeeFileLookup> employees = EmployeeFileLookup::open(dataDirectory);
    FilePreviousYearSource previousYears;
    return startYearFile(name, year, &previous, EvaluationContext{employees.get(), &previousYears}, clock);
}

} // namespace lorvan
