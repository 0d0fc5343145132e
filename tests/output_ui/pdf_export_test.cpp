#include "output/ui/pdf_export.h"

#include "foundation/error.h"
#include "output/page.h"
#include "output/print_table.h"
#include "output/report_table.h"
#include "output/ui/qt_surface.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QPrinter>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace lorvan {
namespace {

// Qt draws text only with an application object; the tests share one.
class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { scope_ = std::make_unique<GuiApplicationScope>(); }
    void TearDown() override { scope_.reset(); }

  private:
    std::unique_ptr<GuiApplicationScope> scope_;
};

[[maybe_unused]] ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

// The standard output of a poppler tool run on file (pdftotext writes to "-").
std::string runTool(const std::string& tool, const std::string& file) {
    const bool textTool = tool.rfind("pdftotext", 0) == 0;
    const std::string command = tool + " '" + file + "'" + (textTool ? " -" : "") + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
    std::string output;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    if (pclose(pipe) != 0) throw std::runtime_error(command + " failed: " + output);
    return output;
}

// A word's box in PDF points (origin top left of the paper) as pdftotext -bbox reports it.
struct WordBox {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

WordBox findWord(const std::string& bboxHtml, const std::string& word) {
    const std::regex pattern(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">" + word +
        "</word>");
    std::smatch match;
    if (!std::regex_search(bboxHtml, match, pattern)) throw std::runtime_error("word not in PDF: " + word);
    return WordBox{std::stod(match[1]), std::stod(match[2]), std::stod(match[3]), std::stod(match[4])};
}

constexpr double kPointsPerInch = 72.0;
constexpr double kMarginPoints = 4.0 / 25.4 * kPointsPerInch; // the default margin of 4 mm

// A page as the reports draw it: a heading, then a table with a bold, a multi-line and a right-aligned
// column.
void drawReportPage(Surface& surface) {
    surface.beginPage();
    CPage page(surface);
    double y = page.printText(0.5, 0.6, kTextBold, 14, "Monatsauswertung 03.2026 - Jörg Weiß");
    CReportTable table("MONAT");
    table.left = 0.6;
    table.addColumn(1, 1.2, "Datum");
    table.addColumn(2, 1.5, "Überstunden").flags = kTextRight;
    table.addColumn(3, 2.0, "Bemerkung").flags = kTextMultiLineCell;
    CReportRow& row = table.addRow();
    row.addCell(1, "Mo 02.03.", true);
    row.addCell(2, "1:45");
    row.addCell(3, "Prüfung der Außenanlage gemäß Auftrag, Nachbesserung am Übergabetag");
    table.addRow().addCell(1, "Di 03.03.");
    y = printTable(page, table, y + 0.2);
    page.printText(y + 0.1, 0.6, 0, 8, "Summe & Übertrag");
    surface.endPage();
}

TEST(PdfExportTest, ReportPageEmbedsLiberationSerifAndKeepsItsGermanTexts) {
    const test::TempDir dir;
    const std::string path = dir.file("monat.pdf");
    writePdf(path, drawReportPage);

    // Every font is Liberation Serif, embedded: the regular one of the texts, the bold one of the
    // heading and the header titles.
    const std::string fonts = runTool("pdffonts", path);
    std::istringstream lines(fonts);
    std::string line;
    int fontCount = 0;
    bool regular = false, bold = false;
    while (std::getline(lines, line)) {
        if (line.empty() || line.rfind("name", 0) == 0 || line.rfind("----", 0) == 0) continue;
        ++fontCount;
        EXPECT_NE(line.find("LiberationSerif"), std::string::npos) << line;
        EXPECT_TRUE(std::regex_search(line, std::regex(" yes +(yes|no) +(yes|no) +[0-9]+ +[0-9]+ *$")))
            << line;
        regular = regular || std::regex_search(line, std::regex("^([A-Z]{6}\\+)?LiberationSerif "));
        bold = bold || line.find("LiberationSerif-Bold") != std::string::npos;
    }
    EXPECT_GT(fontCount, 0) << fonts;
    EXPECT_TRUE(regular) << fonts;
    EXPECT_TRUE(bold) << fonts;

    const std::string text = runTool("pdftotext -layout", path);
    for (const char* expected : {"Monatsauswertung 03.2026 - Jörg Weiß", "Überstunden", "Mo 02.03.", "1:45",
                                 "Prüfung der Außenanlage", "Übergabetag", "Summe & Übertrag"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    const std::string info = runTool("pdfinfo", path);
    EXPECT_NE(info.find("A4"), std::string::npos) << info;
}

// Positions in inches and sizes in points land where they belong on the paper: device units are
// pixels at the writer's resolution from the top left of the printable area, and the alignment bits
// place the text in its box.
TEST(PdfExportTest, TextsLandAtTheirPositionOnThePaper) {
    struct Case {
        int32_t dpi;
        const char* word;
        int32_t flags;
        bool checkRight; // the right edge of the word at the box's right, else its left at the box's left
    };
    const Case cases[] = {
        {600, "Links", 0, false},
        {600, "Rechts", kTextRight, true},
        {300, "Zentriert", kTextCentre | kTextRight, false}, // centred wins: neither edge touches
        {300, "Rechtsbündig", kTextRight | kTextSingleLine, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        PdfOptions options;
        options.dpi = c.dpi;
        const test::TempDir dir;
        const std::string path = dir.file("lage.pdf");
        writePdf(
            path,
            [&](Surface& surface) {
                CPage page(surface);
                page.printTextInBox(1.0, 2.0, 2.0, 6.0, c.flags, 10, 0, c.word);
            },
            options);
        const WordBox box = findWord(runTool("pdftotext -bbox", path), c.word);
        const double left = kMarginPoints + 2.0 * kPointsPerInch;
        const double right = kMarginPoints + 6.0 * kPointsPerInch;
        // A 10-point word stands between 9 and 13 points tall below the top of its box.
        EXPECT_NEAR(box.yMin, kMarginPoints + kPointsPerInch, 1.5);
        EXPECT_GT(box.yMax - box.yMin, 9.0);
        EXPECT_LT(box.yMax - box.yMin, 13.0);
        if (c.flags & kTextCentre) {
            EXPECT_NEAR((box.xMin + box.xMax) / 2, (left + right) / 2, 1.5);
        } else if (c.checkRight) {
            EXPECT_NEAR(box.xMax, right, 1.5);
        } else {
            EXPECT_NEAR(box.xMin, left, 1.5);
        }
    }
}

// The first page rendered at 72 dpi (one pixel per PDF point) as RGB pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::string rgb;

    Rgb at(double xPoints, double yPoints) const {
        const size_t i = (static_cast<size_t>(yPoints) * width + static_cast<size_t>(xPoints)) * 3;
        return Rgb{static_cast<uint8_t>(rgb[i]), static_cast<uint8_t>(rgb[i + 1]),
                   static_cast<uint8_t>(rgb[i + 2])};
    }
};

Picture renderFirstPage(const std::string& pdf) {
    std::istringstream ppm(runTool("pdftoppm -r 72 -f 1 -l 1", pdf));
    std::string magic;
    int maxValue = 0;
    Picture picture;
    ppm >> magic >> picture.width >> picture.height >> maxValue;
    ppm.get();
    if (magic != "P6" || maxValue != 255) throw std::runtime_error("not a PPM picture");
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    ppm.read(picture.rgb.data(), static_cast<std::streamsize>(picture.rgb.size()));
    return picture;
}

// Bitmaps keep their orientation and colours, boxes their fill, a box text on black is white.
TEST(PdfExportTest, BitmapsFillsAndTextColoursKeepTheirColours) {
    const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255};
    Bitmap bitmap;
    bitmap.width = 2;
    bitmap.height = 2;
    bitmap.rgb = {255, 0, 0,   0,   255, 0,    // top row: red, green
                  0,   0, 255, 255, 255, 255}; // bottom row: blue, white
    const test::TempDir dir;
    const std::string path = dir.file("farben.pdf");
    writePdf(path, [&](Surface& surface) {
        CPage page(surface);
        page.drawBitmapDevice(Rect{600, 600, 1200, 1200}, bitmap); // 1 to 2 inches
        page.drawBox(1.0, 3.0, 2.0, 4.0, 1, kFillLightGrey);
        page.printTextInBox(3.0, 1.0, 5.0, 7.0,
                            kTextBox | kTextCentre | kTextVerticalCentre | kTextSingleLine, 200, kFillBlack,
                            "■");
    });
    const Picture picture = renderFirstPage(path);
    const auto at = [&](double xInches, double yInches) {
        return picture.at(kMarginPoints + xInches * kPointsPerInch, kMarginPoints + yInches * kPointsPerInch);
    };
    EXPECT_EQ(at(1.25, 1.25), red);
    EXPECT_EQ(at(1.75, 1.25), green);
    EXPECT_EQ(at(1.25, 1.75), blue);
    EXPECT_EQ(at(1.75, 1.75), kWhite);
    EXPECT_EQ(at(3.5, 1.5), kFillLightGreyColor);
    EXPECT_EQ(at(2.5, 1.5), kWhite);
    // The black box with the big white square in its middle.
    EXPECT_EQ(at(1.2, 4.0), kBlack);
    EXPECT_EQ(at(4.0, 4.0), kWhite);
}

TEST(PdfExportTest, EveryBegunPageIsAPageOfThePdf) {
    struct Case {
        int32_t pages;
        const char* expected;
    };
    for (const Case& c :
         {Case{0, "Pages:           1"}, Case{1, "Pages:           1"}, Case{3, "Pages:           3"}}) {
        const test::TempDir dir;
        const std::string path = dir.file("seiten.pdf");
        writePdf(path, [&](Surface& surface) {
            for (int32_t i = 0; i < c.pages; ++i) {
                surface.beginPage();
                CPage page(surface);
                page.printText(1.0, 1.0, 0, 10, "Seite " + std::to_string(i + 1));
                surface.endPage();
            }
        });
        const std::string info = runTool("pdfinfo", path);
        EXPECT_NE(info.find(c.expected), std::string::npos) << c.pages << "\n" << info;
        if (c.pages == 3) {
            const std::string text = runTool("pdftotext -f 3 -l 3", path);
            EXPECT_NE(text.find("Seite 3"), std::string::npos) << text;
        }
    }
}

// Text metrics at 600 dpi: a 10-point font is 83 pixels high (its em), Liberation Serif digits are
// half an em wide, a line is about 1.15 em.
TEST(QtSurfaceTest, MeasuresTextLikeACalcRect) {
    renderPdf([](Surface& surface) {
        EXPECT_EQ(surface.dpiX(), 600);
        EXPECT_EQ(surface.dpiY(), 600);
        FontSpec font;
        font.height = 83;
        const Rect box{100, 200, 1100, 2000};

        const Rect digits = surface.measureText("0123456789", font, box, kTextSingleLine);
        EXPECT_EQ(digits.left, 100);
        EXPECT_EQ(digits.top, 200);
        EXPECT_NEAR(digits.width(), 415, 3);
        EXPECT_NEAR(digits.height(), 96, 6);
        // The alignment places the text in the box but does not change what it needs.
        EXPECT_EQ(
            surface.measureText("0123456789", font, box, kTextCentre | kTextVerticalCentre | kTextSingleLine),
            digits);

        // Word wrap within the box's width; a word wider than the box stays whole.
        const Rect wrapped = surface.measureText("00000 00000 00000", font, Rect{100, 200, 400, 2000}, 0);
        EXPECT_NEAR(wrapped.width(), 208, 3);
        EXPECT_NEAR(wrapped.height(), 3 * digits.height(), 9);
        const Rect wide = surface.measureText("0000000000", font, Rect{100, 200, 400, 2000}, 0);
        EXPECT_EQ(wide.width(), digits.width());
        EXPECT_EQ(wide.height(), digits.height());
        // A single line ignores the line break; otherwise it starts a second line.
        EXPECT_EQ(surface.measureText("00\n00", font, box, kTextSingleLine).height(), digits.height());
        EXPECT_NEAR(surface.measureText("00\n00", font, box, 0).height(), 2 * digits.height(), 6);

        EXPECT_EQ(surface.measureText("", font, box, 0), (Rect{100, 200, 100, 200}));

        // Bold is wider; a font without a pixel height takes its points at the surface's resolution.
        FontSpec bold = font;
        bold.bold = true;
        EXPECT_GT(surface.measureText("Überstunden", bold, box, kTextSingleLine).width(),
                  surface.measureText("Überstunden", font, box, kTextSingleLine).width());
        FontSpec byPoints;
        byPoints.points = 10.0;
        EXPECT_EQ(surface.measureText("0123456789", byPoints, box, kTextSingleLine), digits);
    });
}

TEST(QtSurfaceTest, MapsTextFlagsToQtFlags) {
    struct Case {
        int32_t flags;
        int expected;
    };
    const Case cases[] = {
        {0, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap},
        {1056, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip},
        {kTextRight, Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap},
        {kTextCentre | kTextRight, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap},
        {kTextSingleLine | kTextVerticalCentre | kTextExpandTabs,
         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs},
        // Weight and style go with the font; box, title indent and multi-line cell are the page's.
        {kTextBold | kTextItalic | kTextUnderline | kTextStrikeOut | kTextBox | kTextIndentTitle |
             kTextMultiLineCell,
         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtTextFlags(c.flags), c.expected) << c.flags;
}

TEST(QtSurfaceTest, TimesNewRomanIsPrintedWithLiberationSerif) {
    EXPECT_EQ(qtFontFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(qtFontFamily("Liberation Sans"), "Liberation Sans");
    FontSpec fontSpec;
    fontSpec.bold = fontSpec.italic = fontSpec.underline = true;
    const QFont font = qtFont(fontSpec, 300);
    EXPECT_EQ(font.pixelSize(), 42); // 10 points at 300 dpi: 41.67 rounded
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Serif");
}

TEST(QtSurfaceTest, PrinterRunsTheSameDocument) {
    const test::TempDir dir;
    const std::string path = dir.file("drucker.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    ASSERT_TRUE(printDocument(printer, drawReportPage));
    const std::string text = runTool("pdftotext", path);
    EXPECT_NE(text.find("Monatsauswertung 03.2026 - Jörg Weiß"), std::string::npos) << text;
}

TEST(PdfExportTest, FailuresLeaveNoFile) {
    const test::TempDir dir;
    const std::string missingFolder = dir.file("fehlt/monat.pdf");
    try {
        writePdf(missingFolder, drawReportPage);
        FAIL() << "no error";
    } catch (const LorvanError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.substr(0, message.find('\n')),
                  "Die Datei '" + missingFolder + "' konnte nicht geschrieben werden.");
    }

    // A document that fails half way writes nothing, and an older file stays as it was.
    const std::string path = dir.file("monat.pdf");
    test::writeBytes(path, "alt");
    EXPECT_THROW(writePdf(path,
                          [](Surface& surface) {
                              drawReportPage(surface);
                              throw LorvanError("Zeiger nicht besetzt");
                          }),
                 LorvanError);
    EXPECT_EQ(std::filesystem::file_size(path), 3u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(PdfExportTest, ApplicationScopeKeepsAnExistingApplication) {
    ASSERT_NE(QCoreApplication::instance(), nullptr);
    const GuiApplicationScope scope;
    EXPECT_FALSE(scope.created());
    EXPECT_NE(QCoreApplication::instance(), nullptr);
}

} // namespace
} // namespace lorvan
