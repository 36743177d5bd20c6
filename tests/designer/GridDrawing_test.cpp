// Cell drawing: backgrounds by draw state, aligned text and percentage bars.
#include "designer/rtnGrids/GridDrawing.h"

#include <gtest/gtest.h>

#include "designer/rtnGrids/GridRows.h"
#include "tests/support/GridFakes.h"

namespace vantorell {
namespace {

using test::CanvasOp;
using test::RecordingCanvas;

TEST(GridDrawing, BackgroundColoursFollowTheDrawState) {
    const struct {
        GridDrawState state;
        bool drawFocusSelected;
        Color brush;
        Color font;
    } cases[] = {
        {{true, true, false}, true, clHighlight, clHighlightText},
        {{true, false, true}, true, clHighlight, clHighlightText},
        {{true, true, false}, false, clWindow, clWindowText},
        {{false, false, true}, true, clBtnFace, clBtnText},
        {{false, false, false}, true, clWindow, clWindowText},
    };
    for (const auto& c : cases) {
        StringGrid grid;
        if (c.drawFocusSelected) {
            grid.includeOption(goDrawFocusSelected);
        }
        RecordingCanvas canvas;
        canvas.setBrush(clNavy, BrushStyle::Clear);
        nulGridCellBackgroundPaint(grid, canvas, Rect{0, 0, 10, 10}, c.state);
        ASSERT_EQ(canvas.ops.size(), 1u);
        EXPECT_EQ(canvas.ops[0].kind, CanvasOp::Kind::Fill);
        EXPECT_EQ(canvas.ops[0].brush, c.brush);
        EXPECT_EQ(canvas.ops[0].style, BrushStyle::Solid);
        EXPECT_EQ(canvas.fontColor(), c.font);
    }
}

TEST(GridDrawing, TextIsPlacedByAlignmentWithinTheMargins) {
    const Rect cell{10, 30, 110, 50};  // 100 x 20; "abcd" measures 24 x 13
    const struct {
        int margins[4];
        int x, y, rightOffset, bottomOffset, hAlign, vAlign;
        int atX, atY;
    } cases[] = {
        {{0, 0, 0, 0}, 5, 4, 0, 0, 0, 0, 15, 34},
        {{0, 0, 0, 0}, 5, 4, 0, 0, 1, 1, 10 + 38, 30 + 3},
        {{0, 0, 0, 0}, 5, 4, 2, 1, 2, 2, 10 + 73, 30 + 6},
        {{3, 2, 0, 0}, 5, 4, 0, 0, 7, 9, 10 + 3, 30 + 2},
        {{0, 0, 0, 0}, -8, -3, 0, 0, 0, 0, 10, 30},
    };
    for (const auto& c : cases) {
        RecordingCanvas canvas;
        nulGridCellTextDraw(canvas, cell, c.margins[0], c.margins[1], c.margins[2], c.margins[3],
                            c.x, c.y, c.rightOffset, c.bottomOffset, c.hAlign, c.vAlign, 0, "abcd");
        ASSERT_EQ(canvas.ops.size(), 1u);
        EXPECT_EQ(canvas.ops[0].kind, CanvasOp::Kind::TextRect);
        EXPECT_EQ(canvas.ops[0].x, c.atX) << c.hAlign;
        EXPECT_EQ(canvas.ops[0].y, c.atY) << c.vAlign;
    }
}

TEST(GridDrawing, TextModesClipDrawFreeOrDrawNothing) {
    const Rect cell{10, 30, 110, 50};
    RecordingCanvas canvas;
    nulGridCellTextDraw(canvas, cell, 1, 2, 3, 4, 0, 0, 0, 0, 1, 1, 0, std::string(20, 'x'));
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].rect, (Rect{11, 32, 107, 46}));
    EXPECT_EQ(canvas.ops[0].x, 11) << "a text wider than the cell starts at the left margin";

    canvas.ops.clear();
    nulGridCellTextDraw(canvas, cell, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 1, "abcd");
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].kind, CanvasOp::Kind::TextOut);

    canvas.ops.clear();
    nulGridCellTextDraw(canvas, cell, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 2, "abcd");
    EXPECT_TRUE(canvas.ops.empty());
}

// A percentage column: one heading row, the value in (1, 1).
struct BarGrid : StringGrid {
    explicit BarGrid(const std::string& value) {
        setColCount(2);
        setFixedCols(0);
        nulGridRowSet(*this, 0, 0, {"For", "Percent"});
        nulGridClear(*this);
        nulGridRowAdd(*this, {"North and Sales", value});
    }
};

const Rect kBarCell{40, 20, 142, 40};  // 102 wide: an inner width of 100

struct BarCase {
    const char* cell;
    double fullScale;
    const char* text;
    int barRight;  // 0 for no bar
};

TEST(GridDrawing, PercentBarGeometryAndText) {
    const BarCase cases[] = {
        {"250000", 100, " 25 % ", 40 + 25 + 1},
        {"-250000", 100, " -25 % ", 40 + 25 + 1},
        {"125000", 100, " 12.5 % ", 40 + 12 + 1},
        {"1", 100, " 0.0001 % ", 0},
        {"1500000", 100, " 150 % ", 142},
        {"2147483647", 0.001, " 214748.3647 % ", 142},
        {"250000", 0, " 25 % ", 0},
        {"12.5", 100, "12.5", 0},
        {"many", 100, "many", 0},
        {"99999999999999999999", 100, "99999999999999999999", 0},
        {"", 100, "", 0},
    };
    for (const BarCase& c : cases) {
        BarGrid grid(c.cell);
        RecordingCanvas canvas;
        nulGridCellPercentBarDraw(grid, canvas, kBarCell, 1, 1, GridDrawState{}, 10000, c.fullScale,
                                  clNavy, clWindowText, true);
        std::vector<CanvasOp> bars;
        for (const CanvasOp& fill : canvas.ofKind(CanvasOp::Kind::Fill)) {
            if (fill.brush == clNavy) {
                bars.push_back(fill);
            }
        }
        if (c.barRight == 0) {
            EXPECT_TRUE(bars.empty()) << c.cell;
            const auto texts = canvas.ofKind(CanvasOp::Kind::TextOut);
            ASSERT_EQ(texts.size(), 1u) << c.cell;
            EXPECT_EQ(texts[0].text, c.text);
            EXPECT_EQ(texts[0].style, BrushStyle::Clear);
            EXPECT_EQ(texts[0].font, clWindowText);
            continue;
        }
        ASSERT_EQ(bars.size(), 1u) << c.cell;
        const Rect bar{41, 21, c.barRight, 39};
        EXPECT_EQ(bars[0].rect, bar) << c.cell;
        // The text comes after the bar, so the bar hides none of it: over the bar in white,
        // beside it in the text colour, from the same place.
        const auto texts = canvas.ofKind(CanvasOp::Kind::TextRect);
        ASSERT_EQ(texts.size(), c.barRight < kBarCell.right ? 2u : 1u) << c.cell;
        for (const CanvasOp& text : texts) {
            EXPECT_EQ(text.text, c.text);
            EXPECT_EQ(text.style, BrushStyle::Clear);
            EXPECT_EQ(text.x, texts[0].x);
        }
        EXPECT_EQ(texts.back().rect, bar);
        EXPECT_EQ(texts.back().font, clWhite);
        if (texts.size() == 2) {
            EXPECT_EQ(texts[0].rect, (Rect{c.barRight, 20, 142, 40}));
            EXPECT_EQ(texts[0].font, clWindowText);
        }
        EXPECT_TRUE(canvas.ofKind(CanvasOp::Kind::TextOut).empty());
        EXPECT_EQ(canvas.ops.back().kind, CanvasOp::Kind::TextRect) << "nothing over the text";
    }
}

TEST(GridDrawing, TextOverABarStandsOutFromIt) {
    EXPECT_EQ(clBarTextColor(clGreen), clWhite);
    EXPECT_EQ(clBarTextColor(clNavy), clWhite);
    EXPECT_EQ(clBarTextColor(clMaroon), clWhite);
    EXPECT_EQ(clBarTextColor(Color::rgb(255, 255, 0)), clBlack);
    EXPECT_EQ(clBarTextColor(Color::rgb(144, 238, 144)), clBlack);
}

TEST(GridDrawing, PercentBarFocusHiddenValuesAndHeadings) {
    BarGrid grid("250000");
    RecordingCanvas canvas;
    nulGridCellPercentBarDraw(grid, canvas, kBarCell, 1, 1, GridDrawState{true, true, false}, 10000,
                              100, clGreen, clMaroon, true);
    ASSERT_EQ(canvas.ofKind(CanvasOp::Kind::FocusRect).size(), 1u);
    EXPECT_EQ(canvas.ops.front().kind, CanvasOp::Kind::Fill);
    EXPECT_EQ(canvas.ofKind(CanvasOp::Kind::TextRect)[0].font, clMaroon);

    canvas.ops.clear();
    nulGridCellPercentBarDraw(grid, canvas, kBarCell, 1, 1, GridDrawState{true, true, false}, 10000,
                              100, clGreen, clMaroon, false);
    EXPECT_EQ(canvas.ofKind(CanvasOp::Kind::Fill).size(), 1u) << "the background only";
    EXPECT_TRUE(canvas.ofKind(CanvasOp::Kind::FocusRect).empty());
    EXPECT_EQ(canvas.ofKind(CanvasOp::Kind::TextOut)[0].text, "");
    EXPECT_EQ(canvas.fontColor(), clWindowText);

    canvas.ops.clear();
    nulGridCellPercentBarDraw(grid, canvas, kBarCell, 1, 0, GridDrawState{false, false, true},
                              10000, 100, clGreen, clMaroon, true);
    EXPECT_TRUE(canvas.ops.empty()) << "heading cells are left alone";
}

}  // namespace
}  // namespace vantorell
