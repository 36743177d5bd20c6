#pragma once
// Stand-ins for a grid's view in tests of the grid logic: fixed-width font metrics, cell
// geometry from the grid's widths, and a canvas that records what is drawn.

#include <string>
#include <vector>

#include "designer/rtnGrids/GridCanvas.h"
#include "designer/rtnGrids/StringGrid.h"

namespace vantorell::test {

// Every byte of a text is kCharWidth pixels wide, every text kTextHeight high.
constexpr int kCharWidth = 6;
constexpr int kTextHeight = 13;

class FakeGridPort : public GridPort {
public:
    explicit FakeGridPort(StringGrid& grid, Rect bounds = Rect{10, 20, 410, 320});
    ~FakeGridPort() override;

    int textWidth(const std::string& text) const override;
    int textHeight(const std::string& text) const override;
    // Cells from the grid's top-left corner, with grid lines between them; nothing scrolled.
    Rect cellRect(int col, int row) const override;
    Rect bounds() const override { return bounds_; }
    void focusGrid() override { ++focusCount; }

    int focusCount = 0;

private:
    StringGrid& grid_;
    Rect bounds_;
};

struct CanvasOp {
    enum class Kind { Fill, Rectangle, TextOut, TextRect, FocusRect, Bitmap };
    Kind kind;
    Rect rect;  // the filled, clipping or focus rectangle
    int x = 0;
    int y = 0;
    std::string text;  // text, or bitmap name
    Color brush;       // brush colour when drawn
    BrushStyle style = BrushStyle::Solid;
    Color font;
};

class RecordingCanvas : public GridCanvas {
public:
    void setFontColor(Color c) override { font_ = c; }
    Color fontColor() const override { return font_; }
    void setBrush(Color c, BrushStyle style) override {
        brush_ = c;
        style_ = style;
    }
    Color brushColor() const override { return brush_; }
    BrushStyle brushStyle() const override { return style_; }
    void setPenColor(Color c) override { pen_ = c; }

    void fillRect(const Rect& r) override { record(CanvasOp::Kind::Fill, r); }
    void rectangle(const Rect& r) override { record(CanvasOp::Kind::Rectangle, r); }
    void textOut(int x, int y, const std::string& text) override;
    void textRect(const Rect& clip, int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) const override;
    int textHeight(const std::string& text) const override;
    void drawFocusRect(const Rect& r) override { record(CanvasOp::Kind::FocusRect, r); }
    void drawBitmap(int x, int y, const std::string& name) override;
    Size bitmapSize(const std::string& name) const override;

    // The recorded operations of one kind, in drawing order.
    std::vector<CanvasOp> ofKind(CanvasOp::Kind kind) const;

    std::vector<CanvasOp> ops;

private:
    void record(CanvasOp::Kind kind, const Rect& r);

    Color font_ = clWindowText;
    Color brush_ = clWindow;
    BrushStyle style_ = BrushStyle::Solid;
    Color pen_ = clBlack;
};

}  // namespace vantorell::test
