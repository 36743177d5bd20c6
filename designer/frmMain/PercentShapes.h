#pragma once
// The shape commands of the measure values tool bar: each fills the whole sibling group of
// the grid at once (level, rising, falling, curving up or down, peak, valley, random),
// unlocking every row first, and balances it to exactly 100 %.

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// c / b × a, in extended precision.
double dblLinearValueGet(float a, float b, float c);
// b + (d - b) / e² × e^(2a / c), in extended precision: from b + (d - b) / e² at a = 0 it
// bends towards d at a = c.
double dblCurveValueGet(float a, float b, float c, float d);

// Each command acts only while tree and measures hold values and the selected measure is
// independent, as its button is enabled then only.
void tbnMeasureValuesLevelClick(EditorState& editors);
void tbnMeasureValuesRisingClick(EditorState& editors);
void tbnMeasureValuesFallingClick(EditorState& editors);
void tbnMeasureValuesCurvingUpClick(EditorState& editors);
void tbnMeasureValuesCurvingDownClick(EditorState& editors);
void tbnMeasureValuesPeakClick(EditorState& editors);
void tbnMeasureValuesValleyClick(EditorState& editors);
void tbnMeasureValuesRandomClick(EditorState& editors);

}  // namespace vantorell
