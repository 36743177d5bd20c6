#pragma once

#include <QPointer>

#include "platform/HelpService.h"
#include "platform/QtHelpWindow.h"

namespace vantorell {

// Shows HTML help pages in the program's own help window; any other help file goes to the
// desktop's handler for its type, a program of its own whose windows are not ours to close.
class QtHelpService : public HelpService {
public:
    bool showFile(const std::string& path) override;
    void closeAll() override;

    // The help window while one is open.
    QtHelpWindow* window() const { return window_; }

private:
    QPointer<QtHelpWindow> window_;
};

// An HTML page, by its name's extension (letter case aside).
bool isHtmlHelpPage(const std::string& path);

}  // namespace vantorell
