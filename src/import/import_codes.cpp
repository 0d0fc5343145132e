#include "import/import_codes.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"
#include "yearfile/year_file.h"

#include <array>

namespace lorvan {
namespace {

struct CodeRow {
    const char* code;
    int32_t kind;
    bool publicHoliday = false;
    bool intoRemark = false;
    bool keepsSickPayKinds = false;
};

constexpr std::array<CodeRow, 27> kAbsenceCodes{{
    {"F", kNormalWorkingDay, true},
    {"FEIERTAG", kNormalWorkingDay, true},
    {"U", kVacation},
    {"UB", kVacation},
    {"URLAUB", kVacation},
    {"UH", kHalfVacationDay},
    {"K", kSickWithPay, false, false, true},
    {"KF", kSickWithPay},
    {"KRANK", kSickWithPay},
    {"KG", kSickWithSickPay},
    {"KRANKENGELD", kSickWithSickPay},
    {"KK", kChildSick},
    {"KI", kChildSick},
    {"KINDKRANK", kChildSick},
    {"EZ", kParentalLeave},
    {"ELTERNZEIT", kParentalLeave},
    {"NB", kNotEmployed},
    {"Z", kTimeOff},
    {"ZA", kTimeOff},
    {"A", kTimeOff},
    {"ZEITAUSGLEICH", kTimeOff},
    {"AUSGLEICH", kTimeOff},
    {"GLEITTAG", kTimeOff},
    {"FREI", kDayOff},
    {"", kNormalWorkingDay},
    {"(U)", kVacation, false, true},
    {"S", kNormalWorkingDay, false, true},
}};

// A half working day of the day's working-time period (weekday grid, index 0 = Sunday).
bool isHalfWorkingDay(const CTagDoc& day) {
    const CLorvanDoc* document = day.document();
    if (document == nullptr) return false;
    const Datum date = day.date();
    const int32_t weekday = weekdayCalendar(date);
    if (weekday == 0) return false;
    try {
        return document->settings()
                   .periodForMonth(date.month)
                   .halfDayByWeekday.at(static_cast<size_t>(weekday - 1)) != 0;
    } catch (const LorvanError&) {
        return false; // no working-time period for the month
    }
}

} // namespace

std::optional<AbsenceEffect> absenceEffectOf(std::string_view code) {
    const std::string upper = toUpperCp1252(trimWhiteSpace(code));
    for (const CodeRow& row : kAbsenceCodes) {
        if (upper != row.code) continue;
        return AbsenceEffect{upper, row.publicHoliday, row.kind, row.intoRemark, row.keepsSickPayKinds};
    }
    return std::nullopt;
}

std::string unknownAbsenceMessage(std::string_view code) {
    return "FEHLER: Unbekannte Fehlzeit: " + std::string(code);
}

std::string timeLineKindOf(std::string_view field) {
    // The one-letter codes, which nearly every line has, without the case mapping of the text.
    if (field.size() == 1) {
        switch (field[0]) {
        case 'K':
        case 'k':
            return kKindCustomer;
        case 'P':
        case 'p':
            return kKindBreak;
        case 'A':
        case 'a':
            return kKindWorkingTime;
        case 'F':
        case 'f':
            return kKindTravel;
        case 'B':
        case 'b':
            return kKindOffice;
        default:
            break;
        }
    }
    const std::string upper = toUpperCp1252(field);
    if (upper == "K" || upper == "KD" || upper == "KUNDE") return kKindCustomer;
    if (upper == "P" || upper == "PAUSE") return kKindBreak;
    if (upper.empty() || upper == "A") return kKindWorkingTime;
    if (upper == "F") return kKindTravel;
    if (upper == "B") return kKindOffice;
    for (const char* kind : kTimeLineKinds)
        if (upper == toUpperCp1252(kind)) return kind;
    return std::string(field);
}

std::string absenceShortCode(const CTagDoc& day) {
    return absenceCode(day.dayKind, day.dayKind == kVacation && isHalfWorkingDay(day));
}

} // namespace lorvan
