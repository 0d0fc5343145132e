#include "foundation/file_io.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace lorvan {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs lorvan-cli with the arguments (already shell-quoted) and an optional standard input file.
CliRun cli(const test::TempDir& dir, const std::string& args, const std::string& input = "") {
    const std::string out = dir.file("stdout.txt");
    const std::string err = dir.file("stderr.txt");
    // A per-user store of its own, so that no data directory of the machine's user is picked up.
    std::string command = "XDG_CONFIG_HOME='" + dir.file("config") + "' " + std::string(LORVAN_CLI) + " " + args +
                          " >'" + out + "' 2>'" + err + "'";
    if (!input.empty()) command += " <'" + input + "'";
    const int raw = std::system(command.c_str());
    CliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readWholeFile(out);
    r.err = readWholeFile(err);
    return r;
}

std::string quoted(const std::string& path) { return "'" + path + "'"; }

TEST(Cli, ShowThenWriteGivesIdenticalBytesForEveryFileOfTheDemo) {
    test::TempDir dir;
    const std::string data = dir.file("daten");
    const CliRun demo = cli(dir, "--today 10.12.2026 demo " + quoted(data));
    ASSERT_EQ(demo.status, 0) << demo.err;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data)) {
        const std::string path = entry.path().string();
        const CliRun shown = cli(dir, "show " + quoted(path));
        ASSERT_EQ(shown.status, 0) << path << ": " << shown.err;
        const std::string json = dir.file("file.json");
        test::writeBytes(json, shown.out);
        const std::string copy = dir.file("copy" + entry.path().extension().string());
        const CliRun written = cli(dir, "write " + quoted(copy), json);
        ASSERT_EQ(written.status, 0) << path << ": " << written.err;
        EXPECT_EQ(readWholeFile(copy), readWholeFile(path)) << path;
        ++files;
    }
    EXPECT_GE(files, 8);
}

TEST(Cli, DemoWithSizeMakesTheFirmAndRefusesBadOptionsWithoutWritingAnything) {
    test::TempDir dir;
    const std::string data = dir.file("daten");
    const CliRun made = cli(dir, "--today 10.12.2026 demo " + quoted(data) + " --employees 7 --years 3");
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "Demo-Daten angelegt in " + data +
                            ": 7 Mitarbeiter, 7 Kunden, 5 Dienstleistungen, 21 Jahresdateien, 1 Fahrzeug mit Fahrtenbuch.\n");
    EXPECT_TRUE(std::filesystem::exists(data + "/Joerg_Weiss2024.azr"));

    const std::string other = dir.file("andere");
    const struct {
        const char* options;
        const char* message;
    } cases[] = {
        {"--employees 0", "Die Zahl der Mitarbeiter muss zwischen 1 und 10000 liegen (angegeben: 0)."},
        {"--employees 10001", "Die Zahl der Mitarbeiter muss zwischen 1 und 10000 liegen (angegeben: 10001)."},
        {"--employees 99999999999", "Die Zahl der Mitarbeiter muss zwischen 1 und 10000 liegen"},
        {"--years 31", "Die Zahl der Jahre muss zwischen 1 und 30 liegen (angegeben: 31)."},
        {"--years 0 --employees 3", "Die Zahl der Jahre muss zwischen 1 und 30 liegen (angegeben: 0)."},
        {"--employees zehn", "demo: --employees braucht eine Zahl: 'zehn'"},
        {"--years -2", "demo: --years braucht eine Zahl: '-2'"},
        {"--years", "demo: --years braucht eine Zahl: ''"},
        {"--colour 3", "demo: unbekannte Angabe '--colour'"},
    };
    for (const auto& c : cases) {
        const CliRun refused = cli(dir, "demo " + quoted(other) + " " + c.options);
        EXPECT_EQ(refused.status, 1) << c.options;
        EXPECT_NE(refused.err.find(c.message), std::string::npos) << c.options << ": " << refused.err;
        EXPECT_EQ(refused.out, "") << c.options;
        EXPECT_FALSE(std::filesystem::exists(other)) << c.options;
    }
}

TEST(Cli, UnreadableFilesFailWithTheGermanMessageAndNothingOnStandardOutput) {
    test::TempDir dir;
    const std::string truncated = dir.file("Kurz2026.azr");
    test::writeBytes(truncated, std::string("\x2C\0\0\0\x05Hans", 9));
    const std::string newer = dir.file("Daten.kd");
    test::writeBytes(newer, std::string("\x03\0\0\0", 4));
    struct Case {
        std::string path;
        std::string cause;
    };
    const Case cases[] = {
        {truncated, "Ursache: Es wurde versucht, auf eine Stelle hinter dem Ende von " + truncated + " zuzugreifen."},
        {newer, "Ursache: Diese Datei wurde mit einer neueren Version der Anwendung gespeichert und kann deshalb mit "
                "dieser Version nicht mehr geladen werden."},
        {dir.file("fehlt.mar"), "(Die Datei wurde nicht gefunden.)"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(dir, "show " + quoted(c.path));
        EXPECT_EQ(r.status, 1) << c.path;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("Die Datei " + c.path + " lässt sich leider nicht einlesen. :-(\n\n", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.cause), std::string::npos) << r.err;
    }
}

TEST(Cli, WriteRefusesBadJsonAndLeavesNoFile) {
    test::TempDir dir;
    struct Case {
        std::string json;
        std::string message;
    };
    const Case cases[] = {
        {R"({"file_kind":"dl","services":[{"name":"Wartung","nme":1}]})",
         "Unbekannter Schlüssel 'nme' in 'services[0]'.\n"},
        {R"({"file_kind":"dl","services":[{"name":7}]})",
         "Falscher Wert für 'name' in 'services[0]': erwartet ein Text.\n"},
        {R"({"file_kind":"kd"})", "Die JSON-Daten beschreiben eine Datei der Art 'kd', erwartet wird 'dl'.\n"},
        {"{", ""},
    };
    const std::string target = dir.file("Daten.dl");
    for (const auto& c : cases) {
        const std::string input = dir.file("in.json");
        test::writeBytes(input, c.json);
        const CliRun r = cli(dir, "write " + quoted(target), input);
        EXPECT_EQ(r.status, 1) << c.json;
        if (!c.message.empty()) {
            EXPECT_EQ(r.err, c.message);
        }
        EXPECT_FALSE(std::filesystem::exists(target));
    }
}

TEST(Cli, OldVersionIsWrittenBackInTheCurrentVersionWithItsValues) {
    test::TempDir dir;
    // Customer file of version 1: no flags, no "print notes".
    std::string v1("\x01\0\0\0" "\x01\0\0\0" "\x07\0\0\0", 12);
    v1 += std::string("\x0E" "M\xFC" "ller & S\xF6hne", 15);
    v1 += std::string("\x00\x00\x00\x00", 4); // street, zip and city, phone, notes
    const std::string old = dir.file("Daten.kd");
    test::writeBytes(old, v1);
    const CliRun shown = cli(dir, "show " + quoted(old));
    ASSERT_EQ(shown.status, 0) << shown.err;
    const std::string json = dir.file("kd.json");
    test::writeBytes(json, shown.out);
    const std::string current = dir.file("neu.kd");
    ASSERT_EQ(cli(dir, "write " + quoted(current), json).status, 0);
    std::string expected("\x02\0\0\0" "\0\0\0\0" "\0\0\0\0" "\x01\0\0\0" "\x07\0\0\0", 20);
    expected += std::string("\x0E" "M\xFC" "ller & S\xF6hne", 15) + std::string(4, '\0') + std::string(4, '\0');
    EXPECT_EQ(readWholeFile(current), expected);
}

TEST(Cli, UsageErrorsExitWithTwo) {
    test::TempDir dir;
    EXPECT_EQ(cli(dir, "").status, 2);
    EXPECT_EQ(cli(dir, "frobnicate").status, 2);
    EXPECT_EQ(cli(dir, "--today 31.02.2026 show x.azr").status, 2);
}

} // namespace
} // namespace lorvan
