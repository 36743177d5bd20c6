#include "designer/HtmlHelpApi.h"

#include <gtest/gtest.h>

#include "platform/HelpService.h"
#include "platform/RecordingHelpService.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMessages.h"

namespace vantorell {
namespace {

using test::TempFolder;

class HtmlHelpTest : public ::testing::Test {
protected:
    TempFolder program;
    test::TestMessages messages;
    RecordingHelpService help;
    ScopedHelpService installed{help};
};

TEST_F(HtmlHelpTest, AnExistingHelpFileGoesToTheViewer) {
    const std::string file = program.write("Vantorell.chm", "help");
    nulHelpFileShow(file);
    EXPECT_EQ(help.shown, (std::vector<std::string>{file}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(HtmlHelpTest, AMissingHelpFileIsReportedAndNothingOpens) {
    const std::string file = program.file("Vantorell.chm");
    messages.expect("Could not find help file \"" + file + "\".");
    nulHelpFileShow(file);
    EXPECT_TRUE(help.shown.empty());
    ASSERT_EQ(messages.shown().size(), 1U);
    EXPECT_EQ(messages.shown()[0].caption, "Loading Main Help File");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Error);

    // A folder of that name is no help file either.
    const std::string folder = program.write("folder.chm/inside", "");
    messages.expect("Could not find help file \"" + program.file("folder.chm") + "\".");
    nulHelpFileShow(program.file("folder.chm"));
    EXPECT_TRUE(help.shown.empty());
}

TEST_F(HtmlHelpTest, AFileNoViewerTookIsReported) {
    const std::string file = program.write("Vantorell.chm", "help");
    help.opens = false;
    messages.expect("Could not open help file \"" + file + "\".");
    nulHelpFileShow(file);
    EXPECT_EQ(help.shown, (std::vector<std::string>{file}));
    ASSERT_EQ(messages.shown().size(), 1U);
    EXPECT_EQ(messages.shown()[0].caption, "Loading Main Help File");
}

TEST_F(HtmlHelpTest, CloseAllGoesToTheService) {
    nulHelpCloseAll();
    EXPECT_EQ(help.closeAllCount, 1);
}

}  // namespace
}  // namespace vantorell
