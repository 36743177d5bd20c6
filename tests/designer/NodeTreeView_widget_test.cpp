// The tree view on the offscreen platform: it shows the node tree and hands edits back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "designer/rtnTrees/rtnTrees.h"
#include "designer/views/NodeTreeModel.h"
#include "designer/views/NodeTreeView.h"

namespace vantorell {
namespace {

class NodeTreeViewTest : public ::testing::Test {
protected:
    NodeTreeViewTest() {
        region = tree.addChild(nullptr, "Region");
        north = tree.addChild(region, "North");
        south = tree.addChild(region, "South");
        product = tree.addChild(nullptr, "Product");
        window.resize(300, 400);
        view = new NodeTreeView(tree, &window);
        view->setGeometry(0, 0, 300, 400);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QPoint centreOf(const TreeNode* node) const {
        return view->visualRect(view->treeModel().indexOf(node)).center();
    }

    NodeTree tree;
    TreeNode *region, *north, *south, *product;
    QWidget window;
    NodeTreeView* view = nullptr;
};

TEST_F(NodeTreeViewTest, SelectionAndExpansionFollowTheTreeBothWays) {
    region->setExpanded(true);
    EXPECT_TRUE(view->isExpanded(view->treeModel().indexOf(region)));
    tree.setSelected(south);
    EXPECT_EQ(NodeTreeModel::nodeOf(view->currentIndex()), south);

    std::vector<TreeNode*> pressed;
    view->onMouseDown = [&](const TreeMouseEvent& e) { pressed.push_back(e.node); };
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centreOf(north));
    EXPECT_EQ(tree.selected(), north);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(150, 390));
    ASSERT_EQ(pressed.size(), 2u);
    EXPECT_EQ(pressed[0], north);
    EXPECT_EQ(pressed[1], nullptr) << "a press on empty space is over no node";

    view->collapse(view->treeModel().indexOf(region));
    EXPECT_FALSE(region->expanded());
}

TEST_F(NodeTreeViewTest, ASelectedNodeShowsItsSelectedImage) {
    std::vector<QIcon> images;
    for (const Qt::GlobalColor color : {Qt::red, Qt::green, Qt::blue, Qt::yellow}) {
        QPixmap pixmap(8, 8);
        pixmap.fill(color);
        images.emplace_back(pixmap);
    }
    view->setImages(images);
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        n->setImageIndex(n->level() == 0 ? 0 : 2);
        n->setSelectedIndex(n->level() == 0 ? 1 : 3);
    }
    const auto decoration = [&](const TreeNode* node) {
        return view->model()
            ->data(view->treeModel().indexOf(node), Qt::DecorationRole)
            .value<QIcon>()
            .cacheKey();
    };
    tree.setSelected(north);
    EXPECT_EQ(decoration(north), images[3].cacheKey());
    EXPECT_EQ(decoration(south), images[2].cacheKey());
    EXPECT_EQ(decoration(region), images[0].cacheKey());
    tree.setSelected(region);
    EXPECT_EQ(decoration(north), images[2].cacheKey());
    EXPECT_EQ(decoration(region), images[1].cacheKey());
}

TEST_F(NodeTreeViewTest, StructuralChangesShowAtOnce) {
    tree.fullExpand();
    TreeNode* east = tree.insert(south, "East");
    EXPECT_EQ(view->treeModel().rowCount(view->treeModel().indexOf(region)), 3);
    south->moveTo(north, NodeAttachMode::AddChild);
    EXPECT_EQ(view->treeModel().rowCount(view->treeModel().indexOf(north)), 1);
    tree.deleteNode(east);
    EXPECT_EQ(view->treeModel().rowCount(view->treeModel().indexOf(region)), 1);
    EXPECT_EQ(view->model()->data(view->treeModel().indexOf(south)).toString(), "South");
    tree.clear();
    EXPECT_EQ(view->treeModel().rowCount(QModelIndex()), 0);
}

TEST_F(NodeTreeViewTest, AnInPlaceEditGoesThroughTheEditedHandler) {
    tree.onEdited = [](TreeNode& node, std::string& text) {
        if (text.find_first_not_of(" \t") == std::string::npos) {
            text = node.text();  // refused
        }
    };
    tree.editText(*product);
    ASSERT_TRUE(tree.isEditing());
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "Goods");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the view ends the edit through a queued call
    EXPECT_FALSE(tree.isEditing());
    EXPECT_EQ(product->text(), "Goods");

    tree.editText(*product);
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "   ");
    tree.endEdit(false);
    EXPECT_EQ(product->text(), "Goods");
    EXPECT_FALSE(tree.isEditing());
}

TEST(NodeTreeViewLarge, AHundredThousandNodesShowAndScroll) {
    NodeTree tree;
    TreeNode* top = tree.addChild(nullptr, "Dimension");
    for (int i = 0; i < 100000; ++i) {
        tree.addChild(top, "Category " + std::to_string(i));
    }
    QWidget window;
    window.resize(300, 400);
    NodeTreeView view(tree, &window);
    view.resize(300, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    top->setExpanded(true);
    tree.setSelected(top->getLastChild());
    QApplication::processEvents();
    EXPECT_EQ(view.topItem()->parent(), top);
    EXPECT_GT(view.topItem()->index(), 99000);
}

}  // namespace
}  // namespace vantorell
