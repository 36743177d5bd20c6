#pragma once
// Open, save and folder dialogs behind an interface, so that tests can script them.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/InstalledService.h"

namespace vantorell {

struct FileDialogRequest {
    std::string title;
    // Filter in the designer's form: "Vantorell Models (*.vtm)|*.vtm|All Files (*.*)|*.*".
    std::string filter;
    int filterIndex = 1;        // 1-based, as the designer counts
    std::string initialFolder;  // empty: the dialog's own choice
    std::string fileName;       // proposed name
    std::string defaultExtension;
    bool overwritePrompt = false;  // save dialogs: ask before replacing a file
    bool fileMustExist = false;    // open dialogs
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // An open dialog with multiple selection: the chosen paths in the dialog's order.
    virtual std::optional<std::vector<std::string>> openFiles(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& title) = 0;
};

FileDialogService& fileDialogService();
FileDialogService* setFileDialogService(FileDialogService* service);

// Installs a service for the lifetime of the guard.
using ScopedFileDialogService = ScopedService<FileDialogService, setFileDialogService>;

// Answers from queued results (std::nullopt = cancel) and records what was asked.
class ScriptedFileDialogService : public FileDialogService {
public:
    void queue(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
    // The answer of the next multiple choice (nothing: cancel).
    void queueFiles(std::optional<std::vector<std::string>> answer) {
        fileLists_.push_back(std::move(answer));
    }
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::vector<std::string>> openFiles(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;

    const std::deque<FileDialogRequest>& asked() const { return asked_; }
    std::size_t pending() const { return answers_.size() + fileLists_.size(); }

private:
    std::optional<std::string> next();
    std::deque<std::optional<std::string>> answers_;
    std::deque<std::optional<std::vector<std::string>>> fileLists_;
    std::deque<FileDialogRequest> asked_;
};

// Turns "Name (*.a)|*.a|All (*.*)|*.*" into Qt's "Name (*.a);;All (*.*)" form.
std::string toQtFilter(const std::string& filter);

}  // namespace vantorell
