#include "designer/frmMain/EditorGridEvents.h"

#include "designer/views/GridView.h"

namespace vantorell {

void nulEditorGridConnect(GridView& view, EditorState& editors,
                          const EditorGridHandlers& handlers) {
    EditorState* e = &editors;
    if (const auto keyDown = handlers.keyDown) {
        view.onKeyDown = [e, keyDown](int& key, ShiftState shift) { keyDown(*e, key, shift); };
    }
    if (const auto keyPress = handlers.keyPress) {
        view.onKeyPress = [e, keyPress](char32_t& key) { keyPress(*e, key); };
    }
    if (const auto mouseDown = handlers.mouseDown) {
        view.onMouseDown = [e, mouseDown](const GridMouseEvent& event) { mouseDown(*e, event); };
    }
    if (const auto mouseMove = handlers.mouseMove) {
        view.onMouseMove = [e, mouseMove](const GridMouseEvent& event) { mouseMove(*e, event); };
    }
    if (const auto dblClick = handlers.dblClick) {
        view.onDblClick = [e, dblClick] { dblClick(*e); };
    }
    if (const auto exit = handlers.exit) {
        view.onExit = [e, exit] { exit(*e); };
    }
    if (const auto drawCell = handlers.drawCell) {
        view.onDrawCell = [e, drawCell](int col, int row, const Rect& rect, GridDrawState state,
                                        GridCanvas& canvas) {
            drawCell(*e, col, row, rect, state, canvas);
        };
    }
}

}  // namespace vantorell
