#pragma once

#include "output/page.h"

#include <string>

// Prints the reports of a year file page by page onto a surface (printer, preview or PDF): headings,
// logo, rule and tables at their places. Each page is framed by the surface's beginPage and endPage.
namespace lorvan {

class Surface;
struct MonthReport;
struct YearReport;

// logoPath is the program settings' logo of this run: when the logo cannot be printed, sink gets the
// message once and the path is cleared, so later pages and reports print without logo.
void printMonthReport(Surface& surface, const MonthReport& report, std::string& logoPath,
                      const MessageSink& sink);
void printYearReport(Surface& surface, const YearReport& report, std::string& logoPath,
                     const MessageSink& sink);

// One page of the surface: begun before the drawing and ended after it.
class PageScope {
  public:
    explicit PageScope(Surface& surface);
    ~PageScope();
    PageScope(const PageScope&) = delete;
    PageScope& operator=(const PageScope&) = delete;

  private:
    Surface& surface_;
};

// The places on the pages, in inches.
inline constexpr double kReportLeft = 0.6;
inline constexpr double kMonthTitleTop = 0.5;
inline constexpr double kMonthLogoTop = 0.2;
inline constexpr double kMonthRight = 7.9;

} // namespace lorvan
