#pragma once

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan::cli {

// Writes JSON text straight into a string, in exactly the form nlohmann's dump(2) gives a tree
// (two spaces a level, ": " after a key, "[]" and "{}" when empty, numbers and escapes alike), without
// building the tree first: show writes the large year files this way. Keys are written in the order
// they are given; a caller that stands in for a tree of nlohmann::json gives them sorted.
class JsonStreamWriter {
public:
    explicit JsonStreamWriter(std::string& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value in the current object: a name without characters to escape.
    void key(std::string_view name);

    void value(int32_t number);
    void value(double number);
    void value(std::string_view text);
    void value(const std::string& text) { value(std::string_view(text)); }
    template <size_t N> void value(const std::array<double, N>& numbers) {
        beginArray();
        for (double number : numbers)
            value(number);
        endArray();
    }
    // A tree, indented to where it stands.
    void value(const nlohmann::json& tree);

    // key and value in one.
    template <typename T> void field(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

private:
    void beforeValue();
    void newLine(size_t depth);
    void indent(size_t depth);
    void escaped(std::string_view text);

    std::string& out_;
    // Per open object or array: whether anything was written into it yet.
    std::vector<uint8_t> started_;
    bool afterKey_ = false;
};

} // namespace lorvan::cli
