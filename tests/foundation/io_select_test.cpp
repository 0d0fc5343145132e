#include "foundation/io_select.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using Mode = IoSelectMode;

TEST(IoSelect, TitleButtonAndBehaviourFollowTheMode) {
    struct Case {
        Mode mode;
        const char* title;
        const char* button;
        bool onlyExisting;
        bool asksBeforeOverwriting;
        bool saveDialog;
        bool listsFiles;
    };
    const Case cases[] = {
        {Mode::SelectFile, "Datenverzeichnis auswählen", "&Auswählen", true, false, false, true},
        {Mode::DefineFile, "Datenverzeichnis festlegen", "&Festlegen", false, true, false, true},
        {Mode::OpenFile, "Datenverzeichnis öffnen", "&Öffnen", true, false, false, true},
        {Mode::SaveFile, "Datenverzeichnis speichern", "&Speichern", false, true, true, true},
        {Mode::SelectDirectory, "Datenverzeichnis festlegen", "&Festlegen", false, true, false, false},
    };
    for (const Case& c : cases) {
        const IoSelect select(c.mode, "", "Datenverzeichnis", "");
        SCOPED_TRACE(static_cast<int>(c.mode));
        EXPECT_EQ(select.title(), c.title);
        EXPECT_EQ(select.confirmButtonText(), c.button);
        EXPECT_EQ(select.acceptsOnlyExistingFiles(), c.onlyExisting);
        EXPECT_EQ(select.asksBeforeOverwriting(), c.asksBeforeOverwriting);
        EXPECT_EQ(select.isSaveDialog(), c.saveDialog);
        EXPECT_EQ(select.listsFiles(), c.listsFiles);
    }
}

TEST(IoSelect, FilterEntries) {
    IoSelect select(Mode::OpenFile, "", "Datei mit Logo", "");
    EXPECT_EQ(select.filters(), (std::vector<FileTypeFilter>{{"Alle Dateien (*.*)", "*.*"}}));

    select.addFilter("Bitmap", "*.bmp");
    select.addFilter("Arbeitszeitdatei", "azr");
    select.addFilter("Texte", " txt ; csv");
    select.addFilter("Sicherung", "Name?.bak");
    const std::vector<FileTypeFilter> own = {
        {"Bitmap (*.bmp)", "*.bmp"},
        {"Arbeitszeitdatei (*.azr)", "*.azr"},
        {"Texte (*.txt;*.csv)", "*.txt;*.csv"},
        {"Sicherung (Name?.bak)", "Name?.bak"},
    };
    std::vector<FileTypeFilter> withAll = own;
    withAll.push_back({"Alle Dateien (*.*)", "*.*"});
    EXPECT_EQ(select.filters(), withAll);
    select.setAllFilesEntry(false);
    EXPECT_EQ(select.filters(), own);

    IoSelect noOwn(Mode::OpenFile, "", "Datei", "");
    noOwn.setAllFilesEntry(false);
    EXPECT_EQ(noOwn.filters(), (std::vector<FileTypeFilter>{{"Alle Dateien (*.*)", "*.*"}}));

    IoSelect directory(Mode::SelectDirectory, "", "Datenverzeichnis", "");
    directory.addFilter("Bitmap", "*.bmp");
    ASSERT_EQ(directory.filters().size(), 1u);
    EXPECT_EQ(directory.filters()[0].label, "Keine Dateien");
}

TEST(IoSelect, DefaultExtensionCompletesNamesWithoutExtension) {
    struct Case {
        Mode mode;
        const char* typed;
        const char* expected;
    };
    const Case cases[] = {
        {Mode::SaveFile, "Max2024", "Max2024.azr"},
        {Mode::SaveFile, "Max2024.azr", "Max2024.azr"},
        {Mode::SaveFile, "Max.txt", "Max.txt"},
        {Mode::SaveFile, "alt.d/Max", "alt.d/Max.azr"},
        {Mode::SaveFile, "", ""},
        {Mode::SelectDirectory, "Daten", "Daten"},
    };
    for (const Case& c : cases) {
        IoSelect select(c.mode, "", "Datei", "");
        select.setDefaultExtension("*.azr");
        EXPECT_EQ(select.defaultExtension(), "azr");
        EXPECT_EQ(select.withDefaultExtension(c.typed), c.expected) << c.typed;
    }
}

TEST(IoSelect, StartPlaceIsTheNearestExistingDirectory) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "Daten");
    const std::string root = dir.path().string() + "/";
    struct Case {
        Mode mode;
        std::string proposal;
        std::string initial;
        std::string directory;
        std::string fileName;
    };
    const Case cases[] = {
        {Mode::OpenFile, "Daten/Max2024.azr", root, root + "Daten/", "Max2024.azr"},
        {Mode::OpenFile, root + "Daten/fehlt/Max2024.azr", "", root + "Daten/", "Max2024.azr"},
        {Mode::SaveFile, "Max2024.azr", root + "Daten", root + "Daten/", "Max2024.azr"},
        {Mode::SelectDirectory, "Daten", root, root + "Daten/", ""},
        {Mode::SelectDirectory, "", root + "Daten/", root + "Daten/", ""},
        {Mode::SelectDirectory, "", "", root, ""},
        // Nothing of the proposal exists on a relative path without initial directory.
        {Mode::OpenFile, "gibt/es/nicht.azr", "", root, "nicht.azr"},
    };
    for (const Case& c : cases) {
        const IoSelect select(c.mode, c.proposal, "Datei", c.initial);
        const IoSelect::StartPlace place = select.startPlace(root);
        EXPECT_EQ(place.directory, c.directory) << c.proposal;
        EXPECT_EQ(place.fileName, c.fileName) << c.proposal;
    }
}

TEST(IoSelect, ResultAndMessages) {
    EXPECT_EQ(IoSelect(Mode::SelectDirectory, "", "Datenverzeichnis", "").result("/srv/Daten"),
              "/srv/Daten/");
    EXPECT_EQ(IoSelect(Mode::OpenFile, "", "Datei", "").result("/srv/Daten/Max2024.azr"),
              "/srv/Daten/Max2024.azr");
    EXPECT_STREQ(IoSelect::kErrorTitle, "Dateiauswahl");
    EXPECT_EQ(IoSelect::invalidFileNameMessage("a|b.azr"), "Der Dateiname a|b.azr ist ungültig.");
    EXPECT_EQ(IoSelect::dialogErrorMessage(12290u), "Fehler beim Öffnen des Dialoges: 12290.");
}

} // namespace
} // namespace lorvan
