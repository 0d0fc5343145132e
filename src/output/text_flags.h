#pragma once

#include <cstdint>

namespace lorvan {

// Text flags of a text, a column or a cell (the page engine and its surfaces).
enum TextFlag : int32_t {
    kTextBold = 0x0001, // weight 700, else 400
    kTextItalic = 0x0002,
    kTextUnderline = 0x0004,
    kTextStrikeOut = 0x0008,
    kTextBox = 0x0010,         // a thin black rectangle with the current fill around the text
    kTextIndentTitle = 0x0020, // table column: header title indented by 10 device units
    kTextRight = 0x0040,       // right-aligned unless centred
    kTextCentre = 0x0080,      // neither right nor centred: left-aligned
    kTextExpandTabs = 0x0100,
    kTextSingleLine = 0x0200, // else word-wrapped within the rectangle
    kTextNoClip = 0x0400,
    kTextVerticalCentre = 0x0800,
    kTextMultiLineCell = 0x1000, // table column: the cell may grow downwards
};

// Fill values of boxes and header cells; the first matching bit in this order wins, anything else is
// no fill.
enum FillValue : int32_t {
    kFillNone = 0,
    kFillGrey = 1,
    kFillLightGrey = 2,
    kFillDarkGrey = 4,
    kFillBlack = 8,
};

} // namespace lorvan
