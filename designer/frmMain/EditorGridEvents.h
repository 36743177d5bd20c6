#pragma once
// An editor grid's view hands its keys, mouse, double clicks, exit and cell drawing to the
// editor's handlers, each with the editors' state.

#include "designer/frmMain/EditorState.h"
#include "designer/rtnGrids/GridCanvas.h"

namespace vantorell {

class GridView;

struct EditorGridHandlers {
    void (*keyDown)(EditorState& editors, int& key, ShiftState shift) = nullptr;
    void (*keyPress)(EditorState& editors, char32_t& key) = nullptr;
    void (*mouseDown)(EditorState& editors, const GridMouseEvent& event) = nullptr;
    void (*mouseMove)(EditorState& editors, const GridMouseEvent& event) = nullptr;
    void (*dblClick)(EditorState& editors) = nullptr;
    void (*exit)(EditorState& editors) = nullptr;
    void (*drawCell)(const EditorState& editors, int col, int row, const Rect& rect,
                     GridDrawState state, GridCanvas& canvas) = nullptr;
};

// The view's events go to the handlers that are given; the others stay as they were.
void nulEditorGridConnect(GridView& view, EditorState& editors, const EditorGridHandlers& handlers);

}  // namespace vantorell
