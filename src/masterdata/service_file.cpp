#include "masterdata/service_file.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "foundation/text_encoding.h"
#include "masterdata/search_text.h"

#include <iterator>

namespace lorvan {
namespace {

constexpr const char* kNoServiceFound = "FEHLER: Es wurde keine passende Dienstleistung gefunden.\n";

} // namespace

std::string CDienstlDoc::costKindText(int32_t kind) {
    switch (kind) {
    case 0:
        return "Aus Stundenlohn";
    case 1:
        return "Fest je Stunde";
    case 2:
        return "Fester Betrag";
    default:
        return std::string();
    }
}

bool ServiceNameLess::operator()(std::string_view a, std::string_view b) const {
    return compareCp1252(a, b) < 0;
}

const CDienstlDoc* CTwDienstlDoc::find(std::string_view name) const {
    const auto it = services.find(name);
    return it == services.end() ? nullptr : &it->second;
}

std::vector<std::string> CTwDienstlDoc::names() const {
    std::vector<std::string> result;
    result.reserve(services.size());
    for (const auto& [name, service] : services)
        result.push_back(name);
    return result;
}

const CDienstlDoc* CTwDienstlDoc::searchService(std::string_view text, std::string& protocol) const {
    using search_text::comparableForm;
    using search_text::contains;

    std::string message = "Suche Dienstleistung: '" + std::string(text) + "'\n";
    const std::string form = comparableForm(text);

    // A blank text (or one without any letter or digit) would be contained in every name; it
    // designates a service only by being its exact name.
    using Match = bool (*)(const CDienstlDoc&, std::string_view, const std::string&);
    const Match passes[] = {
        [](const CDienstlDoc& s, std::string_view t, const std::string&) { return s.name == t; },
        [](const CDienstlDoc& s, std::string_view t, const std::string&) {
            return !trimWhiteSpace(t).empty() && contains(s.name, t);
        },
        [](const CDienstlDoc& s, std::string_view, const std::string& f) {
            return search_text::hasLetterOrDigit(f) && contains(comparableForm(s.name), f);
        },
    };

    for (const Match& pass : passes) {
        std::vector<const CDienstlDoc*> matches;
        for (const auto& [name, service] : services)
            if (pass(service, text, form)) matches.push_back(&service);
        if (matches.size() == 1) return matches.front();
        if (matches.empty()) continue;
        message += "Es gibt mehrere Dienstleistungen mit einer passenden Bezeichnung:\n";
        for (const CDienstlDoc* s : matches)
            message += s->name + "\n";
        message += kNoServiceFound;
        protocol += message;
        return nullptr;
    }
    message += kNoServiceFound;
    protocol += message;
    return nullptr;
}

void CTwDienstlDoc::store(ArchiveWriter& ar) const {
    ar.writeInt32(kCurrentVersion);
    ar.writeCount(services.size());
    for (const auto& [name, s] : services) {
        ar.writeString(s.name);
        ar.writeInt32(s.costKind);
        ar.writeFloat64(s.costs);
    }
}

int32_t CTwDienstlDoc::load(ArchiveReader& ar) {
    clear();
    const int32_t version = ar.readInt32();
    if (version > kCurrentVersion) throw NewerVersionError();
    const int32_t count = ar.readCount(1 + 4 + 8);
    for (int32_t i = 0; i < count; ++i) {
        CDienstlDoc s;
        s.name = ar.readString();
        s.costKind = ar.readInt32();
        s.costs = ar.readFloat64();
        std::string key = s.name;
        services.insert_or_assign(std::move(key), std::move(s));
    }
    return version;
}

void CTwDienstlDoc::clear() {
    services.clear();
}

} // namespace lorvan
