#include "import/ui/time_import_dialog.h"

#include "app/work_areas.h"
#include "gui/common/document_view.h"
#include "gui/common/qt_platform.h"
#include "gui/common/protocol_window.h"
#include "masterdata/ui/employee_window.h"
#include "platform/user_store.h"
#include "support/main_window_fixture.h"
#include "yearfile/year_document.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::answerModals;
using test::buttonWithText;

class TimeImportDialogTest : public test::MainWindowOnDemoCopy {
  protected:
    std::string clockFile() const { return data.path().string() + "/stempeluhr.csv"; }
    CLorvanDoc yearFile(const char* name) const {
        CLorvanDoc document;
        document.open(dataDirectory + name);
        return document;
    }
    static const CTagDoc* dayOf(const CLorvanDoc& document, int32_t month, int32_t day) {
        const CMonatDoc* m = document.month(month);
        return m != nullptr ? m->day(day) : nullptr;
    }
    bool employeesWindowOpen() const {
        for (DocumentView* view : window->documents())
            if (dynamic_cast<EmployeeWindow*>(view) != nullptr) return true;
        return false;
    }
};

TEST_F(TimeImportDialogTest, ReadsAsksAboutErrorsWritesTheGoodLinesAndShowsTheProtocol) {
    test::writeBytes(clockFile(), "Mitarbeiter;Datum;von;bis\r\n"
                                  "1;16.06.2026;07:30;12:00\r\n"
                                  "J\xF6rg;16.06.2026;08:00;16:00;;;;;30\r\n"
                                  "1;31.02.2026;08:00;12:00\r\n");
    prompter.answerYes(); // "Sollen die Zeiten trotzdem importiert werden?"
    std::vector<std::string> protocols;
    bool stays = false;
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<TimeImportDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(fromQt(dialog->windowTitle()), "Arbeitszeiten importieren");
        // Without the company's build its box is not offered.
        EXPECT_FALSE(dialog->companyLayoutBox()->isVisible());
        EXPECT_TRUE(dialog->skipFirstLineBox()->isEnabled());
        EXPECT_NE(buttonWithText(dialog, "Du&rchsuchen..."), nullptr);
        dialog->fileField()->setText(toQt(clockFile()));
        dialog->skipFirstLineBox()->setChecked(true);
        dialog->logAllBox()->setChecked(true);
        EXPECT_TRUE(dialog->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) +
                                        QStringLiteral("/import_time_dialog.png")));
        // First the protocol of the reading errors, then the one of the whole run.
        std::function<void(ProtocolWindow*)> keep = [&](ProtocolWindow* protocol) {
            protocols.push_back(fromQt(protocol->textArea()->toPlainText()));
            if (protocols.size() == 1) test::whenModalShows<ProtocolWindow>(keep);
            protocol->accept();
        };
        test::whenModalShows<ProtocolWindow>(keep);
        buttonWithText(dialog, "&Importieren")->click();
        // A line failed: the dialog stays with its values.
        stays = dialog->isVisible();
        EXPECT_EQ(dialog->fileField()->text(), toQt(clockFile()));
        buttonWithText(dialog, "Abbrechen")->click();
    }});
    window->runCommand(MenuCommand::DataImport);

    EXPECT_TRUE(stays);
    ASSERT_EQ(protocols.size(), 2u);
    EXPECT_NE(protocols[0].find("Das Datum '31.02.2026' ist ungültig."), std::string::npos) << protocols[0];
    EXPECT_NE(protocols[1].find("Anna Schneider"), std::string::npos) << protocols[1];
    ASSERT_GE(prompter.texts().size(), 2u);
    EXPECT_EQ(prompter.texts()[0], "Die Importdatei enthält Fehler.\nEs wurden noch keine Daten "
                                   "importiert.\nBitte prüfen Sie das Protokoll.");
    EXPECT_EQ(prompter.texts()[1], "Sollen die Zeiten trotzdem importiert werden?");
    EXPECT_NE(dayOf(yearFile("Anna_Schneider2026.azr"), 6, 16), nullptr);
    EXPECT_NE(dayOf(yearFile("Joerg_Weiss2026.azr"), 6, 16), nullptr);
    // The choices are kept, the employees work area is open again.
    EXPECT_EQ(store.readString("ImportSettingsZzSt", "ImportFile", ""), clockFile());
    EXPECT_EQ(store.readString("ImportSettingsZzSt", "ImportIgnoreFirstRow", ""), "1");
    EXPECT_TRUE(employeesWindowOpen());
}

TEST_F(TimeImportDialogTest, TheBoxesSwitchTheKindOfFileAndTheChecksKeepTheDialog) {
    app.setBuildSwitch(true);
    store.writeStrings("ImportSettingsFzSp", {{"ImportFile", "/daten/plan.csv"}, {"ImportAddZeiten", "1"}});
    store.writeStrings("ImportSettingsZzSt",
                       {{"ImportFile", "/daten/zeiten.csv"}, {"ImportIgnoreFirstRow", "1"}});
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<TimeImportDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        // Fresh: the company's time file, its first line never skipped.
        EXPECT_TRUE(dialog->companyLayoutBox()->isVisible());
        EXPECT_TRUE(dialog->companyLayoutBox()->isChecked());
        EXPECT_FALSE(dialog->skipFirstLineBox()->isEnabled());
        EXPECT_FALSE(dialog->skipFirstLineBox()->isChecked());
        dialog->absencesBox()->setChecked(true);
        EXPECT_EQ(dialog->fileField()->text(), QStringLiteral("/daten/plan.csv"));
        EXPECT_TRUE(dialog->keepExistingBox()->isChecked());
        dialog->absencesBox()->setChecked(false);
        dialog->companyLayoutBox()->setChecked(false);
        EXPECT_EQ(dialog->fileField()->text(), QStringLiteral("/daten/zeiten.csv"));
        EXPECT_TRUE(dialog->skipFirstLineBox()->isEnabled());
        EXPECT_TRUE(dialog->skipFirstLineBox()->isChecked());
        EXPECT_FALSE(dialog->keepExistingBox()->isChecked());

        dialog->accept();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), dialog->fileField());
        test::writeBytes(clockFile(), "1;16.06.2026;07:30;12:00\r\n");
        dialog->fileField()->setText(toQt(clockFile()));
        dialog->protocolField()->setText(toQt(dataDirectory + "Daten.mar"));
        dialog->accept();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), dialog->protocolField());
        dialog->reject();
    }});
    window->runCommand(MenuCommand::DataImport);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Die angegebene Datei existiert nicht.",
                                        "Die Datei '" + dataDirectory +
                                            "Daten.mar' gehört zu den Daten der Anwendung und kann nicht als "
                                            "Protokolldatei verwendet werden."}));
}

TEST_F(TimeImportDialogTest, ARunWithoutErrorsClosesTheDialog) {
    test::writeBytes(clockFile(), "Sabine;17.06.2026;08:00;12:00\r\n");
    bool closed = false;
    answerModals({[&](QWidget* modal) {
        auto* dialog = qobject_cast<TimeImportDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->fileField()->setText(toQt(clockFile()));
        test::whenModalShows<ProtocolWindow>([](ProtocolWindow* protocol) { protocol->accept(); });
        dialog->accept();
        closed = !dialog->isVisible();
    }});
    window->runCommand(MenuCommand::DataImport);
    EXPECT_TRUE(closed);
    EXPECT_NE(dayOf(yearFile("Sabine_Mueller2026.azr"), 6, 17), nullptr);
}

} // namespace
} // namespace lorvan
