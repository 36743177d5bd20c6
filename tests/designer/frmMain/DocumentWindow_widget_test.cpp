// The document commands in the shown main window, driven through its tool buttons and its
// menu: a model opened is ready to edit, a failed Save As changes no name, and the reopen
// list shows every file it gains, however the menu was opened before.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "designer/MenuBar.h"
#include "designer/frmMain/TForm1.h"
#include "designer/views/NodeTreeModel.h"
#include "designer/views/NodeTreeView.h"
#include "platform/EventLoop.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

class DocumentWindowTest : public ::testing::Test {
protected:
    DocumentWindowTest() {
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    void click(QAction* button) {
        ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
        QTest::mouseClick(form.tbrMainButtons->widgetForAction(button), Qt::LeftButton);
        processMessages();
    }

    std::string sample(const std::string& name) {
        const std::string file = program.file(name);
        std::filesystem::copy_file(test::sourcePath("examples/sales.vtm"), file);
        return file;
    }

    test::TempFolder program;
    test::TestMessages messages;
    ScriptedFileDialogService dialogs;
    ScopedFileDialogService dialogScope{dialogs};
    TForm1 form{program.path()};
    NodeTree& tree = form.editors.tvwDimsCats;
};

TEST_F(DocumentWindowTest, AnOpenedModelHasItsFirstNodeSelected) {
    const std::string file = sample("sales.vtm");
    dialogs.queue(file);
    click(form.tbnFileOpen);
    ASSERT_EQ(form.strCurrentFile, file);

    TreeNode* first = tree.getFirstNode();
    EXPECT_EQ(tree.selected(), first);
    EXPECT_EQ(form.tvwDimsCats->currentIndex(), form.tvwDimsCats->treeModel().indexOf(first));
    for (QAction* b : {form.tbnDimsCatsRem, form.tbnDimsCatsMoveDown, form.tbnDimsCatsMoveRight}) {
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    }
    // Remove acts on the node the lower panel shows.
    QTest::mouseClick(form.tbrDimsCatsButtons->widgetForAction(form.tbnDimsCatsRem),
                      Qt::LeftButton);
    EXPECT_NE(tree.getFirstNode()->text(), "Product");
}

TEST_F(DocumentWindowTest, AFailedSaveAsKeepsTheNameTheModelHad) {
    const std::string file = sample("sales.vtm");
    dialogs.queue(file);
    click(form.tbnFileOpen);
    const QString caption = form.windowTitle();

    const std::string nowhere = program.file("missing/folder/copy.vtm");
    dialogs.queue(nowhere);
    messages.expectContaining("Fatal error encountered while attempting to write file " + nowhere +
                              ".");
    click(form.tbnFileSaveAs);
    EXPECT_EQ(messages.pending(), 0u);
    EXPECT_FALSE(fileExists(nowhere));
    EXPECT_EQ(form.strCurrentFile, file);
    EXPECT_EQ(form.windowTitle(), caption);

    // Save still goes to the file the model came from, and the written name then sticks.
    tree.getFirstNode()->getFirstChild()->setText("Drinks");
    click(form.tbnFileSave);
    EXPECT_EQ(dialogs.asked().size(), 2u);  // Open and the failed Save As only
    const std::string copy = program.file("copy.vtm");
    dialogs.queue(copy);
    click(form.tbnFileSaveAs);
    EXPECT_EQ(form.strCurrentFile, copy);
    EXPECT_EQ(form.windowTitle().toStdString(), "Vantorell - " + copy);
}

}  // namespace
}  // namespace vantorell
