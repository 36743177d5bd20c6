#include "tests/support/TreeEditors.h"

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/WorkingCopy.h"
#include "tests/support/SmallModel.h"

namespace vantorell::test {
namespace {

TreeNode* childNamed(const NodeTree& tree, TreeNode* parent, const std::string& name) {
    for (TreeNode* n = parent != nullptr ? parent->getFirstChild() : tree.getFirstNode();
         n != nullptr; n = n->getNextSibling()) {
        if (n->text() == name) {
            return n;
        }
    }
    return nullptr;
}

}  // namespace

TreeEditors::TreeEditors(const std::string& programFolder) : TestEditors(programFolder) {
    tvwDimsCats.setPort(&port);
}

TreeEditors::~TreeEditors() {
    tvwDimsCats.setPort(nullptr);
}

void TreeEditors::loadSmallModel() {
    EXPECT_TRUE(internalize(smallModel()));
    tvwDimsCats.setSelected(nullptr);
}

TreeNode* TreeEditors::node(const std::string& path) const {
    TreeNode* n = nullptr;
    std::size_t from = 0;
    while (from <= path.size()) {
        const std::size_t slash = path.find('/', from);
        const std::string name =
            path.substr(from, slash == std::string::npos ? std::string::npos : slash - from);
        n = childNamed(tvwDimsCats, n, name);
        if (n == nullptr || slash == std::string::npos) {
            return n;
        }
        from = slash + 1;
    }
    return n;
}

TreeNode* TreeEditors::select(const std::string& path) {
    TreeNode* n = node(path);
    EXPECT_NE(n, nullptr) << path;
    tvwDimsCats.setSelected(n);
    return n;
}

std::vector<std::string> TreeEditors::children(const std::string& path) const {
    std::vector<std::string> names;
    TreeNode* parent = path.empty() ? nullptr : node(path);
    for (TreeNode* n = parent != nullptr ? parent->getFirstChild() : tvwDimsCats.getFirstNode();
         n != nullptr; n = n->getNextSibling()) {
        names.push_back(n->text());
    }
    return names;
}

std::vector<std::string> TreeEditors::outline() const {
    std::vector<std::string> lines;
    for (TreeNode* n = tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
        lines.push_back(std::string(2 * static_cast<std::size_t>(n->level()), ' ') + n->text() +
                        " " + strNodeCode(*n));
    }
    return lines;
}

std::vector<int> TreeEditors::shares(const std::string& path, int k, bool negative) const {
    std::vector<int> values;
    TreeNode* parent = node(path);
    for (TreeNode* n = parent != nullptr ? parent->getFirstChild() : nullptr; n != nullptr;
         n = n->getNextSibling()) {
        const TMeasureValuesWorksetItem* item = measureValueItem(*n, k);
        values.push_back(item == nullptr ? -1
                         : negative      ? item->intNegPercentage
                                         : item->intPercentage);
    }
    return values;
}

::testing::AssertionResult treeSharesBalanced(const EditorState& editors) {
    const StringGrid& measures = editors.sgdMeasures;
    if (!flgMeasuresHasValues(measures)) {
        return ::testing::AssertionSuccess();
    }
    for (TreeNode* parent = editors.tvwDimsCats.getFirstNode(); parent != nullptr;
         parent = parent->getNext()) {
        if (!parent->hasChildren()) {
            continue;
        }
        for (int row = measures.fixedRows(); row < measures.rowCount(); ++row) {
            if (intMeasuresGetTypeNumber(measures, row) != kMeasureTypeIndependent) {
                continue;
            }
            const int k = row - measures.fixedRows();
            for (const bool negative : {false, true}) {
                long long sum = 0;
                for (TreeNode* n = parent->getFirstChild(); n != nullptr; n = n->getNextSibling()) {
                    const TMeasureValuesWorksetItem* item = measureValueItem(*n, k);
                    if (item == nullptr) {
                        return ::testing::AssertionFailure()
                               << n->text() << " has no element " << k;
                    }
                    sum += negative ? item->intNegPercentage : item->intPercentage;
                }
                if (sum != 1'000'000) {
                    return ::testing::AssertionFailure()
                           << "the children of " << parent->text() << " total " << sum
                           << (negative ? " negative" : " positive") << " for measure " << k;
                }
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace vantorell::test
