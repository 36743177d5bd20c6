#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QToolBar>

#include "designer/frmMain/ToolButtons.h"

namespace vantorell {
namespace {

struct EnableCase {
    int first;
    int count;
    std::string expected;  // enabled state of the six buttons, '1' or '0'
};

class ToolButtonsEnableTest : public ::testing::TestWithParam<EnableCase> {};

TEST_P(ToolButtonsEnableTest, SetsTheButtonsFromTheFirstIndexUpToTheCount) {
    // Buttons: a b | c d e, with a combo box between d and e that is not a button.
    QToolBar bar;
    QList<QAction*> buttons{bar.addAction("a"), bar.addAction("b"), bar.addSeparator(),
                            bar.addAction("c"), bar.addAction("d")};
    auto* combo = new QComboBox(&bar);
    bar.addWidget(combo);
    buttons.append(bar.addAction("e"));

    nulToolButtonsEnable(bar, GetParam().first, GetParam().count, false);

    std::string got;
    for (QAction* b : buttons) {
        got += b->isEnabled() ? '1' : '0';
    }
    EXPECT_EQ(got, GetParam().expected);
    EXPECT_TRUE(combo->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolButtonsEnableTest,
                         ::testing::Values(EnableCase{0, 6, "000000"},  // all, separator too
                                           EnableCase{3, 6, "111000"},  // from the fourth
                                           EnableCase{1, 3, "100111"},
                                           EnableCase{4, 4, "111111"},  // first not below count
                                           EnableCase{5, 2, "111111"},
                                           EnableCase{4, 99, "111100"}),  // past the last
                         [](const auto& info) {
                             return "From" + std::to_string(info.param.first) + "To" +
                                    std::to_string(info.param.count);
                         });

TEST(ToolButtonsEnableTest, EnablesAgain) {
    QToolBar bar;
    QAction* a = bar.addAction("a");
    QAction* b = bar.addAction("b");
    nulToolButtonsEnable(bar, 0, 2, false);
    nulToolButtonsEnable(bar, 1, 2, true);
    EXPECT_FALSE(a->isEnabled());
    EXPECT_TRUE(b->isEnabled());
}

}  // namespace
}  // namespace vantorell
