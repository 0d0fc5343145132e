#include "yearsettings/file_settings_environment.h"

#include "app/open_year_file.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/year_statistics.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/io_select.h"
#include "masterdata/employee_file.h"
#include "masterdata/service_file.h"
#include "masterdata/service_list.h"
#include "yearfile/year_document.h"

#include <exception>

namespace lorvan {

FileSettingsEnvironment fileSettingsEnvironment(const std::string& dataDirectory, const Clock& clock) {
    FileSettingsEnvironment environment;
    environment.clock = &clock;
    environment.yearFileExists = [dataDirectory](const std::string& name, int32_t year) {
        return fileExists(fullYearFilePath(dataDirectory, name, year));
    };
    const std::string employeePath = CTwMaDoc::pathIn(dataDirectory);
    if (fileExists(employeePath)) {
        try {
            CTwMaDoc employees;
            employees.open(employeePath);
            for (const auto& [number, employee] : employees.employees)
                environment.employeeNames.push_back(employee.name);
        } catch (const std::exception&) {
            // Without a readable employee file the name is typed.
        }
    }
    // Only a service file that was read tells which services are gone.
    const std::string servicePath = serviceFilePath(dataDirectory);
    if (fileExists(servicePath)) {
        try {
            CTwDienstlDoc services;
            services.open(servicePath);
            environment.serviceNames = services.names();
        } catch (const std::exception&) {
            environment.serviceNames.reset();
        }
    }
    return environment;
}

IoSelect copySourceSelection(const std::string& dataDirectory) {
    IoSelect selection(IoSelectMode::OpenFile, "", "Arbeitszeitdatei", dataDirectory);
    selection.setTitle("Kopieren von");
    selection.addFilter("Arbeitszeitdatei", kYearFileExtension);
    selection.setAllFilesEntry(false);
    selection.setDefaultExtension(kYearFileExtension);
    return selection;
}

std::optional<std::string> copyFromYearFile(FileSettingsDialog& dialog, const std::string& path,
                                            const std::string& dataDirectory) {
    try {
        OpenYearFile source(path, dataDirectory);
        YearEvaluator evaluator(source.document, source.context());
        const double balance = evaluator.accountBalance(12);
        const double remaining = remainingVacation(source.document, 12);
        dialog.copyFrom(source.document.settings(), remaining, balance);
        return std::nullopt;
    } catch (const std::exception& failure) {
        const std::string cause = failure.what();
        if (cause.empty()) return std::string("Die Datei konnte nicht gelesen werden.");
        return "Die Datei konnte nicht gelesen werden: " + cause;
    }
}

} // namespace lorvan
