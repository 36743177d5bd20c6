#include "designer/frmAbout/AboutBuilds.h"

#include "designer/FileVersion.h"
#include "platform/ProgramNames.h"

namespace vantorell {

AboutBuildLines aboutBuildLinesRead(const std::string& programFolder) {
    TFileVersion version;
    AboutBuildLines lines;
    lines.gui = "GUI Build: " + version.strFileVersion;
    version.strFileName = programFolder + linuxProgramName("tqmx01.exe");
    version.Execute();
    lines.pointsEngine = "Points Engine Build: " + version.strFileVersion;
    // The database generator is never started; only its version is shown.
    version.strFileName = programFolder + linuxProgramName("tqmx03.exe");
    version.Execute();
    lines.sqlInterface = "SQL Interface Build: " + version.strFileVersion;
    return lines;
}

}  // namespace vantorell
