#include "designer/rtnReaderWriter/WritableModel.h"

#include <string>
#include <vector>

#include "designer/rtnReaderWriter/RecordWriter.h"

namespace vantorell {
namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool inRange(std::int64_t index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

[[noreturn]] void refuse(const std::string& what, const std::string& why) {
    throw ModelWriteError(what + " cannot be saved in a model file: " + why);
}

void requireCategories(const TArrCategories& categories, const TArrDimensions& dimensions) {
    std::vector<bool> seen(dimensions.size(), false);
    for (std::size_t k = 0; k < categories.size(); ++k) {
        const TCategoryRecord& c = categories[k];
        const std::string what = "The category " + quoted(c.strName.str());
        const std::int32_t d = c.intParentDimensionIndex;
        if (!inRange(d, dimensions.size())) {
            refuse(what, "it belongs to the dimension number " + std::to_string(d) +
                             ", but the model's dimensions are numbered 0 to " +
                             std::to_string(static_cast<long long>(dimensions.size()) - 1) + ".");
        }
        const bool first = k == 0 || categories[k - 1].intParentDimensionIndex != d;
        if (first && seen[static_cast<std::size_t>(d)]) {
            refuse(what, "the categories of the dimension " +
                             quoted(dimensions[static_cast<std::size_t>(d)].strName.str()) +
                             " do not lie together.");
        }
        seen[static_cast<std::size_t>(d)] = true;
        const std::int32_t level = c.bytLevelNumber;
        const std::int32_t highest = first ? 1 : categories[k - 1].bytLevelNumber + 1;
        if (level > kDeepestCategoryLevel) {
            refuse(what, "it lies at level " + std::to_string(level) + ", deeper than the " +
                             std::to_string(kDeepestCategoryLevel) + " levels a model holds.");
        }
        if (level < 1 || level > highest) {
            refuse(what, "it lies at level " + std::to_string(level) +
                             ", where categories lie at level 1 or more, each at most one level "
                             "below the category before it and the first of a dimension at "
                             "level 1.");
        }
    }
}

void requireMeasures(const TArrMeasures& measures, const TArrDimensions& dimensions) {
    for (const TMeasureRecord& m : measures) {
        const std::string what = "The measure " + quoted(m.strName.str());
        if (m.dblPosTotal < 0 || m.dblNegTotal < 0) {
            refuse(what,
                   "its totals are held as numbers not below 0, the negative total as its "
                   "size.");
        }
        if (m.chrType == 'W') {
            if (!inRange(m.intSourceMeasureIndex, measures.size())) {
                refuse(what, "its source measure, number " +
                                 std::to_string(m.intSourceMeasureIndex) +
                                 ", is not a measure of the model.");
            }
            if (!inRange(m.intWeightingDimensionIndex, dimensions.size())) {
                refuse(what, "its weighting dimension, number " +
                                 std::to_string(m.intWeightingDimensionIndex) +
                                 ", is not a dimension of the model.");
            }
        } else if (m.intIrregularityType == 0 && m.intGlobalPercent < 0) {
            refuse(what, "its global percentage " + std::to_string(m.intGlobalPercent) +
                             " is below 0, and a file reads a negative number there as the "
                             "start of a list of irregularities.");
        }
    }
}

void requireValues(const TArrMeasureValues& values, const TArrMeasures& measures,
                   const TArrCategories& categories, const TArrDimensions& dimensions) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const TMeasureValueRecord& v = values[i];
        const std::string what = "The value record number " + std::to_string(i);
        if (!inRange(v.intMeasureIndex, measures.size())) {
            refuse(what, "its measure, number " + std::to_string(v.intMeasureIndex) +
                             ", is not a measure of the model.");
        }
        if (!inRange(v.intDimensionIndex, dimensions.size())) {
            refuse(what, "its dimension, number " + std::to_string(v.intDimensionIndex) +
                             ", is not a dimension of the model.");
        }
        if (!inRange(v.intCategoryIndex, categories.size()) ||
            categories[static_cast<std::size_t>(v.intCategoryIndex)].intParentDimensionIndex !=
                v.intDimensionIndex) {
            refuse(what, "its category, number " + std::to_string(v.intCategoryIndex) +
                             ", is not a category of its dimension.");
        }
    }
}

void requireIrregularities(const TArrIrregularities& irregularities, const TArrMeasures& measures,
                           const TArrDimensions& dimensions) {
    for (std::size_t i = 0; i < irregularities.size(); ++i) {
        const TIrregularityRecord& r = irregularities[i];
        if (!inRange(r.intMeasureIndex, measures.size()) ||
            !inRange(r.intDimensionIndex, dimensions.size())) {
            refuse("The irregularity record number " + std::to_string(i),
                   "it refers to the measure number " + std::to_string(r.intMeasureIndex) +
                       " and the dimension number " + std::to_string(r.intDimensionIndex) +
                       ", which the model does not hold.");
        }
    }
}

}  // namespace

void requireWritableModel(const TArrIrregularities& irregularities, const TArrMeasureValues& values,
                          const TArrMeasures& measures, const TArrCategories& categories,
                          const TArrDimensions& dimensions) {
    requireCategories(categories, dimensions);
    requireMeasures(measures, dimensions);
    requireValues(values, measures, categories, dimensions);
    requireIrregularities(irregularities, measures, dimensions);
}

}  // namespace vantorell
