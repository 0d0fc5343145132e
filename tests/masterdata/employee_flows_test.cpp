#include "employee_fixture.h"

#include "foundation/file_io.h"
#include "masterdata/employee_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace lorvan {
namespace {

using test::EmployeeFixture;
using test::employeeRecord;
using test::ScriptedDialog;

const std::string kFilesQuestion = "Die vorhandenen Dateien für diesen Mitarbeiter werden geändert.";
const std::string kRenameFailed = "Es ist ein Fehler beim Umbenennen der Dateien aufgetreten.\nDas "
                                  "Umbenennen wird abgebrochen.\n\nUrsache:\n";

// A host that only looks at the dialog it is shown and cancels.
class PeekingDialog final : public EmployeeDialogHost {
  public:
    bool show(EmployeeDialog& dialog) override {
        number = dialog.number;
        name = dialog.name;
        department = dialog.department;
        return false;
    }
    int32_t number = -1;
    std::string name;
    std::string department;
};

void writeProtect(const std::string& path) {
    ::chmod(path.c_str(), 0444);
}

// Everything on disk except the employee file.
std::vector<std::string> yearFiles(const EmployeeFixture& f) {
    std::vector<std::string> names = f.listing();
    std::erase(names, std::string("Daten.mar"));
    return names;
}

TEST(EmployeeCreate, NumberTextGivesTheNumberOrBecomesTheNameBehindTheNextFreeNumber) {
    struct Case {
        std::string numberText;
        std::string nameText;
        int32_t number;
        std::string name;
    };
    const Case cases[] = {
        {"4711", "Anna", 4711, "Anna"},
        {"Anna Beispiel", "unbenutzt", 13, "Anna Beispiel"},
        {"", "", 13, ""},
        {"007", "Bond", 7, "Bond"},
        {"0", "Null", 0, "Null"},                   // the dialog then asks for a number
        {"99999999999", "Anna", 13, "99999999999"}, // too large for a number: a name
        {"12a", "Anna", 13, "12a"},
        {"-5", "Anna", 13, "-5"},
    };
    for (const auto& c : cases) {
        EmployeeFixture f;
        f.employees({employeeRecord(12, "Zwölf"), employeeRecord(3, "Drei")});
        EmployeeManagement management(f.context());
        ASSERT_TRUE(management.open());
        PeekingDialog dialog;
        EXPECT_FALSE(management.create(c.numberText, c.nameText, "Lager", dialog).has_value());
        EXPECT_EQ(dialog.number, c.number) << c.numberText;
        EXPECT_EQ(dialog.name, c.name) << c.numberText;
        EXPECT_EQ(dialog.department, "Lager");
        EXPECT_FALSE(management.changed());
    }
}

TEST(EmployeeCreate, TakenNumberAndTakenFileNameFormShowTheDialogAgain) {
    EmployeeFixture f;
    f.employees({employeeRecord(5, "Jörg Schäfer"), employeeRecord(6, "Anna")});
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    ScriptedDialog dialog;
    dialog
        .then([](EmployeeDialog& d) {
            d.number = 5;
            d.name = "Bert";
        })
        .then([](EmployeeDialog& d) { d.number = 0; })
        .then([](EmployeeDialog& d) {
            d.number = 7;
            d.name = "Joerg_Schaefer";
        })
        .then([](EmployeeDialog& d) { d.name = "ANNA"; })
        .then([](EmployeeDialog& d) { d.name = "Anna-Lena"; });
    EXPECT_EQ(management.create("", "", "", dialog), 7);
    EXPECT_EQ(
        f.prompter.texts(),
        (std::vector<std::string>{
            "Es existiert schon ein Mitarbeiter (Jörg Schäfer) mit der Personalnummer 5.",
            "Geben Sie eine Personalnummer ein.",
            "Der Name Jörg Schäfer existiert schon.\nBitte wählen Sie einen anderen Namen, da es sonst zu "
            "Konflikten bei der Dateierstellung kommen kann.",
            "Der Name Anna existiert schon.\nBitte wählen Sie einen anderen Namen, da es sonst zu Konflikten "
            "bei der Dateierstellung kommen kann.",
        }));
    ASSERT_NE(management.file().findByNumber(7), nullptr);
    EXPECT_EQ(management.file().findByNumber(7)->name, "Anna-Lena");
    EXPECT_TRUE(management.file().findByNumber(7)->entryDate.isEmpty());
    EXPECT_TRUE(management.changed());
    EXPECT_EQ(management.lastChanged(), 7);
    EXPECT_EQ(f.employeeFile().employees.size(), 2u); // saved later, not now
    ASSERT_TRUE(management.save());
    EXPECT_EQ(f.employeeFile().employees.size(), 3u);
    EXPECT_FALSE(management.changed());
}

TEST(EmployeeCreate, CancelDiscardsTheRecord) {
    EmployeeFixture f;
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    ScriptedDialog dialog;
    dialog.then([](EmployeeDialog& d) { d.name = ""; }).thenCancel();
    EXPECT_FALSE(management.create("", "", "", dialog).has_value());
    EXPECT_TRUE(management.file().employees.empty());
    EXPECT_FALSE(management.changed());
    EXPECT_EQ(f.prompter.texts(), (std::vector<std::string>{"Geben Sie einen Namen ein."}));
}

TEST(EmployeeRename, CarriesTheNameToEveryYearFile) {
    struct Case {
        std::string oldName;
        std::string newName;
        std::vector<std::string> before;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"Anna Beispiel",
         "Anna  Beispiel",
         {"ARCHIV/2019/Anna_Beispiel2019.azr", "Anna_Beispiel2025.azr", "anna_beispiel2026.AZR"},
         {"ARCHIV/2019/Anna__Beispiel2019.azr", "Anna__Beispiel2025.azr", "Anna__Beispiel2026.AZR"}},
        // The same file-name form: the files keep their names, the name inside changes.
        {"Jörg",
         "Joerg",
         {"ARCHIV/Joerg2020.azr", "Joerg2025.azr"},
         {"ARCHIV/Joerg2020.azr", "Joerg2025.azr"}},
        // Only the case of the form changes: the file names follow it.
        {"anna", "Anna", {"anna2025.azr"}, {"Anna2025.azr"}},
        {"Bert", "Carla", {"Bert2024.azr", "Bert2025.azr"}, {"Carla2024.azr", "Carla2025.azr"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.oldName + " -> " + c.newName);
        EmployeeFixture f;
        f.employees({employeeRecord(1, c.oldName), employeeRecord(2, "Dora")});
        std::vector<std::string> oldPaths;
        for (const std::string& file : c.before) {
            f.yearFile(file, c.oldName, std::stoi(file.substr(file.size() - 8, 4)));
            oldPaths.push_back(f.path(file));
        }
        f.yearFile("Dora2025.azr", "Dora", 2025);
        EmployeeManagement management(f.context());
        ASSERT_TRUE(management.open());
        f.prompter.answerYes();
        ScriptedDialog dialog;
        dialog.then(test::rename(c.newName));
        EXPECT_EQ(management.edit(1, dialog), FlowResult::Done);

        EXPECT_EQ(f.prompter.texts(), (std::vector<std::string>{kFilesQuestion}));
        std::vector<std::string> expected = c.after;
        expected.push_back("Dora2025.azr");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(yearFiles(f), expected);
        for (const std::string& file : c.after)
            EXPECT_EQ(f.ownerInside(file), c.newName) << file;
        EXPECT_EQ(f.ownerInside("Dora2025.azr"), "Dora");
        EXPECT_EQ(f.employeeFile().findByNumber(1)->name, c.newName);
        EXPECT_FALSE(management.changed());
        std::sort(f.windows.requests.begin(), f.windows.requests.end());
        std::sort(oldPaths.begin(), oldPaths.end());
        EXPECT_EQ(f.windows.requests, oldPaths);
    }
}

TEST(EmployeeRename, RenamedPathsReplaceTheOldOnesAmongTheRecentFiles) {
    EmployeeFixture f;
    f.employees({employeeRecord(1, "Anna")});
    f.yearFile("Anna2025.azr", "Anna", 2025);
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    f.prompter.answerYes();
    ScriptedDialog dialog;
    dialog.then(test::rename("Anna Berg"));
    EXPECT_EQ(management.edit(1, dialog), FlowResult::Done);
    EXPECT_EQ(f.recent.calls, (std::vector<std::string>{"rename " + f.path("Anna2025.azr") + " -> " +
                                                        f.path("Anna_Berg2025.azr")}));
}

TEST(EmployeeRename, WithoutFilesThereIsNoQuestion) {
    EmployeeFixture f;
    f.employees({employeeRecord(1, "Anna")});
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    ScriptedDialog dialog;
    dialog.then([](EmployeeDialog& d) {
        d.name = "Anna Berg";
        d.number = 9;
        d.department = "Lager";
    });
    EXPECT_EQ(management.edit(1, dialog), FlowResult::Done);
    EXPECT_TRUE(f.prompter.texts().empty());
    const CTwMaDoc saved = f.employeeFile();
    EXPECT_EQ(saved.findByNumber(1), nullptr);
    ASSERT_NE(saved.findByNumber(9), nullptr);
    EXPECT_EQ(saved.findByNumber(9)->name, "Anna Berg");
    EXPECT_EQ(saved.findByNumber(9)->department, "Lager");
    EXPECT_EQ(management.lastChanged(), 9);
}

// Each case refuses the rename at some step; the dialog is then cancelled. Nothing may have changed.
TEST(EmployeeRename, RefusedOrFailedRenameChangesNothing) {
    struct Case {
        std::string what;
        std::function<void(EmployeeFixture&)> prepare;
        std::vector<Answer> answers;
        std::vector<std::string> messages;
        FlowResult result = FlowResult::Cancelled;
        size_t shows = 2;
        std::string newName = "Anna Berg";
    };
    const std::string archived = "ARCHIV/Anna2024.azr";
    const std::vector<Case> cases = {
        {"another employee's form, letter case ignored",
         [](EmployeeFixture&) {},
         {},
         {"Der Name Carla existiert schon.\nBitte wählen Sie einen anderen Namen, da es sonst zu Konflikten "
          "bei "
          "der Dateierstellung kommen kann."},
         FlowResult::Cancelled,
         2,
         "CARLA"},
        {"Cancel to the question", [](EmployeeFixture&) {}, {Answer::Cancel}, {kFilesQuestion}},
        {"a window stays open",
         [](EmployeeFixture& f) { f.windows.refusing.insert(f.path("Anna2025.azr")); },
         {Answer::Yes},
         {kFilesQuestion, "Es konnten nicht alle Fenster für " + std::string() +
                              "%DIR%Anna2025.azr geschlossen "
                              "werden.\nDie Verarbeitung wird abgebrochen."},
         FlowResult::Cancelled,
         1},
        {"the second copy fails",
         [](EmployeeFixture& f) { f.files.failingCopies.insert(f.path("Anna_Berg2025.azr")); },
         {Answer::Yes},
         {kFilesQuestion, kRenameFailed + "Die Platte ist voll."}},
        {"a copy fails without a reason",
         [](EmployeeFixture& f) {
             f.files.failingCopies.insert(f.path("Anna_Berg2025.azr"));
             f.files.copyCause.clear();
         },
         {Answer::Yes},
         {kFilesQuestion}},
        {"the new name is taken on disk",
         [](EmployeeFixture& f) { test::writeBytes(f.path("Anna_Berg2025.azr"), "fremd"); },
         {Answer::Yes},
         {kFilesQuestion, kRenameFailed + "Die Datei ist bereits vorhanden."}},
        {"a write-protected year file",
         [](EmployeeFixture& f) { writeProtect(f.path("Anna2025.azr")); },
         {Answer::Yes},
         {kFilesQuestion, kRenameFailed +
                              "Die Datei '%DIR%Anna2025.azr' konnte nicht geschrieben werden.\n(Der "
                              "Zugriff wurde verweigert.)"}},
        {"a write-protected year file, the file-name form unchanged",
         [](EmployeeFixture& f) { writeProtect(f.path("Anna2025.azr")); },
         {Answer::Yes},
         {kFilesQuestion, kRenameFailed +
                              "Die Datei '%DIR%Anna2025.azr' konnte nicht geschrieben werden.\n(Der "
                              "Zugriff wurde verweigert.)"},
         FlowResult::Cancelled,
         2,
         "Anna!"},
        {"the employee file is write-protected",
         [](EmployeeFixture& f) { writeProtect(CTwMaDoc::pathIn(f.dir())); },
         {Answer::Yes},
         {kFilesQuestion, "Die Datei '%DIR%Daten.mar' konnte nicht geschrieben werden.\n(Der Zugriff wurde "
                          "verweigert.)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmployeeFixture f;
        f.employees({employeeRecord(1, "Anna"), employeeRecord(2, "Carla")});
        std::filesystem::create_directories(f.path("ARCHIV"));
        f.yearFile(archived, "Anna", 2024);
        f.yearFile("Anna2025.azr", "Anna", 2025);
        const std::string employeeFileBytes = readWholeFile(CTwMaDoc::pathIn(f.dir()));
        EmployeeManagement management(f.context());
        ASSERT_TRUE(management.open());
        c.prepare(f);
        const std::vector<std::string> before = yearFiles(f);
        for (Answer a : c.answers)
            f.prompter.answer(a);
        ScriptedDialog dialog;
        dialog.then(test::rename(c.newName)).thenCancel();
        EXPECT_EQ(management.edit(1, dialog), c.result);
        EXPECT_EQ(dialog.shows(), c.shows);

        std::vector<std::string> messages;
        for (std::string m : c.messages) {
            if (const size_t at = m.find("%DIR%"); at != std::string::npos) m.replace(at, 5, f.dir());
            messages.push_back(m);
        }
        EXPECT_EQ(f.prompter.texts(), messages);
        EXPECT_EQ(yearFiles(f), before);
        EXPECT_EQ(f.ownerInside("Anna2025.azr"), "Anna");
        EXPECT_EQ(f.ownerInside(archived), "Anna");
        EXPECT_EQ(readWholeFile(CTwMaDoc::pathIn(f.dir())), employeeFileBytes);
        EXPECT_EQ(management.file().findByNumber(1)->name, "Anna");
        EXPECT_FALSE(management.changed());
        EXPECT_TRUE(f.recent.calls.empty());
    }
}

TEST(EmployeeRename, DeclinedChangeCheckDeletesTheCopiesAndShowsTheDialogAgain) {
    EmployeeFixture f;
    f.employees({employeeRecord(1, "Anna")});
    f.yearFile("Anna2025.azr", "Anna", 2025);
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    // Somebody else saves the employee file meanwhile.
    f.employees({employeeRecord(1, "Anna"), employeeRecord(2, "Bert")});
    f.prompter.answerYes(); // the files will be changed
    f.prompter.answerNo();  // save anyway?
    ScriptedDialog dialog;
    dialog.then(test::rename("Anna Berg")).thenCancel();
    EXPECT_EQ(management.edit(1, dialog), FlowResult::Cancelled);
    EXPECT_EQ(yearFiles(f), (std::vector<std::string>{"Anna2025.azr"}));
    EXPECT_EQ(f.employeeFile().employees.size(), 2u);
    EXPECT_EQ(management.file().findByNumber(1)->name, "Anna");
    ASSERT_EQ(f.prompter.texts().size(), 2u);
    EXPECT_EQ(f.prompter.texts()[1].rfind(
                  "Die Datei '" + CTwMaDoc::pathIn(f.dir()) + "' wurde in der Zwischenzeit", 0),
              0u);
}

TEST(EmployeeRename, OldFileThatCannotBeDeletedIsReportedAndTheWorkGoesOn) {
    EmployeeFixture f;
    f.employees({employeeRecord(1, "Anna")});
    f.yearFile("Anna2024.azr", "Anna", 2024);
    f.yearFile("Anna2025.azr", "Anna", 2025);
    f.files.failingRemovals.insert(f.path("Anna2024.azr"));
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    f.prompter.answerYes();
    ScriptedDialog dialog;
    dialog.then(test::rename("Anna Berg"));
    EXPECT_EQ(management.edit(1, dialog), FlowResult::DoneWithProblems);
    EXPECT_EQ(f.prompter.texts(),
              (std::vector<std::string>{kFilesQuestion,
                                        "Die Datei '" + f.path("Anna2024.azr") +
                                            "' konnte nicht gelöscht werden.\nBitte löschen Sie sie "
                                            "über den Explorer.\n\nUrsache:\nDer Zugriff wurde "
                                            "verweigert."}));
    EXPECT_EQ(yearFiles(f),
              (std::vector<std::string>{"Anna2024.azr", "Anna_Berg2024.azr", "Anna_Berg2025.azr"}));
    EXPECT_EQ(f.ownerInside("Anna_Berg2024.azr"), "Anna Berg");
    EXPECT_EQ(f.ownerInside("Anna_Berg2025.azr"), "Anna Berg");
    EXPECT_EQ(f.employeeFile().findByNumber(1)->name, "Anna Berg");
}

TEST(EmployeeEdit, NumberChangeToATakenNumberShowsTheDialogAgain) {
    EmployeeFixture f;
    f.employees({employeeRecord(1, "Anna"), employeeRecord(2, "Bert")});
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    ScriptedDialog dialog;
    dialog.then([](EmployeeDialog& d) { d.number = 2; }).then([](EmployeeDialog& d) { d.number = 3; });
    EXPECT_EQ(management.edit(1, dialog), FlowResult::Done);
    EXPECT_EQ(
        f.prompter.texts(),
        (std::vector<std::string>{"Es existiert schon ein Mitarbeiter (Bert) mit der Personalnummer 2."}));
    const CTwMaDoc saved = f.employeeFile();
    EXPECT_EQ(saved.findByNumber(1), nullptr);
    EXPECT_EQ(saved.findByNumber(3)->name, "Anna");
}

TEST(EmployeeEdit, CancelLeavesTheRecordUntouchedWhateverTheDialogShowed) {
    EmployeeFixture f;
    f.employees({employeeRecord(1, "Anna"), employeeRecord(2, "Bert")});
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    ScriptedDialog dialog;
    dialog
        .then([](EmployeeDialog& d) {
            d.number = 2;
            d.setHasExit(true);
            d.setEntryDate(Datum{1, 1, 2020});
        })
        .thenCancel();
    EXPECT_EQ(management.edit(1, dialog), FlowResult::Cancelled);
    const CMitarbeiterDoc* anna = management.file().findByNumber(1);
    EXPECT_EQ(anna->hasExit, 0);
    EXPECT_TRUE(anna->entryDate.isEmpty());
    EXPECT_FALSE(management.changed());
    EXPECT_EQ(management.edit(99, dialog), FlowResult::Cancelled); // no such employee
}

TEST(EmployeeDelete, DeletesTheRecordAndItsFilesAndSavesAtOnce) {
    EmployeeFixture f;
    f.employees({employeeRecord(7, "Anna"), employeeRecord(8, "Bert")});
    std::filesystem::create_directories(f.path("ARCHIV/2019"));
    f.yearFile("ARCHIV/2019/Anna2019.azr", "Anna", 2019);
    f.yearFile("Anna2025.azr", "Anna", 2025);
    f.yearFile("Bert2025.azr", "Bert", 2025);
    writeProtect(f.path("Anna2025.azr"));
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    f.prompter.answerYes();
    EXPECT_EQ(management.remove(7), FlowResult::Done);
    EXPECT_EQ(f.prompter.texts(),
              (std::vector<std::string>{"Soll 7 - Anna gelöscht werden?\n\nDie Dateien dieses "
                                        "Mitarbeiters werden ebenfalls gelöscht."}));
    EXPECT_EQ(yearFiles(f), (std::vector<std::string>{"Bert2025.azr"}));
    EXPECT_EQ(f.employeeFile().findByNumber(7), nullptr);
    EXPECT_FALSE(management.changed());
    EXPECT_EQ(f.recent.calls, (std::vector<std::string>{"remove " + f.path("ARCHIV/2019/Anna2019.azr"),
                                                        "remove " + f.path("Anna2025.azr")}));
}

TEST(EmployeeDelete, WithoutFilesTheFileIsOnlyMarkedChanged) {
    EmployeeFixture f;
    f.employees({employeeRecord(7, "Anna")});
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    f.prompter.answerYes();
    EXPECT_EQ(management.remove(7), FlowResult::Done);
    EXPECT_EQ(f.prompter.texts(), (std::vector<std::string>{"Soll 7 - Anna gelöscht werden?"}));
    EXPECT_TRUE(management.changed());
    EXPECT_NE(f.employeeFile().findByNumber(7), nullptr);
}

TEST(EmployeeDelete, NoWindowOrFailedSaveKeepsEverything) {
    struct Case {
        std::string what;
        std::function<void(EmployeeFixture&)> prepare;
        std::vector<Answer> answers;
        size_t messages;
    };
    const std::vector<Case> cases = {
        {"No", [](EmployeeFixture&) {}, {Answer::No}, 1},
        {"a window stays open",
         [](EmployeeFixture& f) { f.windows.refusing.insert(f.path("Anna2025.azr")); },
         {Answer::Yes},
         2},
        {"the employee file is write-protected",
         [](EmployeeFixture& f) { writeProtect(CTwMaDoc::pathIn(f.dir())); },
         {Answer::Yes},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EmployeeFixture f;
        f.employees({employeeRecord(7, "Anna")});
        f.yearFile("Anna2025.azr", "Anna", 2025);
        EmployeeManagement management(f.context());
        ASSERT_TRUE(management.open());
        c.prepare(f);
        for (Answer a : c.answers)
            f.prompter.answer(a);
        EXPECT_EQ(management.remove(7), FlowResult::Cancelled);
        EXPECT_EQ(f.prompter.texts().size(), c.messages);
        EXPECT_EQ(yearFiles(f), (std::vector<std::string>{"Anna2025.azr"}));
        EXPECT_NE(management.file().findByNumber(7), nullptr);
        EXPECT_NE(f.employeeFile().findByNumber(7), nullptr);
        EXPECT_FALSE(management.changed());
    }
}

TEST(EmployeeDelete, FileThatCannotBeDeletedIsReportedAndTheNextOneTried) {
    EmployeeFixture f;
    f.employees({employeeRecord(7, "Anna")});
    f.yearFile("Anna2024.azr", "Anna", 2024);
    f.yearFile("Anna2025.azr", "Anna", 2025);
    f.files.failingRemovals.insert(f.path("Anna2024.azr"));
    EmployeeManagement management(f.context());
    ASSERT_TRUE(management.open());
    f.prompter.answerYes();
    EXPECT_EQ(management.remove(7), FlowResult::DoneWithProblems);
    ASSERT_EQ(f.prompter.texts().size(), 2u);
    EXPECT_EQ(f.prompter.texts()[1], "Die Datei '" + f.path("Anna2024.azr") +
                                         "' konnte nicht gelöscht werden.\nBitte löschen Sie sie über den "
                                         "Explorer.\n\nUrsache:\nDer Zugriff wurde verweigert.");
    EXPECT_EQ(yearFiles(f), (std::vector<std::string>{"Anna2024.azr"}));
    EXPECT_EQ(f.employeeFile().findByNumber(7), nullptr);
}

TEST(EmployeeDelete, MasterFilesNeverCountAsAnEmployeesFiles) {
    for (const std::string name : {"D", "---", ""}) {
        SCOPED_TRACE(name);
        EmployeeFixture f;
        f.employees({employeeRecord(7, name)});
        for (const char* file : {"Daten.kd", "Daten.dl", "2025.azr"})
            test::writeBytes(f.path(file), "x");
        EmployeeManagement management(f.context());
        ASSERT_TRUE(management.open());
        f.prompter.answerYes();
        EXPECT_EQ(management.remove(7), FlowResult::Done);
        EXPECT_EQ(f.prompter.texts(), (std::vector<std::string>{"Soll 7 - " + name + " gelöscht werden?"}));
        EXPECT_EQ(yearFiles(f), (std::vector<std::string>{"2025.azr", "Daten.dl", "Daten.kd"}));
        EXPECT_TRUE(f.exists("Daten.mar"));
    }
}

TEST(EmployeeManagement, ClosingAsksWhenChanged) {
    struct Case {
        Answer answer;
        bool writeProtected;
        bool closes;
        bool saved;
    };
    const Case cases[] = {
        {Answer::Yes, false, true, true},
        {Answer::Yes, true, false, false}, // a failed save keeps the window
        {Answer::No, false, true, false},
        {Answer::Cancel, false, false, false},
    };
    for (const auto& c : cases) {
        EmployeeFixture f;
        f.employees({employeeRecord(7, "Anna")});
        EmployeeManagement management(f.context());
        ASSERT_TRUE(management.open());
        EXPECT_TRUE(management.mayClose()); // unchanged: no question
        f.prompter.answerYes();
        ASSERT_EQ(management.remove(7), FlowResult::Done);
        if (c.writeProtected) writeProtect(CTwMaDoc::pathIn(f.dir()));
        f.prompter.answer(c.answer);
        EXPECT_EQ(management.mayClose(), c.closes);
        EXPECT_EQ(f.prompter.texts()[1],
                  "Es wurden Mitarbeiter geändert.\nSollen die Änderungen gespeichert werden?");
        EXPECT_EQ(f.employeeFile().employees.empty(), c.saved);
        EXPECT_EQ(management.changed(), !c.saved);
    }
}

TEST(EmployeeManagement, OpeningAYearFileSavesTheChangedEmployeeFileFirst) {
    EmployeeFixture f;
    EmployeeList cached(f.dir());
    EmployeeFlowContext context = f.context();
    context.cachedList = &cached;
    EmployeeManagement management(context);
    ASSERT_TRUE(management.open());
    EXPECT_EQ(cached.count(), 0u);
    cached.hold();
    ScriptedDialog dialog;
    dialog.then([](EmployeeDialog& d) { d.name = "Jens Schäfer"; });
    ASSERT_EQ(management.create("", "", "", dialog), 1);
    EXPECT_EQ(management.yearFileToOpen(1, 2024), f.path("Jens_Schaefer2024.azr"));
    EXPECT_FALSE(management.changed());
    EXPECT_EQ(cached.count(), 1u); // the save emptied the held list: it is read again
    EXPECT_FALSE(management.yearFileToOpen(2, 2024).has_value());
}

TEST(EmployeeManagement, UnreadableEmployeeFileIsReported) {
    EmployeeFixture f;
    test::writeBytes(CTwMaDoc::pathIn(f.dir()), std::string("\x0F\0\0\0", 4));
    EmployeeManagement management(f.context());
    EXPECT_FALSE(management.open());
    ASSERT_EQ(f.prompter.texts().size(), 1u);
    EXPECT_NE(f.prompter.texts()[0].find("Ursache: Diese Datei wurde mit einer neueren Version"),
              std::string::npos);
}

} // namespace
} // namespace lorvan
