#include "cli/output_modules.h"

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
using WriteXlsx = void (*)(const Sheet*, const std::string*, XlsxWriteResult*, std::exception_ptr*);

// The folder of the running program.
std::filesystem::path programFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

// Where a module is looked for, in this order; only in the folder LORVAN_MODULE_DIR names when it is
// set.
std::vector<std::filesystem::path> moduleFolders() {
    std::vector<std::filesystem::path> folders;
    if (const char* named = std::getenv("LORVAN_MODULE_DIR"); named != nullptr && *named != '\0') {
        folders.emplace_back(named);
        return folders;
    }
    const std::filesystem::path folder = programFolder();
    if (!folder.empty()) {
        folders.push_back(folder);
        folders.push_back((folder / LORVAN_MODULE_DIR_INSTALLED).lexically_normal());
    }
#ifdef LORVAN_MODULE_DIR_BUILT
    folders.emplace_back(LORVAN_MODULE_DIR_BUILT);
#endif
    return folders;
}

// The function symbol of the module file name. The module stays loaded until the program ends (the
// toolkit does not like to be unloaded).
void* moduleFunction(const char* name, const char* symbol, const char* what) {
    std::string reason;
    for (const std::filesystem::path& folder : moduleFolders()) {
        const std::string path = (folder / name).string();
        if (::access(path.c_str(), R_OK) != 0) continue;
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            reason = ::dlerror();
            continue;
        }
        if (void* function = ::dlsym(module, symbol)) return function;
        reason = path + ": " + symbol + " fehlt";
    }
    throw LorvanError(std::string("Das Modul für ") + what + " (" + name + ") konnte nicht geladen werden" +
                      (reason.empty() ? std::string(": nicht gefunden.") : ": " + reason));
}

} // namespace

void drawPdfThroughModule(const PdfModuleRequest& request) {
    static DrawPdf draw = nullptr;
    if (draw == nullptr)
        draw = reinterpret_cast<DrawPdf>(moduleFunction("lorvan-pdf.so", "lorvanDrawPdf", "PDF-Dateien"));
    std::exception_ptr failure;
    draw(&request, &failure);
    if (failure) std::rethrow_exception(failure);
}

XlsxWriteResult writeXlsxThroughModule(const Sheet& sheet, const std::string& path) {
    static WriteXlsx write = nullptr;
    if (write == nullptr)
        write = reinterpret_cast<WriteXlsx>(moduleFunction("lorvan-xlsx.so", "lorvanWriteXlsx", "Arbeitsmappen"));
    XlsxWriteResult result;
    std::exception_ptr failure;
    write(&sheet, &path, &result, &failure);
    if (failure) std::rethrow_exception(failure);
    return result;
}

} // namespace lorvan::cli
