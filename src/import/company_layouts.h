// src/import/company_layouts.h
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
namespace lorvan {

// One thing a company layout says about one employee and day: an absence code, or one work period.
struct LayoutRecord {
    int64_t lineNumber = 0;      // physical line number in the file (1-based) the record comes from
    std::string lineText;        // that line, for the protocol
    std::string employee;        // the employee text to match (personnel number or name)
    std::string department;      // the department the layout delivers with the employee ("" = none)
    std::string date;            // DD.MM.YYYY as the reading phase parses it (ParseDate)
    bool isAbsence = false;
    std::string absenceCode;     // with isAbsence: the code as in the absence table ("U", "K", "", ...)
    std::string from, to;        // without isAbsence: h:mm (hours up to 47), to may be empty
    std::string duration;        // without isAbsence: optional duration text
    std::string pause;           // minutes as digits, "" = none
    std::string error;           // non-empty: this line is erroneous (the text without "FEHLER: ")
    std::string warning;         // non-empty: a warning text for the protocol (the record stays)
};

// What a company layout file gave: its records in file order, and a text that stops the whole
// import when not empty (e.g. "Die Jahreszahl wurde im Dateinamen nicht gefunden. Der Import wird
// abgebrochen.\n"); records read before such a stop are still returned.
struct LayoutReading {
    std::vector<LayoutRecord> records;
    std::string stop;
};

// Mode 2: the absence table (";Tag;" / ";Datum;" / "Resturlaub"); the year comes from fileName.
LayoutReading readCompanyAbsences(std::string_view text, const std::string& fileName);
// Mode 3: the clock-event export ("Mitarbeiter :", "Datum von"/"bis", Kommt/Geht, "Endsumme").
LayoutReading readCompanyTimes(std::string_view text);

} // namespace lorvan
