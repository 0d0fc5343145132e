#include "import/import_codes.h"

#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

namespace lorvan {
namespace {

struct CodeCase {
    const char* code;
    int32_t kind;
    bool publicHoliday;
    bool intoRemark;
};

TEST(ImportCodes, AbsenceCodesGiveTheirDayKinds) {
    const CodeCase cases[] = {
        {"F", 0, true, false},
        {"Feiertag", 0, true, false},
        {"U", kVacation, false, false},
        {" ub ", kVacation, false, false},
        {"Urlaub", kVacation, false, false},
        {"UH", kHalfVacationDay, false, false},
        {"K", kSickWithPay, false, false},
        {"KF", kSickWithPay, false, false},
        {"krank", kSickWithPay, false, false},
        {"KG", kSickWithSickPay, false, false},
        {"Krankengeld", kSickWithSickPay, false, false},
        {"KK", kChildSick, false, false},
        {"KI", kChildSick, false, false},
        {"Kindkrank", kChildSick, false, false},
        {"EZ", kParentalLeave, false, false},
        {"Elternzeit", kParentalLeave, false, false},
        {"NB", kNotEmployed, false, false},
        {"Z", kTimeOff, false, false},
        {"ZA", kTimeOff, false, false},
        {"A", kTimeOff, false, false},
        {"Zeitausgleich", kTimeOff, false, false},
        {"Ausgleich", kTimeOff, false, false},
        {"Gleittag", kTimeOff, false, false},
        {"Frei", kDayOff, false, false},
        {"", 0, false, false},
        {"  ", 0, false, false},
        {"(U)", kVacation, false, true},
        {"s", 0, false, true},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.code);
        const std::optional<AbsenceEffect> effect = absenceEffectOf(c.code);
        ASSERT_TRUE(effect);
        EXPECT_EQ(effect->kind, c.kind);
        EXPECT_EQ(effect->publicHoliday, c.publicHoliday);
        EXPECT_EQ(effect->intoRemark, c.intoRemark);
        EXPECT_EQ(effect->keepsSickPayKinds, std::string(c.code) == "K");
    }
    for (const char* unknown : {"XY", "UU", "Urlaub!", "KRANK K", "(S)"})
        EXPECT_FALSE(absenceEffectOf(unknown)) << unknown;
    EXPECT_EQ(absenceEffectOf(" urlaub ")->code, "URLAUB");
    EXPECT_EQ(unknownAbsenceMessage("xy"), "FEHLER: Unbekannte Fehlzeit: xy");
}

TEST(ImportCodes, KindFieldGivesTheLineKind) {
    const std::pair<const char*, const char*> cases[] = {
        {"K", "Kunde"},
        {"kd", "Kunde"},
        {"Kunde", "Kunde"},
        {"P", "Pause"},
        {"pause", "Pause"},
        {"A", "Arbeitszeit"},
        {"", "Arbeitszeit"},
        {"F", "Fahrt"},
        {"b", "Büro"},
        {"BÜRO", "Büro"},
        {"bereitschaft", "Bereitschaft"},
        {"ARBEITSZEIT", "Arbeitszeit"},
        {"Montage", "Montage"},
        {"AZ", "AZ"},
    };
    for (const auto& [field, kind] : cases)
        EXPECT_EQ(timeLineKindOf(field), kind) << field;
}

TEST(ImportCodes, ShortCodeOfTheDaysAbsence) {
    // Friday 6 March 2026 is a half working day of the file; Thursday 5 March is not.
    CLorvanDoc document =
        test::YearFileBuilder("Anna Berg", 2026)
            .settings([](CEinstArbzt& s) { s.workingTimePeriods[0].halfDayByWeekday[5] = 1; })
            .day(3, 5)
            .day(3, 6)
            .build();
    CTagDoc& thursday = *document.month(3)->day(5);
    CTagDoc& friday = *document.month(3)->day(6);
    const std::pair<int32_t, const char*> cases[] = {
        {kNormalWorkingDay, ""}, {kVacation, "U"},         {kHalfVacationDay, "UH"}, {kSickWithPay, "K"},
        {kTimeOff, "ZA"},        {kSickWithSickPay, "KG"}, {kChildSick, "KK"},       {kParentalLeave, "EZ"},
        {kDayOff, ""},           {kNotEmployed, ""},       {kStandbyDuty, ""},
    };
    for (const auto& [kind, code] : cases) {
        thursday.dayKind = kind;
        EXPECT_EQ(absenceShortCode(thursday), code) << kind;
    }
    friday.dayKind = kVacation;
    EXPECT_EQ(absenceShortCode(friday), "UH");
}

} // namespace
} // namespace lorvan
