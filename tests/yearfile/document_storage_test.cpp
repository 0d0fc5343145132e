#include "foundation/archive.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "foundation/number_text.h"
#include "platform/clock.h"
#include "support/archive_bytes.h"
#include "support/crash_trials.h"
#include "support/scripted_prompter.h"
#include "support/settings_bytes.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvan {
namespace {

namespace fs = std::filesystem;

const char* const kChangedQuestionEnd = "' wurde in der Zwischenzeit von einem anderen Benutzer "
                                        "geändert.\n\nSollen Ihre Angaben trotzdem gespeichert "
                                        "werden?";
const char* const kSureQuestion =
    "Sind sie absolut sicher?\n\nDie eingegebenen Daten des anderen Benutzers sind "
    "damit unwiederbringlich verloren.\n\nSollen Ihre Angaben trotzdem gespeichert "
    "werden?";

class RecordedRecentFiles : public RecentFiles {
  public:
    void addPath(const std::string& path) override { calls.push_back("add " + path); }
    void removePath(const std::string& path) override { calls.push_back("remove " + path); }
    void renamePath(const std::string& from, const std::string& to) override {
        calls.push_back("rename " + from + " " + to);
    }
    std::vector<std::string> calls;
};

class NamedEmployees : public EmployeeNames {
  public:
    explicit NamedEmployees(std::vector<std::string> names) : names_(std::move(names)) {}
    std::string findByName(std::string_view text, bool byForm) const override {
        for (const std::string& name : names_)
            if (name == text || (byForm && toFileNamePart(name) == text)) return name;
        return std::string();
    }

  private:
    std::vector<std::string> names_;
};

// A data directory with a scripted user.
class DocumentStorage : public ::testing::Test {
  protected:
    DocumentStorage() {
        context.prompter = &prompter;
        context.dataDirectory = dir.path().string() + "/";
        context.recent = &recent;
    }
    std::string dataFile(const std::string& name) const { return context.dataDirectory + name; }

    // A year file of Anna2024 as version 38 wrote it: settings and no months.
    std::string version38File() const {
        test::SettingsBytesOptions options;
        options.name = "Anna";
        options.year = 2024;
        return test::ArchiveBytes().int32(38).raw(test::settingsBytes(38, options)).int32(0).bytes();
    }
    std::string currentFile(int32_t year = 2024) const {
        return test::YearFileBuilder("Anna", year).doc().toBytes();
    }

    test::TempDir dir;
    test::ScriptedPrompter prompter;
    RecordedRecentFiles recent;
    StorageContext context;
};

TEST_F(DocumentStorage, OlderVersionIsBackedUpOnceAndAnExistingBackupIsKept) {
    for (const bool earlierBackup : {false, true}) {
        SCOPED_TRACE(earlierBackup);
        const std::string path = dataFile("Anna2024.azr");
        const std::string backup = dataFile("InternalBackup/Anna202438.azr");
        fs::remove_all(dataFile("InternalBackup"));
        test::writeBytes(path, version38File());
        if (earlierBackup) {
            fs::create_directory(dataFile("InternalBackup"));
            test::writeBytes(backup, "aus einem früheren Lauf");
        }
        CLorvanDoc doc;
        ASSERT_TRUE(doc.open(path, context));
        EXPECT_EQ(doc.loadedVersion(), 38);
        ASSERT_TRUE(doc.save(path, true, context));
        EXPECT_EQ(doc.loadedVersion(), CLorvanDoc::kCurrentVersion);
        doc.settings().year = 2024; // a second save in the current version copies nothing
        ASSERT_TRUE(doc.save(path, true, context));
        EXPECT_EQ(readWholeFile(backup), earlierBackup ? "aus einem früheren Lauf" : version38File());
        EXPECT_EQ(std::distance(fs::directory_iterator(dataFile("InternalBackup")), {}), 1);
        EXPECT_EQ(readWholeFile(path), currentFile());
    }
    EXPECT_TRUE(prompter.log().empty());
}

TEST_F(DocumentStorage, FailedBackupAsksWhetherToGoOn) {
    const std::string path = dataFile("Anna2024.azr");
    const std::string folder = dataFile("InternalBackup/");
    const std::string backup = folder + "Anna202438.azr";
    const std::string question =
        "Die interne Datensicherung bei Versionswechsel kann nicht durchgeführt werden.\n";
    const std::string goOn = "\n\nSoll das Speichern fortgesetzt werden?";
    struct Case {
        bool folderIsAFile; // else the backup's name is taken by a directory
        std::string question;
    };
    const Case cases[] = {
        {true, question + "Das Verzeichnis '" + folder +
                   "' kann nicht angelegt werden.\n\nUrsache:\nDas Verzeichnis '" + folder +
                   "' konnte nicht angelegt werden.\n(Die Datei ist bereits vorhanden.)" + goOn},
        {false, question + "Die Datei '" + backup +
                    "' kann nicht erstellt werden.\n\nUrsache:\nDie Datei ist bereits vorhanden." + goOn},
    };
    for (const Case& c : cases) {
        for (const bool yes : {false, true}) {
            SCOPED_TRACE(c.question + (yes ? " Ja" : " Nein"));
            fs::remove_all(dataFile("InternalBackup"));
            if (c.folderIsAFile)
                test::writeBytes(dataFile("InternalBackup"), "x");
            else
                fs::create_directories(backup);
            test::writeBytes(path, version38File());
            CLorvanDoc doc;
            ASSERT_TRUE(doc.open(path, context));
            test::ScriptedPrompter answers;
            answers.answer(yes ? Answer::Yes : Answer::No);
            StorageContext asking = context;
            asking.prompter = &answers;
            EXPECT_EQ(doc.save(path, true, asking), yes);
            EXPECT_EQ(answers.texts(), std::vector<std::string>{c.question});
            EXPECT_EQ(readWholeFile(path), yes ? currentFile() : version38File());
            EXPECT_EQ(doc.loadedVersion(), yes ? CLorvanDoc::kCurrentVersion : 38);
        }
    }
}

TEST_F(DocumentStorage, ChangeByAnotherUserAsksTwice) {
    const std::string path = dataFile("Anna2024.azr");
    const std::string theirs = currentFile(2031);
    struct Case {
        std::vector<Answer> answers;
        bool saved;
    };
    const Case cases[] = {
        {{Answer::No}, false},
        {{Answer::Yes, Answer::No}, false},
        {{Answer::Yes, Answer::Yes}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers.size());
        test::writeBytes(path, currentFile());
        CLorvanDoc doc;
        ASSERT_TRUE(doc.open(path, context));
        doc.addMonth(3);
        writeFileAtomically(path, theirs); // the other user's save
        test::ScriptedPrompter answers;
        for (Answer a : c.answers)
            answers.answer(a);
        StorageContext asking = context;
        asking.prompter = &answers;
        EXPECT_EQ(doc.save(path, true, asking), c.saved);
        std::vector<std::string> questions = {"Die Datei '" + path + kChangedQuestionEnd, kSureQuestion};
        questions.resize(c.answers.size());
        EXPECT_EQ(answers.texts(), questions);
        EXPECT_EQ(readWholeFile(path), c.saved ? doc.toBytes() : theirs);
    }
}

// A change within the same second, even within the same clock tick of the file system, still asks;
// a file nobody touched is overwritten without a question.
TEST_F(DocumentStorage, ChangeWithinTheSameSecondStillAsks) {
    const std::string path = dataFile("Anna2024.azr");
    auto setModified = [&](int64_t seconds, int64_t nanoseconds) {
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {static_cast<time_t>(seconds), static_cast<long>(nanoseconds)}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    struct Case {
        const char* what;
        std::function<void(const FileStamp&)> change;
        bool asks;
    };
    const Case cases[] = {
        {"nothing", [](const FileStamp&) {}, false},
        {"other nanoseconds",
         [&](const FileStamp& seen) {
             setModified(seen.modifiedSeconds, (seen.modifiedNanoseconds + 1) % 1000000000);
         },
         true},
        {"same size, other bytes, same time",
         [&](const FileStamp& seen) {
             std::string bytes = readWholeFile(path);
             bytes.back() ^= 1;
             const int fd = ::open(path.c_str(), O_WRONLY);
             ASSERT_EQ(::pwrite(fd, bytes.data(), bytes.size(), 0), static_cast<ssize_t>(bytes.size()));
             ::close(fd);
             setModified(seen.modifiedSeconds, seen.modifiedNanoseconds);
             ASSERT_EQ(fileStamp(path), seen);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::writeBytes(path, currentFile());
        CLorvanDoc doc;
        ASSERT_TRUE(doc.open(path, context));
        c.change(doc.fileTime());
        const std::string before = readWholeFile(path);
        test::ScriptedPrompter answers;
        if (c.asks) answers.answerNo();
        StorageContext asking = context;
        asking.prompter = &answers;
        EXPECT_EQ(doc.save(path, true, asking), !c.asks);
        EXPECT_EQ(answers.texts().size(), c.asks ? 1u : 0u);
        if (c.asks) {
            EXPECT_EQ(readWholeFile(path), before);
        }
    }
}

// A document kind that is no year file, for what every document shares.
class NoteDoc : public CTwDocBase {
  public:
    int32_t currentVersion() const override { return 3; }
    std::string text;

  protected:
    void store(ArchiveWriter& ar) const override {
        ar.writeInt32(3);
        ar.writeString(text);
    }
    int32_t load(ArchiveReader& ar) override {
        const int32_t version = ar.readInt32();
        text = ar.readString();
        return version;
    }
    void clear() override { text.clear(); }
};

TEST_F(DocumentStorage, SaveFailuresAreShownAndChangeNothing) {
    NoteDoc doc;
    doc.text = "Notiz";
    EXPECT_FALSE(doc.save("", true, context));
    const std::string missingFolder = dataFile("fehlt/Daten.nt");
    EXPECT_FALSE(doc.save(missingFolder, true, context));
    EXPECT_EQ(prompter.log().size(), 2u);
    EXPECT_EQ(prompter.log()[0].kind, "error");
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{
                  "Der Dateiname wurde nicht angegeben.",
                  "Die Datei '" + missingFolder +
                      "' konnte nicht geschrieben werden.\n(Die Datei wurde nicht gefunden.)",
              }));
    EXPECT_EQ(doc.path(), "");
    EXPECT_EQ(doc.loadedVersion(), 0);
    EXPECT_TRUE(fs::is_empty(dir.path()));

    // Saved under another name without taking it: the document keeps its path.
    ASSERT_TRUE(doc.save(dataFile("Daten.nt"), true, context));
    ASSERT_TRUE(doc.save(dataFile("Kopie.nt"), false, context));
    EXPECT_EQ(doc.path(), dataFile("Daten.nt"));
}

// A year file linked into the data directory from another folder: the save writes the file the
// link leads to and the link stays. The change check and the version backup look at that file.
TEST_F(DocumentStorage, YearFileThroughALinkKeepsTheLinkAndChecksItsTarget) {
    fs::create_directory(dataFile("ablage"));
    const std::string target = dataFile("ablage/Anna2024.azr");
    const std::string link = dataFile("Anna2024.azr");
    test::writeBytes(target, version38File());
    fs::create_symlink("ablage/Anna2024.azr", link);

    CLorvanDoc doc;
    ASSERT_TRUE(doc.open(link, context));
    ASSERT_TRUE(doc.save(link, true, context)); // the first save in the current version backs up
    doc.addMonth(3);
    ASSERT_TRUE(doc.save(link, true, context)); // the file it wrote is no change by somebody else
    EXPECT_TRUE(prompter.log().empty());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "ablage/Anna2024.azr");
    EXPECT_EQ(readWholeFile(target), doc.toBytes());
    const std::string backup = dataFile("InternalBackup/Anna202438.azr");
    EXPECT_FALSE(fs::is_symlink(backup));
    EXPECT_EQ(readWholeFile(backup), version38File());

    // Another user saves the file under its own name: the save through the link notices it.
    const std::string theirs = currentFile(2031);
    writeFileAtomically(target, theirs);
    test::ScriptedPrompter answers;
    answers.answerNo();
    StorageContext asking = context;
    asking.prompter = &answers;
    EXPECT_FALSE(doc.save(link, true, asking));
    EXPECT_EQ(answers.texts(), std::vector<std::string>{"Die Datei '" + link + kChangedQuestionEnd});
    EXPECT_EQ(readWholeFile(target), theirs);
    EXPECT_TRUE(fs::is_symlink(link));
}

// A link whose file is gone (a removed file, a drive that is not mounted) is not saved through.
TEST_F(DocumentStorage, SaveThroughALinkWithoutTargetIsRefused) {
    const std::string link = dataFile("Anna2024.azr");
    fs::create_symlink("ablage/Anna2024.azr", link);
    CLorvanDoc doc = test::YearFileBuilder("Anna", 2024).build();
    EXPECT_FALSE(doc.save(link, true, context));
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Die Datei '" + link +
                                       "' konnte nicht geschrieben werden.\n(Das Ziel der "
                                       "Verknüpfung '" +
                                       dataFile("ablage/Anna2024.azr") + "' ist nicht vorhanden.)"});
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_FALSE(fs::exists(dataFile("ablage")));
    EXPECT_EQ(doc.path(), "");
}

TEST_F(DocumentStorage, TruncatedYearFileIsReportedAsUnreadable) {
    const std::string path = dataFile("Anna2024.azr");
    const std::string whole = currentFile();
    test::writeBytes(path, whole.substr(0, whole.size() - 2));
    CLorvanDoc doc;
    EXPECT_FALSE(doc.open(path, context));
    EXPECT_EQ(prompter.log().size(), 1u);
    EXPECT_EQ(prompter.log()[0].kind, "error");
    EXPECT_EQ(
        prompter.log()[0].text,
        "Die Datei " + path +
            " lässt sich leider nicht einlesen. :-(\n\nBitte löschen Sie die Datei und legen Sie sie erneut "
            "an.\nFalls die Datei viele Daten enthält, senden Sie mir diese mit einer E-Mail, dann werde ich "
            "versuchen sie wiederzubeleben.\n\nUrsache: Es wurde versucht, auf eine Stelle hinter dem Ende "
            "von " +
            path + " zuzugreifen.");
    EXPECT_EQ(doc.settings().name, "");
    EXPECT_EQ(doc.path(), "");
    EXPECT_TRUE(recent.calls.empty());
}

TEST_F(DocumentStorage, YearFileNamesBothWays) {
    EXPECT_EQ(fileNameFor("Jörg Weiß-Bäcker", 2024), "Joerg_WeissBaecker2024.azr");
    EXPECT_EQ(fullYearFilePath("/srv/Daten", "Anna", 2025), "/srv/Daten/Anna2025.azr");
    EXPECT_EQ(fullYearFilePath("/srv/Daten/", "Anna", 2025), "/srv/Daten/Anna2025.azr");

    const NamedEmployees employees({"Jörg Weiß", "Anna"});
    struct Case {
        std::string path;
        const EmployeeNames* employees;
        std::optional<YearFileOwner> owner;
    };
    const Case cases[] = {
        {"/d/Joerg_Weiss2025.azr", &employees, YearFileOwner{"Jörg Weiß", 2025}},
        {"/d/Anna2024.AZR", &employees, YearFileOwner{"Anna", 2024}},
        {"/d/Unbekannt2024.azr", &employees, YearFileOwner{"Unbekannt", 2024}},
        {"/d/Joerg_Weiss2025.azr", nullptr, YearFileOwner{"Joerg_Weiss", 2025}},
        {"/d/2024.azr", &employees, YearFileOwner{"", 2024}},
        {"/d/Max.azr", &employees, std::nullopt},
        {"/d/Anna2024.fb", &employees, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(yearFileOwnerOf(c.path, c.employees), c.owner) << c.path;
}

TEST_F(DocumentStorage, NewYearFileIsNamedFromItsSettingsAndNeverReplacesAnExistingOne) {
    const FixedClock clock(Datum{10, 12, 2024});
    CLorvanDoc doc;
    doc.startNew(clock);
    EXPECT_TRUE(doc.needsFileName());
    EXPECT_EQ(doc.settings().year, 2025); // December proposes the next year
    doc.settings().name = "Jörg Weiß";
    EXPECT_EQ(doc.title(), "Joerg_Weiss2025.azr");

    const std::string path = dataFile("Joerg_Weiss2025.azr");
    test::writeBytes(path, "Datenbestand eines Kollegen");
    EXPECT_FALSE(doc.save("", true, context));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kYearFileExists});
    EXPECT_EQ(readWholeFile(path), "Datenbestand eines Kollegen");
    EXPECT_TRUE(doc.needsFileName());
    EXPECT_TRUE(recent.calls.empty());

    // Even when a path is given, a document without file name goes to its own name.
    fs::remove(path);
    ASSERT_TRUE(doc.save(dataFile("anderswo.azr"), true, context));
    EXPECT_FALSE(doc.needsFileName());
    EXPECT_EQ(doc.path(), path);
    EXPECT_EQ(readWholeFile(path), doc.toBytes());
    EXPECT_FALSE(fileExists(dataFile("anderswo.azr")));
    EXPECT_EQ(recent.calls, std::vector<std::string>{"add " + path});
    EXPECT_EQ(prompter.log().size(), 1u);
}

TEST_F(DocumentStorage, OpeningAMissingYearFileStartsItFromItsName) {
    const NamedEmployees employees({"Jörg Weiß"});
    context.employees = &employees;
    const std::string path = dataFile("Joerg_Weiss2026.azr");
    CLorvanDoc doc;
    ASSERT_TRUE(doc.open(path, context));
    EXPECT_TRUE(doc.needsFileName());
    EXPECT_EQ(doc.settings().name, "Jörg Weiß");
    EXPECT_EQ(doc.settings().year, 2026);
    EXPECT_TRUE(doc.months().empty());
    EXPECT_FALSE(fileExists(path));
    ASSERT_TRUE(doc.save(doc.path(), true, context));
    EXPECT_EQ(readWholeFile(path), doc.toBytes());

    // A missing file that is not named like a year file cannot be opened.
    CLorvanDoc other;
    EXPECT_FALSE(other.open(dataFile("Notizen.txt"), context));
    EXPECT_EQ(prompter.texts().back(),
              unreadableFileMessage(dataFile("Notizen.txt"),
                                    "Die Datei '" + dataFile("Notizen.txt") +
                                        "' konnte nicht geöffnet werden.\n(Die Datei wurde "
                                        "nicht gefunden.)"));
}

TEST_F(DocumentStorage, SyncPathFollowsOwnerAndYear) {
    const std::string oldPath = dataFile("Anna2024.azr");
    test::writeBytes(oldPath, currentFile());
    CLorvanDoc doc;
    ASSERT_TRUE(doc.open(oldPath, context));
    doc.syncPath(context); // nothing changed
    doc.settings().year = 2025;
    doc.syncPath(context);
    const std::string newPath = dataFile("Anna2025.azr");
    EXPECT_EQ(doc.path(), newPath);
    EXPECT_EQ(recent.calls, (std::vector<std::string>{"add " + oldPath, "remove " + oldPath}));
    ASSERT_TRUE(doc.save(doc.path(), true, context));
    EXPECT_TRUE(prompter.log().empty());
    EXPECT_EQ(readWholeFile(oldPath), currentFile(2024)); // the old file stays
    EXPECT_EQ(readWholeFile(newPath), currentFile(2025));
}

// A year file of several MB: every day of the year with many time lines.
CLorvanDoc largeYearFile(const std::string& remark) {
    CLorvanDoc doc;
    doc.settings().name = "Anna";
    doc.settings().year = 2024;
    for (int32_t m = 1; m <= 12; ++m) {
        CMonatDoc& month = doc.addMonth(m);
        for (int32_t d = 1; d <= 28; ++d) {
            CTagDoc& day = month.addDay(d);
            for (int i = 0; i < 100; ++i) {
                CZeitZeile& line = day.addLine();
                line.kind = kKindCustomer;
                line.customer = "Kunde " + std::to_string(i);
                line.from = "7:00";
                line.to = "8:15";
                line.duration = 75;
                line.remark = remark;
                line.service = "Wartung";
            }
        }
    }
    return doc;
}

// A save killed at any moment leaves the file as it was or as it should become, never torn: a
// process saves the two versions of a large year file in turn and is killed while it writes.
TEST(DocumentStorageCrash, KilledSaveNeverTearsTheFile) {
    test::TempDir dir;
    CLorvanDoc first = largeYearFile("erste Fassung");
    CLorvanDoc second = largeYearFile("zweite Fassung, etwas länger");
    const std::string path = dir.file("Anna2024.azr");
    test::CrashTrialTarget target{path, first.toBytes(), second.toBytes(), [&](int version) { (version == 1 ? first : second).save(path); }};
    ASSERT_GT(target.first.size(), 3u << 20);
    test::runCrashTrials(target);
}

} // namespace
} // namespace lorvan
