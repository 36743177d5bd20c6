#pragma once
// The measure values tool bar's scale and sign: the scale list with zooming in and out, and
// the pair of buttons that shows positive or negative shares.

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// A scale item chosen in the list; the grid is drawn again.
void cbxMeasureValuesScaleChange(EditorState& editors, int index);
// The next (smaller) scale item, unless the last is chosen; the previous one, unless the
// first is.
void tbnMeasureValuesScaleZoomInClick(EditorState& editors);
void tbnMeasureValuesScaleZoomOutClick(EditorState& editors);

// Shows the positive or the negative shares: the pending edits are stored with the sign
// shown so far, then the panels are chosen again with the new sign.
void tbnMeasureValuesShowClick(EditorState& editors, bool negative);

}  // namespace vantorell
