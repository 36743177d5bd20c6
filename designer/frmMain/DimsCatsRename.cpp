#include "designer/frmMain/DimsCatsRename.h"

#include "common/ShortString.h"
#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/MeasureValuesPanels.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/SmallRoutines.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnGrids/GridLookups.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

void sorry(const std::string& text) {
    showMessage("Error", text, MessageIcon::Error);
}

// The emptiness test: nothing but blanks, tabs and non-breaking spaces.
bool flgBlank(const std::string& text) {
    return strBlanksNormalize(text).empty();
}

}  // namespace

std::string strValueUsedMessage(const std::string& text, int row, const std::string& name) {
    return "Sorry, the value entered (i.e. " + text + "), \ris already being used by row " +
           std::to_string(row) + " (i.e. " + name + ").";
}

std::string strDimsCatsDuplicateMessage(const std::string& text, const TreeNode& holder) {
    return strValueUsedMessage(text, holder.absoluteIndex() + 1, holder.text());
}

std::string strModelTextRefusal(const std::string& text, bool code) {
    const char* what = code ? "code" : "name";
    if (text.find_first_of("\r\n") != std::string::npos) {
        return std::string("Sorry, a ") + what + " cannot hold a line break.";
    }
    if (!text.empty() && text.front() == '<') {
        return std::string("Sorry, a ") + what + " cannot begin with \"<\".";
    }
    if (!code && text == "*") {
        return "Sorry, a name cannot be \"*\" alone.";
    }
    return {};
}

std::string strDimsCatsNameRefusal(const std::string& name) {
    if (std::string refusal = strModelTextRefusal(name, false); !refusal.empty()) {
        return refusal;
    }
    if (!name.empty() && name.front() == '>') {
        return "Sorry, a name cannot begin with \">\".";
    }
    return {};
}

std::string strDimsCatsCodeRefusal(const std::string& code) {
    return strModelTextRefusal(code, true);
}

std::string strDimsCatsLeafRefusal(const TreeNode& node) {
    if (node.text().empty() || node.text().front() != '>') {
        return {};
    }
    return "Sorry, the item (i.e. " + node.text() +
           ") cannot be left without subcategories: \ra category without subcategories cannot "
           "have a name that begins with \">\". Rename it first.";
}

TreeNode* tneDimsCatsSiblingNamed(TreeNode& firstSibling, const std::string& name,
                                  const TreeNode* skipped) {
    for (TreeNode* n = &firstSibling; n != nullptr; n = n->getNextSibling()) {
        if (n != skipped && n->text() == name) {
            return n;
        }
    }
    return nullptr;
}

bool flgDimsCatsValidateNode(TreeNode& node, std::string& text) {
    if (flgBlank(text)) {
        text = node.text();
        sorry(kValueRequiredMessage);
        return false;
    }
    text = cutUtf8(text, kNameLimit);
    if (text == node.text()) {
        return true;  // nothing changes, whatever the name came from
    }
    if (const std::string refusal = strDimsCatsNameRefusal(text); !refusal.empty()) {
        text = node.text();
        sorry(refusal);
        return false;
    }
    if (const TreeNode* other = tneTreeIsValueUnique(node, text, 0, true)) {
        const std::string message = strDimsCatsDuplicateMessage(text, *other);
        text = node.text();
        sorry(message);
        return false;
    }
    return true;
}

void tvwDimsCatsEdited(EditorState& editors, TreeNode& node, std::string& text) {
    if (!flgDimsCatsValidateNode(node, text) || text == node.text()) {
        return;
    }
    nulMeasureValuesAndIrregularitiesNodeRenamed(editors, node, text);
    nulWeightingDimensionReplace(editors, node, text);
}

void nulWeightingDimensionReplace(EditorState& editors, const TreeNode& node,
                                  const std::string& replacement) {
    // Only a dimension can be a weighting dimension: a category that shares a dimension's
    // name leaves the measures alone.
    if (node.level() == 0) {
        StringGrid& measures = editors.sgdMeasures;
        nulGridCellsReplace(measures, kMeasuresWeightingDimension, kMeasuresWeightingDimension,
                            measures.fixedRows(), measures.rowCount() - 1, node.text(),
                            replacement);
    }
}

void lvwDimsCatsEdited(EditorState& editors, TreeNode& node, std::string& text) {
    TDimsCatsData* data = nodeData(node);
    if (data == nullptr) {
        return;
    }
    const std::string caption = data->strCode;
    if (flgBlank(text)) {
        text = caption;
        sorry(kValueRequiredMessage);
    } else if (text = cutUtf8(text, kCodeLimit); text != caption) {
        if (const std::string refusal = strDimsCatsCodeRefusal(text); !refusal.empty()) {
            text = caption;
            sorry(refusal);
        } else if (const TreeNode* other = tneTreeIsValueUnique(node, text, 1, true)) {
            const std::string message = strDimsCatsDuplicateMessage(text, *other);
            text = caption;
            sorry(message);
        }
    }
    data->strCode = text;
    nulDimsCatsDisplayCodes(editors);
}

}  // namespace vantorell
