// The Send Model session's own stages without a server: acceptance, and the selection grid
// with its limit, rows, editing rules and keys.
#include "designer/frmSendM/SendModelSession.h"

#include <gtest/gtest.h>

#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "tests/support/CubeSessionFolders.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

class SendModelSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        send.FormCreate();
        send.FormShow();
        // As a login with two cubes left leaves it.
        send.intCubesAvailable = 2;
        send.intStage = kStageAcceptance;
        send.nulStage2StateSet(true, 11);
    }

    std::string model(const std::string& name) {
        return models.write(name,
                            readWholeFile(test::sourcePath("tests/designer/data/small_model.vtm")));
    }

    std::vector<std::string> column(int col) const {
        std::vector<std::string> cells;
        const StringGrid& grid = send.sgdSelectionFiles;
        for (int row = 1; row <= grid.dataRowCount(); ++row) {
            cells.push_back(grid.cell(col, row));
        }
        return cells;
    }

    test::CubeSessionFolders folders;
    test::TempFolder models;
    test::TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogsInstalled{dialogs};
    SendModelSession send{folders.unreachableContext()};
};

TEST_F(SendModelSessionTest, TheGridStartsEmptyWithItsHeadings) {
    const StringGrid& grid = send.sgdSelectionFiles;
    EXPECT_EQ(grid.colCount(), 4);
    EXPECT_EQ(grid.fixedRows(), 1);
    EXPECT_EQ(grid.fixedCols(), 0);
    EXPECT_EQ(grid.defaultRowHeight(), 17);
    EXPECT_EQ(grid.cell(0, 0), "File");
    EXPECT_EQ(grid.cell(1, 0), "Minimum Points");
    EXPECT_EQ(grid.cell(2, 0), "Suggested Points");
    EXPECT_EQ(grid.cell(3, 0), "Requested Points");
    EXPECT_EQ(grid.dataRowCount(), 0);
    EXPECT_EQ(grid.rowCount(), 2);  // one blank row
    EXPECT_TRUE(send.btnAcceptanceYes.enabled);
    EXPECT_TRUE(send.btnClose.enabled);
}

TEST_F(SendModelSessionTest, YesWithAnUntitledModelOpensTheFileDialogAtOnce) {
    const std::string a = model("a.vtm");
    dialogs.queueFiles(std::vector<std::string>{a});
    send.btnAcceptanceYesClick();
    EXPECT_EQ(send.intStage, kStageSelection);
    EXPECT_EQ(send.imgStage[2].tag, 21);
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].filter,
              "Vantorell Model (*.vtm)|*.vtm|Vantorell Template (*.vtt)|*.vtt");
    EXPECT_EQ(column(0), std::vector<std::string>{a});
    EXPECT_EQ(column(3), std::vector<std::string>{std::to_string(test::kSmallModelPoints)});
    // Two measures: 100 points each, and one more each as the model has categories; the
    // three regions by the four products the suggested leaf combinations.
    EXPECT_EQ(column(1), std::vector<std::string>{"202"});
    EXPECT_EQ(column(2), std::vector<std::string>{"12"});
    EXPECT_EQ(send.strRowRefusal(1), "");
    EXPECT_TRUE(send.btnSelection.enabled);
    EXPECT_TRUE(send.bbnSelectionFileAdd.enabled);
    EXPECT_TRUE(send.btnClose.enabled);
}

TEST_F(SendModelSessionTest, TheCubeLimitStopsAddingButOneChoiceMayPassIt) {
    const std::string current = model("current.vtm");
    send.fneCurrentModel = [&] { return current; };
    send.btnAcceptanceYesClick();
    ASSERT_EQ(column(0), std::vector<std::string>{current});

    // One row of two: the dialog opens, and a choice of three new files adds all three.
    dialogs.queueFiles(
        std::vector<std::string>{model("b.vtm"), current, model("c.vtm"), model("d.vtm")});
    send.bbnSelectionFileAddClick();
    EXPECT_EQ(column(0).size(), 4u);

    messages.expect("Sorry, you have reached you maximum number of allowed cubes.");
    send.bbnSelectionFileAddClick();
    EXPECT_EQ(messages.shown().at(0).caption, "Warning");
    EXPECT_EQ(dialogs.asked().size(), 1u);

    // Deleting the selected rows from the bottom up; the last row is only blanked.
    send.sgdSelectionFiles.setSelection({0, 2, 3, 3});
    send.bbnSelectionFileDelClick();
    EXPECT_EQ(column(0), (std::vector<std::string>{current, models.file("d.vtm")}));
    send.sgdSelectionFiles.setSelection({0, 1, 3, 2});
    send.bbnSelectionFileDelClick();
    EXPECT_EQ(send.sgdSelectionFiles.dataRowCount(), 0);
    EXPECT_EQ(send.sgdSelectionFiles.rowCount(), 2);
    EXPECT_FALSE(send.btnSelection.enabled);
}

// Uploads go by the file's name, so a second model of a listed name, in any letter case,
// would replace the first on the server: it is refused when it is added.
TEST_F(SendModelSessionTest, AModelOfAListedNameIsRefusedWhenAdded) {
    test::TempFolder other;
    const std::string first = model("m.vtm");
    const std::string second =
        other.write("M.vtm", readWholeFile(test::sourcePath("examples/sales-ascii.vtm")));
    send.fneCurrentModel = [&] { return first; };
    send.btnAcceptanceYesClick();

    messages.expect("Sorry, " + second + " cannot be added: " + first +
                    " is listed already, and the server keeps only one model of the name "
                    "M.vtm.");
    dialogs.queueFiles(std::vector<std::string>{second, model("n.vtm")});
    send.bbnSelectionFileAddClick();
    EXPECT_EQ(messages.shown().at(0).caption, "Warning");
    EXPECT_EQ(column(0), (std::vector<std::string>{first, models.file("n.vtm")}));
}

// The example with accented names cannot go as a protected copy: its row says why as soon as
// it is added; the example in plain names can go.
TEST_F(SendModelSessionTest, AModelThatCannotBeSentSaysSoOnItsRow) {
    const std::string accented =
        models.write("sales.vtm", readWholeFile(test::sourcePath("examples/sales.vtm")));
    const std::string plain =
        models.write("plain.vtm", readWholeFile(test::sourcePath("examples/sales-ascii.vtm")));
    const std::string broken = models.write("broken.vtm", "VT0200\r\nINFO\r\n");
    dialogs.queueFiles(std::vector<std::string>{accented, plain, broken});
    send.btnAcceptanceYesClick();
    ASSERT_EQ(column(0), (std::vector<std::string>{accented, plain, broken}));
    EXPECT_EQ(send.strRowRefusal(1),
              "The text \"Pralin\xC3\xA9s\" cannot be carried by a protected copy: it holds "
              "\"\xC3\xA9\", and a protected copy holds only the characters from the blank to "
              "\"~\".");
    EXPECT_EQ(send.strRowRefusal(2), "");
    EXPECT_NE(send.strRowRefusal(3), "");
    // 12 products by 8 regions by 12 months; three measures.
    EXPECT_EQ(column(1), (std::vector<std::string>{"303", "303", "0"}));
    EXPECT_EQ(column(2), (std::vector<std::string>{"1152", "1152", "0"}));
    EXPECT_TRUE(send.btnSelection.enabled);  // the rows go in, to be skipped when sent
}

TEST_F(SendModelSessionTest, OnlyTheRequestedPointsAreEditedAndOnlyWithDigits) {
    dialogs.queueFiles(std::vector<std::string>{model("a.vtm")});
    send.btnAcceptanceYesClick();
    StringGrid& grid = send.sgdSelectionFiles;
    for (int col = 0; col < 4; ++col) {
        ASSERT_TRUE(grid.setCurrentCell(col, 1));
        EXPECT_EQ(grid.hasOption(goEditing), col == kSendColRequested) << col;
    }
    for (char32_t key : {U'7', U'0', char32_t{8}, char32_t{13}}) {
        char32_t typed = key;
        send.sgdSelectionFilesKeyPress(typed);
        EXPECT_EQ(typed, key);
    }
    for (char32_t key : {U'a', U'-', U' ', U'.'}) {
        char32_t typed = key;
        send.sgdSelectionFilesKeyPress(typed);
        EXPECT_EQ(typed, 0u);
    }
    const std::pair<const char*, int> points[] = {
        {"5000", 5000}, {"", 0}, {"12x", 0}, {"99999999999", 0}, {"007", 7}};
    for (const auto& [text, value] : points) {
        EXPECT_EQ(intRequestedPointsRead(text), value) << text;
    }
}

TEST_F(SendModelSessionTest, FileSizes) {
    EXPECT_EQ(intFileSizeGet(models.write("five.bin", "12345")), 5);
    EXPECT_EQ(intFileSizeGet(models.file("none.bin")), -1);
}

}  // namespace
}  // namespace vantorell
