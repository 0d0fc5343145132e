#include "import/time_import_form.h"

#include "import/import_fixture.h"
#include "platform/user_store.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

class TimeImportFormTest : public test::ImportTest {
  protected:
    IniUserStore store{dir.file("config/Lorvan.conf")};
};

TEST_F(TimeImportFormTest, EachKindOfFileKeepsItsOwnChoices) {
    // Fresh: a time file in the company layout, nothing ticked.
    TimeImportForm form(store, true);
    EXPECT_FALSE(form.absences());
    EXPECT_TRUE(form.companyLayout());
    EXPECT_EQ(form.section(), "ImportSettingsZzSp");
    EXPECT_EQ(form.mode(), ImportMode::CompanyTimes);
    EXPECT_FALSE(form.skipFirstLineEnabled());

    form.importFile = "/tmp/uhr.txt";
    form.keepExisting = true;
    form.setAbsences(true);
    EXPECT_EQ(form.section(), "ImportSettingsFzSp");
    EXPECT_EQ(form.mode(), ImportMode::CompanyAbsences);
    EXPECT_EQ(form.importFile, "");
    EXPECT_FALSE(form.keepExisting);
    form.importFile = "/tmp/plan.csv";
    form.setCompanyLayout(false);
    EXPECT_EQ(form.section(), "ImportSettingsFzSt");
    EXPECT_EQ(form.mode(), ImportMode::StandardAbsences);
    EXPECT_TRUE(form.skipFirstLineEnabled());
    form.skipFirstLine = true;
    form.protocolFile = "/tmp/fz.log";
    form.setAbsences(false);
    EXPECT_EQ(form.mode(), ImportMode::StandardTimes);
    form.setCompanyLayout(true);
    EXPECT_EQ(form.importFile, "/tmp/uhr.txt");
    EXPECT_TRUE(form.keepExisting);

    // Every switch stored the kind it left: a new dialog finds them all.
    EXPECT_EQ(store.readString("ImportSettingsFzSp", kStoreImportFile, ""), "/tmp/plan.csv");
    const auto standardAbsences = store.readSection("ImportSettingsFzSt");
    EXPECT_EQ(standardAbsences.at(kStoreImportSkipFirstLine), "1");
    EXPECT_EQ(standardAbsences.at(kStoreImportProtocol), "/tmp/fz.log");
    store.writeStrings(kStoreImportSection, {{kStoreImportAbsences, "1"}, {kStoreImportCompanyLayout, "0"}});
    const TimeImportForm again(store, true);
    EXPECT_EQ(again.mode(), ImportMode::StandardAbsences);
    EXPECT_TRUE(again.skipFirstLine);
    EXPECT_EQ(again.protocolFile, "/tmp/fz.log");
}

TEST_F(TimeImportFormTest, WithoutTheBuildSwitchOnlyTheStandardLayouts) {
    store.writeStrings(kStoreImportSection, {{kStoreImportCompanyLayout, "1"}});
    store.writeStrings("ImportSettingsZzSt",
                       {{kStoreImportFile, "/tmp/zeiten.csv"}, {kStoreImportSkipFirstLine, "1"}});
    TimeImportForm form(store, false);
    EXPECT_FALSE(form.companyLayoutOffered());
    EXPECT_FALSE(form.companyLayout());
    EXPECT_EQ(form.mode(), ImportMode::StandardTimes);
    EXPECT_EQ(form.importFile, "/tmp/zeiten.csv");
    EXPECT_TRUE(form.skipFirstLine && form.skipFirstLineEnabled());
    form.setCompanyLayout(true);
    EXPECT_EQ(form.mode(), ImportMode::StandardTimes);
    form.setAbsences(true);
    EXPECT_EQ(form.mode(), ImportMode::StandardAbsences);
    // The stored company box stays for the company's build.
    EXPECT_EQ(store.readString(kStoreImportSection, kStoreImportCompanyLayout, ""), "1");
}

TEST_F(TimeImportFormTest, CompanyLayoutNeverSkipsTheFirstLine) {
    store.writeStrings("ImportSettingsZzSp", {{kStoreImportSkipFirstLine, "1"}});
    TimeImportForm form(store, true);
    EXPECT_FALSE(form.skipFirstLine);
    form.skipFirstLine = true; // a stale tick of the disabled box
    EXPECT_FALSE(form.options().skipFirstLine);
}

TEST_F(TimeImportFormTest, StartChecksKeepTheDialogAndStoreNothing) {
    struct Case {
        bool fileExists;
        std::string protocol;
        std::optional<TimeImportField> focus;
        std::string message;
    };
    const Case cases[] = {
        {false, "", TimeImportField::File, "Die angegebene Datei existiert nicht."},
        {true, dir.file("fehlt/p.txt"), TimeImportField::Protocol,
         "Das Verzeichnis für das Protokoll existiert nicht."},
        {true, dir.file("Daten.mar"), TimeImportField::Protocol,
         "Die Datei '" + dir.file("Daten.mar") +
             "' gehört zu den Daten der Anwendung und kann nicht als Protokolldatei verwendet werden."},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(options.importFile);
        if (c.fileExists) test::writeBytes(options.importFile, "4711;02.03.2026;08:00;12:00\r\n");
        TimeImportForm form(store, false);
        form.importFile = options.importFile;
        form.protocolFile = c.protocol;
        test::ScriptedPrompter messages;
        environment.prompter = &messages;
        const TimeImportForm::Outcome outcome = form.import(environment);
        EXPECT_EQ(outcome.focus, c.focus) << c.message;
        EXPECT_FALSE(outcome.ran);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
        EXPECT_TRUE(store.readSection("ImportSettingsZzSt").empty());
    }
}

TEST_F(TimeImportFormTest, ARunStoresTheChoicesAndWritesTheDays) {
    test::writeBytes(options.importFile, "Name;Datum;von;bis\r\n4711;02.03.2026;08:00;12:00\r\n");
    TimeImportForm form(store, false);
    form.importFile = options.importFile;
    form.skipFirstLine = true;
    form.logAll = true;
    const TimeImportForm::Outcome outcome = form.import(environment);
    ASSERT_TRUE(outcome.closes()) << outcome.result.protocol;
    EXPECT_NE(dayOf(load("Anna Berg"), 3, 2), nullptr);
    const auto section = store.readSection("ImportSettingsZzSt");
    EXPECT_EQ(section.at(kStoreImportFile), options.importFile);
    EXPECT_EQ(section.at(kStoreImportSkipFirstLine), "1");
    EXPECT_EQ(section.at(kStoreImportLogAll), "1");
    EXPECT_EQ(section.at(kStoreImportKeepExisting), "0");
    EXPECT_EQ(store.readString(kStoreImportSection, kStoreImportAbsences, ""), "0");
}

} // namespace
} // namespace lorvan
