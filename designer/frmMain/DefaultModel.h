#pragma once
// The model File New starts with when there is no template: one measure, one dimension and
// one category under it, made by the measures and tree editors' own commands.

#include "designer/frmMain/EditorState.h"

namespace vantorell {

// Builds the model in emptied editors and returns the dimension's node, now selected.
TreeNode* nulDefaultModelBuild(EditorState& editors);

}  // namespace vantorell
