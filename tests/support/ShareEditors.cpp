#include "tests/support/ShareEditors.h"

#include "designer/frmMain/Balancing.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/WorkingCopy.h"

namespace vantorell::test {
namespace {

TreeNode* addNode(EditorState& e, TreeNode* parent, const std::string& name) {
    TreeNode* node =
        parent == nullptr ? e.tvwDimsCats.add(nullptr, name) : e.tvwDimsCats.addChild(parent, name);
    // Codes and defaults play no part here: the caller sets the shares.
    nulDimsCatsNodeDataCreate(*node, false, {});
    nulDimsCatsNodeExtDataCreate(*node, intMeasureRowsCount(e.sgdMeasures), false);
    return node;
}

}  // namespace

ShareEditors::ShareEditors(const std::vector<std::string>& shares,
                           const std::vector<std::string>& negativeShares) {
    intMeasuresAddRow(*this, false);
    dimension = addNode(*this, nullptr, "D");
    for (std::size_t i = 0; i < shares.size(); ++i) {
        TreeNode* node = addNode(*this, dimension, "C" + std::to_string(i + 1));
        const Share positive = shareOfText(shares[i]);
        const Share negative = shareOfText(negativeShares.empty() ? shares[i] : negativeShares[i]);
        TMeasureValuesWorksetItem& item = *measureValueItem(*node, 0);
        item.intPercentage = static_cast<std::int32_t>(positive.value);
        item.intNegPercentage = static_cast<std::int32_t>(negative.value);
        item.flgLocked = positive.locked;
        categories.push_back(node);
    }
    if (!categories.empty()) {
        tvwDimsCats.setSelected(categories.front());
    }
    load(false);
}

void ShareEditors::load(bool negative) {
    flgMeasureValuesShowNegatives = negative;
    nulSgdMeasureValuesLoad(*this, negative);
}

std::vector<std::string> ShareEditors::gridShares() const {
    std::vector<std::string> texts;
    strGridPercentagesToArray(sgdMeasureValues, texts);
    return texts;
}

std::vector<std::string> ShareEditors::nodeShares(bool negative) const {
    std::vector<std::string> texts;
    for (const TreeNode* node : categories) {
        const TMeasureValuesWorksetItem& item = *measureValueItem(*node, 0);
        texts.push_back(strShareText(
            Share{negative ? item.intNegPercentage : item.intPercentage, item.flgLocked}));
    }
    return texts;
}

std::int64_t shareSum(const std::vector<std::string>& shares) {
    std::int64_t sum = 0;
    for (const std::int64_t v : shareValues(shares)) {
        sum += v;
    }
    return sum;
}

std::vector<std::int64_t> shareValues(const std::vector<std::string>& shares) {
    std::vector<std::int64_t> values;
    for (const std::string& text : shares) {
        values.push_back(shareOfText(text).value);
    }
    return values;
}

}  // namespace vantorell::test
