// The document commands over the editors' working copy, with scripted dialogs and messages in
// a temporary program folder.
#include "designer/frmMain/DocumentCommands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "designer/frmMain/MeasureValuesCommands.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/SmallRoutines.h"
#include "designer/frmMain/WorkingCopy.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/SmallModel.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDocument.h"
#include "tests/support/TestEditors.h"
#include "tests/support/TestMessages.h"
#include "tests/support/TreeEditors.h"

namespace vantorell {
namespace {

using test::TempFolder;
using test::TestDocument;

const std::string kChanged =
    "The current file has changed would you like save it before continuing?";

std::string smallModelFile() {
    return test::sourcePath("tests/designer/data/small_model.vtm");
}

class ImportScript : public ImportDialogPort {
public:
    ImportDialogResult run(const std::string& fileName) override {
        asked.push_back(fileName);
        return result;
    }
    ImportDialogResult result;
    std::vector<std::string> asked;
};

// The list conversion writes the small model as the converted file.
class ListScript : public ListConversionPort {
public:
    std::optional<ListConversionChoice> ask() override { return choice; }
    void nulConvertCsvToList(const std::string& listFile, const std::string& workFile,
                             const std::string& title) override {
        calls.push_back("list " + listFile + " -> " + workFile + " as " + title);
        if (fail) {
            throw std::runtime_error("unreadable list");
        }
    }
    void nulConvertListToModel(const std::string& workFile, const std::string& modelFile) override {
        calls.push_back("model " + workFile + " -> " + modelFile);
        std::filesystem::copy_file(smallModelFile(), modelFile);
    }
    std::optional<ListConversionChoice> choice;
    bool fail = false;
    std::vector<std::string> calls;
};

class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.mnuFileNewClick();  // as at the first showing
    }

    std::string untitled() const { return program.file("~untitled~.vtm"); }
    std::string copyOfSmallModel(const std::string& name) const {
        const std::string path = program.file(name);
        std::filesystem::copy_file(smallModelFile(), path);
        return path;
    }
    // The designer's text, then the reader's reason.
    std::string openFailure(const std::string& path, const std::string& reason) const {
        return "A fatal error was encountered while attempting to read the \r" + path +
               " file.\r\rThe information available at the time of the error has been appended "
               "to the \r" +
               program.path() + "Arrays.log file.\r\r" + reason;
    }

    TempFolder program;
    test::TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogScope{dialogs};
    TestDocument doc{program.path()};
};

TEST_F(DocumentCommandsTest, NewWithoutTemplateStartsOneMeasureDimensionAndCategory) {
    const ModelArrays model = doc.shown();
    ASSERT_EQ(model.measures.size(), 1u);
    EXPECT_EQ(model.measures[0].strName.str(), "Measure 1");
    EXPECT_EQ(model.measures[0].chrType, 'I');
    ASSERT_EQ(model.dimensions.size(), 1u);
    EXPECT_EQ(model.dimensions[0].strName.str(), "Dimension 1");
    EXPECT_EQ(model.dimensions[0].strCode.str(), "DIM");
    ASSERT_EQ(model.categories.size(), 1u);
    EXPECT_EQ(model.categories[0].strName.str(), "Category 1");
    EXPECT_EQ(model.categories[0].strCode.str(), "CAT");
    ASSERT_EQ(model.values.size(), 1u);
    EXPECT_EQ(model.values[0].intPercentage, 1000000);
    EXPECT_EQ(model.values[0].intNegPercentage, 1000000);

    EXPECT_EQ(doc.treePort.edited, doc.editors.tvwDimsCats.getFirstNode());
    EXPECT_EQ(doc.strCurrentFile, untitled());
    EXPECT_EQ(doc.fneGetUntitledFileName(), untitled());
    EXPECT_EQ(doc.caption, untitled());
    EXPECT_EQ(doc.editors.intRequestedPoints, 0);
    EXPECT_EQ(doc.editors.statusText(), "");
    EXPECT_FALSE(doc.strChecksum.empty());
    EXPECT_TRUE(doc.reopenList.empty());
    // Nothing to save: the change check asks nothing.
    EXPECT_TRUE(doc.flgCurrentFileCheckForSave());
}

TEST_F(DocumentCommandsTest, NewWithTemplateLoadsItUntitledAndOffTheReopenList) {
    const std::string templateFile = copyOfSmallModel("default.vtm");
    const std::string before = program.read("default.vtm");
    doc.mnuFileNewClick();

    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Region", "Product"}));
    EXPECT_EQ(doc.editors.intRequestedPoints, test::kSmallModelPoints);
    EXPECT_EQ(doc.strCurrentFile, untitled());
    EXPECT_EQ(doc.caption, untitled());
    EXPECT_TRUE(doc.reopenList.empty());
    EXPECT_TRUE(doc.flgCurrentFileCheckForSave());

    // Save asks for a name, so the template is never overwritten by accident.
    dialogs.queue(std::nullopt);
    EXPECT_FALSE(doc.mnuFileSaveClick());
    EXPECT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(program.read("default.vtm"), before);
}

enum class Start { NoDigest, Unchanged, Changed };
enum class SaveAs { NotAsked, Cancelled, Written, Fails };

struct CheckCase {
    const char* name;
    Start start;
    std::optional<MessageAnswer> answer;  // none: no question
    SaveAs saveAs;
    bool goesOn;
};

class ChangeCheckTest : public DocumentCommandsTest,
                        public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ChangeCheckTest, DecidesWhetherTheCommandGoesOn) {
    const CheckCase& c = GetParam();
    if (c.start == Start::NoDigest) {
        doc.strChecksum.clear();
    }
    if (c.start != Start::Unchanged) {
        doc.change();
    }
    if (c.answer) {
        messages.expect(kChanged, *c.answer);
    }
    const std::string target = program.file("saved.vtm");
    switch (c.saveAs) {
        case SaveAs::NotAsked:
            break;
        case SaveAs::Cancelled:
            dialogs.queue(std::nullopt);
            break;
        case SaveAs::Written:
            dialogs.queue(target);
            break;
        case SaveAs::Fails:
            dialogs.queue(program.file("no such folder/saved.vtm"));
            messages.expect("Fatal error encountered while attempting to write file " +
                            program.file("no such folder/saved.vtm") + ".");
            break;
    }
    const std::string digestBefore = doc.strChecksum;

    // File New is the calling command: it starts over only when the check lets it.
    doc.mnuFileNewClick();

    EXPECT_EQ(messages.pending(), 0u);
    EXPECT_EQ(dialogs.pending(), 0u);
    EXPECT_EQ(doc.dimensionNames(),
              (std::vector<std::string>{c.goesOn ? "Dimension 1" : "Renamed"}));
    EXPECT_EQ(fileExists(target), c.saveAs == SaveAs::Written);
    if (c.saveAs == SaveAs::Written) {
        // The saved file holds the changed model.
        ModelArrays saved;
        std::int32_t points = 0;
        ASSERT_TRUE(flgReadFile(target, points, saved));
        EXPECT_EQ(saved.dimensions.at(0).strName.str(), "Renamed");
        EXPECT_EQ(doc.reopenList, (std::vector<std::string>{target}));
    }
    if (!c.goesOn) {
        EXPECT_EQ(doc.strChecksum, digestBefore);
        // A failed save and a cancel alike keep the name the model had.
        EXPECT_EQ(doc.strCurrentFile, untitled());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, ChangeCheckTest,
    ::testing::Values(
        CheckCase{"NoDigest", Start::NoDigest, std::nullopt, SaveAs::NotAsked, true},
        CheckCase{"Unchanged", Start::Unchanged, std::nullopt, SaveAs::NotAsked, true},
        CheckCase{"ChangedYes", Start::Changed, MessageAnswer::Yes, SaveAs::Written, true},
        CheckCase{"ChangedYesSaveAsCancelled", Start::Changed, MessageAnswer::Yes,
                  SaveAs::Cancelled, false},
        CheckCase{"ChangedYesSaveFails", Start::Changed, MessageAnswer::Yes, SaveAs::Fails, false},
        CheckCase{"ChangedNo", Start::Changed, MessageAnswer::No, SaveAs::NotAsked, true},
        CheckCase{"ChangedCancel", Start::Changed, MessageAnswer::Cancel, SaveAs::NotAsked, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentCommandsTest, TheChangeQuestionOffersYesNoAndCancel) {
    doc.change();
    messages.expect(kChanged, MessageAnswer::No);
    EXPECT_TRUE(doc.flgCurrentFileCheckForSave());
    ASSERT_EQ(messages.shown().size(), 1u);
    const MessageRequest& asked = messages.shown()[0];
    EXPECT_EQ(asked.caption, "Error");
    EXPECT_EQ(asked.icon, MessageIcon::Error);
    EXPECT_EQ(asked.buttons, unsigned(kButtonYes | kButtonNo | kButtonCancel));
}

TEST_F(DocumentCommandsTest, OpenShowsTheFileAndFindsItUnchanged) {
    const std::string path = copyOfSmallModel("R&D model.vtm");
    ASSERT_TRUE(doc.flgFileOpen(path));

    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Region", "Product"}));
    EXPECT_EQ(doc.shown().measures.size(), 2u);
    EXPECT_EQ(doc.strCurrentFile, path);
    EXPECT_EQ(doc.caption, path);
    EXPECT_EQ(doc.editors.intRequestedPoints, test::kSmallModelPoints);
    EXPECT_EQ(doc.reopenList, (std::vector<std::string>{path}));
    EXPECT_EQ(doc.editors.statusText().rfind("Read: 00:00:00.000, Internalize: 00:00:00.000 (2 "
                                             "Dimensions, ",
                                             0),
              0u)
        << doc.editors.statusText();
    EXPECT_TRUE(doc.flgCurrentFileCheckForSave());
}

TEST_F(DocumentCommandsTest, AModelReadInShowsItsOwnGroupWithPositivesInTheLowerPanels) {
    EditorState& e = doc.editors;
    e.tvwDimsCats.setSelected(e.tvwDimsCats.getFirstNode()->getFirstChild());
    tbnMeasureValuesShowClick(e, true);
    ASSERT_EQ(e.sgdMeasureValues.cell(0, 1), "Category 1 and Measure 1");
    ASSERT_EQ(e.lstMeasureValuesNodes.size(), 1u);

    // Opened, and as a template at File New.
    const std::string path = copyOfSmallModel("next.vtm");
    for (const bool asTemplate : {false, true}) {
        SCOPED_TRACE(asTemplate);
        if (asTemplate) {
            std::filesystem::copy_file(path, program.file("default.vtm"));
            doc.mnuFileNewClick();
        } else {
            ASSERT_TRUE(doc.flgFileOpen(path));
        }
        EXPECT_FALSE(e.flgMeasureValuesShowNegatives);
        EXPECT_TRUE(e.flgValuesPanelShown);
        EXPECT_EQ(e.sgdMeasureValues.cell(0, 1), "Region and Revenue");
        EXPECT_EQ(e.sgdMeasureValues.dataRowCount(), 1);
        EXPECT_TRUE(e.lstMeasureValuesNodes.empty());
        tbnMeasureValuesShowClick(e, true);
    }
}

TEST_F(DocumentCommandsTest, AFileWithoutRequestedPointsOpensWithNone) {
    ASSERT_TRUE(doc.flgFileOpen(copyOfSmallModel("with points.vtm")));
    std::string text = program.read("with points.vtm");
    const std::size_t out = text.rfind("OUT\r\n");
    ASSERT_NE(out, std::string::npos);
    text.erase(out, text.find("END", out) - out);
    const std::string without = program.write("without points.vtm", text);

    ASSERT_TRUE(doc.flgFileOpen(without));
    EXPECT_EQ(doc.editors.intRequestedPoints, 0);
}

TEST_F(DocumentCommandsTest, AFileTheEditorsReadDifferentlyStillOpensUnchanged) {
    // Two measures of one name: the editors name the source measure, and the name finds the
    // first of them, not the one the file gave.
    ModelArrays model = test::smallModel();
    model.measures.push_back(test::independent("Revenue", "REV2", 100, 0, 0, 100));
    for (const TMeasureValueRecord& v : TArrMeasureValues(model.values)) {
        if (v.intMeasureIndex == 0) {
            model.values.push_back(v);
            model.values.back().intMeasureIndex = 2;
        }
    }
    model.measures.at(1).intSourceMeasureIndex = 2;
    const std::string path = program.file("twice.vtm");
    std::string digest;
    ASSERT_TRUE(flgWriteFile(program.path(), path, "", "", 0, digest, true, true, true, model,
                             test::kSmallModelPoints));

    ASSERT_TRUE(doc.flgFileOpen(path));
    EXPECT_EQ(doc.shown().measures.at(1).intSourceMeasureIndex, 0);
    EXPECT_TRUE(doc.flgCurrentFileCheckForSave());
}

TEST_F(DocumentCommandsTest, AFailedOpenKeepsTheModelItsFilePointsAndDigest) {
    const std::string good = copyOfSmallModel("good.vtm");
    ASSERT_TRUE(doc.flgFileOpen(good));
    doc.change();
    const ModelArrays before = doc.shown();
    const std::string digest = doc.strChecksum;

    const std::string broken = program.write("broken.vtm", "VT0200\r\n<x>\r\nMEAS\r\nA\r\n");
    const std::string missing = program.file("missing.vtm");
    const std::pair<std::string, std::string> files[] = {
        {broken, "Line 4: the file ends inside a section or before its \"END\" record."},
        {missing, "The model file \"" + missing + "\" cannot be read: No such file or directory."}};
    for (const auto& [path, reason] : files) {
        SCOPED_TRACE(path);
        messages.expect(kChanged, MessageAnswer::No);
        messages.expect(openFailure(path, reason));
        EXPECT_FALSE(doc.flgFileOpen(path));
        EXPECT_EQ(messages.pending(), 0u);
        ASSERT_EQ(messages.shown().back().caption, "Open File");
        EXPECT_EQ(messages.shown().back().icon, MessageIcon::Error);

        EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Renamed", "Product"}));
        EXPECT_EQ(doc.shown().values.size(), before.values.size());
        EXPECT_EQ(doc.strCurrentFile, good);
        EXPECT_EQ(doc.editors.intRequestedPoints, test::kSmallModelPoints);
        EXPECT_EQ(doc.strChecksum, digest);
        EXPECT_EQ(doc.reopenList, (std::vector<std::string>{good}));
        EXPECT_NE(program.read("Arrays.log")
                      .find("Array dump after rtnReaderWriter.flgReadFile(...) had a Fatal Error "
                            "reading " +
                            path + "\r\n" + reason + "\r\n"),
                  std::string::npos);
    }
}

TEST_F(DocumentCommandsTest, SaveWritesTheCurrentFileAndSaveAsNamesAnUntitledOne) {
    // Untitled, wherever its folder: Save asks for a name.
    for (const std::string& current : {untitled(), std::string("/elsewhere/~untitled~.vtm")}) {
        doc.strCurrentFile = current;
        dialogs.queue(std::nullopt);
        EXPECT_FALSE(doc.mnuFileSaveClick());
    }
    ASSERT_EQ(dialogs.asked().size(), 2u);
    const FileDialogRequest& request = dialogs.asked()[0];
    EXPECT_EQ(request.fileName, untitled());
    EXPECT_EQ(request.initialFolder, program.path());
    EXPECT_EQ(request.filter, "Vantorell Model (*.vtm)|*.vtm|Vantorell Template (*.vtt)|*.vtt");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.defaultExtension, "vtm");
    EXPECT_TRUE(request.overwritePrompt);

    doc.strCurrentFile = untitled();
    const std::string named = program.file("named.vtm");
    dialogs.queue(named);
    EXPECT_TRUE(doc.mnuFileSaveClick());
    EXPECT_EQ(doc.strCurrentFile, named);
    EXPECT_EQ(doc.caption, named);
    EXPECT_EQ(doc.reopenList, (std::vector<std::string>{named}));

    // Named: Save writes it without asking, and the digest follows the written file.
    doc.change();
    EXPECT_TRUE(doc.mnuFileSaveClick());
    EXPECT_EQ(dialogs.asked().size(), 3u);
    EXPECT_TRUE(doc.flgCurrentFileCheckForSave());
    ModelArrays saved;
    std::int32_t points = 0;
    ASSERT_TRUE(flgReadFile(named, points, saved));
    EXPECT_EQ(saved.dimensions.at(0).strName.str(), "Renamed");
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsThePreviousFileAndDigestAndSaysWhy) {
    const std::string path = program.file("kept.vtm");
    dialogs.queue(path);
    ASSERT_TRUE(doc.flgFileSaveAs());
    const std::string before = program.read("kept.vtm");
    const std::string digest = doc.strChecksum;

    // A name a model file cannot carry.
    doc.editors.sgdMeasures.setCell(kMeasuresName, doc.editors.sgdMeasures.fixedRows(),
                                    "Two\nlines");
    messages.expectContaining("Fatal error encountered while attempting to write file " + path +
                              ".\r\r");
    EXPECT_FALSE(doc.mnuFileSaveClick());
    EXPECT_EQ(messages.shown().back().caption, "Save File");
    EXPECT_GT(messages.shown().back().text.size(),
              ("Fatal error encountered while attempting to write file " + path + ".\r\r").size());
    EXPECT_EQ(program.read("kept.vtm"), before);
    EXPECT_EQ(doc.strChecksum, digest);
}

// A category at 0 % whose subcategories still hold shares of their own: the file is written,
// and the user is told which shares it does not keep.
TEST_F(DocumentCommandsTest, ASaveThatCannotKeepTheSharesBelowACategoryAt0PercentSaysSo) {
    ModelArrays model = test::smallModel();
    model.values[7].intPercentage = 0;          // Hardware
    model.values[6].intPercentage = 1'000'000;  // Services
    ASSERT_TRUE(doc.editors.internalize(model));
    const std::string path = program.file("zero.vtm");
    messages.expect(
        "The file " + path +
        " was saved, but it does not keep the shares below the categories listed here: each "
        "has a share of 0 %, and a model file holds only the values of the categories without "
        "subcategories, which are all 0 below them. When the file is opened again, the first "
        "category of each group below them has 100 %.\r\rMeasure \"Revenue\", category "
        "\"Hardware\"");
    EXPECT_TRUE(doc.flgFileSave(path));
    EXPECT_EQ(messages.shown().back().caption, "Save File");
    EXPECT_EQ(messages.shown().back().icon, MessageIcon::Warning);
    EXPECT_TRUE(doc.flgCurrentFileCheckForSave());  // saved: nothing to ask

    // Opened again, it holds what the file kept, and saves without a word.
    ASSERT_TRUE(doc.flgFileOpen(path));
    EXPECT_TRUE(doc.flgFileSave(path));
    EXPECT_EQ(messages.shown().size(), 1u);
}

// Measures and no dimensions: the editors save the totals and they come back.
TEST_F(DocumentCommandsTest, AModelWithoutDimensionsKeepsItsTotals) {
    ModelArrays model;
    model.measures = {test::independent("Sales", "S", 500, 20, 0, 10)};
    const std::string path = program.file("totals.vtm");
    std::string digest;
    ASSERT_TRUE(flgWriteFile(program.path(), path, "", "", 0, digest, true, true, true, model, 1));
    ASSERT_TRUE(doc.flgFileOpen(path));
    ASSERT_TRUE(doc.mnuFileSaveClick());
    ASSERT_TRUE(doc.flgFileOpen(path));
    const ModelArrays shown = doc.shown();
    ASSERT_EQ(shown.measures.size(), 1u);
    EXPECT_EQ(shown.measures[0].dblPosTotal, 500);
    EXPECT_EQ(shown.measures[0].dblNegTotal, 20);
    EXPECT_EQ(shown.measures[0].intGlobalPercent, 10);
    EXPECT_TRUE(shown.dimensions.empty());
}

TEST_F(DocumentCommandsTest, ReopenOpensAnExistingFileAndReportsAMissingOne) {
    const std::string missing = program.file("gone & lost.vtm");
    messages.expect("File " + missing + " does not exist.");
    doc.mnuFileReopenNClick(missing);
    EXPECT_EQ(messages.shown().back().caption, "Reopen File");
    EXPECT_EQ(doc.strCurrentFile, untitled());

    const std::string present = copyOfSmallModel("&first.vtm");
    doc.mnuFileReopenNClick(present);
    EXPECT_EQ(doc.strCurrentFile, present);
}

TEST_F(DocumentCommandsTest, ImportMergesAndLeavesTheModelChanged) {
    ImportScript dialog;
    doc.importDialog = &dialog;
    const std::string path = copyOfSmallModel("other.vtm");

    // Not confirmed: nothing changes.
    EXPECT_FALSE(doc.flgFileImport(path));
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Dimension 1"}));

    dialog.result.confirmed = true;
    dialog.result.fileName = path;
    dialog.result.model = test::smallModel();
    dialog.result.dimensions = {test::includeDimension("Region"), {}};
    dialog.result.measures = {0};
    EXPECT_TRUE(doc.flgFileImport(path));
    EXPECT_EQ(dialog.asked, (std::vector<std::string>{path, path}));
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Dimension 1", "Region"}));
    EXPECT_EQ(doc.strCurrentFile, untitled());

    messages.expect(kChanged, MessageAnswer::Cancel);
    EXPECT_FALSE(doc.flgCurrentFileCheckForSave());
}

TEST_F(DocumentCommandsTest, TheImportCommandAsksForAFileFirst) {
    ImportScript dialog;
    doc.importDialog = &dialog;
    dialogs.queue(std::nullopt);
    doc.mnuFileImportClick();
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].title, "Import");
    EXPECT_EQ(dialogs.asked()[0].fileName, "*.vtm");
    EXPECT_EQ(dialogs.asked()[0].filter,
              "Vantorell Model (*.vtm)|*.vtm|Vantorell Template (*.vtt)|*.vtt|Vantorell "
              "Dimension/Category List (*.vdc)|*.vdc");
    EXPECT_TRUE(dialog.asked.empty());

    const std::string path = copyOfSmallModel("picked.vtm");
    dialogs.queue(path);
    doc.mnuFileImportClick();
    EXPECT_EQ(dialog.asked, (std::vector<std::string>{path}));
}

TEST_F(DocumentCommandsTest, TheOpenCommandAsksForAModelOrAList) {
    const std::string path = copyOfSmallModel("picked.vtm");
    dialogs.queue(path);
    doc.mnuFileOpenClick();
    ASSERT_EQ(dialogs.asked().size(), 1u);
    const FileDialogRequest& request = dialogs.asked()[0];
    EXPECT_EQ(request.title, "Open");
    EXPECT_EQ(request.fileName, "*.vtm");
    EXPECT_EQ(request.filter,
              "Vantorell Model (*.vtm)|*.vtm|Vantorell Dimension/Category List (*.vdc)|*.vdc");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.initialFolder, program.path());
    EXPECT_EQ(doc.strCurrentFile, path);
}

TEST_F(DocumentCommandsTest, AListIsConvertedOpenedUntitledAndRememberedAsTheList) {
    ListScript lists;
    doc.listConversion = &lists;
    const std::string list = program.write("products.VDC", "P1,Phones\r\n");
    const std::string work = program.file("Temp/vdcworkfile.tmp");
    const std::string output = program.file("Temp/vdcoutputfile.vtm");

    // Cancelled: nothing converted, nothing opened.
    EXPECT_FALSE(doc.flgFileOpen(list));
    EXPECT_TRUE(lists.calls.empty());

    lists.choice = ListConversionChoice{true, "Products"};
    program.write("Temp/vdcoutputfile.vtm", "an earlier conversion");
    ASSERT_TRUE(doc.flgFileOpen(list));
    EXPECT_EQ(lists.calls,
              (std::vector<std::string>{"list " + list + " -> " + work + " as Products",
                                        "model " + work + " -> " + output}));
    EXPECT_EQ(doc.dimensionNames(), (std::vector<std::string>{"Region", "Product"}));
    EXPECT_EQ(doc.strCurrentFile, untitled());
    EXPECT_EQ(doc.reopenList, (std::vector<std::string>{list}));

    lists.calls.clear();
    lists.choice = ListConversionChoice{false, "Products"};
    EXPECT_FALSE(doc.flgFileImport(list));  // no import dialog: nothing converted
    EXPECT_TRUE(lists.calls.empty());
    ASSERT_TRUE(doc.flgFileOpen(list));
    EXPECT_EQ(lists.calls.front(), "list " + list + " -> " + work + " as $$");

    // A conversion that fails is a failed open of the list.
    lists.fail = true;
    messages.expect("The dimension/category list \r" + list +
                    "\rcould not be converted into a model.\r\runreadable list");
    EXPECT_FALSE(doc.flgFileOpen(list));
    EXPECT_EQ(doc.strCurrentFile, untitled());
}

TEST_F(DocumentCommandsTest, WithoutAListConversionAListIsRefusedWithAMessage) {
    const std::string list = program.write("products.vdc", "P1,Phones\r\n");
    messages.expectContaining(list);
    EXPECT_FALSE(doc.flgFileOpen(list));
    EXPECT_EQ(messages.shown().back().caption, "Open File");
    EXPECT_EQ(doc.strCurrentFile, untitled());
}

TEST(DocumentFilesTest, ListFilesAreKnownByTheirExtensionInAnyCase) {
    EXPECT_TRUE(flgIsListFile("/a/b.vdc"));
    EXPECT_TRUE(flgIsListFile("/a/b.VdC"));
    EXPECT_FALSE(flgIsListFile("/a/b.vtm"));
    EXPECT_FALSE(flgIsListFile("/a.vdc/b"));
    EXPECT_FALSE(flgIsListFile("/a/vdc"));
}

TEST(DocumentFilesTest, DeletingAFileCountsItOrReportsIt) {
    TempFolder folder;
    test::TestMessages messages;
    const std::string file = folder.write("old.log", "x");
    int count = 0;
    EXPECT_TRUE(flgFileDeleteReport(file, true, count));
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(flgFileDeleteReport(file, false, count));
    messages.expect("Could not delete file \"" + file + "\".");
    EXPECT_FALSE(flgFileDeleteReport(file, true, count));
    EXPECT_EQ(messages.shown().back().caption, "Attempt to Delete File");
    EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace vantorell
