#pragma once

#include "output/ui/qt_surface.h"

#include <cstdint>
#include <memory>
#include <string>

class QGuiApplication;

// Reports written as PDF files: the pages a report draws through CPage on a Surface, on A4 paper at
// the printer resolution the layout is made for, with Liberation Serif embedded for "Times New Roman".
namespace lorvan {

struct PdfOptions {
    int32_t dpi = 600;
    // The unprintable border of a printer page; the printable area of A4 with 4 mm is 7.95 × 11.38
    // inches, so the reports' full width of 7.9 inches fits.
    double marginMillimetres = 4.0;
    bool landscape = false;
    std::string title; // the document title of the PDF
};

// The PDF of the document, as bytes. Exceptions of document pass through.
std::string renderPdf(const DrawDocument& document, const PdfOptions& options = {});

// Writes the PDF of the document to path (through a temporary file beside it, so a failure leaves no
// torn file). Raises "Die Datei '...' konnte nicht geschrieben werden." with the cause; exceptions of
// document pass through and write nothing.
void writePdf(const std::string& path, const DrawDocument& document, const PdfOptions& options = {});

// Qt draws text only with an application object. This one makes sure there is one: when the program
// has none (the command line), it creates a QGuiApplication on the offscreen platform, which needs no
// screen, and destroys it again with the scope. With an application already there it does nothing.
class GuiApplicationScope {
  public:
    GuiApplicationScope();
    ~GuiApplicationScope();
    GuiApplicationScope(const GuiApplicationScope&) = delete;
    GuiApplicationScope& operator=(const GuiApplicationScope&) = delete;

    // Whether this scope created the application.
    bool created() const { return application_ != nullptr; }

  private:
    // Qt keeps the arguments for the lifetime of the application.
    char programName_[7] = "lorvan";
    char platformOption_[10] = "-platform";
    char platformName_[10] = "offscreen";
    char* argv_[4] = {programName_, platformOption_, platformName_, nullptr};
    int argc_ = 3;
    std::unique_ptr<QGuiApplication> application_;
};

} // namespace lorvan
