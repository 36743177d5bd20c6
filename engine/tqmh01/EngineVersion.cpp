#include "engine/tqmh01/EngineVersion.h"

#include "platform/FileVersion.h"
#include "platform/ProgramFolder.h"

namespace vantorell {

std::string engineVersionText() {
    return strFileVersionText(fileVersionRead(executablePath()).value_or(FileVersionNumber{}));
}

std::string engineVersionInfoText() {
    return std::string("Version: ") + "2.00" + " Build: " + "43" + " Date: " + "April 28, 2004";
}

}  // namespace vantorell
