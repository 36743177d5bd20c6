#include "tests/support/TestEditors.h"

#include <gtest/gtest.h>

namespace vantorell::test {

std::tm fixedLocalTime() {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 14;
    t.tm_min = 7;
    t.tm_sec = 9;
    return t;
}

TestEditors::TestEditors(const std::string& programFolder) {
    strProgramFolder = programFolder;
    elapsedClock = [] { return std::chrono::steady_clock::time_point{}; };
    localClock = fixedLocalTime;
}

bool TestEditors::internalize(ModelArrays model) {
    return nulInternalizeReaderWriterArrays(*this, model, checksum, {}, {}, false,
                                            "Internalizing for test...", "Arrays.log");
}

bool TestEditors::import(ModelArrays model, const TArrImportMeasuresTranslation& measures,
                         const TArrImportDimensionsTranslation& dimensions) {
    return nulInternalizeReaderWriterArrays(*this, model, checksum, measures, dimensions, true,
                                            "Internalizing for file import...", "Arrays.log");
}

ModelArrays TestEditors::externalize() {
    ModelArrays model;
    EXPECT_TRUE(nulExternalizeReaderWriterArrays(*this, model, checksum,
                                                 "Externalizing for test...", "Arrays.log"));
    return model;
}

TImportDimensionsTranslation includeDimension(const std::string& name) {
    TImportDimensionsTranslation t;
    t.strImportDimensionName = name;
    t.flgInclude = true;
    return t;
}

}  // namespace vantorell::test
