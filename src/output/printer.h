#pragma once

#include "output/surface.h"

#include <cstdint>
#include <optional>
#include <string>

namespace lorvan {

// Performs the low-level drawing of a page on its surface. With the measure-only switch set nothing
// is drawn, but every text is still measured, so every position is computed as usual.
class CPrinter {
  public:
    explicit CPrinter(Surface& surface) : surface_(&surface) {}

    Surface& surface() const { return *surface_; }

    bool measureOnly() const { return measureOnly_; }
    // Returns the previous value.
    bool setMeasureOnly(bool measureOnly);
    // Texts are always printed horizontally.
    int32_t textAngle() const { return 0; }

    int32_t dpiX() const { return surface_->dpiX(); }
    int32_t dpiY() const { return surface_->dpiY(); }

    // Draws the text into box (unless measure-only) and returns the rectangle it needs (measureText of
    // Surface). An empty text draws nothing and gives an empty rectangle at box's top left.
    Rect text(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags);
    Rect measure(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) const;
    void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Pen& pen);
    void box(const Rect& box, const Pen& pen, std::optional<Rgb> fill);
    void bitmap(const Bitmap& bitmap, const Rect& box);
    // The colour of the following texts; handed to the surface with the next text drawn.
    void setTextColor(Rgb color);
    Rgb textColor() const { return textColor_; }

  private:
    Surface* surface_;
    bool measureOnly_ = false;
    Rgb textColor_ = kBlack;
    Rgb sentColor_ = kBlack;
    bool colorSent_ = false;
};

} // namespace lorvan
