// Two users on one data directory, a full disk and a read-only data directory: whatever happens,
// neither user's data is lost, and the file on disk is always one whole version.
#include "foundation/file_io.h"
#include "support/restricted_child.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

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

const std::string kChangedQuestionEnd = "' wurde in der Zwischenzeit von einem anderen Benutzer geändert.\n\n"
                                        "Sollen Ihre Angaben trotzdem gespeichert werden?";

// The months a year file holds ("3,4"); "fehlt" when there is no file. User A records month 3,
// user B month 4, so the file shows whose data it holds.
std::string monthsIn(const std::string& path) {
    if (!fs::exists(path)) return "fehlt";
    CLorvanDoc doc;
    doc.open(path);
    std::string text;
    for (const auto& [number, month] : doc.months())
        text += (text.empty() ? "" : ",") + std::to_string(number);
    return text;
}

// Two users of one data directory: two documents that share nothing in memory (each has its own
// path, file stamp and content digest), so they meet only in the file, as two programs do.
struct TwoUsers {
    test::TempDir dir;
    std::string path = dir.file("Anna2024.azr");
    CLorvanDoc a;
    CLorvanDoc b;
    test::ScriptedPrompter promptsA;
    test::ScriptedPrompter promptsB;
    StorageContext contextA{&promptsA, dir.path().string() + "/", nullptr, nullptr};
    StorageContext contextB{&promptsB, dir.path().string() + "/", nullptr, nullptr};

    TwoUsers() { test::YearFileBuilder("Anna", 2024).saveAs(path); }

    // Plays the events, named by these words, in turn: A or B loads the file, changes its document
    // (A records month 3, B month 4) or saves it; A deletes the file, or renames it and saves its
    // change there.
    void play(const std::string& events) {
        const std::map<std::string, std::function<void()>> steps = {
            {"loadA", [&] { ASSERT_TRUE(a.open(path, contextA)); }},
            {"loadB", [&] { ASSERT_TRUE(b.open(path, contextB)); }},
            {"changeA", [&] { a.addMonth(3), a.setModified(); }},
            {"changeB", [&] { b.addMonth(4), b.setModified(); }},
            {"saveA", [&] { ASSERT_TRUE(a.save(path, true, contextA)); }},
            {"saveB", [&] { ASSERT_TRUE(b.save(path, true, contextB)); }},
            {"deleteA", [&] { fs::remove(path); }},
            {"renameA",
             [&] {
                 fs::rename(path, dir.file("Anna2024-alt.azr"));
                 ASSERT_TRUE(a.save(dir.file("Anna2024-alt.azr"), true, contextA));
             }},
        };
        std::istringstream words(events);
        for (std::string event; words >> event;)
            steps.at(event)();
    }
};

// Every order of events between two users that matters. B saves last; the question of the change
// check decides B's save. A refused save keeps the other user's file and B's data in memory, still
// modified and savable under another name; a second save of B asks again.
TEST(DocumentTwoUsers, NoOrderOfEventsLosesData) {
    struct Case {
        const char* order;
        const char* events;          // everything before B's last save, in turn (TwoUsers::play)
        std::vector<Answer> answers; // B's answers
        bool saved;
        std::string fileAfter; // months in the file after B's save
        std::string elsewhere; // the file A moved its data to, if any
    };
    // clang-format off
    const Case cases[] = {
        {"A saves before B loads", "loadA changeA saveA loadB changeB", {}, true, "3,4", ""},
        {"A saves after B loads, B answers No",
         "loadA loadB changeA saveA changeB", {Answer::No}, false, "3", ""},
        {"A saves after B loads, B answers Yes, then No",
         "loadA loadB changeA saveA changeB", {Answer::Yes, Answer::No}, false, "3", ""},
        {"A saves after B loads, B overwrites knowingly (Yes, Yes)",
         "loadA loadB changeA saveA changeB", {Answer::Yes, Answer::Yes}, true, "4", ""},
        {"A saves twice after B loads (same clock tick possible)",
         "loadA loadB changeA saveA saveA changeB", {Answer::No}, false, "3", ""},
        {"A saves after B loads, B saves without having changed anything",
         "loadA loadB changeA saveA", {Answer::No}, false, "3", ""},
        {"both save with no change in between: B saves, then B again",
         "loadA loadB changeB saveB", {}, true, "4", ""},
        {"both load, A saves its unchanged file, B saves its change (No)",
         "loadA loadB saveA changeB", {Answer::No}, false, "", ""},
        {"A deletes the file after B loads",
         "loadA loadB changeB deleteA", {}, true, "4", ""},
        {"A renames the file after B loads and saves it there",
         "loadA loadB changeA changeB renameA", {}, true, "4", "Anna2024-alt.azr"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        TwoUsers u;
        u.play(c.events);
        const std::string onDisk = fs::exists(u.path) ? readWholeFile(u.path) : "";
        const std::string mine = u.b.toBytes();
        const bool modified = u.b.isModified();
        for (const Answer answer : c.answers)
            u.promptsB.answer(answer);

        EXPECT_EQ(u.b.save(u.path, true, u.contextB), c.saved);
        std::vector<std::string> questions = {
            "Die Datei '" + u.path + kChangedQuestionEnd,
            "Sind sie absolut sicher?\n\nDie eingegebenen Daten des anderen "
            "Benutzers sind damit unwiederbringlich verloren.\n\nSollen Ihre "
            "Angaben trotzdem gespeichert werden?"};
        questions.resize(c.answers.size());
        EXPECT_EQ(u.promptsB.texts(), questions);
        EXPECT_EQ(monthsIn(u.path), c.fileAfter);
        EXPECT_TRUE(u.promptsA.log().empty());
        if (!c.elsewhere.empty()) {
            EXPECT_EQ(monthsIn(u.dir.file(c.elsewhere)), "3"); // A's data, where A put it
        }
        if (c.saved) {
            EXPECT_EQ(readWholeFile(u.path), mine);
            continue;
        }
        // Refused: the other user's file stays byte for byte, B's data stays in memory.
        EXPECT_EQ(readWholeFile(u.path), onDisk);
        EXPECT_EQ(u.b.toBytes(), mine);
        EXPECT_EQ(u.b.isModified(), modified);
        EXPECT_EQ(u.b.path(), u.path);
        // A later save asks again; saved under another name, B's data is on disk as well.
        test::ScriptedPrompter again;
        again.answerNo();
        StorageContext asking = u.contextB;
        asking.prompter = &again;
        EXPECT_FALSE(u.b.save(u.path, true, asking));
        EXPECT_EQ(again.texts().size(), 1u);
        const std::string copy = u.dir.file("Anna2024-Kopie.azr");
        ASSERT_TRUE(u.b.save(copy, false, u.contextB));
        EXPECT_EQ(readWholeFile(copy), mine);
        EXPECT_EQ(u.b.path(), u.path);
        EXPECT_EQ(readWholeFile(u.path), onDisk);
    }
}

// A year file of some hundred kilobytes: the new version the failing saves try to write.
void fillYear(CLorvanDoc& doc) {
    for (int32_t m = 1; m <= 12; ++m)
        for (int32_t d = 1; d <= 28; ++d) {
            CTagDoc& day = doc.addMonth(m).addDay(d);
            for (int i = 0; i < 10; ++i) {
                CZeitZeile& line = day.addLine();
                line.from = "7:00";
                line.to = "8:00";
                line.remark = "Bemerkung " + std::to_string(i);
            }
        }
    doc.setModified();
}

// What a child saw of a failed save: the result, the messages, whether the document is still
// modified with the content it had, and its path.
std::vector<std::string> failedSave(const std::string& path, const std::string& dataDirectory) {
    CLorvanDoc doc;
    doc.open(path);
    fillYear(doc);
    const std::string before = doc.toBytes();
    test::ScriptedPrompter prompter;
    StorageContext context{&prompter, dataDirectory, nullptr, nullptr};
    const bool saved = doc.save(path, true, context);
    std::vector<std::string> seen = {saved ? "gespeichert" : "nicht gespeichert",
                                     doc.isModified() ? "geändert" : "nicht geändert",
                                     doc.toBytes() == before ? "Inhalt wie vorher" : "Inhalt verändert",
                                     doc.path() == path ? "Pfad wie vorher" : "Pfad verändert"};
    for (const auto& entry : prompter.log())
        seen.push_back(entry.kind + ": " + entry.text);
    return seen;
}

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// A full disk (a write past the file size limit fails with EFBIG) and a read-only data directory
// (also for root: the child gives up the right to ignore file modes): the German message, the old
// file as it was, no temporary file left, and the unsaved data still in the program.
TEST(DocumentSaveFailure, FullDiskAndReadOnlyFolderKeepTheOldFileAndTheUnsavedData) {
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
        test::TempDir dir;
        const std::string path = dir.file("Anna2024.azr");
        test::YearFileBuilder("Anna", 2024).day(2, 3).work("8:00", "16:00").saveAs(path);
        const std::string oldBytes = readWholeFile(path);
        const test::SaveFailureSetup failing(c.readOnly, dir.path().string(), oldBytes.size() + 1000);
        const test::ChildResult result = test::runRestricted(
            failing.restriction(), [&] { return failedSave(path, dir.path().string() + "/"); });
        if (!result.ran) GTEST_SKIP() << result.skipReason;
        ASSERT_EQ(result.failure, "");
        EXPECT_EQ(result.lines, (std::vector<std::string>{
                                    "nicht gespeichert", "geändert", "Inhalt wie vorher", "Pfad wie vorher",
                                    "error: Die Datei '" + path + "' konnte nicht geschrieben werden.\n(" +
                                        c.cause + ")"}));
        EXPECT_EQ(readWholeFile(path), oldBytes);
        EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"Anna2024.azr"});
    }
}

} // namespace
} // namespace lorvan
