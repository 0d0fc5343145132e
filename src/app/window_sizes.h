#pragma once

#include "platform/user_store.h"

namespace lorvan {

// A window's outer width and height in pixels.
struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};

// The last size of the document windows of each view number, kept in the per-user store under
// "WindowSize%ld" with "Width" and "High".
class WindowSizes {
  public:
    explicit WindowSizes(UserStore& store) : store_(store) {}

    // The stored size of the view's windows; the designed size stands in for a value that is
    // missing or not a positive whole number (each of the two on its own).
    WindowSize restore(long viewNumber, WindowSize designed) const;

    // Keeps the size of a window closed with its own closing button. Nothing is written when both
    // values equal the stored ones, when the width or the height is 200 pixels or less, or when the
    // window is maximised. True when the size was written.
    bool save(long viewNumber, WindowSize outer, bool maximised);

    // Windows this small are not remembered.
    static constexpr int kSmallestKept = 201;

  private:
    UserStore& store_;
};

} // namespace lorvan
