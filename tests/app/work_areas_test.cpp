#include "app/document_kinds.h"
#include "app/processing.h"
#include "app/work_areas.h"
#include "app_fixture.h"

#include "foundation/error.h"
#include "support/error_text.h"

#include <gtest/gtest.h>
#include <optional>

namespace lorvan {
namespace {

using test::AppFixture;
using test::writeBytes;

TEST(DocumentKinds, KindTextsAndLookupOrder) {
    const auto& kinds = documentKinds();
    const DocumentKindFields yearFile = kindFields(kinds[0]);
    EXPECT_EQ(yearFile.windowTitle, "");
    EXPECT_EQ(yearFile.documentName, "Arbzt");
    EXPECT_EQ(yearFile.newDocumentName, "Arbeitszeit");
    EXPECT_EQ(yearFile.filterName, "Arbeitszeitdatei");
    EXPECT_EQ(yearFile.extension, ".azr");
    EXPECT_EQ(yearFile.fileTypeId, "Arbeitszeit");
    EXPECT_EQ(yearFile.fileTypeName, "Lorvan Document");
    const DocumentKindFields logbook = kindFields(kinds[10]);
    EXPECT_EQ(logbook.windowTitle, "Fahrtenbuch verwalten");
    EXPECT_EQ(logbook.filterName, "Fahrtenbuchdatei");
    EXPECT_EQ(logbook.fileTypeName, "Fahrtenbuch Document");

    struct Case {
        const char* path;
        int kind;
    };
    const Case cases[] = {
        {"/d/Max_Muster2024.azr", 0}, {"/d/Daten.mar", 3}, {"/d/DATEN.MAR", 3},      {"/d/Daten.kd", 7},
        {"/d/Daten.dl", 8},           {"/d/Daten.fz", 9},  {"/d/VW2024.fb", 10},     {"C:\\d\\x.Azr", 0},
        {"/d/Lorvan.ini", -1},        {"/d.azr/x", -1},    {"/d/x.azr.tmpAb12", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findDocumentKind(c.path), c.kind) << c.path;

    const int32_t singles[] = {130, 153, 168, 171, 177, 179, 207};
    for (int32_t view : singles)
        EXPECT_TRUE(isSingleWindowView(view)) << view;
    EXPECT_FALSE(isSingleWindowView(kViewCustomerQuery));
    EXPECT_FALSE(isSingleWindowView(0));
}

TEST(WorkAreas, CommandsRefuseOrSayWhatOpens) {
    using A = WorkAreaPlan::Action;
    struct Case {
        WorkAreaCommand command;
        bool processing;
        bool employeeFile; // "Daten.mar" exists
        A action;
        const char* message;
        const char* file;
        int32_t view;
        int kind;
        bool create;
    };
    const Case cases[] = {
        {WorkAreaCommand::Employees, false, false, A::OpenWindow, "", "Daten.mar", 153, 3, true},
        {WorkAreaCommand::Employees, false, true, A::OpenWindow, "", "Daten.mar", 153, 3, false},
        {WorkAreaCommand::Employees, true, true, A::Refuse, kEmployeesProcessingMessage, "", 0, -1, false},
        {WorkAreaCommand::Customers, true, false, A::OpenWindow, "", "Daten.kd", 168, 7, true},
        {WorkAreaCommand::Services, false, false, A::OpenWindow, "", "Daten.dl", 171, 8, true},
        {WorkAreaCommand::Logbook, false, false, A::OpenWindow, "", "Daten.fz", 177, 9, true},
        {WorkAreaCommand::CustomerQuery, false, true, A::OpenWindow, "", "Daten.mar", 157, 4, false},
        {WorkAreaCommand::CustomerQuery, false, false, A::Refuse, kNoEmployeesMessage, "", 0, -1, false},
        {WorkAreaCommand::CustomerQuery, true, true, A::Refuse, kEmployeesProcessingMessage, "", 0, -1,
         false},
        {WorkAreaCommand::MonthClosing, false, true, A::OpenWindow, "", "Daten.mar", 207, 5, false},
        {WorkAreaCommand::MonthClosing, false, false, A::Refuse, kNoEmployeesMessage, "", 0, -1, false},
        {WorkAreaCommand::MonthClosing, true, true, A::Refuse, kEvaluationsProcessingMessage, "", 0, -1,
         false},
        {WorkAreaCommand::QuickEntry, false, true, A::ShowDialog, "", "Daten.mar", 0, -1, false},
        {WorkAreaCommand::QuickEntry, false, false, A::Refuse, kNoEmployeesForEntryMessage, "", 0, -1, false},
        {WorkAreaCommand::QuickEntry, true, true, A::Refuse, kEntryProcessingMessage, "", 0, -1, false},
        {WorkAreaCommand::DataImport, false, false, A::Refuse, kNoEmployeesForEntryMessage, "", 0, -1, false},
        {WorkAreaCommand::DataImport, true, true, A::Refuse, kImportProcessingMessage, "", 0, -1, false},
        {WorkAreaCommand::EmployeeImport, false, false, A::ShowDialog, "", "", 0, -1, false},
        {WorkAreaCommand::EmployeeImport, true, false, A::Refuse, kImportProcessingMessage, "", 0, -1, false},
        {WorkAreaCommand::GeneralSettings, true, false, A::ShowDialog, "", "", 0, -1, false},
    };
    for (const Case& c : cases) {
        AppFixture f;
        f.app.setDataDirectory(f.data.path().string()); // without trailing separator
        if (c.employeeFile) writeBytes(f.data.file("Daten.mar"), "x");
        std::optional<ProcessingGuard> running;
        if (c.processing) running.emplace(f.app.processingFlag());

        const WorkAreaPlan plan = f.app.planCommand(c.command);
        const std::string what =
            workAreaCommand(c.command).menuText + std::string(c.processing ? " running" : "");
        EXPECT_EQ(plan.action, c.action) << what;
        EXPECT_EQ(plan.message, c.message) << what;
        EXPECT_EQ(plan.path, *c.file ? f.data.file(c.file) : "") << what;
        EXPECT_EQ(plan.view, c.view) << what;
        EXPECT_EQ(plan.kindIndex, c.kind) << what;
        EXPECT_EQ(plan.create, c.create) << what;
        const bool reopens = c.action == A::ShowDialog && c.command != WorkAreaCommand::GeneralSettings;
        EXPECT_EQ(plan.reopensEmployees, reopens) << what;
    }
}

TEST(WorkAreas, AreaWithoutItsFileAndWithoutCreation) {
    AppFixture f;
    f.app.setDataDirectory(f.dataDirectory());
    EXPECT_EQ(f.app.openWorkArea(kViewEmployees, false).message, kNoEmployeesMessage);
    EXPECT_EQ(f.app.openWorkArea(kViewCustomers, false).message,
              "Die Datei '" + f.data.file("Daten.kd") + "' existiert nicht.");
    EXPECT_EQ(f.app.openWorkArea(kViewYearFile, true).action, WorkAreaPlan::Action::Refuse);
}

TEST(ProcessingGuard, SetsTheFlagForItsLifetimeAndRefusesNesting) {
    ProcessingFlag flag;
    {
        ProcessingGuard outer(flag);
        EXPECT_TRUE(flag.running());
        EXPECT_THROW_MSG(ProcessingGuard(flag),
                         "Interner Fehler: keine Schachtelung möglich --> Wert wird vorzeitig auf false "
                         "gesetzt --> NestCounter verwenden");
        EXPECT_TRUE(flag.running()) << "the refused guard must not clear the outer one's flag";
    }
    EXPECT_FALSE(flag.running());
    {
        ProcessingGuard again(flag);
        EXPECT_TRUE(flag.running());
    }
    EXPECT_FALSE(flag.running());
}

} // namespace
} // namespace lorvan
