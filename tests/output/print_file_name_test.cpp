#include "output/print_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

TEST(PrintFileName, TheReportTitleInFileNameForm) {
    const struct {
        const char* title;
        const char* expected;
    } cases[] = {
        {"Jahresauswertung 2026 - Jörg Weiß", "Jahresauswertung_2026_Joerg_Weiss.pdf"},
        {"Monatsauswertung März 2026 - Jörg Weiß", "Monatsauswertung_Maerz_2026_Joerg_Weiss.pdf"},
        {"Fehlzeiten 2026 - Übel-Bäcker, Dr. Öztürk", "Fehlzeiten_2026_Uebel_Baecker_Dr_Oeztuerk.pdf"},
        {"  Arbeitszeitkonto/2026: *Anna*  ", "Arbeitszeitkonto_2026_Anna.pdf"},
        {"", "Bericht.pdf"},
        {" - / . ", "Bericht.pdf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printFileName(c.title), c.expected) << c.title;
}

TEST(PrintFileName, ProposedInTheFolderOfTheLastPdfWhateverItsName) {
    const std::string title = "Jahresauswertung 2026 - Anna Schneider";
    EXPECT_EQ(proposedPrintFile(title, "/home/jo/Berichte/march.pdf", "/home/jo"),
              "/home/jo/Berichte/Jahresauswertung_2026_Anna_Schneider.pdf");
    EXPECT_EQ(proposedPrintFile(title, "", "/home/jo"), "/home/jo/Jahresauswertung_2026_Anna_Schneider.pdf");
    EXPECT_EQ(proposedPrintFile(title, "march.pdf", "/home/jo"),
              "/home/jo/Jahresauswertung_2026_Anna_Schneider.pdf");
}

} // namespace
} // namespace lorvan
