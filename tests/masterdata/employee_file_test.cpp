#include "foundation/error.h"
#include "masterdata/employee_file.h"
#include "support/archive_bytes.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ArchiveBytes;

const std::string kEndOfFile =
    "Es wurde versucht, auf eine Stelle hinter dem Ende von Daten.mar zuzugreifen.";

CMitarbeiterDoc employee(int32_t number, const std::string& name) {
    CMitarbeiterDoc e;
    e.number = number;
    e.name = name;
    return e;
}

std::string loadError(const std::string& bytes) {
    CTwMaDoc doc;
    try {
        doc.fromBytes(bytes, "Daten.mar");
    } catch (const LorvanError& e) {
        EXPECT_TRUE(doc.employees.empty());
        return e.what();
    }
    return "";
}

// Two records and the trailing fields of an employee file as a file of the given version lays them
// out: record 7 with probation and exit, record 3 without either, then the customer query with the
// yes/no values 2 (which read as "no") and the ignore list.
std::string employeeFileOfVersion(int32_t v) {
    ArchiveBytes b;
    b.int32(v).int32(2);
    b.int32(7).string("J\xF6rg");
    if (v >= 6) b.string("Teilzeit");
    if (v >= 7) b.string("Lager");
    if (v >= 12) b.int32(1).int32(4).int32(2023).int32(1).int32(30).int32(9).int32(2023);
    if (v >= 13) b.int32(1).int32(31).int32(12).int32(2025);
    if (v >= 14) b.int32(0);
    b.int32(3).string("Anna");
    if (v >= 6) b.string("");
    if (v >= 7) b.string("");
    if (v >= 12) b.int32(1).int32(1).int32(1).int32(0);
    if (v >= 13) b.int32(0);
    if (v >= 14) b.int32(1);
    if (v >= 2) {
        b.int32(5).string("01.02.2024").string("29.02.2024").int32(2).int32(2);
        b.string("Mitarbeiter").int32(0).string("Kunde").int32(1).string("Tag").int32(0);
        b.string("Keine weitere Ebene").int32(1);
    }
    if (v >= 3) b.int32(2);
    if (v >= 4) b.int32(1);
    if (v >= 5) b.int32(2).int32(0);
    if (v >= 11) b.string("'Bert'");
    return b.bytes();
}

TEST(EmployeeFile, ReadsEveryVersionWithTheFieldsItHolds) {
    for (int32_t v = 1; v <= 14; ++v) {
        SCOPED_TRACE("version " + std::to_string(v));
        CTwMaDoc doc;
        doc.fromBytes(employeeFileOfVersion(v), "Daten.mar");
        EXPECT_EQ(doc.loadedVersion(), v);
        ASSERT_EQ(doc.employees.size(), 2u);
        const CMitarbeiterDoc& a = doc.employees.at(3);
        const CMitarbeiterDoc& j = doc.employees.at(7);
        EXPECT_EQ(a.name, "Anna");
        EXPECT_EQ(j.name, "Jörg");
        EXPECT_EQ(j.extraInfo, v >= 6 ? "Teilzeit" : "");
        EXPECT_EQ(j.department, v >= 7 ? "Lager" : "");
        EXPECT_EQ(j.entryDate, (v >= 12 ? Datum{1, 4, 2023} : Datum{}));
        EXPECT_EQ(j.inProbation, v >= 12 ? 1 : 0);
        EXPECT_EQ(j.probationEnd, (v >= 12 ? Datum{30, 9, 2023} : Datum{}));
        EXPECT_EQ(j.hasExit, v >= 13 ? 1 : 0);
        EXPECT_EQ(j.exitDate, (v >= 13 ? Datum{31, 12, 2025} : Datum{}));
        EXPECT_EQ(j.active, v >= 14 ? 0 : 1);
        EXPECT_EQ(a.active, 1);

        const CustomerQuerySettings& q = doc.customerQuery;
        EXPECT_EQ(q.periodChoice, v >= 2 ? 5 : 0);
        EXPECT_EQ(q.periodStart, v >= 2 ? "01.02.2024" : "");
        EXPECT_EQ(q.periodEnd, v >= 2 ? "29.02.2024" : "");
        EXPECT_EQ(q.allEmployees, v >= 2 ? 0 : 1);
        EXPECT_EQ(q.allCustomers, v >= 2 ? 0 : 1);
        EXPECT_EQ(q.levels[0].name, v >= 2 ? "Mitarbeiter" : "Kunde");
        EXPECT_EQ(q.levels[1].showSum, 1);
        EXPECT_EQ(q.levels[2].showSum, v >= 2 ? 0 : 1);
        EXPECT_EQ(q.levels[3].name, "Keine weitere Ebene");
        EXPECT_EQ(q.levels[3].showSum, v >= 2 ? 1 : 0);
        EXPECT_EQ(q.pageBreak, v >= 3 ? 2 : 0);
        EXPECT_EQ(q.showCosts, v >= 4 ? 1 : 0);
        EXPECT_EQ(q.allServices, v >= 5 ? 0 : 1);
        EXPECT_EQ(q.onlyServicesWithCustomer, v >= 5 ? 0 : 1);
        EXPECT_EQ(doc.ignoreList, v >= 11 ? "'Bert'" : "");

        // Every file is written back in version 14 and reads back the same.
        CTwMaDoc again;
        again.fromBytes(doc.toBytes(), "Daten.mar");
        EXPECT_EQ(again.loadedVersion(), 14);
        EXPECT_EQ(again.toBytes(), doc.toBytes());
    }
}

TEST(EmployeeFile, WritesVersion14WithDatesOnlyWhereTheirFlagIsSet) {
    CTwMaDoc doc;
    CMitarbeiterDoc e = employee(9, "Müller");
    e.extraInfo = "x";
    e.department = "Büro";
    e.entryDate = {2, 1, 2024};
    e.probationEnd = {5, 5, 2024}; // not written: not in probation
    e.hasExit = 1;
    e.exitDate = {31, 3, 2024};
    e.active = 1;
    doc.put(e);
    doc.put(employee(2, "Bert"));
    doc.customerQuery.allEmployees = 5; // written as 0
    doc.ignoreList = "'X'";

    ArchiveBytes expected;
    expected.int32(14).int32(2);
    expected.int32(2).string("Bert").string("").string("").int32(1).int32(1).int32(1).int32(0).int32(0).int32(
        1);
    expected.int32(9)
        .string("M\xFCller")
        .string("x")
        .string("B\xFCro")
        .int32(2)
        .int32(1)
        .int32(2024)
        .int32(0);
    expected.int32(1).int32(31).int32(3).int32(2024).int32(1);
    expected.int32(0).string("").string("").int32(0).int32(1);
    expected.string("Kunde").int32(1).string("Tag").int32(1).string("Mitarbeiter").int32(1);
    expected.string("Keine weitere Ebene").int32(0);
    expected.int32(0).int32(0).int32(1).int32(1);
    expected.string("'X'");
    EXPECT_EQ(doc.toBytes(), expected.bytes());
}

TEST(EmployeeFile, LaterRecordWithTheSameNumberReplacesTheEarlier) {
    ArchiveBytes b;
    b.int32(1).int32(3).int32(4).string("Alt").int32(2).string("Zwei").int32(4).string("Neu");
    CTwMaDoc doc;
    doc.fromBytes(b.bytes(), "Daten.mar");
    ASSERT_EQ(doc.employees.size(), 2u);
    EXPECT_EQ(doc.employees.at(4).name, "Neu");
    EXPECT_EQ(doc.employees.begin()->first, 2);
}

TEST(EmployeeFile, DamagedFilesGiveTheirMessage) {
    EXPECT_EQ(loadError(ArchiveBytes().int32(15).bytes()), kNewerVersionMessage);
    // A count far beyond the file's size fails before anything is allocated.
    EXPECT_EQ(loadError(ArchiveBytes().int32(14).int32(std::numeric_limits<int32_t>::max()).bytes()),
              kEndOfFile);
    // A string length beyond the end.
    EXPECT_EQ(
        loadError(ArchiveBytes().int32(14).int32(1).int32(1).raw("\xFF\xFF\xFF\xFF\xFF\xFF\x7F").bytes()),
        kEndOfFile);
    const std::string whole = employeeFileOfVersion(14);
    for (size_t n = 0; n < whole.size(); ++n)
        ASSERT_EQ(loadError(whole.substr(0, n)), kEndOfFile) << n;
}

TEST(EmployeeFile, FailedLoadLeavesAnEmptyDocument) {
    CTwMaDoc doc;
    doc.put(employee(1, "Anna"));
    doc.ignoreList = "'Anna'";
    doc.customerQuery.showCosts = 1;
    EXPECT_THROW(doc.fromBytes(employeeFileOfVersion(14).substr(0, 40), "Daten.mar"), LorvanError);
    EXPECT_TRUE(doc.employees.empty());
    EXPECT_EQ(doc.ignoreList, "");
    EXPECT_EQ(doc.customerQuery.showCosts, 0);
}

TEST(EmployeeFile, IgnoreListIsAQuotedSubstringTest) {
    CTwMaDoc doc;
    doc.ignoreList = "'Anna''Bert'";
    EXPECT_TRUE(doc.isIgnored("Anna"));
    EXPECT_TRUE(doc.isIgnored("Bert"));
    EXPECT_FALSE(doc.isIgnored("Ann"));
    EXPECT_FALSE(doc.isIgnored("nna"));
    // The '' between two entries is no entry of its own.
    EXPECT_FALSE(doc.isIgnored(""));

    EXPECT_FALSE(doc.addIgnored("Bert"));
    EXPECT_TRUE(doc.addIgnored("4711"));
    EXPECT_FALSE(doc.addIgnored(""));
    EXPECT_EQ(doc.ignoreList, "'Anna''Bert''4711'");
    EXPECT_TRUE(doc.isIgnored("4711"));
}

TEST(EmployeeFile, NextFreeNumber) {
    struct Case {
        std::vector<int32_t> numbers;
        int32_t expected;
    };
    const Case cases[] = {
        {{}, 1},
        {{3, 7, 12}, 13},
        {{-4, 0}, 1},
        {{1, 2, 4, std::numeric_limits<int32_t>::max()}, 3}, // no number after the highest possible one
    };
    for (const auto& c : cases) {
        CTwMaDoc doc;
        for (int32_t n : c.numbers)
            doc.put(employee(n, "x"));
        EXPECT_EQ(doc.nextFreeNumber(), c.expected) << c.numbers.size();
    }
}

TEST(EmployeeFile, FindByNumberAndByName) {
    CTwMaDoc doc;
    doc.put(employee(12, "Joerg_Schaefer"));
    doc.put(employee(5, "Jörg Schäfer"));
    doc.put(employee(8, "Anna Beispiel"));

    ASSERT_NE(doc.findByNumber(8), nullptr);
    EXPECT_EQ(doc.findByNumber(8)->name, "Anna Beispiel");
    EXPECT_EQ(doc.findByNumber(9), nullptr);

    EXPECT_TRUE(doc.nameExists("Anna Beispiel"));
    EXPECT_FALSE(doc.nameExists("anna beispiel"));
    EXPECT_FALSE(doc.nameExists("Anna_Beispiel"));

    EXPECT_EQ(doc.findByName("Anna_Beispiel", false), "");
    EXPECT_EQ(doc.findByName("Anna_Beispiel", true), "Anna Beispiel");
    EXPECT_EQ(doc.findByName("anna_beispiel", true), "");
    // In number order: 5 comes before 12, whose name equals the text itself.
    EXPECT_EQ(doc.findByName("Joerg_Schaefer", true), "Jörg Schäfer");
    EXPECT_EQ(doc.findByName("Joerg_Schaefer", false), "Joerg_Schaefer");
}

TEST(EmployeeFile, NamesWithTheSameFileNameFormConflict) {
    CTwMaDoc doc;
    doc.put(employee(1, "Anna"));
    doc.put(employee(2, "Jörg Schäfer"));
    const CMitarbeiterDoc* other = doc.findFileNameFormConflict("Joerg_Schaefer");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->number, 2);
    EXPECT_EQ(nameConflictMessage(other->name),
              "Der Name Jörg Schäfer existiert schon.\nBitte wählen Sie einen anderen Namen, da es sonst zu "
              "Konflikten bei der Dateierstellung kommen kann.");
    EXPECT_EQ(doc.findFileNameFormConflict("Jörg  Schäfer"), nullptr); // two blanks: another form
    // Year files are found without regard to case, so "anna" would share Anna's files.
    ASSERT_NE(doc.findFileNameFormConflict("anna"), nullptr);
    EXPECT_EQ(doc.findFileNameFormConflict("anna")->number, 1);
    EXPECT_EQ(doc.findFileNameFormConflict("anna", 1), nullptr); // the edited employee itself
}

} // namespace
} // namespace lorvan
