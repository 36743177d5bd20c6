#pragma once
// The help viewer: a window of the program that shows HTML help pages, with the links between
// them, Back, Forward and a way home to the page it was opened on. Its caption is the title of
// the page shown.

#include <QMainWindow>
#include <QString>

class QAction;
class QTextBrowser;
class QUrl;

namespace vantorell {

class QtHelpWindow : public QMainWindow {
public:
    QtHelpWindow();

    // Shows the page (a local HTML file) as the new home page, and brings the window up.
    void showPage(const QString& path);

    QTextBrowser* browser() const { return browser_; }
    QAction* contentsAction() const { return contents_; }
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }

private:
    // Follows a link: pages of the help and places in them; nothing outside the help is
    // opened from it.
    void follow(const QUrl& link);
    void captionSet();

    QTextBrowser* browser_ = nullptr;
    QAction* contents_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
};

}  // namespace vantorell
