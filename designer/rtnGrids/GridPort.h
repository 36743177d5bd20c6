#pragma once
// The grid's link to the view that shows it: font metrics, cell geometry and the focus.
// A grid without a view measures every text as 0 pixels and has no geometry.

#include <string>

#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

class GridPort {
public:
    virtual ~GridPort() = default;

    // Text size in the font the grid draws its cells with.
    virtual int textWidth(const std::string& text) const = 0;
    virtual int textHeight(const std::string& text) const = 0;
    // The cell's rectangle in the grid's own coordinates (heading rows included).
    virtual Rect cellRect(int col, int row) const = 0;
    // The grid's rectangle in its parent's coordinates.
    virtual Rect bounds() const = 0;
    virtual void focusGrid() = 0;
};

}  // namespace vantorell
