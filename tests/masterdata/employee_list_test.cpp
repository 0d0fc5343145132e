#include "employee_fixture.h"

#include "masterdata/employee_list.h"
#include "support/error_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::EmployeeFixture;
using test::employeeRecord;

std::vector<std::string> names(const EmployeeList& list) {
    std::vector<std::string> result;
    for (const auto& [number, employee] : list.all())
        result.push_back(employee.name);
    return result;
}

TEST(EmployeeList, MissingFileGivesAnEmptyList) {
    EmployeeFixture f;
    EmployeeList list(f.dir());
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.findByName("Anna", true), "");
}

TEST(EmployeeList, EveryUseReadsTheFileAgainUnlessTheListIsHeld) {
    EmployeeFixture f;
    f.employees({employeeRecord(2, "Bert"), employeeRecord(1, "Anna")});
    EmployeeList list(f.dir());
    EXPECT_EQ(names(list), (std::vector<std::string>{"Anna", "Bert"}));

    f.employees({employeeRecord(1, "Anna"), employeeRecord(3, "Carla")});
    EXPECT_EQ(names(list), (std::vector<std::string>{"Anna", "Carla"}));
    {
        EmployeeListHold hold(list);
        EXPECT_EQ(list.count(), 2u); // filled while held: used as it is from now on
        f.employees({employeeRecord(4, "Dora")});
        EXPECT_EQ(names(list), (std::vector<std::string>{"Anna", "Carla"}));
        EXPECT_TRUE(list.findByNumber(3).has_value());
    }
    EXPECT_EQ(names(list), (std::vector<std::string>{"Dora"}));
}

TEST(EmployeeList, FillingAFilledListOutsideAHoldIsAnInternalError) {
    EmployeeFixture f;
    f.employees({employeeRecord(1, "Anna")});
    EmployeeList list(f.dir());
    list.fill();
    EXPECT_THROW_MSG(list.fill(), "Interner Fehler: Fehlerhafter Aufruf des Füllens der Mitarbeiterliste");
    list.hold();
    list.fill(); // held: used as it is
    list.release();
    list.discard();
    list.fill();
    EXPECT_EQ(list.count(), 1u);
}

TEST(EmployeeList, UnreadableFileFailsWithTheLoadMessageAndLeavesTheListEmpty) {
    EmployeeFixture f;
    f.employees({employeeRecord(1, "Anna")});
    EmployeeList list(f.dir());
    list.hold();
    list.ensureLoaded();
    list.release();
    test::writeBytes(CTwMaDoc::pathIn(f.dir()), std::string("\x0E\0\0\0\x05\0\0\0", 8));
    const std::string path = CTwMaDoc::pathIn(f.dir());
    EXPECT_THROW_MSG(
        list.ensureLoaded(),
        "Fehler beim Laden der Mitarbeiter: Die Datei " + path +
            " lässt sich leider nicht einlesen. :-(\n\nBitte löschen Sie die Datei und legen Sie sie "
            "erneut an.\nFalls die Datei viele Daten enthält, senden Sie mir diese mit einer E-Mail, "
            "dann werde ich versuchen sie wiederzubeleben.\n\nUrsache: Es wurde versucht, auf eine "
            "Stelle hinter dem Ende von " +
            path + " zuzugreifen.");
    list.hold();
    EXPECT_THROW(list.ensureLoaded(), LorvanError); // nothing half-read was kept to be used
}

TEST(EmployeeList, FindsByNumberNameFormAndDisplayText) {
    EmployeeFixture f;
    f.employees({employeeRecord(12, "Joerg_Schaefer"), employeeRecord(5, "Jörg Schäfer"),
                 employeeRecord(8, "Anna Beispiel")});
    EmployeeList list(f.dir());
    EXPECT_EQ(list.findByNumber(8)->name, "Anna Beispiel");
    EXPECT_FALSE(list.findByNumber(9).has_value());
    EXPECT_TRUE(list.nameExists("Anna Beispiel"));
    EXPECT_FALSE(list.nameExists("Anna_Beispiel"));
    EXPECT_EQ(list.findByName("Anna_Beispiel", false), "");
    EXPECT_EQ(list.findByName("Anna_Beispiel", true), "Anna Beispiel");
    EXPECT_EQ(list.findByName("Joerg_Schaefer", true), "Jörg Schäfer"); // number 5 comes first
    EXPECT_EQ(list.findByDisplayText("12 - Joerg_Schaefer")->number, 12);
    EXPECT_FALSE(list.findByDisplayText("12 - Jörg Schäfer").has_value());

    // The year file names find their owner through the list.
    EXPECT_EQ(yearFileOwnerOf(f.path("Anna_Beispiel2026.azr"), &list),
              (YearFileOwner{"Anna Beispiel", 2026}));
}

TEST(EmployeeList, IgnoreListAddsOnceAndSavesAtOnce) {
    EmployeeFixture f;
    CTwMaDoc file;
    file.put(employeeRecord(1, "Anna"));
    file.ignoreList = "'Anna''Bert'";
    file.save(CTwMaDoc::pathIn(f.dir()));
    EmployeeList list(f.dir());
    EXPECT_TRUE(list.isIgnored("Anna"));
    EXPECT_TRUE(list.isIgnored("Bert"));
    EXPECT_FALSE(list.isIgnored("Ann"));
    EXPECT_FALSE(list.isIgnored(""));

    StorageContext storage;
    storage.prompter = &f.prompter;
    storage.dataDirectory = f.dir();
    EXPECT_TRUE(list.addIgnored("4711", storage));
    EXPECT_TRUE(list.addIgnored("Bert", storage));
    EXPECT_EQ(f.employeeFile().ignoreList, "'Anna''Bert''4711'");
    EXPECT_TRUE(list.isIgnored("4711"));
    EXPECT_EQ(f.employeeFile().employees.size(), 1u);
}

} // namespace
} // namespace lorvan
