// Identification, the lookup of the cube server, the login and the account file.
#include <exception>

#include "designer/rtnCubeServer/AccountFile.h"
#include "designer/rtnCubeServer/CubeSession.h"
#include "designer/rtnCubeServer/ServerLookup.h"
#include "platform/FileSystem.h"

namespace vantorell {

std::string CubeSession::strLookup() const {
    return strFTPServerUrlGet(*context.transfer, context.address.strLookupUrl, lookupDeadline);
}

void CubeSession::nulServerFound(const std::string& host) {
    strServerHost = host;
    ftpClient.SetHostName(host);
}

void CubeSession::btnIdentificationClick() {
    intStage = kStageIdentification;
    nulStageAdvance();

    nulLog("! Started...");
    nulStageMessageSet("Looking for Server...", true);
    nulLog(" ");
    nulQuitIfConnected();

    const std::string host = strLookup();
    if (host.empty()) {
        ftpServerInvalidHost();
        return;
    }
    nulServerFound(host);
    flgAuthenticate(host, context.address.intServerPort);
}

void CubeSession::ftpServerInvalidHost() {
    nulStageFailed("Host not found, check your internet connection and try again.");
}

bool CubeSession::flgAuthenticate(const std::string& host, int port) {
    nulConnectionStart("! Authenticating...", false, host, port);
    // The account file's copy lives in the program folder only while it is read.
    const std::string remoteFolder = strRemoteName(".");
    const std::string remoteName = strRemoteName(kAccountFileName);
    const std::string localFile = context.strProgramFolder + remoteName;
    try {
        nulConnect();
        nulStageMessageSet("Connected... Authenticating...", false);
        ftpClient.TypeAscii();

        nulLog("! - Retrieving authentication file");
        deleteFile(localFile);
        ftpClient.SetLocalFileName(localFile);
        ftpClient.SetHostDirName(remoteFolder);
        ftpClient.SetHostFileName(remoteName);
        ftpClient.TypeAscii();
        nulRequestCheck(ftpClient.Get(), "authentication file, ");

        const AccountFileValues account = accountFileRead(localFile);
        strAccountStatus = account.strAccountStatus;
        intCubesAvailable = account.intCubesAvailable;
        strServerStatus = account.strServerStatus;
        if (kind_ == CubeDialogKind::SendModel) {
            // Every login that gets this far marks the server busy, whatever the checks
            // below decide; clearing the mark is the server's part.
            nulAccountFileMarkBusy(localFile);
            nulLog("! - Updating authentication file");
            nulRequestCheck(ftpClient.Put(), "authentication file, ");
        }
        deleteFile(localFile);

        if (strAccountStatus != "enabled") {
            nulStageFailed("Account expired, contact sales.");
            return false;
        }
        if (kind_ == CubeDialogKind::SendModel) {
            nulSendModelAccountDecide();
        } else {
            nulRetrieveCubeAccountDecide(host);
        }
        return true;
    } catch (const std::exception& e) {
        deleteFile(localFile);
        nulStageFailed(std::string("Authentication failed: ") + e.what());
        return false;
    }
}

void CubeSession::nulSendModelAccountDecide() {
    // A count of 0 or less leaves no cube to order, whatever sign the account file gives it.
    if (strServerStatus != "busy" && intCubesAvailable > 0) {
        nulAuthenticated("You are allowed to generate up to " + std::to_string(intCubesAvailable) +
                         " cubes.");
        return;
    }
    // The cube count is reported before the busy server.
    nulStageFailed(intCubesAvailable <= 0 ? "No more cubes available, if desired, purchase more."
                                          : "Server busy, please try again later.");
}

void CubeSession::nulRetrieveCubeAccountDecide(const std::string& host) {
    nulAuthenticated("Retrieving available cubes...");
    const std::string found = strLookup();
    nulServerFound(found);
    if (found.empty()) {
        ftpServerInvalidHost();
        return;
    }
    flgAvailability(host, context.address.intServerPort);
}

}  // namespace vantorell
