#include "foundation/io_select.h"

#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/format.h"

#include <utility>

namespace lorvan {
namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

IoSelect::IoSelect(IoSelectMode mode, std::string proposal, std::string titleBase,
                   std::string initialDirectory)
    : mode_(mode), proposal_(std::move(proposal)), titleBase_(std::move(titleBase)),
      initialDirectory_(std::move(initialDirectory)) {}

std::string IoSelect::title() const {
    if (!exactTitle_.empty()) return exactTitle_;
    switch (mode_) {
    case IoSelectMode::SelectFile:
        return titleBase_ + " auswählen";
    case IoSelectMode::OpenFile:
        return titleBase_ + " öffnen";
    case IoSelectMode::SaveFile:
        return titleBase_ + " speichern";
    case IoSelectMode::DefineFile:
    case IoSelectMode::SelectDirectory:
        return titleBase_ + " festlegen";
    }
    return titleBase_;
}

std::string IoSelect::confirmButtonText() const {
    switch (mode_) {
    case IoSelectMode::SelectFile:
        return "&Auswählen";
    case IoSelectMode::OpenFile:
        return "&Öffnen";
    case IoSelectMode::SaveFile:
        return "&Speichern";
    case IoSelectMode::DefineFile:
    case IoSelectMode::SelectDirectory:
        return "&Festlegen";
    }
    return std::string();
}

void IoSelect::addFilter(const std::string& name, const std::string& patterns) {
    std::string filter = patterns;
    if (patterns.rfind('*', 0) != 0 && patterns.find('.') == std::string::npos) {
        filter.clear();
        size_t begin = 0;
        for (;;) {
            const size_t end = patterns.find(';', begin);
            if (!filter.empty()) filter += ';';
            filter += "*." + trimmed(patterns.substr(begin, end == std::string::npos ? end : end - begin));
            if (end == std::string::npos) break;
            begin = end + 1;
        }
    }
    filters_.push_back({name + " (" + filter + ")", filter});
}

std::vector<FileTypeFilter> IoSelect::filters() const {
    // No file name contains "/", so this pattern lists nothing.
    if (mode_ == IoSelectMode::SelectDirectory) return {{"Keine Dateien", "/"}};
    std::vector<FileTypeFilter> list = filters_;
    if (allFilesEntry_ || list.empty()) list.push_back({"Alle Dateien (*.*)", "*.*"});
    return list;
}

void IoSelect::setDefaultExtension(const std::string& extension) {
    defaultExtension_ = extension.rfind("*.", 0) == 0 ? extension.substr(2) : extension;
}

std::string IoSelect::withDefaultExtension(const std::string& typedName) const {
    if (mode_ == IoSelectMode::SelectDirectory || defaultExtension_.empty()) return typedName;
    const std::string name = fileNameOfPath(typedName);
    if (name.empty() || name.find('.') != std::string::npos) return typedName;
    return typedName + "." + defaultExtension_;
}

IoSelect::StartPlace IoSelect::startPlace(const std::string& currentDirectory) const {
    StartPlace place;
    std::string wanted;
    std::string initial;
    try {
        initial =
            initialDirectory_.empty() ? std::string() : absolutePath(initialDirectory_, currentDirectory);
        const std::string base = initial.empty() ? withSeparator(currentDirectory, true) : initial;
        if (mode_ == IoSelectMode::SelectDirectory) {
            wanted = absolutePath(proposal_.empty() ? initial : proposal_, base);
        } else {
            wanted = absolutePath(directoryOfPath(proposal_, false), base);
            place.fileName = fileNameOfPath(proposal_);
        }
    } catch (const LorvanError&) {
        wanted.clear(); // a path the system cannot take: start elsewhere
    }
    place.directory = nearestExistingDirectory(wanted);
    if (place.directory.empty()) place.directory = initial;
    if (place.directory.empty()) place.directory = withSeparator(currentDirectory, true);
    return place;
}

bool IoSelect::acceptsOnlyExistingFiles() const {
    return mode_ == IoSelectMode::SelectFile || mode_ == IoSelectMode::OpenFile;
}

bool IoSelect::asksBeforeOverwriting() const {
    return !acceptsOnlyExistingFiles();
}

std::string IoSelect::result(const std::string& chosen) const {
    if (mode_ == IoSelectMode::SelectDirectory) return withSeparator(chosen, true);
    return withSeparator(chosen, false);
}

std::string IoSelect::invalidFileNameMessage(const std::string& path) {
    return "Der Dateiname " + path + " ist ungültig.";
}

std::string IoSelect::dialogErrorMessage(unsigned errorCode) {
    return format("Fehler beim Öffnen des Dialoges: %u.", errorCode);
}

} // namespace lorvan
