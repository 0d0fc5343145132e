#include "cli/commands.h"
#include "cli/report_output.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "support/cli_run.h"
#include "support/error_text.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace lorvan {
namespace {

// A year file of 2026 with one worked day in March, written into a temporary data directory.
class ReportOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = test::YearFileBuilder("Anna Berg", 2026)
                    .day(3, 2)
                    .work("7:00", "16:00")
                    .saveAs(dir_.file("Anna_Berg2026.azr"));
        options_.dataDirectory = dir_.path().string();
    }

    int run(int (*command)(const cli::Options&, const std::vector<std::string>&, std::ostream&),
            const std::vector<std::string>& args) {
        std::ostringstream out;
        const int status = command(options_, args, out);
        EXPECT_EQ(out.str(), "");
        return status;
    }

    test::TempDir dir_;
    std::string path_;
    cli::Options options_;
};

TEST_F(ReportOutput, MonthAndYearReportsAsPdfAndWorkbook) {
    struct Case {
        int (*command)(const cli::Options&, const std::vector<std::string>&, std::ostream&);
        std::vector<std::string> args; // the output file follows
        const char* option;
        std::string magic;
    };
    const Case cases[] = {
        {cli::runMonth, {"3"}, "--pdf", "%PDF"},
        {cli::runMonth, {"3"}, "--xlsx", "PK"},
        {cli::runYear, {}, "--pdf", "%PDF"},
        {cli::runYear, {"--report", "account"}, "--pdf", "%PDF"},
        {cli::runYear, {"--report", "grid"}, "--xlsx", "PK"},
        {cli::runYear, {"--report", "absences"}, "--pdf", "%PDF"},
    };
    int32_t n = 0;
    for (const Case& c : cases) {
        const std::string out = dir_.file("report" + std::to_string(++n));
        std::vector<std::string> args{path_};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back(c.option);
        args.push_back(out);
        SCOPED_TRACE(out);
        EXPECT_EQ(run(c.command, args), 0);
        EXPECT_EQ(readWholeFile(out).substr(0, c.magic.size()), c.magic);
    }
}

TEST_F(ReportOutput, AFileWithoutMonthsExportsNothing) {
    const std::string path = test::YearFileBuilder("Anna Berg", 2025).saveAs(dir_.file("Anna_Berg2025.azr"));
    const std::string out = dir_.file("leer.xlsx");
    EXPECT_THROW_MSG(run(cli::runYear, {path, "--report", "account", "--xlsx", out}),
                     "Es sind keine Angaben zum Export vorhanden.");
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The program starts without the toolkit and without the spreadsheet library: both are in the
// modules it loads to draw a PDF or write a workbook. A copy of the program in another folder finds
// them in the folder LORVAN_MODULE_DIR names.
TEST_F(ReportOutput, PdfAndWorkbookLibrariesAreLoadedOnlyWhenUsed) {
    const test::CliRun libraries =
        test::runCommand("LD_TRACE_LOADED_OBJECTS=1 " + std::string(LORVAN_CLI), dir_.path().string());
    ASSERT_EQ(libraries.status, 0) << libraries.err;
    EXPECT_NE(libraries.out.find("libc.so"), std::string::npos) << libraries.out;
    for (const char* library : {"libQt", "libxlsxwriter", "libcrypto"})
        EXPECT_EQ(libraries.out.find(library), std::string::npos) << library << " in\n" << libraries.out;

    const std::filesystem::path folder = dir_.file("bin");
    std::filesystem::create_directory(folder);
    const std::string program = (folder / "lorvan-cli").string();
    std::filesystem::copy_file(LORVAN_CLI, program);
    const std::string modules = std::filesystem::path(LORVAN_CLI).parent_path().string();
    const struct {
        const char* option;
        const char* file;
        std::string magic;
    } outputs[] = {{"--pdf", "m.pdf", "%PDF"}, {"--xlsx", "m.xlsx", "PK"}};
    for (const auto& output : outputs) {
        const std::string file = dir_.file(output.file);
        const std::string command = "XDG_CONFIG_HOME='" + dir_.file("config") + "' LORVAN_MODULE_DIR='" + modules +
                                    "' '" + program + "' --data '" + dir_.path().string() + "' month '" + path_ +
                                    "' 3 " + output.option + " '" + file + "'";
        const test::CliRun run = test::runCommand(command, dir_.path().string());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(readWholeFile(file).substr(0, output.magic.size()), output.magic) << output.file;
    }

    // Without its module a workbook is refused with the reason, and nothing is written.
    const std::string file = dir_.file("ohne.xlsx");
    const test::CliRun missing =
        test::runCommand("XDG_CONFIG_HOME='" + dir_.file("config") + "' LORVAN_MODULE_DIR='" + dir_.file("leer") +
                             "' '" + program + "' --data '" + dir_.path().string() + "' month '" + path_ +
                             "' 3 --xlsx '" + file + "'",
                         dir_.path().string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Das Modul für Arbeitsmappen (lorvan-xlsx.so) konnte nicht geladen werden"),
              std::string::npos)
        << missing.err;
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace lorvan
