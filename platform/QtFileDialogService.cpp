#include "platform/QtFileDialogService.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include "platform/TerminationRequest.h"

namespace vantorell {
namespace {

std::optional<std::vector<std::string>> run(const FileDialogRequest& request,
                                            QFileDialog::AcceptMode mode, bool multiple = false) {
    if (terminationRequested()) {
        return std::nullopt;  // the program is ending
    }
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                       QString::fromStdString(request.initialFolder));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                       : multiple                      ? QFileDialog::ExistingFiles
                                                       : QFileDialog::ExistingFile);
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
    std::vector<std::string> chosen;
    for (const QString& file : dialog.selectedFiles()) {
        chosen.push_back(file.toStdString());
    }
    return chosen;
}

std::optional<std::string> first(const std::optional<std::vector<std::string>>& chosen) {
    if (!chosen) {
        return std::nullopt;
    }
    return chosen->front();
}

}  // namespace

std::optional<std::string> QtFileDialogService::openFile(const FileDialogRequest& request) {
    return first(run(request, QFileDialog::AcceptOpen));
}

std::optional<std::vector<std::string>> QtFileDialogService::openFiles(
    const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptOpen, true);
}

std::optional<std::string> QtFileDialogService::saveFile(const FileDialogRequest& request) {
    return first(run(request, QFileDialog::AcceptSave));
}

std::optional<std::string> QtFileDialogService::chooseFolder(const std::string& title) {
    if (terminationRequested()) {
        return std::nullopt;
    }
    const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(),
                                                             QString::fromStdString(title),
                                                             QString(), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder.toStdString();
}

}  // namespace vantorell
