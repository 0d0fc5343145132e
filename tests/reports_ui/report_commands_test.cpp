#include "reports/ui/report_commands.h"
#include "support/gui_fixture.h"

#include "app/open_year_file.h"
#include "gui/common/print_preview.h"
#include "gui/common/qt_platform.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace lorvan {
namespace {

std::unique_ptr<OpenYearFile> openDemoFile(const std::string& name) {
    return std::make_unique<OpenYearFile>(test::demoDataDirectory() + name, test::demoDataDirectory());
}

TEST(ReportCommands, EveryPreviewTitleNamesTheReportAndTheEmployee) {
    test::ScriptedPrompter prompter;
    std::set<std::string> titles;
    for (const auto& [file, name] : {std::pair{"Joerg_Weiss2026.azr", "Jörg Weiß"},
                                     std::pair{"Anna_Schneider2026.azr", "Anna Schneider"}}) {
        const std::unique_ptr<OpenYearFile> open = openDemoFile(file);
        for (const ReportSubject subject :
             {ReportSubject::MonthReport, ReportSubject::YearEvaluation, ReportSubject::Account,
              ReportSubject::WorkingTimeGrid, ReportSubject::Absences}) {
            const PrintableReport report = printableReport(*open, subject, 5, ReportInputs{}, prompter);
            QPrinter printer(QPrinter::HighResolution);
            const std::unique_ptr<PrintPreviewDialog> dialog(createPreviewDialog(nullptr, printer, report));
            const std::string title = fromQt(dialog->windowTitle());
            SCOPED_TRACE(title);
            EXPECT_EQ(title.rfind("Seitenansicht - ", 0), 0u);
            EXPECT_EQ(title.substr(title.size() - std::string(name).size()), name);
            EXPECT_EQ(fromQt(printer.docName()), report.title);
            titles.insert(title);
        }
    }
    // The monthly grid is printed under the year evaluation's title: four titles per employee.
    EXPECT_EQ(titles.size(), 8u);
    EXPECT_TRUE(prompter.log().empty());
}

// Accepts the print dialog once it is up.
void acceptPrintDialogWhenShown() {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            dialog->accept();
        }
    });
    timer->start(20);
}

TEST(ReportCommands, PrintingToAFileProposesTheReportsOwnNameInTheLastFolder) {
    test::TempDir folder;
    std::filesystem::create_directories(folder.path() / "Berichte");
    const std::string march = (folder.path() / "Berichte" / "march.pdf").string();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(toQt(march)); // what the toolkit keeps from the previous print

    const auto proposal = [&printer](const std::string& title, const std::string& last) {
        const std::unique_ptr<QPrintDialog> dialog = createPrintDialog(nullptr, printer, title, last);
        const auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        EXPECT_NE(field, nullptr) << "the toolkit's print dialog has its file field";
        EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat) << "the destination stays a file";
        return field != nullptr ? fromQt(field->text()) : std::string();
    };
    const std::string expected =
        (folder.path() / "Berichte" / "Jahresauswertung_2026_Anna_Schneider.pdf").string();
    EXPECT_EQ(proposal("Jahresauswertung 2026 - Anna Schneider", ""), expected);
    EXPECT_EQ(fromQt(printer.outputFileName()), expected);
    {
        const std::unique_ptr<QPrintDialog> shown =
            createPrintDialog(nullptr, printer, "Jahresauswertung 2026 - Anna Schneider", "");
        shown->show();
        QApplication::processEvents();
        const auto* field = shown->findChild<QLineEdit*>(QStringLiteral("filename"));
        ASSERT_NE(field, nullptr);
        EXPECT_GE(field->width(), field->fontMetrics().horizontalAdvance(field->text()))
            << "the path is shown whole";
        EXPECT_TRUE(shown->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/reports_print_dialog.png")));
    }
    EXPECT_EQ(proposal("Fehlzeiten 2026 - Jörg Weiß", "/anderswo/alt.pdf"),
              "/anderswo/Fehlzeiten_2026_Joerg_Weiss.pdf");

    // A print to a file is remembered for the next proposal.
    std::string last = march;
    acceptPrintDialogWhenShown();
    ASSERT_TRUE(runPrintDialog(nullptr, printer, "Monatsauswertung Mai 2026 - Jörg Weiß", last));
    EXPECT_EQ(last, (folder.path() / "Berichte" / "Monatsauswertung_Mai_2026_Joerg_Weiss.pdf").string());
    EXPECT_EQ(proposal("Arbeitszeitkonto 2026 - Jörg Weiß", last),
              (folder.path() / "Berichte" / "Arbeitszeitkonto_2026_Joerg_Weiss.pdf").string());
}

} // namespace
} // namespace lorvan
