#include "import/time_import.h"

#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/file_system.h"
#include "foundation/text_encoding.h"
#include "import/import_file_text.h"
#include "import/time_import_state.h"
#include "platform/prompter.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace lorvan {
namespace {

constexpr const char* kNoEmployeeFile = "Es konnte nicht auf die Mitarbeiterdatei zugegriffen werden.";
constexpr const char* kImportFailed = "Der Import wurde aufgrund eines Fehlers abgebrochen.";

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
    if (auto refusal = protocolFileRefusal(protocol, options.importFile, dataDirectory))
        return ImportStartRefusal{*refusal, true};
    return std::nullopt;
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
