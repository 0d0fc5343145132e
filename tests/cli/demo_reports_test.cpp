#include "cli/demo/demo_data.h"
#include "evaluation/evaluation_context.h"
#include "evaluation/month_evaluation.h"
#include "foundation/format.h"
#include "masterdata/employee_lookup.h"
#include "output/recording_surface.h"
#include "reports/month_report.h"
#include "reports/report_print.h"
#include "reports/year_reports.h"
#include "support/temp_dir.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lorvan {
namespace {

// The printable area of the PDF pages (A4 less 4 mm on every side) at their 600 dpi.
constexpr int32_t kPdfShortSide = 4770; // 7.95 inches
constexpr int32_t kPdfLongSide = 6828;  // 11.38 inches

// The texts of one printed report that do not fit their cell or the page, one line each.
std::vector<std::string> cutTexts(const std::string& report, bool landscape,
                                  const std::function<void(Surface&)>& print) {
    RecordingSurface surface(600, 600,
                             landscape ? Rect{0, 0, kPdfLongSide, kPdfShortSide}
                                       : Rect{0, 0, kPdfShortSide, kPdfLongSide});
    print(surface);
    std::vector<std::string> result;
    for (const RecordedCall& call : surface.textsOutsideTheirBox())
        result.push_back(format("%s: \"%s\" (%d points) in (%d, %d)-(%d, %d)", report.c_str(),
                                call.text.c_str(), static_cast<int>(call.font.points), call.rect.left,
                                call.rect.top, call.rect.right, call.rect.bottom));
    return result;
}

// Every report of the demo data of two whole years (five employees: office, field service with
// surcharges and standby duties, part time, warehouse, one who left in June; vacation, half days,
// sickness, time off), printed as the PDF pages are.
TEST(DemoReports, NoPrintedReportCutsAText) {
    test::TempDir directory;
    cli::createDemoData(directory.path().string(), Datum{31, 12, 2026});
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(directory.path()))
        if (entry.path().extension() == ".azr") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 9u);
    const std::unique_ptr<EmployeeFileLookup> employees = EmployeeFileLookup::open(directory.path().string());
    const FilePreviousYearSource previousYears;
    const MessageSink noMessages = [](const std::string& message) { ADD_FAILURE() << message; };
    std::vector<std::string> cut;
    const auto collect = [&](const std::vector<std::string>& texts) {
        cut.insert(cut.end(), texts.begin(), texts.end());
    };
    for (const std::string& path : files) {
        CLorvanDoc document;
        document.open(path);
        YearEvaluator evaluator(document, EvaluationContext{employees.get(), &previousYears});
        const std::string name = std::filesystem::path(path).filename().string();
        for (int32_t month = 1; month <= 12; ++month) {
            const MonthReport report = monthReport(evaluator, month, ReportInputs{});
            collect(cutTexts(format("%s month %d", name.c_str(), month), false, [&](Surface& surface) {
                std::string logo;
                printMonthReport(surface, report, logo, noMessages);
            }));
        }
        const struct {
            YearReportKind kind;
            const char* name;
        } kinds[] = {{YearReportKind::YearEvaluation, "year"},
                     {YearReportKind::Account, "account"},
                     {YearReportKind::WorkingTimeGrid, "grid"},
                     {YearReportKind::Absences, "absences"}};
        for (const auto& kind : kinds) {
            const YearReport report = yearReport(evaluator, kind.kind);
            EXPECT_FALSE(report.pages.empty()) << name << ' ' << kind.name;
            collect(cutTexts(name + " " + kind.name, report.landscape, [&](Surface& surface) {
                std::string logo;
                printYearReport(surface, report, logo, noMessages);
            }));
        }
    }
    std::string listed;
    for (size_t i = 0; i < cut.size() && i < 40; ++i)
        listed += cut[i] + "\n";
    EXPECT_TRUE(cut.empty()) << cut.size() << " texts cut, the first:\n" << listed;
}

} // namespace
} // namespace lorvan
