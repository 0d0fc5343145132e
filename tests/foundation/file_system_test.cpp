#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "support/error_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace lorvan {
namespace {

namespace fs = std::filesystem;
using test::errorOf;

TEST(FileSystem, PathTexts) {
    struct Case {
        std::string path;
        bool wanted;
        std::string expected;
    };
    const Case separators[] = {
        {"/Daten", true, "/Daten/"},
        {"\\Daten\\", false, "/Daten"},
        {"/Daten/", true, "/Daten/"},
        {"a\\b/c", true, "a/b/c/"},
        {"", true, ""},
        {"", false, ""},
    };
    for (const Case& c : separators)
        EXPECT_EQ(withSeparator(c.path, c.wanted), c.expected) << c.path;

    struct Split {
        std::string path;
        std::string directory;
        std::string fileName;
    };
    const Split splits[] = {
        {"/a/b/Max2024.azr", "/a/b/", "Max2024.azr"},
        {"a\\b\\x.txt", "a/b/", "x.txt"},
        {"Max2024.azr", "", "Max2024.azr"},
        {"/a/b/", "/a/b/", ""},
    };
    for (const Split& s : splits) {
        EXPECT_EQ(directoryOfPath(s.path, false), s.directory) << s.path;
        EXPECT_EQ(fileNameOfPath(s.path), s.fileName) << s.path;
    }
    EXPECT_EQ(directoryOfPath("x.txt", true), withSeparator(currentDirectory(), true));
}

TEST(FileSystem, AbsolutePathResolvesLevelsWithoutTouchingTheCurrentDirectory) {
    struct Case {
        std::string path;
        std::string base;
        std::string expected;
    };
    const Case cases[] = {
        {"x", "/base", "/base/x/"},      {"/abs/y", "/base", "/abs/y/"},
        {"../z", "/base/b", "/base/z/"}, {"./a/./b/..", "/base", "/base/a/"},
        {"", "/base/", "/base/"},        {"a\\b", "\\base", "/base/a/b/"},
        {"../../../..", "/base", "/"},   {"a//b", "/base", "/base/a/b/"},
    };
    const std::string before = currentDirectory();
    for (const Case& c : cases)
        EXPECT_EQ(absolutePath(c.path, c.base), c.expected) << c.path;
    EXPECT_EQ(absolutePath("x", ""), withSeparator(before, true) + "x/");

    const std::string tooLong = std::string(PATH_MAX, 'a');
    EXPECT_EQ(errorOf([&] { absolutePath(tooLong, "/base"); }),
              "Das absolute Verzeichnis für '" + tooLong +
                  "' konnte nicht ermittelt werden.\n(Das Zielverzeichnis ist ungültig. Z.B. existiert das "
                  "Laufwerk nicht oder der Verzeichnisname ist zu lang.)");
    EXPECT_EQ(currentDirectory(), before);
}

TEST(FileSystem, CurrentDirectoryIsSetAndRestored) {
    test::TempDir dir;
    const std::string before = currentDirectory();
    EXPECT_EQ(setCurrentDirectory(""), before);
    EXPECT_EQ(setCurrentDirectory(dir.path().string()), before);
    EXPECT_EQ(currentDirectory(), fs::canonical(dir.path()).string());
    setCurrentDirectory(before);
    EXPECT_EQ(currentDirectory(), before);
    const std::string missing = dir.file("fehlt");
    EXPECT_EQ(errorOf([&] { setCurrentDirectory(missing); }),
              "Das Verzeichnis '" + missing +
                  "' konnte nicht gesetzt werden.\n(Die Datei wurde nicht gefunden.)");
    EXPECT_EQ(currentDirectory(), before);
}

// Every directory below the root, as a sorted list, to see what a call left behind.
std::vector<std::string> directoriesBelow(const fs::path& root) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_directory()) found.push_back(fs::relative(entry.path(), root).string());
    std::sort(found.begin(), found.end());
    return found;
}

TEST(FileSystem, CreateDirectoryPathCreatesMissingLevelsOrNone) {
    struct Case {
        std::string path; // relative to the base, which holds the directory A and the file A/Datei
        bool created;
        std::vector<std::string> directories; // afterwards
        std::string cause;                    // of the failure
    };
    const std::string longName(NAME_MAX + 1, 'C');
    const Case cases[] = {
        {"A/B/C", true, {"A", "A/B", "A/B/C"}, ""},
        {"A\\B\\C\\", true, {"A", "A/B", "A/B/C"}, ""},
        {"A", true, {"A"}, ""},
        {"", true, {"A"}, ""},
        // B is made, the too long name fails: B goes again.
        {"A/B/" + longName, false, {"A"}, "Die Pfadangabe ist ungültig."},
        {"A/Datei/C", false, {"A"}, "Die Datei ist bereits vorhanden."},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        fs::create_directory(dir.path() / "A");
        test::writeBytes(dir.file("A/Datei"), "x");
        std::string error;
        EXPECT_EQ(createDirectoryPath(c.path, error, dir.path().string()), c.created) << c.path;
        EXPECT_EQ(directoriesBelow(dir.path()), c.directories) << c.path;
        EXPECT_EQ(error, c.created ? ""
                                   : "Das Verzeichnis '" + c.path + "' konnte nicht angelegt werden.\n(" +
                                         c.cause + ")")
            << c.path;
    }
}

TEST(FileSystem, RemoveCreatedDirectoriesStopsAtTheFirstFailure) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "A/B/C");
    test::writeBytes(dir.file("A/Datei"), "x");
    std::string error;
    EXPECT_FALSE(removeCreatedDirectories(dir.file("A/B/C/"), error, 3));
    EXPECT_EQ(error, "Das Verzeichnis '" + dir.file("A") +
                         "' konnte nicht entfernt werden.\n(Das Verzeichnis ist nicht leer.)");
    EXPECT_EQ(directoriesBelow(dir.path()), std::vector<std::string>{"A"});
}

TEST(FileSystem, DeleteFileHonoursTheWriteProtection) {
    struct Case {
        const char* name;
        bool create;
        mode_t mode;
        bool removeProtection;
        bool deleted;
        std::string cause;
    };
    const Case cases[] = {
        {"missing", false, 0, false, true, ""},
        {"plain", true, 0644, false, true, ""},
        {"read-only", true, 0444, true, true, ""},
        {"read-only kept", true, 0444, false, false, "Der Zugriff wurde verweigert."},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const std::string path = dir.file("Max2024.azr");
        if (c.create) {
            test::writeBytes(path, "x");
            ::chmod(path.c_str(), c.mode);
        }
        std::string error;
        EXPECT_EQ(deleteFile(path, error, c.removeProtection), c.deleted) << c.name;
        EXPECT_EQ(fileExists(path), c.create && !c.deleted) << c.name;
        EXPECT_EQ(error, c.deleted
                             ? ""
                             : "Die Datei '" + path + "' konnte nicht gelöscht werden.\n(" + c.cause + ")")
            << c.name;
    }
}

TEST(FileSystem, CopyFileNeverOverwritesAndLeavesNoPartialCopy) {
    test::TempDir dir;
    const std::string source = dir.file("Max2024.azr");
    const std::string target = dir.file("Kopie.azr");
    test::writeBytes(source, std::string("neu\0daten", 9));
    ::chmod(source.c_str(), 0440);
    std::string error;
    ASSERT_TRUE(copyFile(source, target, error)) << error;
    EXPECT_EQ(readWholeFile(target), std::string("neu\0daten", 9));
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0440u);

    struct Case {
        std::string source;
        std::string target;
        std::string cause;
    };
    test::writeBytes(dir.file("alt.azr"), "alt");
    fs::create_directory(dir.path() / "Ordner.azr");
    const Case failures[] = {
        {source, dir.file("alt.azr"), "Die Datei ist bereits vorhanden."},
        {source, dir.file("Ordner.azr"), "Die Datei ist bereits vorhanden."},
        {dir.file("fehlt.azr"), dir.file("neu.azr"), "Die Datei wurde nicht gefunden."},
        {source, dir.file("kein/Verzeichnis.azr"), "Die Datei wurde nicht gefunden."},
    };
    for (const Case& c : failures) {
        error.clear();
        EXPECT_FALSE(copyFile(c.source, c.target, error)) << c.target;
        EXPECT_EQ(error, c.cause) << c.target;
    }
    EXPECT_EQ(readWholeFile(dir.file("alt.azr")), "alt");
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Kopie.azr", "Max2024.azr", "Ordner.azr", "alt.azr"}));
}

// The version backup copies a year file that may be a link: the copy holds what the link leads to,
// and a link in the copy's place is never written through.
TEST(FileSystem, CopyFileReadsThroughALinkButNeverWritesThroughOne) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "ablage");
    test::writeBytes(dir.file("ablage/Max2024.azr"), "daten");
    ::chmod(dir.file("ablage/Max2024.azr").c_str(), 0640);
    fs::create_symlink("ablage/Max2024.azr", dir.path() / "Max2024.azr");
    std::string error;
    ASSERT_TRUE(copyFile(dir.file("Max2024.azr"), dir.file("Kopie.azr"), error)) << error;
    EXPECT_FALSE(fs::is_symlink(dir.path() / "Kopie.azr"));
    EXPECT_EQ(readWholeFile(dir.file("Kopie.azr")), "daten");
    struct stat st {};
    ::stat(dir.file("Kopie.azr").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    fs::create_symlink("ablage/fehlt.azr", dir.path() / "Sicherung.azr");
    EXPECT_FALSE(copyFile(dir.file("Max2024.azr"), dir.file("Sicherung.azr"), error));
    EXPECT_EQ(error, "Die Datei ist bereits vorhanden.");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "Sicherung.azr"));
    EXPECT_FALSE(fs::exists(dir.path() / "ablage/fehlt.azr"));
}

TEST(FileSystem, LastErrorTextIsGermanAndTrimmed) {
    errno = 0;
    EXPECT_EQ(lastErrorText(), "Kein Fehlertext vorhanden.");
    errno = ENOSPC;
    EXPECT_EQ(lastErrorText(), "Die Platte ist voll.");
    // A write past the file size limit is a full disk as well, for the file in question.
    errno = EFBIG;
    EXPECT_EQ(lastErrorText(), "Die Platte ist voll: Die Datei überschreitet die zulässige Dateigröße.");
    errno = EIO;
    EXPECT_EQ(lastErrorText(), "Beim Zugriff auf den Datenträger ist ein Fehler aufgetreten.");
}

TEST(FileSystem, ModificationTimeInLocalTime) {
    test::TempDir dir;
    EXPECT_EQ(fileModificationTime(dir.file("fehlt.azr")), (DateTime{Datum{1, 1, 1980}, 0, 0, 0}));
    const std::string path = dir.file("Max2024.azr");
    test::writeBytes(path, "x");
    std::tm local{};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 15;
    local.tm_hour = 13;
    local.tm_min = 45;
    local.tm_sec = 30;
    local.tm_isdst = -1;
    const timespec times[2] = {{0, UTIME_OMIT}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(fileModificationTime(path), (DateTime{Datum{15, 3, 2024}, 13, 45, 30}));
}

TEST(FileSystem, ExistenceAndNearestDirectory) {
    test::TempDir dir;
    const std::string root = dir.path().string() + "/";
    fs::create_directories(dir.path() / "A/sub.azr");
    test::writeBytes(dir.file("A/LIESMICH"), "x");

    EXPECT_TRUE(directoryExists(root + "A"));
    EXPECT_FALSE(fileExists(root + "A"));
    EXPECT_TRUE(fileExists(root + "A/LIESMICH"));
    EXPECT_FALSE(directoryExists(root + "A/LIESMICH"));
    EXPECT_FALSE(directoryExists(""));

    // Directories never count as files; the pattern ignores letter case and "*.*" takes any name.
    EXPECT_FALSE(directoryHasFiles(root + "A", "*.azr"));
    EXPECT_TRUE(directoryHasFiles(root + "A", "*.*"));
    test::writeBytes(dir.file("A/MAX2024.AZR"), "x");
    EXPECT_TRUE(directoryHasFiles(root + "A/", "*.azr"));

    EXPECT_EQ(nearestExistingDirectory(root + "A/B/x.txt"), root + "A/");
    EXPECT_EQ(nearestExistingDirectory(root + "A\\sub.azr"), root + "A/sub.azr/");
    EXPECT_EQ(nearestExistingDirectory("gibt/es/nicht"), "");
}

TEST(FileSystem, FindFilesByStemSearchesTheArchiveOnly) {
    test::TempDir dir;
    const fs::path root = dir.path();
    fs::create_directories(root / "ARCHIV/2019");
    fs::create_directories(root / "Archiv/2018");
    fs::create_directories(root / "Other");
    fs::create_directories(root / "Max_Muster2021.azr"); // a directory is never a result
    for (const char* name : {"Max_Muster2024.azr", "Max_Muster_Alt2024.azr", "ARCHIV/2019/MAX_MUSTER2019.azr",
                             "Archiv/2018/max_muster2018.azr", "Other/Max_Muster2020.azr",
                             "Max_Muster2024.azr.tmpQ1w2E3", "Max_Muster2023.fb"})
        test::writeBytes((root / name).string(), "x");
    std::vector<std::string> found;
    findFilesByStem(root.string(), "Max_Muster", 8, "ARCHIV", found);
    const std::string r = root.string() + "/";
    EXPECT_EQ(found,
              (std::vector<std::string>{r + "ARCHIV/2019/MAX_MUSTER2019.azr",
                                        r + "Archiv/2018/max_muster2018.azr", r + "Max_Muster2024.azr"}));
    found.clear();
    findFilesByStem(root.string(), "max_muster", 8, "", found);
    EXPECT_EQ(found.size(), 4u); // every subdirectory, Other included
}

TEST(FileSystem, DataDirectoryFollowsTheDocumentsFolder) {
    test::TempDir withDocuments;
    fs::create_directory(withDocuments.path() / "Documents");
    test::TempDir withoutDocuments;
    struct Case {
        UserEnvironment environment;
        std::string documents;
        std::string dataDirectory;
    };
    const std::string home1 = withDocuments.path().string();
    const std::string home2 = withoutDocuments.path().string();
    const Case cases[] = {
        {{home1, "/srv/Dokumente"}, "/srv/Dokumente", "/srv/Dokumente/TwDaten/"},
        {{home1, "/srv/Dokumente/"}, "/srv/Dokumente/", "/srv/Dokumente/TwDaten/"},
        {{home1, ""}, home1 + "/Documents", home1 + "/Documents/TwDaten/"},
        {{home2, ""}, "", home2 + "/TwDaten/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(documentsFolder(c.environment), c.documents) << c.environment.home;
        EXPECT_EQ(defaultDataDirectory(c.environment), c.dataDirectory) << c.environment.home;
    }
}

TEST(FileSystem, HimetricToPixelsTruncates) {
    const std::pair<int32_t, int32_t> cases[] = {{7938, 300}, {2382, 90}, {2381, 89},
                                                 {0, 0},      {26, 0},    {27, 1}};
    for (const auto& [himetric, pixels] : cases)
        EXPECT_EQ(himetricToPixels(himetric), pixels) << himetric;
}

// A bitmap file: file header, info header of the given size, palette and pixel rows.
std::string bitmap(uint32_t headerSize, int32_t width, int32_t height, uint16_t bits,
                   uint32_t compression = 0, int64_t pixelBytesMissing = 0) {
    std::string b;
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const uint32_t palette = bits <= 8 ? (1u << bits) * (headerSize == 12 ? 3 : 4) : 0;
    const uint32_t offset = 14 + headerSize + palette;
    const uint64_t rows =
        (static_cast<uint64_t>(width) * bits + 31) / 32 * 4 * static_cast<uint64_t>(std::abs(height));
    b += "BM";
    put(static_cast<uint32_t>(offset + rows), 4);
    put(0, 4);
    put(offset, 4);
    put(headerSize, 4);
    if (headerSize == 12) {
        put(static_cast<uint32_t>(width), 2);
        put(static_cast<uint32_t>(height), 2);
        put(1, 2);
        put(bits, 2);
    } else {
        put(static_cast<uint32_t>(width), 4);
        put(static_cast<uint32_t>(height), 4);
        put(1, 2);
        put(bits, 2);
        put(compression, 4);
        b.append(headerSize - 20, '\0');
    }
    b.append(palette, '\0');
    b.append(static_cast<size_t>(static_cast<int64_t>(rows) - pixelBytesMissing), '\x7f');
    return b;
}

TEST(FileSystem, LoadPictureReadsUncompressedBitmaps) {
    test::TempDir dir;
    struct Case {
        const char* what;
        std::string bytes;
        bool loads;
        PictureSize size;
    };
    const Case cases[] = {
        // The size is the bitmap's own: 300 x 90 pixels stay 300 x 90.
        {"info header", bitmap(40, 300, 90, 24), true, {300, 90}},
        {"top-down", bitmap(40, 300, -90, 24), true, {300, 90}},
        {"v5 header", bitmap(124, 17, 5, 32, 3), true, {17, 5}},
        {"core header", bitmap(12, 16, 8, 8), true, {16, 8}},
        {"monochrome", bitmap(40, 1, 1, 1), true, {1, 1}},
        {"run-length", bitmap(40, 16, 8, 8, 1), false, {}},
        {"jpeg inside", bitmap(40, 16, 8, 0, 4), false, {}},
        {"truncated pixels", bitmap(40, 300, 90, 24, 0, 1), false, {}},
        {"no width", bitmap(40, 0, 8, 24), false, {}},
        {"odd bits", bitmap(40, 16, 8, 7), false, {}},
        {"unknown header", bitmap(20, 16, 8, 24), false, {}},
        {"png", "\x89PNG\r\n\x1a\n" + std::string(40, '\0'), false, {}},
        {"empty", "", false, {}},
    };
    const std::string path = dir.file("Logo.bmp");
    for (const Case& c : cases) {
        test::writeBytes(path, c.bytes);
        PictureSize size{-1, -1};
        std::string error;
        EXPECT_EQ(loadPicture(path, size, error), c.loads) << c.what;
        if (c.loads) {
            EXPECT_EQ(size.width, c.size.width) << c.what;
            EXPECT_EQ(size.height, c.size.height) << c.what;
        } else {
            EXPECT_EQ(error, "Das Bildformat der Datei '" + path +
                                 "' wird nicht unterstützt.\nBitte verwenden Sie eine Bitmap.")
                << c.what;
        }
    }
    PictureSize size;
    std::string error;
    EXPECT_FALSE(loadPicture(dir.file("fehlt.bmp"), size, error));
    EXPECT_EQ(error, "Die Datei '" + dir.file("fehlt.bmp") + "' existiert nicht.");
}

} // namespace
} // namespace lorvan
