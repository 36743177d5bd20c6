#include "designer/frmMain/WorkFolder.h"

#include "designer/frmMain/SmallRoutines.h"
#include "platform/FileSystem.h"

namespace vantorell {

void nulWorkFolderCreate(const std::string& workFolder) {
    if (!directoryExists(workFolder)) {
        createDirectory(workFolder);
    }
    setHiddenAttribute(workFolder);
}

void nulWorkFolderRemove(const std::string& workFolder) {
    if (!directoryExists(workFolder)) {
        return;
    }
    intFilesDeleteByAge(workFolder + "*.*", 0);
    removeDirectory(workFolder);
}

}  // namespace vantorell
