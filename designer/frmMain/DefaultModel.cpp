#include "designer/frmMain/DefaultModel.h"

#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/WorkingCopy.h"

namespace vantorell {
namespace {

// A node as the tree editor adds one: icon by level, a generated code, and working data with
// the defaults for every measure row.
TreeNode& nodeAdd(EditorState& editors, TreeNode* parent, const std::string& name) {
    NodeTree& tree = editors.tvwDimsCats;
    TreeNode* node = parent == nullptr ? tree.add(nullptr, name) : tree.addChild(parent, name);
    nulDimsCatsNodeSetIcon(*node);
    nulDimsCatsNodeDataCreate(*node, true, "");
    nulDimsCatsNodeExtDataCreate(*node, intMeasureRowsCount(editors.sgdMeasures), false);
    nulDimsCatsNodeExtDataSetDefaults(editors.sgdMeasures, *node);
    return *node;
}

}  // namespace

TreeNode* nulDefaultModelBuild(EditorState& editors) {
    intMeasuresAddRow(editors, false);
    TreeNode& dimension = nodeAdd(editors, nullptr, "Dimension 1");
    nodeAdd(editors, &dimension, "Category 1");
    dimension.setExpanded(true);
    editors.tvwDimsCats.setSelected(&dimension);
    nulDimsCatsDisplayCodes(editors);
    return &dimension;
}

}  // namespace vantorell
