#pragma once

#include <string>
#include <string_view>

// The PDF file a report is printed to is named after the report, whatever was printed before.
namespace lorvan {

// The report's title in file-name form + ".pdf": letters and digits stay, umlauts and ß are written
// out, every run of other characters becomes one "_" ("Jahresauswertung 2026 - Jörg Weiß" ->
// "Jahresauswertung_2026_Joerg_Weiss.pdf"); "Bericht.pdf" when nothing is left.
std::string printFileName(std::string_view title);

// The file the print dialog proposes for the report: its file name in the folder of the last PDF
// printed (lastPrintFile), or in defaultFolder as long as none was.
std::string proposedPrintFile(std::string_view title, const std::string& lastPrintFile,
                              const std::string& defaultFolder);

} // namespace lorvan
