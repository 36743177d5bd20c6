// The tree editor in the shown main window, driven by the mouse and the keyboard: the tree's
// rows and the codes beside them stay the same nodes whatever the user does, the tree grows
// no deeper than a model keeps, and a removed dimension weights no measure any more.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <filesystem>
#include <functional>

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/MeasuresGrid.h"
#include "designer/frmMain/TForm1.h"
#include "designer/rtnReaderWriter/ModelRecords.h"
#include "designer/views/NodeTreeModel.h"
#include "designer/views/NodeTreeView.h"
#include "platform/EventLoop.h"
#include "platform/FileDialogService.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

QLineEdit* openEditor(QAbstractItemView* view) {
    for (QLineEdit* editor : view->viewport()->findChildren<QLineEdit*>()) {
        if (editor->isVisible()) {
            return editor;
        }
    }
    return nullptr;
}

// The shown, active main window and what a user does in it; the steps of the table below
// use these too.
class DimsCatsWindowTest : public ::testing::Test {
public:
    DimsCatsWindowTest() {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // Opens a copy of a sample model through File Open.
    void open(const std::string& sample) {
        const std::string file = program.file(std::filesystem::path(sample).filename());
        std::filesystem::copy_file(test::sourcePath(sample), file,
                                   std::filesystem::copy_options::overwrite_existing);
        dialogs.queue(file);
        click(form.tbnFileOpen, *form.tbrMainButtons);
        ASSERT_EQ(form.strCurrentFile, file);
    }

    void click(QAction* button, QToolBar& bar) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(bar.widgetForAction(button), Qt::LeftButton);
        processMessages();
    }
    void click(QAction* treeButton) { click(treeButton, *form.tbrDimsCatsButtons); }

    QRect rowOf(const TreeNode* node) const {
        return form.tvwDimsCats->visualRect(form.tvwDimsCats->treeModel().indexOf(node));
    }
    void clickNode(const TreeNode* node) {
        QTest::mouseClick(form.tvwDimsCats->viewport(), Qt::LeftButton, {}, rowOf(node).center());
    }
    // The arrow before the node's name opens and closes it.
    void clickArrow(const TreeNode* node) {
        const QRect row = rowOf(node);
        QTest::mouseClick(
            form.tvwDimsCats->viewport(), Qt::LeftButton, {},
            QPoint(row.left() - form.tvwDimsCats->indentation() / 2, row.center().y()));
        processMessages();
    }
    TreeNode* named(const std::string& name) const {
        for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
            if (n->text() == name) {
                return n;
            }
        }
        ADD_FAILURE() << "no node " << name;
        return nullptr;
    }

    // Every row of the tree in view has its own node's code beside it, at its height, and
    // the code list's items refer to those nodes.
    ::testing::AssertionResult rowsInStep() {
        processMessages();
        form.tvwDimsCats->viewport()->repaint();
        processMessages();
        const QAbstractItemModel* codes = form.lvwDimsCats->model();
        const auto& items = form.editors.lvwDimsCats.items();
        QModelIndex row = form.tvwDimsCats->indexAt(QPoint(1, 1));
        int shown = 0;
        for (; row.isValid() && shown < codes->rowCount();
             row = form.tvwDimsCats->indexBelow(row)) {
            const TreeNode* node = NodeTreeModel::nodeOf(row);
            const QModelIndex code = codes->index(shown, 0);
            if (items[static_cast<std::size_t>(shown)].node != node ||
                code.data().toString().toStdString() != strNodeCode(*node)) {
                return ::testing::AssertionFailure()
                       << "row " << shown << " shows " << node->text() << " beside the code "
                       << code.data().toString().toStdString();
            }
            const int treeTop = form.tvwDimsCats->viewport()
                                    ->mapTo(&form, form.tvwDimsCats->visualRect(row).topLeft())
                                    .y();
            const int codeTop = form.lvwDimsCats->viewport()
                                    ->mapTo(&form, form.lvwDimsCats->visualRect(code).topLeft())
                                    .y();
            if (treeTop != codeTop) {
                return ::testing::AssertionFailure()
                       << node->text() << " stands at " << treeTop << ", its code at " << codeTop;
            }
            ++shown;
        }
        if (row.isValid() &&
            form.tvwDimsCats->visualRect(row).top() < form.lvwDimsCats->viewport()->height()) {
            return ::testing::AssertionFailure()
                   << "the row of " << NodeTreeModel::nodeOf(row)->text()
                   << " has no code beside it";
        }
        return ::testing::AssertionSuccess();
    }

    // The code typed into the list beside the node is the node's.
    void editCodeBeside(const TreeNode* node, const QString& code) {
        const QPoint beside = form.tvwDimsCats->viewport()->mapToGlobal(rowOf(node).center());
        const QModelIndex item = form.lvwDimsCats->indexAt(
            QPoint(1, form.lvwDimsCats->viewport()->mapFromGlobal(beside).y()));
        ASSERT_TRUE(item.isValid());
        QTest::mouseClick(form.lvwDimsCats->viewport(), Qt::LeftButton, {},
                          form.lvwDimsCats->visualRect(item).center());
        QTest::keyClick(form.lvwDimsCats, Qt::Key_F2);
        QLineEdit* editor = openEditor(form.lvwDimsCats);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, code);
        QTest::keyClick(editor, Qt::Key_Return);
        processMessages();
        EXPECT_EQ(strNodeCode(*node), code.toStdString()) << node->text();
    }

    test::TempFolder program;
    test::TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogScope{dialogs};
    TForm1 form{program.path()};
    NodeTree& tree = form.editors.tvwDimsCats;
};

// What the user does before the rows are checked, and the node whose code is edited then.
struct StepCase {
    const char* name;
    std::function<const TreeNode*(DimsCatsWindowTest&)> steps;
};

class DimsCatsStepsTest : public DimsCatsWindowTest,
                          public ::testing::WithParamInterface<StepCase> {};

TEST_P(DimsCatsStepsTest, EveryRowInViewKeepsItsOwnCodeBesideIt) {
    open("examples/sales.vtm");
    ASSERT_TRUE(rowsInStep());
    const TreeNode* edited = GetParam().steps(*this);
    ASSERT_TRUE(rowsInStep());
    // A selected node is always one of the rows in view.
    if (const TreeNode* selected = tree.selected()) {
        EXPECT_TRUE(selected->isVisible()) << selected->text();
        EXPECT_EQ(form.tvwDimsCats->currentIndex(),
                  form.tvwDimsCats->treeModel().indexOf(selected));
    }
    editCodeBeside(edited, QStringLiteral("EDITED"));
    EXPECT_TRUE(rowsInStep());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DimsCatsStepsTest,
    ::testing::Values(StepCase{"CollapseAllWithACategorySelected",
                               [](DimsCatsWindowTest& s) -> const TreeNode* {
                                   TreeNode* region = s.named("Region");
                                   s.clickArrow(region);
                                   EXPECT_TRUE(region->expanded());
                                   s.clickNode(s.named("North"));
                                   EXPECT_EQ(s.tree.selected(), s.named("North"));
                                   s.click(s.form.tbnDimsCatsCollapseAll);
                                   EXPECT_EQ(s.tree.selected(), region);
                                   return s.named("Month");
                               }},
                      StepCase{"CollapseByTheArrowWithACategorySelected",
                               [](DimsCatsWindowTest& s) -> const TreeNode* {
                                   TreeNode* region = s.named("Region");
                                   s.clickArrow(region);
                                   s.clickNode(s.named("West"));
                                   s.clickArrow(region);
                                   EXPECT_FALSE(region->expanded());
                                   EXPECT_EQ(s.tree.selected(), region);
                                   return s.named("Month");
                               }},
                      StepCase{"ExpandAllThenCollapseADimension",
                               [](DimsCatsWindowTest& s) -> const TreeNode* {
                                   s.click(s.form.tbnDimsCatsExpandAll);
                                   s.clickNode(s.named("Green Tea"));
                                   QTest::keyClick(s.form.tvwDimsCats, Qt::Key_Left);  // up to Tea
                                   QTest::keyClick(s.form.tvwDimsCats, Qt::Key_Left);  // closes it
                                   EXPECT_FALSE(s.named("Tea")->expanded());
                                   EXPECT_EQ(s.tree.selected(), s.named("Tea"));
                                   return s.named("Snacks");
                               }},
                      StepCase{"MoveRightUnderACollapsedSibling",
                               [](DimsCatsWindowTest& s) -> const TreeNode* {
                                   s.clickNode(s.named("Region"));
                                   s.click(
                                       s.form.tbnDimsCatsMoveRight);  // under Product, which opens
                                   return s.named("Gift Cards");
                               }},
                      StepCase{"MoveDownOfAnOpenDimension",
                               [](DimsCatsWindowTest& s) -> const TreeNode* {
                                   s.clickArrow(s.named("Product"));
                                   s.clickNode(s.named("Product"));
                                   s.click(s.form.tbnDimsCatsMoveDown);
                                   return s.named("Beverages");
                               }},
                      StepCase{"AddChildUnderACollapsedDimension",
                               [](DimsCatsWindowTest& s) -> const TreeNode* {
                                   s.clickNode(s.named("Region"));
                                   s.click(s.form.tbnDimsCatsAddChild);
                                   QTest::keyClick(s.form.tvwDimsCats->focusWidget(),
                                                   Qt::Key_Return);
                                   return s.named("Central");
                               }},
                      StepCase{"RemoveAnOpenCategory",
                               [](DimsCatsWindowTest& s) -> const TreeNode* {
                                   s.click(s.form.tbnDimsCatsExpandAll);
                                   s.clickNode(s.named("Coffee"));
                                   s.click(s.form.tbnDimsCatsRem);
                                   EXPECT_EQ(s.tree.selected(), s.named("Tea"));
                                   return s.named("Black Tea");
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DimsCatsWindowTest, TheTreeGrowsNoDeeperThanAModelKeeps) {
    // File New: Dimension 1 with Category 1, at level 1.
    clickNode(tree.getFirstNode()->getFirstChild());
    for (int level = 2; level <= kDeepestCategoryLevel; ++level) {
        click(form.tbnDimsCatsAddChild);
    }
    TreeNode* deepest = tree.selected();
    ASSERT_EQ(deepest->level(), kDeepestCategoryLevel);
    const int count = tree.count();

    messages.expect("Sorry, the item (i.e. " + deepest->text() +
                    ") cannot take a child item: \ra model keeps categories at levels 1 to 128 "
                    "only.");
    click(form.tbnDimsCatsAddChild);
    EXPECT_EQ(tree.count(), count);
    EXPECT_EQ(tree.selected(), deepest);

    // A sibling at the deepest level cannot move right under it ...
    click(form.tbnDimsCatsAddSibling);
    QTest::keyClick(form.tvwDimsCats->focusWidget(), Qt::Key_Return);
    TreeNode* sibling = tree.selected();
    ASSERT_EQ(sibling->getPrevSibling(), deepest);
    messages.expect("Sorry, the item (i.e. " + sibling->text() +
                    ") cannot be moved there: \ra model keeps categories at levels 1 to 128 only.");
    click(form.tbnDimsCatsMoveRight);
    EXPECT_EQ(sibling->level(), kDeepestCategoryLevel);

    // ... nor can a node one level up whose child lies at the deepest level.
    TreeNode* parent = deepest->parent();
    QTest::keyClick(form.tvwDimsCats, Qt::Key_Left);
    ASSERT_EQ(tree.selected(), parent);
    click(form.tbnDimsCatsAddSibling);
    QTest::keyClick(form.tvwDimsCats->focusWidget(), Qt::Key_Return);
    click(form.tbnDimsCatsMoveUp);  // the new sibling before the parent
    QTest::keyClick(form.tvwDimsCats, Qt::Key_Down);
    ASSERT_EQ(tree.selected(), parent);
    messages.expect("Sorry, the item (i.e. " + parent->text() +
                    ") cannot be moved there: \ra model keeps categories at levels 1 to 128 only.");
    click(form.tbnDimsCatsMoveRight);
    EXPECT_EQ(deepest->level(), kDeepestCategoryLevel);
    EXPECT_EQ(messages.pending(), 0u);

    // What the editor built, a model file keeps and gives back.
    const std::string file = program.file("deep.vtm");
    dialogs.queue(file);
    click(form.tbnFileSaveAs, *form.tbrMainButtons);
    ASSERT_EQ(form.strCurrentFile, file);
    click(form.tbnFileNew, *form.tbrMainButtons);
    dialogs.queue(file);
    click(form.tbnFileOpen, *form.tbrMainButtons);
    ASSERT_EQ(form.strCurrentFile, file);
    EXPECT_EQ(tree.count(), count + 2);
    int level = 0;
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        level = std::max(level, n->level());
    }
    EXPECT_EQ(level, kDeepestCategoryLevel);
}

TEST_F(DimsCatsWindowTest, ARemovedDimensionWeightsNoMeasureAndSavingAsksNothingFirst) {
    open("tests/designer/data/small_model.vtm");
    const StringGrid& measures = form.editors.sgdMeasures;
    const int units = measures.fixedRows() + 1;
    ASSERT_EQ(measures.cell(kMeasuresWeightingDimension, units), "Product");

    clickNode(named("Product"));
    click(form.tbnDimsCatsRem);
    EXPECT_EQ(measures.cell(kMeasuresWeightingDimension, units), "");

    // The change question comes alone; why the model cannot be saved yet is told when it is
    // saved.
    messages.expect("The current file has changed would you like save it before continuing?",
                    MessageAnswer::Cancel);
    click(form.tbnFileNew, *form.tbrMainButtons);
    EXPECT_EQ(messages.pending(), 0u);

    // A dimension that becomes a category weights no measure either.
    clickNode(named("Region"));
    click(form.tbnDimsCatsAddSibling);
    QTest::keyClick(form.tvwDimsCats->focusWidget(), Qt::Key_Return);
    TreeNode* added = tree.selected();
    form.editors.sgdMeasures.setCell(kMeasuresWeightingDimension, units, added->text());
    click(form.tbnDimsCatsMoveRight);
    EXPECT_EQ(added->level(), 1);
    EXPECT_EQ(measures.cell(kMeasuresWeightingDimension, units), "");

    // Once the user picks a dimension again, the model saves and reads back.
    form.editors.sgdMeasures.setCell(kMeasuresWeightingDimension, units, "Region");
    click(form.tbnFileSave, *form.tbrMainButtons);
    click(form.tbnFileNew, *form.tbrMainButtons);
    form.mnuFileReopen->actions().front()->trigger();
    EXPECT_EQ(form.editors.sgdMeasures.cell(kMeasuresWeightingDimension, units), "Region");
    EXPECT_EQ(named("Region")->count(), 4);  // North, South, West and the moved dimension
}

}  // namespace
}  // namespace vantorell
