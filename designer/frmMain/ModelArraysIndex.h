#pragma once
// The records of a set of model arrays by owner, gathered in one pass, so that taking a model
// into the editors costs time in step with its size: the categories of each dimension and
// the value records of each category (both in array order), and the irregularity record of
// each measure and dimension. Records whose indexes point at nothing, or at a category of
// another dimension, take no part.

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

class ModelArraysIndex {
public:
    ModelArraysIndex(const TArrDimensions& dimensions, const TArrCategories& categories,
                     const TArrMeasures& measures, const TArrMeasureValues& values,
                     const TArrIrregularities& irregularities);

    std::span<const std::int32_t> categoriesOf(int dimension) const {
        return bucket(categoryStart_, categoryItems_, dimension);
    }
    std::span<const std::int32_t> valuesOf(int category) const {
        return bucket(valueStart_, valueItems_, category);
    }
    // The last irregularity record of the measure and dimension; -1 when none.
    int irregularityOf(int measure, int dimension) const;
    // The first category whose dimension index points at no dimension; -1 when none.
    int strayCategory() const { return strayCategory_; }

private:
    static std::span<const std::int32_t> bucket(const std::vector<std::int32_t>& start,
                                                const std::vector<std::int32_t>& items, int i);

    std::vector<std::int32_t> categoryStart_;
    std::vector<std::int32_t> categoryItems_;
    std::vector<std::int32_t> valueStart_;
    std::vector<std::int32_t> valueItems_;
    std::unordered_map<std::int64_t, std::int32_t> irregularities_;
    std::int64_t dimensionCount_ = 0;
    int strayCategory_ = -1;
};

}  // namespace vantorell
