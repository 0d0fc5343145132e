#pragma once

#include "platform/prompter.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The protocol of an import: every text is kept in memory and, when a protocol file is given,
// appended to that file as it arises, so that a run that ends abruptly still leaves its protocol.
namespace lorvan {

class TextFile;

inline constexpr const char* kErrorPrefix = "FEHLER: ";

// The text as an error: "FEHLER: " + text, unless it starts with "FEHLER: " already.
std::string asErrorText(std::string_view text);

class ImportProtocol {
  public:
    // logAll: ordinary texts are recorded as well ("Ausführliches Protokoll").
    explicit ImportProtocol(bool logAll);
    ~ImportProtocol();
    ImportProtocol(const ImportProtocol&) = delete;
    ImportProtocol& operator=(const ImportProtocol&) = delete;

    // Creates the protocol file (an existing one is replaced) and records "Protokolldatei anlegen: "
    // + path; when it cannot be created, "Die Protokolldatei konnte nicht angelegt werden." with the
    // reason, and the import goes on without a file.
    void openFile(const std::string& path);

    // Every text recorded goes to echo as well (the command line writes it to standard error).
    void setEcho(std::function<void(const std::string&)> echo) { echo_ = std::move(echo); }

    bool logAll() const { return logAll_; }
    // A text of a run without problems: recorded only with log all.
    void ordinary(std::string_view text) { record(text, false); }
    // Errors and warnings: always recorded.
    void important(std::string_view text) { record(text, true); }
    void record(std::string_view text, bool important);
    // An error: asErrorText(text), always recorded.
    void error(std::string_view text) { important(asErrorText(text)); }

    // The protocol in memory, as the protocol window shows it.
    const std::string& text() const { return memory_; }
    // Everything recorded since the start (what the protocol file holds).
    const std::string& wholeText() const { return whole_; }
    // The writing phase starts a new memory protocol; the file and the whole text keep everything.
    void clearMemory() { memory_.clear(); }

  private:
    void add(std::string_view text);

    bool logAll_;
    std::string memory_;
    std::string whole_;
    std::unique_ptr<TextFile> file_;
    std::function<void(const std::string&)> echo_;
};

} // namespace lorvan
