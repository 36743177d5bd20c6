#include "designer/rtnReaderWriter/PercentageReader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <string>

#include "designer/rtnReaderWriter/CategoryIndex.h"
#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/LevelNormaliser.h"
#include "designer/rtnReaderWriter/ModelFileError.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "platform/LargeArrays.h"

namespace vantorell {
namespace {

// A layout marker of this or more is the older weighted layout's total.
constexpr double kOlderLayoutMarker = 0.5;
// Value records reserved in advance at most (64 bytes each).
constexpr std::size_t kReserveLimit = std::size_t{1} << 24;

std::size_t at(std::int64_t i) {
    return static_cast<std::size_t>(i);
}

class PercentageSection {
public:
    explicit PercentageSection(ModelReadState& state) : s_(state) {
        s_.valueBlocks.resize(s_.measures.size());
        s_.irregularityBases.resize(s_.measures.size(), -1);
        s_.valueSlotsUsed.resize(s_.values.size(), true);
        // A block never holds more records than there are categories: room for all of them
        // at once spares the copies of a growing array (only what is used gets touched).
        const std::size_t bound = s_.measures.size() * s_.categories.size();
        if (bound <= kReserveLimit) {
            const std::size_t size = s_.values.size();
            s_.values.reserve(size + bound);
            adviseLargeArray(s_.values.data() + size, bound * sizeof(TMeasureValueRecord));
        }
    }

    void read() {
        bool independent = true;
        std::string_view id;
        for (bool firstBlock = true; nextInList(id); firstBlock = false) {
            const std::int32_t m = found(s_.measureIndex(id), "measure", id);
            const std::string_view keyword = s_.next();
            bool numberPending = false;
            if (keyword == "IND") {
                independent = true;
            } else if (keyword == "WEI") {
                independent = false;
            } else if (firstBlock) {
                numberPending = true;  // the first block may go without its keyword
            }
            if (independent) {
                readIndependentMeasure(m, numberPending);
            } else {
                readWeightedMeasure(m);
            }
        }
        regroup();
    }

private:
    // The next identifier of a list, valid up to the next read; false at the "*" that
    // ends the list.
    bool nextInList(std::string_view& id) {
        id = s_.next();
        return id != "*";
    }

    // An index looked up for the identifier just read; one that was not found fails the read.
    std::int32_t found(std::int32_t index, const char* what, std::string_view id) {
        if (index < 0) {
            s_.fail(std::string("the ") + what + " identifier " + quotedRecord(id) +
                    " of the PER section is not one of the model's " + what + "s.");
        }
        return index;
    }

    TMeasureRecord& measure(std::int32_t m) { return m >= 0 ? s_.measures[at(m)] : dropped_; }

    std::int64_t reserveValues(std::int32_t m, std::size_t count) {
        const auto base = static_cast<std::int64_t>(s_.values.size());
        // Records refer to one another by Integer index.
        if (s_.values.size() + count > static_cast<std::size_t>(INT32_MAX)) {
            throw ModelFileError("The model file \"" + s_.source.fileName() +
                                 "\" holds more values than a model can.");
        }
        s_.values.resize(s_.values.size() + count);
        s_.valueSlotsUsed.resize(s_.values.size(), false);
        s_.valueBlocks[at(m)] = {static_cast<std::int32_t>(base),
                                 static_cast<std::int32_t>(s_.values.size())};
        return base;
    }

    // Reserved records start zeroed; a dimension given twice in a block has its shares
    // written afresh by the normaliser.
    void fillSlot(std::int64_t slot, std::int32_t m, std::int32_t d, std::int32_t c) {
        TMeasureValueRecord& v = s_.values[at(slot)];
        v.intMeasureIndex = m;
        v.intDimensionIndex = d;
        v.intCategoryIndex = c;
        s_.valueSlotsUsed[at(slot)] = true;
    }

    bool slotInBlock(std::int32_t m, std::int64_t slot) const {
        const ModelReadState::ValueBlock& b = s_.valueBlocks[at(m)];
        return slot >= b.first && slot < b.end;
    }

    // The category of `fileId` when it belongs to dimension `d`; -1 otherwise. A block
    // lists its leaves in order, as the writer writes them, so the leaf after the one found
    // last is tried first; with unique identifiers that gives what the search would.
    std::int32_t categoryOf(std::string_view fileId, std::int32_t d) {
        std::int32_t c = -1;
        if (s_.categoryIdsUnique && guess_ >= 0 &&
            s_.categories[at(guess_)].strFileId.str() == fileId) {
            c = guess_;
        } else {
            bool known = true;
            nulFindCategory(s_.categories, fileId, c, known);
            if (!known) {
                s_.fail("the category identifier " + quotedRecord(fileId) +
                        " of the PER section is not one of the CAT section.");
            }
        }
        if (c >= 0 && s_.categories[at(c)].intParentDimensionIndex != d) {
            s_.fail("the category " + quotedRecord(fileId) + " does not belong to the dimension " +
                    quotedRecord(s_.dimensions[at(d)].strFileId.str()) + " it is listed under.");
            c = -1;
        }
        if (c >= 0) {
            guessLeafFrom(c + 1, d);
        }
        return c;
    }

    // The first leaf of dimension `d` at or after category `from`, as the next guess.
    void guessLeafFrom(std::int32_t from, std::int32_t d) {
        const TDimensionRecord& dim = s_.dimensions[at(d)];
        const std::int32_t end = dim.intFirstCategoryIndex + dim.intCategoryCount;
        guess_ = -1;
        for (std::int32_t i = from; i < end; ++i) {
            if (s_.categories[at(i)].intLeafNumber >= 0) {
                guess_ = i;
                return;
            }
        }
    }

    void readIrregularities(std::int32_t m) {
        TMeasureRecord& meas = measure(m);
        const std::int32_t b = s_.nextInteger();
        if (b >= 0) {
            meas.intIrregularityType = 0;
            meas.intGlobalPercent = b;
            return;
        }
        std::int32_t type = s_.nextInteger();
        if (type == 0) {
            type = 1;
        }
        meas.intIrregularityType = type;
        std::int64_t base = -1;
        if (m >= 0) {
            // A measure given twice keeps one record per dimension.
            base = s_.irregularityBases[at(m)];
            if (base < 0) {
                base = static_cast<std::int64_t>(s_.irregularities.size());
                s_.irregularityBases[at(m)] = static_cast<std::int32_t>(base);
                s_.irregularities.resize(s_.irregularities.size() + s_.dimensions.size());
            }
            for (std::size_t d = 0; d < s_.dimensions.size(); ++d) {
                TIrregularityRecord& r = s_.irregularities[at(base) + d];
                r = TIrregularityRecord{};
                r.intMeasureIndex = m;
                r.intDimensionIndex = static_cast<std::int32_t>(d);
            }
        }
        TIrregularityRecord dropped;
        std::string_view id;
        while (nextInList(id)) {
            const std::int32_t d = found(s_.dimensionIndex(id), "dimension", id);
            TIrregularityRecord& r =
                (base >= 0 && d >= 0) ? s_.irregularities[at(base + d)] : dropped;
            r.dblStandardIrregularity = s_.nextNumber() / 100.0;
            if (type >= 2) {
                r.intIrregularityFamilyNumber = s_.nextInteger();
                if (r.intIrregularityFamilyNumber >= 1) {
                    r.dblInterFamilyIrregularity = s_.nextNumber() / 100.0;
                }
            }
        }
    }

    void readIndependentMeasure(std::int32_t m, bool numberPending) {
        TMeasureRecord& meas = measure(m);
        meas.chrType = 'I';
        const double x = numberPending ? s_.currentNumber() : s_.nextNumber();
        // The writer gives the negative column whenever there is a negative total, also
        // when the positive total is 0.
        const bool negativeColumn = x < 0.0;
        if (negativeColumn) {
            meas.dblNegTotal = -x;
            const double y = s_.nextNumber();
            meas.dblPosTotal = y > 0.0 ? y : 0.0;
        } else {
            meas.dblPosTotal = x;
            meas.dblNegTotal = 0.0;
        }
        readIrregularities(m);

        std::int64_t base = -1;
        if (m >= 0) {
            base = reserveValues(m, s_.categories.size());
            meas.intFirstValueIndex = static_cast<std::int32_t>(base);
        }
        std::string_view id;
        while (nextInList(id)) {
            const std::int32_t d = found(s_.dimensionIndex(id), "dimension", id);
            if (d < 0 && s_.debugOn(kDebugIdentifiers)) {
                nulDebugMessage("*** *** Dimension ID search for <" + std::string(id) +
                                    "> failed in an independent measure",
                                kDebugIdentifiers, s_.debugMask());
            }
            const bool storing = m >= 0 && d >= 0 && claimDimension(m, d, base);
            readIndependentEntries(storing ? d : -1, negativeColumn);
            if (storing) {
                nulNormaliseLevels(s_.categories, shape(d), s_.measures, m, d, s_.values, base,
                                   s_.debugMask(), levelValues_);
            }
        }
    }

    // The tree of dimension `d`, worked out once per section.
    const DimensionShape& shape(std::int32_t d) {
        if (shapes_.size() != s_.dimensions.size()) {
            shapes_.assign(s_.dimensions.size(), std::nullopt);
        }
        std::optional<DimensionShape>& known = shapes_[at(d)];
        if (!known) {
            known = shapeOfDimension(s_.categories, s_.dimensions[at(d)]);
        }
        return *known;
    }

    // Every category of a listed dimension has its record in the measure's block: the
    // dimension's records lie together there and the normaliser writes them whole.
    bool claimDimension(std::int32_t m, std::int32_t d, std::int64_t base) {
        const DimensionShape& sh = shape(d);
        const std::int64_t first = base + sh.first;
        if (sh.count() > 0 && !(slotInBlock(m, first) && slotInBlock(m, first + sh.count() - 1))) {
            return false;
        }
        std::fill(s_.valueSlotsUsed.begin() + first, s_.valueSlotsUsed.begin() + first + sh.count(),
                  true);
        levelValues_.reset(sh.count());
        return true;
    }

    // Category entries of one dimension up to "*"; `d` -1: read and dropped.
    void readIndependentEntries(std::int32_t d, bool negativeColumn) {
        if (d >= 0) {
            guessLeafFrom(s_.dimensions[at(d)].intFirstCategoryIndex, d);
        }
        std::string_view id;
        while (nextInList(id)) {
            const std::int32_t c = d >= 0 ? categoryOf(id, d) : -1;
            const double z = s_.nextNumber();
            const double w = negativeColumn ? s_.nextNumber() : 0.0;
            if (d < 0) {
                continue;
            }
            if (!negativeColumn) {
                debugEntry(c, z);
            }
            if (c < 0) {
                continue;
            }
            // Both sides are held as magnitudes; a file may give the negative column with
            // either sign.
            const double positive = z > 0.0 ? z : 0.0;
            const double negative = negativeColumn ? std::fabs(w) : (z > 0.0 ? 0.0 : -z);
            TCategoryRecord& cat = s_.categories[at(c)];
            cat.dblWorkPosValue = positive;
            cat.dblWorkNegValue = negative;
            const auto position = at(c - s_.dimensions[at(d)].intFirstCategoryIndex);
            levelValues_.positive[position] = positive;
            levelValues_.negative[position] = negative;
        }
    }

    void debugEntry(std::int32_t c, double z) {
        if (!s_.debugOn(kDebugStoring | kDebugPercentages | kDebugIdentifiers)) {
            return;
        }
        const int mask = s_.debugMask();
        nulDebugMessage("i) Storing at " + std::to_string(c), kDebugStoring, mask);
        nulDebugMessage(">> Percentage: " + strNumberText(z) + " for category " + std::to_string(c),
                        kDebugPercentages, mask);
        if (c < 0 || at(c) >= s_.categories.size()) {
            nulDebugMessage("*** Invalid category index.", kDebugIdentifiers, mask);
        } else {
            nulDebugMessage("Category index is: " + std::to_string(c), kDebugStoring, mask);
            nulDebugMessage("\rCategory was " + s_.categories[at(c)].strName.str(),
                            kDebugPercentages, mask);
        }
    }

    void readWeightedMeasure(std::int32_t m) {
        TMeasureRecord& meas = measure(m);
        meas.chrType = 'W';
        const double marker = s_.nextNumber();
        const bool olderLayout = marker >= kOlderLayoutMarker;

        const std::string_view sourceId = s_.next();
        const std::int32_t source = found(s_.measureIndex(sourceId), "measure", sourceId);
        if (source >= 0) {
            meas.intSourceMeasureIndex = source;
        }
        meas.intFirstValueIndex = static_cast<std::int32_t>(s_.values.size());

        const std::string_view dimensionId = s_.next();
        const std::int32_t d = found(s_.dimensionIndex(dimensionId), "dimension", dimensionId);
        if (d < 0) {
            nulDebugMessage("Dimension ID search failed: weighting dimension", kDebugIdentifiers,
                            s_.debugMask());
        } else {
            meas.intWeightingDimensionIndex = d;
        }
        const bool storing = m >= 0 && d >= 0;
        std::int64_t base = -1;
        if (storing) {
            const TDimensionRecord& dim = s_.dimensions[at(d)];
            base = reserveValues(m, at(dim.intLeafCount));
            for (std::int32_t i = 0; i < dim.intCategoryCount; ++i) {
                const std::int32_t c = dim.intFirstCategoryIndex + i;
                const std::int32_t leaf = s_.categories[at(c)].intLeafNumber;
                if (leaf >= 0 && slotInBlock(m, base + leaf)) {
                    fillSlot(base + leaf, m, d, c);
                }
            }
        }

        // The leaf's record in the block, or null when the entry is dropped.
        if (storing) {
            guessLeafFrom(s_.dimensions[at(d)].intFirstCategoryIndex, d);
        }
        auto slotOf = [&](std::string_view id) -> TMeasureValueRecord* {
            if (!storing) {
                return nullptr;
            }
            const std::int32_t c = categoryOf(id, d);
            const std::int32_t leaf = c >= 0 ? s_.categories[at(c)].intLeafNumber : -1;
            if (c >= 0 && (leaf < 0 || !slotInBlock(m, base + leaf))) {
                s_.fail("the category " + quotedRecord(id) +
                        " of a weighted measure has subcategories; ratios belong to categories "
                        "without any.");
            }
            if (leaf < 0 || !slotInBlock(m, base + leaf)) {
                return nullptr;
            }
            return &s_.values[at(base + leaf)];
        };

        if (olderLayout) {
            const double sourceTotal = source >= 0 ? s_.measures[at(source)].dblPosTotal : 0.0;
            std::string_view id;
            while (nextInList(id)) {
                TMeasureValueRecord* v = slotOf(id);
                const std::int32_t percent = s_.nextInteger();
                if (v != nullptr && sourceTotal > 0.0) {
                    v->dblAverageRatio = percent * 0.01 * marker / sourceTotal;
                }
            }
            if (storing) {
                guessLeafFrom(s_.dimensions[at(d)].intFirstCategoryIndex, d);
            }
        }
        std::string_view id;
        while (nextInList(id)) {
            TMeasureValueRecord* v = slotOf(id);
            TMeasureValueRecord dropped;
            TMeasureValueRecord& r = v != nullptr ? *v : dropped;
            r.dblMinimumRatio = s_.nextNumber();
            r.dblMaximumRatio = s_.nextNumber();
            if (!olderLayout) {
                r.dblAverageRatio = s_.nextNumber();
            }
        }
    }

    // Each measure's records together, in measure order; records of dimensions the file
    // did not list go. When the blocks already lie in measure order (as the writer puts
    // them, independent measures first) the records move forward in place.
    void regroup() {
        bool inOrder = true;
        std::int32_t previousEnd = 0;
        for (const ModelReadState::ValueBlock& block : s_.valueBlocks) {
            if (block.first >= 0) {
                inOrder = inOrder && block.first >= previousEnd;
                previousEnd = block.end;
            }
        }
        TArrMeasureValues copy;
        if (!inOrder) {
            copy = s_.values;
        }
        const TArrMeasureValues& from = inOrder ? s_.values : copy;
        std::size_t kept = 0;
        for (std::size_t m = 0; m < s_.measures.size(); ++m) {
            ModelReadState::ValueBlock& block = s_.valueBlocks[m];
            const auto first = static_cast<std::int32_t>(kept);
            s_.measures[m].intFirstValueIndex = first;
            if (block.first < 0) {
                continue;
            }
            for (std::int32_t j = block.first; j < block.end; ++j) {
                if (s_.valueSlotsUsed[at(j)] &&
                    from[at(j)].intMeasureIndex == static_cast<std::int32_t>(m)) {
                    if (!inOrder || kept != at(j)) {
                        s_.values[kept] = from[at(j)];
                    }
                    ++kept;
                }
            }
            block = {first, static_cast<std::int32_t>(kept)};
        }
        s_.values.resize(kept);
        s_.valueSlotsUsed.assign(kept, true);
    }

    ModelReadState& s_;
    TMeasureRecord dropped_;
    std::vector<std::optional<DimensionShape>> shapes_;
    LevelValues levelValues_;
    std::int32_t guess_ = -1;
};

}  // namespace

void nulReadPercentages(ModelReadState& state) {
    PercentageSection(state).read();
}

}  // namespace vantorell
