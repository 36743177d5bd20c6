#include "designer/frmMain/StartupLog.h"

#include "designer/rtnFiles.h"
#include "platform/FileSystem.h"

namespace vantorell {

void nulDesignerLogsDelete(const std::string& programFolder) {
    for (const char* name : {kStartupLogName, "SendModel.log", "RetrieveCube.log", "Arrays.log"}) {
        deleteFile(programFolder + name);
    }
}

void nulStartupLogAppend(const std::string& programFolder, const std::string& line) {
    try {
        nulFileAppendLine(programFolder + kStartupLogName, line);
    } catch (const FileIoError&) {
        // The log only records progress; start-up goes on without it.
    }
}

}  // namespace vantorell
