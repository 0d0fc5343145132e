#include "masterdata/ui/service_windows.h"

#include "app/document_kinds.h"
#include "app/help_topics.h"
#include "gui/common/qt_platform.h"
#include "masterdata/service_file.h"
#include "masterdata/service_flows.h"
#include "masterdata/ui/service_dialog_window.h"
#include "support/fake_desktop.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace lorvan {
namespace {

class ServiceWindowsTest : public ::testing::Test {
  protected:
    test::FakeDesktop desktop{"Daten.kd", "Daten.dl"};

    ServicesWindow* openWindow() {
        auto* window = qobject_cast<ServicesWindow*>(openServicesWindow(desktop));
        EXPECT_NE(window, nullptr);
        return window;
    }
    std::string filePath() const { return desktop.dataDirectory() + "Daten.dl"; }
    CTwDienstlDoc onDisk() const {
        CTwDienstlDoc file;
        file.open(filePath());
        return file;
    }
    static std::vector<std::string> column(const QTreeWidget* list, int index) {
        std::vector<std::string> texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.push_back(fromQt(list->topLevelItem(i)->text(index)));
        return texts;
    }
    static std::string current(const QTreeWidget* list) {
        return list->currentItem() != nullptr ? fromQt(list->currentItem()->text(0)) : std::string();
    }
    static ServiceDialogWindow* serviceDialog(QWidget* modal) {
        auto* dialog = qobject_cast<ServiceDialogWindow*>(modal);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
};

TEST_F(ServiceWindowsTest, ShowsTheServicesByNameWithKindAndAmount) {
    ServicesWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(fromQt(window->windowTitle()), "Dienstleistungen verwalten");
    EXPECT_EQ(window->viewKind(), ActiveView::Other);
    EXPECT_EQ(window->menuBarKind(), MenuBarKind::NoDocument);
    EXPECT_EQ(window->helpTopic(), kHelpServices);
    EXPECT_EQ(desktop.viewNumbers(), std::vector<int32_t>{kViewServices});
    EXPECT_EQ(fromQt(window->newButton()->text()), "&Neue Dienstleistung...");

    const QTreeWidget* list = window->list();
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(fromQt(list->headerItem()->text(0)), "Bezeichnung");
    EXPECT_EQ(fromQt(list->headerItem()->text(1)), "Art der Kosten");
    EXPECT_EQ(fromQt(list->headerItem()->text(2)), "Kosten");
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(list->columnWidth(i), 150);
    EXPECT_EQ(column(list, 0),
              (std::vector<std::string>{"Anfahrtspauschale", "Beratung", "Montage", "Notdienst", "Wartung"}));
    EXPECT_EQ(column(list, 1), (std::vector<std::string>{"Fester Betrag", "Fest je Stunde", "Aus Stundenlohn",
                                                          "Fest je Stunde", "Aus Stundenlohn"}));
    // Amounts with a decimal comma, right-aligned; nothing for 0.
    EXPECT_EQ(column(list, 2), (std::vector<std::string>{"35,00", "65,00", "", "95,00", ""}));
    EXPECT_TRUE(list->topLevelItem(0)->textAlignment(2) & Qt::AlignRight);
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/masterdata_services.png")));
}

TEST_F(ServiceWindowsTest, ANewServiceIsSelectedAndSavedOnlyWithTheCloseQuestion) {
    ServicesWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    test::ScriptedPrompter& prompter = desktop.scripted();
    test::answerModals({[](QWidget* modal) {
        ServiceDialogWindow* dialog = serviceDialog(modal);
        EXPECT_EQ(fromQt(dialog->windowTitle()), "Dienstleistung bearbeiten");
        EXPECT_TRUE(dialog->kindButton(0)->isChecked());
        EXPECT_FALSE(dialog->costsField()->isEnabled());
        dialog->nameField()->setText(QStringLiteral("Fensterreinigung"));
        QTest::mouseClick(dialog->kindButton(2), Qt::LeftButton);
        EXPECT_TRUE(dialog->costsField()->isEnabled());
        dialog->costsField()->setText(QStringLiteral("12,5"));
        dialog->accept();
    }});
    QTest::mouseClick(window->newButton(), Qt::LeftButton);
    EXPECT_EQ(current(window->list()), "Fensterreinigung");
    EXPECT_EQ(fromQt(window->list()->currentItem()->text(2)), "12,50");
    EXPECT_EQ(onDisk().find("Fensterreinigung"), nullptr) << "creating does not save";

    const std::string question = "Es wurden Dienstleistungen geändert.\nSollen die Änderungen gespeichert werden?";
    prompter.answerCancel();
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    prompter.answerYes();
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    ASSERT_NE(onDisk().find("Fensterreinigung"), nullptr);
    EXPECT_EQ(onDisk().find("Fensterreinigung")->costKind, 2);
    EXPECT_DOUBLE_EQ(onDisk().find("Fensterreinigung")->costs, 12.5);
    EXPECT_EQ(desktop.app().services().names().size(), 6u);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{question, question}));
}

TEST_F(ServiceWindowsTest, ARenameAsksATakenNameReopensAndTheEditIsSavedAtOnce) {
    ServicesWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    test::ScriptedPrompter& prompter = desktop.scripted();
    QTreeWidget* list = window->list();
    list->setCurrentItem(list->topLevelItem(1)); // Beratung

    // A name of another service: the message, the dialog again; then a free name, answered No.
    test::answerModals({
        [](QWidget* modal) {
            ServiceDialogWindow* dialog = serviceDialog(modal);
            EXPECT_EQ(dialog->costsField()->text(), QStringLiteral("65"));
            dialog->nameField()->setText(QStringLiteral("Montage"));
            dialog->accept();
        },
        [](QWidget* modal) {
            ServiceDialogWindow* dialog = serviceDialog(modal);
            dialog->nameField()->setText(QStringLiteral("Beratung vor Ort"));
            dialog->costsField()->setText(QStringLiteral("70"));
            dialog->accept();
        },
    });
    prompter.answerNo();
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_NE(onDisk().find("Beratung"), nullptr);
    EXPECT_DOUBLE_EQ(onDisk().find("Beratung")->costs, 70.0) << "saved at once, under the old name";
    EXPECT_EQ(onDisk().find("Beratung vor Ort"), nullptr);
    EXPECT_EQ(current(list), "Beratung");
    EXPECT_FALSE(window->logic().changed());

    // Yes files it under the new name.
    test::answerModals({[](QWidget* modal) {
        serviceDialog(modal)->nameField()->setText(QStringLiteral("Beratung vor Ort"));
        serviceDialog(modal)->accept();
    }});
    prompter.answerYes();
    emit list->itemDoubleClicked(list->currentItem(), 0);
    EXPECT_EQ(onDisk().find("Beratung"), nullptr);
    EXPECT_NE(onDisk().find("Beratung vor Ort"), nullptr);
    EXPECT_EQ(current(list), "Beratung vor Ort");

    const std::string renameQuestion =
        "Bei Änderung der Bezeichnung werden die erfassten Daten NICHT angepasst.\nBeachten Sie bitte, dass "
        "eine nachträgliche Zuordnung der Daten durch das Programm dann NICHT mehr möglich ist.\n\nMöchten "
        "Sie die Bezeichnung wirklich ändern?";
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Es existiert schon eine Dienstleistung mit der Bezeichnung 'Montage'.",
                                        renameQuestion, renameQuestion}));
}

TEST_F(ServiceWindowsTest, DeletingAsksWithTheName) {
    ServicesWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    window->list()->setCurrentItem(window->list()->topLevelItem(4));
    desktop.scripted().answerYes();
    QTest::keyClick(window->list(), Qt::Key_Delete);
    EXPECT_EQ(desktop.scripted().texts(), std::vector<std::string>{"Soll 'Wartung' gelöscht werden?"});
    EXPECT_EQ(current(window->list()), "Notdienst");
    EXPECT_TRUE(window->logic().changed());
    // "&Speichern + Schliessen" saves and closes without a question.
    QTest::mouseClick(window->saveAndCloseButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(onDisk().find("Wartung"), nullptr);
    EXPECT_EQ(desktop.scripted().texts().size(), 1u);
}

// "Dienstleistung bearbeiten" on its own.
class ServiceDialogWindowTest : public ::testing::Test {
  protected:
    test::ScriptedPrompter prompter;
};

TEST_F(ServiceDialogWindowTest, TheAmountFollowsTheKindAndOkFocusesTheFailedField) {
    CDienstlDoc record;
    record.name = "Beratung";
    record.costKind = 1;
    record.costs = 65.0;
    ServiceDialog model(record);
    ServiceDialogWindow dialog(model, prompter);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(dialog.kindButton(1)->isChecked());
    EXPECT_TRUE(dialog.costsField()->isEnabled());
    EXPECT_EQ(dialog.costsField()->text(), QStringLiteral("65"));
    std::vector<std::string> texts;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        texts.push_back(fromQt(label->text()));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Kosten in EUR:"), texts.end());
    EXPECT_EQ(fromQt(dialog.findChild<QGroupBox*>()->title()),
              "Vorbesetzung der Kosten (Diese sind bei der Erfassung änderbar.)");
    EXPECT_EQ(fromQt(dialog.kindButton(2)->text()), "Feste Kosten (diese sind nicht zeitabhängig)");
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/masterdata_service_dialog.png")));

    // An amount with a point is no number: the message, the focus on the amount.
    dialog.costsField()->setText(QStringLiteral("12.50"));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.costsField());

    // The hourly wage empties and locks the amount.
    QTest::mouseClick(dialog.kindButton(0), Qt::LeftButton);
    EXPECT_EQ(dialog.costsField()->text(), QString());
    EXPECT_FALSE(dialog.costsField()->isEnabled());

    dialog.nameField()->setText(QStringLiteral("  "));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.nameField());

    dialog.nameField()->setText(QStringLiteral("Beratung"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.record().costKind, 0);
    EXPECT_DOUBLE_EQ(model.record().costs, 0.0);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Geben Sie eine Zahl ein.", "Geben Sie eine Bezeichnung ein."}));
}

} // namespace
} // namespace lorvan
