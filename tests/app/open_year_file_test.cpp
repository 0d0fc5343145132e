#include "app/open_year_file.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

// Every front end takes the employee file of the data directory; without one, the file's own folder.
TEST(OpenYearFile, TheEmployeeFileOfTheDataDirectoryOrOfTheFilesFolder) {
    struct Case {
        const char* path;
        const char* dataDirectory;
        const char* folder;
    };
    const Case cases[] = {
        {"/home/a/TwDaten/Max2026.azr", "/srv/firma/", "/srv/firma/"},
        {"/home/a/TwDaten/Max2026.azr", "", "/home/a/TwDaten"},
        {"archiv/Max2025.azr", "", "archiv"},
        {"Max2026.azr", "", "."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpenYearFile::employeeFileFolder(c.path, c.dataDirectory), c.folder) << c.path;
}

} // namespace
} // namespace lorvan
