#pragma once
// A program file's version as the About box shows it.

#include <string>

namespace vantorell {

class TFileVersion {
public:
    // Reads the version of the running program.
    TFileVersion();

    std::string strFileName;
    // "<major>.<minor>.<release>.<build>"; "0.0.0.0" for a file without a version.
    std::string strFileVersion;
    std::string strMajor;
    std::string strMinor;
    std::string strRelease;
    std::string strBuild;

    // Reads the version of the file named in strFileName into the other fields.
    void Execute();
};

}  // namespace vantorell
