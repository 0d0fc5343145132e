#include "import/time_import.h"

#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "foundation/text_encoding.h"
#include "import/time_import_state.h"
#include "platform/prompter.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace lorvan {
namespace {

constexpr const char* kNoEmployeeFile = "Es konnte nicht auf die Mitarbeiterdatei zugegriffen werden.";
constexpr const char* kImportFailed = "Der Import wurde aufgrund eines Fehlers abgebrochen.";

namespace fs = std::filesystem;

// The path with links and "." / ".." resolved as far as it exists.
fs::path resolvedPath(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error);
    if (error) return fs::path(path).lexically_normal();
    fs::path resolved = fs::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal() : resolved;
}

// Two names of one file: the same file on disk, or the same resolved path.
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::equivalent(fs::path(a), fs::path(b), error)) return true;
    return resolvedPath(a) == resolvedPath(b);
}

// A file that belongs to the data: a year file anywhere, or a master or settings file of the data
// directory.
bool isDataFile(const std::string& path, const std::string& dataDirectory) {
    static constexpr std::array<const char*, 5> kDataFiles = {"DATEN.MAR", "DATEN.KD", "DATEN.DL", "DATEN.FZ",
                                                              "LORVAN.INI"};
    const fs::path resolved = resolvedPath(path);
    for (const std::string& name : {fileNameOfPath(path), resolved.filename().string()}) {
        const std::string upper = toUpperCp1252(name);
        if (upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".AZR") == 0) return true;
        if (dataDirectory.empty()) continue;
        for (const char* dataFile : kDataFiles)
            if (upper == dataFile && resolved.parent_path() == resolvedPath(dataDirectory)) return true;
    }
    if (!dataDirectory.empty())
        for (const char* dataFile : {"Daten.mar", "Daten.kd", "Daten.dl", "Daten.fz", "Lorvan.ini"})
            if (sameFile(path, withSeparator(dataDirectory, true) + dataFile)) return true;
    return false;
}

std::string withoutLineEnd(std::string text) {
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

} // namespace

std::optional<ImportStartRefusal> checkImportStart(const TimeImportOptions& options,
                                                   const std::string& dataDirectory) {
    if (!fileExists(options.importFile))
        return ImportStartRefusal{"Die angegebene Datei existiert nicht.", false};
    const std::string& protocol = options.protocolFile;
    if (protocol.empty()) return std::nullopt;
    if (!directoryExists(directoryOfPath(protocol, true)))
        return ImportStartRefusal{"Das Verzeichnis für das Protokoll existiert nicht.", true};
    if (fileNameOfPath(protocol).empty())
        return ImportStartRefusal{"Der Dateiname für das Protokoll existiert nicht.", true};
    // The protocol file is replaced at the start: it must not be a file the import needs.
    if (sameFile(protocol, options.importFile))
        return ImportStartRefusal{"Die Protokolldatei darf nicht die Importdatei sein.", true};
    if (isDataFile(protocol, dataDirectory))
        return ImportStartRefusal{"Die Datei '" + protocol +
                                      "' gehört zu den Daten der Anwendung und kann nicht als Protokolldatei "
                                      "verwendet werden.",
                                  true};
    return std::nullopt;
}

std::string decodeImportBytes(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        return repairUtf8(bytes.substr(kByteOrderMark.size()));
    if (isValidUtf8(bytes)) return std::string(bytes);
    return cp1252ToUtf8(bytes);
}

std::string importFileText(const std::string& path) {
    if (!fileExists(path)) throw LorvanError("Die angegebene Datei existiert nicht.");
    return decodeImportBytes(readWholeFile(path));
}

std::string importDateKey(const Datum& date) {
    std::string key(10, '0');
    auto put = [&](size_t end, int32_t value, size_t width) {
        for (size_t i = 0; i < width; ++i, value /= 10)
            key[end - i] = static_cast<char>('0' + value % 10);
    };
    put(3, date.year, 4);
    key[4] = '-';
    put(6, date.month, 2);
    key[7] = '-';
    put(9, date.day, 2);
    return key;
}

// ----- TimeImport::State -----

TimeImport::State::State(const TimeImportOptions& importOptions, TimeImportEnvironment& importEnvironment)
    : options(importOptions), environment(importEnvironment), protocol(importOptions.logAll),
      employeePrompts(*importEnvironment.prompter, true),
      employees(EmployeeFlowContext{.prompter = &employeePrompts,
                                    .clock = importEnvironment.clock,
                                    .dataDirectory = importEnvironment.dataDirectory,
                                    .recent = importEnvironment.recent,
                                    .openDocuments = importEnvironment.openDocuments,
                                    .files = nullptr,
                                    .cachedList = importEnvironment.cachedEmployees}) {
    if (environment.prompter == nullptr || environment.clock == nullptr) throw LorvanError(kPointerNotSet);
}

bool TimeImport::State::start() {
    if (started) return !stopped;
    started = true;
    protocol.setEcho(environment.echo);
    if (!options.protocolFile.empty()) protocol.openFile(options.protocolFile);
    if (!employees.open()) {
        protocol.important(employeePrompts.takeMessages());
        protocol.error(std::string(kNoEmployeeFile) + "\n");
        stop(kNoEmployeeFile);
        return false;
    }
    matcher.emplace(employees, employeePrompts, environment.employeeDialog);
    protocol.ordinary("Die Datei '" + options.importFile + "' wird gelesen.\n");
    return true;
}

void TimeImport::State::stop(const std::string& reason) {
    stopped = true;
    result.stopReason = withoutLineEnd(reason);
    environment.prompter->error(result.stopReason);
}

// ----- TimeImport -----

TimeImport::TimeImport(const TimeImportOptions& options, TimeImportEnvironment& environment)
    : state_(std::make_unique<State>(options, environment)) {}

TimeImport::~TimeImport() = default;

bool TimeImport::read(std::string text) {
    State& s = *state_;
    switch (s.options.mode) {
    case ImportMode::CompanyAbsences:
        return read(readCompanyAbsences(text, s.options.importFile));
    case ImportMode::CompanyTimes:
        return read(readCompanyTimes(text));
    case ImportMode::StandardTimes:
    case ImportMode::StandardAbsences:
        break;
    }
    s.text = std::move(text);
    if (!s.start()) return false;
    return readStandardText(s);
}

bool TimeImport::read(LayoutReading reading) {
    State& s = *state_;
    s.records = std::move(reading.records);
    if (!s.start()) return false;
    return readLayoutRecords(s, reading.stop);
}

void TimeImport::write() {
    if (state_->stopped) return;
    writeDays(*state_);
}

const ImportPicture& TimeImport::picture() const {
    return state_->picture;
}

TimeImportResult& TimeImport::result() {
    State& s = *state_;
    s.result.protocol = s.protocol.wholeText();
    s.result.shownProtocol = s.protocol.text();
    return s.result;
}

TimeImportResult runTimeImport(const TimeImportOptions& options, TimeImportEnvironment& environment) {
    TimeImport run(options, environment);
    TimeImport::State& s = *run.state_;
    try {
        if (s.start()) {
            std::string text;
            try {
                text = importFileText(options.importFile);
            } catch (const LorvanError& e) {
                // A file that went away or cannot be read since the start checks: its message.
                s.protocol.error(std::string(e.what()) + "\n");
                s.stop(e.what());
            }
            if (!s.stopped && run.read(std::move(text))) run.write();
        }
    } catch (const std::exception& e) {
        s.protocol.error(std::string("EXCEPTION: ") + e.what() + "\n");
        s.result.success = false;
        s.result.stopReason = kImportFailed;
        environment.prompter->error(kImportFailed);
    }
    if (environment.showProtocol) environment.showProtocol(s.protocol.text());
    return std::move(run.result());
}

} // namespace lorvan
