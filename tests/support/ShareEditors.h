#pragma once
// Editors holding one sibling group for the balancing tests: a dimension "D" whose
// categories "C1".."Cn" carry the given shares of one independent measure, and the measure
// values grid loaded with them. A share text "|250000" is a locked 25 %.

#include <cstdint>
#include <string>
#include <vector>

#include "designer/frmMain/EditorState.h"

namespace vantorell::test {

class ShareEditors : public EditorState {
public:
    // Positive shares as given; negative shares as given, or the positive ones when none
    // are given. The grid shows the positive shares, the first category selected.
    explicit ShareEditors(const std::vector<std::string>& shares,
                          const std::vector<std::string>& negativeShares = {});

    // Reloads the grid with the sign's shares.
    void load(bool negative);

    // The "Percent" column, "|" before a locked row's share.
    std::vector<std::string> gridShares() const;
    // The categories' shares of the measure in the working copy, "|" before a locked one's.
    std::vector<std::string> nodeShares(bool negative) const;

    TreeNode* dimension = nullptr;
    std::vector<TreeNode*> categories;
};

// Sum of share texts, "|" ignored.
std::int64_t shareSum(const std::vector<std::string>& shares);
// The share values of texts, "|" ignored.
std::vector<std::int64_t> shareValues(const std::vector<std::string>& shares);

}  // namespace vantorell::test
