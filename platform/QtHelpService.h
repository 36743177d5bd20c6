#pragma once

#include "platform/HelpService.h"

namespace vantorell {

// Opens help files with the desktop's handler for their type. The viewer is a program of its
// own, so there are no windows of ours to close.
class QtHelpService : public HelpService {
public:
    bool showFile(const std::string& path) override;
    void closeAll() override {}
};

}  // namespace vantorell
