#pragma once
// The choices of the import dialog, handed with the imported model's arrays to the merge into
// the editors: per imported dimension whether and how it joins the current model, and per
// measure row of the current model which imported measure it takes its values from.

#include <cstdint>
#include <string>
#include <vector>

namespace vantorell {

// One row of the dialog's dimensions grid, in the imported model's dimension order.
struct TImportDimensionsTranslation {
    std::string strImportDimensionName;
    bool flgInclude = false;
    std::string strNewDimensionName;    // empty: the imported name stays
    std::string strNewDimensionCode;    // empty: the imported code, made unique
    std::int32_t intCategoryLimit = 0;  // leaf categories imported at most; 0 = no limit
};

using TArrImportDimensionsTranslation = std::vector<TImportDimensionsTranslation>;

// Per data row of the current measures grid: the index of the imported measure assigned to
// it, negative for none.
using TArrImportMeasuresTranslation = std::vector<std::int32_t>;

}  // namespace vantorell
