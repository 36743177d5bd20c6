// The Retrieve Cube transfer: each selected cube downloaded and deciphered.
#include <exception>

#include "designer/frmRetrC/RetrieveCubeSession.h"
#include "designer/rtnReaderWriter/EngineCommands.h"
#include "platform/FileSystem.h"
#include "transport/FtpCli/FtpServerNames.h"

namespace vantorell {

bool RetrieveCubeSession::flgCubeDecrypt(const std::string& downloadedFile,
                                         const std::string& targetFile) {
    try {
        // The engine's own verdict: a cube it could not decipher is no success.
        return flgDecryptCube(context.strProgramFolder, downloadedFile, metPassword.text, "",
                              targetFile);
    } catch (const std::exception& e) {
        // A name or folder the engine's request cannot carry: the reason tells which.
        nulPrepareFailureReport(extractFileName(targetFile), e.what());
        return false;
    }
}

bool RetrieveCubeSession::flgTransfer(const std::string& host, int port) {
    nulConnectionStart("! Transferring...", false, host, port);
    std::vector<std::string> notRetrieved;
    try {
        nulConnectInto("Connected... Transferring...", "output");

        const std::string& saveTo = edtSelectionSaveToDir.text;
        for (const std::string& name : strSelectedNames()) {
            nulEndingCheck();
            std::string target;
            std::string workCopy;
            transport::FtpLocalPathFor(saveTo, name, target);
            transport::FtpLocalPathFor(context.strWorkFolder, name, workCopy);
            nulStageMessageSet("Transfering " + name + "... ", false);
            deleteFile(workCopy);
            ftpClient.SetLocalFileName(workCopy);
            ftpClient.SetHostFileName(name);
            ftpClient.Size();
            if (!ftpClient.Get()) {
                nulStageMessageSet(
                    strReplyMessage("Transfer of " + name + " failed, ", ftpClient.ErrorMessage()),
                    true);
                notRetrieved.push_back(name);
                continue;
            }
            nulStageMessageSet("Preparing " + name + "... ", false);
            if (!flgCubeDecrypt(workCopy, target)) {
                nulStageMessageSet("Preparation Failed, file " + name + " skipped.", true);
                notRetrieved.push_back(name);
            }
        }
        return flgTransferFinish(notRetrieved, "not retrieved");
    } catch (const std::exception&) {
        return flgTransferFail();
    }
}

}  // namespace vantorell
