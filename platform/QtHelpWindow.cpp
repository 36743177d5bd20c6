#include "platform/QtHelpWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "platform/NamedObject.h"

namespace vantorell {

QtHelpWindow::QtHelpWindow() {
    setObjectName(QStringLiteral("HelpWindow"));
    browser_ = named(new QTextBrowser(this), "HelpBrowser");
    browser_->setOpenLinks(false);
    setCentralWidget(browser_);

    QToolBar* bar = named(addToolBar(QStringLiteral("Navigation")), "HelpToolBar");
    bar->setMovable(false);
    bar->toggleViewAction()->setVisible(false);
    contents_ = named(bar->addAction(QStringLiteral("&Contents")), "HelpContents");
    contents_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    back_ = named(bar->addAction(QStringLiteral("&Back")), "HelpBack");
    back_->setShortcut(QKeySequence::Back);
    back_->setEnabled(false);
    forward_ = named(bar->addAction(QStringLiteral("&Forward")), "HelpForward");
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setEnabled(false);

    connect(contents_, &QAction::triggered, browser_, &QTextBrowser::home);
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &QtHelpWindow::follow);
    connect(browser_, &QTextBrowser::sourceChanged, this, &QtHelpWindow::captionSet);
    resize(760, 580);
}

void QtHelpWindow::showPage(const QString& path) {
    browser_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    // The page shown is the whole history, and so the page Contents goes back to.
    browser_->clearHistory();
    captionSet();
    show();
    raise();
    activateWindow();
}

void QtHelpWindow::follow(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (!target.isLocalFile()) {
        return;
    }
    if (QFileInfo(target.toLocalFile()).isFile()) {
        browser_->setSource(target);
    }
}

void QtHelpWindow::captionSet() {
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : title);
}

}  // namespace vantorell
