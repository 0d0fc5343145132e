#include "foundation/atomic_file.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/ini_file.h"
#include "foundation/text_file.h"
#include "support/error_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace lorvan {
namespace {

namespace fs = std::filesystem;

// A link as a test lays it out: its place below the test folder and its text; a text starting with
// "@" is made absolute (the test folder + the rest).
struct Link {
    std::string place;
    std::string text;
};

// A test folder with the folders "daten", "ablage", "zwischen" and "ziel" and the file
// "ziel/Anna2024.azr" ("alt", permissions 0640) that the links lead to.
class LinkedFiles {
  public:
    explicit LinkedFiles(const std::vector<Link>& links) {
        for (const char* folder : {"daten", "ablage", "zwischen", "ziel"})
            fs::create_directory(dir_.path() / folder);
        test::writeBytes(target(), "alt");
        ::chmod(target().c_str(), 0640);
        for (const Link& link : links) {
            const std::string text = link.text.starts_with("@") ? path(link.text.substr(1)) : link.text;
            fs::create_symlink(text, dir_.path() / link.place);
            links_.push_back({link.place, text});
        }
    }

    std::string path(const std::string& below) const { return dir_.file(below); }
    std::string target() const { return path("ziel/Anna2024.azr"); }

    // Every entry below the test folder, sorted; links are listed, not followed.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        listBelow("", names);
        std::sort(names.begin(), names.end());
        return names;
    }

    // The links are still links with their texts.
    void expectLinksKept() const {
        for (const Link& link : links_) {
            const fs::path place = dir_.path() / link.place;
            EXPECT_TRUE(fs::is_symlink(place)) << link.place;
            if (fs::is_symlink(place)) {
                EXPECT_EQ(fs::read_symlink(place).string(), link.text) << link.place;
            }
        }
    }

  private:
    void listBelow(const std::string& folder, std::vector<std::string>& names) const {
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_.path() / folder)) {
            const std::string name = folder + entry.path().filename().string();
            names.push_back(name);
            if (!entry.is_symlink() && entry.is_directory()) listBelow(name + "/", names);
        }
    }

    test::TempDir dir_;
    std::vector<Link> links_;
};

mode_t permissionsOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// The writers of this program that replace a file: a name and what the target holds afterwards
// (its content was "alt").
struct Writer {
    const char* name;
    std::function<void(const std::string& path)> write;
    std::string written;
};

const std::vector<Writer>& writers() {
    static const std::vector<Writer> all = {
        {"whole file", [](const std::string& path) { writeFileAtomically(path, "neu"); }, "neu"},
        {"text file",
         [](const std::string& path) {
             TextFile file(path);
             file.openOrThrow(TextFile::Mode::Replace);
             file.writeLine("neu\n");
             if (!file.commit()) throw LorvanError(file.fullErrorText());
         },
         "neu\r\n"},
        {"INI file",
         [](const std::string& path) {
             IniFile ini(path);
             if (!ini.writeSection("S", {{"a", "1"}})) throw LorvanError(ini.fullErrorText());
         },
         "alt\r\n[S]\r\na=1\r\n"},
    };
    return all;
}

TEST(AtomicFileWriter, SavingThroughLinksReplacesTheFinalTargetAndKeepsTheLinks) {
    struct Case {
        const char* name;
        std::vector<Link> links;
        std::string written; // the path that is saved, below the test folder
    };
    const Case cases[] = {
        {"absolute link", {{"daten/Anna2024.azr", "@ziel/Anna2024.azr"}}, "daten/Anna2024.azr"},
        {"relative link: from the link's folder",
         {{"daten/Anna2024.azr", "../ziel/Anna2024.azr"}},
         "daten/Anna2024.azr"},
        {"chain of a relative and an absolute link",
         {{"daten/Anna2024.azr", "../zwischen/Kette.azr"}, {"zwischen/Kette.azr", "@ziel/Anna2024.azr"}},
         "daten/Anna2024.azr"},
        // The relative link lies in "ablage": its ".." leads from there, not from "TwDaten".
        {"relative link in a linked data directory",
         {{"TwDaten", "@ablage"}, {"ablage/Anna2024.azr", "../ziel/Anna2024.azr"}},
         "TwDaten/Anna2024.azr"},
    };
    for (const Case& c : cases) {
        for (const Writer& writer : writers()) {
            SCOPED_TRACE(std::string(c.name) + ", " + writer.name);
            const LinkedFiles files(c.links);
            const std::vector<std::string> before = files.entries();
            ASSERT_NO_THROW(writer.write(files.path(c.written)));
            EXPECT_EQ(readWholeFile(files.target()), writer.written);
            EXPECT_EQ(permissionsOf(files.target()), 0640u);
            files.expectLinksKept();
            EXPECT_EQ(files.entries(), before); // no temporary file left, nothing else created
        }
    }
}

TEST(AtomicFileWriter, TheTemporaryFileLiesBesideTheLinksTarget) {
    const LinkedFiles files(std::vector<Link>{{"daten/Anna2024.azr", "../ziel/Anna2024.azr"}});
    const std::vector<std::string> before = files.entries();
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.startReplacing(files.path("daten/Anna2024.azr"))) << writer.cause();
    EXPECT_EQ(writer.target(), files.path("daten/../ziel/Anna2024.azr"));
    ASSERT_TRUE(writer.write("neu"));
    std::vector<std::string> added;
    for (const std::string& name : files.entries())
        if (!std::binary_search(before.begin(), before.end(), name)) added.push_back(name);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(added[0].starts_with("ziel/Anna2024.azr.tmp")) << added[0];
    EXPECT_EQ(added[0].size(), std::string("ziel/Anna2024.azr.tmpXXXXXX").size());
    EXPECT_EQ(readWholeFile(files.target()), "alt"); // not before commit
    writer.discard();
    EXPECT_EQ(files.entries(), before);
}

// A link that leads nowhere is refused rather than followed to a new file: it usually points to a
// removed file or to a drive that is not mounted. Nothing is created and the links stay.
TEST(AtomicFileWriter, BrokenLinksAndProtectedTargetsAreRefused) {
    struct Case {
        const char* name;
        std::vector<Link> links;
        std::string written;
        std::string cause; // "<dir>/" stands for the test folder
        bool protectedTarget = false;
    };
    const std::string loop = "Die Verknüpfung führt im Kreis oder über zu viele Stufen.";
    const Case cases[] = {
        {"dangling relative link",
         {{"daten/Anna2024.azr", "../ziel/fehlt.azr"}},
         "daten/Anna2024.azr",
         "Das Ziel der Verknüpfung '<dir>/daten/../ziel/fehlt.azr' ist nicht vorhanden."},
        {"chain that ends nowhere",
         {{"daten/Anna2024.azr", "../zwischen/Kette.azr"}, {"zwischen/Kette.azr", "@ziel/fehlt.azr"}},
         "daten/Anna2024.azr",
         "Das Ziel der Verknüpfung '<dir>/ziel/fehlt.azr' ist nicht vorhanden."},
        {"link into a missing folder",
         {{"daten/Anna2024.azr", "@fehlt/Anna2024.azr"}},
         "daten/Anna2024.azr",
         "Das Ziel der Verknüpfung '<dir>/fehlt/Anna2024.azr' ist nicht vorhanden."},
        {"links in a circle", {{"daten/a.azr", "b.azr"}, {"daten/b.azr", "a.azr"}}, "daten/a.azr", loop},
        {"write-protected target",
         {{"daten/Anna2024.azr", "../ziel/Anna2024.azr"}},
         "daten/Anna2024.azr",
         "Der Zugriff wurde verweigert.",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LinkedFiles files(c.links);
        if (c.protectedTarget) ::chmod(files.target().c_str(), 0444);
        const std::vector<std::string> before = files.entries();
        const std::string path = files.path(c.written);
        std::string cause = c.cause;
        if (cause.find("<dir>/") != std::string::npos) cause.replace(cause.find("<dir>/"), 6, files.path(""));

        EXPECT_THROW_MSG(writeFileAtomically(path, "neu"),
                         "Die Datei '" + path + "' konnte nicht geschrieben werden.\n(" + cause + ")");
        IniFile ini(path);
        EXPECT_FALSE(ini.writeSection("S", {}));
        EXPECT_EQ(ini.fullErrorText(),
                  "Die Datei '" + path + "' konnte nicht geöffnet werden.\n(" + cause + ")");

        EXPECT_EQ(files.entries(), before);
        EXPECT_EQ(readWholeFile(files.target()), "alt");
        files.expectLinksKept();
    }
}

} // namespace
} // namespace lorvan
