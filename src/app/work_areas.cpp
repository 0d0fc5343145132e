#include "app/work_areas.h"

#include "app/document_kinds.h"
#include "foundation/file_system.h"

namespace lorvan {
namespace {

using T = WorkAreaTarget;
using C = WorkAreaCommand;

constexpr std::array<WorkAreaCommandInfo, 10> kCommands{{
    {C::Employees, "&Mitarbeiter verwalten...", T::WorkArea, kViewEmployees, true,
     kEmployeesProcessingMessage, false, nullptr, false},
    {C::Customers, "&Kunden verwalten...", T::WorkArea, kViewCustomers, true, nullptr, false, nullptr, false},
    {C::Services, "Dienst&leistungen verwalten...", T::WorkArea, kViewServices, true, nullptr, false, nullptr,
     false},
    {C::Logbook, "Fahrtenb&uch...", T::WorkArea, kViewVehicles, true, nullptr, false, nullptr, false},
    {C::CustomerQuery, "&Kundenabfrage...", T::WorkArea, kViewCustomerQuery, false,
     kEmployeesProcessingMessage, true, nullptr, false},
    {C::MonthClosing, "Monats&abschluss...", T::WorkArea, kViewMonthClosing, false,
     kEvaluationsProcessingMessage, true, nullptr, false},
    {C::QuickEntry, "&Schnellerfassung...", T::QuickEntryDialog, 0, false, kEntryProcessingMessage, true,
     kNoEmployeesForEntryMessage, true},
    {C::DataImport, "Daten&import...", T::ImportDialog, 0, false, kImportProcessingMessage, true,
     kNoEmployeesForEntryMessage, true},
    {C::EmployeeImport, "&Mitarbeiterimport...", T::EmployeeImportDialog, 0, false, kImportProcessingMessage,
     false, nullptr, true},
    {C::GeneralSettings, "Allgemeine &Einstellungen...", T::GeneralSettingsDialog, 0, false, nullptr, false,
     nullptr, false},
}};

WorkAreaPlan refusal(const std::string& message) {
    WorkAreaPlan plan;
    plan.message = message;
    return plan;
}

} // namespace

const std::array<WorkAreaCommandInfo, 10>& workAreaCommands() {
    return kCommands;
}

const WorkAreaCommandInfo& workAreaCommand(WorkAreaCommand command) {
    for (const WorkAreaCommandInfo& info : kCommands)
        if (info.command == command) return info;
    return kCommands.front(); // not reached: every command has its row
}

std::string workAreaFileName(int32_t view) {
    switch (view) {
    case kViewEmployees:
    case kViewCustomerQuery:
    case kViewMonthClosing:
        return kEmployeeFileName;
    case kViewCustomers:
        return kCustomerFileName;
    case kViewServices:
        return kServiceFileName;
    case kViewVehicles:
        return kVehicleFileName;
    default:
        return {};
    }
}

WorkAreaPlan planWorkArea(int32_t view, bool createWhenMissing, const std::string& dataDirectory) {
    const std::string fileName = workAreaFileName(view);
    if (fileName.empty()) return refusal({});
    const std::string path = withSeparator(dataDirectory, true) + fileName;
    const bool exists = fileExists(path);
    if (!exists && !createWhenMissing) {
        // The employee-based areas name what to do; the others are always opened with creation.
        return refusal(fileName == kEmployeeFileName ? std::string(kNoEmployeesMessage)
                                                     : "Die Datei '" + path + "' existiert nicht.");
    }
    int kind = findDocumentKind(path);
    // The customer query and the month closing get their own views on the employee document: the
    // kind after the employees' kind and the second after it.
    if (view == kViewCustomerQuery) kind += 1;
    if (view == kViewMonthClosing) kind += 2;

    WorkAreaPlan plan;
    plan.action = WorkAreaPlan::Action::OpenWindow;
    plan.path = path;
    plan.view = view;
    plan.kindIndex = kind;
    plan.create = !exists;
    return plan;
}

WorkAreaPlan planCommand(WorkAreaCommand command, const std::string& dataDirectory, bool processingRunning) {
    const WorkAreaCommandInfo& info = workAreaCommand(command);
    if (processingRunning && info.processingMessage) return refusal(info.processingMessage);
    if (info.target == WorkAreaTarget::WorkArea)
        return planWorkArea(info.view, info.createWhenMissing, dataDirectory);

    WorkAreaPlan plan;
    if (info.needsEmployeeFile) {
        plan.path = withSeparator(dataDirectory, true) + kEmployeeFileName;
        if (!fileExists(plan.path)) return refusal(info.missingFileMessage);
    }
    plan.action = WorkAreaPlan::Action::ShowDialog;
    plan.target = info.target;
    plan.reopensEmployees = info.reopensEmployees;
    return plan;
}

} // namespace lorvan
