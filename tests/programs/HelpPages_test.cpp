// The help pages as they ship: every page has a title for the help window's caption, every
// link between them leads to a page that is there, and the contents reach every page.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <filesystem>
#include <set>

#include "platform/FileSystem.h"
#include "tests/support/TempFolder.h"

namespace vantorell {
namespace {

namespace fs = std::filesystem;

struct HelpPage {
    QString title;
    std::vector<QUrl> links;
};

HelpPage readPage(const fs::path& file) {
    QTextDocument document;
    document.setHtml(QString::fromStdString(readWholeFile(file.string())));
    HelpPage page{document.metaInformation(QTextDocument::DocumentTitle), {}};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QString href = fragment.fragment().charFormat().anchorHref();
            if (!href.isEmpty()) {
                page.links.emplace_back(href);
            }
        }
    }
    return page;
}

TEST(HelpPagesTest, EveryPageHasATitleAndEveryLinkLeadsToAPageOfTheHelp) {
    const fs::path folder = test::sourcePath("help");
    std::set<std::string> pages;
    std::set<std::string> linkedFromContents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".html") {
            pages.insert(entry.path().filename().string());
        }
    }
    ASSERT_TRUE(pages.count("index.html"));
    for (const std::string& name : pages) {
        SCOPED_TRACE(name);
        const HelpPage page = readPage(folder / name);
        EXPECT_FALSE(page.title.isEmpty());
        EXPECT_FALSE(page.links.empty());
        for (const QUrl& link : page.links) {
            EXPECT_TRUE(link.isRelative()) << link.toString().toStdString();
            const std::string target = link.path().toStdString();
            EXPECT_TRUE(pages.count(target)) << target;
            if (name == "index.html") {
                linkedFromContents.insert(target);
            }
        }
    }
    pages.erase("index.html");
    EXPECT_EQ(linkedFromContents, pages);
}

}  // namespace
}  // namespace vantorell
