#include "tests/support/TestDocument.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"

namespace vantorell::test {

TestDocument::TestDocument(const std::string& programFolder)
    : DocumentCommands(editors), editors(programFolder) {
    strWorkFolder = programFolder + "Temp/";
    createDirectory(strWorkFolder);
    editors.tvwDimsCats.setPort(&treePort);
}

TestDocument::~TestDocument() {
    editors.tvwDimsCats.setPort(nullptr);
}

ModelArrays TestDocument::shown() {
    std::string ignored;
    ModelArrays model;
    EXPECT_TRUE(nulExternalizeReaderWriterArrays(editors, model, ignored, "test", "x.log"));
    return model;
}

std::vector<std::string> TestDocument::dimensionNames() {
    std::vector<std::string> names;
    for (const TDimensionRecord& d : shown().dimensions) {
        names.push_back(d.strName.str());
    }
    return names;
}

void TestDocument::change() {
    editors.tvwDimsCats.getFirstNode()->setText("Renamed");
}

}  // namespace vantorell::test
