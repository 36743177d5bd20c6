#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include "designer/MenuBar.h"
#include "tests/support/Popups.h"

namespace vantorell {
namespace {

// A main menu of `count` top-level items, "&A", "&B", ..., each with one command.
QMenuBar* mainMenu(QWidget* owner, int count) {
    auto* menu = new QMenuBar(owner);
    menu->setNativeMenuBar(false);
    menu->hide();
    for (int i = 0; i < count; ++i) {
        QMenu* item = menu->addMenu(QStringLiteral("&") + QChar('A' + i));
        item->menuAction()->setStatusTip(QStringLiteral("hint ") + QChar('A' + i));
        item->addAction(QStringLiteral("command"));
    }
    return menu;
}

std::vector<std::string> captions(const TMenuBar& bar) {
    std::vector<std::string> texts;
    for (const QToolButton* button : bar.buttons()) {
        texts.push_back(button->text().toStdString());
    }
    return texts;
}

// A window with a menu of two items shown by a menu tool bar.
class MenuBarTest : public ::testing::Test {
protected:
    MenuBarTest() {
        window.addToolBar(bar);
        bar->setMenu(menu);
    }

    QMainWindow window;
    QMenuBar* menu = mainMenu(&window, 2);
    TMenuBar* bar = new TMenuBar(&window);
};

TEST_F(MenuBarTest, ShowsEachTopLevelItemAsAButtonThatDropsItsSubmenuDown) {
    EXPECT_EQ(bar->Menu(), menu);
    EXPECT_EQ(captions(*bar), (std::vector<std::string>{"&A", "&B"}));
    const QList<QAction*> items = menu->actions();
    for (std::size_t i = 0; i < 2; ++i) {
        const QToolButton* button = bar->buttons()[i];
        EXPECT_EQ(button->menu(), items[static_cast<qsizetype>(i)]->menu<QMenu*>());
        EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextOnly);
        EXPECT_TRUE(button->autoRaise());
        EXPECT_EQ(button->toolTip(), items[static_cast<qsizetype>(i)]->statusTip());
    }

    // A click or the caption's mnemonic drops the submenu down, as in a menu bar.
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(test::poppedBy([&] { QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier); }),
              items[0]->menu<QMenu*>());
    EXPECT_EQ(test::poppedBy([&] { QTest::mouseClick(bar->buttons()[1], Qt::LeftButton); }),
              items[1]->menu<QMenu*>());
}

TEST_F(MenuBarTest, ButtonsFollowTheirItems) {
    window.show();
    QAction* second = menu->actions().at(1);
    QToolButton* button = bar->buttons()[1];

    second->setEnabled(false);
    second->setText(QStringLiteral("&Other"));
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->text(), "&Other");
    // The bar lays its buttons out once its events have run.
    second->setVisible(false);
    QApplication::processEvents();
    EXPECT_FALSE(button->isVisible());
    second->setVisible(true);
    second->setEnabled(true);
    QApplication::processEvents();
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(button->isEnabled());
}

TEST_F(MenuBarTest, SettingTheSameMenuKeepsTheButtonsAndAnotherOrNoneReplacesThem) {
    QMenuBar* other = mainMenu(&window, 3);
    const std::vector<QToolButton*> first = bar->buttons();

    bar->setMenu(menu);
    EXPECT_EQ(bar->buttons(), first);

    QPointer<QToolButton> gone = first[0];
    bar->setMenu(other);
    EXPECT_EQ(gone, nullptr);
    EXPECT_EQ(captions(*bar), (std::vector<std::string>{"&A", "&B", "&C"}));
    EXPECT_EQ(bar->actions().size(), 3);
    // The old menu no longer reaches the bar.
    menu->actions().at(0)->setText(QStringLiteral("&Z"));
    EXPECT_EQ(captions(*bar), (std::vector<std::string>{"&A", "&B", "&C"}));

    bar->setMenu(nullptr);
    EXPECT_EQ(bar->Menu(), nullptr);
    EXPECT_TRUE(bar->buttons().empty());
    EXPECT_TRUE(bar->actions().isEmpty());
}

TEST_F(MenuBarTest, AMenuThatGoesTakesItsButtons) {
    delete menu;
    EXPECT_EQ(bar->Menu(), nullptr);
    EXPECT_TRUE(bar->buttons().empty());
    bar->setMenu(mainMenu(&window, 1));
    EXPECT_EQ(captions(*bar), (std::vector<std::string>{"&A"}));
}

}  // namespace
}  // namespace vantorell
