#include "designer/frmImpMeas/ImportDialogState.h"

#include <charconv>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "designer/frmImpMeas/ImportDimsCatsCells.h"
#include "designer/frmImpMeas/ImportMeasuresCells.h"
#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/EditorEnterKey.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

constexpr int kColumnExtra = 23;  // pixels beside a column's widest text

void nulHeadingsSet(StringGrid& grid, int columns, const char* const* headings) {
    grid.setEditorMode(false);
    grid.setFixedRows(1);
    grid.setFixedCols(0);
    grid.setColCount(columns);
    nulGridClear(grid);
    nulGridRowSet(grid, 0, 0, {headings, headings + columns});
}

constexpr long long kLastNumber = 1000000;

// The text made for the smallest n from 1 that `taken` does not hold (for 1000000 when all
// are), as strTreeCalcNextName and strTreeCalcNextCode find it over the dimensions.
template <class Make>
std::string strFirstFree(const std::unordered_set<std::string>& taken, Make make) {
    long long n = 1;
    while (n < kLastNumber && taken.count(make(n)) != 0) {
        ++n;
    }
    return make(n);
}

// The current tree's dimension names and codes and every code it holds, found in one walk
// over the tree, so that the proposals cost no further walk whatever the number of imported
// dimensions.
class TreeValues {
public:
    explicit TreeValues(const NodeTree& tree) {
        for (const TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNextSibling()) {
            names_.insert(n->text());
            dimensionCodes_.insert(strNodeCode(*n));
        }
        for (const TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
            codes_.insert(strNodeCode(*n));
        }
    }

    // Empty unless a dimension of the tree has the name; then the name, a blank and the
    // smallest number that no dimension has in its name.
    std::string strProposedName(const std::string& name) const {
        if (names_.count(name) == 0) {
            return {};
        }
        const std::string base = name + " ";
        return strFirstFree(names_, [&base](long long n) { return base + std::to_string(n); });
    }
    // Empty unless a node of the tree has the code; then the code and the smallest number no
    // dimension has in its code.
    std::string strProposedCode(const std::string& code) const {
        if (codes_.count(code) == 0) {
            return {};
        }
        return strFirstFree(dimensionCodes_,
                            [&code](long long n) { return strCodeNumbered(code, n); });
    }

private:
    std::unordered_set<std::string> names_;
    std::unordered_set<std::string> dimensionCodes_;
    std::unordered_set<std::string> codes_;
};

void nulNameTakenReport(const std::string& importName, const std::string& name, int row,
                        const std::string& holder, const char* where) {
    showMessage(dialogCaption(MessageIcon::Error),
                "Sorry, the Import Dimension " + importName + " would be added as " + name +
                    ", \rwhich is already being used by row " + std::to_string(row) + " (i.e. " +
                    holder + ") \r" + where,
                MessageIcon::Error, kButtonCancel);
}

// Two dimensions of one name would make a weighting dimension ambiguous once saved: every
// included dimension needs a name that neither the tree nor another included one has.
bool flgDimensionNamesFree(const NodeTree& tree, const StringGrid& grid,
                           const TArrImportDimensionsTranslation& choices) {
    std::unordered_map<std::string, const TreeNode*> dimensions;
    for (const TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNextSibling()) {
        dimensions.emplace(n->text(), n);
    }
    std::unordered_map<std::string, int> rows;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const TImportDimensionsTranslation& choice = choices[i];
        if (!choice.flgInclude) {
            continue;
        }
        const std::string& name = !choice.strNewDimensionName.empty()
                                      ? choice.strNewDimensionName
                                      : choice.strImportDimensionName;
        const int row = grid.fixedRows() + static_cast<int>(i);
        if (const auto it = dimensions.find(name); it != dimensions.end()) {
            nulNameTakenReport(choice.strImportDimensionName, name, it->second->absoluteIndex() + 1,
                               it->second->text(),
                               "in the current models Dimensions/Category Tree.");
            return false;
        }
        if (const auto [it, added] = rows.emplace(name, row); !added) {
            nulNameTakenReport(choice.strImportDimensionName, name, it->second,
                               grid.cell(kImportDimension, it->second),
                               "in the Import Dimension/Category Grid.");
            return false;
        }
    }
    return true;
}

}  // namespace

std::int32_t intCategoryLimitGet(const std::string& text) {
    std::int32_t limit = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), limit);
    if (ec == std::errc::result_out_of_range) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return ec == std::errc() && end == text.data() + text.size() && limit > 0 ? limit : 0;
}

ImportDialogState::ImportDialogState(EditorState& editorsIn) : editors(editorsIn) {
    nulHeadingsSet(sgdDimsCatsImport, kDimsCatsImportColumnCount, kDimsCatsImportHeadings.data());
    nulHeadingsSet(sgdMeasuresImport, kMeasuresImportColumnCount, kMeasuresImportHeadings.data());
    sgdDimsCatsImport.onSelectCell = [this](int col, int row) {
        return sgdDimsCatsImportSelectCell(*this, col, row);
    };
    sgdDimsCatsImport.onGetEditMask = [this](int col, int row) {
        return sgdDimsCatsImportGetEditMask(*this, col, row);
    };
    sgdMeasuresImport.onSelectCell = [this](int col, int row) {
        return sgdMeasuresImportSelectCell(*this, col, row);
    };
    sgdMeasuresImport.onGetEditMask = [this](int col, int row) {
        return sgdMeasuresImportGetEditMask(*this, col, row);
    };
    // The icons of the first columns follow the current row.
    sgdDimsCatsImport.onClick = [this] { sgdDimsCatsImport.refresh(); };
    sgdMeasuresImport.onClick = [this] { sgdMeasuresImport.refresh(); };
    cbxImportMeasures.onKeyDown = [this](int& key, ShiftState shift) {
        cbxImportMeasuresKeyDown(*this, key, shift);
    };
    cbxImportMeasures.onExit = [this] { cbxImportMeasuresExit(*this); };
}

bool ImportDialogState::FormShow() {
    flgOkPressed = false;
    cbxImportMeasures.close();
    cbxImportMeasures.setVisible(false);
    arrImport.clear();
    arrImportDimensionsTranslation.clear();
    arrImportMeasuresTranslation.clear();
    bool read = false;
    std::string why;
    {
        BusyCursor busy(editors);
        std::int32_t points = 0;
        try {
            read = flgReadFile(editors.strProgramFolder, strImportFile, "", "",
                               editors.intReaderWriterDebugFlags, true, points, arrImport, why);
        } catch (const std::exception& error) {
            why = error.what();
        }
    }
    if (!read) {
        arrImport.clear();
        std::string text =
            "Fatal error encountered while attempting to read file " + strImportFile + ".";
        if (!why.empty()) {
            text += "\r\r" + why;
        }
        showMessage(kImportFileCaption, text, MessageIcon::Error);
        return false;
    }

    BusyCursor busy(editors);
    StringGrid& dimensions = sgdDimsCatsImport;
    dimensions.beginUpdate();
    nulHeadingsSet(dimensions, kDimsCatsImportColumnCount, kDimsCatsImportHeadings.data());
    const TreeValues tree(editors.tvwDimsCats);
    for (const TDimensionRecord& d : arrImport.dimensions) {
        nulGridRowAdd(dimensions, {d.strName.str(), "True", tree.strProposedName(d.strName),
                                   tree.strProposedCode(d.strCode), "0"});
    }
    nulGridColumnsWidthSet(dimensions, 0, dimensions.colCount() - 1, kColumnExtra);
    dimensions.endUpdate();
    dimensions.setCurrentCell(kImportInclude, dimensions.fixedRows());

    StringGrid& measures = sgdMeasuresImport;
    measures.beginUpdate();
    nulHeadingsSet(measures, kMeasuresImportColumnCount, kMeasuresImportHeadings.data());
    const StringGrid& current = editors.sgdMeasures;
    if (flgMeasuresHasValues(current)) {
        for (int r = current.fixedRows(); r < current.fixedRows() + current.dataRowCount(); ++r) {
            nulGridRowAdd(measures,
                          {current.cell(kMeasuresName, r), current.cell(kMeasuresType, r), ""});
        }
    }
    nulGridColumnsWidthSet(measures, 0, measures.colCount() - 1, kColumnExtra);
    measures.endUpdate();
    measures.setCurrentCell(kImportMeasure, measures.fixedRows());
    return true;
}

bool ImportDialogState::btnOkClick() {
    nulGridEditEndByEnter(*this, sgdDimsCatsImport, sgdDimsCatsImportKeyPress);
    if (cbxImportMeasures.grid() != nullptr) {
        cbxImportMeasuresExit(*this);
    }
    const StringGrid& dimensions = sgdDimsCatsImport;
    TArrImportDimensionsTranslation chosenDimensions;
    for (int r = dimensions.fixedRows(); r < dimensions.fixedRows() + dimensions.dataRowCount();
         ++r) {
        chosenDimensions.push_back({dimensions.cell(kImportDimension, r),
                                    dimensions.cell(kImportInclude, r) == "True",
                                    dimensions.cell(kImportNewDimensionName, r),
                                    dimensions.cell(kImportNewDimensionCode, r),
                                    intCategoryLimitGet(dimensions.cell(kImportCategoryLimit, r))});
    }
    if (!flgDimensionNamesFree(editors.tvwDimsCats, dimensions, chosenDimensions)) {
        return false;
    }
    const StringGrid& measures = sgdMeasuresImport;
    TArrImportMeasuresTranslation chosenMeasures;
    for (int r = measures.fixedRows(); r < measures.fixedRows() + measures.dataRowCount(); ++r) {
        const std::string& name = measures.cell(kImportMeasure, r);
        chosenMeasures.push_back(name.empty() ? -1
                                              : intMeasureIndexGetByName(arrImport.measures, name));
    }
    arrImportDimensionsTranslation = std::move(chosenDimensions);
    arrImportMeasuresTranslation = std::move(chosenMeasures);
    flgOkPressed = true;
    return true;
}

ImportDialogResult ImportDialogState::result() {
    ImportDialogResult r;
    r.confirmed = flgOkPressed;
    r.fileName = strImportFile;
    if (flgOkPressed) {
        r.model = std::move(arrImport);
        arrImport.clear();
        r.measures = arrImportMeasuresTranslation;
        r.dimensions = arrImportDimensionsTranslation;
    }
    return r;
}

}  // namespace vantorell
