#include "output/spreadsheet_launch.h"

#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/text_encoding.h"
#include "output/xlsx_writer.h"

#include <system_error>

namespace lorvan {

namespace {

constexpr size_t kMaxDescriptionCharacters = 1000;

// The first n UTF-8 characters.
std::string firstCharacters(const std::string& text, size_t characters) {
    size_t i = 0;
    for (size_t n = 0; i < text.size() && n < characters; ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return text.substr(0, i);
}

// The message when the workbook cannot be written: the program's connection message with the reason.
std::string writeFailure(SpreadsheetProgram program, const std::string& description) {
    return messageWithDescription(
        program == SpreadsheetProgram::Excel ? kExcelConnectionMessage : kCalcConnectionMessage, description);
}

} // namespace

std::vector<std::string> spreadsheetCommand(SpreadsheetProgram program, const std::string& path) {
    if (program == SpreadsheetProgram::Excel) return {"xdg-open", path};
    return {"libreoffice", "--calc", path};
}

std::filesystem::path exportFilePath(const std::filesystem::path& folder, std::string_view sheetName) {
    std::string base = toFileNamePart(cleanSheetName(sheetName));
    if (base.find_first_not_of('_') == std::string::npos) base = "Export";
    std::filesystem::path path = folder / (base + ".xlsx");
    std::error_code error;
    for (int n = 2; std::filesystem::exists(path, error); ++n)
        path = folder / format("%s_%d.xlsx", base.c_str(), n);
    return path;
}

std::string messageWithDescription(const char* message, const std::string& description) {
    if (description.empty()) return message;
    return std::string(message) + "\n\n" + firstCharacters(description, kMaxDescriptionCharacters);
}

std::string exportTable(const CReportTable& table, std::string_view sheetName,
                        const SpreadsheetTarget& target) {
    const Sheet sheet = buildSheet(table, sheetName, target.program);

    std::error_code error;
    std::filesystem::create_directories(target.exportFolder, error);
    if (error) {
        target.prompter.error(writeFailure(
            target.program, format("%s: %s", target.exportFolder.c_str(), error.message().c_str())));
        return {};
    }
    const std::string path = exportFilePath(target.exportFolder, sheetName).string();
    XlsxWriteResult written;
    try {
        written = writeXlsx(sheet, path);
    } catch (const LorvanError& e) {
        target.prompter.error(writeFailure(target.program, e.what()));
        return {};
    }
    // Calc ignores a name it cannot set; Excel says so and goes on.
    if (!written.nameAccepted && target.program == SpreadsheetProgram::Excel) {
        target.prompter.warn(kSheetNameRefusedMessage);
    }

    if (!target.runner.start(spreadsheetCommand(target.program, path)).empty()) {
        const char* message =
            target.program == SpreadsheetProgram::Excel ? kExcelConnectionMessage : kCalcNotStartedMessage;
        target.prompter.error(messageWithDescription(message, kWorkbookSavedAt + path));
    }
    return path;
}

std::string exportToExcel(const CReportTable& table, std::string_view sheetName,
                          const std::filesystem::path& exportFolder, ProgramRunner& runner,
                          Prompter& prompter) {
    return exportTable(table, sheetName, {SpreadsheetProgram::Excel, exportFolder, runner, prompter});
}

std::string exportToCalc(const CReportTable& table, std::string_view sheetName,
                         const std::filesystem::path& exportFolder, ProgramRunner& runner,
                         Prompter& prompter) {
    return exportTable(table, sheetName, {SpreadsheetProgram::Calc, exportFolder, runner, prompter});
}

} // namespace lorvan
