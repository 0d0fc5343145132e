#include "output/printer.h"

namespace lorvan {

bool CPrinter::setMeasureOnly(bool measureOnly) {
    const bool previous = measureOnly_;
    measureOnly_ = measureOnly;
    return previous;
}

Rect CPrinter::text(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) {
    if (utf8.empty()) return Rect{box.left, box.top, box.left, box.top};
    if (!measureOnly_) {
        if (!colorSent_ || sentColor_ != textColor_) {
            surface_->setTextColor(textColor_);
            sentColor_ = textColor_;
            colorSent_ = true;
        }
        surface_->drawText(utf8, font, box, flags);
    }
    return surface_->measureText(utf8, font, box, flags);
}

Rect CPrinter::measure(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) const {
    if (utf8.empty()) return Rect{box.left, box.top, box.left, box.top};
    return surface_->measureText(utf8, font, box, flags);
}

void CPrinter::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Pen& pen) {
    if (!measureOnly_) surface_->drawLine(x1, y1, x2, y2, pen);
}

void CPrinter::box(const Rect& box, const Pen& pen, std::optional<Rgb> fill) {
    if (!measureOnly_) surface_->drawBox(box, pen, fill);
}

void CPrinter::bitmap(const Bitmap& bitmap, const Rect& box) {
    if (!measureOnly_) surface_->drawBitmap(bitmap, box);
}

void CPrinter::setTextColor(Rgb color) {
    textColor_ = color;
}

} // namespace lorvan
