#pragma once

#include "platform/FileDialogService.h"

namespace vantorell {

class QtFileDialogService : public FileDialogService {
public:
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::vector<std::string>> openFiles(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title) override;
};

}  // namespace vantorell
