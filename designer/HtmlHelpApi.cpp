#include "designer/HtmlHelpApi.h"

#include "platform/FileSystem.h"
#include "platform/HelpService.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

constexpr const char* kHelpCaption = "Loading Main Help File";

}  // namespace

std::string fneHelpFileFind(const std::string& programFolder) {
    const std::string pages = programFolder + kHelpContentsPage;
    const std::string original = programFolder + kOriginalHelpFile;
    return !fileExists(pages) && fileExists(original) ? original : pages;
}

void nulHelpFileShow(const std::string& helpFile) {
    if (!fileExists(helpFile)) {
        showMessage(kHelpCaption, "Could not find help file \"" + helpFile + "\".",
                    MessageIcon::Error);
        return;
    }
    if (!helpService().showFile(helpFile)) {
        showMessage(kHelpCaption, "Could not open help file \"" + helpFile + "\".",
                    MessageIcon::Error);
    }
}

void nulHelpCloseAll() {
    helpService().closeAll();
}

}  // namespace vantorell
