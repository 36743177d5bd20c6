#include "designer/frmMain/DimsCatsCodes.h"

#include "common/ShortString.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {
namespace {

constexpr std::size_t kCodeLimit = 25;  // bytes of a code in a model record
constexpr long long kLastNumber = 1000000;

const std::string& defaultBase(const std::string& base, bool dimension) {
    static const std::string dim = kDimensionCodeBase;
    static const std::string cat = kCategoryCodeBase;
    return !base.empty() ? base : dimension ? dim : cat;
}

}  // namespace

std::string strCodeNumbered(const std::string& base, long long n) {
    const std::string number = std::to_string(n);
    return cutUtf8(base, kCodeLimit - number.size()) + number;
}

const std::string& strNodeCode(const TreeNode& node) {
    static const std::string none;
    const TDimsCatsData* data = nodeData(node);
    return data != nullptr ? data->strCode : none;
}

TreeNode* tneTreeIsValueUnique(TreeNode& node, const std::string& value, int scope, bool skipSelf) {
    if (scope == 0) {
        for (TreeNode* n = tneTreeNodeFirstSibling(&node); n != nullptr; n = n->getNextSibling()) {
            if ((!skipSelf || n != &node) && n->text() == value) {
                return n;
            }
        }
    } else if (scope == 1) {
        for (TreeNode* n = node.owner().getFirstNode(); n != nullptr; n = n->getNext()) {
            if ((!skipSelf || n != &node) && strNodeCode(*n) == value) {
                return n;
            }
        }
    }
    return nullptr;
}

std::string strTreeCalcNextCode(const NodeTree& tree, int lowestLevel, int highestLevel,
                                const std::string& base) {
    std::unordered_set<std::string> taken;
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        const int level = n->level();
        if (level >= lowestLevel && level <= highestLevel) {
            taken.insert(strNodeCode(*n));
        }
    }
    long long n = 1;
    while (n < kLastNumber && taken.count(strCodeNumbered(base, n)) != 0) {
        ++n;
    }
    return strCodeNumbered(base, n);
}

std::string strDimsCatsCalcNextCode(TreeNode& node, const std::string& base) {
    DimsCatsCodeRegistry registry;
    for (TreeNode* n = node.owner().getFirstNode(); n != nullptr; n = n->getNext()) {
        if (n != &node) {
            registry.take(strNodeCode(*n));
        }
    }
    return registry.next(base, node.level() == 0);
}

void DimsCatsCodeRegistry::addTree(const NodeTree& tree) {
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        take(strNodeCode(*n));
    }
}

void DimsCatsCodeRegistry::take(const std::string& code) {
    if (!code.empty()) {
        codes_.insert(code);
    }
}

std::string DimsCatsCodeRegistry::next(const std::string& base, bool dimension) {
    const std::string& b = defaultBase(base, dimension);
    std::string code = cutUtf8(b, kCodeLimit);
    if (taken(code)) {
        // Codes are only ever added here, so the first free number never goes down.
        long long& n = firstFree_.try_emplace(b, 1).first->second;
        while (n < kLastNumber && taken(strCodeNumbered(b, n))) {
            ++n;
        }
        code = strCodeNumbered(b, n);
    }
    take(code);
    return code;
}

}  // namespace vantorell
