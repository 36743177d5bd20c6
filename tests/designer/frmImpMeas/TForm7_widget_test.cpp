// The import dialog on the offscreen platform: its controls, the wait while it is shown with
// the main window disabled, the grids driven by keys and the mouse, and File Import of the
// sample model into the designer's own windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>
#include <tuple>

#include "designer/frmImpMeas/TForm7.h"
#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/StartupSequence.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "designer/views/OverlayComboBox.h"
#include "platform/EventLoop.h"
#include "platform/FileDialogService.h"
#include "tests/support/DialogScript.h"
#include "tests/support/ImportModels.h"
#include "tests/support/ModalMessages.h"
#include "tests/support/ModelBuilder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestEditors.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using namespace test;

// The user's script starts once the dialog shows the model it read.
class DialogScript : public test::DialogScript {
public:
    DialogScript(TForm7& form, std::function<void()> user)
        : test::DialogScript(form, &TForm7::formShown, std::move(user)) {}
};

QPoint centreOf(const GridView& view, int col, int row) {
    const QModelIndex index = view.gridModel().index(row - 1, col);
    return view.visualRect(index).center();
}

void clickCell(GridView& view, int col, int row) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centreOf(view, col, row));
}

class TForm7Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(editors.internalize(importTargetModel()));
        writtenModel(file, importSourceModel());
        form.mainWindow = &mainWindow;
    }

    TempFolder program;
    TestMessages messages;
    TestEditors editors{program.path()};
    QWidget mainWindow;
    TForm7 form{editors};
    const std::string file = program.file("import.vtm");
};

TEST_F(TForm7Test, HasItsControls) {
    EXPECT_EQ(form.windowTitle().toStdString(), "Import");
    EXPECT_EQ(form.Label1->text().toStdString(),
              "Import Dimensions (and their Categories) that are \"included\", will be added to "
              "the list of Dimensions in the existing model. If a \"Category Limit\" is "
              "specified, only the specified number of lowest level Categories in the Import "
              "Dimension will be imported.");
    EXPECT_EQ(form.Label2->text().toStdString(),
              "Imported Measures may be assigned to one or more of the Measures in the existing "
              "model.  When assigned, the imported Measure's information (including Measure "
              "Values and Irregularities) will be copied to the Target Measure.");
    EXPECT_EQ(form.Label3->text().toStdString(),
              "The Target Measure's Name, Code, Source Measure and Weighting Dimension will not "
              "be altered by the imported Measure.  If a Target Measure isn't assigned to an "
              "Import Measure, default values will be used for the Measure Values and "
              "Irregularities.");
    EXPECT_EQ(form.btnOk->text().toStdString(), "&Ok");
    EXPECT_EQ(form.btnCancel->text().toStdString(), "&Cancel");
    EXPECT_EQ(form.sgdDimsCatsImport->objectName().toStdString(), "sgdDimsCatsImport");
    EXPECT_EQ(form.sgdMeasuresImport->objectName().toStdString(), "sgdMeasuresImport");
    EXPECT_FALSE(form.cbxImportMeasures->isVisible());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(TForm7Test, TheUserChoosesThroughTheGridsAndOkHandsTheChoicesOver) {
    bool disabledWhileShown = false;
    DialogScript script(form, [&] {
        disabledWhileShown = !mainWindow.isEnabled();
        // The list hands the focus back to the grid, which needs the dialog active.
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        GridView& dims = *form.sgdDimsCatsImport;
        // Region clashes with the current tree: it is proposed as "Region 1", code "REG1".
        EXPECT_EQ(form.state.sgdDimsCatsImport.cell(kImportNewDimensionName, 1), "Region 1");
        clickCell(dims, kImportInclude, 2);
        QTest::keyClick(&dims, Qt::Key_Space);
        clickCell(dims, kImportCategoryLimit, 1);
        QTest::keyClicks(&dims, "x");  // dropped: no editor opens
        EXPECT_FALSE(dims.inplaceEditor()->isVisible());
        QTest::keyClicks(&dims, "3");
        ASSERT_TRUE(dims.inplaceEditor()->isVisible());
        QTest::keyClicks(dims.inplaceEditor(), "q5");
        QTest::keyClick(dims.inplaceEditor(), Qt::Key_Return);
        EXPECT_FALSE(dims.inplaceEditor()->isVisible());

        GridView& measures = *form.sgdMeasuresImport;
        clickCell(measures, kImportMeasure, 1);
        QTest::keyClick(&measures, Qt::Key_Return);
        ASSERT_TRUE(form.cbxImportMeasures->isVisible());
        EXPECT_EQ(form.cbxImportMeasures->count(), 3);  // Rev, Tax and none
        EXPECT_EQ(form.cbxImportMeasures->currentIndex(), 2) << "the empty cell's entry";
        QTest::keyClick(form.cbxImportMeasures, Qt::Key_Left);  // the first entry, Rev
        QTest::keyClick(form.cbxImportMeasures, Qt::Key_Down);  // Tax
        QTest::keyClick(form.cbxImportMeasures, Qt::Key_Return);
        processMessages();
        EXPECT_FALSE(form.cbxImportMeasures->isVisible());
        // The weighted row is offered the weighted measure only.
        clickCell(measures, kImportMeasure, 2);
        QTest::keyClick(&measures, Qt::Key_Return);
        EXPECT_EQ(form.cbxImportMeasures->count(), 2);
        QTest::mouseClick(form.btnOk, Qt::LeftButton);
    });
    const ImportDialogResult result = form.importDialog().run(file);
    EXPECT_TRUE(disabledWhileShown);
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_FALSE(form.isVisible());
    ASSERT_TRUE(result.confirmed);
    EXPECT_EQ(result.fileName, file);
    EXPECT_EQ(result.model.dimensions.size(), 2u);
    ASSERT_EQ(result.dimensions.size(), 2u);
    EXPECT_TRUE(result.dimensions[0].flgInclude);
    EXPECT_EQ(result.dimensions[0].strNewDimensionName, "Region 1");
    EXPECT_EQ(result.dimensions[0].intCategoryLimit, 35);
    EXPECT_FALSE(result.dimensions[1].flgInclude);
    EXPECT_EQ(result.measures, (TArrImportMeasuresTranslation{2, -1}));
}

TEST_F(TForm7Test, OneEnterOnAClashingNameOrCodeShowsOneMessage) {
    // The message is a real modal box, which takes the focus from the grid while it is up.
    ModalMessages modal;
    DialogScript script(form, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        GridView& dims = *form.sgdDimsCatsImport;
        const struct {
            int col;
            const char* typed;
            const char* message;
        } cases[] = {
            {kImportNewDimensionName, "Region",
             "Sorry, the value entered (i.e. Region), \ris already being used by row 1 (i.e. "
             "Region) \rin the current models Dimensions/Category Tree."},
            {kImportNewDimensionCode, "N",
             "Sorry, the value entered (i.e. N), \ris already being used by row 2 (i.e. North) "
             "\rin the current models Dimensions/Category Tree."},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.typed);
            const std::string before = form.state.sgdDimsCatsImport.cell(c.col, 1);
            clickCell(dims, c.col, 1);
            // The first character opens the editor over the cell, which takes the rest.
            QTest::keyClicks(&dims, QString(QLatin1Char(c.typed[0])));
            ASSERT_TRUE(dims.inplaceEditor()->isVisible());
            QTest::keyClicks(dims.inplaceEditor(), c.typed + 1);
            modal.expect(c.message, MessageAnswer::Cancel);
            QTest::keyClick(dims.inplaceEditor(), Qt::Key_Return);
            processMessages();
            EXPECT_EQ(modal.pending(), 0u);
            EXPECT_EQ(form.state.sgdDimsCatsImport.cell(c.col, 1), before);
            EXPECT_FALSE(dims.inplaceEditor()->isVisible());
        }
        // Moving on to another cell checks nothing again.
        clickCell(dims, kImportCategoryLimit, 1);
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    });
    form.importDialog().run(file);
    EXPECT_EQ(modal.shown().size(), 2u);
}

TEST_F(TForm7Test, AtItsSizeBothGridsShowEveryColumn) {
    const std::string sample = sourcePath("examples/sales.vtm");
    DialogScript script(form, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        processMessages();
        for (const GridView* grid : {form.sgdDimsCatsImport, form.sgdMeasuresImport}) {
            EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0)
                << grid->objectName().toStdString();
        }
        EXPECT_LE(form.frameGeometry().right(), form.screen()->availableGeometry().right());
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    });
    form.importDialog().run(sample);
}

TEST_F(TForm7Test, CancelAndEscapeLeaveTheDialogUnconfirmed) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        DialogScript script(form, [&] {
            if (escape) {
                QTest::keyClick(&form, Qt::Key_Escape);
            } else {
                QTest::mouseClick(form.btnCancel, Qt::LeftButton);
            }
        });
        const ImportDialogResult result = form.importDialog().run(file);
        EXPECT_FALSE(result.confirmed);
        EXPECT_FALSE(form.state.flgOkPressed);
        EXPECT_TRUE(mainWindow.isEnabled());
        EXPECT_FALSE(form.isVisible());
    }
}

TEST_F(TForm7Test, AFileThatCannotBeReadClosesTheDialogByItself) {
    const std::string broken = program.write("broken.vtm", "not a model\n");
    messages.expectContaining("Fatal error encountered while attempting to read file " + broken +
                              ".");
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &form, [this] {
        ADD_FAILURE() << "the dialog stayed";
        form.close();
    });
    deadline.start(20000);
    EXPECT_FALSE(form.importDialog().run(broken).confirmed);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(messages.pending(), 0u);
}

// (dimension, category) of every value record of one measure.
using ValuesByCell = std::map<std::pair<int, int>, TMeasureValueRecord>;
ValuesByCell valuesOf(const ModelArrays& model, int measure) {
    ValuesByCell values;
    for (const TMeasureValueRecord& v : model.values) {
        if (v.intMeasureIndex == measure) {
            values[{v.intDimensionIndex, v.intCategoryIndex}] = v;
        }
    }
    return values;
}

TEST(FileImportTest, TheSampleModelJoinsTheCurrentOne) {
    TempFolder program;
    TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService scope(dialogs);
    const auto windows = designerWindowsCreate(program.path());
    TForm1& main = *windows->Form1;
    TForm7& form = *windows->Form7;
    main.show();  // File New: Measure 1 over Dimension 1 with Category 1
    ASSERT_TRUE(main.mnuFileImport->isEnabled());
    ASSERT_TRUE(main.tbnFileImport->isEnabled());

    const std::string sample = sourcePath("examples/sales.vtm");
    ModelArrays expected;
    std::int32_t points = 0;
    ASSERT_TRUE(flgReadFile(sample, points, expected));
    ASSERT_FALSE(expected.measures.empty());
    ASSERT_EQ(expected.measures[0].chrType, 'I');
    const std::string checksum = main.strChecksum;

    dialogs.queue(sample);
    DialogScript script(form, [&] {
        EXPECT_FALSE(main.isEnabled());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        ImportDialogState& state = form.state;
        EXPECT_EQ(state.sgdDimsCatsImport.dataRowCount(),
                  static_cast<int>(expected.dimensions.size()));
        // Measure 1 takes the sample's first measure.
        clickCell(*form.sgdMeasuresImport, kImportMeasure, 1);
        QTest::keyClick(form.sgdMeasuresImport, Qt::Key_Return);
        ASSERT_TRUE(form.cbxImportMeasures->isVisible());
        QTest::keyClick(form.cbxImportMeasures, Qt::Key_Left);  // the first entry
        QTest::keyClick(form.cbxImportMeasures, Qt::Key_Return);
        processMessages();
        EXPECT_EQ(state.sgdMeasuresImport.cell(kImportMeasure, 1),
                  expected.measures[0].strName.str());
        QTest::mouseClick(form.btnOk, Qt::LeftButton);
    });
    main.mnuFileImport->trigger();
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(dialogs.asked().at(0).title, "Import");
    // The saved state's digest stays: the merged model is a change to save.
    EXPECT_EQ(main.strChecksum, checksum);

    ModelArrays merged;
    std::string digest;
    ASSERT_TRUE(nulExternalizeReaderWriterArrays(main.editors, merged, digest, "", "Arrays.log"));
    EXPECT_NE(digest, checksum);
    ASSERT_EQ(merged.dimensions.size(), expected.dimensions.size() + 1);
    EXPECT_EQ(merged.dimensions[0].strName.str(), "Dimension 1");
    for (std::size_t d = 0; d < expected.dimensions.size(); ++d) {
        EXPECT_EQ(merged.dimensions[d + 1].strName, expected.dimensions[d].strName);
        EXPECT_EQ(merged.dimensions[d + 1].strCode, expected.dimensions[d].strCode);
    }
    ASSERT_EQ(merged.categories.size(), expected.categories.size() + 1);
    for (std::size_t c = 0; c < expected.categories.size(); ++c) {
        const TCategoryRecord& got = merged.categories[c + 1];
        const TCategoryRecord& want = expected.categories[c];
        EXPECT_EQ(std::tie(got.strName, got.strCode, got.bytLevelNumber),
                  std::tie(want.strName, want.strCode, want.bytLevelNumber));
        EXPECT_EQ(got.intParentDimensionIndex, want.intParentDimensionIndex + 1);
    }

    // Measure 1 keeps its name and code and takes the sample measure's totals, its shares in
    // every imported category and its irregularities.
    ASSERT_EQ(merged.measures.size(), 1u);
    const TMeasureRecord& measure = merged.measures[0];
    EXPECT_EQ(measure.strName.str(), "Measure 1");
    EXPECT_EQ(measure.dblPosTotal, expected.measures[0].dblPosTotal);
    EXPECT_EQ(measure.dblNegTotal, expected.measures[0].dblNegTotal);
    EXPECT_EQ(measure.intIrregularityType, expected.measures[0].intIrregularityType);
    const ValuesByCell want = valuesOf(expected, 0);
    const ValuesByCell got = valuesOf(merged, 0);
    ASSERT_FALSE(want.empty());
    for (const auto& [cell, value] : want) {
        const auto it = got.find({cell.first + 1, cell.second + 1});
        ASSERT_NE(it, got.end()) << cell.first << "/" << cell.second;
        EXPECT_EQ(it->second.intPercentage, value.intPercentage);
        EXPECT_EQ(it->second.intNegPercentage, value.intNegPercentage);
    }
    for (const TIrregularityRecord& want : expected.irregularities) {
        if (want.intMeasureIndex != 0) {
            continue;
        }
        bool found = false;
        for (const TIrregularityRecord& i : merged.irregularities) {
            if (i.intDimensionIndex == want.intDimensionIndex + 1) {
                found = true;
                EXPECT_EQ(i.dblStandardIrregularity, want.dblStandardIrregularity);
                EXPECT_EQ(i.intIrregularityFamilyNumber, want.intIrregularityFamilyNumber);
            }
        }
        EXPECT_TRUE(found) << want.intDimensionIndex;
    }
}

}  // namespace
}  // namespace vantorell
