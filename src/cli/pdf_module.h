#pragma once

#include <exception>
#include <functional>
#include <string>

namespace lorvan {
class Surface;
}

namespace lorvan::cli {

// PDF reports are drawn by the toolkit, which the command line loads only when a command draws a
// PDF: the drawing lives in the module "lorvan-pdf.so" beside the program (in the build tree) or in
// the library folder of the installation; LORVAN_PDF_MODULE names another file.

// What the module is asked to do; path nullptr lays the pages out on the PDF page and writes nothing.
struct PdfModuleRequest {
    const std::string* path = nullptr;
    bool landscape = false;
    std::string title;
    const std::function<void(Surface&)>* draw = nullptr;
};

// Draws the document through the module; exceptions of draw and of writing come back as they were
// raised. A module that cannot be loaded raises a German message with the reason.
void drawPdfThroughModule(const PdfModuleRequest& request);

} // namespace lorvan::cli
