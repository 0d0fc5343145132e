#include "output/print_region.h"

#include "output/page.h"

#include <algorithm>
#include <cmath>

namespace lorvan {

int32_t CPrintRegion::printText(int32_t y, int32_t x, int32_t flags, int32_t size, const std::string& text) {
    if (x < 0 || y < 0 || x > area_.width() || y > area_.height()) return y;
    // The region's edges act as the page's limits while the text is laid out.
    const int32_t right = page_->setRightLimitDevice(area_.right);
    const int32_t bottom = page_->setBottomLimitDevice(area_.bottom);
    const int32_t below = page_->printTextDevice(area_.top + y, area_.left + x, flags, size, text);
    page_->setRightLimitDevice(right);
    page_->setBottomLimitDevice(bottom);
    return below - area_.top;
}

void CPrintRegion::drawLine(int32_t y1, int32_t x1, int32_t y2, int32_t x2, int32_t penWidth,
                            int32_t penStyle) {
    // Liang-Barsky: the part of the line inside the region.
    double ax = area_.left + x1;
    double ay = area_.top + y1;
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - area_.left, area_.right - ax, ay - area_.top, area_.bottom - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return;
    }
    const auto at = [](double v) { return static_cast<int32_t>(std::lround(v)); };
    page_->drawLineDevice(at(ay + t0 * dy), at(ax + t0 * dx), at(ay + t1 * dy), at(ax + t1 * dx), penWidth,
                          penStyle);
}

void CPrintRegion::drawBox(const Rect& box, int32_t penWidth, int32_t fill, int32_t penStyle) {
    const Rect cut{std::max(area_.left, area_.left + box.left), std::max(area_.top, area_.top + box.top),
                   std::min(area_.right, area_.left + box.right),
                   std::min(area_.bottom, area_.top + box.bottom)};
    if (cut.right < cut.left || cut.bottom < cut.top) return;
    page_->drawBoxDevice(cut, penWidth, fill, penStyle);
}

} // namespace lorvan
