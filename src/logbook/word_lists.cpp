#include "logbook/word_lists.h"

#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "foundation/text_encoding.h"
#include "logbook/logbook_file.h"
#include "yearfile/year_file_lines.h"

#include <filesystem>

namespace lorvan {
namespace {

void put(LogbookWordLists::Words& words, const std::string& text) {
    if (!text.empty()) words.insert(text);
}

bool beginsWithDigit(const std::string& text) {
    return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

// The files "*<year>.azr" of the directory (letter case ignored).
std::vector<std::string> yearFilesOf(const std::string& dataDirectory, int32_t year) {
    const std::string ending = toUpperCp1252(std::to_string(year) + ".azr");
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(dataDirectory.empty() ? "." : dataDirectory, error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() >= ending.size() && toUpperCp1252(name.substr(name.size() - ending.size())) == ending)
            files.push_back(withSeparator(dataDirectory, true) + name);
    }
    return files;
}

} // namespace

void LogbookWordLists::addPerson(const std::string& person) {
    if (!beginsWithDigit(person)) put(persons_, person);
}

void LogbookWordLists::add(const CFahrtDoc& trip) {
    if (trip.cancelled()) return;
    put(drivers_, trip.driver);
    put(purposes_, trip.purpose);
    addPerson(trip.person);
    put(streets_, trip.street);
    put(places_, trip.place);
}

void LogbookWordLists::addPresets(const CTwFahrzDoc& vehicles) {
    for (const auto& [kind, preset] : vehicles.presets) {
        put(streets_, preset.street);
        put(places_, preset.place);
    }
}

void LogbookWordLists::build(const std::string& dataDirectory, int32_t currentYear,
                             const std::vector<std::string>& employeeNames,
                             const std::vector<std::string>& customerNames) {
    *this = LogbookWordLists();
    for (const std::string& name : employeeNames)
        put(drivers_, name);
    purposes_.insert("Kundenbesuch");
    for (const std::string& name : customerNames)
        addPerson(name);
    for (const std::string& path : yearFilesOf(dataDirectory, currentYear)) {
        try {
            const std::string bytes = readWholeFile(path);
            YearFileLines lines;
            lines.read(bytes, path);
            for (const TimeLineFields& line : lines.lines())
                addPerson(std::string(line.customer));
        } catch (const std::exception&) {
            // An unreadable year file adds nothing.
        }
    }
    const std::string vehiclePath = vehicleFilePath(dataDirectory);
    if (fileExists(vehiclePath)) {
        try {
            CTwFahrzDoc vehicles;
            vehicles.openToRead(vehiclePath);
            addPresets(vehicles);
        } catch (const std::exception&) {
        }
    }
    for (const std::string& path : logbookFiles(dataDirectory)) {
        try {
            CTwFahrtenbuchDoc logbook;
            logbook.openToRead(path);
            for (const CFahrtDoc& trip : logbook.trips)
                add(trip);
        } catch (const std::exception&) {
        }
    }
    built_ = true;
}

} // namespace lorvan
