#include "designer/rtnReaderWriter/PercentageReader.h"

#include <cmath>
#include <string>

#include "designer/rtnReaderWriter/CategoryIndex.h"
#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/LevelNormaliser.h"
#include "designer/rtnReaderWriter/NumberReading.h"

namespace vantorell {
namespace {

constexpr int kDebugStoring = 8;
constexpr int kDebugIdentifiers = 64;
constexpr int kDebugPercentages = 4096;
// A layout marker of this or more is the older weighted layout's total.
constexpr double kOlderLayoutMarker = 0.5;

std::size_t at(std::int64_t i) { return static_cast<std::size_t>(i); }

class PercentageSection {
public:
    explicit PercentageSection(ModelReadState& state) : s_(state) {
        s_.valueBlocks.resize(s_.measures.size());
        s_.irregularityBases.resize(s_.measures.size(), -1);
        s_.valueSlotsUsed.resize(s_.values.size(), true);
    }

    void read() {
        bool independent = true;
        for (bool firstBlock = true;; firstBlock = false) {
            const std::string id = s_.next();
            if (id == "*") {
                break;
            }
            const std::int32_t m = s_.measureIndex(id);
            if (m < 0) {
                s_.success = false;
            }
            const std::string& keyword = s_.next();
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
    TMeasureRecord& measure(std::int32_t m) {
        return m >= 0 ? s_.measures[at(m)] : dropped_;
    }

    std::int64_t reserveValues(std::int32_t m, std::size_t count) {
        const auto base = static_cast<std::int64_t>(s_.values.size());
        s_.values.resize(s_.values.size() + count);
        s_.valueSlotsUsed.resize(s_.values.size(), false);
        s_.valueBlocks[at(m)] = {static_cast<std::int32_t>(base),
                                 static_cast<std::int32_t>(s_.values.size())};
        return base;
    }

    void fillSlot(std::int64_t slot, std::int32_t m, std::int32_t d, std::int32_t c) {
        TMeasureValueRecord& v = s_.values[at(slot)];
        v = TMeasureValueRecord{};
        v.intMeasureIndex = m;
        v.intDimensionIndex = d;
        v.intCategoryIndex = c;
        s_.valueSlotsUsed[at(slot)] = true;
    }

    bool slotInBlock(std::int32_t m, std::int64_t slot) const {
        const ModelReadState::ValueBlock& b = s_.valueBlocks[at(m)];
        return slot >= b.first && slot < b.end;
    }

    // The category of `fileId` when it belongs to dimension `d`; -1 otherwise.
    std::int32_t categoryOf(std::string_view fileId, std::int32_t d) {
        std::int32_t c = -1;
        nulFindCategory(s_.categories, fileId, c, s_.success);
        if (c >= 0 && s_.categories[at(c)].intParentDimensionIndex != d) {
            s_.success = false;
            c = -1;
        }
        return c;
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
        for (;;) {
            const std::string id = s_.next();
            if (id == "*") {
                return;
            }
            const std::int32_t d = s_.dimensionIndex(id);
            if (d < 0) {
                s_.success = false;
            }
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
            for (TCategoryRecord& c : s_.categories) {
                c.dblWorkPosValue = 0.0;
                c.dblWorkNegValue = 0.0;
            }
        }
        for (;;) {
            const std::string id = s_.next();
            if (id == "*") {
                return;
            }
            const std::int32_t d = s_.dimensionIndex(id);
            if (d < 0) {
                if (s_.debugOn(kDebugIdentifiers)) {
                    nulDebugMessage("*** *** Dimension ID search for <" + id +
                                        "> failed in an independent measure",
                                    kDebugIdentifiers, s_.debugMask());
                }
                s_.success = false;
            }
            const bool storing = m >= 0 && d >= 0;
            if (storing) {
                claimDimension(m, d, base);
            }
            readIndependentEntries(m, storing ? d : -1, base, negativeColumn);
            if (storing) {
                nulNormaliseLevels(s_.categories, s_.dimensions[at(d)], meas, s_.values, base,
                                   s_.debugMask(), scratch_);
            }
        }
    }

    // Every category of a listed dimension has its record in the measure's block.
    void claimDimension(std::int32_t m, std::int32_t d, std::int64_t base) {
        const TDimensionRecord& dim = s_.dimensions[at(d)];
        for (std::int32_t i = 0; i < dim.intCategoryCount; ++i) {
            const std::int32_t c = dim.intFirstCategoryIndex + i;
            const std::int64_t slot = intIndependentSlot(s_.categories[at(c)], dim, base);
            if (slotInBlock(m, slot)) {
                fillSlot(slot, m, d, c);
            }
        }
    }

    // Category entries of one dimension up to "*"; `d` -1: read and dropped.
    void readIndependentEntries(std::int32_t m, std::int32_t d, std::int64_t base,
                                bool negativeColumn) {
        for (;;) {
            const std::string id = s_.next();
            if (id == "*") {
                return;
            }
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
            TCategoryRecord& cat = s_.categories[at(c)];
            if (negativeColumn) {
                cat.dblWorkPosValue = z > 0.0 ? z : 0.0;
                cat.dblWorkNegValue = std::fabs(w);
            } else {
                cat.dblWorkPosValue = z > 0.0 ? z : 0.0;
                cat.dblWorkNegValue = z > 0.0 ? 0.0 : -z;
            }
            const std::int64_t slot = intIndependentSlot(cat, s_.dimensions[at(d)], base);
            if (slotInBlock(m, slot)) {
                s_.values[at(slot)].dblWorkPercentage = z;
            }
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

        const std::int32_t source = s_.measureIndex(s_.next());
        if (source < 0) {
            s_.success = false;
        } else {
            meas.intSourceMeasureIndex = source;
        }
        meas.intFirstValueIndex = static_cast<std::int32_t>(s_.values.size());

        const std::string dimId = s_.next();
        const std::int32_t d = s_.dimensionIndex(dimId);
        if (d < 0) {
            nulDebugMessage("Dimension ID search failed: weighting dimension", kDebugIdentifiers,
                            s_.debugMask());
            s_.success = false;
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
        auto slotOf = [&](const std::string& id) -> TMeasureValueRecord* {
            if (!storing) {
                return nullptr;
            }
            const std::int32_t c = categoryOf(id, d);
            const std::int32_t leaf = c >= 0 ? s_.categories[at(c)].intLeafNumber : -1;
            if (leaf < 0 || !slotInBlock(m, base + leaf)) {
                s_.success = false;
                return nullptr;
            }
            return &s_.values[at(base + leaf)];
        };

        if (olderLayout) {
            const double sourceTotal = source >= 0 ? s_.measures[at(source)].dblPosTotal : 0.0;
            for (;;) {
                const std::string id = s_.next();
                if (id == "*") {
                    break;
                }
                TMeasureValueRecord* v = slotOf(id);
                const std::int32_t percent = s_.nextInteger();
                if (v != nullptr && sourceTotal > 0.0) {
                    v->dblAverageRatio = percent * 0.01 * marker / sourceTotal;
                }
            }
        }
        for (;;) {
            const std::string id = s_.next();
            if (id == "*") {
                return;
            }
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
    // did not list go.
    void regroup() {
        TArrMeasureValues grouped;
        grouped.reserve(s_.values.size());
        for (std::size_t m = 0; m < s_.measures.size(); ++m) {
            ModelReadState::ValueBlock& block = s_.valueBlocks[m];
            const auto first = static_cast<std::int32_t>(grouped.size());
            s_.measures[m].intFirstValueIndex = first;
            if (block.first < 0) {
                continue;
            }
            for (std::int32_t j = block.first; j < block.end; ++j) {
                if (s_.valueSlotsUsed[at(j)] &&
                    s_.values[at(j)].intMeasureIndex == static_cast<std::int32_t>(m)) {
                    grouped.push_back(s_.values[at(j)]);
                }
            }
            block = {first, static_cast<std::int32_t>(grouped.size())};
        }
        s_.values = std::move(grouped);
        s_.valueSlotsUsed.assign(s_.values.size(), true);
    }

    ModelReadState& s_;
    TMeasureRecord dropped_;
    LevelScratch scratch_;
};

}  // namespace

void nulReadPercentages(ModelReadState& state) { PercentageSection(state).read(); }

}  // namespace vantorell
