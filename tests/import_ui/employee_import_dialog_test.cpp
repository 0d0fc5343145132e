#include "import/ui/employee_import_dialog.h"

#include "app/open_year_file.h"
#include "app/processing.h"
#include "app/work_areas.h"
#include "entry/ui/file_view_windows.h"
#include "foundation/file_io.h"
#include "gui/common/document_view.h"
#include "gui/common/qt_platform.h"
#include "gui/common/protocol_window.h"
#include "masterdata/employee_file.h"
#include "masterdata/employee_files.h"
#include "masterdata/ui/employee_window.h"
#include "support/main_window_fixture.h"
#include "yearfile/year_document.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>
#include <string>

namespace lorvan {
namespace {

using test::answerModals;
using test::buttonWithText;

void screenshot(QWidget* widget, const char* name) {
    EXPECT_TRUE(widget->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QStringLiteral("/") +
                                    QString::fromUtf8(name)));
}

std::vector<std::string> employeeWindows(MainWindow& window) {
    std::vector<std::string> paths;
    for (DocumentView* view : window.documents())
        if (dynamic_cast<EmployeeWindow*>(view) != nullptr) paths.push_back(view->documentPath());
    return paths;
}

class EmployeeImportDialogTest : public test::MainWindowOnDemoCopy {
  protected:
    std::string list() const { return data.path().string() + "/liste.csv"; }
    CTwMaDoc employees() const {
        CTwMaDoc file;
        file.open(CTwMaDoc::pathIn(dataDirectory));
        return file;
    }
};

TEST_F(EmployeeImportDialogTest, ImportsAListAndShowsTheProtocol) {
    test::writeBytes(list(), "Nr;Name;Info;Abteilung;Ignorieren;Vorlage;Konto;Rest;Anspruch\r\n"
                             "4711;M\xFCller, Jan;;Lager;;Anna_Schneider2026.azr;12,5;3;30\r\n"
                             "x12;Bert\r\n");
    window->runCommand(MenuCommand::Employees);
    ASSERT_EQ(employeeWindows(*window).size(), 1u);

    bool dialogSeen = false;
    bool protocolSeen = false;
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<EmployeeImportDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialogSeen = true;
        // The employees window closed before the dialog opened.
        EXPECT_TRUE(employeeWindows(*window).empty());
        EXPECT_EQ(fromQt(dialog->windowTitle()), "Mitarbeiter importieren");
        bool heading = false;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            heading = heading || label->text() == QStringLiteral("Mitarbeiter importieren und Jahresdatei des Mitarbeiters anlegen");
        EXPECT_TRUE(heading);
        EXPECT_EQ(dialog->fileField()->text(), QString());
        EXPECT_EQ(dialog->yearField()->value(), 2026);
        for (const char* box : {"skipFirstLine", "onlyNew", "logAll"})
            EXPECT_TRUE(dialog->findChild<QCheckBox*>(QString::fromUtf8(box))->isChecked()) << box;
        EXPECT_NE(buttonWithText(dialog, "Du&rchsuchen..."), nullptr);
        dialog->fileField()->setText(toQt(list()));
        screenshot(dialog, "import_employee_dialog.png");

        test::whenModalShows<ProtocolWindow>([&](ProtocolWindow* protocol) {
            protocolSeen = true;
            EXPECT_EQ(fromQt(protocol->windowTitle()), "Protokoll");
            const std::string text = fromQt(protocol->textArea()->toPlainText());
            EXPECT_EQ(text.rfind("Die Datei '" + list() + "' wird gelesen.\nZeile 2:\nMitarbeiter: 4711 - Müller, Jan\n"
                                                          "Zeile fehlerfrei gelesen.\n\nZeile 3:\n",
                                 0),
                      0u)
                << text;
            EXPECT_NE(text.find("\nZusammenfassung:\nFehlerfrei: 1\nFehlerhaft: 1\n"), std::string::npos);
            EXPECT_TRUE(protocol->textArea()->isReadOnly());
            screenshot(protocol, "import_protocol_window.png");
            // Larger: the text grows with the window and the button keeps to the lower right corner.
            // Smaller than at first: not possible.
            const QSize first = protocol->size();
            const QSize textFirst = protocol->textArea()->size();
            const QPoint fromCorner = QPoint(first.width(), first.height()) - protocol->closeButton()->geometry().bottomRight();
            protocol->resize(first + QSize(200, 150));
            QApplication::processEvents();
            EXPECT_EQ(protocol->textArea()->size(), textFirst + QSize(200, 150));
            EXPECT_EQ(QPoint(protocol->width(), protocol->height()) - protocol->closeButton()->geometry().bottomRight(),
                      fromCorner);
            protocol->resize(first - QSize(100, 100));
            EXPECT_EQ(protocol->size(), first);
            buttonWithText(protocol, "Schließen")->click();
        });
        buttonWithText(dialog, "&Importieren")->click();
        // A line failed: the message came before the protocol, and the dialog stays with its values.
        EXPECT_TRUE(protocolSeen);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->fileField()->text(), toQt(list()));
        buttonWithText(dialog, "Abbrechen")->click();
    }});
    window->runCommand(MenuCommand::EmployeeImport);

    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Beim Import sind Fehler aufgetreten."});
    const CTwMaDoc file = employees();
    ASSERT_NE(file.findByNumber(4711), nullptr);
    EXPECT_EQ(file.findByNumber(4711)->department, "Lager");
    EXPECT_TRUE(std::filesystem::exists(yearFilePath(dataDirectory, "Müller, Jan", 2026)));
    // The employees work area is open again, and the choices are kept for the next time.
    EXPECT_EQ(employeeWindows(*window).size(), 1u);
    EXPECT_EQ(store.readString(kStoreSettings, "MaImportFile", ""), list());
    EXPECT_FALSE(app.processingRunning());
}

TEST_F(EmployeeImportDialogTest, RefusedChecksKeepTheDialogAndASuccessfulRunClosesIt) {
    test::writeBytes(list(), "4712;Karl Klein;;;;Anna_Schneider2026.azr\n");
    store.writeStrings(kStoreSettings, {{"MaImportFile", list()}, {"MaImportIgnoreFirstRow", "0"}, {"MaImportLogAll", "0"}});
    bool closed = false;
    std::string protocolText;
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<EmployeeImportDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->fileField()->text(), toQt(list()));
        EXPECT_FALSE(dialog->findChild<QCheckBox*>(QStringLiteral("skipFirstLine"))->isChecked());
        EXPECT_TRUE(dialog->findChild<QCheckBox*>(QStringLiteral("onlyNew"))->isChecked());
        EXPECT_FALSE(dialog->findChild<QCheckBox*>(QStringLiteral("logAll"))->isChecked());
        dialog->yearField()->setValue(2028);
        dialog->accept();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), dialog->yearField());
        dialog->yearField()->setValue(2026);
        dialog->fileField()->setText(toQt(list() + ".fehlt"));
        dialog->accept();
        EXPECT_EQ(QApplication::focusWidget(), dialog->fileField());
        dialog->fileField()->setText(toQt(list()));
        test::whenModalShows<ProtocolWindow>([&](ProtocolWindow* protocol) {
            protocolText = fromQt(protocol->textArea()->toPlainText());
            protocol->accept();
        });
        dialog->accept();
        closed = !dialog->isVisible();
    }});
    window->runCommand(MenuCommand::EmployeeImport);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{kImplausibleYearMessage, kImportFileMissingMessage}));
    EXPECT_TRUE(closed);
    EXPECT_EQ(protocolText, "Die Datei '" + list() + "' wird gelesen.\nDer Import war erfolgreich.\n");
    EXPECT_NE(employees().findByNumber(4712), nullptr);
}

TEST_F(EmployeeImportDialogTest, AChangedYearFileIsAskedForFirstAndCancelStopsTheCommand) {
    CLorvanView* view = window->openYearFile(dataDirectory + "Anna_Schneider2026.azr");
    ASSERT_NE(view, nullptr);
    view->file()->document.setModified(true);
    prompter.answerCancel();
    window->runCommand(MenuCommand::EmployeeImport); // no dialog: the test would hang on it
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{MainWindow::saveQuestion(dataDirectory + "Anna_Schneider2026.azr")});
    EXPECT_EQ(window->documents().size(), 1u);

    // While a processing runs the command is refused.
    view->file()->document.setModified(false);
    ProcessingGuard running(app.processingFlag());
    window->runCommand(MenuCommand::EmployeeImport);
    EXPECT_EQ(prompter.texts().back(), kImportProcessingMessage);
    EXPECT_EQ(window->documents().size(), 1u);
}

} // namespace
} // namespace lorvan
