// The master files under crashes, two users and failing disks: "Daten.mar", "Daten.kd" and
// "Daten.dl" are always one whole version on disk, and no user's data is lost.
#include "employee_fixture.h"

#include "foundation/file_io.h"
#include "masterdata/customer_file.h"
#include "masterdata/service_file.h"
#include "support/crash_trials.h"
#include "support/restricted_child.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

namespace fs = std::filesystem;
using test::EmployeeFixture;
using test::employeeRecord;
using test::ScriptedDialog;

// Many records, so that a save takes measurable time; the remark tells the versions apart.
CTwMaDoc manyEmployees(const std::string& remark) {
    CTwMaDoc file;
    for (int32_t number = 1; number <= 20000; ++number) {
        CMitarbeiterDoc e = employeeRecord(number, "Mitarbeiter " + std::to_string(number));
        e.department = "Abteilung " + std::to_string(number % 40);
        e.extraInfo = remark;
        file.put(e);
    }
    return file;
}

CTwKundenDoc manyCustomers(const std::string& remark) {
    CTwKundenDoc file;
    for (int32_t number = 1; number <= 20000; ++number) {
        CKundeDoc c;
        c.number = number;
        c.name = "Kunde " + std::to_string(number);
        c.street = "Hauptstraße " + std::to_string(number % 300);
        c.zipCity = "12345 Musterstadt";
        c.phone = "0123 4567" + std::to_string(number);
        c.notes = remark;
        file.put(c);
    }
    return file;
}

CTwDienstlDoc manyServices(const std::string& remark) {
    CTwDienstlDoc file;
    for (int32_t i = 1; i <= 60000; ++i) {
        CDienstlDoc s;
        s.name = remark + " " + std::to_string(i);
        s.costKind = i % 3;
        s.costs = i * 0.5;
        file.put(s);
    }
    return file;
}

// A save killed at any moment leaves each master file whole in its old or new version.
TEST(MasterFilesCrash, KilledSaveNeverTearsTheFile) {
    test::TempDir dir;
    CTwMaDoc employees[] = {manyEmployees("erste Fassung"), manyEmployees("zweite Fassung, etwas länger")};
    CTwKundenDoc customers[] = {manyCustomers("erste Fassung"),
                                manyCustomers("zweite Fassung, etwas länger")};
    CTwDienstlDoc services[] = {manyServices("Wartung"), manyServices("Wartung und Pflege")};
    const auto target = [&](CTwDocBase& first, CTwDocBase& second, const std::string& name) {
        const std::string path = dir.file(name);
        return test::CrashTrialTarget{
            path, first.toBytes(), second.toBytes(),
            [&first, &second, path](int version) { (version == 1 ? first : second).save(path); }};
    };
    for (const test::CrashTrialTarget& t : {target(employees[0], employees[1], CTwMaDoc::kFileName),
                                            target(customers[0], customers[1], CTwKundenDoc::kFileName),
                                            target(services[0], services[1], CTwDienstlDoc::kFileName)}) {
        SCOPED_TRACE(t.path);
        ASSERT_GT(t.first.size(), 1u << 20);
        test::runCrashTrials(t);
    }
}

// The numbers of the employees in "Daten.mar" ("5,10"); "fehlt" when there is no file.
std::string numbersIn(const std::string& path) {
    if (!fs::exists(path)) return "fehlt";
    CTwMaDoc file;
    file.open(path);
    std::string text;
    for (const auto& [number, e] : file.employees)
        text += (text.empty() ? "" : ",") + std::to_string(number);
    return text;
}

// Two windows "Mitarbeiter verwalten" of two users on one data directory: two EmployeeManagement
// objects, each with its own copy of "Daten.mar" and its own prompter; they share nothing in
// memory and meet only in the file, as two programs do. User A adds employee 10, user B 20.
struct TwoWindows : EmployeeFixture {
    test::ScriptedPrompter promptsB;
    std::optional<EmployeeManagement> a;
    std::optional<EmployeeManagement> b;
    std::string path = CTwMaDoc::pathIn(dir());

    TwoWindows() { employees({employeeRecord(5, "Carla")}); }
    EmployeeFlowContext contextB() {
        EmployeeFlowContext c = context();
        c.prompter = &promptsB;
        return c;
    }
    void openA() {
        a.emplace(context());
        ASSERT_TRUE(a->open());
    }
    void openB() {
        b.emplace(contextB());
        ASSERT_TRUE(b->open());
    }
    static void add(EmployeeManagement& m, const std::string& number, const std::string& name) {
        ScriptedDialog dialog;
        dialog.then([](EmployeeDialog&) {});
        ASSERT_TRUE(m.create(number, name, "", dialog).has_value());
    }
    void addA() { add(*a, "10", "Anna"); }
    void addB() { add(*b, "20", "Bert"); }
    void saveA() { ASSERT_TRUE(a->save()); }

    // Plays the events, named by these words, in turn: A or B opens its window, adds its employee
    // (B's second one is 21) or saves; A deletes "Daten.mar" or renames it to "Daten.mar.alt".
    void play(const std::string& events) {
        const std::map<std::string, std::function<void()>> steps = {
            {"openA", [&] { openA(); }},
            {"openB", [&] { openB(); }},
            {"addA", [&] { addA(); }},
            {"addB", [&] { addB(); }},
            {"addB2", [&] { add(*b, "21", "Berta"); }},
            {"saveA", [&] { saveA(); }},
            {"saveB", [&] { ASSERT_TRUE(b->save()); }},
            {"deleteA", [&] { fs::remove(path); }},
            {"renameA", [&] { fs::rename(path, path + ".alt"); }},
        };
        std::istringstream words(events);
        for (std::string event; words >> event;)
            steps.at(event)();
    }
};

const std::string kSureQuestion =
    "Sind sie absolut sicher?\n\nDie eingegebenen Daten des anderen Benutzers sind "
    "damit unwiederbringlich verloren.\n\nSollen Ihre Angaben trotzdem gespeichert "
    "werden?";

// Every order of events that matters between two employee windows. A refused save keeps the other
// user's file byte for byte and B's changes in B's window, still marked changed; B can save them
// under another name, and closing the window asks again.
TEST(EmployeeFileTwoUsers, NoOrderOfEventsLosesData) {
    struct Case {
        const char* order;
        const char* events; // everything before B's last save, in turn (TwoWindows::play)
        std::vector<Answer> answers;
        bool saved;
        std::string fileAfter;
    };
    // clang-format off
    const Case cases[] = {
        {"A saves before B opens", "openA addA saveA openB addB", {}, true, "5,10,20"},
        {"A saves after B opens, B answers No",
         "openA openB addA saveA addB", {Answer::No}, false, "5,10"},
        {"A saves after B opens, B answers Yes, then No",
         "openA openB addA saveA addB", {Answer::Yes, Answer::No}, false, "5,10"},
        {"A saves after B opens, B overwrites knowingly",
         "openA openB addA saveA addB", {Answer::Yes, Answer::Yes}, true, "5,20"},
        {"A saves twice after B opens",
         "openA openB addA saveA saveA addB", {Answer::No}, false, "5,10"},
        {"B saves, then B again with nobody in between",
         "openA openB addB saveB addB2", {}, true, "5,20,21"},
        {"A deletes Daten.mar after B opens", "openB addB deleteA", {}, true, "5,20"},
        {"A renames Daten.mar after B opens", "openB addB renameA", {}, true, "5,20"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        TwoWindows w;
        w.play(c.events);
        const std::string onDisk = fs::exists(w.path) ? readWholeFile(w.path) : "";
        const std::string mine = w.b->file().toBytes();
        for (const Answer answer : c.answers)
            w.promptsB.answer(answer);

        EXPECT_EQ(w.b->save(), c.saved);
        std::vector<std::string> questions = {"Die Datei '" + w.path +
                                                  "' wurde in der Zwischenzeit von einem anderen Benutzer "
                                                  "geändert.\n\nSollen Ihre Angaben trotzdem "
                                                  "gespeichert werden?",
                                              kSureQuestion};
        questions.resize(c.answers.size());
        EXPECT_EQ(w.promptsB.texts(), questions);
        EXPECT_EQ(numbersIn(w.path), c.fileAfter);
        EXPECT_TRUE(w.prompter.log().empty());
        EXPECT_EQ(w.b->changed(), !c.saved);
        if (fs::exists(w.path + ".alt")) {
            EXPECT_EQ(numbersIn(w.path + ".alt"), "5");
        }
        if (c.saved) {
            EXPECT_EQ(readWholeFile(w.path), mine);
            continue;
        }
        EXPECT_EQ(readWholeFile(w.path), onDisk);
        EXPECT_EQ(w.b->file().toBytes(), mine);
        // Closing B's window asks; Yes saves, which asks the change question again: No keeps the
        // window open with the changes.
        w.promptsB.answerYes();
        w.promptsB.answerNo();
        EXPECT_FALSE(w.b->mayClose());
        EXPECT_EQ(w.promptsB.texts().size(), c.answers.size() + 2);
        EXPECT_TRUE(w.b->changed());
        // B's list saved under another name: B's data on disk beside the other user's file.
        const std::string copy = w.dir() + "Daten-Kopie.mar";
        CTwMaDoc ownCopy = w.b->file();
        test::ScriptedPrompter quiet;
        ASSERT_TRUE(ownCopy.save(copy, false, StorageContext{&quiet, w.dir(), nullptr, nullptr}));
        EXPECT_EQ(numbersIn(copy), "5,20");
        EXPECT_EQ(readWholeFile(w.path), onDisk);
    }
}

// "Mitarbeiter bearbeiten" saves at once. When the change check stops that save, the dialog shows
// again with the user's values (OK asks again); Cancel then leaves the other user's file and B's
// list as before.
TEST(EmployeeFileTwoUsers, EditStoppedByTheChangeCheckShowsTheDialogAgain) {
    TwoWindows w;
    w.openA();
    w.openB();
    w.addA();
    w.saveA();
    const std::string onDisk = readWholeFile(w.path);
    w.promptsB.answerNo();
    w.promptsB.answerNo();
    ScriptedDialog dialog;
    std::vector<std::string> shownDepartments;
    dialog.then([](EmployeeDialog& d) { d.department = "Versand"; })
        .then([&](EmployeeDialog& d) { shownDepartments.push_back(d.department); })
        .thenCancel();
    EXPECT_EQ(w.b->edit(5, dialog), FlowResult::Cancelled);
    EXPECT_EQ(w.promptsB.log().size(), 2u);
    EXPECT_EQ(shownDepartments, std::vector<std::string>{"Versand"}); // the user's value, shown again
    EXPECT_EQ(readWholeFile(w.path), onDisk);
    EXPECT_EQ(w.b->file().findByNumber(5)->department, "");
    EXPECT_FALSE(w.b->changed());
}

// A full disk (writes past the file size limit fail with EFBIG) and a read-only data directory
// (root gives up the right to ignore file modes in the child): "Mitarbeiter verwalten" shows the
// German message, "Daten.mar" stays as it was, and the window keeps its changes, still marked changed.
TEST(EmployeeFileSaveFailure, FullDiskAndReadOnlyFolderKeepTheFileAndTheChanges) {
    struct Case {
        const char* what;
        bool readOnly;
        std::string cause;
    };
    const Case cases[] = {
        {"full disk", false, "Die Platte ist voll: Die Datei überschreitet die zulässige Dateigröße."},
        {"read-only folder", true, "Der Zugriff wurde verweigert."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EmployeeFixture f;
        f.employees({employeeRecord(5, "Carla")});
        const std::string path = CTwMaDoc::pathIn(f.dir());
        const std::string oldBytes = readWholeFile(path);
        const test::SaveFailureSetup failing(c.readOnly, f.data.path().string(), oldBytes.size() + 1000);
        const test::ChildResult result = test::runRestricted(failing.restriction(), [&] {
            EmployeeManagement management(f.context());
            if (!management.open()) throw std::runtime_error("Daten.mar not read");
            for (int32_t number = 100; number < 2100; ++number) {
                ScriptedDialog dialog;
                dialog.then([](EmployeeDialog&) {});
                management.create(std::to_string(number), "Mitarbeiter " + std::to_string(number), "",
                                  dialog);
            }
            const std::string before = management.file().toBytes();
            const bool saved = management.save();
            std::vector<std::string> seen = {saved ? "gespeichert" : "nicht gespeichert",
                                             management.changed() ? "geändert" : "nicht geändert",
                                             management.file().toBytes() == before ? "Inhalt wie vorher"
                                                                                   : "Inhalt verändert"};
            for (const auto& entry : f.prompter.log())
                seen.push_back(entry.kind + ": " + entry.text);
            return seen;
        });
        if (!result.ran) GTEST_SKIP() << result.skipReason;
        ASSERT_EQ(result.failure, "");
        EXPECT_EQ(result.lines,
                  (std::vector<std::string>{"nicht gespeichert", "geändert", "Inhalt wie vorher",
                                            "error: Die Datei '" + path +
                                                "' konnte nicht geschrieben werden.\n(" + c.cause + ")"}));
        EXPECT_EQ(readWholeFile(path), oldBytes);
        EXPECT_EQ(f.listing(), std::vector<std::string>{"Daten.mar"});
    }
}

} // namespace
} // namespace lorvan
