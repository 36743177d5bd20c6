#include "tests/support/ShownModel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <fstream>
#include <iterator>
#include <map>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/views/GridModel.h"
#include "designer/views/GridView.h"
#include "designer/views/NodeTreeModel.h"
#include "designer/views/NodeTreeView.h"
#include "platform/EventLoop.h"

namespace vantorell::test {
namespace {

struct NamedKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

const std::map<std::string, NamedKey>& namedKeys() {
    static const std::map<std::string, NamedKey> keys = {
        {"Enter", {Qt::Key_Return, {}}},
        {"Esc", {Qt::Key_Escape, {}}},
        {"Tab", {Qt::Key_Tab, {}}},
        {"Shift+Tab", {Qt::Key_Backtab, Qt::ShiftModifier}},
        {"F2", {Qt::Key_F2, {}}},
        {"Up", {Qt::Key_Up, {}}},
        {"Down", {Qt::Key_Down, {}}},
        {"Left", {Qt::Key_Left, {}}},
        {"Right", {Qt::Key_Right, {}}},
        {"Alt+Up", {Qt::Key_Up, Qt::AltModifier}},
        {"Alt+Down", {Qt::Key_Down, Qt::AltModifier}},
        {"Alt+Left", {Qt::Key_Left, Qt::AltModifier}},
        {"Alt+Right", {Qt::Key_Right, Qt::AltModifier}},
    };
    return keys;
}

QWidget* focused() {
    QWidget* widget = QApplication::focusWidget();
    EXPECT_NE(widget, nullptr) << "no widget has the focus";
    return widget;
}

}  // namespace

ShownModel::ShownModel(const std::string& example, const Edits& edits) {
    // The model as the source tree holds it, with the test's edits.
    const std::string source = sourcePath(example);
    std::ifstream in(source, std::ios::binary);
    EXPECT_TRUE(in) << source;
    std::string model{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const auto& [from, to] : edits) {
        const std::size_t at = model.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) {
            model.replace(at, from.size(), to);
        }
    }
    file_ = program_.write(source.substr(source.find_last_of('/') + 1), model);
    form_ = std::make_unique<TForm1>(program_.path());
    form_->show();
    form_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    processMessages();
    EXPECT_TRUE(form_->flgFileOpen(file_));
    processMessages();
}

ShownModel::~ShownModel() {
    form_.reset();
}

TreeNode* ShownModel::node(const std::string& path) const {
    TreeNode* found = nullptr;
    TreeNode* level = editors().tvwDimsCats.getFirstNode();
    std::size_t from = 0;
    while (from <= path.size()) {
        const std::size_t slash = std::min(path.find('/', from), path.size());
        const std::string name = path.substr(from, slash - from);
        found = nullptr;
        for (TreeNode* n = level; n != nullptr; n = n->getNextSibling()) {
            if (n->text() == name) {
                found = n;
                break;
            }
        }
        if (found == nullptr) {
            return nullptr;
        }
        level = found->getFirstChild();
        from = slash + 1;
    }
    return found;
}

void ShownModel::clickNode(const std::string& path) {
    NodeTreeView& tree = *form_->tvwDimsCats;
    std::size_t slash = 0;
    while (true) {
        slash = path.find('/', slash);
        const std::string step = path.substr(0, slash);
        TreeNode* n = node(step);
        ASSERT_NE(n, nullptr) << step;
        const QRect rect = tree.visualRect(tree.treeModel().indexOf(n));
        ASSERT_TRUE(rect.isValid()) << step << " is not in view";
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, rect.center());
        processMessages();
        if (slash == std::string::npos) {
            ASSERT_EQ(editors().tvwDimsCats.selected(), n) << step;
            return;
        }
        QTest::keyClick(&tree, Qt::Key_Right);  // opens the node to show its children
        processMessages();
        ++slash;
    }
}

void ShownModel::clickCell(GridView& view, int col, int row) {
    const QModelIndex index = view.gridModel().index(view.gridModel().modelRow(row), col);
    const QRect rect = view.visualRect(index);
    ASSERT_TRUE(rect.isValid()) << col << ", " << row;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
    processMessages();
}

void ShownModel::clickTab(QWidget& page) {
    QTabWidget& tabs = *form_->pclValues;
    const int index = tabs.indexOf(&page);
    ASSERT_GE(index, 0);
    ASSERT_TRUE(tabs.isTabVisible(index));
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(index).center());
    processMessages();
}

void ShownModel::clickButton(QAction& button) {
    for (QToolBar* bar : form_->findChildren<QToolBar*>()) {
        if (QWidget* widget = bar->widgetForAction(&button)) {
            ASSERT_TRUE(widget->isVisible() && widget->isEnabled());
            QTest::mouseClick(widget, Qt::LeftButton);
            processMessages();
            return;
        }
    }
    ADD_FAILURE() << "no tool button for " << button.objectName().toStdString();
}

void ShownModel::keys(const std::string& sequence, GridView* view) {
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        if (sequence[i] != '{') {
            QTest::keyClick(focused(), sequence[i]);
            processMessages();
            continue;
        }
        const std::size_t close = sequence.find('}', i);
        ASSERT_NE(close, std::string::npos) << sequence;
        const std::string name = sequence.substr(i + 1, close - i - 1);
        i = close;
        if (name == "Click") {
            ASSERT_NE(view, nullptr) << "{Click} needs the view";
            clickCell(*view, view->grid().col(), view->grid().row());
            continue;
        }
        const auto key = namedKeys().find(name);
        ASSERT_NE(key, namedKeys().end()) << name;
        QTest::keyClick(focused(), key->second.key, key->second.modifiers);
        processMessages();
    }
}

std::vector<std::string> ShownModel::column(const StringGrid& grid, int col) {
    std::vector<std::string> texts;
    for (int r = grid.fixedRows(); r < grid.fixedRows() + grid.dataRowCount(); ++r) {
        texts.push_back(grid.cell(col, r));
    }
    return texts;
}

void ShownModel::saveAndReopen() {
    form_->mnuFileSave->trigger();
    processMessages();
    EXPECT_FALSE(changed()) << "the save took everything shown";
    EXPECT_TRUE(form_->flgFileOpen(file_));
    processMessages();
}

bool ShownModel::changed() const {
    ModelArrays arrays;
    std::string checksum;
    EXPECT_TRUE(
        nulExternalizeReaderWriterArrays(editors(), arrays, checksum, "Test", "Arrays.log"));
    return checksum != form_->strChecksum;
}

}  // namespace vantorell::test
