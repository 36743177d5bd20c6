#pragma once
// The editors' working copy for tests: a program folder of the test's, clocks that stand
// still (elapsed times read 00:00:00.000, logs are dated 2024-Mar-05 @ 14:07:09), and the
// conversions in short forms.

#include <ctime>
#include <string>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/EditorState.h"

namespace vantorell::test {

std::tm fixedLocalTime();

class TestEditors : public EditorState {
public:
    explicit TestEditors(const std::string& programFolder);

    // Internalizes a copy of the model outside import mode; the checksum it sets is kept.
    bool internalize(ModelArrays model);
    bool import(ModelArrays model, const TArrImportMeasuresTranslation& measures,
                const TArrImportDimensionsTranslation& dimensions);
    // Externalizes into a fresh set; the checksum it sets is kept.
    ModelArrays externalize();

    std::string checksum;
};

// A translation that includes the dimension under its own name and code, without limit.
TImportDimensionsTranslation includeDimension(const std::string& name = {});

}  // namespace vantorell::test
