#include "foundation/error.h"
#include "masterdata/customer_file.h"
#include "support/archive_bytes.h"
#include "support/error_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ArchiveBytes;

CKundeDoc customer(int32_t number, const std::string& name, const std::string& street = "") {
    CKundeDoc c;
    c.number = number;
    c.name = name;
    c.street = street;
    return c;
}

std::string loadError(const std::string& bytes) {
    CTwKundenDoc doc;
    return test::errorOf([&] { doc.fromBytes(bytes, "Daten.kd"); });
}

TEST(CustomerFile, ProposedNumberFollowsTheHighest) {
    CTwKundenDoc doc;
    EXPECT_EQ(doc.proposedNumber(), 1);
    for (int32_t n : {3, 7, 12})
        doc.put(customer(n, "K"));
    EXPECT_EQ(doc.proposedNumber(), 13);
    doc.customers.erase(12);
    EXPECT_EQ(doc.proposedNumber(), 8);
    doc.put(customer(std::numeric_limits<int32_t>::max(), "K"));
    EXPECT_EQ(doc.proposedNumber(), 1); // no number after the highest possible one: the lowest free
}

TEST(CustomerFile, Version1LoadsWithoutFlagsAndIsWrittenAsVersion2) {
    ArchiveBytes v1;
    v1.int32(1).int32(2);
    v1.int32(7)
        .string("Beispiel GmbH")
        .string("Hauptstr. 1")
        .string("12345 Musterstadt")
        .string("0123")
        .string("");
    v1.int32(3).string("M\xFCller").string("").string("").string("").string("Hof\r\nhinten");
    CTwKundenDoc doc;
    doc.fromBytes(v1.bytes(), "Daten.kd");
    EXPECT_EQ(doc.loadedVersion(), 1);
    EXPECT_EQ(doc.printAddressOnDaySheet, 0);
    EXPECT_EQ(doc.checkCustomerExistsOnEntry, 0);
    ASSERT_EQ(doc.customers.size(), 2u);
    EXPECT_EQ(doc.customers.at(3).name, "Müller");
    EXPECT_EQ(doc.customers.at(3).notes, "Hof\r\nhinten");
    EXPECT_EQ(doc.customers.at(3).printNotes, 0);

    ArchiveBytes v2;
    v2.int32(2).int32(0).int32(0).int32(2);
    v2.int32(3).string("M\xFCller").string("").string("").string("").string("Hof\r\nhinten").int32(0);
    v2.int32(7)
        .string("Beispiel GmbH")
        .string("Hauptstr. 1")
        .string("12345 Musterstadt")
        .string("0123")
        .string("");
    v2.int32(0);
    EXPECT_EQ(doc.toBytes(), v2.bytes());
}

TEST(CustomerFile, OnlyOneCountsAsSetForTheFileFlags) {
    const int32_t values[][3] = {{1, 1, 1}, {2, -1, 0}, {0, 1, 0}};
    for (const auto& v : values) {
        CTwKundenDoc doc;
        doc.fromBytes(ArchiveBytes()
                          .int32(2)
                          .int32(v[0])
                          .int32(v[1])
                          .int32(1)
                          .int32(1)
                          .string("A")
                          .string("")
                          .string("")
                          .string("")
                          .string("")
                          .int32(5)
                          .bytes(),
                      "Daten.kd");
        EXPECT_EQ(doc.printAddressOnDaySheet, v[2]) << v[0];
        EXPECT_EQ(doc.checkCustomerExistsOnEntry, v[1] == 1 ? 1 : 0) << v[1];
        EXPECT_EQ(doc.customers.at(1).printNotes, 5); // the record's flag is kept as read
    }
    CTwKundenDoc empty;
    empty.printAddressOnDaySheet = 1;
    empty.checkCustomerExistsOnEntry = 1;
    EXPECT_FALSE(empty.addressOnDaySheet());
    EXPECT_FALSE(empty.checkOnEntry());
    empty.put(customer(1, "A"));
    EXPECT_TRUE(empty.addressOnDaySheet());
    EXPECT_TRUE(empty.checkOnEntry());
}

TEST(CustomerFile, LaterRecordWithTheSameNumberReplacesTheEarlier) {
    ArchiveBytes b;
    b.int32(2).int32(0).int32(0).int32(2);
    b.int32(4).string("Alt").string("").string("").string("").string("").int32(0);
    b.int32(4).string("Neu").string("").string("").string("").string("").int32(1);
    CTwKundenDoc doc;
    doc.fromBytes(b.bytes(), "Daten.kd");
    ASSERT_EQ(doc.customers.size(), 1u);
    EXPECT_EQ(doc.customers.at(4).name, "Neu");
}

TEST(CustomerFile, DamagedFilesGiveTheirMessage) {
    const std::string endOfFile =
        "Es wurde versucht, auf eine Stelle hinter dem Ende von Daten.kd zuzugreifen.";
    EXPECT_EQ(loadError(ArchiveBytes().int32(3).bytes()), kNewerVersionMessage);
    EXPECT_EQ(loadError(ArchiveBytes().int32(2).int32(0).int32(0).int32(0x7FFFFFFF).bytes()), endOfFile);
    CTwKundenDoc doc;
    doc.put(customer(7, "Beispiel GmbH", "Hauptstr. 1"));
    doc.printAddressOnDaySheet = 1;
    const std::string whole = doc.toBytes();
    for (size_t n = 0; n < whole.size(); ++n)
        ASSERT_EQ(loadError(whole.substr(0, n)), endOfFile) << n;
    EXPECT_EQ(loadError(whole), test::kNoError);
}

TEST(CustomerFile, DisplayAndDaySheetTexts) {
    CKundeDoc c = customer(17, "Beispiel GmbH", "Hauptstr. 1");
    c.zipCity = "12345 Musterstadt";
    EXPECT_EQ(c.displayText(), "17 - Beispiel GmbH, Hauptstr. 1, 12345 Musterstadt");
    c.phone = "030 1234";
    c.street = "";
    EXPECT_EQ(c.displayText(), "17 - Beispiel GmbH, 12345 Musterstadt, 030 1234");

    CTwKundenDoc doc;
    EXPECT_EQ(doc.daySheetText(c), "Beispiel GmbH");
    doc.printAddressOnDaySheet = 1;
    EXPECT_EQ(doc.daySheetText(c), "Beispiel GmbH\n\n12345 Musterstadt\n030 1234");

    c.notes = "Schl\xC3\xBCssel beim Nachbarn\r\nHund!\r\n";
    EXPECT_EQ(c.daySheetNotes(), "");
    c.printNotes = 1;
    EXPECT_EQ(c.daySheetNotes(), "Schlüssel beim Nachbarn\nHund!\n");
}

TEST(CustomerFile, CustomerFromDisplayText) {
    CTwKundenDoc doc;
    doc.put(customer(7, "Beispiel GmbH"));
    doc.put(customer(12, "Haus 12 - Nord"));
    struct Case {
        const char* text;
        int32_t expected; // 0 = none
    };
    const Case cases[] = {
        {"7 - Beispiel GmbH", 7},
        {"7", 7},
        {" 7\t- x", 7},
        {"007-", 7},
        {"12 - Haus 12 - Nord", 12},
        {"-7", 0},
        {"7a - x", 0},
        {"8 - Beispiel GmbH", 0},
        {"", 0},
        {" - x", 0},
        {"99999999999999999999", 0},
        {"+7", 0},
    };
    for (const auto& c : cases) {
        const CKundeDoc* found = doc.customerFromDisplayText(c.text);
        EXPECT_EQ(found ? found->number : 0, c.expected) << c.text;
    }
}

class CustomerSearch : public ::testing::Test {
protected:
    CustomerSearch() {
        doc.put(customer(3, "Beispiel GmbH", "Hauptstr. 1"));
        doc.put(customer(7, "Beispiel & Söhne", ""));
        doc.put(customer(9, "Bäckerei Müller", "Lindenweg 4"));
        doc.put(customer(11, "Anna Schmidt", "Am Markt 2"));
        doc.put(customer(12, "Bernd Schmidt", "Am Markt 3"));
        doc.put(customer(20, "Haus 40", "Gartenstr. 5"));
    }
    CTwKundenDoc doc;
};

TEST_F(CustomerSearch, FindsOneCustomerInTheFirstPassThatHasExactlyOne) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"7 - Beispiel & Söhne", 7}, // by number
        {"7", 7},
        {"40", 20},             // no customer 40: the name contains it
        {"GmbH", 3},            // pass 1: name
        {"Lindenweg", 9},       // pass 2: street
        {"Mueller", 9},         // pass 3: file-name form of the name
        {"MARKT_3", 12},        // pass 4: file-name form of the street
        {"Schmidt, Anna", 11},  // pass 5 narrowed by the first name
        {"Bernd  Schmidt", 12}, // pass 5 narrowed by the first name (two blanks)
    };
    for (const auto& c : cases) {
        std::string protocol;
        const CKundeDoc* found = doc.searchCustomer(c.text, protocol);
        ASSERT_NE(found, nullptr) << c.text << "\n" << protocol;
        EXPECT_EQ(found->number, c.expected) << c.text;
        EXPECT_EQ(protocol, "") << c.text;
    }
}

TEST_F(CustomerSearch, SeveralMatchesAreListedAndFindNothing) {
    std::string protocol = "vorher\n";
    EXPECT_EQ(doc.searchCustomer("Beispiel", protocol), nullptr);
    EXPECT_EQ(protocol, "vorher\n"
                        "Suche Kunde: Beispiel\n"
                        "Es gibt mehrere Kunden mit einer passenden Bezeichnung:\n"
                        "3 - Beispiel GmbH - Hauptstr. 1\n"
                        "7 - Beispiel & Söhne\n"
                        "FEHLER: Es wurde kein passender Kunde gefunden.\n");
}

TEST_F(CustomerSearch, FailuresWithoutAListing) {
    struct Case {
        const char* text;
        const char* protocol;
    };
    const Case cases[] = {
        {"Meier", "Suche Kunde: Meier\nFEHLER: Es wurde kein passender Kunde gefunden.\n"},
        // Several customers with the surname, and the first name does not decide.
        {"Schmidt, Carla", "Suche Kunde: Schmidt, Carla\nFEHLER: Es wurde kein passender Kunde gefunden.\n"},
        // Neither the empty text nor one without letters or digits designates a customer.
        {"", "Suche Kunde: \nFEHLER: Es wurde kein passender Kunde gefunden.\n"},
        {"-", "Suche Kunde: -\nFEHLER: Es wurde kein passender Kunde gefunden.\n"},
    };
    for (const auto& c : cases) {
        std::string protocol;
        EXPECT_EQ(doc.searchCustomer(c.text, protocol), nullptr) << c.text;
        EXPECT_EQ(protocol, c.protocol);
    }
}

TEST(CustomerSearchSingle, EmptyTextDoesNotPickTheOnlyCustomer) {
    CTwKundenDoc doc;
    doc.put(customer(1, "Einziger Kunde"));
    std::string protocol;
    EXPECT_EQ(doc.searchCustomer("", protocol), nullptr);
    EXPECT_EQ(doc.searchCustomer(" ", protocol), nullptr);
}

} // namespace
} // namespace lorvan
