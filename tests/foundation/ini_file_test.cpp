#include "foundation/file_io.h"
#include "foundation/ini_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace lorvan {
namespace {

TEST(IniFile, ReadsTheFirstOccurrenceOfASection) {
    struct Case {
        const char* name;
        std::string disk;
        bool found;
        IniSection entries;
    };
    const Case cases[] = {
        {"blanks around the header", "  [Settings]\t\r\nA=1\r\n", true, {{"A", "1"}}},
        {"other letter case", "[settings]\r\nA=1\r\n", false, {}},
        {"blanks inside the brackets", "[ Settings ]\r\nA=1\r\n", false, {}},
        {"blanks around =", "[Settings]\r\n  A = 1  \r\n", true, {{"A ", " 1"}}},
        {"first = splits", "[Settings]\r\nA=b=c\r\n", true, {{"A", "b=c"}}},
        {"no =", "[Settings]\r\nNurSchluessel\r\n", true, {{"NurSchluessel", ""}}},
        {"line break in a value", "[Settings]\r\nText=Zeile 1$$NEWLINE$$Zeile 2\r\n", true,
         {{"Text", "Zeile 1\r\nZeile 2"}}},
        {"later key wins", "[Settings]\r\nA=1\r\nA=2\r\n", true, {{"A", "2"}}},
        {"ends at the next [", "[Settings]\r\nA=1\r\n  [Andere]\r\nB=2\r\n", true, {{"A", "1"}}},
        {"only the first occurrence", "[Settings]\r\nA=1\r\n[Settings]\r\nB=2\r\n", true, {{"A", "1"}}},
        {"empty lines skipped", "[Settings]\r\n\r\n   \r\nA=1\n", true, {{"A", "1"}}},
        {"empty section", "[Settings]\r\n[Andere]\r\nB=2\r\n", true, {}},
        {"no such section", "[Andere]\r\nA=1\r\n", false, {}},
        {"Windows-1252", "[Settings]\r\nName=M\xFCller\r\n", true, {{"Name", "Müller"}}},
    };
    test::TempDir dir;
    const std::string path = dir.file("Lorvan.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeBytes(path, c.disk);
        IniFile ini(path);
        IniSection entries{{"alt", "weg"}};
        EXPECT_EQ(ini.readSection("Settings", entries), c.found);
        EXPECT_EQ(entries, c.entries);
        EXPECT_FALSE(ini.isOpen());
    }
}

TEST(IniFile, MissingFileOrDirectoryReadsNothingWithoutErrorText) {
    test::TempDir dir;
    for (const std::string& path : {dir.file("fehlt.ini"), dir.path().string()}) {
        IniFile ini(path);
        IniSection entries;
        EXPECT_FALSE(ini.readSection("Settings", entries));
        EXPECT_EQ(ini.messageText(), "");
        EXPECT_EQ(ini.causeText(), "");
    }
}

TEST(IniFile, WritingMovesTheSectionToTheTop) {
    struct Case {
        const char* name;
        const char* before; // nullptr: no file
        IniSection entries;
        std::string after;
    };
    const Case cases[] = {
        {"other sections kept, old entries dropped", "[O]\r\no=1\r\n[S]\r\nalt=1\r\n[T]\r\n", {{"neu", "2"}},
         "[S]\r\nneu=2\r\n[O]\r\no=1\r\n[T]\r\n"},
        {"new file", nullptr, {{"b", "2"}, {"a", "1"}}, "[S]\r\na=1\r\nb=2\r\n"},
        {"empty map", nullptr, {}, "[S]\r\n"},
        // Lines before the first section stay in front: behind the new header they would become
        // entries of the section ("x" read back as a key).
        {"repetitions dropped, other lines trimmed, lines of no section in front",
         "  x  \r\n\r\n[S]\r\nalt=1\r\n [T] \r\n t = 1 \n[S]\nalt=2\n",
         {{"k", "v"}},
         "x\r\n\r\n[S]\r\nk=v\r\n[T]\r\nt = 1\r\n"},
        {"line breaks in values", nullptr, {{"a", "1\r\n2"}, {"b", "3\n4\r5"}},
         "[S]\r\na=1$$NEWLINE$$2\r\nb=3$$NEWLINE$$4$$NEWLINE$$5\r\n"},
        {"keys in byte order", nullptr, {{"b", ""}, {"B", ""}, {"a", ""}, {"A1", ""}},
         "[S]\r\nA1=\r\nB=\r\na=\r\nb=\r\n"},
        {"Windows-1252 on disk", "[\xC4]\r\n", {{"Name", "Müller"}}, "[S]\r\nName=M\xFCller\r\n[\xC4]\r\n"},
    };
    test::TempDir dir;
    const std::string path = dir.file("Lorvan.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(path);
        if (c.before) test::writeBytes(path, c.before);
        IniFile ini(path);
        EXPECT_TRUE(ini.writeSection("S", c.entries));
        EXPECT_EQ(readWholeFile(path), c.after);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

TEST(IniFile, WrittenSectionReadsBack) {
    test::TempDir dir;
    const IniSection entries{{"Text", "Zeile 1\r\nZeile 2"}, {"Leer", ""}, {"Zahl", "-42"}, {"Ort", "Köln"}};
    IniFile ini(dir.file("Lorvan.ini"));
    ASSERT_TRUE(ini.writeSection("Settings", entries));
    ASSERT_TRUE(ini.writeSection("Andere", {{"x", "1"}}));
    IniSection back;
    EXPECT_TRUE(ini.readSection("Settings", back));
    EXPECT_EQ(back, entries);
}

TEST(IniFile, RefusedWriteKeepsTheFile) {
    test::TempDir dir;
    const std::string path = dir.file("Lorvan.ini");
    test::writeBytes(path, "[S]\r\na=1\r\n");
    ::chmod(path.c_str(), 0444);
    IniFile ini(path);
    EXPECT_FALSE(ini.writeSection("S", {{"a", "2"}}));
    EXPECT_EQ(ini.fullErrorText(),
              "Die Datei '" + path + "' konnte nicht geöffnet werden.\n(Der Zugriff wurde verweigert.)");
    EXPECT_EQ(readWholeFile(path), "[S]\r\na=1\r\n");

    IniFile directory(dir.path().string());
    EXPECT_FALSE(directory.writeSection("S", {}));
    EXPECT_EQ(directory.causeText(), "Der Pfad ist ein Verzeichnis.");
}

} // namespace
} // namespace lorvan
