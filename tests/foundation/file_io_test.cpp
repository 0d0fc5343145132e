#include "foundation/error.h"
#include "foundation/file_io.h"
#include "support/error_text.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace lorvan {
namespace {

TEST(FileIo, AtomicWriteReplacesTheFileAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const std::string path = dir.file("Daten.kd");
    writeFileAtomically(path, "alt");
    writeFileAtomically(path, std::string("neu\0!", 5));
    EXPECT_EQ(readWholeFile(path), std::string("neu\0!", 5));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(FileIo, RefusedWritesKeepTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("Daten.mar");
    writeFileAtomically(path, "alt");
    ::chmod(path.c_str(), 0444); // write-protected
    EXPECT_THROW_MSG(writeFileAtomically(path, "neu"),
                     "Die Datei '" + path +
                         "' konnte nicht geschrieben werden.\n(Der Zugriff wurde verweigert.)");
    EXPECT_EQ(readWholeFile(path), "alt");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(FileIo, MissingFilesNameTheCause) {
    test::TempDir dir;
    const std::string path = dir.file("fehlt.azr");
    EXPECT_THROW_MSG(readWholeFile(path),
                     "Die Datei '" + path +
                         "' konnte nicht geöffnet werden.\n(Die Datei wurde nicht gefunden.)");
    EXPECT_THROW(writeFileAtomically(dir.file("kein/Verzeichnis.azr"), "x"), LorvanError);
}

} // namespace
} // namespace lorvan
