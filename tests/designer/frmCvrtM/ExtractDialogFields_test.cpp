#include "designer/frmCvrtM/ExtractDialogFields.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

TEST(ExtractDialogFieldsTest, OkNeedsAnExistingCubeAndAModelName) {
    TempFolder folder;
    const std::string cube = folder.write("Sales.mdc", "cube");
    struct Case {
        std::string cube;
        std::string model;
        bool enabled;
    } cases[] = {
        {cube, "model", true},
        {cube, "", false},
        {"", "model", false},
        {folder.file("missing.mdc"), "model", false},
        {folder.file("sales.mdc"), "model", false},  // letter case counts
        {folder.path(), "model", false},             // a folder is no cube
    };
    for (const Case& c : cases) {
        ExtractDialogFields fields;
        fields.edtCubeFile = c.cube;
        fields.edtModelFile = c.model;
        fields.nulContinueButtonStateSet();
        EXPECT_EQ(fields.btnOkEnabled, c.enabled) << c.cube << " / " << c.model;
    }

    // The state follows the fields' changes, not the disk.
    ExtractDialogFields fields;
    fields.cubeChosen(cube);
    ASSERT_TRUE(fields.btnOkEnabled);
    deleteFile(cube);
    EXPECT_TRUE(fields.btnOkEnabled);
    fields.nulContinueButtonStateSet();
    EXPECT_FALSE(fields.btnOkEnabled);
}

TEST(ExtractDialogFieldsTest, PickersStartInTheFieldsFolderElseTheProgramFolder) {
    ExtractDialogFields fields;
    FileDialogRequest cube = fields.cubePicker("/opt/v/");
    EXPECT_EQ(cube.initialFolder, "/opt/v/");
    EXPECT_EQ(cube.filter, "PowerPlay Cube (*.mdc)|*.mdc");
    EXPECT_EQ(cube.fileName, "*.mdc");
    EXPECT_EQ(cube.defaultExtension, "mdc");
    EXPECT_TRUE(cube.fileMustExist);
    FileDialogRequest model = fields.modelPicker("/opt/v/");
    EXPECT_EQ(model.initialFolder, "/opt/v/");
    EXPECT_EQ(model.filter, "Vantorell Model (*.vtm)|*.vtm");
    EXPECT_EQ(model.fileName, "*.vtm");
    EXPECT_EQ(model.defaultExtension, "vtm");
    EXPECT_TRUE(model.overwritePrompt);

    fields.cubeChosen("/data/cubes.2024/Sales.mdc");
    EXPECT_EQ(fields.edtCubeFile, "/data/cubes.2024/Sales.mdc");
    EXPECT_EQ(fields.edtModelFile, "/data/cubes.2024/Sales.vtm");
    EXPECT_EQ(fields.cubePicker("/opt/v/").initialFolder, "/data/cubes.2024/");
    fields.modelChosen("/models/north.vtm");
    EXPECT_EQ(fields.modelPicker("/opt/v/").initialFolder, "/models/");
    EXPECT_EQ(fields.edtCubeFile, "/data/cubes.2024/Sales.mdc");
}

TEST(ExtractDialogFieldsTest, AModelNameWithoutExtensionGetsVtm) {
    struct Case {
        std::string typed;
        std::string completed;
    } cases[] = {
        {"/m/sales", "/m/sales.vtm"},     {"/m.d/sales", "/m.d/sales.vtm"},
        {"/m/sales.vtm", "/m/sales.vtm"}, {"/m/sales.txt", "/m/sales.txt"},
        {"sales", "sales.vtm"},
    };
    for (const Case& c : cases) {
        ExtractDialogFields fields;
        fields.edtModelFile = c.typed;
        fields.nulModelFileComplete();
        EXPECT_EQ(fields.edtModelFile, c.completed);
    }
    EXPECT_EQ(fneChangeExtension("/a.b/cube", "vtm"), "/a.b/cube.vtm");
}

}  // namespace
}  // namespace vantorell
