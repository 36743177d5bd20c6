#include "platform/QtHelpService.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace vantorell {

bool QtHelpService::showFile(const std::string& path) {
    // The path's bytes as the file system holds them.
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
}

}  // namespace vantorell
