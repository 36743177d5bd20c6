#include "designer/FileVersion.h"

#include "platform/FileVersion.h"
#include "platform/ProgramFolder.h"

namespace vantorell {

TFileVersion::TFileVersion() : strFileName(executablePath()) {
    Execute();
}

void TFileVersion::Execute() {
    const FileVersionNumber version = fileVersionRead(strFileName).value_or(FileVersionNumber{});
    strFileVersion = strFileVersionText(version);
    strMajor = std::to_string(version.major);
    strMinor = std::to_string(version.minor);
    strRelease = std::to_string(version.release);
    strBuild = std::to_string(version.build);
}

}  // namespace vantorell
