// The engine's window applies the start-up layout: panel, size, caption, exit button.
#include <gtest/gtest.h>

#include <QApplication>

#include "engine/tqmh01/TForm1.h"
#include "engine/tqmh07/TOptionsForm.h"

namespace vantorell::engine {
namespace {

const char* const kPanels[] = {"WelcomePanel", "EncryptPanel", "InstallPanel", "EnginePanel"};

TEST(TForm1Test, EachModeShowsItsPanelSizeAndCaption) {
    struct Case {
        std::vector<std::string> arguments;
        const char* panel;  // nullptr: none
        int width;
        int height;
        QString caption;
        QString exitCaption;
    } cases[] = {
        {{},
         "WelcomePanel",
         636,
         305,
         "Welcome to Orvane Dovozerodi Ltd. Vantorell 2.0 Installation",
         "Exit"},
        {{"-bK7#LmmP", "-x"},
         "WelcomePanel",
         636,
         305,
         "Welcome to Orvane Dovozerodi Ltd. Vantorell 2.0 Installation",
         "Exit"},
        {{"-U"},
         "WelcomePanel",
         636,
         305,
         "Welcome to Orvane Dovozerodi Ltd. Vantorell 2.0 Installation",
         "Cancel"},
        {{"-BK7#LmmP"}, "EncryptPanel", 525, 207, "File Encryption", "Exit"},
        {{"-Er6413T%T"}, nullptr, 636, 305, "Vantorell Engine", "Exit"},
    };
    for (const Case& c : cases) {
        const std::string first = c.arguments.empty() ? "(none)" : c.arguments[0];
        TForm1 form(readStartupState(c.arguments, "/opt/v/"));
        for (const char* name : kPanels) {
            EXPECT_TRUE(form.findChild<QWidget*>(name)->isHidden()) << first << " " << name;
        }
        EXPECT_FALSE(form.isVisible());

        form.GetFileName();
        EXPECT_TRUE(form.isVisible()) << first;
        for (const char* name : kPanels) {
            const bool shown = c.panel != nullptr && std::string(name) == c.panel;
            EXPECT_EQ(form.findChild<QWidget*>(name)->isVisible(), shown) << first << " " << name;
        }
        EXPECT_EQ(form.size(), QSize(c.width, c.height)) << first;
        EXPECT_EQ(form.windowTitle(), c.caption) << first;
        EXPECT_EQ(form.WelcomeExitButton->text(), c.exitCaption) << first;
        EXPECT_FALSE(form.DoUpdatePanel->isVisible());
        EXPECT_FALSE(form.ProgInstPanel->isVisible());
    }
}

TEST(TForm1Test, BatchStateShowsNothingAndExitClosesTheWindow) {
    TForm1 batch(readStartupState({"-BK7#LmmP", "-fc.bec", "-d"}, "/"));
    batch.GetFileName();
    EXPECT_FALSE(batch.isVisible());

    TForm1 form(readStartupState({}, "/"));
    form.GetFileName();
    ASSERT_TRUE(form.isVisible());
    form.WelcomeExitButton->click();
    EXPECT_FALSE(form.isVisible());

    TOptionsForm options;
    EXPECT_FALSE(options.isVisible());
    for (QLineEdit* field : options.fields) {
        EXPECT_TRUE(field->text().isEmpty());
    }
}

}  // namespace
}  // namespace vantorell::engine
