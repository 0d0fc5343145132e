#include "logbook/logbook_print.h"

#include "foundation/calendar.h"
#include "output/recording_surface.h"
#include "reports/report_inputs.h"
#include "support/bitmap_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using test::ScriptedPrompter;

constexpr int32_t kDpi = 100;

// Trips on consecutive days from 2 January 2024, 40 km each, business unless said otherwise.
LogbookPrintInput logbookWith(size_t trips, int32_t kind = kTripBusiness) {
    LogbookPrintInput logbook;
    logbook.plate = "K-LV 204";
    logbook.description = "Transporter";
    logbook.year = 2024;
    logbook.startStreet = "Werkstr. 3";
    logbook.startPlace = "Köln";
    logbook.startKilometres = 12000;
    double kilometres = logbook.startKilometres;
    for (size_t i = 0; i < trips; ++i) {
        PrintTrip trip;
        trip.kind = kind;
        trip.driver = "Jörg Weiß";
        trip.person = "Kunde " + std::to_string(i + 1);
        trip.purpose = "Kundenbesuch";
        trip.street = "Ringstr. " + std::to_string(i + 1);
        trip.place = "Bonn";
        trip.startDate = formatDate(addDays(Datum{2, 1, 2024}, static_cast<int32_t>(i)));
        trip.endDate = trip.startDate;
        trip.startTime = "08:00";
        trip.endTime = "09:15";
        kilometres += 40;
        trip.kilometres = kilometres;
        trip.drivenKilometres = 40;
        logbook.trips.push_back(trip);
    }
    return logbook;
}

// A cancelled trip keeps its reading; the next one counts from the previous valid trip.
void cancel(LogbookPrintInput& logbook, size_t index) {
    logbook.trips[index].cancelled = true;
    for (size_t i = index + 1; i < logbook.trips.size(); ++i)
        logbook.trips[i].kilometres -= 40;
    if (index + 1 < logbook.trips.size()) logbook.trips[index + 1].drivenKilometres = 40;
}

LogbookPrintEnvironment environment(std::string* logo = nullptr) {
    LogbookPrintEnvironment result;
    result.logoPath = logo;
    result.today = Datum{15, 3, 2024};
    result.version = "3.14";
    return result;
}

std::string cellText(const CReportTable& table, size_t row, int32_t column) {
    const CReportCell* cell = table.row(row).cell(column);
    return cell ? cell->text : std::string();
}

// The texts of each page drawn.
std::vector<std::vector<RecordedCall>> textsByPage(const RecordingSurface& surface) {
    std::vector<std::vector<RecordedCall>> pages;
    for (const RecordedCall& call : surface.calls()) {
        if (call.kind == RecordedCall::Kind::BeginPage) pages.emplace_back();
        if (call.kind == RecordedCall::Kind::Text && !pages.empty()) pages.back().push_back(call);
    }
    return pages;
}

size_t countText(const std::vector<RecordedCall>& texts, const std::string& text) {
    size_t count = 0;
    for (const RecordedCall& call : texts)
        if (call.text == text) ++count;
    return count;
}

const RecordedCall* textStarting(const std::vector<RecordedCall>& texts, const std::string& start) {
    for (const RecordedCall& call : texts)
        if (call.text.rfind(start, 0) == 0) return &call;
    return nullptr;
}

// The height of a 10-point line on the surface: the frame's line height.
int32_t lineHeight(RecordingSurface& surface) {
    return CPage(surface).fontHeight(10);
}

// Checks the period and prints every page onto the surface.
void printAll(RecordingSurface& surface, LogbookPrint& print, const LogbookPrintInput& logbook,
              LogbookPrintEnvironment env = environment()) {
    ScriptedPrompter prompter;
    ASSERT_TRUE(print.checkPrintRange(logbook, prompter)) << prompter.texts().front();
    printLogbook(surface, print, logbook, env);
}

TEST(LogbookPrintRange, PeriodFieldsAreCheckedInOrderWithTheirFocus) {
    struct Case {
        const char* from;
        const char* to;
        const char* message; // nullptr: accepted
        LogbookPrint::Field focus;
    };
    const Case cases[] = {
        {"", "", nullptr, LogbookPrint::Field::None},
        {"05.01.2024", "05.01.2024", nullptr, LogbookPrint::Field::None}, // from equal to to
        {"06.01.2024", "05.01.2024", kPrintFromAfterTo, LogbookPrint::Field::To},
        {"31.02.2024", "05.01.2024", kPrintFromInvalid, LogbookPrint::Field::From},
        {"3.2024", "", kPrintFromInvalid, LogbookPrint::Field::From}, // a month is no date
        {"x", "y", kPrintFromInvalid, LogbookPrint::Field::From},
        {"01.01.2024", "32.01.2024", kPrintToInvalid, LogbookPrint::Field::To},
        {"01.07.2024", "", kNoDataToPrint, LogbookPrint::Field::None}, // no trip in the period
    };
    const LogbookPrintInput logbook = logbookWith(10);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " - " + c.to);
        LogbookPrint print;
        print.setFrom(c.from);
        print.setTo(c.to);
        ScriptedPrompter prompter;
        EXPECT_EQ(print.checkPrintRange(logbook, prompter), c.message == nullptr);
        EXPECT_EQ(print.focus(), c.focus);
        if (c.message) {
            ASSERT_EQ(prompter.texts().size(), 1u);
            EXPECT_EQ(prompter.texts().front(), c.message);
            EXPECT_TRUE(print.selection().empty());
        } else {
            EXPECT_TRUE(prompter.texts().empty());
        }
    }
}

TEST(LogbookPrintRange, EmptyFieldsPrintTheWholeYear) {
    const LogbookPrintInput logbook = logbookWith(3);
    LogbookPrint print;
    RecordingSurface surface(kDpi);
    printAll(surface, print, logbook);
    EXPECT_EQ(print.from(), "01.01.2024");
    EXPECT_EQ(print.to(), "31.12.2024");
    EXPECT_EQ(print.selection().size(), 3u);
    EXPECT_NE(surface.findText("vom 01.01.2024 bis 31.12.2024"), nullptr);
}

TEST(LogbookPrintRange, TheSelectionTakesTripsStartingInThePeriodInLogbookOrderWithCancelledOnes) {
    LogbookPrintInput logbook = logbookWith(6);
    cancel(logbook, 2); // starts 04.01.
    // entered later, but starting inside the period: it stays where the logbook has it
    logbook.trips[5].startDate = "03.01.2024";
    logbook.trips[1].endDate = "06.01.2024"; // the start date decides, not the end
    LogbookPrint print;
    print.setFrom("3.1.24");
    print.setTo("04.01.2024");
    ScriptedPrompter prompter;
    ASSERT_TRUE(print.checkPrintRange(logbook, prompter));
    std::vector<std::string> streets;
    for (const PrintTrip& trip : print.selection())
        streets.push_back(trip.street);
    EXPECT_EQ(streets, (std::vector<std::string>{"Ringstr. 2", "Ringstr. 3", "Ringstr. 6"}));
    EXPECT_TRUE(print.selection()[1].cancelled);
    EXPECT_EQ(print.periodFrom(logbook), "03.01.2024"); // printed as a whole date
}

TEST(LogbookPrintState, APeriodChangeOrATripChangeDropsSelectionAndLayout) {
    LogbookPrintInput logbook = logbookWith(12);
    LogbookPrint print;
    RecordingSurface surface(kDpi);
    printAll(surface, print, logbook);
    ASSERT_TRUE(print.laidOut());

    // A later check reuses the selection: trips are not gathered again while nothing changed.
    ScriptedPrompter prompter;
    ASSERT_TRUE(print.checkPrintRange(logbook, prompter));
    EXPECT_TRUE(print.laidOut());
    print.setTo("31.12.2024"); // the same text: no change
    EXPECT_TRUE(print.laidOut());

    print.setTo("05.01.2024");
    EXPECT_FALSE(print.laidOut());
    EXPECT_TRUE(print.selection().empty());
    ASSERT_TRUE(print.checkPrintRange(logbook, prompter));
    EXPECT_EQ(print.selection().size(), 4u);

    // An edit of the trip list: the owner drops both, and the next print shows the trips as they are.
    LogbookPrintEnvironment env = environment();
    RecordingSurface before(kDpi);
    printLogbook(before, print, logbook, env);
    EXPECT_NE(before.findText("Ringstr. 2"), nullptr);
    logbook.trips[0].street = "Domplatz 1";
    logbook.trips.erase(logbook.trips.begin() + 1);
    print.tripsChanged();
    EXPECT_FALSE(print.laidOut());
    EXPECT_TRUE(print.selection().empty());
    RecordingSurface after(kDpi);
    printAll(after, print, logbook);
    EXPECT_EQ(print.selection().size(), 3u);
    EXPECT_NE(after.findText("Domplatz 1"), nullptr);
    EXPECT_EQ(after.findText("Ringstr. 1"), nullptr);
    EXPECT_EQ(after.findText("Ringstr. 2"), nullptr);
}

TEST(LogbookPrintPages, TheEstimateBeforeTheLayoutAndTheExactCountAfterIt) {
    const std::pair<size_t, int32_t> estimates[] = {{0, 1},  {1, 1},  {9, 1},  {10, 2}, {21, 2},
                                                    {22, 3}, {33, 3}, {34, 4}, {45, 4}, {46, 5}};
    for (const auto& [trips, pages] : estimates)
        EXPECT_EQ(estimatedLogbookPages(trips), pages) << trips << " trips";

    for (const size_t trips : {size_t{10}, size_t{22}}) {
        const LogbookPrintInput logbook = logbookWith(trips);
        LogbookPrint print;
        ScriptedPrompter prompter;
        ASSERT_TRUE(print.checkPrintRange(logbook, prompter));
        EXPECT_EQ(print.pageCount(), estimatedLogbookPages(trips));
        RecordingSurface surface(kDpi);
        LogbookPrintEnvironment env = environment();
        printLogbook(surface, print, logbook, env);
        EXPECT_EQ(print.pageCount(), static_cast<int32_t>(print.pages().size()));
        EXPECT_EQ(surface.callsOf(RecordedCall::Kind::BeginPage).size(), print.pages().size());
    }
}

// 30 trips with a cancelled one: the pages' heads, the start block, the trips in whole and the
// signature field.
TEST(LogbookPrintPages, HeadsOnEveryPageStartOnTheFirstSignatureOnTheLastAndTripsNeverSplit) {
    LogbookPrintInput logbook = logbookWith(30);
    cancel(logbook, 7);
    LogbookPrint print;
    RecordingSurface surface(kDpi);
    printAll(surface, print, logbook);

    const std::vector<std::vector<CReportTable>>& pages = print.pages();
    ASSERT_GE(pages.size(), 3u);
    const std::vector<std::vector<RecordedCall>> drawn = textsByPage(surface);
    ASSERT_EQ(drawn.size(), pages.size());
    size_t tripsPlaced = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const std::vector<CReportTable>& tables = pages[p];
        const bool last = p + 1 == pages.size();
        ASSERT_GE(tables.size(), 3u);
        EXPECT_EQ(tables[0].name, kLogbookHeader1);
        EXPECT_EQ(tables[1].name, kLogbookHeader2);
        EXPECT_EQ(tables[2].name, kLogbookRule);
        size_t next = 3;
        if (p == 0) {
            EXPECT_EQ(tables[3].name, kLogbookStartTitle);
            EXPECT_EQ(tables[4].name, kLogbookStart);
            EXPECT_EQ(tables[5].name, kLogbookThinRule);
            next = 6;
        }
        // the trips in whole: three tables and their rule each
        while (next + 3 < tables.size() && tables[next].name == kLogbookFirstRow) {
            EXPECT_EQ(tables[next + 1].name, kLogbookRow);
            EXPECT_EQ(tables[next + 2].name, kLogbookRow2);
            EXPECT_EQ(tables[next + 3].name, kLogbookThinRule);
            next += 4;
            ++tripsPlaced;
        }
        EXPECT_EQ(next + (last ? 1 : 0), tables.size());
        if (last) {
            EXPECT_EQ(tables.back().name, kLogbookSums);
        }

        const std::vector<RecordedCall>& texts = drawn[p];
        EXPECT_EQ(countText(texts, "Datum/Zeit"), 1u);
        EXPECT_EQ(countText(texts, "Km-Stand"), 1u);
        EXPECT_EQ(countText(texts, "Ausgangsposition"), p == 0 ? 1u : 0u);
        EXPECT_EQ(countText(texts, kLogbookSignature), last ? 1u : 0u);
        EXPECT_EQ(countText(texts, "Seite " + std::to_string(p + 1)), 1u);
        EXPECT_EQ(countText(texts, "Kfz-Fahrtenbuch für K-LV 204"), 1u);
        // no row reaches into the footer: every cell ends 0.2 inch above its rule (the free texts of
        // the frame are laid out down to the page's end)
        const RecordedCall* footer = textStarting(texts, "Erstellt mit dem Programm Lorvan 3.14");
        ASSERT_NE(footer, nullptr);
        const int32_t contentBottom = footer->rect.top - 30;
        for (const RecordedCall& text : texts) {
            if (text.rect.bottom != surface.printableRect().bottom) {
                EXPECT_LE(text.rect.bottom, contentBottom) << text.text;
            }
        }
        if (last) {
            const RecordedCall* signature = textStarting(texts, kLogbookSignature);
            ASSERT_NE(signature, nullptr);
            EXPECT_LE(signature->rect.top + lineHeight(surface), footer->rect.top - 10);
        }
    }
    EXPECT_EQ(tripsPlaced, 30u);
    EXPECT_TRUE(surface.textsOutsideTheirBox().empty());
}

TEST(LogbookPrintPages, ACancelledTripIsStruckWithStornoReadableAndNoKilometres) {
    LogbookPrintInput logbook = logbookWith(3);
    logbook.trips[1].startTime = "13:00";
    logbook.trips[1].endTime = "14:00";
    logbook.trips[1].street = "Storniergasse 9";
    cancel(logbook, 1);
    LogbookPrint print;
    RecordingSurface surface(kDpi);
    printAll(surface, print, logbook);

    const RecordedCall* span = surface.findText("03.01.2024   13:00 - 14:00  (1:00 h)");
    ASSERT_NE(span, nullptr);
    EXPECT_TRUE(span->font.strikeOut);
    ASSERT_NE(surface.findText("Storniergasse 9"), nullptr);
    EXPECT_TRUE(surface.findText("Storniergasse 9")->font.strikeOut);
    ASSERT_NE(surface.findText("Storno"), nullptr);
    EXPECT_FALSE(surface.findText("Storno")->font.strikeOut);
    ASSERT_NE(surface.findText("Geschäftlich"), nullptr);
    EXPECT_FALSE(surface.findText("Geschäftlich")->font.strikeOut);

    const CReportTable* row2 = nullptr;
    for (const CReportTable& table : print.pages()[0])
        if (table.name == kLogbookRow2 && cellText(table, 0, 4) == "Storno") row2 = &table;
    ASSERT_NE(row2, nullptr);
    EXPECT_EQ(row2->row(0).cell(5), nullptr); // no driven kilometres
}

TEST(LogbookPrintSums, SumsAndSharesByKind) {
    struct Case {
        const char* name;
        std::vector<std::pair<int32_t, double>> trips; // kind, driven kilometres
        std::vector<std::vector<std::string>> rows; // columns 1, 2, 4, 5, 6 of the rows before the empty ones
    };
    const std::vector<Case> cases = {
        {"business only, 100 km",
         {{kTripBusiness, 40}, {kTripBusiness, 60}},
         {{"Start-Kilometerstand:", "12000,0", "Summe Kilometer Geschäftlich", "100,0 km  =", "100,00 %"},
          {"End-Kilometerstand:", "12100,0", "Summe Kilometer Privat", "0,0 km  =", "0,00 %"}}},
        {"every kind, kinds out of range count as private",
         {{kTripBusiness, 10}, {kTripCommute, 10}, {kTripPrivate, 5}, {7, 5}, {kTripUnknown, 0.5}},
         {{"Start-Kilometerstand:", "12000,0", "Summe Kilometer Geschäftlich", "10,0 km  =", "32,79 %"},
          {"End-Kilometerstand:", "12030,5", "Summe Kilometer Privat", "10,0 km  =", "32,79 %"},
          {"", "", "Summe Kilometer Arbeitsweg", "10,0 km  =", "32,79 %"},
          {"", "", "Summe Kilometer Unbekannt", "0,5 km  =", "1,64 %"}}},
        {"thirds round half up",
         {{kTripBusiness, 2}, {kTripPrivate, 1}},
         {{"Start-Kilometerstand:", "12000,0", "Summe Kilometer Geschäftlich", "2,0 km  =", "66,67 %"},
          {"End-Kilometerstand:", "12003,0", "Summe Kilometer Privat", "1,0 km  =", "33,33 %"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogbookPrintInput logbook = logbookWith(0);
        double kilometres = logbook.startKilometres;
        for (const auto& [kind, driven] : c.trips) {
            PrintTrip trip;
            trip.kind = kind;
            trip.startDate = trip.endDate = "10.01.2024";
            kilometres += driven;
            trip.kilometres = kilometres;
            trip.drivenKilometres = driven;
            logbook.trips.push_back(trip);
        }
        LogbookPrint print;
        RecordingSurface surface(kDpi);
        printAll(surface, print, logbook);
        const CReportTable& sums = print.pages().back().back();
        ASSERT_EQ(sums.name, kLogbookSums);
        ASSERT_GE(sums.rowCount(), c.rows.size() + 3);
        for (size_t r = 0; r < c.rows.size(); ++r) {
            const std::vector<std::string> row{cellText(sums, r, 1), cellText(sums, r, 2),
                                               cellText(sums, r, 4), cellText(sums, r, 5),
                                               cellText(sums, r, 6)};
            EXPECT_EQ(row, c.rows[r]) << "row " << r + 1;
        }
        EXPECT_TRUE(sums.row(c.rows.size()).cells().empty());
        EXPECT_EQ(cellText(sums, sums.rowCount() - 1, 3), "15.03.2024"); // today, above the signature
    }
}

TEST(LogbookPrintSums, ACancelledTripAddsNothingAndLeavesTheEndReading) {
    LogbookPrintInput logbook = logbookWith(3);
    logbook.trips[2].cancelled = true; // the last trip, with the highest reading
    LogbookPrint print;
    RecordingSurface surface(kDpi);
    printAll(surface, print, logbook);
    const CReportTable& sums = print.pages().back().back();
    EXPECT_EQ(cellText(sums, 0, 5), "80,0 km  =");
    EXPECT_EQ(cellText(sums, 1, 2), "12080,0");
    const LogbookSums direct = logbookSums(print.selection());
    EXPECT_DOUBLE_EQ(direct.total(), 80);

    // with every printed trip cancelled the end reading is the start reading
    for (PrintTrip& trip : logbook.trips)
        trip.cancelled = true;
    LogbookPrint allCancelled;
    RecordingSurface again(kDpi);
    printAll(again, allCancelled, logbook);
    const CReportTable& none = allCancelled.pages().back().back();
    EXPECT_EQ(cellText(none, 1, 2), "12000,0");
    EXPECT_EQ(cellText(none, 0, 6), "0,00 %");
}

// Where the sums table ends decides its third empty row and whether it takes a page of its own: the
// page height moves the content bottom against a sums table that starts at the same place.
TEST(LogbookPrintSums, TheThirdEmptyRowAndTheOwnPage) {
    const LogbookPrintInput logbook = logbookWith(1);
    LogbookPrint tall;
    RecordingSurface measured(kDpi, kDpi, Rect{0, 0, 827, 3000});
    printAll(measured, tall, logbook);
    const RecordedCall* start = measured.findText("Start-Kilometerstand:");
    ASSERT_NE(start, nullptr);
    const int32_t line = lineHeight(measured);
    const int32_t row = 10 * 3 * kDpi / 2 / 72;               // 10 points × 1.5, truncated
    const int32_t sumsBottom = start->rect.top - 2 + 4 * row; // two value rows and two empty rows
    // The content bottom lies 0.3 inch (30 units) and one line above the page's end.
    const auto pageFor = [&](int32_t contentBottom) { return contentBottom + line + 30; };

    struct Case {
        const char* name;
        int32_t pageHeight;
        size_t pages;
        size_t sumsRows;
    };
    const Case cases[] = {
        {"room enough: three empty rows", 3000, 1, 6},
        {"tight: two empty rows", pageFor(sumsBottom + 2 * line + line / 2), 1, 5},
        {"too tight: a page of its own with three empty rows", pageFor(sumsBottom + line), 2, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogbookPrint print;
        RecordingSurface surface(kDpi, kDpi, Rect{0, 0, 827, c.pageHeight});
        printAll(surface, print, logbook);
        ASSERT_EQ(print.pages().size(), c.pages);
        const std::vector<CReportTable>& last = print.pages().back();
        EXPECT_EQ(last.back().rowCount(), c.sumsRows);
        if (c.pages == 2) {
            ASSERT_EQ(last.size(), 1u); // no page head on the page of the sums
            const std::vector<std::vector<RecordedCall>> drawn = textsByPage(surface);
            EXPECT_EQ(countText(drawn[1], "Datum/Zeit"), 0u);
            EXPECT_EQ(countText(drawn[1], kLogbookSignature), 1u);
            EXPECT_EQ(countText(drawn[0], kLogbookSignature), 0u);
        }
    }
}

TEST(LogbookPrintFrame, LogoTitleDescriptionPeriodAndFooterInPlace) {
    test::TempDir dir;
    test::BitmapBytes bitmap;
    bitmap.width = 300;
    bitmap.height = 90;
    const std::string path = dir.file("logo.bmp");
    test::writeBytes(path, bitmap.build());
    std::string logo = path;
    const LogbookPrintInput logbook = logbookWith(2);
    LogbookPrint print;
    RecordingSurface surface(kDpi);
    printAll(surface, print, logbook, environment(&logo));

    const std::vector<RecordedCall> bitmaps = surface.callsOf(RecordedCall::Kind::Bitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0].rect, (Rect{450, 20, 750, 110}));
    const RecordedCall* title = surface.findText("Kfz-Fahrtenbuch für K-LV 204");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect.left, 60);
    EXPECT_EQ(title->rect.top, 50);
    EXPECT_TRUE(title->font.bold);
    const RecordedCall* description = surface.findText("Transporter");
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->rect.left, 90);
    // below the logo: its bottom (1.1 inch) + 0.03
    const RecordedCall* period = surface.findText("vom 01.01.2024 bis 31.12.2024");
    ASSERT_NE(period, nullptr);
    EXPECT_EQ(period->rect.top, 113);
    EXPECT_EQ(period->rect.left, 90);
    const RecordedCall* page = surface.findText("Seite 1");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->rect.top, 113);
    EXPECT_EQ(page->rect.left, 710);
    const RecordedCall* footer = surface.findText("Erstellt mit dem Programm Lorvan 3.14");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->rect.top, 1169 - lineHeight(surface));
    EXPECT_EQ(footer->font.points, 8);
}

TEST(LogbookPrintFrame, APageBeyondTheLastDrawsNothingAndALaterPageFirstLaysOutTheReport) {
    const LogbookPrintInput logbook = logbookWith(25);
    LogbookPrint print;
    ScriptedPrompter prompter;
    ASSERT_TRUE(print.checkPrintRange(logbook, prompter));
    LogbookPrintEnvironment env = environment();
    RecordingSurface surface(kDpi);
    CPage page(surface);
    print.printLogbookPage(page, 2, logbook, env);
    EXPECT_TRUE(print.laidOut());
    EXPECT_NE(surface.findText("Seite 2"), nullptr);
    EXPECT_EQ(surface.findText("Ausgangsposition"), nullptr);
    surface.clear();
    print.printLogbookPage(page, print.pageCount() + 1, logbook, env);
    EXPECT_TRUE(surface.calls().empty());
}

} // namespace
} // namespace lorvan
