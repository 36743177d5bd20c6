#pragma once
// The lower panel: which of its pages it shows for the selected node and the current
// measure, and the measure values tool bar's state.

#include <array>

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// Items of the scale list: the percentage a full-width bar stands for.
inline constexpr std::array<const char*, 11> kMeasureValuesScaleTexts = {
    "100", "50", "10", "5", "1", "0.5", "0.1", "0.05", "0.01", "0.005", "0.001"};

// The percentage of the scale item chosen.
double dblMeasureValuesScaleGet(const EditorState& editors);

// The measure values tool buttons are enabled while tree and measures hold values and the
// current measure is independent.
bool nulMeasureValuesSetButtonState(const EditorState& editors);

// Shows the measure values page for an independent measure, or for a weighted one whose
// weighting dimension holds the selected node, and loads it with the sign shown; the
// irregularities page comes with it for an irregularity type above 0. Otherwise both grids
// and their node lists are emptied and the panel hidden.
void nulMeasureValuesAndIrregularitiesChoosePanels(EditorState& editors);

// A node shown in a lower grid takes a new name: its row's "For" cell shows it at once.
void nulMeasureValuesAndIrregularitiesNodeRenamed(EditorState& editors, const TreeNode& node,
                                                  const std::string& name);

// The current measure takes a new name, which the measures grid's current row already
// shows: the "For" cells that named it by `previous` show the new name at once.
void nulMeasureValuesAndIrregularitiesMeasureRenamed(EditorState& editors,
                                                     const std::string& previous);

}  // namespace vantorell
