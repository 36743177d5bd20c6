// The node tree and the tree routines.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "designer/rtnTrees/rtnTrees.h"

namespace vantorell {
namespace {

struct CodeData : TreeNodeData {
    explicit CodeData(std::string c, std::vector<std::string>* log = nullptr)
        : code(std::move(c)), freed(log) {}
    ~CodeData() override {
        if (freed != nullptr) {
            freed->push_back(code);
        }
    }
    std::string code;
    std::vector<std::string>* freed;
};

// Texts in pre-order, each prefixed by its level.
std::string outline(const NodeTree& tree) {
    std::string text;
    for (const TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        text += std::to_string(n->level()) + n->text() + " ";
    }
    return text;
}

// Region { North { N1 N2 } South } Product { P1 }
class NodeTreeTest : public ::testing::Test {
protected:
    NodeTreeTest() {
        region = tree.addChild(nullptr, "Region");
        north = tree.addChild(region, "North");
        n1 = tree.addChild(north, "N1");
        n2 = tree.add(n1, "N2");
        south = tree.add(north, "South");
        product = tree.add(region, "Product");
        p1 = tree.addChild(product, "P1");
    }

    NodeTree tree;
    TreeNode *region, *north, *n1, *n2, *south, *product, *p1;
};

TEST_F(NodeTreeTest, BuildsInPreOrderWithLevelsIndexesAndSiblings) {
    EXPECT_EQ(outline(tree), "0Region 1North 2N1 2N2 1South 0Product 1P1 ");
    EXPECT_EQ(tree.count(), 7);
    EXPECT_EQ(south->index(), 1);
    EXPECT_EQ(south->absoluteIndex(), 4);
    EXPECT_EQ(south->getPrevSibling(), north);
    EXPECT_EQ(south->getNextSibling(), nullptr);
    EXPECT_EQ(region->parent(), nullptr);
    EXPECT_EQ(n2->parent(), north);
    EXPECT_TRUE(region->isAncestorOf(*n2));
    EXPECT_FALSE(north->isAncestorOf(*south));

    TreeNode* inserted = tree.insert(north, "East");
    EXPECT_EQ(outline(tree), "0Region 1East 1North 2N1 2N2 1South 0Product 1P1 ");
    EXPECT_EQ(north->index(), 1);
    tree.insert(nullptr, "Time");
    tree.add(nullptr, "Scenario");
    EXPECT_EQ(tree.topLevelCount(), 4);
    EXPECT_EQ(tree.topLevelItem(3)->text(), "Scenario");
    EXPECT_EQ(inserted->level(), 1);
}

TEST_F(NodeTreeTest, OnlyChildFirstSiblingAndTopLevel) {
    EXPECT_TRUE(flgTreeNodeIsOnlyChild(*p1));
    EXPECT_FALSE(flgTreeNodeIsOnlyChild(*n1));
    EXPECT_FALSE(flgTreeNodeIsOnlyChild(*region));

    // A top-level node answers the tree's first node, with or without a previous sibling.
    EXPECT_EQ(tneTreeNodeFirstSibling(region), region);
    EXPECT_EQ(tneTreeNodeFirstSibling(product), region);
    EXPECT_EQ(tneTreeNodeFirstSibling(n2), n1);
    EXPECT_EQ(tneTreeNodeFirstSibling(south), north);
    EXPECT_EQ(tneTreeNodeFirstSibling(n1), n1);
    EXPECT_EQ(tneTreeNodeFirstSibling(nullptr), nullptr);

    EXPECT_EQ(tneTreeNodeTopLevel(n2), region);
    EXPECT_EQ(tneTreeNodeTopLevel(product), product);
    EXPECT_EQ(tneTreeNodeTopLevel(p1), product);
}

TEST_F(NodeTreeTest, MovesKeepTheSubtreeAndRefuseCycles) {
    EXPECT_TRUE(south->moveTo(north, NodeAttachMode::Insert));  // move up
    EXPECT_EQ(outline(tree), "0Region 1South 1North 2N1 2N2 0Product 1P1 ");
    EXPECT_TRUE(north->moveTo(south, NodeAttachMode::AddChild));  // move right
    EXPECT_EQ(outline(tree), "0Region 1South 2North 3N1 3N2 0Product 1P1 ");
    EXPECT_TRUE(n1->moveTo(n2, NodeAttachMode::Add));
    EXPECT_EQ(outline(tree), "0Region 1South 2North 3N2 3N1 0Product 1P1 ");
    EXPECT_TRUE(north->moveTo(product, NodeAttachMode::Insert));  // to the top level
    EXPECT_EQ(outline(tree), "0Region 1South 0North 1N2 1N1 0Product 1P1 ");
    EXPECT_EQ(north->parent(), nullptr);
    EXPECT_TRUE(p1->moveTo(nullptr, NodeAttachMode::AddFirst));
    EXPECT_EQ(outline(tree), "0P1 0Region 1South 0North 1N2 1N1 0Product ");

    EXPECT_FALSE(north->moveTo(n2, NodeAttachMode::AddChild));
    EXPECT_FALSE(north->moveTo(north, NodeAttachMode::AddChildFirst));
    EXPECT_TRUE(north->moveTo(north, NodeAttachMode::Insert));  // stays where it is
    EXPECT_EQ(outline(tree), "0P1 0Region 1South 0North 1N2 1N1 0Product ");
    for (int i = 0; i < tree.topLevelCount(); ++i) {
        EXPECT_EQ(tree.topLevelItem(i)->index(), i);
    }
    EXPECT_EQ(tree.count(), 7);
}

TEST_F(NodeTreeTest, DeletionVisitsChildrenFirstWhileTheTreeIsWhole) {
    std::vector<std::string> freed;
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        n->setData(std::make_unique<CodeData>(n->text(), &freed));
    }
    std::vector<std::string> visited;
    tree.onDeletion = [&](TreeNode& node) {
        visited.push_back(node.dataAs<CodeData>()->code + "/" +
                          std::to_string(node.parent() ? node.parent()->count() : -1));
    };
    tree.setSelected(n2);
    tree.deleteNode(north);
    EXPECT_EQ(visited, (std::vector<std::string>{"N1/2", "N2/2", "North/2"}));
    EXPECT_EQ(freed.size(), 3u);
    EXPECT_EQ(tree.selected(), nullptr);
    EXPECT_EQ(outline(tree), "0Region 1South 0Product 1P1 ");
    EXPECT_EQ(south->index(), 0);
    EXPECT_EQ(tree.count(), 4);

    visited.clear();
    tree.clear();
    EXPECT_EQ(visited.size(), 4u);
    EXPECT_EQ(tree.count(), 0);
    EXPECT_EQ(tree.getFirstNode(), nullptr);
}

TEST_F(NodeTreeTest, VisibleWalkFollowsExpansion) {
    region->setExpanded(true);
    EXPECT_TRUE(south->isVisible());
    EXPECT_FALSE(n1->isVisible());
    EXPECT_EQ(north->getNextVisible(), south);
    EXPECT_EQ(south->getNextVisible(), product);
    EXPECT_EQ(product->getPrevVisible(), south);
    north->setExpanded(true);
    EXPECT_EQ(north->getNextVisible(), n1);
    EXPECT_EQ(south->getPrevVisible(), n2);
    EXPECT_EQ(region->getPrevVisible(), nullptr);
    tree.fullCollapse();
    EXPECT_FALSE(region->expanded());
    tree.fullExpand();
    EXPECT_TRUE(p1->isVisible());
}

TEST_F(NodeTreeTest, EditedLetsTheHandlerRefuseTheText) {
    tree.onEdited = [](TreeNode& node, std::string& text) {
        if (text.empty()) {
            text = node.text();
        }
    };
    tree.edited(*north, "Norte");
    EXPECT_EQ(north->text(), "Norte");
    tree.edited(*north, "");
    EXPECT_EQ(north->text(), "Norte");
}

// Records the order of the notifications a view gets.
class ListenerLog : public TreeListener {
public:
    void treeAboutToInsert(TreeNode* parent, int index) override {
        log += "+" + (parent ? parent->text() : std::string("-")) + std::to_string(index) + " ";
    }
    void treeInserted() override { log += "inserted "; }
    void treeAboutToRemove(TreeNode& node) override { log += "-" + node.text() + " "; }
    void treeRemoved() override { log += "removed "; }
    void treeAboutToMove(TreeNode& node, TreeNode* parent, int index) override {
        log += ">" + node.text() + ":" + (parent ? parent->text() : std::string("-")) +
               std::to_string(index) + " ";
    }
    void treeMoved() override { log += "moved "; }
    void treeAboutToReset() override { log += "resetting "; }
    void treeReset() override { log += "reset "; }
    void treeNodeChanged(TreeNode& node) override { log += "changed:" + node.text() + " "; }
    void treeExpansionChanged(TreeNode& node) override { log += "expanded:" + node.text() + " "; }
    void treeSelectionChanged() override { log += "selected "; }
    std::string log;
};

TEST_F(NodeTreeTest, ViewsAreToldBeforeAndAfterEachChangeAndOnceForABatch) {
    ListenerLog listener;
    tree.setListener(&listener);
    tree.addChild(south, "S1");
    n1->moveTo(nullptr, NodeAttachMode::Add);
    tree.deleteNode(n2);
    south->setText("Sud");
    EXPECT_EQ(listener.log, "+South0 inserted >N1:-2 moved -N2 removed changed:Sud ");

    listener.log.clear();
    tree.beginUpdate();
    tree.addChild(region, "West");
    tree.beginUpdate();
    region->setExpanded(true);
    tree.endUpdate();
    tree.deleteNode(product);
    tree.endUpdate();
    EXPECT_EQ(listener.log, "resetting reset ");
    tree.setListener(nullptr);
}

TEST_F(NodeTreeTest, AdoptedNodesJoinTheEndWithTheirDataAndBothViewsHearOfOneReset) {
    std::vector<std::string> freed;
    NodeTree aside;
    TreeNode* extra = aside.addChild(nullptr, "Extra");
    TreeNode* e1 = aside.addChild(extra, "E1");
    e1->setData(std::make_unique<CodeData>("e1", &freed));
    aside.setSelected(e1);
    ListenerLog mine;
    ListenerLog theirs;
    tree.setListener(&mine);
    aside.setListener(&theirs);

    tree.adoptNodes(aside);
    EXPECT_EQ(mine.log, "resetting reset ");
    EXPECT_EQ(theirs.log, "resetting reset ");
    EXPECT_EQ(outline(tree), "0Region 1North 2N1 2N2 1South 0Product 1P1 0Extra 1E1 ");
    EXPECT_EQ(tree.count(), 9);
    EXPECT_EQ(aside.count(), 0);
    EXPECT_EQ(aside.getFirstNode(), nullptr);
    EXPECT_EQ(aside.selected(), nullptr);
    EXPECT_EQ(&e1->owner(), &tree);
    EXPECT_EQ(extra->index(), 2);
    EXPECT_EQ(extra->parent(), nullptr);
    EXPECT_EQ(tneTreeNodeFirstSibling(extra), region);
    EXPECT_TRUE(freed.empty());

    // Adopted nodes are the tree's own: they go with it.
    tree.setListener(nullptr);
    aside.setListener(nullptr);
    tree.deleteNode(extra);
    EXPECT_EQ(freed, std::vector<std::string>{"e1"});
}

TEST(NodeTree, HundredThousandNodesWalkAndFreeWithoutRecursion) {
    NodeTree tree;
    TreeNode* top = tree.addChild(nullptr, "Dimension");
    TreeNode* deep = top;
    for (int i = 0; i < 5000; ++i) {
        deep = tree.addChild(deep, "D");  // a deep chain
    }
    for (int i = 0; i < 100000; ++i) {
        tree.addChild(top, "C" + std::to_string(i));  // and a wide level
    }
    int walked = 0;
    for (TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
        ++walked;
    }
    EXPECT_EQ(walked, tree.count());
    EXPECT_EQ(walked, 105001);
    EXPECT_EQ(deep->level(), 5000);
    EXPECT_EQ(top->item(99999 + 1)->text(), "C99999");
    tree.deleteNode(top->getFirstChild());  // the chain
    EXPECT_EQ(tree.count(), 100001);
}

}  // namespace
}  // namespace vantorell
