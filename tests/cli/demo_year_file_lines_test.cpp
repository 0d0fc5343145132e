#include "cli/demo/demo_data.h"
#include "cli/json_yearfile.h"
#include "foundation/file_io.h"
#include "support/temp_dir.h"
#include "support/time_line_texts.h"
#include "yearfile/year_file.h"
#include "yearfile/year_file_lines.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lorvan {
namespace {

// The customer query reads the time lines straight from the bytes (YearFileLines); over the demo
// data it sees exactly the lines that the full load holds. The JSON show streams is checked alike.
TEST(DemoData, LeanReadingGivesTheLinesOfTheFullLoad) {
    test::TempDir directory;
    cli::createDemoData(directory.path().string(), Datum{31, 12, 2026});
    int files = 0;
    size_t total = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory.path())) {
        if (entry.path().extension() != ".azr") continue;
        const std::string path = entry.path().string();
        const std::string bytes = readWholeFile(path);
        CLorvanDoc document;
        document.fromBytes(bytes, path);
        YearFileLines lines;
        lines.read(bytes, path);
        EXPECT_EQ(test::timeLineTexts(lines), test::timeLineTexts(document)) << path;
        // show streams the JSON of a year file; over the demo data it is the tree's text.
        std::string streamed;
        cli::writeYearFileJson(document, streamed);
        EXPECT_EQ(streamed, cli::yearFileToJson(document).dump(2)) << path;
        ++files;
        total += lines.lines().size();
    }
    EXPECT_GT(files, 0);
    EXPECT_GT(total, 0u);
}

} // namespace
} // namespace lorvan
