#pragma once
// Editing a numeric cell: integers as decimal text, typed as "-", "." and digits, stored
// scaled (a typed 12.5 at scale 10,000 is stored as 125000).

#include <cstdint>
#include <string>

#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

// Starts editing the current cell: its text goes to `previousText`; with `replace`, the cell
// becomes the typed character when that is "-", "." or a digit, and empty otherwise. Without
// it, a whole number is edited in the unit the cell shows, the value divided by `scale`
// (142858 at scale 10,000 is edited as "14.2858").
void nulGridNumericEditStart(StringGrid& grid, bool replace, char32_t typed,
                             std::string& previousText, std::int64_t scale = 1);

enum class NumericEditEnd {
    NotEditing,  // the in-place editor was off: nothing done
    Stored,      // the cell holds the scaled, clamped integer
    Refused,     // the text is not a number: the cell got `previousText` back
};

// Ends editing the current cell: "" and "-" count as 0; the decimal text, scaled and truncated
// toward zero, is clamped to -limit..limit and stored as decimal text. A text left as the
// edit started showing it gives the cell `previousText` back, so an edit without a change
// changes nothing.
NumericEditEnd nulGridNumericEditEnd(StringGrid& grid, std::int64_t scale, std::int64_t limit,
                                     const std::string& previousText);

// Ends editing the current cell without taking what was typed: the cell gets `previousText`
// back. False when no edit was open.
bool nulGridNumericEditCancel(StringGrid& grid, const std::string& previousText);

}  // namespace vantorell
