#pragma once
// The end of a numeric cell edit in the editor grids: a text that does not convert is
// refused there and then, so that nothing later fails on the cell.

#include <cstdint>
#include <string>

#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

// "Sorry, the value entered (i.e. <text>) is not a number."
std::string strNotANumberMessage(const std::string& text);

// Ends the numeric edit of the current cell (nulGridNumericEditEnd). A text that is no number
// gets the "Sorry..." message, and the cell its previous text back. True when the cell holds
// the value typed, scaled and clamped; false also when no edit was open.
bool flgGridNumericEditCommit(StringGrid& grid, std::int64_t scale, std::int64_t limit,
                              const std::string& previousText);

}  // namespace vantorell
