#pragma once
// Enter as an editor grid's key handler takes it: to end an open in-place edit before the
// grid moves on or is stored, and as the pop-up's "&Edit Item".

#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

// An open in-place edit ends as Enter would end it (the handler checks and stores the text),
// and the in-place editor is switched off.
template <class State>
void nulGridEditEndByEnter(State& state, StringGrid& grid, void (*keyPress)(State&, char32_t&)) {
    if (grid.editorMode()) {
        char32_t enter = U'\r';
        keyPress(state, enter);
        grid.setEditorMode(false);
    }
}

// Enter through the key handler; an Enter the handler leaves opens or closes the grid's own
// in-place editor while editing is among the grid's options.
template <class State>
void nulGridEditItemEnter(State& state, StringGrid& grid, void (*keyPress)(State&, char32_t&)) {
    char32_t enter = U'\r';
    keyPress(state, enter);
    if (enter != 0 && grid.hasOption(goEditing)) {
        grid.setEditorMode(!grid.editorMode());
    }
}

}  // namespace vantorell
