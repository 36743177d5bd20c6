#pragma once
// Editing a numeric cell: integers as decimal text, typed as "-", "." and digits, stored
// scaled (a typed 12.5 at scale 10,000 is stored as 125000).

#include <cstdint>
#include <string>

#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

// Starts editing the current cell: its text goes to `previousText`; with `replace`, the cell
// becomes the typed character when that is "-", "." or a digit, and empty otherwise.
void nulGridNumericEditStart(StringGrid& grid, bool replace, char32_t typed,
                             std::string& previousText);

enum class NumericEditEnd {
    NotEditing,  // the in-place editor was off: nothing done
    Stored,      // the cell holds the scaled, clamped integer
    Refused,     // the text is not a number: the cell got `previousText` back
};

// Ends editing the current cell: "" and "-" count as 0; the decimal text, scaled and truncated
// toward zero, is clamped to -limit..limit and stored as decimal text.
NumericEditEnd nulGridNumericEditEnd(StringGrid& grid, std::int64_t scale, std::int64_t limit,
                                     const std::string& previousText);

}  // namespace vantorell
