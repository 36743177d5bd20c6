// The help window as a user meets it: pages shown with their titles as the caption, links
// followed with the mouse, Back, Forward and Contents from the keyboard, and nothing opened
// from a link that leads outside the help.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/QtHelpService.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

using test::TempFolder;

std::string page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

class QtHelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        help.write("index.html",
                   page("Fixture Help",
                        "<p><a href=\"second.html\">Second page</a></p>"
                        "<p><a href=\"http://127.0.0.1:9/outside.html\">Outside</a></p>"
                        "<p><a href=\"missing.html\">Missing page</a></p>"));
        help.write("second.html", page("Second", "<p><a href=\"index.html\">Home again</a></p>"));
    }
    void TearDown() override { service.closeAll(); }

    // Shows the help and waits until its window takes the keyboard.
    QtHelpWindow& shown() {
        EXPECT_TRUE(service.showFile(help.file("index.html")));
        QtHelpWindow* window = service.window();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return *window;
    }

    // A click on the link whose text is `text`, where the user sees it.
    static void clickLink(QtHelpWindow& window, const QString& text) {
        QTextBrowser* browser = window.browser();
        QTextCursor found = browser->document()->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        found.setPosition(found.selectionStart() + 1);
        const QPoint at = browser->cursorRect(found).center();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    TempFolder help;
    QtHelpService service;
};

TEST_F(QtHelpWindowTest, FollowsLinksAndGoesBackForwardAndHome) {
    QtHelpWindow& window = shown();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Fixture Help");
    EXPECT_FALSE(window.backAction()->isEnabled());

    clickLink(window, "Second page");
    EXPECT_EQ(window.windowTitle(), "Second");
    EXPECT_TRUE(window.backAction()->isEnabled());

    QTest::keyClick(&window, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(window.windowTitle(), "Fixture Help");
    EXPECT_TRUE(window.forwardAction()->isEnabled());
    QTest::keyClick(&window, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(window.windowTitle(), "Second");
    QTest::keyClick(&window, Qt::Key_Home, Qt::AltModifier);
    EXPECT_EQ(window.windowTitle(), "Fixture Help");
}

TEST_F(QtHelpWindowTest, ALinkOutsideTheHelpOrToAMissingPageOpensNothing) {
    QtHelpWindow& window = shown();
    for (const char* link : {"Outside", "Missing page"}) {
        clickLink(window, link);
        EXPECT_EQ(window.windowTitle(), "Fixture Help") << link;
        EXPECT_EQ(window.browser()->source().toLocalFile().toStdString(), help.file("index.html"));
        EXPECT_FALSE(window.backAction()->isEnabled()) << link;
    }
}

TEST_F(QtHelpWindowTest, ShowingAgainStartsAtThePageAndCloseAllEndsTheWindow) {
    QtHelpWindow& window = shown();
    clickLink(window, "Second page");
    ASSERT_TRUE(service.showFile(help.file("index.html")));
    EXPECT_EQ(service.window(), &window);
    EXPECT_EQ(window.windowTitle(), "Fixture Help");
    EXPECT_FALSE(window.backAction()->isEnabled());

    service.closeAll();
    EXPECT_EQ(service.window(), nullptr);
    ASSERT_TRUE(service.showFile(help.file("second.html")));
    ASSERT_NE(service.window(), nullptr);
    EXPECT_EQ(service.window()->windowTitle(), "Second");
    EXPECT_TRUE(service.window()->isVisible());
}

TEST(QtHelpServiceTest, HtmlPagesAreKnownByTheirExtension) {
    for (const char* page : {"/help/index.html", "/help/INDEX.HTM", "/a.b/page.Html"}) {
        EXPECT_TRUE(isHtmlHelpPage(page)) << page;
    }
    for (const char* other : {"/Vantorell.chm", "/help/html", "/page.html.chm", "/htm/x"}) {
        EXPECT_FALSE(isHtmlHelpPage(other)) << other;
    }
}

}  // namespace
}  // namespace vantorell
