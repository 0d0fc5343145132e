#include "foundation/file_io.h"
#include "masterdata/customer_dialog.h"
#include "masterdata/customer_flows.h"
#include "masterdata/customer_list.h"
#include "scripted_dialogs.h"
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

CKundeDoc customer(int32_t number, const std::string& name, const std::string& street = "") {
    CKundeDoc c;
    c.number = number;
    c.name = name;
    c.street = street;
    return c;
}

CTwKundenDoc fileWith(std::initializer_list<CKundeDoc> customers) {
    CTwKundenDoc file;
    for (const CKundeDoc& c : customers)
        file.put(c);
    return file;
}

std::vector<int32_t> numbersOf(const CTwKundenDoc& file) {
    std::vector<int32_t> numbers;
    for (const auto& [number, c] : file.customers)
        numbers.push_back(number);
    return numbers;
}

TEST(CustomerDialog, OkChecksTheNumberFirstThenTheName) {
    struct Case {
        int32_t number;
        const char* name;
        const char* message; // "" = OK passes
        CustomerField focus;
    };
    const Case cases[] = {
        {5, "Beispiel GmbH", "", CustomerField::None},
        {0, "Beispiel GmbH", "Geben Sie eine Kundennummer ein.", CustomerField::Number},
        // A negative number could never be written before the "-" of a customer text.
        {-3, "Beispiel GmbH", "Geben Sie eine Kundennummer ein.", CustomerField::Number},
        {0, "", "Geben Sie eine Kundennummer ein.", CustomerField::Number},
        {5, "", "Geben Sie einen Namen ein.", CustomerField::Name},
        {5, " \t ", "Geben Sie einen Namen ein.", CustomerField::Name},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompter;
        CustomerDialog dialog(customer(c.number, c.name));
        EXPECT_EQ(dialog.confirm(prompter), c.focus) << c.number << " " << c.name;
        const std::vector<std::string> expected =
            *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{};
        EXPECT_EQ(prompter.texts(), expected) << c.number << " " << c.name;
    }
}

TEST(CustomerDialog, TextsAreLimitedWhileTypedButNeverCutWhenLoaded) {
    struct Case {
        CustomerField field;
        size_t limit;
    };
    const Case cases[] = {
        {CustomerField::Name, 100}, {CustomerField::Street, 100}, {CustomerField::ZipCity, 100},
        {CustomerField::Phone, 50}, {CustomerField::Notes, 1000},
    };
    for (const auto& c : cases) {
        CustomerDialog dialog(customer(1, "A"));
        EXPECT_EQ(dialog.maxLength(c.field), c.limit);
        // Characters count, not bytes: "ä" is two bytes in memory.
        std::string full;
        for (size_t i = 0; i < c.limit; ++i)
            full += "ä";
        EXPECT_TRUE(dialog.setText(c.field, full));
        EXPECT_EQ(dialog.text(c.field), full);
        EXPECT_FALSE(dialog.setText(c.field, full + "x"));
        EXPECT_EQ(dialog.text(c.field), full) << "a refused text leaves the field as it was";
    }

    // A longer name from the file opens whole and may be kept (or shortened), not lengthened.
    const std::string longName(130, 'N');
    CustomerDialog loaded(customer(1, longName));
    EXPECT_EQ(loaded.text(CustomerField::Name), longName);
    EXPECT_EQ(loaded.maxLength(CustomerField::Name), 130u);
    EXPECT_TRUE(loaded.setText(CustomerField::Name, longName));
    EXPECT_FALSE(loaded.setText(CustomerField::Name, longName + "N"));
    EXPECT_TRUE(loaded.setText(CustomerField::Name, "Kurz"));
}

TEST(CustomerDialog, NotesKeepTheirLinesSeparatedByCrLf) {
    CustomerDialog dialog(customer(1, "A"));
    ASSERT_TRUE(dialog.setText(CustomerField::Notes, "Hof\nTor 2\r\nKlingel"));
    EXPECT_EQ(dialog.text(CustomerField::Notes), "Hof\r\nTor 2\r\nKlingel");
    // The limit counts the line ends as the file stores them.
    EXPECT_FALSE(dialog.setText(CustomerField::Notes, std::string(999, 'x') + "\n"));
    EXPECT_TRUE(dialog.setText(CustomerField::Notes, std::string(998, 'x') + "\n"));
}

TEST(CreateCustomer, ProposesTheNumberAfterTheHighestAndTakesTheName) {
    struct Case {
        std::vector<int32_t> existing;
        int32_t proposed;
    };
    const Case cases[] = {{{}, 1}, {{3, 7, 12}, 13}, {{3, 7}, 8}};
    for (const auto& c : cases) {
        CTwKundenDoc file;
        for (int32_t n : c.existing)
            file.put(customer(n, "K" + std::to_string(n)));
        ScriptedPrompter prompter;
        ScriptedCustomerDialogs dialogs(prompter);
        dialogs.ok();
        EXPECT_EQ(createCustomer(file, "Neu GmbH", prompter, dialogs), c.proposed);
        ASSERT_EQ(dialogs.opened.size(), 1u);
        EXPECT_EQ(dialogs.opened[0].record().number, c.proposed);
        EXPECT_EQ(dialogs.opened[0].record().name, "Neu GmbH");
        ASSERT_NE(file.findByNumber(c.proposed), nullptr);
        EXPECT_EQ(file.findByNumber(c.proposed)->name, "Neu GmbH");
        EXPECT_TRUE(prompter.texts().empty());
    }
}

TEST(CreateCustomer, ATakenNumberReopensTheDialogWithTheEnteredValues) {
    CTwKundenDoc file = fileWith({customer(7, "Beispiel GmbH")});
    ScriptedPrompter prompter;
    ScriptedCustomerDialogs dialogs(prompter);
    dialogs.ok([](CustomerDialog& d) {
        d.setNumber(7);
        d.setText(CustomerField::Name, "Zweite GmbH");
    });
    dialogs.ok([](CustomerDialog& d) { d.setNumber(9); });
    EXPECT_EQ(createCustomer(file, "", prompter, dialogs), 9);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{
                                    "Es existiert schon ein Kunde (Beispiel GmbH) mit der Kundennummer 7."});
    ASSERT_EQ(dialogs.opened.size(), 2u);
    EXPECT_EQ(dialogs.opened[1].record().number, 7);
    EXPECT_EQ(dialogs.opened[1].record().name, "Zweite GmbH");
    EXPECT_EQ(file.findByNumber(7)->name, "Beispiel GmbH");
    EXPECT_EQ(file.findByNumber(9)->name, "Zweite GmbH");
}

TEST(CreateCustomer, CancelAddsNothing) {
    CTwKundenDoc file = fileWith({customer(7, "Beispiel GmbH")});
    ScriptedPrompter prompter;
    ScriptedCustomerDialogs dialogs(prompter);
    dialogs.ok([](CustomerDialog& d) { d.setText(CustomerField::Name, ""); }); // refused: no name
    dialogs.cancel();
    EXPECT_EQ(createCustomer(file, "x", prompter, dialogs), std::nullopt);
    EXPECT_EQ(numbersOf(file), std::vector<int32_t>{7});
    EXPECT_EQ(dialogs.refusedFocus, std::vector<CustomerField>{CustomerField::Name});
}

TEST(EditCustomer, NumberChangesAndConflicts) {
    struct Case {
        const char* what;
        int32_t newNumber;
        std::vector<Answer> answers;
        bool cancelAfterConflict;
        std::optional<int32_t> result;
        std::vector<int32_t> numbers; // afterwards
        std::vector<std::string> texts;
    };
    const std::string taken = "Es existiert schon ein Kunde (Zweite KG) mit der Kundennummer 9.";
    const Case cases[] = {
        {"unchanged number", 7, {}, false, 7, {7, 9}, {}},
        {"free number, Yes", 8, {Answer::Yes}, false, 8, {8, 9}, {kCustomerNumberChangeQuestion}},
        {"free number, No", 8, {Answer::No}, false, 7, {7, 9}, {kCustomerNumberChangeQuestion}},
        {"taken number, then Cancel", 9, {}, true, std::nullopt, {7, 9}, {taken}},
    };
    for (const auto& c : cases) {
        CTwKundenDoc file = fileWith({customer(7, "Beispiel GmbH", "Alte Str. 1"), customer(9, "Zweite KG")});
        ScriptedPrompter prompter;
        for (Answer a : c.answers)
            prompter.answer(a);
        ScriptedCustomerDialogs dialogs(prompter);
        dialogs.ok([&](CustomerDialog& d) {
            d.setNumber(c.newNumber);
            d.setText(CustomerField::Street, "Neue Str. 2");
        });
        if (c.cancelAfterConflict) dialogs.cancel();
        EXPECT_EQ(editCustomer(file, 7, prompter, dialogs), c.result) << c.what;
        EXPECT_EQ(numbersOf(file), c.numbers) << c.what;
        EXPECT_EQ(prompter.texts(), c.texts) << c.what;
        EXPECT_TRUE(dialogs.allPlayed()) << c.what;
        EXPECT_EQ(file.findByNumber(9)->name, "Zweite KG") << c.what;
        // The other values are taken even when the number change is declined; a cancelled edit
        // leaves the record as it was.
        const CKundeDoc* edited = file.findByNumber(c.result.value_or(7));
        ASSERT_NE(edited, nullptr) << c.what;
        EXPECT_EQ(edited->street, c.result ? "Neue Str. 2" : "Alte Str. 1") << c.what;
    }
}

TEST(EditCustomer, RunsTheChecksOfCreating) {
    CTwKundenDoc file = fileWith({customer(7, "Beispiel GmbH")});
    ScriptedPrompter prompter;
    ScriptedCustomerDialogs dialogs(prompter);
    dialogs.ok([](CustomerDialog& d) { d.setNumber(0); });
    dialogs.ok([](CustomerDialog& d) {
        d.setNumber(7);
        d.setText(CustomerField::Name, "");
    });
    dialogs.cancel();
    EXPECT_EQ(editCustomer(file, 7, prompter, dialogs), std::nullopt);
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"Geben Sie eine Kundennummer ein.", "Geben Sie einen Namen ein."}));
    EXPECT_EQ(dialogs.refusedFocus, (std::vector<CustomerField>{CustomerField::Number, CustomerField::Name}));
    EXPECT_EQ(file.findByNumber(7)->name, "Beispiel GmbH");
}

TEST(DeleteCustomer, AsksWithNumberAndName) {
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        CTwKundenDoc file = fileWith({customer(7, "Beispiel GmbH"), customer(9, "Zweite KG")});
        ScriptedPrompter prompter;
        prompter.answer(answer);
        EXPECT_EQ(deleteCustomer(file, 7, prompter), answer == Answer::Yes);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Soll 7 - Beispiel GmbH gelöscht werden?"});
        EXPECT_EQ(numbersOf(file),
                  (answer == Answer::Yes ? std::vector<int32_t>{9} : std::vector<int32_t>{7, 9}));
    }
    CTwKundenDoc file = fileWith({customer(7, "Beispiel GmbH")});
    ScriptedPrompter prompter;
    EXPECT_FALSE(deleteCustomer(file, 8, prompter)); // no such customer: no question
}

// "Create or edit from a text" on a data directory with a customer file.
class CustomerFromText : public ::testing::Test {
  protected:
    CustomerFromText() : list(dir.path().string()), dialogs(prompter) {
        open.prompter = &prompter;
        CTwKundenDoc file = fileWith({customer(3, "Beispiel GmbH"), customer(7, "Bäckerei Müller")});
        file.save(path());
        storage.prompter = &prompter;
        storage.dataDirectory = dir.path().string();
    }
    std::string path() const { return dir.file("Daten.kd"); }
    CTwKundenDoc onDisk() const {
        CTwKundenDoc file;
        file.open(path());
        return file;
    }

    test::TempDir dir;
    CustomerList list;
    ScriptedPrompter prompter;
    ScriptedCustomerDialogs dialogs;
    test::FakeOpenDocuments open;
    StorageContext storage;
};

TEST_F(CustomerFromText, ANumberTextEditsThatCustomerOtherTextsCreateOne) {
    struct Case {
        const char* text;
        int32_t number;   // shown in the dialog
        const char* name; // shown in the dialog
    };
    const Case cases[] = {
        {"7 - Bäckerei Müller", 7, "Bäckerei Müller"},
        {"3", 3, "Beispiel GmbH"},
        {"Neue Kundin", 8, "Neue Kundin"},
        {"12 - Unbekannt", 8, "12 - Unbekannt"}, // no customer 12: the text is the name
    };
    for (const auto& c : cases) {
        ScriptedCustomerDialogs run(prompter);
        run.ok([](CustomerDialog& d) { d.setText(CustomerField::Phone, "0211 12345"); });
        const auto result = createOrEditCustomerFromText(c.text, list, open, run, storage);
        ASSERT_TRUE(result) << c.text;
        ASSERT_EQ(run.opened.size(), 1u);
        EXPECT_EQ(run.opened[0].record().number, c.number) << c.text;
        EXPECT_EQ(run.opened[0].record().name, c.name) << c.text;
        EXPECT_EQ(result->number, c.number);
        EXPECT_EQ(result->phone, "0211 12345");
        // Saved, and the program's list has it without reading the file again.
        ASSERT_NE(onDisk().findByNumber(c.number), nullptr) << c.text;
        EXPECT_EQ(onDisk().findByNumber(c.number)->phone, "0211 12345");
        EXPECT_EQ(list.findByNumber(c.number)->phone, "0211 12345");
        // Undo a creation so that every case sees the same file.
        CTwKundenDoc file = onDisk();
        if (c.number == 8) file.customers.erase(8);
        file.save(path());
    }
    EXPECT_TRUE(prompter.texts().empty());
}

TEST_F(CustomerFromText, ClosesTheWindowsOfTheFileBeforeReadingIt) {
    // The customer window holds an unsaved new customer 5; asked to close, it asks its question and
    // saves. The flow must build on that state, not overwrite it.
    CTwKundenDoc windowCopy = onDisk();
    windowCopy.put(customer(5, "Aus dem Fenster"));
    open.onClose = [&] {
        EXPECT_TRUE(dialogs.opened.empty()) << "the windows close before the dialog shows";
        windowCopy.save(path());
    };
    dialogs.ok();
    const auto result = createOrEditCustomerFromText("Neu", list, open, dialogs, storage);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->number, 8);
    EXPECT_EQ(open.requests, std::vector<std::string>{path()});
    EXPECT_EQ(numbersOf(onDisk()), (std::vector<int32_t>{3, 5, 7, 8}));
    EXPECT_EQ(list.displayTexts().size(), 4u);
}

TEST_F(CustomerFromText, AWindowThatStaysOpenStopsBeforeAnything) {
    open.closes = false;
    const auto before = readWholeFile(path());
    EXPECT_EQ(createOrEditCustomerFromText("Neu", list, open, dialogs, storage), std::nullopt);
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Es konnten nicht alle Fenster für " + path() +
                                       " geschlossen werden.\nDie Verarbeitung wird abgebrochen."});
    EXPECT_EQ(readWholeFile(path()), before);
}

TEST_F(CustomerFromText, CancelWritesNothingAndAFailedSaveGivesNone) {
    const auto before = readWholeFile(path());
    dialogs.cancel();
    EXPECT_EQ(createOrEditCustomerFromText("Neu", list, open, dialogs, storage), std::nullopt);
    EXPECT_EQ(readWholeFile(path()), before);

    // A file changed behind the flow's back, and the change check answered No.
    open.onClose = [] {};
    ScriptedCustomerDialogs run(prompter);
    run.ok([&](CustomerDialog&) { fileWith({customer(1, "Fremd")}).save(path()); });
    prompter.answerNo();
    EXPECT_EQ(createOrEditCustomerFromText("Neu", list, open, run, storage), std::nullopt);
    EXPECT_EQ(numbersOf(onDisk()), std::vector<int32_t>{1});
}

TEST_F(CustomerFromText, WithoutAFileTheFirstCustomerCreatesIt) {
    std::filesystem::remove(path());
    dialogs.ok();
    const auto result = createOrEditCustomerFromText("Erste Kundin", list, open, dialogs, storage);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->number, 1);
    EXPECT_EQ(numbersOf(onDisk()), std::vector<int32_t>{1});
}

TEST_F(CustomerFromText, AnUnreadableFileIsReportedAndKept) {
    test::writeBytes(path(), std::string("\x02\0\0\0\0\0", 6));
    EXPECT_EQ(createOrEditCustomerFromText("Neu", list, open, dialogs, storage), std::nullopt);
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(prompter.texts()[0].rfind("Die Datei " + path() + " lässt sich leider nicht einlesen. :-(", 0),
              0u);
    EXPECT_EQ(readWholeFile(path()), std::string("\x02\0\0\0\0\0", 6));
}

} // namespace
} // namespace lorvan
