#pragma once

#include "output/xlsx_writer.h"

#include <exception>
#include <functional>
#include <string>

namespace lorvan {
class Surface;
}

namespace lorvan::cli {

// The command line starts without the libraries that only some commands need: PDF reports are drawn
// by the toolkit in the module "lorvan-pdf.so", workbooks written by libxlsxwriter in the module
// "lorvan-xlsx.so". A module is loaded when a command first needs it, from the program's folder (the
// build tree) or the library folder of the installation; LORVAN_MODULE_DIR names the one folder to
// load them from instead.

// What the PDF module is asked to do; path nullptr lays the pages out on the PDF page and writes
// nothing.
struct PdfModuleRequest {
    const std::string* path = nullptr;
    bool landscape = false;
    std::string title;
    const std::function<void(Surface&)>* draw = nullptr;
};

// Draws the document through the PDF module; exceptions of draw and of writing come back as they
// were raised. A module that cannot be loaded raises a German message with the reason.
void drawPdfThroughModule(const PdfModuleRequest& request);

// writeXlsx (output/xlsx_writer.h) through the workbook module, with the same result and failures.
XlsxWriteResult writeXlsxThroughModule(const Sheet& sheet, const std::string& path);

} // namespace lorvan::cli
