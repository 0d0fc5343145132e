#include "output/recording_surface.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

// A 10-point font at 600 dpi: 83 dots high, 41 dots a character.
TEST(RecordingSurface, FindsTheTextsThatDoNotFitWhereTheyWereDrawn) {
    FontSpec font;
    font.height = 83;
    struct Case {
        const char* name;
        std::string text;
        Rect box;
        int32_t flags;
        bool outside;
    };
    const Case cases[] = {
        {"a line that just fits", "Urlaub", Rect{0, 0, 246, 83}, kTextSingleLine, false},
        {"a line one dot too narrow", "Urlaub", Rect{0, 0, 245, 83}, kTextSingleLine, true},
        {"a line one dot too low", "Urlaub", Rect{0, 0, 246, 82}, kTextSingleLine, true},
        {"wrapped lines that fit", "Tage >= 14 Stunden", Rect{0, 0, 600, 166}, 0, false},
        {"wrapped lines too many for the height", "Tage >= 14 Stunden", Rect{0, 0, 600, 125}, 0, true},
        {"a word wider than the box", "Zeitausgleich", Rect{0, 0, 500, 500}, 0, true},
        {"trailing blanks take room", "05.      ", Rect{0, 0, 246, 83}, kTextSingleLine, true},
        {"beyond the page's bottom", "Urlaub", Rect{0, 7000, 246, 7083}, kTextSingleLine, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSurface surface(600);
        surface.drawText(c.text, font, c.box, c.flags);
        EXPECT_EQ(surface.textsOutsideTheirBox().size(), c.outside ? 1u : 0u);
    }
}

} // namespace
} // namespace lorvan
