#pragma once
// One dimension of a cube laid out as report rows and drilled down until its whole
// category tree is on the report, and the model's categories made from those rows.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/CubeAutomation.h"

namespace vantorell {

// A report row below the dimension's own row. Rows are in report order, which is the tree's
// pre-order: a row's children follow it directly.
struct TCubeRow {
    std::string name;          // as the cube tool gave it, less a trailing control character
    std::int32_t parent = -1;  // index of the parent row; -1 for a top-level category
    std::int32_t children = 0;
};

// Drills the report's rows down, starting with row 1 (the dimension itself, whose children
// are the top-level categories; debug bit 2 tells), then every later row in turn, also those
// that earlier drill-downs added. Returns report rows 2 to the last.
std::vector<TCubeRow> arrCubeRowsDrill(CubeReport& report, int debugMask);

// The categories of one dimension as the CAT section lists them, and the rows behind them.
struct TCubeCategories {
    std::string lines;                     // name, code and identifier lines; "*" closes a parent
    std::vector<std::int32_t> leafRows;    // row of each leaf, in number order
    std::vector<std::int32_t> parentRows;  // row of each parent, in number order
    std::int32_t firstLeaf = 0;            // number of the dimension's first leaf
    std::int32_t firstParent = 0;
};

// Leaves are "C<j>", parents "H<k>", both counted over the whole model: `leafNumber` and
// `parentNumber` hold the last numbers given and move on. Names keep the characters 32 to
// 126; one that does not begin with a letter or digit gets a "~" in front, so that no name
// reads as a parent mark, a comment or a section end. A leaf whose name holds a double
// quote is left out; a parent none of whose leaves is left becomes a leaf itself.
TCubeCategories nulCubeCategoriesMake(const std::vector<TCubeRow>& rows, std::int32_t& leafNumber,
                                      std::int32_t& parentNumber);

// The name as a model holds it: characters 32 to 126 only.
std::string strCubeNameFilter(const std::string& name);

// "<prefix><first 10 characters of the name without spaces>".
std::string strCubeCode(const std::string& prefix, const std::string& name);

}  // namespace vantorell
