#include "output/ui/qt_surface.h"

#include "output/report_table.h"

#include <QColor>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QRectF>

#include <cmath>

namespace lorvan {

namespace {

QColor qtColor(Rgb color) {
    return QColor(color.red, color.green, color.blue);
}

// Qt's rectangle of a box; an inverted box counts as empty.
QRect qtRect(const Rect& box) {
    return QRect(QPoint(box.left, box.top), QSize(std::max(0, box.width()), std::max(0, box.height())));
}

Qt::PenStyle qtPenStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

// Pens are black; width 0 is the thinnest line the device draws.
QPen qtPen(const Pen& pen) {
    QPen result(Qt::black);
    result.setWidth(std::max(0, pen.width));
    result.setStyle(qtPenStyle(pen.style));
    result.setCapStyle(Qt::RoundCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
}

// A single line does not break at line breaks: they print as blanks.
QString qtText(const std::string& utf8, int32_t flags) {
    QString text = QString::fromStdString(utf8);
    if (flags & kTextSingleLine) {
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    return text;
}

} // namespace

QString qtFontFamily(const std::string& name) {
    if (name == "Times New Roman") return QStringLiteral("Liberation Serif");
    if (name == "Arial") return QStringLiteral("Liberation Sans");
    if (name == "Courier New") return QStringLiteral("Liberation Mono");
    return QString::fromStdString(name);
}

QFont qtFont(const FontSpec& font, int32_t dpiY) {
    QFont result(qtFontFamily(font.name));
    result.setStyleHint(QFont::Serif, QFont::PreferOutline);
    int32_t height = font.height;
    if (height <= 0) height = static_cast<int32_t>(std::lround(font.points * dpiY / 72.0));
    result.setPixelSize(std::max(1, height));
    result.setWeight(font.bold ? QFont::Bold : QFont::Normal);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setKerning(false);
    return result;
}

int qtTextFlags(int32_t flags) {
    int result = 0;
    if (flags & kTextCentre) {
        result |= Qt::AlignHCenter;
    } else if (flags & kTextRight) {
        result |= Qt::AlignRight;
    } else {
        result |= Qt::AlignLeft;
    }
    result |= (flags & kTextVerticalCentre) ? Qt::AlignVCenter : Qt::AlignTop;
    result |= (flags & kTextSingleLine) ? Qt::TextSingleLine : Qt::TextWordWrap;
    if (flags & kTextExpandTabs) result |= Qt::TextExpandTabs;
    if (flags & kTextNoClip) result |= Qt::TextDontClip;
    return result;
}

QtSurface::QtSurface(QPainter& painter, QPagedPaintDevice& device)
    : painter_(painter), device_(device), dpiX_(device.logicalDpiX()),
      dpiY_(device.logicalDpiY()), printable_{0, 0, device.width(), device.height()} {}

Rect QtSurface::measureText(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) {
    if (utf8.empty()) return Rect{box.left, box.top, box.left, box.top};
    painter_.setFont(qtFont(font, dpiY_));
    // Measured from the top left whatever the alignment: the caller gets the size the text needs.
    const int layout = (qtTextFlags(flags) & ~(Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)) |
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    const QRectF needed = painter_.boundingRect(QRectF(qtRect(box)), layout, qtText(utf8, flags));
    const auto width = static_cast<int32_t>(std::ceil(needed.right() - box.left));
    const auto height = static_cast<int32_t>(std::ceil(needed.bottom() - box.top));
    return Rect{box.left, box.top, box.left + std::max(0, width), box.top + std::max(0, height)};
}

void QtSurface::drawText(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) {
    if (utf8.empty()) return;
    painter_.setFont(qtFont(font, dpiY_));
    painter_.setPen(qtColor(textColor_));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawText(qtRect(box), qtTextFlags(flags), qtText(utf8, flags));
}

void QtSurface::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Pen& pen) {
    painter_.setPen(qtPen(pen));
    painter_.drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void QtSurface::drawBox(const Rect& box, const Pen& pen, std::optional<Rgb> fill) {
    painter_.setPen(qtPen(pen));
    painter_.setBrush(fill ? QBrush(qtColor(*fill)) : QBrush(Qt::NoBrush));
    painter_.drawRect(QRectF(box.left, box.top, box.width(), box.height()));
    painter_.setBrush(Qt::NoBrush);
}

void QtSurface::drawBitmap(const Bitmap& bitmap, const Rect& box) {
    if (bitmap.empty() || bitmap.rgb.size() < static_cast<size_t>(bitmap.width) * bitmap.height * 3) return;
    const QImage image(bitmap.rgb.data(), bitmap.width, bitmap.height,
                       static_cast<qsizetype>(bitmap.width) * 3, QImage::Format_RGB888);
    // Logos are small pictures of few colours: stored as they are, not as JPEG with its blurred
    // colours.
    painter_.setRenderHint(QPainter::LosslessImageRendering);
    painter_.drawImage(qtRect(box), image);
}

void QtSurface::setTextColor(Rgb color) {
    textColor_ = color;
}

void QtSurface::beginPage() {
    if (pagesBegun_ > 0) device_.newPage();
    ++pagesBegun_;
    textColor_ = kBlack;
}

void QtSurface::endPage() {}

bool printDocument(QPrinter& printer, const DrawDocument& document) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    try {
        QtSurface surface(painter, printer);
        document(surface);
    } catch (...) {
        printer.abort(); // nothing half-drawn reaches the printer
        painter.end();
        throw;
    }
    return painter.end();
}

} // namespace lorvan
