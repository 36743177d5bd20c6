#include "tests/support/ImportModels.h"

#include <gtest/gtest.h>

#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileSystem.h"
#include "tests/support/ModelBuilder.h"

namespace vantorell::test {

ModelArrays importTargetModel() {
    ModelArrays m;
    m.dimensions = {dimension("Region", "REG")};
    m.categories = {category("North", "N", 1, 0), category("South", "S", 1, 0)};
    m.measures = {independent("Sales", "SAL", 10, 0, 0, 0), weighted("Units", "UNI", 0, 0)};
    return m;
}

ModelArrays importSourceModel() {
    ModelArrays m;
    m.dimensions = {dimension("Region", "REG"), dimension("Channel", "CH")};
    m.categories = {category("East", "E", 1, 0), category("Web", "WEB", 1, 1)};
    m.measures = {independent("Rev", "REV", 5, 0, 0, 0), weighted("Qty", "QTY", 0, 0),
                  independent("Tax", "TAX", 1, 0, 0, 0)};
    m.values = {share(0, 0, 0, 1000000, 1000000), share(0, 1, 1, 1000000, 1000000),
                ratios(1, 0, 0, 1, 1, 1), share(2, 0, 0, 1000000, 1000000),
                share(2, 1, 1, 1000000, 1000000)};
    return m;
}

std::string writtenModel(const std::string& path, ModelArrays model) {
    std::string digest;
    EXPECT_TRUE(
        flgWriteFile(extractFilePath(path), path, "", "", 0, digest, false, true, true, model, 0))
        << path;
    return path;
}

}  // namespace vantorell::test
