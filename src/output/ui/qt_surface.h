#pragma once

#include "output/surface.h"

#include <cstdint>
#include <functional>
#include <string>

#include <QFont>
#include <QString>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

// The page engine's Surface on Qt: a QPainter on a paged device, that is a QPdfWriter (PDF files) or a
// QPrinter (the printer, and the pages of the print preview). Coordinates are the device's pixels at
// its resolution, from the top left of its printable area.
namespace lorvan {

// Draws the pages of one document. Each page: surface.beginPage(), a CPage on the surface, the
// drawing, surface.endPage(). A document that draws nothing gives one empty page.
using DrawDocument = std::function<void(Surface& surface)>;

// The family that stands in for a font name: "Times New Roman" is printed with Liberation Serif,
// which has the same metrics, so layouts keep their line breaks; "Arial" and "Courier New" likewise
// with Liberation Sans and Liberation Mono. Other names are passed on.
QString qtFontFamily(const std::string& name);
// The Qt font of a FontSpec: the character height in pixels of the device (FontSpec::height, or the
// points at dpiY when there is no height), weight 700 or 400, the style bits, a roman family; no
// hinting and no kerning, so widths scale with the size exactly.
QFont qtFont(const FontSpec& font, int32_t dpiY);
// The Qt text flags (alignment and Qt::TextFlag) of the layout bits of a text's flags.
int qtTextFlags(int32_t flags);

class QtSurface : public Surface {
  public:
    // painter must be active on device for the lifetime of the surface; its resolution is the
    // device's. The surface starts on the device's first page.
    QtSurface(QPainter& painter, QPagedPaintDevice& device);

    int32_t dpiX() const override { return dpiX_; }
    int32_t dpiY() const override { return dpiY_; }
    Rect printableRect() const override { return printable_; }
    Rect measureText(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) override;
    void drawText(const std::string& utf8, const FontSpec& font, const Rect& box, int32_t flags) override;
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, const Pen& pen) override;
    void drawBox(const Rect& box, const Pen& pen, std::optional<Rgb> fill) override;
    void drawBitmap(const Bitmap& bitmap, const Rect& box) override;
    void setTextColor(Rgb color) override;
    // The first page is the device's first page; every later one starts a new page of the device.
    // Both reset the text colour to black.
    void beginPage() override;
    void endPage() override;

    // How many pages were begun.
    int32_t pagesBegun() const { return pagesBegun_; }

  private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
    int32_t dpiX_;
    int32_t dpiY_;
    Rect printable_;
    Rgb textColor_ = kBlack;
    int32_t pagesBegun_ = 0;
};

// Runs the document on the printer (a real printer after the print dialog, or the preview's printer
// in QPrintPreviewDialog::paintRequested). False when the printer cannot be drawn on (nothing was
// printed); exceptions of document pass through after the print run has ended.
bool printDocument(QPrinter& printer, const DrawDocument& document);

} // namespace lorvan
