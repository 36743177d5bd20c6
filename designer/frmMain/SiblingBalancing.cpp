#include "designer/frmMain/SiblingBalancing.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "designer/frmMain/Balancing.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {
namespace {

std::vector<TreeNode*> siblingsOf(const TreeNode& node) {
    std::vector<TreeNode*> siblings;
    const TreeNode* parent = node.parent();
    siblings.reserve(static_cast<std::size_t>(parent != nullptr ? parent->count() : 1));
    for (TreeNode* n = tneTreeNodeFirstSibling(const_cast<TreeNode*>(&node)); n != nullptr;
         n = n->getNextSibling()) {
        siblings.push_back(n);
    }
    return siblings;
}

std::int32_t& shareOf(TMeasureValuesWorksetItem& item, bool negative) {
    return negative ? item.intNegPercentage : item.intPercentage;
}

Share siblingShare(const TreeNode& sibling, bool negative, int k) {
    TMeasureValuesWorksetItem* item = measureValueItem(sibling, k);
    if (item == nullptr) {
        return Share{0, true};
    }
    return Share{shareOf(*item, negative), item->flgLocked};
}

}  // namespace

int intArrSiblingsPercentagesGet(const TreeNode& node, bool negative, TDynamicArrayOfStrings& texts,
                                 int k) {
    texts.clear();
    for (TreeNode* n : siblingsOf(node)) {
        texts.push_back(strShareText(siblingShare(*n, negative, k)));
    }
    return static_cast<int>(texts.size());
}

bool flgArrSiblingsBalanceTo100Percent(EditorState& editors, TreeNode& node, bool negative,
                                       std::int64_t delta, int k) {
    TMeasureValuesWorksetItem* own = measureValueItem(node, k);
    if (!flgDimsCatsAndMeasuresHasValues(editors.tvwDimsCats, editors.sgdMeasures) ||
        own == nullptr) {
        return false;
    }
    if (delta == 0) {
        return true;
    }
    const std::vector<TreeNode*> siblings = siblingsOf(node);
    ShareGroup group;
    for (TreeNode* n : siblings) {
        group.add(siblingShare(*n, negative, k));
    }
    const int n = group.size();
    const int self = node.index();
    // The siblings move the other way: they give when the node gains.
    const int direction = delta > 0 ? -1 : 1;
    std::int64_t remaining = std::llabs(delta);
    int cursor = 0;
    int idle = 0;  // siblings visited since something last moved
    while (remaining > 0 && idle < n) {
        bool moved = false;
        if (cursor != self && !group.locked(cursor)) {
            const std::int64_t f = group.value(cursor);
            // Never further than 0 or 1,000,000.
            const std::int64_t room = direction < 0 ? f : kFullShare - f;
            const std::int64_t step = std::min({intPercentageGetStep(f), remaining, room});
            if (step > 0 && group.flgChangeable(step, direction, self, cursor)) {
                group.setValue(cursor, f + direction * step);
                remaining -= step;
                moved = true;
            }
        }
        idle = moved ? 0 : idle + 1;
        cursor = cursor + 1 < n ? cursor + 1 : 0;
    }
    for (int i = 0; i < n; ++i) {
        if (i == self) {
            continue;
        }
        if (TMeasureValuesWorksetItem* item =
                measureValueItem(*siblings[static_cast<std::size_t>(i)], k)) {
            shareOf(*item, negative) = static_cast<std::int32_t>(group.value(i));
        }
    }
    std::int32_t& share = shareOf(*own, negative);
    share = static_cast<std::int32_t>(std::clamp<std::int64_t>(share + delta, 0, kFullShare));
    return remaining == 0;
}

}  // namespace vantorell
