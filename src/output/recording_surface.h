#pragma once

#include "output/surface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A surface for tests: fixed text metrics and a record of every call, so that layouts are asserted in
// device units.
//
// Metrics: every character (UTF-8 code point) of a font of height h is h / 2 device units wide
// (integer division), a line is h high. A tab counts as 8 characters when tabs are expanded. Word wrap
// breaks at blanks (the blank at the break is dropped) and at "\n"; a word wider than the rectangle
// stays whole on its own line. A single line ignores "\n" (it counts as one character).
namespace lorvan {

struct RecordedCall {
    enum class Kind { Text, Line, Box, Bitmap, TextColor, BeginPage, EndPage };
    Kind kind = Kind::Text;
    // Text: the box given; Box and Bitmap: the rectangle; Line: left = x1, top = y1, right = x2,
    // bottom = y2.
    Rect rect;
    std::string text;
    FontSpec font;
    int32_t flags = 0;
    Pen pen;
    std::optional<Rgb> fill;
    Rgb color = kBlack; // Text: the text colour in effect; TextColor: the colour set
    int32_t bitmapWidth = 0;
    int32_t bitmapHeight = 0;
};

class RecordingSurface : public Surface {
  public:
    // An A4 page (8.27 × 11.69 inches) at that resolution from (0, 0).
    explicit RecordingSurface(int32_t dpi = 600);
    RecordingSurface(int32_t dpiX, int32_t dpiY, const Rect& printable);

    int32_t dpiX() const override { return dpiX_; }
    int32_t dpiY() const override { return dpiY_; }
    Rect printableRect() const override { return printable_; }
    Rect measureText(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) override;
    void drawText(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) override;
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Pen& pen) override;
    void drawBox(const Rect& box, const Pen& pen, std::optional<Rgb> fill) override;
    void drawBitmap(const Bitmap& bitmap, const Rect& box) override;
    void setTextColor(Rgb color) override;
    void beginPage() override;
    void endPage() override;

    // The lines a text takes in that width with these flags (the metrics above).
    static std::vector<std::string> layoutLines(const std::string& utf8, const FontSpec& font, int32_t width,
                                                int32_t flags);
    static int32_t textWidth(const std::string& utf8, const FontSpec& font, int32_t flags);

    const std::vector<RecordedCall>& calls() const { return calls_; }
    std::vector<RecordedCall> callsOf(RecordedCall::Kind kind) const;
    std::vector<RecordedCall> texts() const { return callsOf(RecordedCall::Kind::Text); }
    std::vector<RecordedCall> lines() const { return callsOf(RecordedCall::Kind::Line); }
    std::vector<RecordedCall> boxes() const { return callsOf(RecordedCall::Kind::Box); }
    // The first drawn text equal to text; nullptr when there is none.
    const RecordedCall* findText(const std::string& text) const;
    // The texts drawn that a printer would cut or print over their neighbours: the text, laid out with
    // the metrics above, is wider or taller than the rectangle it was drawn in, or the rectangle leaves
    // the printable area.
    std::vector<RecordedCall> textsOutsideTheirBox() const;
    // How often measureText was asked.
    int32_t measureCalls() const { return measureCalls_; }
    void clear();

  private:
    int32_t dpiX_;
    int32_t dpiY_;
    Rect printable_;
    Rgb textColor_ = kBlack;
    int32_t measureCalls_ = 0;
    std::vector<RecordedCall> calls_;
};

} // namespace lorvan
