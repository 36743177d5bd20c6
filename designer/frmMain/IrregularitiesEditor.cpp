#include "designer/frmMain/IrregularitiesEditor.h"

#include "designer/frmMain/WorkingCopy.h"

namespace vantorell {

void nulArrIrregularitiesWorksetSetDefaults(TreeNode& node, int k) {
    if (TIrregularitiesWorksetItem* item = irregularityItem(node, k)) {
        *item = TIrregularitiesWorksetItem{};
    }
}

}  // namespace vantorell
