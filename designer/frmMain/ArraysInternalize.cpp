// Internalize: the working copy built from five model arrays, plain or as an import.
//
// The tree is built aside and joins the editors' tree only when complete, so a model the tree
// cannot show changes nothing. An import works in the target's measure rows: every node gets
// one element per row of the measures grid, filled from the imported measure assigned to the
// row, or with the defaults of the row's type.
#include <climits>
#include <cstdio>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/Balancing.h"
#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/DimsCatsEditor.h"
#include "designer/frmMain/ElapsedTime.h"
#include "designer/frmMain/MeasureValuesEditor.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/ModelArraysIndex.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnGrids/GridSizing.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

struct Arrays {
    TArrDimensions& dimensions;
    TArrCategories& categories;
    TArrIrregularities& irregularities;
    TArrMeasureValues& values;
    TArrMeasures& measures;

    void clear() const {
        dimensions.clear();
        categories.clear();
        irregularities.clear();
        values.clear();
        measures.clear();
    }
};

struct Import {
    bool on = false;
    const TArrImportMeasuresTranslation& measures;
    const TArrImportDimensionsTranslation& dimensions;

    // The dimension's translation; none outside import mode.
    const TImportDimensionsTranslation* dimension(std::size_t d) const {
        return on && d < dimensions.size() ? &dimensions[d] : nullptr;
    }
    bool included(std::size_t d) const {
        return !on || (dimension(d) != nullptr && dimension(d)->flgInclude);
    }
};

int typeNumberOf(char type) {
    return type == 'I' ? kMeasureTypeIndependent : type == 'W' ? kMeasureTypeWeighted : -1;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void refuse(const std::string& why) {
    showMessage("Error", "The model cannot be shown in the editors: " + why, MessageIcon::Error);
}

// Every category the tree is to show lies at a level from 1 to 128, at most one below the
// category before it in its dimension (the first at level 1).
bool arraysShowable(const Arrays& a, const ModelArraysIndex& index, const Import& import) {
    if (index.strayCategory() >= 0) {
        const TCategoryRecord& c = a.categories[static_cast<std::size_t>(index.strayCategory())];
        refuse("the category " + quoted(c.strName.str()) + " belongs to no dimension.");
        return false;
    }
    for (std::size_t d = 0; d < a.dimensions.size(); ++d) {
        if (!import.included(d)) {
            continue;
        }
        int previous = 0;
        for (const std::int32_t c : index.categoriesOf(static_cast<int>(d))) {
            const TCategoryRecord& category = a.categories[static_cast<std::size_t>(c)];
            const int level = category.bytLevelNumber;
            if (level < 1 || level > kDeepestCategoryLevel || level > previous + 1) {
                refuse("the category " + quoted(category.strName.str()) + " of the dimension " +
                       quoted(a.dimensions[d].strName.str()) + " lies at level " +
                       std::to_string(level) + ", but categories lie at levels 1 to " +
                       std::to_string(kDeepestCategoryLevel) +
                       ", each at most one level below the category before it.");
                return false;
            }
            previous = level;
        }
    }
    return true;
}

class TreeBuilder {
public:
    TreeBuilder(EditorState& editors, const Arrays& arrays, const ModelArraysIndex& index,
                const Import& import)
        : e_(editors), a_(arrays), index_(index), import_(import) {
        const int measures = static_cast<int>(a_.measures.size());
        if (import_.on) {
            codes_.addTree(e_.tvwDimsCats);
            rows_ = intMeasureRowsCount(e_.sgdMeasures);
        } else {
            // Codes given by the model are kept; generated ones avoid all of them.
            for (const TDimensionRecord& d : a_.dimensions) {
                codes_.take(d.strCode.str());
            }
            for (const TCategoryRecord& c : a_.categories) {
                codes_.take(c.strCode.str());
            }
            rows_ = measures > 0 ? measures : 1;  // the grid keeps a blank row
        }
        rowSource_.assign(static_cast<std::size_t>(rows_), -1);
        rowType_.assign(static_cast<std::size_t>(rows_), -1);
        for (int k = 0; k < rows_; ++k) {
            const auto row = static_cast<std::size_t>(k);
            if (!import_.on) {
                if (k < measures) {
                    rowSource_[row] = k;
                    rowType_[row] = typeNumberOf(a_.measures[row].chrType);
                }
                continue;
            }
            rowType_[row] =
                intMeasuresGetTypeNumber(e_.sgdMeasures, k + e_.sgdMeasures.fixedRows());
            const int s = row < import_.measures.size() ? import_.measures[row] : -1;
            // A measure of another type has nothing this row could take.
            if (s >= 0 && s < measures && rowType_[row] >= 0 &&
                typeNumberOf(a_.measures[static_cast<std::size_t>(s)].chrType) == rowType_[row]) {
                rowSource_[row] = s;
            }
        }
        bySource_.assign(a_.measures.size(), -1);
        sums_.resize(kDeepestCategoryLevel + 2);
        stack_.assign(kDeepestCategoryLevel + 1, nullptr);
    }

    NodeTree& tree() { return aside_; }

    void build() {
        for (std::size_t d = 0; d < a_.dimensions.size(); ++d) {
            if (import_.included(d)) {
                addDimension(d);
            }
        }
    }

private:
    struct Sums {
        long long positive = 0;
        long long negative = 0;
    };

    void addDimension(std::size_t d) {
        const TDimensionRecord& record = a_.dimensions[d];
        const TImportDimensionsTranslation* translation = import_.dimension(d);
        const std::string name =
            translation != nullptr
                ? strFirstNonEmpty({translation->strNewDimensionName, record.strName})
                : record.strName.str();
        TreeNode* node = aside_.add(nullptr, name);
        nulDimsCatsNodeSetIcon(*node);
        nulDimsCatsNodeDataCreate(*node, false, {});
        nodeData(*node)->strCode =
            translation != nullptr
                ? codes_.next(strFirstNonEmpty({translation->strNewDimensionCode, record.strCode}),
                              true)
                : codeOf(record.strCode.str(), true);
        nulDimsCatsNodeExtDataCreate(*node, rows_, false);
        TArrIrregularitiesWorkset& irregularities = *nodeData(*node)->irregularities();
        for (int k = 0; k < rows_; ++k) {
            const int r =
                index_.irregularityOf(rowSource_[static_cast<std::size_t>(k)], static_cast<int>(d));
            if (r >= 0) {
                const TIrregularityRecord& source = a_.irregularities[static_cast<std::size_t>(r)];
                irregularities[static_cast<std::size_t>(k)] = {source.dblStandardIrregularity,
                                                               source.dblInterFamilyIrregularity,
                                                               source.intIrregularityFamilyNumber};
            }
        }
        stack_[0] = node;
        startGroup(1);

        const std::span<const std::int32_t> categories = index_.categoriesOf(static_cast<int>(d));
        const int limit = translation != nullptr ? translation->intCategoryLimit : 0;
        int leaves = 0;
        for (std::size_t p = 0; p < categories.size(); ++p) {
            const int level = addCategory(static_cast<std::size_t>(categories[p]));
            const bool last = p + 1 == categories.size();
            if (last || levelOf(categories[p + 1]) <= level) {
                ++leaves;
            }
            if (limit > 0 && leaves >= limit && !last) {
                rebalanceLostGroups(categories.subspan(p + 1), level);
                break;
            }
        }
    }

    int addCategory(std::size_t c) {
        const TCategoryRecord& record = a_.categories[c];
        const int level = record.bytLevelNumber;
        TreeNode* node =
            aside_.addChild(stack_[static_cast<std::size_t>(level - 1)], record.strName);
        stack_[static_cast<std::size_t>(level)] = node;
        if (level < kDeepestCategoryLevel) {
            startGroup(level + 1);
        }
        nulDimsCatsNodeSetIcon(*node);
        nulDimsCatsNodeDataCreate(*node, false, {});
        nodeData(*node)->strCode =
            import_.on ? codes_.next(record.strCode, false) : codeOf(record.strCode.str(), false);
        nulDimsCatsNodeExtDataCreate(*node, rows_, false);

        const std::span<const std::int32_t> records = index_.valuesOf(static_cast<int>(c));
        for (const std::int32_t r : records) {
            bySource_[static_cast<std::size_t>(
                a_.values[static_cast<std::size_t>(r)].intMeasureIndex)] = r;
        }
        TArrMeasureValuesWorkset& items = *nodeData(*node)->measureValues();
        std::vector<Sums>& sums = sums_[static_cast<std::size_t>(level)];
        for (std::size_t k = 0; k < items.size(); ++k) {
            TMeasureValuesWorksetItem& item = items[k];
            const int s = rowSource_[k];
            const int r = s >= 0 ? bySource_[static_cast<std::size_t>(s)] : -1;
            if (r >= 0) {
                const TMeasureValueRecord& v = a_.values[static_cast<std::size_t>(r)];
                item = {false,
                        v.intNegPercentage,
                        v.intPercentage,
                        v.dblMaximumRatio,
                        v.dblAverageRatio,
                        v.dblMinimumRatio};
            } else if (import_.on) {
                measureValueDefaultsApply(item, rowType_[k], sums[k].negative, sums[k].positive,
                                          node->getPrevSibling() == nullptr);
            }
            sums[k].positive += item.intPercentage;
            sums[k].negative += item.intNegPercentage;
        }
        for (const std::int32_t r : records) {
            bySource_[static_cast<std::size_t>(
                a_.values[static_cast<std::size_t>(r)].intMeasureIndex)] = -1;
        }
        return level;
    }

    // The shares the siblings of a new group hold so far, per measure row.
    void startGroup(int level) {
        sums_[static_cast<std::size_t>(level)].assign(static_cast<std::size_t>(rows_), Sums{});
    }

    int levelOf(std::int32_t c) const {
        return a_.categories[static_cast<std::size_t>(c)].bytLevelNumber;
    }

    std::string codeOf(const std::string& code, bool dimension) {
        return code.empty() ? codes_.next({}, dimension) : code;
    }

    // The import stopped below the node at `level`: every group on its path to the dimension
    // that has members among the categories left out gets its shares back to 100 %, for every
    // independent measure row and both signs.
    void rebalanceLostGroups(std::span<const std::int32_t> leftOut, int level) {
        std::vector<bool> lost(static_cast<std::size_t>(level) + 1, false);
        int shallowest = INT_MAX;  // the shallowest level left out so far
        for (const std::int32_t c : leftOut) {
            const int l = levelOf(c);
            if (l <= shallowest && l <= level) {
                lost[static_cast<std::size_t>(l)] = true;  // a later sibling of the path's node
            }
            shallowest = std::min(shallowest, l);
            if (shallowest == 1) {
                break;
            }
        }
        TDynamicArrayOfStrings texts;
        for (int l = 1; l <= level; ++l) {
            if (!lost[static_cast<std::size_t>(l)]) {
                continue;
            }
            TreeNode* member = stack_[static_cast<std::size_t>(l)];
            for (int k = 0; k < rows_; ++k) {
                if (rowType_[static_cast<std::size_t>(k)] != kMeasureTypeIndependent) {
                    continue;
                }
                for (const bool negative : {false, true}) {
                    nulLoadStringArrayFromMeasureValuesPercentages(e_.sgdMeasures, aside_, member,
                                                                   k, negative, texts);
                    strArrBalanceToNPercent(texts, 0, static_cast<int>(texts.size()) - 1, false,
                                            kFullPercentage);
                    nulSaveStringArrayToMeasureValuesPercentages(e_.sgdMeasures, member, k,
                                                                 negative, texts);
                }
            }
        }
    }

    EditorState& e_;
    const Arrays& a_;
    const ModelArraysIndex& index_;
    const Import& import_;
    NodeTree aside_;
    DimsCatsCodeRegistry codes_;
    int rows_ = 0;
    std::vector<int> rowSource_;  // per measure row: the measure it takes its values from, or -1
    std::vector<int> rowType_;    // per measure row: its type number
    std::vector<std::int32_t> bySource_;   // per measure: its value record of the current category
    std::vector<std::vector<Sums>> sums_;  // per level: the shares of the current group so far
    std::vector<TreeNode*> stack_;         // per level: the node added last
};

std::vector<std::string> measureRow(const Arrays& a, const TMeasureRecord& m) {
    const auto name = [](const auto& records, int i) {
        return i >= 0 && static_cast<std::size_t>(i) < records.size()
                   ? records[static_cast<std::size_t>(i)].strName.str()
                   : std::string();
    };
    return {m.strName.str(),
            m.strCode.str(),
            strMeasuresTypeTextGet(m.chrType),
            strFloatOrDefault(m.dblPosTotal, "0"),
            strFloatOrDefault(m.dblNegTotal, "0"),
            strMeasuresIrregTypeTextGet(m.intIrregularityType),
            strIntOrDefault(m.intGlobalPercent, "0"),
            strTextIfIndex(m.intSourceMeasureIndex, name(a.measures, m.intSourceMeasureIndex), ""),
            strTextIfIndex(m.intWeightingDimensionIndex,
                           name(a.dimensions, m.intWeightingDimensionIndex), "")};
}

void fillMeasuresGrid(EditorState& e, const Arrays& a, const Import& import) {
    StringGrid& grid = e.sgdMeasures;
    grid.beginUpdate();
    if (import.on) {
        const int rows = flgMeasuresHasValues(grid) ? intMeasureRowsCount(grid) : 0;
        for (int k = 0; k < rows; ++k) {
            const auto row = static_cast<std::size_t>(k);
            const int s = row < import.measures.size() ? import.measures[row] : -1;
            const int r = k + grid.fixedRows();
            if (s < 0 || static_cast<std::size_t>(s) >= a.measures.size()) {
                continue;
            }
            const TMeasureRecord& m = a.measures[static_cast<std::size_t>(s)];
            if (typeNumberOf(m.chrType) != intMeasuresGetTypeNumber(grid, r)) {
                continue;
            }
            grid.setCell(kMeasuresPosTotal, r, strFloatOrDefault(m.dblPosTotal, "0"));
            grid.setCell(kMeasuresNegTotal, r, strFloatOrDefault(m.dblNegTotal, "0"));
            grid.setCell(kMeasuresIrregularityType, r,
                         strMeasuresIrregTypeTextGet(m.intIrregularityType));
            grid.setCell(kMeasuresGlobalPercentage, r, strIntOrDefault(m.intGlobalPercent, "0"));
        }
    } else {
        nulGridClear(grid);
        for (const TMeasureRecord& m : a.measures) {
            nulGridRowAdd(grid, measureRow(a, m));
        }
    }
    nulGridColumnsWidthSet(grid, 0, grid.colCount() - 1, 20);
    grid.endUpdate();
    grid.refresh();
}

}  // namespace

bool nulInternalizeReaderWriterArrays(EditorState& editors, TArrDimensions& dimensions,
                                      TArrCategories& categories, std::string& checksum,
                                      const TArrImportMeasuresTranslation& measureTranslation,
                                      const TArrImportDimensionsTranslation& dimensionTranslation,
                                      bool importMode, const std::string& logCaption,
                                      const std::string& logFileName,
                                      TArrIrregularities& irregularities, TArrMeasureValues& values,
                                      TArrMeasures& measures) {
    BusyCursor busy(editors);
    const auto start = editors.elapsedClock();
    const Arrays arrays{dimensions, categories, irregularities, values, measures};
    const Import import{importMode, measureTranslation, dimensionTranslation};
    const ModelArraysIndex index(dimensions, categories, measures, values, irregularities);
    if (!arraysShowable(arrays, index, import)) {
        return false;
    }

    if (!importMode) {
        checksum =
            strChecksumGet(editors, dimensions, categories, irregularities, values, measures);
    }
    if (editors.intArrayDebugFlags > 0) {
        nulArraysLogAppend(editors, editors.strProgramFolder + logFileName, logCaption, dimensions,
                           checksum, irregularities, values, measures, categories);
    }

    TreeBuilder builder(editors, arrays, index, import);
    builder.build();
    NodeTree& tree = editors.tvwDimsCats;
    // The old nodes go whole, without the callbacks of single deletions, once the view has
    // let go of them.
    NodeTree discarded;
    tree.beginUpdate();
    if (!importMode) {
        editors.lstMeasureValuesNodes.clear();
        editors.lstIrregularitiesNodes.clear();
        discarded.adoptNodes(tree);
    }
    tree.adoptNodes(builder.tree());
    tree.endUpdate();
    nulDimsCatsDisplayCodes(editors);

    fillMeasuresGrid(editors, arrays, import);

    char counts[160];
    std::snprintf(counts, sizeof counts,
                  " (%zu Dimensions, %zu Categories, %zu Measures, %zu Irregularities, %zu Measure "
                  "Values)",
                  dimensions.size(), categories.size(), measures.size(), irregularities.size(),
                  values.size());
    editors.setStatusText(editors.statusText() + ", Internalize: " +
                          strElapsedTimeGet(editors.elapsedClock(), start) + counts);
    arrays.clear();
    return true;
}

}  // namespace vantorell
