// The workbook writer of the command line as a module of its own (lorvan-xlsx.so), loaded by
// cli/output_modules.cpp when a command first writes a workbook: libxlsxwriter and what it loads
// (zlib, minizip, libcrypto) are loaded only then.
#include "cli/output_modules.h"

#include "output/xlsx_writer.h"

extern "C" __attribute__((visibility("default"))) void lorvanWriteXlsx(const lorvan::Sheet* sheet,
                                                                       const std::string* path,
                                                                       lorvan::XlsxWriteResult* result,
                                                                       std::exception_ptr* failure) {
    try {
        *result = lorvan::writeXlsx(*sheet, *path);
    } catch (...) {
        *failure = std::current_exception();
    }
}
