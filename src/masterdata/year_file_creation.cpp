#include "masterdata/year_file_creation.h"

#include "evaluation/month_evaluation.h"
#include "evaluation/year_statistics.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "masterdata/employee.h"
#include "masterdata/employee_files.h"
#include "masterdata/employee_lookup.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <cmath>
#include <memory>

namespace lorvan {
namespace {

// The cause that the unreadable-file message carries ("...\n\nUrsache: <cause>"), or empty.
std::string causeOfUnreadable(const std::string& message) {
    static const std::string marker = "\n\nUrsache: ";
    const size_t at = message.find(marker);
    return at == std::string::npos ? std::string() : message.substr(at + marker.size());
}

bool loadYearFile(CLorvanDoc& document, const std::string& path, std::string& error) {
    try {
        document.open(path);
        return true;
    } catch (const LorvanError& e) {
        error = "FEHLER: Die Datei '" + path + "' konnte nicht gelesen werden.\n";
        const std::string cause = causeOfUnreadable(e.what());
        if (!cause.empty()) error += cause + "\n";
        return false;
    }
}

// A template name names a file of the data directory itself.
bool staysInDataDirectory(const std::string& templateName) {
    return templateName.find('/') == std::string::npos && templateName.find('\\') == std::string::npos &&
           templateName.find("..") == std::string::npos;
}

// Amounts of hours and days are kept to two places.
bool differs(double a, double b) {
    return std::fabs(a - b) >= 0.005;
}

} // namespace

double readDecimalNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    double value = 0.0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        value = value * 10.0 + (text[i++] - '0');
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i++] - '0') * scale;
            scale /= 10.0;
        }
    }
    // Hundreds of digits would give infinity: no amount of hours or days.
    if (!std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

bool createYearFile(const CMitarbeiterDoc& employee, const YearFileRequest& request, std::string& protocol,
                    const StorageContext& storage, const Clock& clock, const EmployeeLookup* employees) {
    const std::string& name = employee.name;
    const std::string& directory = storage.dataDirectory;
    const std::string target = yearFilePath(directory, name, request.year);
    const bool exists = fileExists(target);
    std::string error;
    auto fail = [&]() {
        protocol += error + "Die Datei für Mitarbeiter " + name + " konnte nicht angelegt werden.\n";
        return false;
    };
    const std::string namedTemplate = withSeparator(directory, true) + request.templateName;
    auto missingTemplate = [&](const std::string& path) {
        error = "FEHLER: Die Vorlagedatei existiert nicht:\n" + path + "\n";
        return fail();
    };

    std::string templatePath;
    if (!exists) {
        templatePath =
            request.templateName.empty() ? yearFilePath(directory, name, request.year - 1) : namedTemplate;
        if (!staysInDataDirectory(request.templateName) || !fileExists(templatePath))
            return missingTemplate(templatePath);
    } else if (request.reportExisting) {
        protocol += "Die Datei für Mitarbeiter " + name + " existiert bereits: " + target + "\n";
    } else if (!request.templateName.empty()) {
        if (!staysInDataDirectory(request.templateName)) return missingTemplate(namedTemplate);
        templatePath = namedTemplate;
    } else {
        const std::string previous = yearFilePath(directory, name, request.year - 1);
        if (fileExists(previous)) templatePath = previous;
    }

    // The template's remaining vacation and account balance at the end of December.
    CLorvanDoc templateFile;
    double templateVacation = 0.0;
    double templateBalance = 0.0;
    if (!templatePath.empty()) {
        if (!loadYearFile(templateFile, templatePath, error)) return fail();
        try {
            std::unique_ptr<EmployeeFileLookup> ownLookup;
            if (employees == nullptr) {
                ownLookup = EmployeeFileLookup::open(directory);
                employees = ownLookup.get();
            }
            FilePreviousYearSource previousYears;
            YearEvaluator evaluator(templateFile, EvaluationContext{employees, &previousYears});
            templateVacation = remainingVacation(templateFile, 12);
            templateBalance = evaluator.accountBalance(12);
        } catch (const LorvanError& e) {
            error = "FEHLER: " + std::string(e.what()) + "\n";
            return fail();
        }
    }

    // The corrections are told only once they are saved.
    std::string corrections;
    CLorvanDoc document;
    if (exists) {
        if (!loadYearFile(document, target, error)) return fail();
        if (!templatePath.empty()) {
            CEinstArbzt& settings = document.settings();
            if (settings.manageRemainingVacation != 0 &&
                differs(templateVacation, settings.remainingVacationPreviousYear)) {
                settings.remainingVacationPreviousYear = templateVacation;
                corrections += name + ": Resturlaub Vorjahr wurde korrigiert\n";
            }
            if (settings.keepWorkingTimeAccount != 0 && differs(templateBalance, settings.accountCarryOver)) {
                settings.accountCarryOver = templateBalance;
                corrections += name + ": Übertrag Arbeitszeitkonto wurde korrigiert\n";
            }
        }
    } else {
        document.startNew(clock);
        // Name and year first: the copy tells the same person continuing from another one by them.
        document.settings().name = name;
        document.settings().year = request.year;
        document.settings().copyFrom(templateFile.settings(), templateVacation, templateBalance);
    }

    CEinstArbzt& settings = document.settings();
    if (settings.keepWorkingTimeAccount != 0 && !request.accountCarryOver.empty())
        settings.accountCarryOver = readDecimalNumber(request.accountCarryOver);
    if (settings.manageRemainingVacation != 0) {
        if (!request.remainingVacation.empty())
            settings.remainingVacationPreviousYear = readDecimalNumber(request.remainingVacation);
        if (!request.vacationEntitlement.empty())
            settings.vacationEntitlement = readDecimalNumber(request.vacationEntitlement);
    }

    ProtocolPrompter prompts(promptsOf(storage));
    StorageContext saving = storage;
    saving.prompter = &prompts;
    const bool saved =
        exists ? document.save(target, true, saving) : document.save(std::string(), true, saving);
    if (!saved) {
        error = "FEHLER: Die Daten konnten nicht gespeichert werden.\n" + prompts.messages();
        return fail();
    }
    protocol += corrections;
    return true;
}

} // namespace lorvan
