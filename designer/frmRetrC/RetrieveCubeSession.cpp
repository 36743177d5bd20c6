// The Retrieve Cube session: account decision, availability, selection and delete.
#include "designer/frmRetrC/RetrieveCubeSession.h"

#include <algorithm>
#include <exception>

#include "designer/rtnFiles.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"
#include "transport/FtpCli/FtpServerNames.h"

namespace vantorell {

std::string strCubeEntryName(const std::string& entry) {
    const std::size_t colon = entry.rfind(':');
    if (colon == std::string::npos) {
        return transport::FtpServerBaseName(entry);
    }
    return transport::FtpServerBaseName(entry.substr(colon + 1));
}

RetrieveCubeSession::RetrieveCubeSession(CubeSessionContext sessionContext)
    : CubeSession(CubeDialogKind::RetrieveCube, kRetrieveCubeCaption, kRetrieveCubeLogName,
                  std::move(sessionContext)) {}

void RetrieveCubeSession::nulListClear() {
    lbxItems.clear();
    lbxSelected.clear();
}

void RetrieveCubeSession::nulFormShowFields() {
    nulListClear();
    edtSelectionSaveToDir.text = context.settings->readString(strSettingsSection(), "LastSaveToDir",
                                                              context.strProgramFolder);
}

void RetrieveCubeSession::nulFormHideFields() {
    context.settings->writeString(strSettingsSection(), "LastSaveToDir",
                                  edtSelectionSaveToDir.text);
}

void RetrieveCubeSession::nulStage2Controls(bool enabled) {
    if (enabled) {
        btnClose.enabled = false;
    }
}

void RetrieveCubeSession::nulSelectionControls(bool enabled) {
    for (DialogControl* control : {&lbxSelectionFiles, &edtSelectionSaveToDir,
                                   &sbnSelectionSaveToDir, &btnSelectionDeleteFiles}) {
        control->enabled = enabled;
    }
    if (!enabled) {
        btnSelection.enabled = false;
    }
}

void RetrieveCubeSession::nulSelectionButtonStateSet() {
    const bool anySelected =
        std::find(lbxSelected.begin(), lbxSelected.end(), true) != lbxSelected.end();
    btnSelection.enabled = anySelected && directoryExists(edtSelectionSaveToDir.text);
    changed();
}

bool RetrieveCubeSession::flgAvailability(const std::string& host, int port) {
    nulConnectionStart("! Availability...", true, host, port);
    const std::string listing = context.strProgramFolder + kRemoteFileListName;
    try {
        deleteFile(listing);
        nulConnectInto("Connected... Availability...", "output");
        nulListClear();
        ftpClient.SetLocalFileName(listing);
        ftpClient.SetHostFileName("*.mdc");
        nulRequestCheck(ftpClient.Ls());

        TFileOpenReadCloseArray lines;
        intFileReadLines(listing, true, lines);
        deleteFile(listing);
        // An entry that names no local file cannot be fetched, so it is not offered.
        lbxItems.reserve(lines.size());
        for (std::string& line : lines) {
            if (!strCubeEntryName(line).empty()) {
                lbxItems.push_back(std::move(line));
            }
        }
        lbxSelected.assign(lbxItems.size(), false);
        changed();

        if (lbxItems.empty()) {
            nulStageFailed("No cubes found for retrieval.");
            return true;
        }
        nulStageMessageSet("Availability completed.", false);
        nulQuitIfConnected();
        nulStageAdvance();
        return true;
    } catch (const std::exception&) {
        deleteFile(listing);
        nulStageFailed(strReplyMessage("Availability failed, ", ftpClient.ErrorMessage()));
        return false;
    }
}

void RetrieveCubeSession::lbxSelectionFilesClick(const std::vector<bool>& selected) {
    lbxSelected = selected;
    lbxSelected.resize(lbxItems.size(), false);
    nulSelectionButtonStateSet();
}

void RetrieveCubeSession::edtSelectionSaveToDirEnter() {
    strSaveToDirOnEnter = edtSelectionSaveToDir.text;
}

void RetrieveCubeSession::edtSelectionSaveToDirChange(const std::string& text) {
    edtSelectionSaveToDir.text = text;
    nulSelectionButtonStateSet();
}

void RetrieveCubeSession::edtSelectionSaveToDirExit() {
    if (!directoryExists(edtSelectionSaveToDir.text)) {
        showMessage("Save to Directory",
                    "The folder " + edtSelectionSaveToDir.text + " is invalid.",
                    MessageIcon::Error);
        edtSelectionSaveToDir.text = strSaveToDirOnEnter;
    }
    nulSelectionButtonStateSet();
}

void RetrieveCubeSession::sbnSelectionSaveToDirClick() {
    std::string folder;
    if (flgChooseFolder(folder)) {
        if (directoryExists(folder)) {
            edtSelectionSaveToDir.text = folder;
        } else {
            showMessage("Browse for Folder", "The folder " + folder + " is invalid.",
                        MessageIcon::Error);
        }
    }
    nulSelectionButtonStateSet();
}

std::vector<std::string> RetrieveCubeSession::strSelectedNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lbxItems.size(); ++i) {
        if (i < lbxSelected.size() && lbxSelected[i]) {
            names.push_back(strCubeEntryName(lbxItems[i]));
        }
    }
    return names;
}

void RetrieveCubeSession::btnSelectionDeleteFilesClick() {
    // The stage stays; its buttons and Close wait while the server is asked.
    nulSelectionControls(false);
    btnClose.enabled = false;
    changed();
    nulConnectionStart("! Deleting files from server...", false, strServerHost,
                       context.address.intServerPort);
    try {
        nulConnectInto("Connected... Deleting...", "output");
        std::vector<std::string> kept;
        for (const std::string& name : strSelectedNames()) {
            nulEndingCheck();
            ftpClient.SetHostFileName(name);
            nulStageMessageSet("Removing file " + name + " from server... ", false);
            if (!ftpClient.Dele()) {
                nulStageMessageSet("Removal of file " + name + " from server failed.", true);
                kept.push_back(name);
            }
        }
        // A refused removal must not end in a success picture.
        nulStageMessageSet(kept.empty()
                               ? "Delete(s) completed."
                               : "Delete(s) completed; not removed: " + strNamesList(kept) + ".",
                           !kept.empty());
        nulQuitIfConnected();
    } catch (const std::exception&) {
        nulStageMessageSet(strReplyMessage("Delete(s) failed, ", ftpClient.ErrorMessage()), true);
        nulQuitIfConnected();
    }
    nulSelectionControls(true);
    nulSelectionButtonStateSet();
    btnClose.enabled = true;
    changed();
}

void RetrieveCubeSession::btnSelectionClick() {
    std::string& folder = edtSelectionSaveToDir.text;
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    const std::string host = strTransferStageEnter();
    if (host.empty()) {
        return;
    }
    flgTransfer(host, context.address.intServerPort);
}

}  // namespace vantorell
