#include "output/page.h"

#include "foundation/file_system.h"
#include "foundation/format.h"
#include "output/print_region.h"
#include "output/report_table.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <utility>

namespace lorvan {

namespace {

// Inches times resolution, truncated toward zero. A product within a hair of a whole number is that
// number: 4.35 inches at 600 dpi are 2610 dots, not the 2609 that binary fractions would give.
int32_t truncateToDevice(double inches, int32_t dpi) {
    const double v = inches * dpi;
    const double nearest = std::round(v);
    if (std::fabs(v - nearest) < 1e-6) return static_cast<int32_t>(nearest);
    return static_cast<int32_t>(std::trunc(v));
}

std::string vformat(const char* fmt, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (n <= 0) return {};
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), fmt, args);
    text.resize(static_cast<size_t>(n));
    return text;
}

} // namespace

PenStyle penStyleOf(int32_t value) {
    switch (value) {
    case 2:
        return PenStyle::Dash;
    case 1:
        return PenStyle::Dot;
    case 16:
        return PenStyle::DashDot;
    case 32:
        return PenStyle::DashDotDot;
    default:
        return PenStyle::Solid;
    }
}

std::optional<Rgb> fillColorOf(int32_t fill) {
    if (fill & kFillGrey) return kFillGreyColor;
    if (fill & kFillLightGrey) return kFillLightGreyColor;
    if (fill & kFillDarkGrey) return kFillDarkGreyColor;
    if (fill & kFillBlack) return kBlack;
    return std::nullopt;
}

CPage::CPage(Surface& surface, const Rect& printable)
    : printer_(surface), printable_(printable), dpiX_(surface.dpiX()), dpiY_(surface.dpiY()) {
    rightLimit_ = pageWidth();
    bottomLimit_ = pageHeight();
}

CPage::CPage(Surface& surface) : CPage(surface, surface.printableRect()) {}

CPage::~CPage() = default;

int32_t CPage::toDeviceX(double inches) const {
    return truncateToDevice(inches, dpiX_);
}

int32_t CPage::toDeviceY(double inches) const {
    return truncateToDevice(inches, dpiY_);
}

double CPage::toInchesX(int32_t device) const {
    return dpiX_ > 0 ? static_cast<double>(device) / dpiX_ : 0.0;
}

double CPage::toInchesY(int32_t device) const {
    return dpiY_ > 0 ? static_cast<double>(device) / dpiY_ : 0.0;
}

int32_t CPage::fontHeight(double points) const {
    return static_cast<int32_t>(std::lround(points * dpiY_ / 72.0));
}

FontSpec CPage::font(int32_t flags, int32_t points) const {
    FontSpec f;
    f.name = state_.fontName;
    f.points = points > 0 ? points : state_.fontSize;
    f.height = fontHeight(f.points);
    f.bold = (flags & kTextBold) != 0;
    f.italic = (flags & kTextItalic) != 0;
    f.underline = (flags & kTextUnderline) != 0;
    f.strikeOut = (flags & kTextStrikeOut) != 0;
    return f;
}

double CPage::setRightLimit(double inches) {
    const double previous = rightLimit();
    rightLimit_ = inches == -1 ? pageWidth() : toDeviceX(inches);
    return previous;
}

double CPage::setBottomLimit(double inches) {
    const double previous = bottomLimit();
    bottomLimit_ = inches == -1 ? pageHeight() : toDeviceY(inches);
    return previous;
}

int32_t CPage::setRightLimitDevice(int32_t device) {
    return std::exchange(rightLimit_, device == -1 ? pageWidth() : device);
}

int32_t CPage::setBottomLimitDevice(int32_t device) {
    return std::exchange(bottomLimit_, device == -1 ? pageHeight() : device);
}

std::string CPage::setFontName(std::string name) {
    return std::exchange(state_.fontName, std::move(name));
}

int32_t CPage::setFontSize(int32_t points) {
    return std::exchange(state_.fontSize, points);
}

Rgb CPage::setTextColor(Rgb color) {
    printer_.setTextColor(color);
    return std::exchange(state_.textColor, color);
}

double CPage::setLineSpacing(double spacing) {
    return std::exchange(state_.lineSpacing, spacing);
}

int32_t CPage::setTextFlags(int32_t flags) {
    return std::exchange(state_.flags, flags);
}

int32_t CPage::setFill(int32_t fill) {
    return std::exchange(state_.fill, fill);
}

int32_t CPage::setPenStyle(int32_t penStyle) {
    return std::exchange(state_.penStyle, penStyle);
}

bool CPage::saveState() {
    if (stack_.size() >= kMaxSavedStates) return false;
    stack_.push_back(state_);
    return true;
}

bool CPage::restoreState() {
    if (stack_.empty()) return false;
    state_ = std::move(stack_.back());
    stack_.pop_back();
    printer_.setTextColor(state_.textColor);
    return true;
}

Rect CPage::drawText(const std::string& text, Rect box, int32_t flags, int32_t size, int32_t fill) {
    if (text.empty()) return lastMeasured_;
    const FontSpec f = font(flags, size);
    if (box.right == -1 || box.bottom == -1) {
        Rect area = box;
        if (area.right == -1) area.right = rightLimit_;
        if (area.bottom == -1) area.bottom = bottomLimit_;
        const Rect needed = printer_.measure(text, f, area, flags);
        if (box.right == -1) box.right = needed.right;
        if (box.bottom == -1) box.bottom = needed.bottom;
    }
    // The box goes under the text, so that a filled box never hides it; on a dark fill the text is
    // white.
    const Rgb previousColor = printer_.textColor();
    if (flags & kTextBox) {
        const std::optional<Rgb> color = fillColorOf(fill);
        printer_.box(box, Pen{1, PenStyle::Solid}, color);
        if (color == kFillDarkGreyColor || color == kBlack) printer_.setTextColor(kWhite);
    }
    lastMeasured_ = printer_.text(text, f, box, flags);
    printer_.setTextColor(previousColor);
    return lastMeasured_;
}

FittedText CPage::fitText(const std::string& text, const Rect& box, int32_t flags, int32_t size) const {
    const int32_t own = size > 0 ? size : state_.fontSize;
    const bool bounded = box.bottom != -1;
    // Measured within the box's width; the height is the text's own.
    const Rect area{box.left, box.top, box.right, box.top + pageHeight()};
    const auto measured = [&](int32_t points, int32_t withFlags) {
        return printer_.measure(text, font(withFlags, points), area, withFlags);
    };
    const auto fitsWidth = [&](const Rect& needed) { return needed.width() <= box.width(); };
    const auto fitsBox = [&](const Rect& needed) {
        return fitsWidth(needed) && (!bounded || needed.height() <= box.height());
    };
    const int32_t smallest = std::min(own, kMinimumReadableSize);
    if (flags & kTextSingleLine) {
        for (int32_t points = own; points >= smallest; --points) {
            const Rect needed = measured(points, flags);
            if (fitsBox(needed)) return FittedText{points, flags, needed, false};
        }
        flags &= ~kTextSingleLine;
        for (int32_t points = own; points >= smallest; --points) {
            const Rect needed = measured(points, flags);
            if (fitsBox(needed)) return FittedText{points, flags, needed, false};
        }
    }
    int32_t points = own;
    Rect needed = measured(points, flags);
    while (!fitsWidth(needed) && points > 1)
        needed = measured(--points, flags);
    return FittedText{points, flags, needed, !fitsBox(needed)};
}

double CPage::printText(double y, double x, int32_t flags, int32_t size, const std::string& text) {
    const int32_t deviceX = toDeviceX(x);
    const int32_t deviceY = toDeviceY(y);
    // An untouched y comes back exactly as given.
    if (deviceX > rightLimit_ || deviceY > bottomLimit_ || text.empty()) return y;
    const Rect measured =
        drawText(text, Rect{deviceX, deviceY, rightLimit_, bottomLimit_}, flags, size, state_.fill);
    double below = toInchesY(measured.bottom);
    if (state_.lineSpacing > 1.0)
        below += (state_.lineSpacing - 1.0) * (size > 0 ? size : state_.fontSize) / 72.0;
    return below;
}

double CPage::printTextFormat(double y, double x, int32_t flags, int32_t size, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const std::string text = vformat(fmt, args);
    va_end(args);
    return printText(y, x, flags, size, text);
}

int32_t CPage::printTextDevice(int32_t y, int32_t x, int32_t flags, int32_t size, const std::string& text) {
    if (x > rightLimit_ || y > bottomLimit_ || text.empty()) return y;
    const Rect measured = drawText(text, Rect{x, y, rightLimit_, bottomLimit_}, flags, size, state_.fill);
    int32_t below = measured.bottom;
    if (state_.lineSpacing > 1.0) {
        const double points = size > 0 ? size : state_.fontSize;
        below += toDeviceY((state_.lineSpacing - 1.0) * points / 72.0);
    }
    return below;
}

double CPage::printTextInBox(double top, double left, double bottom, double right, int32_t flags,
                             int32_t size, int32_t fill, const std::string& text) {
    const int32_t deviceTop = toDeviceY(top);
    const Rect box{toDeviceX(left), deviceTop, toDeviceX(right), toDeviceY(bottom)};
    const int32_t after = printTextInBoxDevice(box, flags, size, fill, text);
    return after == deviceTop ? top : toInchesY(after);
}

int32_t CPage::printTextInBoxDevice(const Rect& box, int32_t flags, int32_t size, int32_t fill,
                                    const std::string& text) {
    if (box.left > rightLimit_ || box.top > bottomLimit_ || text.empty()) return box.top;
    return drawText(text, box, flags, size, fill).bottom;
}

void CPage::drawLine(double y1, double x1, double y2, double x2, int32_t penWidth, int32_t penStyle) {
    drawLineDevice(toDeviceY(y1), toDeviceX(x1), toDeviceY(y2), toDeviceX(x2), penWidth, penStyle);
}

void CPage::drawLineDevice(int32_t y1, int32_t x1, int32_t y2, int32_t x2, int32_t penWidth,
                           int32_t penStyle) {
    printer_.line(x1, y1, x2, y2, Pen{penWidth, penStyleOf(penStyle)});
}

void CPage::drawBox(double top, double left, double bottom, double right, int32_t penWidth, int32_t fill,
                    int32_t penStyle) {
    drawBoxDevice(Rect{toDeviceX(left), toDeviceY(top), toDeviceX(right), toDeviceY(bottom)}, penWidth, fill,
                  penStyle);
}

void CPage::drawBoxDevice(const Rect& box, int32_t penWidth, int32_t fill, int32_t penStyle) {
    printer_.box(box, Pen{penWidth, penStyleOf(penStyle)}, fillColorOf(fill));
}

bool CPage::drawBitmap(double top, double left, double bottom, double right, const std::string& file,
                       std::string* errorText) {
    Bitmap bitmap;
    std::string error;
    if (!loadBitmap(file, bitmap, error)) {
        if (errorText != nullptr) *errorText = error;
        return false;
    }
    drawBitmapDevice(Rect{toDeviceX(left), toDeviceY(top), toDeviceX(right), toDeviceY(bottom)}, bitmap);
    return true;
}

void CPage::drawBitmapDevice(const Rect& box, const Bitmap& bitmap) {
    printer_.bitmap(bitmap, box);
}

double CPage::printLogo(std::string& logoPath, double top, double right, const MessageSink& report) {
    if (logoPath.empty()) return top;
    PictureSize size;
    std::string error;
    bool shown = loadPicture(logoPath, size, error);
    const double width = size.width * 0.01;
    const double height = size.height * 0.01;
    if (shown && !measureOnly())
        shown = drawBitmap(top, right - width, top + height, right, logoPath, &error);
    if (!shown) {
        if (report) report(kLogoNotPrintable + error);
        logoPath.clear();
        return top;
    }
    return top + height;
}

CPrintRegion* CPage::createRegion(int32_t top, int32_t left, int32_t bottom, int32_t right) {
    if (left < 0 || top < 0 || right > pageWidth() || bottom > pageHeight() || right < left || bottom < top)
        return nullptr;
    const Rect area{left, top, std::max(left, std::min(right, rightLimit_)),
                    std::max(top, std::min(bottom, bottomLimit_))};
    regions_.push_back(std::make_unique<CPrintRegion>(*this, area));
    return regions_.back().get();
}

} // namespace lorvan
