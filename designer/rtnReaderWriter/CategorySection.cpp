#include "designer/rtnReaderWriter/CategorySection.h"

#include <algorithm>
#include <string>

#include "designer/rtnReaderWriter/CategoryIndex.h"
#include "designer/rtnReaderWriter/DebugMessage.h"
#include "platform/LargeArrays.h"

namespace vantorell {
namespace {

constexpr int kInitialSize = 4;
// A category takes three lines, so the file's size bounds how many it can hold: a larger
// count announced by INFO is not believed.
constexpr std::size_t kMinimumBytesPerCategory = 6;

void reserveCategories(ModelReadState& state, std::int64_t sizeHint, std::size_t fileBytes) {
    const std::size_t wanted =
        sizeHint > 0 ? static_cast<std::size_t>(sizeHint) + 1 : std::size_t{kInitialSize};
    const std::size_t bound = fileBytes / kMinimumBytesPerCategory + 1;
    const std::size_t size = state.categories.size();
    state.categories.reserve(size + std::min(wanted, bound));
    adviseLargeArray(state.categories.data() + size,
                     (state.categories.capacity() - size) * sizeof(TCategoryRecord));
}

// Identifiers are unique: a category given an identifier twice could not be told from the
// other one by the percentages that refer to it. The first duplicate fails the read.
bool idsUnique(ModelReadState& state) {
    const TArrCategories& categories = state.categories;
    for (std::size_t i = 1; i < categories.size(); ++i) {
        const auto a = static_cast<std::size_t>(categories[i - 1].intSortedIndex);
        const auto b = static_cast<std::size_t>(categories[i].intSortedIndex);
        if (categories[a].strFileId == categories[b].strFileId) {
            // Ties keep their order, so `b` is the later one in the file.
            state.failOnLine(
                state.categoryIdLines[b],
                "the category identifier " + quotedRecord(categories[b].strFileId.str()) +
                    " was given before, on line " + std::to_string(state.categoryIdLines[a]) + ".");
            return false;
        }
    }
    return true;
}

// Reads one dimension's categories. With `dimension` -1 they are read and dropped.
void readDimensionBlock(ModelReadState& state, std::int32_t dimension) {
    TDimensionRecord* dim = nullptr;
    if (dimension >= 0) {
        dim = &state.dimensions[static_cast<std::size_t>(dimension)];
        dim->intCategoryCount = 0;
        dim->intLeafCount = 0;
        dim->intLeafBase = state.leavesRead;
        dim->intFirstCategoryIndex = static_cast<std::int32_t>(state.categories.size());
    }
    std::int32_t depth = 0;
    std::int32_t parentCounter = -1;
    std::int32_t leafCounter = 0;
    std::string name;
    for (;;) {
        name = state.next();
        if (name == "*") {
            if (depth == 0) {
                return;
            }
            --depth;
            continue;
        }
        const bool parent = !name.empty() && name.front() == '>';
        if (parent) {
            name.erase(0, 1);
        }
        const std::int32_t level = depth + 1;
        if (parent) {
            ++depth;
        }
        const std::string_view code = state.next();
        if (dim == nullptr) {
            state.next();  // identifier
            continue;
        }
        const auto index = static_cast<std::int32_t>(state.categories.size());
        TCategoryRecord& c = state.categories.emplace_back();
        c.strName = name;
        c.strCode = code.empty() ? std::string_view(c.strName.str()) : code;
        c.strFileId = state.next();
        state.categoryIdLines.push_back(state.source.recordLine());
        if (level > kDeepestCategoryLevel) {
            state.fail("the category " + quotedRecord(c.strName.str()) + " lies at level " +
                       std::to_string(level) + ", deeper than the " +
                       std::to_string(kDeepestCategoryLevel) + " levels a model holds.");
        }
        c.bytLevelNumber = level;
        c.intSortedIndex = index;
        c.intParentDimensionIndex = dimension;
        ++dim->intCategoryCount;
        if (parent) {
            c.intLeafNumber = parentCounter--;
        } else {
            c.intLeafNumber = leafCounter++;
            ++dim->intLeafCount;
            ++state.leavesRead;
            dim->intLeafLastIndex = index;
        }
    }
}

}  // namespace

void nulReadCategorySection(ModelReadState& state, std::int64_t sizeHint) {
    reserveCategories(state, sizeHint, state.source.fileBytes());
    state.dimensionsWithCategories.resize(state.dimensions.size(), false);
    for (;;) {
        const std::string id(state.next());
        if (id == "*") {
            break;
        }
        std::int32_t d = state.dimensionIndex(id);
        if (d < 0) {
            nulDebugMessage("Dimension ID search failed in categories section.", kDebugIdentifiers,
                            state.debugMask());
            state.fail("the dimension identifier " + quotedRecord(id) +
                       " of the CAT section is not one of the DIM section.");
        } else if (state.dimensionsWithCategories[static_cast<std::size_t>(d)]) {
            // A second block for the same dimension would split its categories.
            nulDebugMessage("Dimension ID search failed in categories section.", kDebugIdentifiers,
                            state.debugMask());
            state.fail("the categories of the dimension " + quotedRecord(id) +
                       " were given before in the CAT section.");
            d = -1;
        }
        if (state.debugOn(kDebugIdentifiers)) {
            nulDebugMessage("Obtained dimension id " + id + " as number " + std::to_string(d),
                            kDebugIdentifiers, state.debugMask());
        }
        if (d >= 0) {
            state.dimensionsWithCategories[static_cast<std::size_t>(d)] = true;
        }
        readDimensionBlock(state, d);
    }
    nulSortCategories(state.categories, state.debugMask());
    state.categoryIdsUnique = idsUnique(state);
}

}  // namespace vantorell
