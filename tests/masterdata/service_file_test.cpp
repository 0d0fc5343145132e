#include "foundation/error.h"
#include "masterdata/service_file.h"
#include "support/archive_bytes.h"
#include "support/error_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ArchiveBytes;

CDienstlDoc service(const std::string& name, int32_t kind = 0, double costs = 0.0) {
    CDienstlDoc s;
    s.name = name;
    s.costKind = kind;
    s.costs = costs;
    return s;
}

std::string loadError(const std::string& bytes) {
    CTwDienstlDoc doc;
    return test::errorOf([&] { doc.fromBytes(bytes, "Daten.dl"); });
}

TEST(ServiceFile, NamesAreOrderedByTheirWindows1252Bytes) {
    CTwDienstlDoc doc;
    // UTF-8 would put "Ärger" (C3 84) before "€-Pauschale" (E2 82 AC); Windows-1252 has 80 before C4.
    for (const char* name : {"Ärger", "€-Pauschale", "apfel", "Zaun", "Beratung"})
        doc.put(service(name));
    EXPECT_EQ(doc.names(), (std::vector<std::string>{"Beratung", "Zaun", "apfel", "€-Pauschale", "Ärger"}));
}

TEST(ServiceFile, LayoutAndRoundTrip) {
    CTwDienstlDoc doc;
    doc.put(service("Fahrt", 2, 25.0));
    doc.put(service("Beratung", 1, 12.5));
    ArchiveBytes expected;
    expected.int32(1).int32(2);
    expected.string("Beratung").int32(1).float64(12.5);
    expected.string("Fahrt").int32(2).float64(25.0);
    ASSERT_EQ(doc.toBytes(), expected.bytes());

    CTwDienstlDoc again;
    again.fromBytes(expected.bytes(), "Daten.dl");
    ASSERT_NE(again.find("Beratung"), nullptr);
    EXPECT_EQ(again.find("Beratung")->costKind, 1);
    EXPECT_EQ(again.find("Beratung")->costs, 12.5);
    EXPECT_EQ(again.find("beratung"), nullptr);
    EXPECT_EQ(again.find("Berat"), nullptr);
}

TEST(ServiceFile, LaterRecordWithTheSameNameReplacesTheEarlier) {
    ArchiveBytes b;
    b.int32(1).int32(2).string("Pflege").int32(0).float64(0).string("Pflege").int32(1).float64(30);
    CTwDienstlDoc doc;
    doc.fromBytes(b.bytes(), "Daten.dl");
    ASSERT_EQ(doc.services.size(), 1u);
    EXPECT_EQ(doc.find("Pflege")->costs, 30.0);
}

TEST(ServiceFile, DamagedFilesGiveTheirMessage) {
    const std::string endOfFile =
        "Es wurde versucht, auf eine Stelle hinter dem Ende von Daten.dl zuzugreifen.";
    EXPECT_EQ(loadError(ArchiveBytes().int32(2).bytes()), kNewerVersionMessage);
    EXPECT_EQ(loadError(ArchiveBytes().int32(1).int32(0x7FFFFFFF).bytes()), endOfFile);
    CTwDienstlDoc doc;
    doc.put(service("Beratung", 1, 12.5));
    const std::string whole = doc.toBytes();
    for (size_t n = 0; n < whole.size(); ++n)
        ASSERT_EQ(loadError(whole.substr(0, n)), endOfFile) << n;
}

TEST(ServiceFile, CostKindTexts) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "Aus Stundenlohn"}, {1, "Fest je Stunde"}, {2, "Fester Betrag"}, {3, ""}, {-1, ""}};
    for (const auto& [kind, text] : cases)
        EXPECT_EQ(CDienstlDoc::costKindText(kind), text) << kind;
}

class ServiceSearch : public ::testing::Test {
protected:
    ServiceSearch() {
        for (const char* name : {"Beratung", "Beratung vor Ort", "Gärtnerei", "Fahrt"})
            doc.put(service(name));
    }
    CTwDienstlDoc doc;
};

TEST_F(ServiceSearch, FindsInTheFirstPassWithExactlyOneMatch) {
    const std::pair<const char*, const char*> cases[] = {
        {"Beratung", "Beratung"},        // pass 1 although pass 2 would find two
        {"vor Ort", "Beratung vor Ort"}, // pass 2
        {"gaertner", "Gärtnerei"},       // pass 3
        {"FAHRT", "Fahrt"},              // pass 3
    };
    for (const auto& [text, expected] : cases) {
        std::string protocol;
        const CDienstlDoc* found = doc.searchService(text, protocol);
        ASSERT_NE(found, nullptr) << text;
        EXPECT_EQ(found->name, expected);
        EXPECT_EQ(protocol, "");
    }
}

TEST_F(ServiceSearch, FailuresWriteTheProtocol) {
    const std::pair<const char*, const char*> cases[] = {
        {"Berat", "Suche Dienstleistung: 'Berat'\n"
                  "Es gibt mehrere Dienstleistungen mit einer passenden Bezeichnung:\n"
                  "Beratung\nBeratung vor Ort\n"
                  "FEHLER: Es wurde keine passende Dienstleistung gefunden.\n"},
        {"beratung", "Suche Dienstleistung: 'beratung'\n"
                     "Es gibt mehrere Dienstleistungen mit einer passenden Bezeichnung:\n"
                     "Beratung\nBeratung vor Ort\n"
                     "FEHLER: Es wurde keine passende Dienstleistung gefunden.\n"},
        {"Reinigung", "Suche Dienstleistung: 'Reinigung'\n"
                      "FEHLER: Es wurde keine passende Dienstleistung gefunden.\n"},
        // Texts that every name would contain designate nothing.
        {"", "Suche Dienstleistung: ''\nFEHLER: Es wurde keine passende Dienstleistung gefunden.\n"},
        {" ", "Suche Dienstleistung: ' '\nFEHLER: Es wurde keine passende Dienstleistung gefunden.\n"},
        {"-", "Suche Dienstleistung: '-'\nFEHLER: Es wurde keine passende Dienstleistung gefunden.\n"},
    };
    for (const auto& [text, expected] : cases) {
        std::string protocol;
        EXPECT_EQ(doc.searchService(text, protocol), nullptr) << text;
        EXPECT_EQ(protocol, expected);
    }
}

} // namespace
} // namespace lorvan
