#include "cli/pdf_module.h"

#include "foundation/error.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace lorvan::cli {

namespace {

using DrawPdf = void (*)(const PdfModuleRequest*, std::exception_ptr*);

// The folder of the running program.
std::filesystem::path programFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

std::vector<std::string> candidates() {
    std::vector<std::string> paths;
    if (const char* named = std::getenv("LORVAN_PDF_MODULE"); named != nullptr && *named != '\0')
        paths.emplace_back(named);
    const std::filesystem::path folder = programFolder();
    if (!folder.empty()) {
        paths.push_back((folder / "lorvan-pdf.so").string());
        paths.push_back((folder / LORVAN_PDF_MODULE_INSTALLED).lexically_normal().string());
    }
#ifdef LORVAN_PDF_MODULE_BUILT
    paths.emplace_back(LORVAN_PDF_MODULE_BUILT);
#endif
    return paths;
}

DrawPdf loadModule() {
    std::string reason;
    for (const std::string& path : candidates()) {
        if (::access(path.c_str(), R_OK) != 0) continue;
        // The module stays loaded until the program ends: the toolkit does not like to be unloaded.
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            reason = ::dlerror();
            continue;
        }
        if (auto* draw = reinterpret_cast<DrawPdf>(::dlsym(module, "lorvanDrawPdf"))) return draw;
        reason = path + ": lorvanDrawPdf fehlt";
    }
    throw LorvanError("Das Modul für PDF-Dateien (lorvan-pdf.so) konnte nicht geladen werden" +
                      (reason.empty() ? std::string(": nicht gefunden.") : ": " + reason));
}

} // namespace

void drawPdfThroughModule(const PdfModuleRequest& request) {
    static DrawPdf draw = nullptr;
    if (draw == nullptr) draw = loadModule();
    std::exception_ptr failure;
    draw(&request, &failure);
    if (failure) std::rethrow_exception(failure);
}

} // namespace lorvan::cli
