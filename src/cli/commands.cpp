#include "cli/commands.h"

#include "cli/demo/demo_data.h"
#include "cli/json_logbook.h"
#include "cli/json_masterdata.h"
#include "cli/record_commands.h"
#include "cli/json_yearfile.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "logbook/logbook_changes.h"
#include "logbook/logbook_file.h"
#include "logbook/vehicle_file.h"
#include "logbook/vehicle_list.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "masterdata/service_file.h"
#include "platform/clock.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>

namespace lorvan::cli {
namespace {

// The document kinds that the command line reads and writes, found by the file's extension.
enum class FileKind { YearFile, Employees, Customers, Services, Vehicles, Logbook };

std::string lowerExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

FileKind kindOf(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext == ".azr") return FileKind::YearFile;
    if (ext == ".mar") return FileKind::Employees;
    if (ext == ".kd") return FileKind::Customers;
    if (ext == ".dl") return FileKind::Services;
    if (ext == ".fz") return FileKind::Vehicles;
    if (ext == ".fb") return FileKind::Logbook;
    throw LorvanError("Die Datei '" + path +
                      "' ist keine Datendatei dieses Programms (erwartet: .azr, .mar, .kd, .dl, .fz oder .fb).");
}

const std::string& singleFileArgument(const std::vector<std::string>& args, const char* command) {
    if (args.size() != 1) throw LorvanError(std::string(command) + ": genau eine Datei angeben.");
    return args.front();
}

// A logbook written over an existing one: only what the program itself could have changed; anything
// else leaves the file as it is.
void checkLogbookWrite(const std::string& path, const CTwFahrtenbuchDoc& changed, const Options& options) {
    if (!fileExists(path)) return;
    const FixedClock clock = commandClock(options);
    CTwFahrtenbuchDoc stored;
    openLogbook(stored, path, clock);
    const std::string problem = disallowedLogbookChange(stored, changed, clock.now());
    if (!problem.empty())
        throw LorvanError("Das Fahrtenbuch wird nicht geschrieben: " + problem + "\nDie Datei bleibt unverändert.");
}

nlohmann::json loadAsJson(const std::string& path) {
    switch (kindOf(path)) {
    case FileKind::YearFile: {
        CLorvanDoc doc;
        doc.open(path);
        return yearFileToJson(doc);
    }
    case FileKind::Employees: {
        CTwMaDoc doc;
        doc.open(path);
        return employeeFileToJson(doc);
    }
    case FileKind::Customers: {
        CTwKundenDoc doc;
        doc.open(path);
        return customerFileToJson(doc);
    }
    case FileKind::Services: {
        CTwDienstlDoc doc;
        doc.open(path);
        return serviceFileToJson(doc);
    }
    case FileKind::Vehicles: {
        CTwFahrzDoc doc;
        doc.open(path);
        return vehicleFileToJson(doc);
    }
    case FileKind::Logbook: {
        CTwFahrtenbuchDoc doc;
        doc.open(path);
        return logbookToJson(doc);
    }
    }
    return {};
}

void saveFromJson(const std::string& path, const nlohmann::json& json, const Options& options) {
    switch (kindOf(path)) {
    case FileKind::YearFile: {
        CLorvanDoc doc;
        yearFileFromJson(json, doc);
        doc.save(path);
        return;
    }
    case FileKind::Employees: {
        CTwMaDoc doc;
        employeeFileFromJson(json, doc);
        doc.save(path);
        return;
    }
    case FileKind::Customers: {
        CTwKundenDoc doc;
        customerFileFromJson(json, doc);
        doc.save(path);
        return;
    }
    case FileKind::Services: {
        CTwDienstlDoc doc;
        serviceFileFromJson(json, doc);
        doc.save(path);
        return;
    }
    case FileKind::Vehicles: {
        CTwFahrzDoc doc;
        vehicleFileFromJson(json, doc);
        if (const std::string problem = vehicleFileProblem(doc); !problem.empty()) throw LorvanError(problem);
        doc.save(path);
        return;
    }
    case FileKind::Logbook: {
        CTwFahrtenbuchDoc doc;
        logbookFromJson(json, doc);
        checkLogbookWrite(path, doc, options);
        doc.save(path);
        return;
    }
    }
}

} // namespace

int runShow(const Options&, const std::vector<std::string>& args, std::ostream& out) {
    const std::string& path = singleFileArgument(args, "show");
    if (kindOf(path) == FileKind::YearFile) {
        // Year files are the large ones: their text is written without building the tree.
        CLorvanDoc doc;
        doc.open(path);
        std::string text;
        // The text is about seven times the file's bytes; one allocation instead of a dozen.
        std::error_code error;
        const uintmax_t bytes = std::filesystem::file_size(path, error);
        if (!error && bytes < (uintmax_t{1} << 28)) text.reserve(8 * static_cast<size_t>(bytes));
        writeYearFileJson(doc, text);
        text += '\n';
        out << text;
        return 0;
    }
    out << loadAsJson(path).dump(2) << '\n';
    return 0;
}

int runWrite(const Options& options, const std::vector<std::string>& args, std::istream& in, std::ostream&) {
    const std::string& path = singleFileArgument(args, "write");
    kindOf(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        throw LorvanError(std::string("Die Eingabe ist kein gültiges JSON: ") + e.what());
    }
    saveFromJson(path, json, options);
    return 0;
}

int runDemo(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    constexpr const char* kUsage = "Aufruf: lorvan-cli demo VERZ [--employees N] [--years J]";
    std::vector<std::string> rest;
    std::optional<DemoSize> size;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool employees = args[i] == "--employees";
        if (!employees && args[i] != "--years") {
            if (args[i].rfind("--", 0) == 0) throw LorvanError("demo: unbekannte Angabe '" + args[i] + "'\n" + kUsage);
            rest.push_back(args[i]);
            continue;
        }
        const std::string option = args[i];
        const std::string text = i + 1 < args.size() ? args[++i] : std::string();
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
            throw LorvanError("demo: " + option + " braucht eine Zahl: '" + text + "'\n" + kUsage);
        if (!size) size = DemoSize{5, 2};
        // Beyond the limits in any case; the generator names the limit.
        const int32_t value = text.size() > 6 ? 1000000 : std::stoi(text);
        (employees ? size->employees : size->years) = value;
    }
    if (rest.size() != 1) throw LorvanError(std::string("demo: genau ein Verzeichnis angeben.\n") + kUsage);
    const std::string& dir = rest.front();
    SystemClock system;
    const Datum today = options.today ? *options.today : system.today();
    const DemoSummary summary = size ? createDemoData(dir, today, *size) : createDemoData(dir, today);
    out << "Demo-Daten angelegt in " << dir << ": " << summary.employees << " Mitarbeiter, " << summary.customers
        << " Kunden, " << summary.services << " Dienstleistungen, " << summary.yearFiles
        << " Jahresdateien, 1 Fahrzeug mit Fahrtenbuch.\n";
    return 0;
}

} // namespace lorvan::cli
