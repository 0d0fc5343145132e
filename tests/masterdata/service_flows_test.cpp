#include "foundation/file_io.h"
#include "masterdata/service_dialog.h"
#include "masterdata/service_flows.h"
#include "masterdata/service_list.h"
#include "masterdata/service_window.h"
#include "scripted_dialogs.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::ScriptedServiceDialogs;

CDienstlDoc service(const std::string& name, int32_t kind = 0, double costs = 0.0) {
    CDienstlDoc s;
    s.name = name;
    s.costKind = kind;
    s.costs = costs;
    return s;
}

CTwDienstlDoc fileWith(std::initializer_list<CDienstlDoc> services) {
    CTwDienstlDoc file;
    for (const CDienstlDoc& s : services)
        file.put(s);
    return file;
}

TEST(ServiceDialog, AmountFieldShowsADecimalCommaAndNothingForZero) {
    const std::pair<double, const char*> shown[] = {
        {0.0, ""}, {12.5, "12,5"}, {12.0, "12"}, {0.1, "0,1"}, {-3.25, "-3,25"}, {1234567.89, "1234567,89"}};
    for (const auto& [amount, text] : shown)
        EXPECT_EQ(amountFieldText(amount), text) << amount;

    const std::pair<const char*, std::optional<double>> typed[] = {
        {"", 0.0},
        {"  ", 0.0},
        {"12,5", 12.5},
        {" 12,50 ", 12.5},
        {"7", 7.0},
        {",5", 0.5},
        {"5,", 5.0},
        {"-2,5", -2.5},
        {"12.5", std::nullopt}, // a German reader's thousands separator, not a decimal point
        {"1.234,50", std::nullopt},
        {"12,5,0", std::nullopt},
        {"abc", std::nullopt},
        {",", std::nullopt},
        {"1e3", std::nullopt},
        {"12 EUR", std::nullopt},
        {"+", std::nullopt},
    };
    for (const auto& [text, value] : typed)
        EXPECT_EQ(parseAmountField(text), value) << text;
}

TEST(ServiceDialog, KindZeroEmptiesTheAmountAndDisablesIt) {
    ServiceDialog dialog(service("Wartung", 1, 45.5));
    EXPECT_EQ(dialog.costsText(), "45,5");
    EXPECT_TRUE(dialog.costsEnabled());
    dialog.setCostKind(2);
    EXPECT_TRUE(dialog.costsEnabled());
    EXPECT_EQ(dialog.costsText(), "45,5");
    dialog.setCostKind(0);
    EXPECT_FALSE(dialog.costsEnabled());
    EXPECT_EQ(dialog.costsText(), "");
    EXPECT_EQ(dialog.record().costs, 0.0);
}

TEST(ServiceDialog, OkChecksTheAmountThenTheName) {
    struct Case {
        const char* name;
        const char* costs;
        const char* message;
        ServiceField focus;
    };
    const Case cases[] = {
        {"Wartung", "12,5", "", ServiceField::None},
        {"", "12,5", "Geben Sie eine Bezeichnung ein.", ServiceField::Name},
        {"   ", "", "Geben Sie eine Bezeichnung ein.", ServiceField::Name},
        {"Wartung", "zwölf", "Geben Sie eine Zahl ein.", ServiceField::Costs},
        {"", "zwölf", "Geben Sie eine Zahl ein.", ServiceField::Costs},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompter;
        ServiceDialog dialog(service(c.name, 1));
        dialog.setCostsText(c.costs);
        EXPECT_EQ(dialog.confirm(prompter), c.focus) << c.name << "|" << c.costs;
        EXPECT_EQ(prompter.texts(),
                  *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

TEST(CreateService, TakesTheProposalAndRefusesATakenName) {
    CTwDienstlDoc file = fileWith({service("Beratung")});
    ScriptedPrompter prompter;
    ScriptedServiceDialogs dialogs(prompter);
    dialogs.ok([](ServiceDialog& d) { d.setName("Beratung"); });
    dialogs.ok([](ServiceDialog& d) { d.setName("Beratung vor Ort"); });
    EXPECT_EQ(createService(file, service("Wartung", 1, 45.0), prompter, dialogs), "Beratung vor Ort");
    EXPECT_EQ(dialogs.opened[0].name(), "Wartung");
    EXPECT_EQ(dialogs.opened[0].costKind(), 1);
    EXPECT_EQ(dialogs.opened[0].costsText(), "45");
    EXPECT_EQ(dialogs.opened[1].name(), "Beratung");
    EXPECT_EQ(
        prompter.texts(),
        std::vector<std::string>{"Es existiert schon eine Dienstleistung mit der Bezeichnung 'Beratung'."});
    EXPECT_EQ(file.names(), (std::vector<std::string>{"Beratung", "Beratung vor Ort"}));
    EXPECT_EQ(file.find("Beratung vor Ort")->costs, 45.0);

    ScriptedServiceDialogs cancelled(prompter);
    cancelled.cancel();
    EXPECT_EQ(createService(file, CDienstlDoc(), prompter, cancelled), std::nullopt);
    EXPECT_EQ(file.services.size(), 2u);
}

TEST(EditService, NameChangesAndConflicts) {
    struct Case {
        const char* what;
        const char* newName;
        std::vector<Answer> answers;
        bool cancelAfterConflict;
        std::optional<std::string> result;
        std::vector<std::string> names;
        std::vector<std::string> texts;
    };
    const std::string taken = "Es existiert schon eine Dienstleistung mit der Bezeichnung 'Fahrt'.";
    const Case cases[] = {
        {"unchanged name", "Wartung", {}, false, "Wartung", {"Fahrt", "Wartung"}, {}},
        {"free name, Yes",
         "Inspektion",
         {Answer::Yes},
         false,
         "Inspektion",
         {"Fahrt", "Inspektion"},
         {kServiceNameChangeQuestion}},
        {"free name, No",
         "Inspektion",
         {Answer::No},
         false,
         "Wartung",
         {"Fahrt", "Wartung"},
         {kServiceNameChangeQuestion}},
        {"taken name, then Cancel", "Fahrt", {}, true, std::nullopt, {"Fahrt", "Wartung"}, {taken}},
        // Byte-wise: another case is another name.
        {"other case, Yes",
         "WARTUNG",
         {Answer::Yes},
         false,
         "WARTUNG",
         {"Fahrt", "WARTUNG"},
         {kServiceNameChangeQuestion}},
    };
    for (const auto& c : cases) {
        CTwDienstlDoc file = fileWith({service("Wartung", 1, 40.0), service("Fahrt", 2, 15.0)});
        ScriptedPrompter prompter;
        for (Answer a : c.answers)
            prompter.answer(a);
        ScriptedServiceDialogs dialogs(prompter);
        dialogs.ok([&](ServiceDialog& d) {
            d.setName(c.newName);
            d.setCostsText("42,5");
        });
        if (c.cancelAfterConflict) dialogs.cancel();
        EXPECT_EQ(editService(file, "Wartung", prompter, dialogs), c.result) << c.what;
        EXPECT_EQ(file.names(), c.names) << c.what;
        EXPECT_EQ(prompter.texts(), c.texts) << c.what;
        EXPECT_EQ(file.find("Fahrt")->costs, 15.0) << c.what;
        EXPECT_EQ(file.find(c.result.value_or("Wartung"))->costs, c.result ? 42.5 : 40.0) << c.what;
    }
}

TEST(DeleteService, AsksWithTheName) {
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        CTwDienstlDoc file = fileWith({service("Wartung"), service("Fahrt")});
        ScriptedPrompter prompter;
        prompter.answer(answer);
        EXPECT_EQ(deleteService(file, "Wartung", prompter), answer == Answer::Yes);
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Soll 'Wartung' gelöscht werden?"});
        EXPECT_EQ(file.services.size(), answer == Answer::Yes ? 1u : 2u);
    }
}

class ServiceFromName : public ::testing::Test {
  protected:
    ServiceFromName() : list(dir.path().string()), dialogs(prompter) {
        open.prompter = &prompter;
        storage.prompter = &prompter;
        storage.dataDirectory = dir.path().string();
        fileWith({service("Beratung", 1, 80.0), service("Fahrt", 2, 15.0)}).save(path());
    }
    std::string path() const { return dir.file("Daten.dl"); }
    CTwDienstlDoc onDisk() const {
        CTwDienstlDoc file;
        file.open(path());
        return file;
    }

    test::TempDir dir;
    ServiceList list;
    ScriptedPrompter prompter;
    ScriptedServiceDialogs dialogs;
    test::FakeOpenDocuments open;
    StorageContext storage;
};

TEST_F(ServiceFromName, WithoutAServiceFileNothingHappens) {
    std::filesystem::remove(path());
    EXPECT_EQ(createOrEditServiceFromName("Wartung", 1, 40.0, list, open, dialogs, storage), std::nullopt);
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Vor der ersten Verwendung müssen Dienstleistungen über "
                                       "'Datei'-'Dienstleistungen verwalten' angelegt werden."});
    EXPECT_TRUE(open.requests.empty());
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_FALSE(std::filesystem::exists(path()));
}

TEST_F(ServiceFromName, AnExactNameIsEditedAnyOtherCreatedWithTheDefaults) {
    struct Case {
        const char* name;
        int32_t shownKind;
        const char* shownCosts;
    };
    const Case cases[] = {
        {"Beratung", 1, "80"},    // exists: its own values
        {"beratung", 2, "12,75"}, // no exact match: a new one with the defaults
    };
    for (const auto& c : cases) {
        ScriptedServiceDialogs run(prompter);
        run.ok();
        const auto result = createOrEditServiceFromName(c.name, 2, 12.75, list, open, run, storage);
        ASSERT_TRUE(result) << c.name;
        EXPECT_EQ(run.opened[0].name(), c.name);
        EXPECT_EQ(run.opened[0].costKind(), c.shownKind);
        EXPECT_EQ(run.opened[0].costsText(), c.shownCosts);
        EXPECT_EQ(result->name, c.name);
        ASSERT_NE(onDisk().find(c.name), nullptr);
        EXPECT_EQ(list.findByName(c.name)->costKind, c.shownKind);
    }
    EXPECT_EQ(onDisk().names(), (std::vector<std::string>{"Beratung", "Fahrt", "beratung"}));
}

TEST_F(ServiceFromName, ClosesTheWindowsOfTheFileBeforeReadingIt) {
    CTwDienstlDoc windowCopy = onDisk();
    windowCopy.put(service("Aus dem Fenster"));
    open.onClose = [&] {
        EXPECT_TRUE(dialogs.opened.empty()) << "the windows close before the dialog shows";
        windowCopy.save(path());
    };
    dialogs.ok();
    ASSERT_TRUE(createOrEditServiceFromName("Wartung", 0, 0.0, list, open, dialogs, storage));
    EXPECT_EQ(open.requests, std::vector<std::string>{path()});
    EXPECT_EQ(onDisk().names(),
              (std::vector<std::string>{"Aus dem Fenster", "Beratung", "Fahrt", "Wartung"}));
    EXPECT_EQ(list.names().size(), 4u);
}

TEST_F(ServiceFromName, AWindowThatStaysOpenOrACancelWritesNothing) {
    const std::string before = readWholeFile(path());
    open.closes = false;
    EXPECT_EQ(createOrEditServiceFromName("Wartung", 0, 0.0, list, open, dialogs, storage), std::nullopt);
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Es konnten nicht alle Fenster für " + path() +
                                       " geschlossen werden.\nDie Verarbeitung wird abgebrochen."});
    open.closes = true;
    dialogs.cancel();
    EXPECT_EQ(createOrEditServiceFromName("Wartung", 0, 0.0, list, open, dialogs, storage), std::nullopt);
    EXPECT_EQ(readWholeFile(path()), before);
}

TEST(ServiceList, ServicesAndRefresh) {
    test::TempDir dir;
    ServiceList list(dir.path().string());
    EXPECT_TRUE(list.names().empty());
    fileWith({service("Beratung vor Ort"), service("Beratung", 1, 80.0)}).save(dir.file("Daten.dl"));
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Beratung", "Beratung vor Ort"}));
    EXPECT_EQ(list.findByName("Beratung")->costs, 80.0);
    EXPECT_EQ(list.findByName("beratung"), std::nullopt);
    std::string protocol;
    EXPECT_EQ(list.search("Beratung", protocol)->name, "Beratung");
    EXPECT_EQ(list.search("Berat", protocol), std::nullopt);
    EXPECT_EQ(protocol, "Suche Dienstleistung: 'Berat'\n"
                        "Es gibt mehrere Dienstleistungen mit einer passenden Bezeichnung:\n"
                        "Beratung\nBeratung vor Ort\n"
                        "FEHLER: Es wurde keine passende Dienstleistung gefunden.\n");
    {
        const auto hold = list.hold();
        fileWith({service("Fahrt")}).save(dir.file("Daten.dl"));
        EXPECT_EQ(list.names().size(), 2u);
    }
    EXPECT_EQ(list.names(), std::vector<std::string>{"Fahrt"});
}

class ServiceWindowTest : public ::testing::Test {
  protected:
    ServiceWindowTest() : list(dir.path().string()), dialogs(prompter) {
        storage.prompter = &prompter;
        storage.dataDirectory = dir.path().string();
        fileWith({service("Wartung", 1, 12.5), service("Beratung", 0, 0.0), service("Fahrt", 2, 15.0),
                  service("Altlast", 7, 3.0)})
            .save(path());
    }
    std::string path() const { return dir.file("Daten.dl"); }
    std::vector<std::string> rowNames(const ServiceWindow& window) const {
        std::vector<std::string> names;
        for (const auto& row : window.rows())
            names.push_back(row.name);
        return names;
    }

    test::TempDir dir;
    ServiceList list;
    ScriptedPrompter prompter;
    ScriptedServiceDialogs dialogs;
    StorageContext storage;
};

TEST_F(ServiceWindowTest, RowsShowNameKindAndAmountInNameOrder) {
    ServiceWindow window(path(), storage, dialogs, &list);
    ASSERT_TRUE(window.open());
    std::vector<std::array<std::string, 3>> cells;
    for (const auto& row : window.rows())
        cells.push_back(row.cells);
    EXPECT_EQ(cells, (std::vector<std::array<std::string, 3>>{{"Altlast", "", "3,00"},
                                                              {"Beratung", "Aus Stundenlohn", ""},
                                                              {"Fahrt", "Fester Betrag", "15,00"},
                                                              {"Wartung", "Fest je Stunde", "12,50"}}));
    std::vector<std::string> titles;
    for (const auto& column : ServiceWindow::kColumns)
        titles.push_back(column.title + std::string(":") + std::to_string(column.width));
    EXPECT_EQ(titles, (std::vector<std::string>{"Bezeichnung:150", "Art der Kosten:150", "Kosten:150"}));
}

TEST_F(ServiceWindowTest, CreateEditDeleteAndClose) {
    ServiceWindow window(path(), storage, dialogs, &list);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.editSelected(), MasterListCommand::NothingSelected);

    dialogs.ok([](ServiceDialog& d) {
        d.setName("Montage");
        d.setCostKind(1);
        d.setCostsText("55");
    });
    EXPECT_EQ(window.newService(), MasterListCommand::Done);
    EXPECT_EQ(dialogs.opened[0].name(), "");
    EXPECT_EQ(dialogs.opened[0].costKind(), 0);
    EXPECT_EQ(window.selection(), 3u);
    EXPECT_TRUE(window.changed());
    EXPECT_EQ(list.names().size(), 4u) << "a new service waits for the save";

    // Renaming saves at once (the new service with it) and selects the service under its new name.
    window.select(0);
    prompter.answerYes();
    dialogs.ok([](ServiceDialog& d) { d.setName("Zuschlag"); });
    EXPECT_EQ(window.editSelected(), MasterListCommand::Done);
    EXPECT_FALSE(window.changed());
    EXPECT_EQ(rowNames(window),
              (std::vector<std::string>{"Beratung", "Fahrt", "Montage", "Wartung", "Zuschlag"}));
    EXPECT_EQ(window.selection(), 4u);
    EXPECT_EQ(list.names(), rowNames(window));

    prompter.answerYes();
    EXPECT_EQ(window.deleteSelected(), MasterListCommand::Done);
    EXPECT_EQ(window.selection(), 3u);
    prompter.answer(Answer::Cancel);
    EXPECT_FALSE(window.mayClose());
    prompter.answerNo();
    EXPECT_TRUE(window.mayClose());
    EXPECT_EQ(prompter.texts().back(),
              "Es wurden Dienstleistungen geändert.\nSollen die Änderungen gespeichert werden?");
    EXPECT_EQ(list.names().size(), 5u);
    EXPECT_TRUE(window.saveAndClose());
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Beratung", "Fahrt", "Montage", "Wartung"}));
}

} // namespace
} // namespace lorvan
