#include "import/import_protocol.h"

#include "foundation/file_io.h"
#include "foundation/text_encoding.h"
#include "import/import_file_text.h"
#include "import/time_import.h"
#include "support/error_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lorvan {
namespace {

using test::TempDir;
using test::writeBytes;

TEST(ImportProtocol, ErrorsGetTheirPrefixOnce) {
    EXPECT_EQ(asErrorText("Das Datum '3.2026' ist ungültig.\n"),
              "FEHLER: Das Datum '3.2026' ist ungültig.\n");
    EXPECT_EQ(asErrorText("FEHLER: schon markiert"), "FEHLER: schon markiert");
    EXPECT_EQ(asErrorText(""), "FEHLER: ");
}

TEST(ImportProtocol, OrdinaryTextsOnlyWithLogAll) {
    for (const bool logAll : {false, true}) {
        ImportProtocol protocol(logAll);
        std::string echoed;
        protocol.setEcho([&](const std::string& text) { echoed += text; });
        protocol.ordinary("Zeile fehlerfrei gelesen.\n");
        protocol.important("WARNUNG: Tag geprüft.\n");
        protocol.error("Fehler.\n");
        const std::string expected = std::string(logAll ? "Zeile fehlerfrei gelesen.\n" : "") +
                                     "WARNUNG: Tag geprüft.\nFEHLER: Fehler.\n";
        EXPECT_EQ(protocol.text(), expected);
        EXPECT_EQ(echoed, expected);
        // The writing phase starts a new memory protocol; everything stays in the whole text.
        protocol.clearMemory();
        protocol.important("Importieren der Daten\n");
        EXPECT_EQ(protocol.text(), "Importieren der Daten\n");
        EXPECT_EQ(protocol.wholeText(), expected + "Importieren der Daten\n");
    }
}

TEST(ImportProtocol, FileGetsEveryTextAsItArises) {
    TempDir dir;
    const std::string path = dir.file("protokoll.txt");
    writeBytes(path, "alter Inhalt, der ersetzt wird\n");
    ImportProtocol protocol(false);
    protocol.openFile(path);
    protocol.important("Zeile 1:\nÄrger\n");
    // Readable before the import ends: a run that stops abruptly still leaves its protocol.
    EXPECT_EQ(cp1252ToUtf8(readWholeFile(path)),
              "Protokolldatei anlegen: " + path + "\r\nZeile 1:\r\nÄrger\r\n");
    EXPECT_EQ(protocol.text(), "Protokolldatei anlegen: " + path + "\nZeile 1:\nÄrger\n");
}

TEST(ImportProtocol, FileThatCannotBeCreatedOrWritten) {
    TempDir dir;
    ImportProtocol missingFolder(false);
    missingFolder.openFile(dir.file("fehlt/protokoll.txt"));
    missingFolder.important("weiter ohne Datei\n");
    EXPECT_EQ(missingFolder.text().rfind("Die Protokolldatei konnte nicht angelegt werden.\nDie Datei '", 0),
              0u)
        << missingFolder.text();
    EXPECT_NE(missingFolder.text().find("weiter ohne Datei\n"), std::string::npos);

    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    ImportProtocol fullDisk(false);
    fullDisk.openFile("/dev/full");
    fullDisk.important("Zeile 1:\n");
    fullDisk.important("Zeile 2:\n");
    const std::string& text = fullDisk.text();
    const size_t failure = text.find("FEHLER: beim Schreiben der Zeile ins Protokoll\nDie Datei '/dev/full'");
    ASSERT_NE(failure, std::string::npos) << text;
    // The file is given up after the first failure; the memory protocol goes on.
    EXPECT_EQ(text.find("FEHLER: beim Schreiben", failure + 1), std::string::npos);
    EXPECT_NE(text.find("Zeile 2:\n"), std::string::npos);
}

TEST(ImportStart, RefusesWhatTheRunCouldNotDoOrWouldDestroy) {
    TempDir dir;
    const std::string data = dir.path().string() + "/";
    writeBytes(dir.file("import.csv"), "4711;02.03.2026;8:00;16:00\n");
    for (const char* name : {"Daten.mar", "Lorvan.ini", "Anna_Berg2026.azr"})
        writeBytes(dir.file(name), "x");
    std::filesystem::create_directory(dir.file("ARCHIV"));
    std::filesystem::create_symlink(dir.file("Daten.mar"), dir.file("verweis.txt"));
    std::filesystem::create_hard_link(dir.file("import.csv"), dir.file("gleich.csv"));

    const std::string dataFile =
        "' gehört zu den Daten der Anwendung und kann nicht als Protokolldatei verwendet werden.";
    struct Case {
        std::string importFile;
        std::string protocol;
        std::string message; // empty: may start
        bool protocolField;
    };
    const Case cases[] = {
        {dir.file("fehlt.csv"), "", "Die angegebene Datei existiert nicht.", false},
        {dir.file("import.csv"), "", "", false},
        {dir.file("import.csv"), dir.file("protokoll.txt"), "", false},
        {dir.file("import.csv"), dir.file("fehlt/protokoll.txt"),
         "Das Verzeichnis für das Protokoll existiert nicht.", true},
        {dir.file("import.csv"), dir.file("ARCHIV/"), "Der Dateiname für das Protokoll existiert nicht.",
         true},
        {dir.file("import.csv"), dir.file("import.csv"),
         "Die Protokolldatei darf nicht die Importdatei sein.", true},
        {dir.file("import.csv"), dir.file("ARCHIV/../import.csv"),
         "Die Protokolldatei darf nicht die Importdatei sein.", true},
        {dir.file("import.csv"), dir.file("gleich.csv"),
         "Die Protokolldatei darf nicht die Importdatei sein.", true},
        {dir.file("import.csv"), dir.file("Daten.mar"), "Die Datei '" + dir.file("Daten.mar") + dataFile,
         true},
        {dir.file("import.csv"), dir.file("daten.kd"), "Die Datei '" + dir.file("daten.kd") + dataFile, true},
        {dir.file("import.csv"), dir.file("Lorvan.ini"), "Die Datei '" + dir.file("Lorvan.ini") + dataFile,
         true},
        {dir.file("import.csv"), dir.file("verweis.txt"), "Die Datei '" + dir.file("verweis.txt") + dataFile,
         true},
        {dir.file("import.csv"), dir.file("Anna_Berg2026.azr"),
         "Die Datei '" + dir.file("Anna_Berg2026.azr") + dataFile, true},
        {dir.file("import.csv"), dir.file("ARCHIV/Neu2027.AZR"),
         "Die Datei '" + dir.file("ARCHIV/Neu2027.AZR") + dataFile, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.protocol);
        TimeImportOptions options;
        options.importFile = c.importFile;
        options.protocolFile = c.protocol;
        const std::optional<ImportStartRefusal> refusal = checkImportStart(options, data);
        EXPECT_EQ(refusal ? refusal->message : "", c.message);
        if (refusal) {
            EXPECT_EQ(refusal->protocolField, c.protocolField);
        }
    }
}

TEST(ImportFileText, EncodingFollowsTheBytes) {
    EXPECT_EQ(decodeImportBytes("\xEF\xBB\xBFJ\xC3\xB6rg;U"), "Jörg;U");
    EXPECT_EQ(decodeImportBytes("J\xC3\xB6rg Wei\xC3\x9F"), "Jörg Weiß");
    EXPECT_EQ(decodeImportBytes("J\xF6rg Wei\xDF"), "Jörg Weiß");
    EXPECT_EQ(decodeImportBytes("plain;ascii"), "plain;ascii");
    // A byte order mark with broken bytes after it: nothing is lost silently, nothing breaks.
    EXPECT_EQ(decodeImportBytes("\xEF\xBB\xBF\xF6;x"), "\xEF\xBF\xBD;x");

    TempDir dir;
    EXPECT_THROW_MSG(importFileText(dir.file("fehlt.csv")), "Die angegebene Datei existiert nicht.");
    writeBytes(dir.file("a.csv"), "M\xFCller;U\r\n");
    EXPECT_EQ(importFileText(dir.file("a.csv")), "Müller;U\r\n");
}

} // namespace
} // namespace lorvan
