#include "cli/commands.h"

#include "cli/demo_data.h"
#include "cli/json_masterdata.h"
#include "cli/json_yearfile.h"
#include "foundation/error.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "masterdata/service_file.h"
#include "platform/clock.h"
#include "yearfile/year_file.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <memory>

namespace lorvan::cli {
namespace {

// The document kinds that the command line reads and writes, found by the file's extension.
enum class FileKind { YearFile, Employees, Customers, Services };

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
    throw LorvanError("Die Datei '" + path +
                      "' ist keine Datendatei dieses Programms (erwartet: .azr, .mar, .kd oder .dl).");
}

const std::string& singleFileArgument(const std::vector<std::string>& args, const char* command) {
    if (args.size() != 1) throw LorvanError(std::string(command) + ": genau eine Datei angeben.");
    return args.front();
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
    }
    return {};
}

void saveFromJson(const std::string& path, const nlohmann::json& json) {
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
    }
}

} // namespace

int runShow(const Options&, const std::vector<std::string>& args, std::ostream& out) {
    const std::string& path = singleFileArgument(args, "show");
    const nlohmann::json json = loadAsJson(path);
    out << json.dump(2) << '\n';
    return 0;
}

int runWrite(const Options&, const std::vector<std::string>& args, std::istream& in, std::ostream&) {
    const std::string& path = singleFileArgument(args, "write");
    kindOf(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        throw LorvanError(std::string("Die Eingabe ist kein gültiges JSON: ") + e.what());
    }
    saveFromJson(path, json);
    return 0;
}

int runDemo(const Options& options, const std::vector<std::string>& args, std::ostream& out) {
    const std::string& dir = singleFileArgument(args, "demo");
    SystemClock system;
    const Datum today = options.today ? *options.today : system.today();
    const DemoSummary summary = createDemoData(dir, today);
    out << "Demo-Daten angelegt in " << dir << ": " << summary.employees << " Mitarbeiter, " << summary.customers
        << " Kunden, " << summary.services << " Dienstleistungen, " << summary.yearFiles << " Jahresdateien.\n";
    return 0;
}

} // namespace lorvan::cli
