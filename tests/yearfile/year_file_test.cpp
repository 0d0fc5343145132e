#include "yearfile/year_file.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "support/archive_bytes.h"
#include "support/error_text.h"
#include "support/settings_bytes.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ArchiveBytes;
using test::errorOf;

const std::string kEndOfFile = "Es wurde versucht, auf eine Stelle hinter dem Ende von t.azr zuzugreifen.";

// Version and settings of a file up to version 5, whose settings are only name and year (plus one
// discarded int32 up to version 3).
ArchiveBytes oldFileHead(int32_t version, int32_t year = 2003) {
    ArchiveBytes b;
    b.int32(version).string("Anna Schneider").int32(year);
    if (version <= 3) b.int32(77);
    return b;
}

// A line record of version 4: kind, customer, from, to, duration, remark, pause.
void oldLine(ArchiveBytes& b, const std::string& kind, int32_t duration = 75) {
    b.string(kind).string("M\xFCller").string("7:00").string("8:15").int32(duration).string("r").int32(15);
}

// A document with every stored field set to something other than its default.
CLorvanDoc sampleDocument() {
    CLorvanDoc doc;
    doc.settings().name = "Anna Schneider";
    doc.settings().year = 2024;
    doc.settings().wagesAsCostsInCustomerQuery = 1;
    for (int32_t m : {2, 11}) {
        CMonatDoc& month = doc.addMonth(m);
        month.accountCorrection = -1.25;
        month.correctionComment = "Überstunden ausgezahlt";
        month.resultsValid = 1;
        month.accountChange = 3.5;
        month.surchargeHoursOvertime1 = 1.1;
        month.surchargeHoursOvertime2 = 1.2;
        month.surchargeHoursNight = 1.3;
        month.surchargeHoursSaturday = 1.4;
        month.surchargeHoursHoliday = 1.5;
        month.surchargeHoursSunday = 1.6;
        month.accountPayout = 2.75;
        for (int32_t d : {29, 1}) {
            CTagDoc& day = month.addDay(d);
            day.furtherEmployees = "Bert";
            day.dayKind = kHalfVacationDay;
            day.reportRemark = "Bericht";
            day.internalRemark = "intern";
            day.publicHoliday = 1;
            day.complete = 0;
            day.checkedAndClosed = 1;
            for (int i = 0; i < 3; ++i) {
                CZeitZeile& line = day.addLine();
                line.kind = kKindOffice;
                line.customer = "Łódź GmbH"; // not in Windows-1252: stored in the UTF-16 form
                line.from = "22:00";
                line.to = "26:30";
                line.duration = 270 + i;
                line.updateDurationText();
                line.remark = "Nachtschicht";
                line.pause = 30;
                line.fromFixed = 1;
                line.toFixed = 0;
                line.durationFixed = 1;
                line.calculationFields = {1.5, -2.0, 1e9};
                line.service = "Wartung";
                line.costKind = kCostPerHour;
                line.costAmount = 42.5;
                line.vehicle = "B-LV 44";
                line.kilometresDriven = 12.3;
                line.odometerAfter = 45678.9;
            }
        }
    }
    return doc;
}

TEST(YearFile, CurrentVersionRoundTripIsByteIdentical) {
    const std::string bytes = sampleDocument().toBytes();
    CLorvanDoc loaded;
    loaded.fromBytes(bytes, "t.azr");
    EXPECT_EQ(loaded.loadedVersion(), 44);
    EXPECT_EQ(loaded.toBytes(), bytes);
    const CZeitZeile& line = loaded.month(11)->day(29)->line(2);
    EXPECT_EQ(line.customer, "Łódź GmbH");
    EXPECT_EQ(line.durationText, "04:32");
    EXPECT_EQ(loaded.month(11)->day(29)->date(), (Datum{29, 11, 2024}));
}

TEST(YearFile, EmptyFileIsVersionSettingsAndNoMonths) {
    CLorvanDoc doc;
    doc.settings().name = "Bert";
    doc.settings().year = 2025;
    ArchiveWriter settings;
    doc.settings().store(settings);
    EXPECT_EQ(doc.toBytes(), ArchiveBytes().int32(44).raw(settings.bytes()).int32(0).bytes());
}

TEST(YearFile, Version4RewritesKindCodesAndFixesAllValues) {
    const std::vector<std::pair<std::string, std::string>> kinds = {{"kd", "Kunde"},
                                                                    {"K", "Kunde"},
                                                                    {"kUnDe", "Kunde"},
                                                                    {"p", "Pause"},
                                                                    {"PAUSE", "Pause"},
                                                                    {"a", "Arbeitszeit"},
                                                                    {"Az", "Arbeitszeit"},
                                                                    {"f", "Fahrt"},
                                                                    {"B", "Büro"},
                                                                    {"Kundin", "Kundin"},
                                                                    {"", ""}};
    ArchiveBytes b = oldFileHead(4);
    b.int32(1).int32(3); // one month: March, no cached values
    b.int32(1).int32(5); // one day: the 5th
    b.string("Eva").int32(kVacation).string("Bericht").int32(1).int32(0); // holiday 1, complete 0
    b.int32(static_cast<int32_t>(kinds.size()));
    for (const auto& kind : kinds)
        oldLine(b, kind.first, -75);

    CLorvanDoc doc;
    doc.fromBytes(b.bytes(), "t.azr");
    EXPECT_EQ(doc.loadedVersion(), 4);
    EXPECT_EQ(doc.settings().name, "Anna Schneider");
    const CTagDoc* day = doc.month(3)->day(5);
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->date(), (Datum{5, 3, 2003}));
    EXPECT_EQ(day->internalRemark, "");
    EXPECT_EQ(day->publicHoliday, 1);
    EXPECT_EQ(day->complete, 0);
    ASSERT_EQ(day->lineCount(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i) {
        const CZeitZeile& line = day->line(i);
        EXPECT_EQ(line.kind, kinds[i].second) << kinds[i].first;
        EXPECT_EQ(line.customer, "Müller");
        EXPECT_EQ(line.fromFixed + line.toFixed + line.durationFixed, 3);
        // The defaults of the layout, not those of a newly entered line (cost kind 2 here).
        EXPECT_EQ(line.costKind, kCostFromHourlyWage);
        EXPECT_EQ(line.durationText, "-01:15");
    }
}

TEST(YearFile, OldDaysOfVersions1To3) {
    struct Case {
        int32_t version;
        std::string dayTail; // after further employees, kind and report remark
        int32_t publicHoliday;
        int32_t complete;
    };
    const Case cases[] = {
        {1, "", 0, 1},
        {2, ArchiveBytes().int32(1).bytes(), 1, 1},
        {3, ArchiveBytes().int32(1).int32(0).bytes(), 1, 0},
    };
    for (const Case& c : cases) {
        ArchiveBytes b = oldFileHead(c.version);
        b.int32(1).int32(1).int32(1).int32(31);
        b.string("").int32(kNormalWorkingDay).string("").raw(c.dayTail).int32(1);
        oldLine(b, "A");
        CLorvanDoc doc;
        doc.fromBytes(b.bytes(), "t.azr");
        const CTagDoc* day = doc.month(1)->day(31);
        ASSERT_NE(day, nullptr) << c.version;
        EXPECT_EQ(day->publicHoliday, c.publicHoliday) << c.version;
        EXPECT_EQ(day->complete, c.complete) << c.version;
        EXPECT_EQ(day->line(0).kind, "Arbeitszeit") << c.version;
    }
}

std::string storedMonth(const CMonatDoc& month) {
    ArchiveWriter ar;
    month.store(ar);
    return ar.takeBytes();
}

// Fixtures of the versions that changed the month, day and line records, read as records and (for
// the months) inside a whole file of that version.
TEST(YearFile, MonthRecordByVersion) {
    struct Case {
        int32_t version;
        std::string bytes;
        int32_t resultsValid;
        double correction;
        double change;
        double saturday;
        std::string comment;
        double payout;
    };
    auto cached = [](int n) {
        ArchiveBytes b;
        for (int i = 1; i <= n; ++i)
            b.float64(i);
        return b.bytes();
    };
    const std::string head = ArchiveBytes().float64(-2.5).int32(1).float64(7.25).bytes();
    const std::string noDays = ArchiveBytes().int32(0).bytes();
    const Case cases[] = {
        {7, noDays, 0, 0.0, 0.0, 0.0, "", 0.0},
        {8, head + noDays, 0, -2.5, 7.25, 0.0, "", 0.0},
        {10, head + cached(5) + noDays, 0, -2.5, 7.25, 0.0, "", 0.0},
        {11, head + cached(5) + ArchiveBytes().string("Kommentar").bytes() + noDays, 1, -2.5, 7.25, 0.0,
         "Kommentar", 0.0},
        {29, head + cached(6) + ArchiveBytes().string("").bytes() + noDays, 1, -2.5, 7.25, 4.0, "", 0.0},
        {34, head + cached(6) + ArchiveBytes().string("").float64(9.5).bytes() + noDays, 1, -2.5, 7.25, 4.0,
         "", 9.5},
    };
    for (const Case& c : cases) {
        CMonatDoc month;
        month.resultsValid = 1;
        month.accountPayout = 99.0;
        ArchiveReader ar(c.bytes, "t.azr");
        month.load(ar, c.version);
        EXPECT_EQ(ar.remaining(), 0u) << c.version;
        CLorvanDoc doc;
        doc.fromBytes(ArchiveBytes()
                          .int32(c.version)
                          .raw(test::settingsBytes(c.version))
                          .int32(1)
                          .int32(3)
                          .raw(c.bytes)
                          .bytes(),
                      "t.azr");
        EXPECT_EQ(doc.loadedVersion(), c.version);
        EXPECT_EQ(doc.settings().name, "Muster") << c.version;
        ASSERT_NE(doc.month(3), nullptr) << c.version;
        EXPECT_EQ(storedMonth(*doc.month(3)), storedMonth(month)) << c.version;
        EXPECT_EQ(month.resultsValid, c.resultsValid) << c.version;
        EXPECT_EQ(month.accountCorrection, c.correction) << c.version;
        EXPECT_EQ(month.accountChange, c.change) << c.version;
        EXPECT_EQ(month.surchargeHoursSaturday, c.saturday) << c.version;
        EXPECT_EQ(month.correctionComment, c.comment) << c.version;
        EXPECT_EQ(month.accountPayout, c.payout) << c.version;
        if (c.version >= 10) {
            EXPECT_EQ(month.surchargeHoursOvertime1, 1.0) << c.version;
            EXPECT_EQ(month.surchargeHoursNight, 3.0) << c.version;
            EXPECT_EQ(month.surchargeHoursSunday, c.version >= 29 ? 6.0 : 5.0) << c.version;
        }
    }
}

TEST(YearFile, DayRecordByVersion) {
    struct Case {
        int32_t version;
        std::string tail; // after further employees, kind and report remark
        std::string internalRemark;
        int32_t checkedAndClosed;
    };
    const Case cases[] = {
        {38, ArchiveBytes().int32(1).int32(0).bytes(), "", 0},
        {39, ArchiveBytes().string("nur intern").int32(1).int32(0).bytes(), "nur intern", 0},
        {40, ArchiveBytes().string("nur intern").int32(1).int32(0).int32(1).bytes(), "nur intern", 1},
    };
    for (const Case& c : cases) {
        const std::string bytes =
            ArchiveBytes().string("Eva").int32(kDayOff).string("Bericht").raw(c.tail).int32(0).bytes();
        CTagDoc day;
        day.internalRemark = "alt";
        day.checkedAndClosed = 1;
        ArchiveReader ar(bytes, "t.azr");
        day.load(ar, c.version);
        EXPECT_EQ(ar.remaining(), 0u) << c.version;
        EXPECT_EQ(day.dayKind, kDayOff) << c.version;
        EXPECT_EQ(day.internalRemark, c.internalRemark) << c.version;
        EXPECT_EQ(day.publicHoliday, 1) << c.version;
        EXPECT_EQ(day.complete, 0) << c.version;
        EXPECT_EQ(day.checkedAndClosed, c.checkedAndClosed) << c.version;
    }
}

TEST(YearFile, TimeLineRecordByVersion) {
    struct Case {
        int32_t version;
        std::string tail; // after the fields of version 4
        std::array<int32_t, 3> fixed;
        double calculationField3;
        std::string service;
        int32_t costKind;
        std::string vehicle;
        double odometerAfter;
    };
    const std::string fixed = ArchiveBytes().int32(0).int32(1).int32(0).bytes();
    const std::string calc = ArchiveBytes().float64(1.0).float64(2.0).float64(3.5).bytes();
    const std::string cost = ArchiveBytes().string("Wartung").int32(kCostPerHour).float64(45.0).bytes();
    const std::string car = ArchiveBytes().string("B-LV 1").float64(12.5).float64(10012.5).bytes();
    const Case cases[] = {
        {5, fixed, {0, 1, 0}, 0.0, "", 0, "", 0.0},
        {16, fixed + calc, {0, 1, 0}, 3.5, "", 0, "", 0.0},
        {27, fixed + calc + cost, {0, 1, 0}, 3.5, "Wartung", kCostPerHour, "", 0.0},
        {31, fixed + calc + cost + car, {0, 1, 0}, 3.5, "Wartung", kCostPerHour, "B-LV 1", 10012.5},
    };
    for (const Case& c : cases) {
        ArchiveBytes b;
        oldLine(b, "kd");
        b.raw(c.tail);
        CZeitZeile line;
        line.costKind = kCostFixedAmount;
        line.vehicle = "alt";
        ArchiveReader ar(b.bytes(), "t.azr");
        line.load(ar, c.version);
        EXPECT_EQ(ar.remaining(), 0u) << c.version;
        EXPECT_EQ(line.kind, "kd") << c.version; // codes are only rewritten below version 5
        EXPECT_EQ(line.duration, 75) << c.version;
        EXPECT_EQ(line.durationText, "01:15") << c.version;
        EXPECT_EQ(line.pause, 15) << c.version;
        EXPECT_EQ((std::array<int32_t, 3>{line.fromFixed, line.toFixed, line.durationFixed}), c.fixed)
            << c.version;
        EXPECT_EQ(line.calculationFields[2], c.calculationField3) << c.version;
        EXPECT_EQ(line.service, c.service) << c.version;
        EXPECT_EQ(line.costKind, c.costKind) << c.version;
        EXPECT_EQ(line.vehicle, c.vehicle) << c.version;
        EXPECT_EQ(line.odometerAfter, c.odometerAfter) << c.version;
    }
}

TEST(YearFile, LaterDuplicateMonthsAndDaysReplaceEarlierOnes) {
    ArchiveBytes b = oldFileHead(4);
    b.int32(2);
    b.int32(6).int32(2); // June with two records of the 1st
    b.int32(1).string("erster").int32(0).string("").int32(0).int32(1).int32(0);
    b.int32(1).string("zweiter").int32(0).string("").int32(0).int32(1).int32(0);
    b.int32(6).int32(1); // June again, with the 2nd only
    b.int32(2).string("dritter").int32(0).string("").int32(0).int32(1).int32(0);
    CLorvanDoc doc;
    doc.fromBytes(b.bytes(), "t.azr");
    ASSERT_EQ(doc.months().size(), 1u);
    ASSERT_EQ(doc.month(6)->days().size(), 1u);
    EXPECT_EQ(doc.month(6)->day(2)->furtherEmployees, "dritter");

    ArchiveBytes days = oldFileHead(4);
    days.int32(1).int32(6).int32(2);
    days.int32(1).string("erster").int32(0).string("").int32(0).int32(1).int32(0);
    days.int32(1).string("zweiter").int32(0).string("").int32(0).int32(1).int32(0);
    doc.fromBytes(days.bytes(), "t.azr");
    EXPECT_EQ(doc.month(6)->day(1)->furtherEmployees, "zweiter");
}

TEST(YearFile, UnreadableVersionsAreRefusedWithoutDocument) {
    struct Case {
        int32_t version;
        std::string message;
    };
    const Case cases[] = {
        {45, kNewerVersionMessage},
        {INT_MAX, kNewerVersionMessage},
        {0, kEndOfFile}, // no program ever wrote these
        {-1, kEndOfFile},
        {INT_MIN, kEndOfFile},
    };
    const std::string good = sampleDocument().toBytes();
    for (const Case& c : cases) {
        const std::string bytes = ArchiveBytes().int32(c.version).raw(good.substr(4)).bytes();
        CLorvanDoc doc;
        doc.fromBytes(good, "t.azr");
        EXPECT_EQ(errorOf([&] { doc.fromBytes(bytes, "t.azr"); }), c.message) << c.version;
        EXPECT_TRUE(doc.months().empty()) << c.version;
        EXPECT_EQ(doc.settings().name, "") << c.version;
        EXPECT_EQ(doc.loadedVersion(), 0) << c.version;
    }
}

TEST(YearFile, EveryTruncationFailsWithEndOfFileAndLeavesNoDocument) {
    const std::string bytes = sampleDocument().toBytes();
    for (size_t length = 0; length < bytes.size(); ++length) {
        CLorvanDoc doc;
        doc.fromBytes(bytes, "t.azr");
        ASSERT_EQ(errorOf([&] { doc.fromBytes(bytes.substr(0, length), "t.azr"); }), kEndOfFile) << length;
        ASSERT_TRUE(doc.months().empty()) << length;
        ASSERT_EQ(doc.settings().name, "") << length;
    }
}

// Counts that cannot fit into the rest of the file, and keys outside the calendar, mark the file
// corrupt before anything is allocated for them.
TEST(YearFile, ImpossibleCountsAndKeysFailAtOnce) {
    const std::string dayHead = ArchiveBytes().string("").int32(0).string("").int32(0).int32(1).bytes();
    const std::string cases[] = {
        oldFileHead(4).int32(INT_MAX).bytes(),
        oldFileHead(4).int32(1).int32(1).int32(INT_MAX).bytes(),
        oldFileHead(4).int32(1).int32(1).int32(1).int32(1).raw(dayHead).int32(INT_MAX).bytes(),
        oldFileHead(4).int32(1).int32(0).int32(0).bytes(),
        oldFileHead(4).int32(1).int32(13).int32(0).bytes(),
        oldFileHead(4).int32(1).int32(1).int32(1).int32(0).raw(dayHead).int32(0).bytes(),
        oldFileHead(4).int32(1).int32(1).int32(1).int32(32).raw(dayHead).int32(0).bytes(),
    };
    for (const std::string& bytes : cases) {
        CLorvanDoc doc;
        EXPECT_EQ(errorOf([&] { doc.fromBytes(bytes, "t.azr"); }), kEndOfFile) << bytes.size();
    }
}

TEST(YearFile, NegativeCountsAreEmpty) {
    const std::string bytes = oldFileHead(4).int32(-5).bytes();
    CLorvanDoc doc;
    doc.fromBytes(bytes, "t.azr");
    EXPECT_TRUE(doc.months().empty());
}

// Twelve months with valid cached results.
CLorvanDoc evaluatedYear() {
    CLorvanDoc doc;
    doc.settings().year = 2024;
    for (int32_t m = 1; m <= 12; ++m) {
        CMonatDoc& month = doc.addMonth(m);
        month.resultsValid = 1;
        month.accountChange = m;
        month.surchargeHoursOvertime1 = 1.0;
        month.surchargeHoursOvertime2 = 2.0;
        month.surchargeHoursNight = 3.0;
        month.surchargeHoursSaturday = 4.0;
        month.surchargeHoursHoliday = 5.0;
        month.surchargeHoursSunday = 6.0;
        month.accountPayout = 7.0;
        month.accountCorrection = 8.0;
    }
    return doc;
}

void expectValid(const CMonatDoc& month) {
    EXPECT_EQ(month.resultsValid, 1) << month.number();
    EXPECT_EQ(month.accountChange, month.number()) << month.number();
    EXPECT_EQ(month.accountPayout, 7.0) << month.number();
}

void expectReset(const CMonatDoc& month) {
    EXPECT_EQ(month.resultsValid, 0) << month.number();
    const double cached[] = {month.accountChange,           month.surchargeHoursOvertime1,
                             month.surchargeHoursOvertime2, month.surchargeHoursNight,
                             month.surchargeHoursSaturday,  month.surchargeHoursHoliday,
                             month.surchargeHoursSunday,    month.accountPayout};
    for (double value : cached)
        EXPECT_EQ(value, 0.0) << month.number();
    EXPECT_EQ(month.accountCorrection, 8.0) << month.number(); // entered by the user, not cached
}

TEST(YearFileCache, SavingADayInMarchResetsAprilToDecember) {
    CLorvanDoc doc = evaluatedYear();
    doc.dayOfMonthSaved(3);
    expectValid(*doc.month(1));
    expectValid(*doc.month(2));
    EXPECT_EQ(doc.month(3)->resultsValid, 0);
    for (int32_t m = 4; m <= 12; ++m)
        expectReset(*doc.month(m));
}

TEST(YearFileCache, SavingADayOfAnOutdatedMonthLeavesLaterMonths) {
    CLorvanDoc doc = evaluatedYear();
    doc.month(3)->resultsValid = 0;
    doc.dayOfMonthSaved(3);
    expectValid(*doc.month(4));
    doc.removeMonth(5); // a month without its own record changes nothing either
    doc.dayOfMonthSaved(5);
    expectValid(*doc.month(6));
}

TEST(YearFileCache, CorrectionResetsOnlyItsMonth) {
    CLorvanDoc doc = evaluatedYear();
    doc.correctionSaved(3);
    for (int32_t m = 1; m <= 12; ++m) {
        if (m == 3)
            expectReset(*doc.month(m));
        else
            expectValid(*doc.month(m));
    }
    EXPECT_FALSE(doc.isModified());
}

TEST(YearFileCache, ConfirmedSettingsResetEveryMonthAndMarkModified) {
    CLorvanDoc doc = evaluatedYear();
    doc.settingsConfirmed();
    for (const auto& [number, month] : doc.months())
        expectReset(month);
    EXPECT_TRUE(doc.isModified());
}

TEST(YearFileCache, ResetFromMonthKeepsEarlierMonths) {
    CLorvanDoc doc = evaluatedYear();
    doc.resetFromMonth(11);
    expectValid(*doc.month(10));
    expectReset(*doc.month(11));
    expectReset(*doc.month(12));
}

void expectLinked(CLorvanDoc& doc) {
    for (auto& [m, month] : doc.months()) {
        EXPECT_EQ(month.document(), &doc);
        EXPECT_EQ(month.number(), m);
        for (auto& [d, day] : month.days()) {
            EXPECT_EQ(day.month(), &month);
            EXPECT_EQ(day.number(), d);
            for (CZeitZeile& line : day.lines())
                EXPECT_EQ(line.day(), &day);
        }
    }
}

TEST(YearFileModel, BackReferencesFollowCopiesAndMoves) {
    CLorvanDoc original = sampleDocument();
    expectLinked(original);
    CLorvanDoc copy(original);
    expectLinked(copy);
    CLorvanDoc assigned;
    assigned = copy;
    expectLinked(assigned);
    CLorvanDoc moved(std::move(copy));
    expectLinked(moved);
    assigned = std::move(moved);
    expectLinked(assigned);
    EXPECT_EQ(assigned.toBytes(), original.toBytes());
}

TEST(YearFileModel, AssignedDayKeepsItsPlace) {
    CLorvanDoc doc = sampleDocument();
    CMonatDoc& month = *doc.month(2);
    CTagDoc edited = *month.day(1); // as a dialog edits a copy
    EXPECT_EQ(edited.month(), &month);
    edited.furtherEmployees = "Carla";
    edited.addLine().kind = kKindTravel;
    CTagDoc& target = *month.day(29);
    target = edited;
    EXPECT_EQ(target.number(), 29);
    EXPECT_EQ(target.date(), (Datum{29, 2, 2024}));
    EXPECT_EQ(target.furtherEmployees, "Carla");
    ASSERT_EQ(target.lineCount(), 4u);
    for (const CZeitZeile& line : target.lines())
        EXPECT_EQ(line.day(), &target);
    EXPECT_EQ(month.day(1)->lineCount(), 3u);
}

TEST(YearFileModel, NewLineCostKindFollowsSettings) {
    struct Case {
        int32_t wagesAsCosts;
        int32_t costKind;
    };
    for (const Case c : {Case{0, kCostFixedAmount}, Case{1, kCostFromHourlyWage}}) {
        CLorvanDoc doc;
        doc.settings().year = 2024;
        doc.settings().wagesAsCostsInCustomerQuery = c.wagesAsCosts;
        const CZeitZeile& line = doc.addMonth(1).addDay(1).addLine();
        EXPECT_EQ(line.costKind, c.costKind) << c.wagesAsCosts;
        EXPECT_TRUE(line.isEmpty());
        EXPECT_EQ(line.fromFixed + line.toFixed + line.durationFixed, 0);
    }
}

TEST(YearFileModel, EmptyLine) {
    const std::vector<std::pair<const char*, std::function<void(CZeitZeile&)>>> changes = {
        {"kind", [](CZeitZeile& l) { l.kind = "Pause"; }},
        {"customer", [](CZeitZeile& l) { l.customer = "x"; }},
        {"from", [](CZeitZeile& l) { l.from = "7:00"; }},
        {"to", [](CZeitZeile& l) { l.to = "8:00"; }},
        {"remark", [](CZeitZeile& l) { l.remark = "x"; }},
        {"service", [](CZeitZeile& l) { l.service = "x"; }},
        {"duration", [](CZeitZeile& l) { l.duration = -1; }},
        {"pause", [](CZeitZeile& l) { l.pause = 1; }},
        {"calculation field 3", [](CZeitZeile& l) { l.calculationFields[2] = 0.5; }},
    };
    for (const auto& [name, change] : changes) {
        CZeitZeile line;
        line.costKind = kCostFixedAmount;
        line.fromFixed = 1;
        EXPECT_TRUE(line.isEmpty()) << name;
        change(line);
        EXPECT_FALSE(line.isEmpty()) << name;
    }
}

TEST(YearFileModel, CreationRefusesNumbersOutsideTheCalendar) {
    CLorvanDoc doc;
    doc.settings().year = 2023;
    EXPECT_THROW(doc.addMonth(0), std::invalid_argument);
    EXPECT_THROW(doc.addMonth(13), std::invalid_argument);
    EXPECT_THROW(doc.addMonth(2).addDay(29), std::invalid_argument);
    EXPECT_THROW(doc.addMonth(4).addDay(31), std::invalid_argument);
    EXPECT_THROW(doc.addMonth(4).addDay(0), std::invalid_argument);
    doc.settings().year = 2024;
    EXPECT_EQ(doc.addMonth(2).addDay(29).date(), (Datum{29, 2, 2024}));
    EXPECT_EQ(doc.month(2)->year(), 2024);
}

} // namespace
} // namespace lorvan
