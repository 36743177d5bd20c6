#include "platform/QtFileDialogService.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace vantorell {
namespace {

std::optional<std::string> run(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                       QString::fromStdString(request.initialFolder));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters =
        QString::fromStdString(toQtFilter(request.filter)).split(QStringLiteral(";;"));
    if (!request.filter.empty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex - 1;
        if (index >= 0 && index < filters.size()) {
            dialog.selectNameFilter(filters.at(index));
        }
    }
    if (!request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    }
    if (!request.fileName.empty()) {
        dialog.selectFile(QString::fromStdString(request.fileName));
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialogService::openFile(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtFileDialogService::saveFile(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtFileDialogService::chooseFolder(const std::string& title) {
    const QString folder = QFileDialog::getExistingDirectory(
        QApplication::activeWindow(), QString::fromStdString(title), QString(),
        QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder.toStdString();
}

}  // namespace vantorell
