// The tree editor on screen: in-place edits of names and codes reach its checks, and the
// tool buttons and pop-up entries its commands, enabled by the tree and its selection.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTest>

#include "designer/frmMain/DimsCatsCodes.h"
#include "designer/frmMain/DimsCatsRename.h"
#include "designer/frmMain/TForm1.h"
#include "designer/views/GridView.h"
#include "designer/views/NodeTreeModel.h"
#include "designer/views/NodeTreeView.h"
#include "platform/EventLoop.h"
#include "platform/RecordingMessageService.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

// The in-place editor open in the view, none when none is.
QLineEdit* openEditor(QAbstractItemView* view) {
    for (QLineEdit* editor : view->viewport()->findChildren<QLineEdit*>()) {
        if (editor->isVisible()) {
            return editor;
        }
    }
    return nullptr;
}

void typeAndEnter(QAbstractItemView* view, const QString& text) {
    QLineEdit* editor = openEditor(view);
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    processMessages();
}

QAction* popupEntry(const TForm1& form, const QString& caption) {
    for (QAction* entry : form.pmuDimsCats->actions()) {
        if (entry->text() == caption) {
            return entry;
        }
    }
    return nullptr;
}

// Messages that take the focus from the editor, as a modal message box does.
class FocusTakingMessages : public RecordingMessageService {
public:
    explicit FocusTakingMessages(QWidget* elsewhere)
        : RecordingMessageService([](const std::string& what) { ADD_FAILURE() << what; }),
          elsewhere_(elsewhere) {}

    MessageAnswer show(const MessageRequest& request) override {
        elsewhere_->setFocus(Qt::ActiveWindowFocusReason);
        processMessages();
        return RecordingMessageService::show(request);
    }

private:
    QWidget* elsewhere_;
};

class DimsCatsPaneTest : public ::testing::Test {
protected:
    DimsCatsPaneTest() {
        form.show();  // File New: Dimension 1 with Category 1, the dimension's name in editing
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QPoint centreOf(const TreeNode* node) const {
        return form.tvwDimsCats->visualRect(form.tvwDimsCats->treeModel().indexOf(node)).center();
    }

    test::TempFolder program;
    test::TestMessages messages;
    TForm1 form{program.path()};
    NodeTree& tree = form.editors.tvwDimsCats;
};

TEST_F(DimsCatsPaneTest, ANameEditedInTheTreePassesTheChecks) {
    ASSERT_NE(openEditor(form.tvwDimsCats), nullptr);
    form.tbnDimsCatsAddSibling->trigger();
    TreeNode* added = tree.selected();
    ASSERT_EQ(added->text(), "Dimension 2");

    messages.expect(
        "Sorry, the value entered (i.e. Dimension 1), \ris already being used by row 1 (i.e. "
        "Dimension 1).");
    typeAndEnter(form.tvwDimsCats, QStringLiteral("Dimension 1"));
    EXPECT_EQ(added->text(), "Dimension 2");
    EXPECT_EQ(messages.pending(), 0u);

    form.tvwDimsCats->setFocus();
    form.pmuDimsCatsEditItem->trigger();
    typeAndEnter(form.tvwDimsCats, QStringLiteral("Markets"));
    EXPECT_EQ(added->text(), "Markets");
    EXPECT_EQ(form.tvwDimsCats->model()->index(1, 0).data().toString(), "Markets");
}

TEST_F(DimsCatsPaneTest, ARefusedEditThatLosesTheFocusToItsMessageIsCheckedOnce) {
    FocusTakingMessages focusTaking(form.sgdMeasures);
    ScopedMessageService scope(focusTaking);
    focusTaking.expect(kValueRequiredMessage);
    typeAndEnter(form.tvwDimsCats, QStringLiteral(" "));
    EXPECT_EQ(tree.getFirstNode()->text(), "Dimension 1");
    EXPECT_EQ(openEditor(form.tvwDimsCats), nullptr);

    QTest::mouseClick(
        form.lvwDimsCats->viewport(), Qt::LeftButton, {},
        form.lvwDimsCats->visualRect(form.lvwDimsCats->model()->index(0, 0)).center());
    QTest::keyClick(form.lvwDimsCats, Qt::Key_F2);
    focusTaking.expect(kValueRequiredMessage);
    typeAndEnter(form.lvwDimsCats, QString());
    EXPECT_EQ(strNodeCode(*tree.getFirstNode()), "DIM");
    EXPECT_EQ(focusTaking.shown().size(), 2u);
}

TEST_F(DimsCatsPaneTest, ButtonsFollowTheSelectionAndRunTheCommands) {
    ASSERT_NE(tree.selected(), nullptr);
    EXPECT_TRUE(form.tbnDimsCatsRem->isEnabled());

    // A press on empty space leaves no node selected: nothing to remove or move.
    QTest::mouseClick(form.tvwDimsCats->viewport(), Qt::LeftButton, {},
                      QPoint(5, form.tvwDimsCats->viewport()->height() - 5));
    EXPECT_EQ(tree.selected(), nullptr);
    for (QAction* b : {form.tbnDimsCatsRem, form.tbnDimsCatsMoveUp, form.tbnDimsCatsMoveDown,
                       form.tbnDimsCatsMoveLeft, form.tbnDimsCatsMoveRight}) {
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    }
    EXPECT_FALSE(popupEntry(form, "Delete Item")->isEnabled());
    for (QAction* b : {form.tbnDimsCatsAddSibling, form.tbnDimsCatsAddChild,
                       form.tblDimsCatsInsertSibling, form.tbnDimsCatsExpandAll}) {
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    }

    TreeNode* category = tree.getFirstNode()->getFirstChild();
    QTest::mouseClick(form.tvwDimsCats->viewport(), Qt::LeftButton, {}, centreOf(category));
    EXPECT_EQ(tree.selected(), category);
    EXPECT_TRUE(popupEntry(form, "Delete Item")->isEnabled());
    popupEntry(form, "Delete Item")->trigger();
    EXPECT_EQ(tree.count(), 1);
    EXPECT_EQ(tree.selected(), tree.getFirstNode());

    form.tbnDimsCatsRem->trigger();
    EXPECT_EQ(tree.count(), 0);
    EXPECT_FALSE(form.tbnDimsCatsExpandAll->isEnabled());
    EXPECT_FALSE(form.tbnDimsCatsRem->isEnabled());
    EXPECT_TRUE(form.tbnDimsCatsAddChild->isEnabled());
}

TEST_F(DimsCatsPaneTest, ACodeEditedInTheListPassesTheChecks) {
    processMessages();
    const QAbstractItemModel* codes = form.lvwDimsCats->model();
    ASSERT_GE(codes->rowCount(), 2);
    ASSERT_EQ(codes->index(1, 0).data().toString(), "CAT");
    TreeNode* category = tree.getFirstNode()->getFirstChild();

    QTest::mouseClick(form.lvwDimsCats->viewport(), Qt::LeftButton, {},
                      form.lvwDimsCats->visualRect(codes->index(1, 0)).center());
    ASSERT_TRUE(form.lvwDimsCats->hasFocus());
    form.pmuDimsCatsEditItem->trigger();
    messages.expect(
        "Sorry, the value entered (i.e. DIM), \ris already being used by row 1 (i.e. Dimension "
        "1).");
    typeAndEnter(form.lvwDimsCats, QStringLiteral("DIM"));
    EXPECT_EQ(strNodeCode(*category), "CAT");
    EXPECT_EQ(messages.pending(), 0u);

    QTest::keyClick(form.lvwDimsCats, Qt::Key_F2);
    typeAndEnter(form.lvwDimsCats, QStringLiteral("C1"));
    EXPECT_EQ(strNodeCode(*category), "C1");
    EXPECT_EQ(form.lvwDimsCats->model()->index(1, 0).data().toString(), "C1");

    // A command that shifts the rows keeps a code being typed with its own node.
    QTest::keyClick(form.lvwDimsCats, Qt::Key_F2);
    openEditor(form.lvwDimsCats)->setText(QStringLiteral("KAT"));
    tree.setSelected(category);
    form.tblDimsCatsInsertSibling->trigger();
    processMessages();
    EXPECT_EQ(openEditor(form.lvwDimsCats), nullptr);
    EXPECT_EQ(strNodeCode(*category), "KAT");
    EXPECT_EQ(strNodeCode(*tree.getFirstNode()->getFirstChild()), "CAT");
    EXPECT_EQ(form.lvwDimsCats->model()->index(2, 0).data().toString(), "KAT");
}

}  // namespace
}  // namespace vantorell
