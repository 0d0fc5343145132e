#include "output/recording_surface.h"

#include "output/report_table.h"

#include <algorithm>

namespace lorvan {

namespace {

// The UTF-8 code points of a text, each as its bytes.
std::vector<std::string> characters(const std::string& utf8) {
    std::vector<std::string> result;
    for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead >= 0xF0)
            n = 4;
        else if (lead >= 0xE0)
            n = 3;
        else if (lead >= 0xC0)
            n = 2;
        n = std::min(n, utf8.size() - i);
        result.push_back(utf8.substr(i, n));
        i += n;
    }
    return result;
}

int32_t lineWidth(const std::string& line, const FontSpec& font, int32_t flags) {
    int32_t count = 0;
    for (const std::string& c : characters(line))
        count += (c == "\t" && (flags & kTextExpandTabs)) ? 8 : 1;
    return count * (font.height / 2);
}

} // namespace

RecordingSurface::RecordingSurface(int32_t dpi)
    : RecordingSurface(dpi, dpi, Rect{0, 0, dpi * 827 / 100, dpi * 1169 / 100}) {}

RecordingSurface::RecordingSurface(int32_t dpiX, int32_t dpiY, const Rect& printable)
    : dpiX_(dpiX), dpiY_(dpiY), printable_(printable) {}

int32_t RecordingSurface::textWidth(const std::string& utf8, const FontSpec& font, int32_t flags) {
    return lineWidth(utf8, font, flags);
}

std::vector<std::string> RecordingSurface::layoutLines(const std::string& utf8, const FontSpec& font,
                                                       int32_t width, int32_t flags) {
    if (flags & kTextSingleLine) return {utf8};
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t end = utf8.find('\n', start);
        const std::string paragraph =
            utf8.substr(start, end == std::string::npos ? std::string::npos : end - start);
        // Greedy word wrap at blanks; a word wider than the width stays whole.
        std::string line;
        size_t pos = 0;
        bool any = false;
        while (pos <= paragraph.size()) {
            size_t blank = paragraph.find(' ', pos);
            if (blank == std::string::npos) blank = paragraph.size();
            const std::string word = paragraph.substr(pos, blank - pos);
            const std::string candidate = any ? line + " " + word : word;
            if (any && lineWidth(candidate, font, flags) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            any = true;
            pos = blank + 1;
        }
        lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

Rect RecordingSurface::measureText(const std::string& utf8, const FontSpec& font, const Rect& box,
                                   int32_t flags) {
    ++measureCalls_;
    if (utf8.empty()) return Rect{box.left, box.top, box.left, box.top};
    const std::vector<std::string> lines = layoutLines(utf8, font, box.width(), flags);
    int32_t widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, lineWidth(line, font, flags));
    return Rect{box.left, box.top, box.left + widest,
                box.top + static_cast<int32_t>(lines.size()) * font.height};
}

void RecordingSurface::drawText(const std::string& utf8, const FontSpec& font, const Rect& box,
                                int32_t flags) {
    RecordedCall call;
    call.kind = RecordedCall::Kind::Text;
    call.rect = box;
    call.text = utf8;
    call.font = font;
    call.flags = flags;
    call.color = textColor_;
    calls_.push_back(std::move(call));
}

void RecordingSurface::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Pen& pen) {
    RecordedCall call;
    call.kind = RecordedCall::Kind::Line;
    call.rect = Rect{x1, y1, x2, y2};
    call.pen = pen;
    calls_.push_back(std::move(call));
}

void RecordingSurface::drawBox(const Rect& box, const Pen& pen, std::optional<Rgb> fill) {
    RecordedCall call;
    call.kind = RecordedCall::Kind::Box;
    call.rect = box;
    call.pen = pen;
    call.fill = fill;
    calls_.push_back(std::move(call));
}

void RecordingSurface::drawBitmap(const Bitmap& bitmap, const Rect& box) {
    RecordedCall call;
    call.kind = RecordedCall::Kind::Bitmap;
    call.rect = box;
    call.bitmapWidth = bitmap.width;
    call.bitmapHeight = bitmap.height;
    calls_.push_back(std::move(call));
}

void RecordingSurface::setTextColor(Rgb color) {
    textColor_ = color;
    RecordedCall call;
    call.kind = RecordedCall::Kind::TextColor;
    call.color = color;
    calls_.push_back(std::move(call));
}

void RecordingSurface::beginPage() {
    RecordedCall call;
    call.kind = RecordedCall::Kind::BeginPage;
    calls_.push_back(std::move(call));
}

void RecordingSurface::endPage() {
    RecordedCall call;
    call.kind = RecordedCall::Kind::EndPage;
    calls_.push_back(std::move(call));
}

std::vector<RecordedCall> RecordingSurface::callsOf(RecordedCall::Kind kind) const {
    std::vector<RecordedCall> result;
    for (const RecordedCall& call : calls_)
        if (call.kind == kind) result.push_back(call);
    return result;
}

const RecordedCall* RecordingSurface::findText(const std::string& text) const {
    for (const RecordedCall& call : calls_)
        if (call.kind == RecordedCall::Kind::Text && call.text == text) return &call;
    return nullptr;
}

std::vector<RecordedCall> RecordingSurface::textsOutsideTheirBox() const {
    std::vector<RecordedCall> result;
    for (const RecordedCall& call : calls_) {
        if (call.kind != RecordedCall::Kind::Text) continue;
        const Rect& box = call.rect;
        const std::vector<std::string> lines = layoutLines(call.text, call.font, box.width(), call.flags);
        int32_t widest = 0;
        for (const std::string& line : lines)
            widest = std::max(widest, lineWidth(line, call.font, call.flags));
        const int32_t height = static_cast<int32_t>(lines.size()) * call.font.height;
        // The page's coordinates run from the printable area's top left corner.
        const bool onPage = box.left >= 0 && box.top >= 0 && box.right <= printable_.width() &&
                            box.bottom <= printable_.height();
        if (widest > box.width() || height > box.height() || !onPage) result.push_back(call);
    }
    return result;
}

void RecordingSurface::clear() {
    calls_.clear();
    measureCalls_ = 0;
}

} // namespace lorvan
