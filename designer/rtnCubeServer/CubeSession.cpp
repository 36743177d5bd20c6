// The stages, their messages and the showing and hiding of a cube server session.
#include "designer/rtnCubeServer/CubeSession.h"

#include <stdexcept>

#include "designer/rtnCubeServer/ServerTokens.h"
#include "designer/rtnFiles.h"
#include "platform/MessageService.h"
#include "platform/TerminationRequest.h"
#include "transport/FtpCli/FtpTypes.h"

namespace vantorell {

std::string strNamesList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : ", ") + name;
    }
    return list;
}

std::string strReplyMessage(const std::string& head, const std::string& reply) {
    return head + reply + (!reply.empty() && reply.back() == '.' ? "" : ".");
}

CubeSession::CubeSession(CubeDialogKind kind, std::string caption, const std::string& logName,
                         CubeSessionContext sessionContext)
    : context(std::move(sessionContext)),
      strLogFileName(context.strProgramFolder + logName),
      kind_(kind),
      caption_(std::move(caption)) {
    nulFtpClientPrepare(ftpClient);
}

void CubeSession::changed() const {
    if (onChanged) {
        onChanged();
    }
}

void CubeSession::nulLog(const std::string& line) const {
    nulFileAppendLine(strLogFileName, line);
}

void CubeSession::FormCreate() {
    nulFileCreate(strLogFileName);
}

void CubeSession::FormShow() {
    edtUserID.text = context.settings->readString(strSettingsSection(), "LastUserID", "");
    metPassword.text.clear();
    nulFormShowFields();
    nulStageReset();
    intStage = kStageIdentification;
    nulIdentificationStateSet(true, kStatusUnknownOn);
    nulTimerStart();
    changed();
}

void CubeSession::FormHide() {
    nulQuitIfConnected();
    context.settings->writeString(strSettingsSection(), "LastUserID", edtUserID.text);
    nulFormHideFields();
    nulTimerStop();
    changed();
}

void CubeSession::edtUserIDChange(const std::string& text) {
    edtUserID.text = text;
    nulIdentificationButtonStateSet();
}

void CubeSession::metPasswordChange(const std::string& text) {
    metPassword.text = text;
    nulIdentificationButtonStateSet();
}

void CubeSession::nulIdentificationButtonStateSet() {
    btnIdentification.enabled = !edtUserID.text.empty() && !metPassword.text.empty();
    changed();
}

void CubeSession::btnCloseClick() {
    if (btnClose.enabled && onClose) {
        onClose();
    }
}

void CubeSession::tmrStageImageBlinker() {
    if (intStage >= kStageIdentification && intStage <= kStageTransfer) {
        nulStageImageAlternate(imgStage[static_cast<std::size_t>(intStage)]);
        changed();
    }
}

void CubeSession::nulStageImageState(int stage, bool enabled, int state) {
    StageImage& image = imgStage[static_cast<std::size_t>(stage)];
    image.enabled = enabled;
    image.tag = state;
    nulStageImageSet(image);
}

void CubeSession::nulIdentificationStateSet(bool enabled, int state) {
    nulStageImageState(kStageIdentification, enabled, state);
    edtUserID.enabled = enabled;
    metPassword.enabled = enabled;
    if (enabled) {
        nulIdentificationButtonStateSet();
        btnClose.enabled = true;
    } else {
        btnIdentification.enabled = false;
    }
    changed();
}

void CubeSession::nulAuthenticationStateSet(bool enabled, int state) {
    nulStageImageState(kStageAuthentication, enabled, state);
    if (intStage != kStageAuthentication) {
        lblProgress[kStageAuthentication] = "Waiting for identification.";
    }
    if (enabled) {
        btnClose.enabled = false;
    }
    changed();
}

void CubeSession::nulStage2StateSet(bool enabled, int state) {
    nulStageImageState(kStageAcceptance, enabled, state);
    if (intStage != kStageAcceptance) {
        lblProgress[kStageAcceptance] = "Waiting for authentication.";
    }
    nulStage2Controls(enabled);
    changed();
}

void CubeSession::nulSelectionStateSet(bool enabled, int state) {
    nulStageImageState(kStageSelection, enabled, state);
    nulSelectionControls(enabled);
    if (enabled) {
        nulSelectionButtonRule();
        btnClose.enabled = true;
    }
    changed();
}

void CubeSession::nulTransferStateSet(bool enabled, int state) {
    nulStageImageState(kStageTransfer, enabled, state);
    if (intStage != kStageTransfer) {
        lblProgress[kStageTransfer] = "Waiting for selection.";
    }
    if (enabled) {
        btnClose.enabled = false;
    }
    changed();
}

void CubeSession::nulSetCloseState(bool enabled) {
    if (enabled) {
        btnClose.enabled = true;
        changed();
    }
}

void CubeSession::nulStageStateSet(int stage, bool enabled, int state) {
    switch (stage) {
        case kStageIdentification:
            nulIdentificationStateSet(enabled, state);
            break;
        case kStageAuthentication:
            nulAuthenticationStateSet(enabled, state);
            break;
        case kStageAcceptance:
            nulStage2StateSet(enabled, state);
            break;
        case kStageSelection:
            nulSelectionStateSet(enabled, state);
            break;
        case kStageTransfer:
            nulTransferStateSet(enabled, state);
            break;
        default:
            break;
    }
}

void CubeSession::nulStageAdvance() {
    nulTimerStop();
    nulStageStateSet(intStage, false, kStatusSuccessOn);
    ++intStage;
    nulStageStateSet(intStage, true, kStatusUnknownOn);
    nulTimerStart();
}

void CubeSession::nulStageReset() {
    intStage = kStageIdentification;
    nulIdentificationStateSet(true, kStatusUnknownOn);
    nulAuthenticationStateSet(false, kStatusUnknownOn);
    nulStage2StateSet(false, kStatusUnknownOn);
    nulSelectionStateSet(false, kStatusUnknownOn);
    nulTransferStateSet(false, kStatusUnknownOn);
}

void CubeSession::nulStageMessageSet(const std::string& message, bool failure) {
    nulLog("! - " + message);
    const int lit = failure ? kStatusFailureOn : kStatusSuccessOn;
    switch (intStage) {
        case kStageIdentification:
            imgStage[kStageIdentification].picture = kStatusSuccessOn;
            break;
        case kStageAuthentication:
        case kStageAcceptance:
        case kStageTransfer:
            lblProgress[static_cast<std::size_t>(intStage)] = message;
            imgStage[static_cast<std::size_t>(intStage)].picture = lit;
            break;
        case kStageSelection:
            imgStage[kStageSelection].picture = lit;
            break;
        default:
            break;
    }
    changed();
}

void CubeSession::nulBackToIdentification() {
    intStage = kStageIdentification;
    nulIdentificationStateSet(true, kStatusUnknownOn);
    nulTimerStart();
    nulQuitIfConnected();
    changed();
}

void CubeSession::nulStageFailed(const std::string& message) {
    nulTimerStop();
    nulStageStateSet(intStage, false, kStatusFailureOn);
    nulStageMessageSet(message, true);
    nulBackToIdentification();
}

void CubeSession::nulStageRecover() {
    nulStageReset();
    nulTimerStart();
    nulQuitIfConnected();
    changed();
}

std::string CubeSession::strUser() const {
    return strReplaceTokens(edtUserID.text, edtUserID.text, "", metPassword.text);
}

std::string CubeSession::strPassword() const {
    return strReplaceTokens(metPassword.text, edtUserID.text, "", metPassword.text);
}

std::string CubeSession::strRemoteName(const std::string& text, const std::string& fileName) const {
    return strReplaceTokens(text, edtUserID.text, fileName, metPassword.text);
}

void CubeSession::nulConnectionStart(const std::string& head, bool blankFirst,
                                     const std::string& host, int port) {
    nulFtpClientConfigure(ftpClient, *context.transfer, host, strPassword(), strUser(), port,
                          pauseUnit);
    if (blankFirst) {
        nulLog(" ");
    }
    nulLog(head);
    for (const std::string& line : strFtpClientSettingsLines(ftpClient)) {
        nulLog(line);
    }
    nulLog(" ");
}

void CubeSession::nulRequestCheck(bool succeeded, const std::string& prefix) const {
    if (!succeeded || !ftpClient.ErrorMessage().empty()) {
        const std::string reply =
            ftpClient.ErrorMessage().empty() ? "the request failed" : ftpClient.ErrorMessage();
        throw transport::FtpException(prefix + reply);
    }
}

void CubeSession::nulEndingCheck() {
    if (terminationRequested()) {
        throw std::runtime_error("the program is ending");
    }
}

void CubeSession::nulConnect() {
    nulEndingCheck();
    nulStageMessageSet("Connecting... ", false);
    nulRequestCheck(ftpClient.Connect());
}

void CubeSession::nulConnectInto(const std::string& connectedMessage, const std::string& folder) {
    nulConnect();
    nulStageMessageSet(connectedMessage, false);
    ftpClient.TypeBinary();
    ftpClient.SetHostDirName(strRemoteName(folder));
    nulRequestCheck(ftpClient.Cwd());
}

void CubeSession::nulAuthenticated(const std::string& message) {
    nulStageMessageSet("Authenticated.", false);
    nulQuitIfConnected();
    nulStageAdvance();
    nulStageMessageSet(message, false);
}

std::string CubeSession::strTransferStageEnter() {
    nulStageAdvance();
    nulQuitIfConnected();
    const std::string host = strLookup();
    nulServerFound(host);
    if (host.empty()) {
        ftpServerInvalidHost();
    }
    return host;
}

void CubeSession::nulQuitIfConnected() {
    if (ftpClient.Connected()) {
        ftpClient.Quit();
    }
}

bool CubeSession::flgTransferFinish(const std::vector<std::string>& skipped,
                                    const std::string& skippedText) {
    // A transfer the ending program broke off is no completed one.
    nulEndingCheck();
    nulTimerStop();
    if (skipped.empty()) {
        nulTransferStateSet(false, kStatusSuccessOn);
        nulStageMessageSet("Transfer completed.", false);
    } else {
        nulTransferStateSet(false, kStatusFailureOn);
        nulStageMessageSet(
            "Transfer completed; " + skippedText + ": " + strNamesList(skipped) + ".", true);
    }
    nulQuitIfConnected();
    intStage = kStageFinished;
    nulSetCloseState(true);
    nulTimerStart();
    changed();
    return skipped.empty();
}

void CubeSession::nulPrepareFailureReport(const std::string& fileName, const std::string& reason) {
    showMessage("Prepare File",
                "Fatal error encountered while attempting to prepare file " + fileName +
                    " for transmission." + (reason.empty() ? "" : "\r\r" + reason),
                MessageIcon::Error);
}

bool CubeSession::flgTransferFail() {
    nulStageFailed(terminationRequested()
                       ? std::string("Transfer cancelled: the program is ending.")
                       : strReplyMessage("Transfer failed, ", ftpClient.ErrorMessage()));
    return false;
}

}  // namespace vantorell
