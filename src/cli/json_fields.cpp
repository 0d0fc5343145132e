#include "cli/json_fields.h"

#include "foundation/error.h"

#include <cmath>
#include <limits>

namespace lorvan::cli {

JsonObjectReader::JsonObjectReader(const nlohmann::json& object, std::string context)
    : object_(object), context_(std::move(context)) {
    if (!object_.is_object()) throw LorvanError("'" + context_ + "' muss ein JSON-Objekt sein.");
}

const nlohmann::json* JsonObjectReader::find(const char* key) {
    known_.insert(key);
    auto it = object_.find(key);
    if (it == object_.end() || it->is_null()) return nullptr;
    return &*it;
}

void JsonObjectReader::wrongType(const char* key, const char* expected) const {
    throw LorvanError("Falscher Wert für '" + std::string(key) + "' in '" + context_ + "': erwartet " + expected +
                      ".");
}

void JsonObjectReader::get(const char* key, int32_t& value) {
    const nlohmann::json* v = find(key);
    if (!v) return;
    if (v->is_boolean()) {
        value = v->get<bool>() ? 1 : 0;
        return;
    }
    if (v->is_number_integer()) {
        const auto n = v->get<int64_t>();
        if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
            wrongType(key, "eine ganze Zahl im 32-Bit-Bereich");
        value = static_cast<int32_t>(n);
        return;
    }
    if (v->is_number_unsigned()) wrongType(key, "eine ganze Zahl im 32-Bit-Bereich");
    wrongType(key, "eine ganze Zahl");
}

void JsonObjectReader::get(const char* key, double& value) {
    const nlohmann::json* v = find(key);
    if (!v) return;
    if (!v->is_number()) wrongType(key, "eine Zahl");
    value = v->get<double>();
}

void JsonObjectReader::get(const char* key, std::string& value) {
    const nlohmann::json* v = find(key);
    if (!v) return;
    if (!v->is_string()) wrongType(key, "ein Text");
    value = v->get<std::string>();
}

const nlohmann::json* JsonObjectReader::array(const char* key) {
    const nlohmann::json* v = find(key);
    if (v && !v->is_array()) wrongType(key, "eine Liste");
    return v;
}

const nlohmann::json* JsonObjectReader::object(const char* key) {
    const nlohmann::json* v = find(key);
    if (v && !v->is_object()) wrongType(key, "ein Objekt");
    return v;
}

void JsonObjectReader::ignore(const char* key) { known_.insert(key); }

void JsonObjectReader::finish() const {
    for (auto it = object_.begin(); it != object_.end(); ++it)
        if (!known_.count(it.key()))
            throw LorvanError("Unbekannter Schlüssel '" + it.key() + "' in '" + context_ + "'.");
}

std::string elementContext(const std::string& parent, const char* key, size_t index) {
    const std::string path = parent.empty() ? std::string(key) : parent + "." + key;
    return path + "[" + std::to_string(index) + "]";
}

void checkFileKind(JsonObjectReader& reader, const char* kind) {
    std::string fileKind = kind;
    reader.get("file_kind", fileKind);
    if (fileKind != kind)
        throw LorvanError("Die JSON-Daten beschreiben eine Datei der Art '" + fileKind + "', erwartet wird '" +
                          kind + "'.");
    int32_t version = 0;
    reader.get("version", version);
}

} // namespace lorvan::cli
