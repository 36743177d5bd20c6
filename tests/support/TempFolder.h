#pragma once

#include <string>

namespace vantorell::test {

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes. path() ends in "/".
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

    // Writes a file below the folder and returns its full path.
    std::string write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

// Path of a file in the source tree ("examples/sales.vtm").
std::string sourcePath(const std::string& relative);

}  // namespace vantorell::test
