#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/text_file.h"
#include "support/error_text.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace lorvan {
namespace {

std::vector<std::string> readAll(TextFile& file) {
    std::vector<std::string> lines;
    std::string line;
    while (file.readLine(line)) lines.push_back(line);
    return lines;
}

TEST(TextFile, WritesLinesInTheFileEncodingWithCrLf) {
    struct Case {
        bool utf8;
        std::string text;
        std::string disk;
    };
    const Case cases[] = {
        {false, "Grüße €\n", "Gr\xFC\xDF" "e \x80\r\n"},
        {false, "Łódź\n", "?\xF3" "d?\r\n"}, // no Windows-1252 form
        {false, "a\nb\r\n", "a\r\nb\r\n"},   // a CR LF already there is not doubled
        {false, "ohne Zeilenende", "ohne Zeilenende"},
        {true, "Grüße Łódź\n", "Grüße Łódź\r\n"},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TextFile file(dir.file("out.txt"));
        file.setUtf8(c.utf8);
        ASSERT_TRUE(file.open(TextFile::Mode::Create));
        file.writeLine(c.text);
        file.close();
        EXPECT_EQ(readWholeFile(dir.file("out.txt")), c.disk);
    }
}

TEST(TextFile, ReadsLinesWithoutTheirEnds) {
    struct Case {
        const char* name;
        bool utf8;
        std::string disk;
        std::vector<std::string> lines;
    };
    const std::string longLine(200000, 'x'); // spans several reads
    const Case cases[] = {
        {"CR LF and LF", false, "a\r\nb\nc", {"a", "b", "c"}},
        {"empty lines", false, "\r\n\n", {"", ""}},
        {"empty file", false, "", {}},
        {"lone CR stays", false, "a\rb\r\n", {"a\rb"}},
        {"Windows-1252", false, "M\xFCller;\x80\r\n", {"Müller;€"}},
        {"UTF-8", true, "Müller;€\r\n", {"Müller;€"}},
        {"UTF-8 byte order mark", true, "\xEF\xBB\xBFNr;Name\r\n\xEF\xBB\xBFx\r\n",
         {"Nr;Name", "\xEF\xBB\xBFx"}}, // only at the start of the file
        {"broken UTF-8", true, "a\xFC\r\n", {"a\uFFFD"}},
        {"long line", false, longLine + "\r\nEnde", {longLine, "Ende"}},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeBytes(dir.file("in.txt"), c.disk);
        TextFile file(dir.file("in.txt"));
        file.setUtf8(c.utf8);
        ASSERT_TRUE(file.open(TextFile::Mode::Read));
        EXPECT_EQ(readAll(file), c.lines);
        EXPECT_EQ(file.messageText(), "");
    }
}

TEST(TextFile, WriteModesAppendOrOverwrite) {
    test::TempDir dir;
    const std::string path = dir.file("Protokoll.txt");
    test::writeBytes(path, "alt\r\n");
    {
        TextFile file(path);
        ASSERT_TRUE(file.open(TextFile::Mode::Write));
        file.seekToEnd();
        file.writeLine("neu\n");
    }
    EXPECT_EQ(readWholeFile(path), "alt\r\nneu\r\n");
    {
        TextFile file(path);
        ASSERT_TRUE(file.open(TextFile::Mode::Write)); // not truncated, written from the start
        file.writeLine("A");
    }
    EXPECT_EQ(readWholeFile(path), "Alt\r\nneu\r\n");
    {
        TextFile file(path);
        ASSERT_TRUE(file.open(TextFile::Mode::Create));
        file.writeLine("x\n");
    }
    EXPECT_EQ(readWholeFile(path), "x\r\n");
}

TEST(TextFile, ReplaceChangesTheTargetOnlyOnCommit) {
    test::TempDir dir;
    const std::string path = dir.file("Export.txt");
    test::writeBytes(path, "alt\r\n");
    ::chmod(path.c_str(), 0640);
    {
        TextFile file(path);
        ASSERT_TRUE(file.open(TextFile::Mode::Replace));
        file.writeLine("halb\n");
    } // given up before commit
    EXPECT_EQ(readWholeFile(path), "alt\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    TextFile file(path);
    ASSERT_TRUE(file.open(TextFile::Mode::Replace));
    file.writeLine("neu\n");
    EXPECT_EQ(readWholeFile(path), "alt\r\n");
    ASSERT_TRUE(file.commit());
    file.close();
    EXPECT_EQ(readWholeFile(path), "neu\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(TextFile, OpenFailuresNameFileAndCause) {
    test::TempDir dir;
    const std::string plain = dir.file("datei.txt");
    const std::string protectedFile = dir.file("schreibgeschuetzt.txt");
    test::writeBytes(plain, "x");
    test::writeBytes(protectedFile, "x");
    ::chmod(protectedFile.c_str(), 0444);
    const auto notOpened = [](const std::string& name, const std::string& cause) {
        return "Die Datei '" + name + "' konnte nicht geöffnet werden.\n(" + cause + ")";
    };
    const std::string missing = dir.file("fehlt/neu.txt");
    const std::string belowFile = plain + "/neu.txt";
    struct Case {
        std::string name;
        TextFile::Mode mode;
        std::string expected;
    };
    const Case cases[] = {
        {"", TextFile::Mode::Read,
         "Die Datei konnte nicht geöffnet werden, da der Dateiname nicht angegeben wurde.\n"
         "(Die Datei wurde nicht angegeben.)"},
        {missing, TextFile::Mode::Read, notOpened(missing, "Die Datei wurde nicht gefunden.")},
        {missing, TextFile::Mode::Create, notOpened(missing, "Die Datei wurde nicht gefunden.")},
        {missing, TextFile::Mode::Replace, notOpened(missing, "Die Datei wurde nicht gefunden.")},
        {belowFile, TextFile::Mode::Create, notOpened(belowFile, "Die Pfadangabe ist ungültig.")},
        {protectedFile, TextFile::Mode::Create, notOpened(protectedFile, "Der Zugriff wurde verweigert.")},
        {protectedFile, TextFile::Mode::Replace, notOpened(protectedFile, "Der Zugriff wurde verweigert.")},
        {dir.path().string(), TextFile::Mode::Read,
         notOpened(dir.path().string(), "Der Pfad ist ein Verzeichnis.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextFile file(c.name);
        EXPECT_FALSE(file.open(c.mode));
        EXPECT_FALSE(file.isOpen());
        EXPECT_EQ(file.fullErrorText(), c.expected);
        EXPECT_THROW_MSG(file.openOrThrow(c.mode), c.expected);
    }
    EXPECT_EQ(readWholeFile(protectedFile), "x");
}

TEST(TextFile, ErrorTextsStayUntilCleared) {
    test::TempDir dir;
    TextFile file(dir.file("fehlt.txt"));
    EXPECT_FALSE(file.open(TextFile::Mode::Read));
    EXPECT_TRUE(file.open(TextFile::Mode::Create)); // success keeps the last failure
    EXPECT_EQ(file.messageText(), "Die Datei '" + dir.file("fehlt.txt") + "' konnte nicht geöffnet werden.");
    file.clearError();
    EXPECT_EQ(file.fullErrorText(), "\n()");
}

TEST(TextFile, ReadFailureRaisesAndLeavesTheFileOpen) {
    TextFile file("/proc/self/mem"); // reading at address 0 fails
    ASSERT_TRUE(file.open(TextFile::Mode::Read));
    std::string line;
    EXPECT_THROW(file.readLine(line), LorvanError);
    EXPECT_EQ(file.messageText(), "Die Datei '/proc/self/mem' konnte nicht gelesen werden.");
    EXPECT_NE(file.causeText(), "");
    EXPECT_TRUE(file.isOpen());
}

TEST(TextFile, FullDiskAsksOncePerFailedAttempt) {
    const std::string question =
        "Es steht kein Speicherplatz mehr zum Schreiben der Datei '/dev/full' zur Verfügung.\n"
        "Stellen Sie ausreichend Speicherplatz zur Verfügung und versuchen Sie es anschließend noch "
        "einmal.\n\n"
        "Wollen Sie es jetzt noch einmal versuchen?";
    const std::string failure =
        "Die Datei '/dev/full' konnte nicht geschrieben werden.\n(Die Platte ist voll.)";

    test::ScriptedPrompter prompter;
    const RetryQuestion ask = [&prompter](const std::string& text) { return prompter.askYesNo(text); };
    prompter.answerYes();
    prompter.answerYes();
    prompter.answerNo();
    TextFile file("/dev/full", false, ask);
    ASSERT_TRUE(file.open(TextFile::Mode::Create));
    EXPECT_FALSE(file.tryWriteLine("Zeile\n"));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>(3, question));
    EXPECT_EQ(file.fullErrorText(), failure);
    EXPECT_TRUE(file.isOpen());

    prompter.answerNo();
    EXPECT_THROW_MSG(file.writeLine("Zeile\n"), failure);
    EXPECT_TRUE(prompter.allAnswered());

    // Without questions (or without anyone to ask) a full disk fails at once.
    test::ScriptedPrompter silent;
    TextFile quiet("/dev/full", true, [&silent](const std::string& text) { return silent.askYesNo(text); });
    TextFile unattended("/dev/full");
    for (TextFile* f : {&quiet, &unattended}) {
        ASSERT_TRUE(f->open(TextFile::Mode::Create));
        EXPECT_FALSE(f->tryWriteLine("Zeile\n"));
        EXPECT_EQ(f->fullErrorText(), failure);
    }
    EXPECT_TRUE(silent.log().empty());
}

} // namespace
} // namespace lorvan
