#pragma once
// Codes of the tree's nodes: uniqueness tests and generated codes. A code is unique in the
// whole tree; a generated code is the base itself when that is free, else the base followed
// by the smallest free number, and fits the 25 bytes a model record keeps (the base is cut
// where base and number would not), so that it stays unique once saved.

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "designer/rtnTrees/NodeTree.h"

namespace vantorell {

inline constexpr const char* kDimensionCodeBase = "DIM";
inline constexpr const char* kCategoryCodeBase = "CAT";

// base + n within the 25 bytes a code keeps: the base is cut where both would not fit.
std::string strCodeNumbered(const std::string& base, long long n);

// The node's code; empty for a node without data.
const std::string& strNodeCode(const TreeNode& node);

// The first other node that already holds the value, or none. Scope 0: the node's siblings,
// by name; scope 1: every node of the tree in depth-first order, by code; any other scope
// finds nothing. With `skipSelf` the node itself is never a candidate.
TreeNode* tneTreeIsValueUnique(TreeNode& node, const std::string& value, int scope, bool skipSelf);

// base + the smallest n from 1 to 1000000 that no node whose level lies in lowest..highest
// has as its code (base + "1000000" when all are taken).
std::string strTreeCalcNextCode(const NodeTree& tree, int lowestLevel, int highestLevel,
                                const std::string& base);

// A code for the node: the base ("DIM" for a dimension, "CAT" for a category when none is
// given) when no other node has it, else the base and the smallest number that no node of
// the tree has.
std::string strDimsCatsCalcNextCode(TreeNode& node, const std::string& base);

// The codes in use while many nodes get codes at once (a model taken into the editors):
// each generated code costs about one lookup instead of a walk over the tree.
class DimsCatsCodeRegistry {
public:
    // Every code of the tree is taken.
    void addTree(const NodeTree& tree);
    void take(const std::string& code);
    bool taken(const std::string& code) const { return codes_.count(code) != 0; }
    // The code strDimsCatsCalcNextCode gives for this base (empty: the default base of the
    // level), now taken.
    std::string next(const std::string& base, bool dimension);

private:
    std::unordered_set<std::string> codes_;
    // Per base, the number below which every candidate is known to be taken.
    std::unordered_map<std::string, long long> firstFree_;
};

}  // namespace vantorell
