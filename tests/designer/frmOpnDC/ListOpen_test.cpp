// File Open and Import of a dimension/category list through the list conversion dialog's
// logic, with the real conversion routines: the user's answers are scripted.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "designer/frmOpnDC/ListConversionSteps.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "tests/support/ModelInvariants.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDocument.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::TempFolder;

const char* const kFruitList =
    "T1,Tree fruit,\r\n"
    "A1,Apple,T1\r\n"
    "A2,Apricot,T1\r\n"
    "B1,Berries,\r\n"
    "B2,Blueberry,B1\r\n";

// What the user does while the dialog is shown; the dialog shows itself first.
using UserScript = std::function<void(ListDialogChoice&)>;

void confirm(ListDialogChoice& d) {
    d.btnOkClick();
}
void cancel(ListDialogChoice&) {}

class ListOpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.listConversion = &steps;
        doc.mnuFileNewClick();  // as at the first showing
    }

    std::string untitled() const { return program.file("~untitled~.vtm"); }

    std::vector<std::string> categoryNames() {
        std::vector<std::string> names;
        for (const TCategoryRecord& c : doc.shown().categories) {
            names.push_back(std::string(2 * static_cast<std::size_t>(c.bytLevelNumber - 1), ' ') +
                            c.strName.str());
        }
        return names;
    }

    TempFolder program;
    test::TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogScope{dialogs};
    test::TestDocument doc{program.path()};
    ListDialogChoice dialog;
    UserScript user = cancel;
    int shown = 0;
    ListConversionSteps steps{dialog, [this] {
                                  ++shown;
                                  dialog.FormShow();
                                  user(dialog);
                              }};
    const std::string list = program.write("fruit.vdc", kFruitList);
};

TEST_F(ListOpenTest, CancelOpensNothingAndChangesNothing) {
    const std::string digest = doc.strChecksum;
    const ModelArrays before = doc.shown();
    // A name typed, then Cancel: the dialog closes without Ok.
    user = [](ListDialogChoice& d) { d.edtDimensionName = "Fruit"; };
    EXPECT_FALSE(doc.flgFileOpen(list));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Dimension 1"}));
    EXPECT_EQ(doc.shown().categories.size(), before.categories.size());
    EXPECT_EQ(doc.strChecksum, digest);
    EXPECT_EQ(doc.strCurrentFile, untitled());
    EXPECT_TRUE(doc.reopenList.empty());
    EXPECT_TRUE(std::filesystem::is_empty(program.file("Temp")));
}

TEST_F(ListOpenTest, ASpecifiedNameMakesOneDimensionAndTheModelOpensUntitled) {
    user = [](ListDialogChoice& d) {
        d.rbnUseSpecifiedDimensionClick();
        d.edtDimensionName = " Fruit ";
        d.edtDimensionNameExit();
        d.btnOkClick();
    };
    ASSERT_TRUE(doc.flgFileOpen(list));
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{" Fruit "}));
    EXPECT_EQ(categoryNames(), (std::vector<std::string>{"Tree fruit", "  Apple", "  Apricot",
                                                         "Berries", "  Blueberry"}));
    EXPECT_EQ(doc.strCurrentFile, untitled());
    EXPECT_EQ(doc.caption, untitled());
    EXPECT_EQ(doc.reopenList, (std::vector<std::string>{list}));
    EXPECT_EQ(doc.editors.intRequestedPoints, 4096);
    // The converted model is what the editors show, so nothing counts as changed ...
    EXPECT_TRUE(doc.flgCurrentFileCheckForSave());
    // ... and Save asks for a name, as for any untitled model.
    dialogs.queue(std::nullopt);
    EXPECT_FALSE(doc.mnuFileSaveClick());
    EXPECT_EQ(dialogs.asked().size(), 1u);
    EXPECT_TRUE(fileExists(program.file("Temp/vdcworkfile.tmp")));
    EXPECT_TRUE(fileExists(program.file("Temp/vdcoutputfile.vtm")));
}

TEST_F(ListOpenTest, DimensionsFromTheFileIgnoreTheNameAndReplaceAnEarlierConversion) {
    user = confirm;
    ASSERT_TRUE(doc.flgFileOpen(list));
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Dimension 1"}));
    EXPECT_EQ(categoryNames().size(), 5u);

    user = [](ListDialogChoice& d) {
        d.edtDimensionName = "Ignored";
        d.rbnUseDimensionsFromFileClick();
        EXPECT_FALSE(d.flgDimensionNameEnabled());
        d.btnOkClick();
    };
    ASSERT_TRUE(doc.flgFileOpen(list));
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Tree fruit", "Berries"}));
    EXPECT_EQ(categoryNames(), (std::vector<std::string>{"Apple", "Apricot", "Blueberry"}));
    EXPECT_EQ(doc.reopenList, (std::vector<std::string>{list, list}));

    // The buttons keep their state from one showing to the next; the name does not.
    user = [](ListDialogChoice& d) {
        EXPECT_FALSE(d.rbnUseSpecifiedDimension);
        EXPECT_EQ(d.edtDimensionName, "Dimension 1");
    };
    EXPECT_FALSE(doc.flgFileOpen(list));
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Tree fruit", "Berries"}));
}

// Names and codes need not be unique in a list; the editors take the model as it stands.
TEST_F(ListOpenTest, DuplicateNamesAndCodesOpen) {
    program.write("fruit.vdc", "T1,Fruit,\r\nA1,Apple,T1\r\nT1,Fruit,\r\nA1,Apple,T1\r\n");
    user = [](ListDialogChoice& d) {
        d.rbnUseDimensionsFromFileClick();
        d.btnOkClick();
    };
    ASSERT_TRUE(doc.flgFileOpen(list));
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Fruit", "Fruit"}));
    EXPECT_EQ(categoryNames(), (std::vector<std::string>{"Apple", "Apple"}));
}

TEST_F(ListOpenTest, AListThatCannotBeConvertedSaysWhyAndKeepsTheModel) {
    program.write("fruit.vdc", "T1,Tree fruit,\r\nA1,Apple\r\n");
    const std::string digest = doc.strChecksum;
    user = confirm;
    messages.expect("The dimension/category list \r" + list +
                    "\rcould not be converted into a model.\r\rLine 2 of \"" + list +
                    "\": the line has 2 fields, but the first line has 3; every line must have "
                    "as many fields as the first.");
    EXPECT_FALSE(doc.flgFileOpen(list));
    EXPECT_EQ(messages.shown().back().caption, "Open File");
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Dimension 1"}));
    EXPECT_EQ(doc.strChecksum, digest);
    EXPECT_EQ(doc.strCurrentFile, untitled());
    EXPECT_TRUE(doc.reopenList.empty());
    EXPECT_FALSE(fileExists(program.file("Temp/vdcoutputfile.vtm")));
}

// The import dialog reads the converted model itself.
class ImportReader : public ImportDialogPort {
public:
    ImportDialogResult run(const std::string& fileName) override {
        asked.push_back(fileName);
        std::int32_t points = 0;
        read = flgReadFile(fileName, points, model);
        return {};
    }
    std::vector<std::string> asked;
    bool read = false;
    ModelArrays model;
};

TEST_F(ListOpenTest, ImportHandsTheConvertedModelToTheImportDialog) {
    ImportReader importer;
    doc.importDialog = &importer;
    EXPECT_FALSE(doc.flgFileImport(list));  // cancelled in the list dialog
    EXPECT_TRUE(importer.asked.empty());

    user = confirm;
    EXPECT_FALSE(doc.flgFileImport(list));  // the import dialog was not confirmed
    ASSERT_EQ(importer.asked, (std::vector<std::string>{program.file("Temp/vdcoutputfile.vtm")}));
    ASSERT_TRUE(importer.read);
    EXPECT_TRUE(test::modelArraysValid(importer.model));
    EXPECT_EQ(importer.model.categories.size(), 5u);

    program.write("fruit.vdc", "\"T1,Tree fruit\r\n");
    messages.expectContaining("no closing quote");
    EXPECT_FALSE(doc.flgFileImport(list));
    EXPECT_EQ(messages.shown().back().caption, "Import File");
    EXPECT_EQ(importer.asked.size(), 1u);
}

struct DialogCase {
    const char* name;
    UserScript user;
    std::optional<ListConversionChoice> choice;
};

class ListDialogChoiceTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(ListDialogChoiceTest, GivesTheUsersChoice) {
    ListDialogChoice d;
    d.FormShow();
    GetParam().user(d);
    const std::optional<ListConversionChoice> choice = d.choice();
    ASSERT_EQ(choice.has_value(), GetParam().choice.has_value());
    if (choice) {
        EXPECT_EQ(choice->useSpecifiedDimension, GetParam().choice->useSpecifiedDimension);
        EXPECT_EQ(choice->dimensionName, GetParam().choice->dimensionName);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ListDialogChoiceTest,
                         ::testing::Values(DialogCase{"OkAtOnce", confirm,
                                                      ListConversionChoice{true, "Dimension 1"}},
                                           DialogCase{"Cancel", cancel, std::nullopt},
                                           DialogCase{"ClearedNameComesBackOnLeaving",
                                                      [](ListDialogChoice& d) {
                                                          d.edtDimensionName = "  \t";
                                                          d.edtDimensionNameExit();
                                                          EXPECT_EQ(d.edtDimensionName,
                                                                    "Dimension 1");
                                                          d.btnOkClick();
                                                      },
                                                      ListConversionChoice{true, "Dimension 1"}},
                                           DialogCase{"ClearedNameWithOkStraightAway",
                                                      [](ListDialogChoice& d) {
                                                          d.edtDimensionName.clear();
                                                          d.btnOkClick();
                                                      },
                                                      ListConversionChoice{true, "Dimension 1"}},
                                           DialogCase{"FileRecordsThenBackToAName",
                                                      [](ListDialogChoice& d) {
                                                          d.rbnUseDimensionsFromFileClick();
                                                          d.rbnUseSpecifiedDimensionClick();
                                                          EXPECT_TRUE(d.flgDimensionNameEnabled());
                                                          d.edtDimensionName = "Products";
                                                          d.btnOkClick();
                                                      },
                                                      ListConversionChoice{true, "Products"}},
                                           DialogCase{"FileRecords",
                                                      [](ListDialogChoice& d) {
                                                          d.rbnUseDimensionsFromFileClick();
                                                          d.btnOkClick();
                                                      },
                                                      ListConversionChoice{false, "Dimension 1"}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vantorell
