#include "designer/frmMain/ModelArraysIndex.h"

namespace vantorell {
namespace {

// Counting sort of item indexes into buckets: start[b] .. start[b + 1] in `items`, each
// bucket in item order. `owner(i)` gives an item's bucket, or -1 to leave it out.
template <typename Owner>
void gather(std::size_t items, std::size_t buckets, Owner owner, std::vector<std::int32_t>& start,
            std::vector<std::int32_t>& out) {
    start.assign(buckets + 1, 0);
    for (std::size_t i = 0; i < items; ++i) {
        const int b = owner(i);
        if (b >= 0) {
            ++start[static_cast<std::size_t>(b) + 1];
        }
    }
    for (std::size_t b = 0; b < buckets; ++b) {
        start[b + 1] += start[b];
    }
    out.assign(static_cast<std::size_t>(start[buckets]), 0);
    std::vector<std::int32_t> next(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < items; ++i) {
        const int b = owner(i);
        if (b >= 0) {
            out[static_cast<std::size_t>(next[static_cast<std::size_t>(b)]++)] =
                static_cast<std::int32_t>(i);
        }
    }
}

bool within(std::int32_t i, std::size_t size) {
    return i >= 0 && static_cast<std::size_t>(i) < size;
}

}  // namespace

ModelArraysIndex::ModelArraysIndex(const TArrDimensions& dimensions,
                                   const TArrCategories& categories, const TArrMeasures& measures,
                                   const TArrMeasureValues& values,
                                   const TArrIrregularities& irregularities)
    : dimensionCount_(static_cast<std::int64_t>(dimensions.size())) {
    gather(
        categories.size(), dimensions.size(),
        [&](std::size_t c) {
            const std::int32_t d = categories[c].intParentDimensionIndex;
            if (!within(d, dimensions.size())) {
                if (strayCategory_ < 0) {
                    strayCategory_ = static_cast<int>(c);
                }
                return -1;
            }
            return static_cast<int>(d);
        },
        categoryStart_, categoryItems_);
    gather(
        values.size(), categories.size(),
        [&](std::size_t i) {
            const TMeasureValueRecord& v = values[i];
            const bool valid =
                within(v.intMeasureIndex, measures.size()) &&
                within(v.intDimensionIndex, dimensions.size()) &&
                within(v.intCategoryIndex, categories.size()) &&
                categories[static_cast<std::size_t>(v.intCategoryIndex)].intParentDimensionIndex ==
                    v.intDimensionIndex;
            return valid ? static_cast<int>(v.intCategoryIndex) : -1;
        },
        valueStart_, valueItems_);
    irregularities_.reserve(irregularities.size());
    for (std::size_t i = 0; i < irregularities.size(); ++i) {
        const TIrregularityRecord& r = irregularities[i];
        if (within(r.intMeasureIndex, measures.size()) &&
            within(r.intDimensionIndex, dimensions.size())) {
            irregularities_[r.intMeasureIndex * dimensionCount_ + r.intDimensionIndex] =
                static_cast<std::int32_t>(i);
        }
    }
}

int ModelArraysIndex::irregularityOf(int measure, int dimension) const {
    if (measure < 0 || dimension < 0 || dimension >= dimensionCount_) {
        return -1;
    }
    const auto it = irregularities_.find(measure * dimensionCount_ + dimension);
    return it == irregularities_.end() ? -1 : it->second;
}

std::span<const std::int32_t> ModelArraysIndex::bucket(const std::vector<std::int32_t>& start,
                                                       const std::vector<std::int32_t>& items,
                                                       int i) {
    if (i < 0 || static_cast<std::size_t>(i) + 1 >= start.size()) {
        return {};
    }
    const auto first = static_cast<std::size_t>(start[static_cast<std::size_t>(i)]);
    const auto end = static_cast<std::size_t>(start[static_cast<std::size_t>(i) + 1]);
    return std::span<const std::int32_t>(items.data() + first, end - first);
}

}  // namespace vantorell
