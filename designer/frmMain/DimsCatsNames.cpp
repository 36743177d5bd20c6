#include "designer/frmMain/DimsCatsNames.h"

#include <unordered_set>

namespace vantorell {
namespace {

constexpr long long kLastNumber = 1000000;

}  // namespace

std::string strTreeCalcNextName(const NodeTree& tree, int lowestLevel, int highestLevel,
                                const std::string& base) {
    // One walk over the tree, then one lookup per candidate.
    std::unordered_set<std::string> taken;
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        const int level = n->level();
        if (level >= lowestLevel && level <= highestLevel &&
            n->text().compare(0, base.size(), base) == 0) {
            taken.insert(n->text());
        }
    }
    long long n = 1;
    while (n < kLastNumber && taken.count(base + std::to_string(n)) != 0) {
        ++n;
    }
    return base + std::to_string(n);
}

std::string strDimsCatsCalcNextName(const TreeNode& node, const std::string& base) {
    const bool dimension = node.level() == 0;
    const std::string& b =
        !base.empty() ? base : std::string(dimension ? kDimensionNameBase : kCategoryNameBase);
    return dimension ? strTreeCalcNextName(node.owner(), 0, 0, b)
                     : strTreeCalcNextName(node.owner(), 1, 255, b);
}

}  // namespace vantorell
