#include "cli/commands.h"
#include "cli/report_output.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
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

} // namespace
} // namespace lorvan
