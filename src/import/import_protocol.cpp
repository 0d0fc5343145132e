#include "import/import_protocol.h"

#include "foundation/text_file.h"

#include <utility>

namespace lorvan {

std::string asErrorText(std::string_view text) {
    if (text.substr(0, std::string_view(kErrorPrefix).size()) == kErrorPrefix) return std::string(text);
    return kErrorPrefix + std::string(text);
}

ImportProtocol::ImportProtocol(bool logAll) : logAll_(logAll) {}

ImportProtocol::~ImportProtocol() = default;

void ImportProtocol::openFile(const std::string& path) {
    // Nothing asks while the protocol is written: a full disk ends the file, not the import.
    auto file = std::make_unique<TextFile>(path, true);
    if (!file->open(TextFile::Mode::Create)) {
        add("Die Protokolldatei konnte nicht angelegt werden.\n" + file->fullErrorText() + "\n");
        return;
    }
    file_ = std::move(file);
    add("Protokolldatei anlegen: " + path + "\n");
}

void ImportProtocol::record(std::string_view text, bool important) {
    if (important || logAll_) add(text);
}

void ImportProtocol::add(std::string_view text) {
    memory_.append(text);
    whole_.append(text);
    if (echo_) echo_(std::string(text));
    if (file_ && !file_->tryWriteLine(std::string(text))) {
        const std::string reason = file_->fullErrorText();
        // The file is given up: every later text would fail the same way.
        file_.reset();
        add("FEHLER: beim Schreiben der Zeile ins Protokoll\n" + reason + "\n");
    }
}

} // namespace lorvan
