#include "app/window_sizes.h"

#include <charconv>
#include <map>
#include <optional>
#include <string>

namespace lorvan {
namespace {

std::optional<int> storedPixels(const std::map<std::string, std::string>& stored, const char* entry) {
    const std::string text = entryOf(stored, entry);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, failure] = std::from_chars(text.data(), end, value);
    if (text.empty() || failure != std::errc() || rest != end) return std::nullopt;
    return value;
}

} // namespace

WindowSize WindowSizes::restore(long viewNumber, WindowSize designed) const {
    // A hand-edited store may hold anything; a window of no size cannot be handled by the user.
    const std::map<std::string, std::string> stored = store_.readSection(windowSizeSection(viewNumber));
    const std::optional<int> width = storedPixels(stored, kStoreWidth);
    const std::optional<int> height = storedPixels(stored, kStoreHeight);
    return WindowSize{width && *width > 0 ? *width : designed.width,
                      height && *height > 0 ? *height : designed.height};
}

bool WindowSizes::save(long viewNumber, WindowSize outer, bool maximised) {
    if (maximised || outer.width < kSmallestKept || outer.height < kSmallestKept) return false;
    const std::map<std::string, std::string> stored = store_.readSection(windowSizeSection(viewNumber));
    if (storedPixels(stored, kStoreWidth) == outer.width &&
        storedPixels(stored, kStoreHeight) == outer.height)
        return false;
    return store_.writeStrings(windowSizeSection(viewNumber), {{kStoreWidth, std::to_string(outer.width)},
                                                               {kStoreHeight, std::to_string(outer.height)}});
}

} // namespace lorvan
