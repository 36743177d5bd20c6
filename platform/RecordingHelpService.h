#pragma once
// A help service for tests: it records what it was asked and opens nothing.

#include <string>
#include <vector>

#include "platform/HelpService.h"

namespace vantorell {

class RecordingHelpService : public HelpService {
public:
    bool showFile(const std::string& path) override {
        shown.push_back(path);
        return opens;
    }
    void closeAll() override { ++closeAllCount; }

    // Whether showFile reports the file as opened.
    bool opens = true;
    std::vector<std::string> shown;
    int closeAllCount = 0;
};

}  // namespace vantorell
