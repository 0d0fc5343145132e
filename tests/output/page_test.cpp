#include "output/page.h"

#include "output/print_region.h"
#include "output/recording_surface.h"
#include "support/bitmap_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using Kind = RecordedCall::Kind;

// At 600 dpi a 10-point font is 83 dots high and each of its characters 41 dots wide on the recording
// surface; 12 points are 100 dots.
class PageTest : public ::testing::Test {
  protected:
    RecordingSurface surface{600};
    CPage page{surface};
};

TEST_F(PageTest, ConvertsInchesAndPointsByTheResolutionOfTheirDirection) {
    RecordingSurface wide(600, 300, Rect{0, 0, 4800, 3300});
    CPage p(wide);
    EXPECT_EQ(p.toDeviceX(7.9), 4740);
    EXPECT_EQ(p.toDeviceX(4.35), 2610); // not 2609 from the binary fraction
    EXPECT_EQ(p.toDeviceY(7.9), 2370);
    EXPECT_EQ(p.toDeviceX(0.0999), 59); // truncated
    EXPECT_DOUBLE_EQ(p.toInchesX(900), 1.5);
    EXPECT_DOUBLE_EQ(p.toInchesY(900), 3.0);
    EXPECT_DOUBLE_EQ(p.pageWidthInches(), 8.0);
    EXPECT_DOUBLE_EQ(p.pageHeightInches(), 11.0);
    // Font heights follow the vertical resolution and are rounded.
    EXPECT_EQ(p.fontHeight(10), 42);
    EXPECT_EQ(page.fontHeight(10), 83);
    EXPECT_EQ(page.fontHeight(14), 117);
}

TEST_F(PageTest, PrintTextLaysOutUpToTheLimitsAndReturnsTheYBelow) {
    const double below = page.printText(1.0, 0.5, kTextBold | kTextUnderline, 12, "Jahresübersicht");
    EXPECT_DOUBLE_EQ(below, 700.0 / 600);
    ASSERT_EQ(surface.texts().size(), 1u);
    const RecordedCall text = surface.texts()[0];
    EXPECT_EQ(text.text, "Jahresübersicht");
    EXPECT_EQ(text.rect, (Rect{300, 600, page.pageWidth(), page.pageHeight()}));
    EXPECT_EQ(text.font.height, 100);
    EXPECT_EQ(text.font.name, "Times New Roman");
    EXPECT_TRUE(text.font.bold);
    EXPECT_TRUE(text.font.underline);
    EXPECT_FALSE(text.font.italic);
    EXPECT_EQ(text.flags, kTextBold | kTextUnderline);

    // Word wrap at the right limit: 12 characters of 41 dots fit into 500 dots.
    page.setRightLimitDevice(800);
    EXPECT_DOUBLE_EQ(page.printText(2.0, 0.5, 0, 0, "Arbeitszeit Stundennachweis"), (1200.0 + 2 * 83) / 600);
    EXPECT_DOUBLE_EQ(page.printTextFormat(3.0, 0.5, kTextSingleLine, 0, "Seite %d von %d", 2, 5),
                     (1800.0 + 83) / 600);
    EXPECT_NE(surface.findText("Seite 2 von 5"), nullptr);
}

TEST_F(PageTest, TextOutsideTheLimitsOrEmptyLeavesYAsItIs) {
    page.setRightLimit(4.0);
    page.setBottomLimit(10.0);
    page.printText(1.0, 0.5, 0, 0, "vorher"); // a previous measured rectangle exists
    surface.clear();
    EXPECT_DOUBLE_EQ(page.printText(2.0, 4.5, 0, 0, "rechts daneben"), 2.0);
    EXPECT_DOUBLE_EQ(page.printText(10.5, 0.5, 0, 0, "darunter"), 10.5);
    EXPECT_DOUBLE_EQ(page.printText(3.0, 0.5, 0, 0, ""), 3.0);
    EXPECT_DOUBLE_EQ(page.printTextInBox(5.0, 4.5, 5.5, 5.0, kTextBox, 0, kFillGrey, "x"), 5.0);
    EXPECT_TRUE(surface.calls().empty());
}

TEST_F(PageTest, LineSpacingAddsToTheReturnedY) {
    page.setLineSpacing(1.5);
    EXPECT_DOUBLE_EQ(page.printText(1.0, 0.5, 0, 12, "Text"), 700.0 / 600 + 0.5 * 12 / 72);
    EXPECT_EQ(page.printTextDevice(600, 300, 0, 12, "Text"), 700 + 50);
}

TEST_F(PageTest, EveryOperationLeavesTheDrawingStateAsItWas) {
    const DrawingState before = page.state();
    EXPECT_EQ(before.fontSize, 10);
    EXPECT_EQ(before.flags, 1056);
    page.printText(1.0, 0.5, kTextBold, 14, "Titel");
    page.printTextInBox(2.0, 0.5, 2.5, 2.0, kTextBox, 8, kFillBlack, "Kopf");
    page.drawLine(3.0, 0.5, 3.0, 7.9, 5, 2);
    page.drawBox(3.0, 0.5, 4.0, 7.9, 1, kFillLightGrey);
    EXPECT_EQ(page.fontSize(), before.fontSize);
    EXPECT_EQ(page.textColor(), before.textColor);
    EXPECT_EQ(page.fill(), before.fill);
    EXPECT_EQ(page.penStyle(), before.penStyle);

    // Setters return the previous value; -1 restores the page size.
    EXPECT_EQ(page.setFontSize(12), 10);
    EXPECT_EQ(page.setFontName("Arial"), "Times New Roman");
    EXPECT_DOUBLE_EQ(page.setLineSpacing(2.0), 1.0);
    EXPECT_EQ(page.setTextColor(Rgb{200, 0, 0}), kBlack);
    EXPECT_EQ(page.setRightLimitDevice(3000), page.pageWidth());
    EXPECT_DOUBLE_EQ(page.setRightLimit(-1), 5.0);
    EXPECT_EQ(page.rightLimitDevice(), page.pageWidth());
    EXPECT_EQ(page.setBottomLimitDevice(-1), page.pageHeight());
}

TEST_F(PageTest, TheStateStackHoldsTenStates) {
    for (int i = 0; i < 10; ++i) {
        page.setFontSize(10 + i);
        ASSERT_TRUE(page.saveState()) << i;
    }
    page.setFontSize(30);
    EXPECT_FALSE(page.saveState());
    EXPECT_EQ(page.savedStates(), 10u);
    page.setTextColor(kWhite);
    for (int i = 9; i >= 0; --i) {
        ASSERT_TRUE(page.restoreState());
        EXPECT_EQ(page.fontSize(), 10 + i);
    }
    EXPECT_FALSE(page.restoreState());
    EXPECT_EQ(page.textColor(), kBlack);
    page.printText(1.0, 0.5, 0, 0, "schwarz");
    EXPECT_EQ(surface.findText("schwarz")->color, kBlack);
}

TEST_F(PageTest, ABoxLiesUnderItsTextAndDarkFillsPrintWhite) {
    struct Case {
        int32_t fill;
        std::optional<Rgb> colour;
        Rgb text;
    };
    const Case cases[] = {
        {kFillNone, std::nullopt, kBlack},
        {kFillGrey, kFillGreyColor, kBlack},
        {kFillLightGrey, kFillLightGreyColor, kBlack},
        {kFillDarkGrey, kFillDarkGreyColor, kWhite},
        {kFillBlack, kBlack, kWhite},
        {kFillGrey | kFillBlack, kFillGreyColor, kBlack}, // the first bit wins
        {kFillLightGrey | kFillDarkGrey, kFillLightGreyColor, kBlack},
        {16, std::nullopt, kBlack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fill);
        surface.clear();
        page.printTextInBox(1.0, 1.0, 1.5, 3.0, kTextBox | kTextCentre, 0, c.fill, "Summe");
        page.printText(2.0, 1.0, 0, 0, "danach");
        const std::vector<RecordedCall> drawn = surface.calls();
        std::vector<RecordedCall> shapes;
        for (const RecordedCall& call : drawn)
            if (call.kind == Kind::Box || call.kind == Kind::Text) shapes.push_back(call);
        ASSERT_EQ(shapes.size(), 3u);
        EXPECT_EQ(shapes[0].kind, Kind::Box);
        EXPECT_EQ(shapes[0].rect, (Rect{600, 600, 1800, 900}));
        EXPECT_EQ(shapes[0].pen, (Pen{1, PenStyle::Solid}));
        EXPECT_EQ(shapes[0].fill, c.colour);
        EXPECT_EQ(shapes[1].text, "Summe");
        EXPECT_EQ(shapes[1].color, c.text);
        EXPECT_EQ(shapes[2].color, kBlack);
    }
}

TEST_F(PageTest, FittingATextStepsItDownWrapsItOrLetsItGrowButNeverCutsIt) {
    // Character widths by size at 600 dpi: 10 points 41 dots (83 high), 9 37, 8 33, 7 29 (58 high),
    // 6 25, 5 21. The bounded boxes are 121 dots high, like a table cell.
    struct Case {
        std::string text;
        int32_t width;
        bool open;       // no bottom edge
        bool singleLine; // given as a single line
        int32_t size;    // the fit
        bool wrapped;
        bool grows;
    };
    const Case cases[] = {
        // A line that fits keeps its size; one a little too wide steps down.
        {"Satz: 12,00", 451, false, true, 10, false, false},
        {"Satz: 12,00", 407, false, true, 9, false, false},
        // Too wide even at the minimum: wrapped within the cell; not even that: wrapped at its size.
        {"Satz: 12,00", 315, false, true, 7, true, false},
        {"Material nachbestellt beim Großhändler", 500, false, true, 10, true, true},
        // A word wider than the cell goes below the minimum.
        {"12:30", 105, false, true, 5, true, false},
        // Wrapped text keeps its size and grows beyond a bounded box; a long word steps down.
        {"Tage >= 14 Stunden", 600, true, false, 10, true, false},
        {"Tage >= 14 Stunden", 600, false, false, 10, true, true},
        {"Überstundenausgleich", 500, true, false, 6, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " in " + std::to_string(c.width));
        const int32_t flags = (c.singleLine ? kTextSingleLine : 0) | kTextVerticalCentre;
        const Rect box{100, 0, 100 + c.width, c.open ? -1 : 121};
        const FittedText fit = page.fitText(c.text, box, flags, 10);
        EXPECT_EQ(fit.size, c.size);
        EXPECT_EQ(fit.flags, (c.wrapped ? 0 : kTextSingleLine) | kTextVerticalCentre);
        EXPECT_EQ(fit.grows, c.grows);
        // What it needs at that size lies within the box unless it grows.
        const Rect needed = surface.measureText(c.text, page.font(fit.flags, fit.size),
                                                Rect{100, 0, 100 + c.width, 0}, fit.flags);
        EXPECT_EQ(fit.needed, needed);
        EXPECT_LE(needed.width(), c.width);
        if (!c.open) {
            EXPECT_EQ(needed.height() > 121, fit.grows);
        }
    }
}

TEST_F(PageTest, PenStylesAndLinesInInches) {
    const std::pair<int32_t, PenStyle> styles[] = {{0, PenStyle::Solid},       {2, PenStyle::Dash},
                                                   {1, PenStyle::Dot},         {16, PenStyle::DashDot},
                                                   {32, PenStyle::DashDotDot}, {3, PenStyle::Solid}};
    for (const auto& [value, style] : styles)
        EXPECT_EQ(penStyleOf(value), style) << value;
    page.drawLine(1.0, 0.6, 1.5, 11.0, 5, 2);
    ASSERT_EQ(surface.lines().size(), 1u);
    EXPECT_EQ(surface.lines()[0].rect, (Rect{360, 600, 6600, 900})); // x1, y1, x2, y2
    EXPECT_EQ(surface.lines()[0].pen, (Pen{5, PenStyle::Dash}));
}

TEST_F(PageTest, MeasureOnlyDrawsNothingButComputesTheSamePositions) {
    page.setRightLimitDevice(800);
    const double drawn = page.printText(1.0, 0.5, 0, 0, "Arbeitszeit Stundennachweis");
    surface.clear();
    EXPECT_FALSE(page.setMeasureOnly(true));
    EXPECT_DOUBLE_EQ(page.printText(1.0, 0.5, 0, 0, "Arbeitszeit Stundennachweis"), drawn);
    page.printTextInBox(2.0, 0.5, 2.5, 1.0, kTextBox, 0, kFillBlack, "Kopf");
    page.drawLine(1.0, 0.5, 1.0, 2.0, 1);
    page.drawBox(1.0, 0.5, 2.0, 2.0, 1, 0);
    EXPECT_TRUE(surface.calls().empty());
    EXPECT_GT(surface.measureCalls(), 0);
}

TEST_F(PageTest, RegionsLieOnThePageAndCutTheirContent) {
    page.setRightLimitDevice(4000);
    EXPECT_EQ(page.createRegion(-1, 0, 100, 100), nullptr);
    EXPECT_EQ(page.createRegion(0, -1, 100, 100), nullptr);
    EXPECT_EQ(page.createRegion(0, 0, page.pageHeight() + 1, 100), nullptr);
    EXPECT_EQ(page.createRegion(0, 0, 100, page.pageWidth() + 1), nullptr);
    EXPECT_EQ(page.createRegion(100, 100, 50, 200), nullptr);
    CPrintRegion* cut = page.createRegion(0, 3000, 600, page.pageWidth());
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->right(), 4000); // cut at the right limit

    CPrintRegion* region = page.createRegion(1000, 600, 1600, 1800);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(region->printText(100, 50, kTextSingleLine, 0, "Notiz"), 100 + 83);
    EXPECT_EQ(surface.findText("Notiz")->rect, (Rect{650, 1100, 1800, 1600}));
    EXPECT_EQ(region->printText(700, 50, 0, 0, "darunter"), 700);

    region->drawLine(300, -100, 300, 2000, 1); // horizontal, cut at both sides
    region->drawLine(-50, 100, 900, 100, 1);   // vertical, cut at top and bottom
    region->drawLine(0, 2000, 100, 2100, 1);   // wholly outside
    region->drawBox(Rect{1000, 500, 1500, 900}, 1, kFillGrey);
    const std::vector<RecordedCall> lines = surface.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rect, (Rect{600, 1300, 1800, 1300}));
    EXPECT_EQ(lines[1].rect, (Rect{700, 1000, 700, 1600}));
    ASSERT_EQ(surface.boxes().size(), 1u);
    EXPECT_EQ(surface.boxes()[0].rect, (Rect{1600, 1500, 1800, 1600}));
}

class LogoTest : public PageTest {
  protected:
    std::string writeLogo(int32_t width, int32_t height) {
        test::BitmapBytes b;
        b.width = width;
        b.height = height;
        b.bits = 8;
        b.palette = {0x000000, 0xFFFFFF};
        const std::string path = dir.file("logo.bmp");
        test::writeBytes(path, b.build());
        return path;
    }
    MessageSink sink() {
        return [this](const std::string& text) { prompter.error(text); };
    }

    test::TempDir dir;
    test::ScriptedPrompter prompter;
};

TEST_F(LogoTest, ALogoIsRightAlignedAtAHundredthOfAnInchAPixel) {
    std::string path = writeLogo(300, 90);
    EXPECT_DOUBLE_EQ(page.printLogo(path, 0.2, 7.9, sink()), 0.2 + 0.9);
    ASSERT_EQ(surface.callsOf(Kind::Bitmap).size(), 1u);
    const RecordedCall logo = surface.callsOf(Kind::Bitmap)[0];
    EXPECT_EQ(logo.rect, (Rect{2940, 120, 4740, 660}));
    EXPECT_EQ(logo.bitmapWidth, 300);
    EXPECT_EQ(logo.bitmapHeight, 90);

    std::string none;
    EXPECT_DOUBLE_EQ(page.printLogo(none, 0.2, 7.9, sink()), 0.2);

    surface.clear();
    page.setMeasureOnly(true);
    EXPECT_DOUBLE_EQ(page.printLogo(path, 0.2, 7.9, sink()), 0.2 + 0.9);
    EXPECT_TRUE(surface.calls().empty());
    EXPECT_TRUE(prompter.log().empty());
    EXPECT_EQ(path, dir.file("logo.bmp"));
}

TEST_F(LogoTest, ALogoThatCannotBePrintedIsReportedOnceAndForgotten) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason; // after the path
    };
    // The header announces 8 bits and pixels that fit the file, but the palette of 256 colours is
    // missing.
    test::BitmapBytes noPalette;
    noPalette.width = 4;
    noPalette.bits = 8;
    const std::string paletteMissing = noPalette.build();
    const Case cases[] = {
        {"not a bitmap", "GIF89a", "' wird nicht unterstützt.\nBitte verwenden Sie eine Bitmap."},
        {"header fine, palette missing", paletteMissing,
         "' kann nicht gedruckt werden.\nBitte verwenden Sie eine Bitmap."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPrompter shown;
        const MessageSink report = [&shown](const std::string& text) { shown.error(text); };
        const std::string file = dir.file("logo.bmp");
        test::writeBytes(file, c.bytes);
        std::string path = file; // the program settings' logo of this run
        surface.clear();
        EXPECT_DOUBLE_EQ(page.printLogo(path, 0.2, 7.9, report), 0.2);
        EXPECT_TRUE(path.empty());
        // Later pages and reports of the run print without logo and without message.
        CPage next(surface);
        EXPECT_DOUBLE_EQ(next.printLogo(path, 0.2, 7.9, report), 0.2);
        ASSERT_EQ(shown.texts().size(), 1u);
        EXPECT_EQ(shown.texts()[0],
                  "Das Logo kann nicht gedruckt werden.\n\nDas Bildformat der Datei '" + file + c.reason);
        EXPECT_TRUE(surface.callsOf(Kind::Bitmap).empty());
    }
}

} // namespace
} // namespace lorvan
