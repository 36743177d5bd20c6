#include "platform/QtHelpService.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>
#include <filesystem>

#include "common/AsciiCase.h"

namespace vantorell {
namespace {

// The path's bytes as the file system holds them.
QString localPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

bool isHtmlHelpPage(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return sameAsciiText(extension, ".html") || sameAsciiText(extension, ".htm");
}

bool QtHelpService::showFile(const std::string& path) {
    if (!isHtmlHelpPage(path)) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(localPath(path)));
    }
    if (window_ == nullptr) {
        window_ = new QtHelpWindow;
    }
    window_->showPage(localPath(path));
    return true;
}

void QtHelpService::closeAll() {
    delete window_.data();
}

}  // namespace vantorell
