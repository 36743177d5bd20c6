#include "designer/frmMain/MeasuresEditor.h"

#include "designer/frmMain/IrregularitiesEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"

namespace vantorell {
namespace {

template <typename Records>
int lastIndexByName(const Records& records, const std::string& name) {
    for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
        if (records[static_cast<std::size_t>(i)].strName.str() == name) {
            return i;
        }
    }
    return -1;
}

// Moves the elements from k on up one place in an array that has grown by one at its end,
// and resets element k.
template <typename Workset>
void openElement(Workset& workset, int k) {
    if (k < 0 || k >= static_cast<int>(workset.size())) {
        return;
    }
    for (auto i = workset.size() - 1; i > static_cast<std::size_t>(k); --i) {
        workset[i] = workset[i - 1];
    }
    workset[static_cast<std::size_t>(k)] = {};
}

}  // namespace

int intMeasureIndexGetByName(const TArrMeasures& measures, const std::string& name) {
    return lastIndexByName(measures, name);
}

int intDimensionIndexGetByName(const TArrDimensions& dimensions, const std::string& name) {
    return lastIndexByName(dimensions, name);
}

void nulMeasuresTypeSetRowDefaults(StringGrid& sgdMeasures, int row) {
    sgdMeasures.beginUpdate();
    switch (intMeasuresGetTypeNumber(sgdMeasures, row)) {
        case kMeasureTypeIndependent:
            sgdMeasures.setCell(kMeasuresIrregularityType, row, kMeasureIrregTypeTexts[0]);
            break;
        case kMeasureTypeWeighted:
            sgdMeasures.setCell(kMeasuresIrregularityType, row, {});
            break;
        default:
            break;
    }
    sgdMeasures.endUpdate();
    sgdMeasures.refresh();
    nulMeasuresIrregularityTypeSetRowDefaults(sgdMeasures, row);
}

void nulMeasuresIrregularityTypeSetRowDefaults(StringGrid& sgdMeasures, int row) {
    const int type = intMeasuresGetTypeNumber(sgdMeasures, row);
    if (type != kMeasureTypeIndependent && type != kMeasureTypeWeighted) {
        return;
    }
    sgdMeasures.beginUpdate();
    sgdMeasures.setCell(kMeasuresGlobalPercentage, row,
                        type == kMeasureTypeIndependent ? "100" : "");
    sgdMeasures.setCell(kMeasuresSourceMeasure, row, {});
    sgdMeasures.setCell(kMeasuresWeightingDimension, row, {});
    sgdMeasures.endUpdate();
    sgdMeasures.refresh();
}

void nulMeasureAddToDimsCats(EditorState& editors, int k) {
    const int rows = intMeasureRowsCount(editors.sgdMeasures);
    NodeTree& tree = editors.tvwDimsCats;
    // Every node is opened before any gets defaults: the defaults of a category look at its
    // siblings' element k, which must not still hold the measure that moved up.
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        nulDimsCatsNodeExtDataCreate(*n, rows, false);
        std::visit(
            [k](auto& workset) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(workset)>, std::monostate>) {
                    openElement(workset, k);
                }
            },
            nodeData(*n)->ptrExtData);
    }
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        if (n->level() == 0) {
            nulArrIrregularitiesWorksetSetDefaults(*n, k);
        } else {
            nulArrMeasureValuesWorksetSetDefaults(editors.sgdMeasures, *n, k);
        }
    }
}

int intMeasuresAddRow(EditorState& editors, bool edit) {
    StringGrid& grid = editors.sgdMeasures;
    nulGridsSaveValues(editors);
    grid.setEditorMode(false);

    const std::string name = strGridColumnUniqueValue(grid, kMeasuresName, "Measure ");
    const std::string code = strGridColumnUniqueValue(grid, kMeasuresCode, "MEAS");
    nulGridRowAdd(grid, {name, code, kMeasureTypeTexts[kMeasureTypeIndependent], "0", "0"});
    const int row = grid.rowCount() - 1;

    nulMeasuresTypeSetRowDefaults(grid, row);
    editors.strCellPreviousText = name;
    nulGridColumnsWidthSet(grid, 0, grid.colCount() - 1, 20);
    nulMeasureAddToDimsCats(editors, row - grid.fixedRows());

    if (edit) {
        grid.setCurrentCell(kMeasuresName, row);
        grid.includeOption(goEditing);
        grid.setEditorMode(true);
        grid.setFocus();
    }
    return row;
}

}  // namespace vantorell
