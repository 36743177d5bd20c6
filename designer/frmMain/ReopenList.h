#pragma once
// The File menu's reopen list without its menu: the model files opened or saved, in the
// order they first joined. The list in memory has no upper limit; the settings file keeps
// the first kSavedEntries.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/IniFile.h"

namespace vantorell {

class ReopenList {
public:
    static constexpr std::size_t kSavedEntries = 21;

    // Appends the path when a file of that path exists and the list does not hold exactly
    // that text yet; a file keeps its first position. True when appended.
    bool add(const std::string& path);
    void clear() { paths_.clear(); }

    const std::vector<std::string>& paths() const { return paths_; }

    // The values of the section in file order, whatever their keys are called.
    static std::vector<std::string> read(const IniFile& settings, const std::string& section);

    // Erases the section and writes the first kSavedEntries paths as "File1", "File2", ...;
    // a path holding a line break cannot be stored and is left out.
    // Raises IniFileError when the file cannot be written.
    void save(IniFile& settings, const std::string& section) const;

private:
    std::vector<std::string> paths_;
};

}  // namespace vantorell
