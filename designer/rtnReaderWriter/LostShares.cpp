#include "designer/rtnReaderWriter/LostShares.h"

namespace vantorell {
namespace {

// The measure's value record of each category; none where it has none or it is misplaced.
std::vector<std::vector<const TMeasureValueRecord*>> recordsByMeasure(const ModelArrays& model) {
    const std::size_t categories = model.categories.size();
    std::vector<std::vector<const TMeasureValueRecord*>> records(model.measures.size());
    for (const TMeasureValueRecord& v : model.values) {
        const auto m = static_cast<std::size_t>(v.intMeasureIndex);
        const auto c = static_cast<std::size_t>(v.intCategoryIndex);
        if (v.intMeasureIndex < 0 || m >= records.size() || v.intCategoryIndex < 0 ||
            c >= categories || model.categories[c].intParentDimensionIndex != v.intDimensionIndex) {
            continue;
        }
        if (records[m].empty()) {
            records[m].assign(categories, nullptr);
        }
        if (records[m][c] == nullptr) {
            records[m][c] = &v;  // the writer takes a category's first record
        }
    }
    return records;
}

bool isParent(const TArrCategories& categories, std::size_t c) {
    return c + 1 < categories.size() &&
           categories[c + 1].intParentDimensionIndex == categories[c].intParentDimensionIndex &&
           categories[c + 1].bytLevelNumber > categories[c].bytLevelNumber;
}

// One side of one measure, walked in tree order: below a category of share 0, each group
// reads back as 100 % for its first category and 0 for the others.
void findOnSide(const ModelArrays& model, std::int32_t m,
                const std::vector<const TMeasureValueRecord*>& records, bool negative,
                std::vector<LostShares>& lost) {
    const TArrCategories& categories = model.categories;
    int zeroLevel = 0;  // the level of the category of share 0 the walk is below; 0: none
    std::size_t zero = 0;
    bool zeroLost = false;
    for (std::size_t c = 0; c < categories.size(); ++c) {
        const int level = categories[c].bytLevelNumber;
        const bool sameDimension = c > 0 && categories[c - 1].intParentDimensionIndex ==
                                                categories[c].intParentDimensionIndex;
        if (zeroLevel > 0 && (!sameDimension || level <= zeroLevel)) {
            zeroLevel = 0;
        }
        const TMeasureValueRecord* record = records[c];
        if (zeroLevel > 0) {
            const bool first = categories[c - 1].bytLevelNumber == level - 1;
            const std::int32_t readBack = first ? kFullPercentage : 0;
            if (record != nullptr && !zeroLost &&
                (negative ? record->intNegPercentage : record->intPercentage) != readBack) {
                lost.push_back(LostShares{m, static_cast<std::int32_t>(zero), negative});
                zeroLost = true;
            }
            continue;
        }
        // A category without a record passes its parent's value on unchanged.
        if (record != nullptr &&
            (negative ? record->intNegPercentage : record->intPercentage) == 0 &&
            isParent(categories, c)) {
            zeroLevel = level;
            zero = c;
            zeroLost = false;
        }
    }
}

}  // namespace

std::vector<LostShares> arrLostSharesFind(const ModelArrays& model) {
    std::vector<LostShares> lost;
    const auto records = recordsByMeasure(model);
    for (std::size_t m = 0; m < model.measures.size(); ++m) {
        const TMeasureRecord& measure = model.measures[m];
        if (measure.chrType != 'I' || records[m].empty()) {
            continue;
        }
        const auto index = static_cast<std::int32_t>(m);
        findOnSide(model, index, records[m], false, lost);
        if (measure.dblNegTotal > 0) {
            findOnSide(model, index, records[m], true, lost);
        }
    }
    return lost;
}

}  // namespace vantorell
