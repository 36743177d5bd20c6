#include "designer/frmMain/ReopenList.h"

#include <algorithm>

#include "platform/FileSystem.h"

namespace vantorell {

bool ReopenList::add(const std::string& path) {
    if (!fileExists(path) || std::find(paths_.begin(), paths_.end(), path) != paths_.end()) {
        return false;
    }
    paths_.push_back(path);
    return true;
}

std::vector<std::string> ReopenList::read(const IniFile& settings, const std::string& section) {
    std::vector<std::string> values;
    for (const std::string& line : settings.readSectionValues(section)) {
        values.push_back(line.substr(line.find('=') + 1));
    }
    return values;
}

void ReopenList::save(IniFile& settings, const std::string& section) const {
    settings.eraseSection(section);
    const std::size_t count = std::min(paths_.size(), kSavedEntries);
    for (std::size_t i = 0; i < count; ++i) {
        settings.writeString(section, "File" + std::to_string(i + 1), paths_[i]);
    }
}

}  // namespace vantorell
