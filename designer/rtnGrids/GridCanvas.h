#pragma once
// What the cell drawing routines draw on: the grid's canvas during a drawing event. The view
// implements it with a painter; tests record the calls.

#include <string>

#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

enum class BrushStyle { Solid, Clear, BDiagonal };

struct Size {
    int width = 0;
    int height = 0;
};

class GridCanvas {
public:
    virtual ~GridCanvas() = default;

    virtual void setFontColor(Color c) = 0;
    virtual Color fontColor() const = 0;
    virtual void setBrush(Color c, BrushStyle style) = 0;
    virtual Color brushColor() const = 0;
    virtual BrushStyle brushStyle() const = 0;
    virtual void setPenColor(Color c) = 0;

    // Fills the rectangle with the brush.
    virtual void fillRect(const Rect& r) = 0;
    // Outlines the rectangle with the pen and fills its inside with the brush.
    virtual void rectangle(const Rect& r) = 0;
    // Text with its top-left corner at (x, y); a solid brush fills behind the text.
    virtual void textOut(int x, int y, const std::string& text) = 0;
    // As textOut, clipped to `clip`; a solid brush fills the whole clip rectangle.
    virtual void textRect(const Rect& clip, int x, int y, const std::string& text) = 0;
    virtual int textWidth(const std::string& text) const = 0;
    virtual int textHeight(const std::string& text) const = 0;
    virtual void drawFocusRect(const Rect& r) = 0;
    // A named bitmap of the program, drawn with its background colour left out; an unknown
    // name draws nothing and has the size 0 x 0.
    virtual void drawBitmap(int x, int y, const std::string& name) = 0;
    virtual Size bitmapSize(const std::string& name) const = 0;
};

}  // namespace vantorell
