#pragma once

#include "output/surface.h"

#include <cstdint>
#include <string>

namespace lorvan {

class CPage;

// A rectangular sub-area of a page (device units). Positions given to a region are relative to its
// top left corner; text and lines are cut at its right and bottom edges. Created by
// CPage::createRegion and destroyed with the page.
class CPrintRegion {
  public:
    CPrintRegion(CPage& page, const Rect& area) : page_(&page), area_(area) {}

    int32_t top() const { return area_.top; }
    int32_t left() const { return area_.left; }
    int32_t bottom() const { return area_.bottom; }
    int32_t right() const { return area_.right; }
    const Rect& area() const { return area_; }
    CPage& page() const { return *page_; }

    // Text from (x, y) within the region (flags and size as CPage::printTextDevice); returns the y
    // below it relative to the region, or y unchanged when (x, y) lies outside the region.
    int32_t printText(int32_t y, int32_t x, int32_t flags, int32_t size, const std::string& text);
    // A line, cut at the region's edges (nothing when it lies wholly outside).
    void drawLine(int32_t y1, int32_t x1, int32_t y2, int32_t x2, int32_t penWidth, int32_t penStyle = 0);
    // A box, cut at the region's edges (nothing when it lies wholly outside).
    void drawBox(const Rect& box, int32_t penWidth, int32_t fill, int32_t penStyle = 0);

  private:
    CPage* page_;
    Rect area_;
};

} // namespace lorvan
