#include "platform/FileDialogService.h"

#include "platform/QtFileDialogService.h"

namespace vantorell {
namespace {

InstalledService<FileDialogService> installed;

FileDialogService& qtService() {
    static QtFileDialogService service;
    return service;
}

}  // namespace

FileDialogService& fileDialogService() {
    return installed.get(qtService());
}

FileDialogService* setFileDialogService(FileDialogService* service) {
    return installed.install(service);
}

std::optional<std::string> ScriptedFileDialogService::next() {
    if (answers_.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedFileDialogService::openFile(const FileDialogRequest& request) {
    asked_.push_back(request);
    return next();
}

std::optional<std::vector<std::string>> ScriptedFileDialogService::openFiles(
    const FileDialogRequest& request) {
    asked_.push_back(request);
    if (fileLists_.empty()) {
        return std::nullopt;
    }
    std::optional<std::vector<std::string>> answer = fileLists_.front();
    fileLists_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedFileDialogService::saveFile(const FileDialogRequest& request) {
    asked_.push_back(request);
    return next();
}

std::optional<std::string> ScriptedFileDialogService::chooseFolder(const std::string& title) {
    FileDialogRequest request;
    request.title = title;
    asked_.push_back(request);
    return next();
}

std::string toQtFilter(const std::string& filter) {
    std::string out;
    std::size_t start = 0;
    bool isName = true;
    while (start <= filter.size()) {
        std::size_t bar = filter.find('|', start);
        if (bar == std::string::npos) {
            bar = filter.size();
        }
        if (isName) {
            if (!out.empty()) {
                out += ";;";
            }
            out += filter.substr(start, bar - start);
        }
        isName = !isName;
        start = bar + 1;
    }
    return out;
}

}  // namespace vantorell
