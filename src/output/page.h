#pragma once

#include "output/printer.h"
#include "output/surface.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One printed page and its drawing state. Reports address the page in inches (x from the left, y from
// the top of the printable area); the page converts to device units of its surface.
namespace lorvan {

class CPrintRegion;

// Receives a message for the user (the desktop shows it in a message box).
using MessageSink = std::function<void(const std::string&)>;

inline constexpr const char* kLogoNotPrintable = "Das Logo kann nicht gedruckt werden.\n\n";

// The drawing state of a page; every drawing operation applies its own size, flags, fill and pen on
// top of it and leaves it as it was.
struct DrawingState {
    std::string fontName = "Times New Roman";
    int32_t fontSize = 10; // points
    int32_t flags = 1056;  // 0x420: left-aligned, word-wrapped, not clipped
    int32_t indent = 0;    // default indent, device units
    int32_t fill = 0;      // fill value (FillValue bits)
    int32_t penStyle = 0;  // pen style value: 2 dashed, 1 dotted, 16 dash-dot, 32 dash-dot-dot, else solid
    Rgb textColor = kBlack;
    double lineSpacing = 1.0;
};

// The smallest font size (points) a text is stepped down to while it must stay readable.
inline constexpr int32_t kMinimumReadableSize = 7;

// How a text is printed so that it fits its rectangle: the size and flags to draw it with, the
// rectangle it then needs, and whether that is taller than the rectangle given.
struct FittedText {
    int32_t size = 0; // points
    int32_t flags = 0;
    Rect needed;
    bool grows = false; // the caller makes room below (draws it with bottom -1) and moves on below it
};

// The pen style of a pen style value, and the fill colour of a fill value (none for no fill).
PenStyle penStyleOf(int32_t penStyleValue);
std::optional<Rgb> fillColorOf(int32_t fillValue);

class CPage {
  public:
    // The page on surface with its printable rectangle in device units, or the surface's own.
    CPage(Surface& surface, const Rect& printable);
    explicit CPage(Surface& surface);
    ~CPage();
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    CPrinter& printer() { return printer_; }
    const CPrinter& printer() const { return printer_; }
    bool measureOnly() const { return printer_.measureOnly(); }
    // Returns the previous value.
    bool setMeasureOnly(bool measureOnly) { return printer_.setMeasureOnly(measureOnly); }

    // --- units
    int32_t dpiX() const { return dpiX_; }
    int32_t dpiY() const { return dpiY_; }
    const Rect& printableRect() const { return printable_; }
    int32_t pageWidth() const { return printable_.width(); }   // device units
    int32_t pageHeight() const { return printable_.height(); } // device units
    double pageWidthInches() const { return toInchesX(pageWidth()); }
    double pageHeightInches() const { return toInchesY(pageHeight()); }
    // Inches to device units, truncated; device units to inches.
    int32_t toDeviceX(double inches) const;
    int32_t toDeviceY(double inches) const;
    double toInchesX(int32_t device) const;
    double toInchesY(int32_t device) const;
    // The character height in device units of a font of that many points (rounded).
    int32_t fontHeight(double points) const;
    // The font of the current state at that size (points; 0 or less: the current size) with the weight
    // and style bits of flags.
    FontSpec font(int32_t flags, int32_t points = 0) const;

    // --- limits: text is laid out left of the right limit and above the bottom limit. Each setter
    // returns the previous value; -1 restores the page width or height.
    double rightLimit() const { return toInchesX(rightLimit_); }
    double bottomLimit() const { return toInchesY(bottomLimit_); }
    int32_t rightLimitDevice() const { return rightLimit_; }
    int32_t bottomLimitDevice() const { return bottomLimit_; }
    double setRightLimit(double inches);
    double setBottomLimit(double inches);
    int32_t setRightLimitDevice(int32_t device);
    int32_t setBottomLimitDevice(int32_t device);

    // --- drawing state; each setter returns the previous value.
    const DrawingState& state() const { return state_; }
    std::string setFontName(std::string name);
    const std::string& fontName() const { return state_.fontName; }
    int32_t setFontSize(int32_t points);
    int32_t fontSize() const { return state_.fontSize; }
    Rgb setTextColor(Rgb color);
    Rgb textColor() const { return state_.textColor; }
    double setLineSpacing(double spacing);
    double lineSpacing() const { return state_.lineSpacing; }
    int32_t setTextFlags(int32_t flags);
    int32_t textFlags() const { return state_.flags; }
    int32_t setFill(int32_t fill);
    int32_t fill() const { return state_.fill; }
    int32_t setPenStyle(int32_t penStyle);
    int32_t penStyle() const { return state_.penStyle; }
    // The state stack holds up to 10 states: saveState is false (and saves nothing) when it is full,
    // restoreState false when it is empty.
    static constexpr size_t kMaxSavedStates = 10;
    bool saveState();
    bool restoreState();
    size_t savedStates() const { return stack_.size(); }

    // --- text. flags are TextFlag bits, size in points (0 or less: the current size).
    // The text laid out from (x, y) to the right and bottom limits and drawn; returns the y just below
    // it (plus (spacing - 1) × size / 72 inch with a line spacing above 1). Beyond the right or bottom
    // limit nothing is printed and y comes back unchanged; so does an empty text.
    double printText(double y, double x, int32_t flags, int32_t size, const std::string& text);
    // The same with a printf-style format.
    double printTextFormat(double y, double x, int32_t flags, int32_t size, const char* fmt, ...)
        __attribute__((format(printf, 6, 7)));
    int32_t printTextDevice(int32_t y, int32_t x, int32_t flags, int32_t size, const std::string& text);
    // Text inside a rectangle with the fill for the box flag; skipped (returns top) when left lies right
    // of the right limit or top below the bottom limit. Returns the bottom of the measured text.
    double printTextInBox(double top, double left, double bottom, double right, int32_t flags, int32_t size,
                          int32_t fill, const std::string& text);
    int32_t printTextInBoxDevice(const Rect& box, int32_t flags, int32_t size, int32_t fill,
                                 const std::string& text);
    // The general text operation (device units): box.right or box.bottom of -1 means "none", then the
    // text is measured first and the rectangle takes the measured size. Returns the measured rectangle
    // (for an empty text: lastMeasured(), unchanged).
    Rect drawText(const std::string& text, Rect box, int32_t flags, int32_t size, int32_t fill);
    const Rect& lastMeasured() const { return lastMeasured_; }
    // How text fits box (device units; bottom -1: no limit below) without being cut, at most at size
    // (points; 0 or less: the current size):
    // - a single line (kTextSingleLine) keeps its line at the largest size down to kMinimumReadableSize
    //   at which it fits the box; failing that it is word-wrapped at the largest size down to that
    //   minimum at which its lines fit the box, and failing that too it is word-wrapped at its size and
    //   grows;
    // - a word-wrapped text keeps its size and grows when its lines need more height than the box has.
    // A word that is wider than the box even so is never cut: the size then steps down, below the
    // minimum if it must, until the word fits the width.
    FittedText fitText(const std::string& text, const Rect& box, int32_t flags, int32_t size) const;

    // --- lines and boxes
    void drawLine(double y1, double x1, double y2, double x2, int32_t penWidth, int32_t penStyle = 0);
    void drawLineDevice(int32_t y1, int32_t x1, int32_t y2, int32_t x2, int32_t penWidth,
                        int32_t penStyle = 0);
    void drawBox(double top, double left, double bottom, double right, int32_t penWidth, int32_t fill,
                 int32_t penStyle = 0);
    void drawBoxDevice(const Rect& box, int32_t penWidth, int32_t fill, int32_t penStyle = 0);

    // --- bitmaps
    // The bitmap file stretched into the rectangle (inches); false with the reason in errorText.
    bool drawBitmap(double top, double left, double bottom, double right, const std::string& file,
                    std::string* errorText = nullptr);
    void drawBitmapDevice(const Rect& box, const Bitmap& bitmap);
    // The logo right-aligned at right (inches) from top, each pixel 0.01 inch; returns the y below it.
    // An empty path returns top. When the logo cannot be loaded or drawn, the sink gets
    // "Das Logo kann nicht gedruckt werden.\n\n" + the reason, logoPath is cleared (pass the program
    // settings' path of this run: the message then shows once and later reports print no logo) and top
    // comes back.
    double printLogo(std::string& logoPath, double top, double right, const MessageSink& report);

    // --- regions: the rectangle (device units) cut at the limits; none when it starts left of or above
    // the page, ends beyond it, or is inverted. Owned by the page.
    CPrintRegion* createRegion(int32_t top, int32_t left, int32_t bottom, int32_t right);

  private:
    Surface& surface() { return printer_.surface(); }

    CPrinter printer_;
    Rect printable_;
    int32_t rightLimit_ = 0;
    int32_t bottomLimit_ = 0;
    DrawingState state_;
    std::vector<DrawingState> stack_;
    int32_t dpiX_ = 0;
    int32_t dpiY_ = 0;
    Rect lastMeasured_;
    std::vector<std::unique_ptr<CPrintRegion>> regions_;
};

} // namespace lorvan
