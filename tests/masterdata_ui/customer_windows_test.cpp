#include "masterdata/ui/customer_windows.h"

#include "app/document_kinds.h"
#include "app/help_topics.h"
#include "gui/common/qt_platform.h"
#include "masterdata/customer_file.h"
#include "masterdata/customer_flows.h"
#include "masterdata/ui/customer_dialog_window.h"
#include "masterdata/ui/customer_service_commands.h"
#include "masterdata/ui/service_windows.h"
#include "support/fake_desktop.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace lorvan {
namespace {

class CustomerWindowsTest : public ::testing::Test {
  protected:
    test::FakeDesktop desktop{"Daten.kd", "Daten.dl"};

    CustomersWindow* openWindow() {
        auto* window = qobject_cast<CustomersWindow*>(openCustomersWindow(desktop));
        EXPECT_NE(window, nullptr);
        return window;
    }
    std::string filePath() const { return desktop.dataDirectory() + "Daten.kd"; }
    // The customers as they stand in the file on disk.
    CTwKundenDoc onDisk() const {
        CTwKundenDoc file;
        file.open(filePath());
        return file;
    }
    static std::vector<std::string> column(const QTreeWidget* list, int index) {
        std::vector<std::string> texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.push_back(fromQt(list->topLevelItem(i)->text(index)));
        return texts;
    }
    static std::string current(const QTreeWidget* list, int index = 0) {
        return list->currentItem() != nullptr ? fromQt(list->currentItem()->text(index)) : std::string();
    }
    static void selectRow(QTreeWidget* list, int row) { list->setCurrentItem(list->topLevelItem(row)); }
    static void setField(QWidget* dialog, const char* name, const QString& text) {
        auto* field = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
        ASSERT_NE(field, nullptr) << name;
        field->setText(text);
    }
    static void pressOk(QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); }
};

TEST_F(CustomerWindowsTest, ShowsTheCustomersByNumberWithTheirColumnsAndTheFileFlags) {
    CTwKundenDoc file = onDisk();
    file.printAddressOnDaySheet = 1;
    file.checkCustomerExistsOnEntry = 0;
    file.save(filePath(), true, StorageContext{&desktop.prompter(), desktop.dataDirectory(), nullptr, nullptr});

    CustomersWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(fromQt(window->windowTitle()), "Kunden verwalten");
    EXPECT_EQ(window->file(), nullptr);
    EXPECT_EQ(window->viewKind(), ActiveView::Other);
    EXPECT_EQ(window->menuBarKind(), MenuBarKind::NoDocument);
    EXPECT_EQ(window->helpTopic(), kHelpCustomers);
    EXPECT_EQ(desktop.viewNumbers(), std::vector<int32_t>{kViewCustomers});

    const QTreeWidget* list = window->list();
    const std::vector<std::pair<std::string, int>> columns{
        {"Kundennummer", 100}, {"Name", 150}, {"Straße", 150}, {"Ort", 150}};
    ASSERT_EQ(list->columnCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(fromQt(list->headerItem()->text(i)), columns[static_cast<size_t>(i)].first);
        EXPECT_GE(list->columnWidth(i), columns[static_cast<size_t>(i)].second);
    }
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(column(list, 1).at(5), "Schreinerei Vogel & Söhne");
    EXPECT_EQ(column(list, 2).at(0), "Marktplatz 3");
    EXPECT_EQ(column(list, 3).at(3), "50126 Bergheim");
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(window->printAddressBox()->isChecked());
    EXPECT_FALSE(window->checkOnEntryBox()->isChecked());
    EXPECT_EQ(fromQt(window->newButton()->text()), "&Neuer Kunde...");
    EXPECT_EQ(fromQt(window->saveAndCloseButton()->text()), "&Speichern + Schliessen");
    EXPECT_EQ(fromQt(window->cancelButton()->text()), "Abbrechen");

    // Every header and every text of the demo is whole at the designed size: a column grows beyond
    // its width when its texts need it, and the window with it.
    int columnsWidth = 0;
    for (int i = 0; i < 4; ++i) {
        const QFontMetrics metrics = list->header()->fontMetrics();
        EXPECT_LE(metrics.horizontalAdvance(list->headerItem()->text(i)) + 12, list->columnWidth(i));
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            EXPECT_LE(list->fontMetrics().horizontalAdvance(list->topLevelItem(row)->text(i)) + 8,
                      list->columnWidth(i))
                << fromQt(list->topLevelItem(row)->text(i));
        columnsWidth += list->columnWidth(i);
    }
    EXPECT_LE(columnsWidth, list->viewport()->width());
    QApplication::processEvents();
    EXPECT_TRUE(window->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/masterdata_customers.png")));
    EXPECT_TRUE(desktop.scripted().log().empty());
}

TEST_F(CustomerWindowsTest, TheMenuCommandOpensTheWindowOnceAndCreatesAMissingFile) {
    std::filesystem::remove(filePath());
    registerCustomerServiceCommands(desktop);
    ASSERT_TRUE(desktop.commands().isEnabled(MenuCommand::Customers));
    ASSERT_TRUE(desktop.commands().run(MenuCommand::Customers));
    ASSERT_EQ(desktop.documents().size(), 1u);
    auto* window = qobject_cast<CustomersWindow*>(desktop.documents().front());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->list()->topLevelItemCount(), 0);

    // A second time the open window is activated.
    ASSERT_TRUE(desktop.commands().run(MenuCommand::Customers));
    EXPECT_EQ(desktop.documents().size(), 1u);
    EXPECT_EQ(desktop.activations(), 1);
    // The services have their own window.
    ASSERT_TRUE(desktop.commands().run(MenuCommand::Services));
    ASSERT_EQ(desktop.documents().size(), 2u);
    EXPECT_NE(qobject_cast<ServicesWindow*>(desktop.documents().back()), nullptr);

    // The missing file is written at the first save.
    EXPECT_FALSE(std::filesystem::exists(filePath()));
    QTest::mouseClick(window->saveAndCloseButton(), Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(filePath()));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(desktop.scripted().log().empty());
}

TEST_F(CustomerWindowsTest, ANewCustomerGetsTheNextNumberIsSelectedAndWaitsForTheSave) {
    CustomersWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    std::string proposed;
    test::answerModals({[&](QWidget* dialog) {
        EXPECT_EQ(fromQt(dialog->windowTitle()), "Kunde bearbeiten");
        proposed = fromQt(dialog->findChild<QLineEdit*>(QStringLiteral("number"))->text());
        setField(dialog, "name", QStringLiteral("Gärtnerei Lindner"));
        setField(dialog, "street", QStringLiteral("Feldweg 2"));
        setField(dialog, "zipCity", QStringLiteral("50259 Pulheim"));
        pressOk(dialog);
    }});
    QTest::mouseClick(window->newButton(), Qt::LeftButton);
    EXPECT_EQ(proposed, "7");
    EXPECT_EQ(current(window->list(), 0), "7");
    EXPECT_EQ(current(window->list(), 1), "Gärtnerei Lindner");
    EXPECT_EQ(current(window->list(), 3), "50259 Pulheim");
    EXPECT_TRUE(window->logic().changed());
    EXPECT_EQ(onDisk().findByNumber(7), nullptr) << "creating does not save";

    // Cancelled: no customer, nothing changes.
    test::answerModals({[](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); }});
    QTest::mouseClick(window->newButton(), Qt::LeftButton);
    EXPECT_EQ(window->list()->topLevelItemCount(), 7);
}

TEST_F(CustomerWindowsTest, TheCloseQuestionSavesDropsOrKeepsTheWindow) {
    const auto createOne = [this](CustomersWindow* window, const QString& name) {
        test::answerModals({[name](QWidget* dialog) {
            setField(dialog, "name", name);
            pressOk(dialog);
        }});
        QTest::mouseClick(window->newButton(), Qt::LeftButton);
    };
    const std::string question = "Es wurden Kunden geändert.\nSollen die Änderungen gespeichert werden?";
    test::ScriptedPrompter& prompter = desktop.scripted();

    // Cancel keeps the window with its changes; No closes without saving.
    CustomersWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    createOne(window, QStringLiteral("Neu Eins"));
    prompter.answerCancel();
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->logic().changed());
    prompter.answerCancel();
    EXPECT_FALSE(window->close()) << "closing the window asks as well";
    EXPECT_TRUE(window->isVisible());
    prompter.answerNo();
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(onDisk().customers.size(), 6u);

    // Yes saves, and the program's customer list has the new state.
    window = openWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->list()->topLevelItemCount(), 6);
    createOne(window, QStringLiteral("Neu Zwei"));
    prompter.answerYes();
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    ASSERT_NE(onDisk().findByNumber(7), nullptr);
    EXPECT_EQ(onDisk().findByNumber(7)->name, "Neu Zwei");
    ASSERT_TRUE(desktop.app().customers().findByNumber(7).has_value());

    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{question, question, question, question}));
    EXPECT_TRUE(prompter.allAnswered());

    // Without changes it closes without a question.
    window = openWindow();
    ASSERT_NE(window, nullptr);
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompter.texts().size(), 4u);
}

TEST_F(CustomerWindowsTest, AnEditIsSavedAtOnceAndANewNumberOnlyAfterTheQuestion) {
    CustomersWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    test::ScriptedPrompter& prompter = desktop.scripted();
    QTreeWidget* list = window->list();

    // Enter edits the selected row; No keeps the number, the other values stay.
    selectRow(list, 2);
    test::answerModals({[](QWidget* dialog) {
        EXPECT_EQ(fromQt(dialog->findChild<QLineEdit*>(QStringLiteral("name"))->text()), "Praxis Dr. Schulz");
        setField(dialog, "number", QStringLiteral("30"));
        setField(dialog, "phone", QStringLiteral("0221 12345"));
        pressOk(dialog);
    }});
    prompter.answerNo();
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_NE(onDisk().findByNumber(3), nullptr);
    EXPECT_EQ(onDisk().findByNumber(3)->phone, "0221 12345") << "saved at once";
    EXPECT_EQ(onDisk().findByNumber(30), nullptr);
    EXPECT_FALSE(window->logic().changed());
    EXPECT_EQ(current(list), "3");

    // Yes files the customer under the new number, which is selected.
    test::answerModals({[](QWidget* dialog) {
        setField(dialog, "number", QStringLiteral("30"));
        pressOk(dialog);
    }});
    prompter.answerYes();
    emit list->itemDoubleClicked(list->currentItem(), 1);
    EXPECT_EQ(onDisk().findByNumber(3), nullptr);
    ASSERT_NE(onDisk().findByNumber(30), nullptr);
    EXPECT_EQ(current(list), "30");
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"1", "2", "4", "5", "6", "30"}));
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{kCustomerNumberChangeQuestion, kCustomerNumberChangeQuestion}));
}

TEST_F(CustomerWindowsTest, ATakenNumberOpensTheDialogAgainAndCancelKeepsTheCustomer) {
    CustomersWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    selectRow(window->list(), 0);
    int shown = 0;
    test::answerModals({
        [&](QWidget* dialog) {
            ++shown;
            setField(dialog, "number", QStringLiteral("2"));
            setField(dialog, "name", QStringLiteral("Bäckerei Hoffmann & Co."));
            pressOk(dialog);
        },
        [&](QWidget* dialog) {
            ++shown;
            static_cast<QDialog*>(dialog)->reject();
        },
    });
    QTest::keyClick(window->list(), Qt::Key_Return);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(desktop.scripted().texts(),
              std::vector<std::string>{"Es existiert schon ein Kunde (Autohaus Wagner GmbH) mit der Kundennummer 2."});
    EXPECT_EQ(onDisk().findByNumber(1)->name, "Bäckerei Hoffmann");
    EXPECT_EQ(column(window->list(), 1).at(0), "Bäckerei Hoffmann");
    EXPECT_FALSE(window->logic().changed());
}

TEST_F(CustomerWindowsTest, TheDeleteKeyAsksAndTheSelectionStaysAtItsPlace) {
    CustomersWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    test::ScriptedPrompter& prompter = desktop.scripted();
    QTreeWidget* list = window->list();
    selectRow(list, 1);
    prompter.answerNo();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->topLevelItemCount(), 6);
    EXPECT_FALSE(window->logic().changed());

    prompter.answerYes();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"1", "3", "4", "5", "6"}));
    EXPECT_EQ(current(list), "3");
    EXPECT_TRUE(window->logic().changed());
    EXPECT_NE(onDisk().findByNumber(2), nullptr) << "deleting does not save";
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Soll 2 - Autohaus Wagner GmbH gelöscht werden?",
                                                          "Soll 2 - Autohaus Wagner GmbH gelöscht werden?"}));

    // Without a selection the keys ask nothing and the dialog does not open.
    list->setCurrentItem(nullptr);
    QTest::keyClick(list, Qt::Key_Delete);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(prompter.texts().size(), 2u);
    EXPECT_EQ(list->topLevelItemCount(), 5);
}

TEST_F(CustomerWindowsTest, TheListMenuOffersItsCommandsOnlyWithASelection) {
    CustomersWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    window->list()->setCurrentItem(nullptr);
    std::unique_ptr<QMenu> menu(window->createListMenu());
    EXPECT_EQ(fromQt(menu->title()), "Liste");
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(fromQt(menu->actions()[0]->text()), "Aktuell ausgewählten &Eintrag öffnen...");
    EXPECT_EQ(fromQt(menu->actions()[1]->text()), "Aktuell ausgewählten Eintrag &löschen");
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    EXPECT_FALSE(menu->actions()[1]->isEnabled());

    selectRow(window->list(), 5);
    menu.reset(window->createListMenu());
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    desktop.scripted().answerYes();
    menu->actions()[1]->trigger();
    EXPECT_EQ(desktop.scripted().texts(),
              std::vector<std::string>{"Soll 6 - Schreinerei Vogel & Söhne gelöscht werden?"});
    EXPECT_EQ(window->list()->topLevelItemCount(), 5);
    EXPECT_EQ(current(window->list()), "5") << "the last row was deleted: the new last one is selected";
}

TEST_F(CustomerWindowsTest, TheFileFlagsReachTheFileOnlyThroughSaveAndClose) {
    CTwKundenDoc file = onDisk();
    file.printAddressOnDaySheet = 0;
    file.checkCustomerExistsOnEntry = 0;
    file.save(filePath(), true, StorageContext{&desktop.prompter(), desktop.dataDirectory(), nullptr, nullptr});
    CustomersWindow* window = openWindow();
    ASSERT_NE(window, nullptr);
    window->printAddressBox()->setChecked(true);
    window->checkOnEntryBox()->setChecked(true);
    QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(onDisk().printAddressOnDaySheet, 0);
    EXPECT_EQ(onDisk().checkCustomerExistsOnEntry, 0);

    window = openWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->printAddressBox()->isChecked());
    window->checkOnEntryBox()->setChecked(true);
    QTest::mouseClick(window->saveAndCloseButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(onDisk().printAddressOnDaySheet, 0);
    EXPECT_EQ(onDisk().checkCustomerExistsOnEntry, 1);
    EXPECT_TRUE(desktop.app().customers().checkOnEntry());
    EXPECT_TRUE(desktop.scripted().log().empty());
}

// "Kunde bearbeiten" on its own: the checks of OK with their messages and focus, the limits at input.
class CustomerDialogWindowTest : public ::testing::Test {
  protected:
    test::ScriptedPrompter prompter;
};

TEST_F(CustomerDialogWindowTest, OkNamesTheFirstFailedCheckAndFocusesItsField) {
    CKundeDoc record;
    record.number = 0;
    CustomerDialog model(record);
    CustomerDialogWindow dialog(model, prompter);
    dialog.show();
    QApplication::setActiveWindow(&dialog);

    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.fieldWidget(CustomerField::Number));

    auto* number = qobject_cast<QLineEdit*>(dialog.fieldWidget(CustomerField::Number));
    number->selectAll();
    QTest::keyClicks(number, QStringLiteral("12"));
    auto* name = qobject_cast<QLineEdit*>(dialog.fieldWidget(CustomerField::Name));
    QTest::keyClicks(name, QStringLiteral("   "));
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), name);

    name->clear();
    QTest::keyClicks(name, QStringLiteral("Beispiel GmbH"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.record().number, 12);
    EXPECT_EQ(model.record().name, "Beispiel GmbH");
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Geben Sie eine Kundennummer ein.",
                                                          "Geben Sie einen Namen ein."}));
}

TEST_F(CustomerDialogWindowTest, TextsStopAtTheirLimitsWhileTypedButLoadedTextsStayWhole) {
    CKundeDoc record;
    record.number = 4;
    record.name = "Beispiel GmbH";
    record.phone = std::string(60, '1'); // longer than a phone number may be typed
    record.notes = "Erste Zeile\r\nZweite Zeile";
    CustomerDialog model(record);
    CustomerDialogWindow dialog(model, prompter);
    dialog.show();

    auto* street = qobject_cast<QLineEdit*>(dialog.fieldWidget(CustomerField::Street));
    QTest::keyClicks(street, QString(105, QLatin1Char('s')));
    EXPECT_EQ(street->text().size(), 100);
    EXPECT_EQ(model.record().street, std::string(100, 's'));

    auto* phone = qobject_cast<QLineEdit*>(dialog.fieldWidget(CustomerField::Phone));
    EXPECT_EQ(phone->text().size(), 60);
    QTest::keyClicks(phone, QStringLiteral("2"));
    EXPECT_EQ(model.record().phone, std::string(60, '1'));

    auto* notes = qobject_cast<QPlainTextEdit*>(dialog.fieldWidget(CustomerField::Notes));
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("Erste Zeile\nZweite Zeile"));
    notes->moveCursor(QTextCursor::End);
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, QStringLiteral("Dritte"));
    EXPECT_EQ(model.record().notes, "Erste Zeile\r\nZweite Zeile\r\nDritte");
    notes->insertPlainText(QString(1000, QLatin1Char('x')));
    EXPECT_EQ(model.record().notes, "Erste Zeile\r\nZweite Zeile\r\nDritte") << "too long: refused";
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("Erste Zeile\nZweite Zeile\nDritte"));

    auto* printNotes = qobject_cast<QCheckBox*>(dialog.fieldWidget(CustomerField::PrintNotes));
    EXPECT_EQ(fromQt(printNotes->text()), "Notizen auf Tageszettel drucken");
    printNotes->setChecked(true);
    EXPECT_EQ(model.record().printNotes, 1);

    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/masterdata_customer_dialog.png")));
}

TEST_F(CustomerDialogWindowTest, ANumberTooLargeForTheFileCannotBeTyped) {
    CKundeDoc record;
    record.number = 7;
    CustomerDialog model(record);
    CustomerDialogWindow dialog(model, prompter);
    auto* number = qobject_cast<QLineEdit*>(dialog.fieldWidget(CustomerField::Number));
    number->selectAll();
    QTest::keyClicks(number, QStringLiteral("99999999999"));
    EXPECT_EQ(number->text(), QStringLiteral("999999999"));
    EXPECT_EQ(model.record().number, 999999999);
    number->clear();
    QTest::keyClicks(number, QStringLiteral("12a"));
    EXPECT_EQ(number->text(), QStringLiteral("12"));
    EXPECT_EQ(model.record().number, 12);
}

} // namespace
} // namespace lorvan

namespace lorvan {
namespace {

TEST(CustomerWindowsOpen, AFileOfANewerVersionIsRefusedAndNoWindowOpens) {
    test::FakeDesktop desktop{"Daten.kd", "Daten.dl"};
    {
        std::ofstream out(desktop.dataDirectory() + "Daten.kd", std::ios::binary | std::ios::trunc);
        const char version[4] = {99, 0, 0, 0};
        out.write(version, 4);
    }
    EXPECT_EQ(openCustomersWindow(desktop), nullptr);
    EXPECT_TRUE(desktop.documents().empty());
    ASSERT_EQ(desktop.scripted().texts().size(), 1u);
    EXPECT_NE(desktop.scripted().texts().front().find(
                  "Diese Datei wurde mit einer neueren Version der Anwendung gespeichert"),
              std::string::npos)
        << desktop.scripted().texts().front();
}

} // namespace
} // namespace lorvan
