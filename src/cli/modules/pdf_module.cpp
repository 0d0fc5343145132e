// The PDF writer of the command line as a module of its own (lorvan-pdf.so), loaded by
// cli/output_modules.cpp when a command first draws a PDF: the toolkit that draws the pages is loaded
// only then, and a command that writes no PDF starts without it.
#include "cli/output_modules.h"

#include "output/ui/pdf_export.h"

extern "C" __attribute__((visibility("default"))) void
lorvanDrawPdf(const lorvan::cli::PdfModuleRequest* request, std::exception_ptr* failure) {
    try {
        lorvan::GuiApplicationScope application;
        lorvan::PdfOptions options;
        options.landscape = request->landscape;
        options.title = request->title;
        if (request->path != nullptr)
            lorvan::writePdf(*request->path, *request->draw, options);
        else
            lorvan::renderPdf(*request->draw, options);
    } catch (...) {
        *failure = std::current_exception();
    }
}
