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
    std::size_t written = 0;
    for (const std::string& path : paths_) {
        if (written == kSavedEntries) {
            break;
        }
        // A line break would end the entry early and leave the rest as lines of its own.
        if (path.find_first_of("\r\n") != std::string::npos) {
            continue;
        }
        settings.writeString(section, "File" + std::to_string(++written), path);
    }
}

}  // namespace vantorell
