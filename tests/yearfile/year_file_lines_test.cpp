#include "yearfile/year_file_lines.h"

#include "foundation/error.h"
#include "support/archive_bytes.h"
#include "support/error_text.h"
#include "support/settings_bytes.h"
#include "support/time_line_texts.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ArchiveBytes;
using test::errorOf;
using test::timeLineTexts;

// A year file with every line kind, every cost kind, texts in Windows-1252 and in the UTF-16 form,
// empty and long texts, months and days in their order.
std::string everyKindFile() {
    CLorvanDoc doc;
    doc.settings().name = "Jörg Weiß";
    doc.settings().year = 2025;
    doc.settings().wagesAsCostsInCustomerQuery = 1;
    const std::string long300(300, 'x');
    int32_t minute = 0;
    for (int32_t m : {1, 6, 12}) {
        CMonatDoc& month = doc.addMonth(m);
        month.correctionComment = "Korrektur";
        for (int32_t d : {1, 15, 28}) {
            CTagDoc& day = month.addDay(d);
            day.reportRemark = "Bericht " + long300;
            for (size_t k = 0; k < kTimeLineKinds.size(); ++k) {
                CZeitZeile& line = day.addLine();
                line.kind = kTimeLineKinds[k];
                line.customer = k == 0 ? (d == 1 ? "12 - Müller GmbH" : (d == 15 ? "Łódź Sp. z o.o." : long300)) : "";
                line.from = k == 5 ? "" : "7:00";
                line.to = "23:45";
                line.duration = 15 + minute++;
                line.remark = "Anmerkung €";
                line.service = k % 2 ? "Wartung" : (k == 4 ? "Büro – Technik" : "");
                line.costKind = static_cast<int32_t>(k % 3);
                line.costAmount = 12.34 * static_cast<double>(k);
                line.vehicle = k == 4 ? "B-LV 44" : "";
            }
        }
    }
    doc.addMonth(3); // a month without days
    return doc.toBytes();
}

// Version 4: short kind codes; June stored twice (the later record replaces the earlier with all its
// days), a day stored twice within a month, months and days out of order.
std::string oldUnorderedFile() {
    ArchiveBytes b;
    b.int32(4).string("Anna Schneider").int32(2003);
    auto day = [&](int32_t number, std::vector<std::string> kinds) {
        b.int32(number).string("").int32(0).string("").int32(0).int32(1).int32(static_cast<int32_t>(kinds.size()));
        for (const std::string& kind : kinds)
            b.string(kind).string("M\xFCller").string("7:00").string("8:15").int32(75).string("r").int32(15);
    };
    b.int32(4);
    b.int32(6).int32(1);
    day(3, {"k"});
    b.int32(2).int32(3);
    day(20, {"AZ", "p"});
    day(4, {"Kunde", "B", "F", "xyz"});
    day(20, {"f"});
    b.int32(6).int32(2);
    day(9, {"KD"});
    day(2, {"a", "K"});
    b.int32(1).int32(0);
    return b.bytes();
}

// Version 27: month records with the cached values of that time, days without the internal remark,
// lines with service and costs but without vehicle.
std::string version27File() {
    ArchiveBytes b;
    b.int32(27).raw(test::settingsBytes(27, {.name = "Anna Berg", .year = 2012}));
    b.int32(1).int32(5);
    b.float64(1.5).int32(1).float64(2.5).float64(0.1).float64(0.2).float64(0.3).float64(0.4).float64(0.5);
    b.string("Kommentar").int32(1);
    b.int32(7).string("Bert").int32(2).string("Bericht").int32(1).int32(1).int32(2);
    for (const char* customer : {"Zander", "K\xE4se AG"})
        b.string("Kunde").string(customer).string("8:00").string("9:30").int32(90).string("r").int32(0)
            .int32(1).int32(1).int32(0).float64(1).float64(2).float64(3).string("Wartung").int32(kCostPerHour)
            .float64(40);
    return b.bytes();
}

CLorvanDoc fullLoad(const std::string& bytes) {
    CLorvanDoc doc;
    doc.fromBytes(bytes, "t.azr");
    return doc;
}

TEST(YearFileLines, GivesTheLinesOfTheFullLoad) {
    CLorvanDoc small;
    small.settings().name = "Leer";
    const std::string files[] = {everyKindFile(), oldUnorderedFile(), version27File(), small.toBytes(),
                                 ArchiveBytes().int32(27).raw(test::settingsBytes(27)).int32(-3).bytes()};
    for (const std::string& bytes : files) {
        YearFileLines lines;
        lines.read(bytes, "t.azr");
        EXPECT_EQ(timeLineTexts(lines), timeLineTexts(fullLoad(bytes)));
        EXPECT_EQ(test::describeSettings(lines.settings()), test::describeSettings(fullLoad(bytes).settings()));
    }
    // The old file's order after reading: months and days ascending, replaced records gone.
    YearFileLines lines;
    lines.read(oldUnorderedFile(), "t.azr");
    std::vector<std::string> seen;
    for (const TimeLineFields& line : lines.lines())
        seen.push_back(std::to_string(line.month) + "." + std::to_string(line.day) + " " + std::string(line.kind));
    EXPECT_EQ(seen, (std::vector<std::string>{"2.4 Kunde", "2.4 Büro", "2.4 Fahrt", "2.4 xyz", "2.20 Fahrt",
                                              "6.2 Arbeitszeit", "6.2 Kunde", "6.9 Kunde"}));
}

TEST(YearFileLines, RefusesWhatTheFullLoadRefuses) {
    const std::string good = everyKindFile();
    std::vector<std::string> cases = {
        ArchiveBytes().int32(45).raw(good.substr(4)).bytes(),
        ArchiveBytes().int32(0).raw(good.substr(4)).bytes(),
        ArchiveBytes().int32(INT_MIN).raw(good.substr(4)).bytes(),
    };
    const std::string head = ArchiveBytes().int32(4).string("Anna").int32(2003).bytes();
    const std::string dayHead = ArchiveBytes().string("").int32(0).string("").int32(0).int32(1).bytes();
    for (const std::string& tail :
         {ArchiveBytes().int32(INT_MAX).bytes(), ArchiveBytes().int32(1).int32(1).int32(INT_MAX).bytes(),
          ArchiveBytes().int32(1).int32(1).int32(1).int32(1).raw(dayHead).int32(INT_MAX).bytes(),
          ArchiveBytes().int32(1).int32(13).int32(0).bytes(),
          ArchiveBytes().int32(1).int32(1).int32(1).int32(32).raw(dayHead).int32(0).bytes()})
        cases.push_back(head + tail);
    // Every cut of the file, also within a string of either form.
    for (size_t length = 0; length < good.size(); length += 7)
        cases.push_back(good.substr(0, length));
    for (const std::string& bytes : cases) {
        const std::string expected = errorOf([&] { fullLoad(bytes); });
        ASSERT_NE(expected, test::kNoError) << bytes.size();
        YearFileLines lines;
        lines.read(good, "t.azr");
        EXPECT_EQ(errorOf([&] { lines.read(bytes, "t.azr"); }), expected) << bytes.size();
        EXPECT_TRUE(lines.lines().empty()) << bytes.size();
        EXPECT_EQ(lines.settings().name, "") << bytes.size();
    }
}

} // namespace
} // namespace lorvan
