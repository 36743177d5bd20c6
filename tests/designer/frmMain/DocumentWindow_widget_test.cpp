// The document commands in the shown main window, driven through its tool buttons and its
// menu: a model opened is ready to edit, a failed Save As changes no name, and the reopen
// list shows every file it gains, however the menu was opened before.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <functional>

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

// Runs `user` once the popup menu is up, from the menu's own event loop; the menu goes at a
// deadline should `user` not have closed it.
void whenUp(QMenu* menu, std::function<void()> user) {
    auto* look = new QTimer(menu);
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(look, &QTimer::timeout, menu, [=] {
        if (menu->isVisible() && QApplication::activePopupWidget() == menu) {
            look->deleteLater();
            delete waited;
            user();
        } else if (waited->elapsed() > 10000) {
            ADD_FAILURE() << menu->objectName().toStdString() << " did not come up";
            look->deleteLater();
            delete waited;
            for (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr;
                 popup = QApplication::activePopupWidget()) {
                popup->close();
            }
        }
    });
    look->start(5);
}

// The File menu drops down from its button and the user points at Reopen. When the submenu
// comes up, `path`'s entry in it is clicked (`shown` tells); a Reopen that cannot open shows
// no submenu, and Escape closes the File menu.
void reopenThroughTheMenu(TForm1& form, const std::string& path, bool& shown) {
    shown = false;
    whenUp(form.mnuFile, [&form, path, &shown] {
        QMenu* file = form.mnuFile;
        const QRect reopen = file->actionGeometry(form.mnuFileReopen->menuAction());
        if (!form.mnuFileReopen->menuAction()->isEnabled()) {
            QTest::mouseMove(file, reopen.center());
            QTest::mouseClick(file, Qt::LeftButton, {}, reopen.center());
            EXPECT_EQ(QApplication::activePopupWidget(), file);
            QTest::keyClick(file, Qt::Key_Escape);
            return;
        }
        whenUp(form.mnuFileReopen, [&form, path, &shown] {
            QMenu* list = form.mnuFileReopen;
            shown = true;
            for (QAction* item : list->actions()) {
                if (item->data().toByteArray().toStdString() == path) {
                    EXPECT_TRUE(list->rect().contains(list->actionGeometry(item)));
                    QTest::mouseClick(list, Qt::LeftButton, {},
                                      list->actionGeometry(item).center());
                    return;
                }
            }
            ADD_FAILURE() << path << " is not in the reopen list";
            list->close();
            form.mnuFile->close();
        });
        QTest::mouseMove(file, reopen.center());
    });
    QTest::mouseClick(form.mbrMainMenus->buttons().front(), Qt::LeftButton);
    processMessages();
}

TEST_F(DocumentWindowTest, TheReopenMenuShowsEveryFileItGainsAfterStartingEmpty) {
    bool shown = false;
    ASSERT_TRUE(form.mnuFileReopen->actions().isEmpty());
    reopenThroughTheMenu(form, {}, shown);
    EXPECT_FALSE(shown);

    const std::string first = program.file("first.vtm");
    dialogs.queue(first);
    click(form.tbnFileSaveAs);
    const std::string file = sample("sales.vtm");
    dialogs.queue(file);
    click(form.tbnFileOpen);
    ASSERT_EQ(form.strCurrentFile, file);

    reopenThroughTheMenu(form, first, shown);
    EXPECT_TRUE(shown);
    EXPECT_EQ(form.strCurrentFile, first);
    reopenThroughTheMenu(form, file, shown);
    EXPECT_TRUE(shown);
    EXPECT_EQ(form.strCurrentFile, file);
}

}  // namespace
}  // namespace vantorell
