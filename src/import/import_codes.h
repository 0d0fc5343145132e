#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The codes of an import file: the absence codes of a day and the kind codes of a time line.
namespace lorvan {

class CTagDoc;

// What an absence code does to a day.
struct AbsenceEffect {
    std::string code;           // the code in upper case without surrounding blanks
    bool publicHoliday = false; // "F", "FEIERTAG": only the public-holiday mark is set
    int32_t kind = 0;           // the day kind it gives (0 for the empty code: the absence goes)
    bool intoRemark = false;    // "(U)" and "S": the code goes into the day's internal remark
    // "K": a day that is sick with sick pay (8) or with a sick child (9) keeps that kind in the
    // company absence table.
    bool keepsSickPayKinds = false;
};

// The effect of an absence code (compared in upper case, blanks around it removed); nothing for a
// code the table does not know.
std::optional<AbsenceEffect> absenceEffectOf(std::string_view code);

// "FEHLER: Unbekannte Fehlzeit: " + the code as written.
std::string unknownAbsenceMessage(std::string_view code);

// The kind of a time line from the kind field: K, KD, KUNDE -> "Kunde"; P, PAUSE -> "Pause"; A or
// empty -> "Arbeitszeit"; F -> "Fahrt"; B -> "Büro"; the name of a kind in any letter case -> that
// kind; any other text stays as written.
std::string timeLineKindOf(std::string_view field);

// The short code of the day's absence for the protocol: kind 2 "U" ("UH" on a half working day of
// its working-time period), 6 "UH", 3 "K", 5 "ZA", 8 "KG", 9 "KK", 10 "EZ"; others empty.
std::string absenceShortCode(const CTagDoc& day);

} // namespace lorvan
