#pragma once

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

// Reading one JSON object field by field into a record: missing keys keep the record's defaults,
// wrong types and unknown keys are refused with a German message.
namespace lorvan::cli {

class JsonObjectReader {
public:
    // context names the object in messages, e.g. "settings" or "months[2].days[4]".
    JsonObjectReader(const nlohmann::json& object, std::string context);

    void get(const char* key, int32_t& value);
    void get(const char* key, double& value);
    void get(const char* key, std::string& value);
    template <size_t N, typename T> void get(const char* key, std::array<T, N>& values);
    // The array under key, or nullptr when the key is missing.
    const nlohmann::json* array(const char* key);
    const nlohmann::json* object(const char* key);
    // Marks a key as known without reading it (derived values such as "duration_text").
    void ignore(const char* key);
    // Refuses every key that was not asked for.
    void finish() const;

    const std::string& context() const { return context_; }

private:
    const nlohmann::json* find(const char* key);
    [[noreturn]] void wrongType(const char* key, const char* expected) const;

    const nlohmann::json& object_;
    std::string context_;
    std::set<std::string> known_;
};

template <size_t N, typename T> void JsonObjectReader::get(const char* key, std::array<T, N>& values) {
    const nlohmann::json* a = find(key);
    if (!a) return;
    if (!a->is_array() || a->size() != N) wrongType(key, ("Liste mit " + std::to_string(N) + " Werten").c_str());
    for (size_t i = 0; i < N; ++i) {
        nlohmann::json wrapper = nlohmann::json::object();
        wrapper["v"] = (*a)[i];
        JsonObjectReader inner(wrapper, context_ + "." + key + "[" + std::to_string(i) + "]");
        inner.get("v", values[i]);
    }
}

// The context of element index of the list under key, e.g. "months[2].days[4]".
std::string elementContext(const std::string& parent, const char* key, size_t index);

// Checks the "file_kind" and "version" keys of a file object (version is informational: files are
// always written in the current version).
void checkFileKind(JsonObjectReader& reader, const char* kind);

} // namespace lorvan::cli
