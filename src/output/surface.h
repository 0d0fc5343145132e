#pragma once

#include "output/bitmap.h"
#include "output/text_flags.h"

#include <cstdint>
#include <optional>
#include <string>

// What the page engine needs from the thing it draws on: a printer page, a preview page or a PDF page
// (the Qt surfaces), or the recording surface of the tests. All coordinates are device units (dots),
// origin top left, y growing downwards.
namespace lorvan {

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// The font of one text. height is authoritative: the character height in device units, that is
// points × dpiY / 72 rounded; points is the nominal size it came from (for surfaces that prefer it).
// The family is always a proportional roman one ("Times New Roman" by default).
struct FontSpec {
    std::string name = "Times New Roman";
    double points = 10.0;
    int32_t height = 0;
    bool bold = false; // weight 700, else 400
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontSpec&) const = default;
};

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot };

// Pens are always black; width in device units (0 = the thinnest line the surface draws).
struct Pen {
    int32_t width = 1;
    PenStyle style = PenStyle::Solid;
    bool operator==(const Pen&) const = default;
};

// The fill colours of boxes.
inline constexpr Rgb kFillGreyColor{128, 128, 128};
inline constexpr Rgb kFillLightGreyColor{192, 192, 192};
inline constexpr Rgb kFillDarkGreyColor{64, 64, 64};

// Text flags given to measureText and drawText are the TextFlag bits of output/text_flags.h. A
// surface honours only the layout bits:
//   kTextRight (0x40) / kTextCentre (0x80, wins over right) / neither: left-aligned;
//   kTextSingleLine (0x200): one line, "\n" does not break; else word-wrapped at blanks within the
//     rectangle's width, "\n" breaks; a word wider than the rectangle stays whole;
//   kTextVerticalCentre (0x800): the lines centred between top and bottom;
//   kTextExpandTabs (0x100): tabs expanded (else a tab is an ordinary character);
//   kTextNoClip (0x400): not clipped at the rectangle (else cut at its edges).
// Weight, italic, underline and strike-out come with the FontSpec; the other bits (box, title indent,
// multi-line cell) are the page's business and are ignored. Ampersands are printed as they are.
class Surface {
  public:
    virtual ~Surface() = default;

    // Resolution in dots per inch.
    virtual int32_t dpiX() const = 0;
    virtual int32_t dpiY() const = 0;
    // The printable area of a page in device units (normally from (0, 0)).
    virtual Rect printableRect() const = 0;

    // The rectangle the text needs when laid out in box with these flags, like a "calc rect": left
    // and top stay those of box; with several lines (word wrap or "\n") the width is that of the widest
    // line (which may exceed box when a single word does not fit) and the bottom bounds the last line;
    // with one line the right edge bounds its last character. Line height = the font's line spacing.
    // An empty text gives an empty rectangle at box's top left.
    virtual Rect measureText(const std::string& utf8, const FontSpec& font, const Rect& box,
                             int32_t flags) = 0;
    // Draws the text in box with the current text colour (no background).
    virtual void drawText(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) = 0;

    // A straight line from (x1, y1) to (x2, y2).
    virtual void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Pen& pen) = 0;
    // A rectangle with a black border of the pen, filled with fill when given (else not filled).
    virtual void drawBox(const Rect& box, const Pen& pen, std::optional<Rgb> fill) = 0;
    // The bitmap stretched into box.
    virtual void drawBitmap(const Bitmap& bitmap, const Rect& box) = 0;
    // The colour of the following texts (black until first set; kept across pages).
    virtual void setTextColor(Rgb color) = 0;

    // Page control of the print run: whoever prints a report calls beginPage before drawing a page
    // and endPage after it (a surface of one page may ignore both). The page engine never calls them.
    virtual void beginPage() {}
    virtual void endPage() {}
};

} // namespace lorvan
