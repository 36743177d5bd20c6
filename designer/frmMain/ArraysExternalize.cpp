// Externalize: the five model arrays built from the working copy. Every reference a model
// file needs is resolved first, so that a measure the file could not carry is refused before
// the arrays change.
#include <optional>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/rtnGrids/GridLookups.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

// One measure row as the arrays take it, and how its values are gathered.
struct MeasurePlan {
    TMeasureRecord record;
    int type = -1;
    int irregularityType = -1;
};

// Refusal of a cell the model cannot take.
std::nullopt_t refuse(const std::string& what, const std::string& measure, const std::string& text,
                      const std::string& why) {
    showMessage("Error",
                "Sorry, the " + what + " of the measure " + measure + " (i.e. " + text + ") " + why,
                MessageIcon::Error);
    return std::nullopt;
}

class Planner {
public:
    Planner(const StringGrid& grid, const TArrDimensions& dimensions)
        : grid_(grid), dimensions_(dimensions) {}

    std::optional<MeasurePlan> plan(int row) {
        MeasurePlan p;
        TMeasureRecord& m = p.record;
        const std::string& name = grid_.cell(kMeasuresName, row);
        m.strName = name;
        m.strCode = grid_.cell(kMeasuresCode, row);
        const std::string& type = grid_.cell(kMeasuresType, row);
        m.chrType = type.empty() ? ' ' : type.front();
        m.dblPosTotal = 0;
        m.dblNegTotal = 0;
        m.intIrregularityType = 0;
        m.intGlobalPercent = 0;
        m.intSourceMeasureIndex = 0;
        m.intWeightingDimensionIndex = 0;
        p.type = intMeasuresGetTypeNumber(grid_, row);
        p.irregularityType = intMeasuresGetIrregTypeNumber(grid_, row);

        if (available(kMeasuresPosTotal, row) &&
            !flgParseDouble(grid_.cell(kMeasuresPosTotal, row), m.dblPosTotal)) {
            return refuse("Pos. Total", name, grid_.cell(kMeasuresPosTotal, row),
                          "is not a number.");
        }
        if (available(kMeasuresNegTotal, row) &&
            !flgParseDouble(grid_.cell(kMeasuresNegTotal, row), m.dblNegTotal)) {
            return refuse("Neg. Total", name, grid_.cell(kMeasuresNegTotal, row),
                          "is not a number.");
        }
        if (available(kMeasuresIrregularityType, row)) {
            m.intIrregularityType = p.irregularityType;
        }
        if (available(kMeasuresGlobalPercentage, row) &&
            !flgParseInteger(grid_.cell(kMeasuresGlobalPercentage, row), m.intGlobalPercent)) {
            return refuse("Global Percentage", name, grid_.cell(kMeasuresGlobalPercentage, row),
                          "is not a whole number.");
        }
        if (available(kMeasuresSourceMeasure, row)) {
            const std::string& source = grid_.cell(kMeasuresSourceMeasure, row);
            const int found = intGridRowFindAll(grid_, kMeasuresName, source);
            if (found < 0 || intMeasuresGetTypeNumber(grid_, found) != kMeasureTypeIndependent) {
                return refuse("Source Measure", name, source,
                              "is not an independent measure of the model.");
            }
            m.intSourceMeasureIndex = found - grid_.fixedRows();
        }
        if (available(kMeasuresWeightingDimension, row)) {
            const std::string& dimension = grid_.cell(kMeasuresWeightingDimension, row);
            m.intWeightingDimensionIndex = intDimensionIndexGetByName(dimensions_, dimension);
            if (m.intWeightingDimensionIndex < 0) {
                return refuse("Weighting Dimension", name, dimension,
                              "is not a dimension of the model.");
            }
        }
        return p;
    }

private:
    bool available(int col, int row) const { return flgMeasuresIsCellAvailable(grid_, col, row); }

    const StringGrid& grid_;
    const TArrDimensions& dimensions_;
};

// A tree node in pre-order, with the counters of the walk: the dimension it belongs to and,
// for a category, its index among all categories.
struct WalkStep {
    const TreeNode* node;
    int dimension;
    int category;  // -1 for a dimension
};

}  // namespace

bool nulExternalizeReaderWriterArrays(EditorState& editors, TArrDimensions& dimensions,
                                      TArrCategories& categories, std::string& checksum,
                                      const std::string& logCaption, const std::string& logFileName,
                                      TArrIrregularities& irregularities, TArrMeasureValues& values,
                                      TArrMeasures& measures) {
    BusyCursor busy(editors);
    const StringGrid& grid = editors.sgdMeasures;

    TArrDimensions newDimensions;
    TArrCategories newCategories;
    std::vector<WalkStep> walk;
    walk.reserve(static_cast<std::size_t>(editors.tvwDimsCats.count()));
    for (const TreeNode* n = editors.tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
        const int level = n->level();
        if (level == 0) {
            TDimensionRecord& d = newDimensions.emplace_back();
            d.strName = n->text();
            d.strCode = nodeData(*n) != nullptr ? nodeData(*n)->strCode : std::string();
            walk.push_back({n, static_cast<int>(newDimensions.size()) - 1, -1});
        } else {
            TCategoryRecord& c = newCategories.emplace_back();
            c.strName = n->text();
            c.strCode = nodeData(*n) != nullptr ? nodeData(*n)->strCode : std::string();
            c.bytLevelNumber = level;
            c.intParentDimensionIndex = static_cast<int>(newDimensions.size()) - 1;
            walk.push_back(
                {n, c.intParentDimensionIndex, static_cast<int>(newCategories.size()) - 1});
        }
    }

    std::vector<MeasurePlan> plans;
    if (flgMeasuresHasValues(grid)) {
        Planner planner(grid, newDimensions);
        for (int row = grid.fixedRows(); row < grid.rowCount(); ++row) {
            std::optional<MeasurePlan> plan = planner.plan(row);
            if (!plan) {
                return false;
            }
            plans.push_back(std::move(*plan));
        }
    }

    dimensions = std::move(newDimensions);
    categories = std::move(newCategories);
    measures.clear();
    values.clear();
    irregularities.clear();
    measures.reserve(plans.size());
    for (const MeasurePlan& plan : plans) {
        measures.push_back(plan.record);
    }
    for (std::size_t m = 0; m < plans.size(); ++m) {
        const MeasurePlan& plan = plans[m];
        const int k = static_cast<int>(m);
        if (plan.type < 0) {
            continue;
        }
        const bool independent = plan.type == kMeasureTypeIndependent;
        for (const WalkStep& step : walk) {
            // A weighted measure takes the leaves of its weighting dimension only.
            if (!independent && (step.dimension != plan.record.intWeightingDimensionIndex ||
                                 step.node->hasChildren())) {
                continue;
            }
            if (step.category < 0) {
                if (plan.irregularityType > 0) {
                    const TIrregularitiesWorksetItem* item = irregularityItem(*step.node, k);
                    const TIrregularitiesWorksetItem none;
                    const TIrregularitiesWorksetItem& w = item != nullptr ? *item : none;
                    irregularities.push_back({k, step.dimension, w.dblStandardIrregularity,
                                              w.dblInterFamilyIrregularity,
                                              w.intIrregularityFamilyNumber});
                }
                continue;
            }
            const TMeasureValuesWorksetItem* item = measureValueItem(*step.node, k);
            const TMeasureValuesWorksetItem none;
            const TMeasureValuesWorksetItem& w = item != nullptr ? *item : none;
            TMeasureValueRecord& v = values.emplace_back();
            v.intMeasureIndex = k;
            v.intDimensionIndex = step.dimension;
            v.intCategoryIndex = step.category;
            if (independent) {
                v.intPercentage = w.intPercentage;
                v.intNegPercentage = w.intNegPercentage;
            } else {
                v.dblMaximumRatio = w.dblMaximumRatio;
                v.dblAverageRatio = w.dblAverageRatio;
                v.dblMinimumRatio = w.dblMinimumRatio;
            }
        }
    }

    checksum = strChecksumGet(editors, dimensions, categories, irregularities, values, measures);
    if (editors.intArrayDebugFlags > 0) {
        nulArraysLogAppend(editors, editors.strProgramFolder + logFileName, logCaption, dimensions,
                           checksum, irregularities, values, measures, categories);
    }
    return true;
}

}  // namespace vantorell
