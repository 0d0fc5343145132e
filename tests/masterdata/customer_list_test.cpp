#include "foundation/file_io.h"
#include "masterdata/customer_list.h"
#include "masterdata/customer_window.h"
#include "scripted_dialogs.h"
#include "support/error_text.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ScriptedCustomerDialogs;
using test::ScriptedPrompter;

CKundeDoc customer(int32_t number, const std::string& name, const std::string& street = "",
                   const std::string& zipCity = "") {
    CKundeDoc c;
    c.number = number;
    c.name = name;
    c.street = street;
    c.zipCity = zipCity;
    return c;
}

void saveCustomers(const std::string& path, std::initializer_list<CKundeDoc> customers, int32_t flags = 0) {
    CTwKundenDoc file;
    file.printAddressOnDaySheet = flags;
    file.checkCustomerExistsOnEntry = flags;
    for (const CKundeDoc& c : customers)
        file.put(c);
    file.save(path);
}

TEST(CustomerList, WithoutAFileTheListIsEmpty) {
    test::TempDir dir;
    for (const std::string& directory : {dir.path().string(), std::string()}) {
        CustomerList list(directory);
        EXPECT_FALSE(list.hasCustomers());
        EXPECT_TRUE(list.displayTexts().empty());
        EXPECT_FALSE(list.addressOnDaySheet());
        EXPECT_FALSE(list.checkOnEntry());
        std::string protocol;
        EXPECT_EQ(list.search("Beispiel", protocol), std::nullopt);
        EXPECT_EQ(protocol, "Suche Kunde: Beispiel\nFEHLER: Es wurde kein passender Kunde gefunden.\n");
    }
    EXPECT_EQ(CustomerList(dir.path().string()).filePath(), dir.file("Daten.kd"));
}

TEST(CustomerList, ServicesOfTheList) {
    test::TempDir dir;
    saveCustomers(dir.file("Daten.kd"),
                  {customer(7, "Beispiel GmbH", "Hauptstr. 1", "12345 Musterstadt"),
                   customer(3, "Anna Schmidt"), customer(9, "Anna Schmidt", "Zweitwohnsitz")},
                  1);
    CustomerList list(dir.path().string());
    EXPECT_TRUE(list.hasCustomers());
    EXPECT_TRUE(list.addressOnDaySheet());
    EXPECT_TRUE(list.checkOnEntry());
    EXPECT_EQ(list.displayTexts(), (std::vector<std::string>{"3 - Anna Schmidt",
                                                             "7 - Beispiel GmbH, Hauptstr. 1, "
                                                             "12345 Musterstadt",
                                                             "9 - Anna Schmidt, Zweitwohnsitz"}));
    EXPECT_EQ(list.findByNumber(9)->street, "Zweitwohnsitz");
    EXPECT_EQ(list.findByNumber(4), std::nullopt);
    EXPECT_EQ(list.findByName("Anna Schmidt")->number, 3); // the first in number order
    EXPECT_EQ(list.findByName("anna schmidt"), std::nullopt);
    EXPECT_EQ(list.fromDisplayText("7 - Beispiel GmbH, Hauptstr. 1")->number, 7);
    std::string protocol;
    EXPECT_EQ(list.search("Hauptstr", protocol)->number, 7);
    EXPECT_EQ(protocol, "");
}

TEST(CustomerList, SearchListsTheMatchesOfTheFirstPassWithSeveral) {
    test::TempDir dir;
    saveCustomers(dir.file("Daten.kd"),
                  {customer(4, "Müller GmbH", "Am Markt 2"), customer(9, "Bäckerei Müller", "Am Markt 3"),
                   customer(11, "Anna Schmidt"), customer(12, "Bernd Schmidt", "Kirchweg 1")});
    CustomerList list(dir.path().string());
    const std::string none = "FEHLER: Es wurde kein passender Kunde gefunden.\n";
    const std::string several = "Es gibt mehrere Kunden mit einer passenden Bezeichnung:\n";
    const std::pair<const char*, std::string> cases[] = {
        // pass 1, the name
        {"Müller", "Suche Kunde: Müller\n" + several +
                       "4 - Müller GmbH - Am Markt 2\n9 - Bäckerei Müller - Am Markt 3\n" + none},
        // pass 2, the street
        {"Am Markt", "Suche Kunde: Am Markt\n" + several +
                         "4 - Müller GmbH - Am Markt 2\n9 - Bäckerei Müller - Am Markt 3\n" + none},
        // pass 3, the file-name form of the name
        {"mueller", "Suche Kunde: mueller\n" + several +
                        "4 - Müller GmbH - Am Markt 2\n9 - Bäckerei Müller - Am Markt 3\n" + none},
        // pass 4, the file-name form of the street
        {"markt", "Suche Kunde: markt\n" + several +
                      "4 - Müller GmbH - Am Markt 2\n9 - Bäckerei Müller - Am Markt 3\n" + none},
        // pass 1 again: a customer without a street is listed without it
        {"Schmidt",
         "Suche Kunde: Schmidt\n" + several + "11 - Anna Schmidt\n12 - Bernd Schmidt - Kirchweg 1\n" + none},
        // pass 5 finds both Schmidts, and no first name narrows them: no listing
        {"Carla Schmidt", "Suche Kunde: Carla Schmidt\n" + none},
    };
    for (const auto& [text, protocol] : cases) {
        std::string written;
        EXPECT_EQ(list.search(text, written), std::nullopt) << text;
        EXPECT_EQ(written, protocol) << text;
    }
    std::string written;
    EXPECT_EQ(list.search("Schmidt, Bernd", written)->number, 12);
    EXPECT_EQ(list.search("Anna  Schmidt", written)->number, 11);
    EXPECT_EQ(written, "");
}

TEST(CustomerList, RefreshesFromTheFileUnlessHeld) {
    test::TempDir dir;
    const std::string path = dir.file("Daten.kd");
    CustomerList list(dir.path().string());
    EXPECT_FALSE(list.hasCustomers()); // read at the first use: no file yet

    saveCustomers(path, {customer(1, "Erster")}); // another program creates the file
    EXPECT_EQ(list.displayTexts(), std::vector<std::string>{"1 - Erster"});

    {
        const auto hold = list.hold();
        EXPECT_TRUE(list.held());
        saveCustomers(path, {customer(1, "Erster"), customer(2, "Zweiter")});
        EXPECT_EQ(list.displayTexts().size(), 1u) << "a held list is used as it is";

        // A window's save hands its file over, held or not.
        CTwKundenDoc window;
        window.open(path);
        window.put(customer(3, "Dritter"));
        window.save(path);
        list.takeFrom(window);
        EXPECT_EQ(list.displayTexts().size(), 3u);
        std::filesystem::remove(path);
        EXPECT_EQ(list.displayTexts().size(), 3u);
    }
    EXPECT_FALSE(list.held());
    EXPECT_FALSE(list.hasCustomers()) << "the file vanished while the list was held";
}

TEST(CustomerList, AnUnreadableFileRaisesItsMessageAtEveryUseUntilItIsMended) {
    test::TempDir dir;
    const std::string path = dir.file("Daten.kd");
    saveCustomers(path, {customer(1, "Erster")});
    CustomerList list(dir.path().string());
    EXPECT_TRUE(list.hasCustomers());
    test::writeBytes(path, std::string("\x03\0\0\0", 4));
    const std::string message =
        "Die Datei " + path +
        " lässt sich leider nicht einlesen. :-(\n\nBitte löschen Sie die Datei und legen "
        "Sie sie erneut an.\nFalls die Datei viele Daten enthält, senden Sie mir diese mit "
        "einer E-Mail, dann werde ich versuchen sie wiederzubeleben.\n\nUrsache: Diese "
        "Datei wurde mit einer neueren Version der Anwendung gespeichert und kann deshalb "
        "mit dieser Version nicht mehr geladen werden.";
    EXPECT_THROW_MSG(list.hasCustomers(), message);
    EXPECT_THROW_MSG(list.displayTexts(), message);
    saveCustomers(path, {customer(2, "Zweiter")});
    EXPECT_EQ(list.displayTexts(), std::vector<std::string>{"2 - Zweiter"});
}

// "Kunden verwalten" on a data directory.
class CustomerWindowTest : public ::testing::Test {
  protected:
    CustomerWindowTest() : list(dir.path().string()), dialogs(prompter) {
        storage.prompter = &prompter;
        storage.dataDirectory = dir.path().string();
        saveCustomers(path(), {customer(3, "Beispiel GmbH", "Hauptstr. 1", "12345 Musterstadt"),
                               customer(7, "Bäckerei Müller"), customer(12, "Zimmerei Holz", "Waldweg 3")});
    }
    std::string path() const { return dir.file("Daten.kd"); }
    CTwKundenDoc onDisk() const {
        CTwKundenDoc file;
        file.open(path());
        return file;
    }
    std::vector<int32_t> rowNumbers(const CustomerWindow& window) const {
        std::vector<int32_t> numbers;
        for (const auto& row : window.rows())
            numbers.push_back(row.number);
        return numbers;
    }

    test::TempDir dir;
    CustomerList list;
    ScriptedPrompter prompter;
    ScriptedCustomerDialogs dialogs;
    StorageContext storage;
};

TEST_F(CustomerWindowTest, RowsShowNumberNameStreetAndPlaceInNumberOrder) {
    CustomerWindow window(path(), storage, dialogs, &list);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(rowNumbers(window), (std::vector<int32_t>{3, 7, 12}));
    EXPECT_EQ(window.rows()[0].cells,
              (std::array<std::string, 4>{"3", "Beispiel GmbH", "Hauptstr. 1", "12345 Musterstadt"}));
    EXPECT_EQ(window.selection(), std::nullopt);
    std::vector<std::string> titles;
    for (const auto& column : CustomerWindow::kColumns)
        titles.push_back(column.title + std::string(":") + std::to_string(column.width));
    EXPECT_EQ(titles, (std::vector<std::string>{"Kundennummer:100", "Name:150", "Straße:150", "Ort:150"}));
}

TEST_F(CustomerWindowTest, NothingSelectedDoesNothing) {
    CustomerWindow window(path(), storage, dialogs, &list);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.editSelected(), MasterListCommand::NothingSelected);
    EXPECT_EQ(window.deleteSelected(), MasterListCommand::NothingSelected);
    window.select(3); // past the end
    EXPECT_EQ(window.selection(), std::nullopt);
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(CustomerWindowTest, CreatingSelectsTheNewCustomerAndWaitsForTheSave) {
    CustomerWindow window(path(), storage, dialogs, &list);
    ASSERT_TRUE(window.open());
    dialogs.ok([](CustomerDialog& d) {
        d.setNumber(5);
        d.setText(CustomerField::Name, "Neu");
    });
    EXPECT_EQ(window.newCustomer(), MasterListCommand::Done);
    EXPECT_EQ(dialogs.opened[0].record().number, 13);
    EXPECT_EQ(dialogs.opened[0].record().name, "");
    EXPECT_EQ(rowNumbers(window), (std::vector<int32_t>{3, 5, 7, 12}));
    EXPECT_EQ(window.selection(), 1u);
    EXPECT_TRUE(window.changed());
    EXPECT_EQ(onDisk().customers.size(), 3u);
    EXPECT_EQ(list.displayTexts().size(), 3u);

    dialogs.cancel();
    EXPECT_EQ(window.newCustomer(), MasterListCommand::Cancelled);
    EXPECT_EQ(rowNumbers(window).size(), 4u);
}

TEST_F(CustomerWindowTest, EditingSavesAtOnceAndSelectsTheCustomerUnderItsNewNumber) {
    CustomerWindow window(path(), storage, dialogs, &list);
    ASSERT_TRUE(window.open());
    window.select(0);
    prompter.answerYes();
    dialogs.ok([](CustomerDialog& d) { d.setNumber(20); });
    EXPECT_EQ(window.editSelected(), MasterListCommand::Done);
    EXPECT_EQ(rowNumbers(window), (std::vector<int32_t>{7, 12, 20}));
    EXPECT_EQ(window.selection(), 2u);
    EXPECT_FALSE(window.changed());
    EXPECT_EQ(onDisk().findByNumber(20)->name, "Beispiel GmbH");
    EXPECT_EQ(list.findByNumber(20)->name, "Beispiel GmbH");
    EXPECT_EQ(list.findByNumber(3), std::nullopt);
}

TEST_F(CustomerWindowTest, DeletingKeepsTheRowPositionOrTakesTheLastRow) {
    CustomerWindow window(path(), storage, dialogs, &list);
    ASSERT_TRUE(window.open());
    window.select(1);
    prompter.answerNo();
    EXPECT_EQ(window.deleteSelected(), MasterListCommand::Cancelled);
    EXPECT_FALSE(window.changed());
    prompter.answerYes();
    EXPECT_EQ(window.deleteSelected(), MasterListCommand::Done);
    EXPECT_EQ(rowNumbers(window), (std::vector<int32_t>{3, 12}));
    EXPECT_EQ(window.selection(), 1u);
    prompter.answerYes();
    EXPECT_EQ(window.deleteSelected(), MasterListCommand::Done);
    EXPECT_EQ(window.selection(), 0u);
    prompter.answerYes();
    EXPECT_EQ(window.deleteSelected(), MasterListCommand::Done);
    EXPECT_EQ(window.selection(), std::nullopt);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Soll 7 - Bäckerei Müller gelöscht werden?",
                                                          "Soll 7 - Bäckerei Müller gelöscht werden?",
                                                          "Soll 12 - Zimmerei Holz gelöscht werden?",
                                                          "Soll 3 - Beispiel GmbH gelöscht werden?"}));
    EXPECT_TRUE(window.changed());
    EXPECT_EQ(onDisk().customers.size(), 3u) << "deleting waits for the save";
}

TEST_F(CustomerWindowTest, TheCheckBoxesReachTheFileOnlyThroughSaveAndClose) {
    {
        CustomerWindow window(path(), storage, dialogs, &list);
        ASSERT_TRUE(window.open());
        EXPECT_FALSE(window.printAddressOnDaySheet());
        window.setPrintAddressOnDaySheet(true);
        window.setCheckOnEntry(true);
        EXPECT_TRUE(window.mayClose()); // nothing else changed: no question
        EXPECT_EQ(onDisk().printAddressOnDaySheet, 0);

        // An edit saves the file with the flags it had.
        window.select(0);
        dialogs.ok([](CustomerDialog& d) { d.setText(CustomerField::Phone, "0211 1"); });
        EXPECT_EQ(window.editSelected(), MasterListCommand::Done);
        EXPECT_EQ(onDisk().printAddressOnDaySheet, 0);
        EXPECT_EQ(onDisk().checkCustomerExistsOnEntry, 0);

        EXPECT_TRUE(window.saveAndClose());
    }
    EXPECT_EQ(onDisk().printAddressOnDaySheet, 1);
    EXPECT_EQ(onDisk().checkCustomerExistsOnEntry, 1);
    EXPECT_TRUE(list.addressOnDaySheet());
    CustomerWindow reopened(path(), storage, dialogs, &list);
    ASSERT_TRUE(reopened.open());
    EXPECT_TRUE(reopened.printAddressOnDaySheet());
    EXPECT_TRUE(reopened.checkOnEntry());
}

TEST_F(CustomerWindowTest, ClosingWithChangesAsks) {
    struct Case {
        Answer answer;
        bool closes;
        size_t onDisk;
    };
    const Case cases[] = {{Answer::Yes, true, 2}, {Answer::No, true, 3}, {Answer::Cancel, false, 3}};
    for (const auto& c : cases) {
        saveCustomers(path(), {customer(3, "A"), customer(7, "B"), customer(12, "C")});
        CustomerWindow window(path(), storage, dialogs, &list);
        ASSERT_TRUE(window.open());
        window.select(0);
        prompter.answerYes();
        ASSERT_EQ(window.deleteSelected(), MasterListCommand::Done);
        prompter.answer(c.answer);
        EXPECT_EQ(window.mayClose(), c.closes);
        EXPECT_EQ(prompter.log().back().text,
                  "Es wurden Kunden geändert.\nSollen die Änderungen gespeichert werden?");
        EXPECT_EQ(prompter.log().back().kind, "yesnocancel");
        EXPECT_EQ(onDisk().customers.size(), c.onDisk);
    }
}

TEST_F(CustomerWindowTest, AMissingFileIsCreatedAtTheFirstSaveAnUnreadableOneKeepsTheWindowShut) {
    std::filesystem::remove(path());
    CustomerWindow window(path(), storage, dialogs, &list);
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(window.rows().empty());
    EXPECT_FALSE(std::filesystem::exists(path()));
    EXPECT_TRUE(window.saveAndClose());
    EXPECT_TRUE(std::filesystem::exists(path()));

    test::writeBytes(path(), "x");
    CustomerWindow unreadable(path(), storage, dialogs, &list);
    EXPECT_FALSE(unreadable.open());
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(prompter.texts()[0].rfind("Die Datei " + path() + " lässt sich leider nicht einlesen. :-(", 0),
              0u);
}

} // namespace
} // namespace lorvan
