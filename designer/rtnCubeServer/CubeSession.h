#pragma once
// The session machinery that the Send Model and Retrieve Cube dialogs share, without
// widgets: the five stages with their images, progress texts and buttons, the blink timer,
// the session log, the lookup of the cube server, and the login with the check of the
// account file. The dialogs show this state and hand it the user's input; the two kinds of
// session (CubeSession's subclasses) add their acceptance or availability, selection and
// transfer.
//
// Every request to the server is blocking: it lets the thread's events run while it waits,
// so the dialog repaints and the blink timer ticks. The stage setters disable the buttons
// that would start a second request.
//
// Sources: CubeSession.cpp (stages, messages, showing and hiding), CubeSessionLogin.cpp
// (identification, lookup and login).

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "designer/frmMain/DesignerSettings.h"
#include "designer/rtnCubeServer/CubeServerAddress.h"
#include "designer/rtnCubeServer/FtpSessionSetup.h"
#include "designer/rtnCubeServer/ServerLookup.h"
#include "designer/rtnCubeServer/StageImage.h"
#include "platform/IniFile.h"
#include "transport/FtpCli/FtpClient.h"

namespace vantorell {

// A control of a dialog as the session drives it.
struct DialogControl {
    bool enabled = true;
    std::string text;
};

// What a session takes from the main window.
struct CubeSessionContext {
    std::string strProgramFolder;  // ends in "/"
    std::string strWorkFolder;     // ends in "/"
    const TransferSettings* transfer = nullptr;
    IniFile* settings = nullptr;  // the designer settings file
    CubeServerAddress address;
    int intReaderWriterDebugFlags = 0;
};

// File names as a message lists them: "a.mdc, b.mdc".
std::string strNamesList(const std::vector<std::string>& names);

// A stage message that ends in a reply: `head` followed by the reply and one period, which
// a reply that ends in a period already has ("Transfer failed, 500 Closed.").
std::string strReplyMessage(const std::string& head, const std::string& reply);

// Send Model marks the server busy and counts cubes; Retrieve Cube only needs an enabled
// account and goes on to list the cubes.
enum class CubeDialogKind { SendModel, RetrieveCube };

inline constexpr int kStageIdentification = 0;
inline constexpr int kStageAuthentication = 1;
inline constexpr int kStageAcceptance = 2;  // Send Model; availability in Retrieve Cube
inline constexpr int kStageSelection = 3;
inline constexpr int kStageTransfer = 4;
inline constexpr int kStageFinished = 5;

class CubeSession {
public:
    // `caption` is the dialog's ("Send Model", "Retrieve Cube"); its settings section is the
    // caption followed by " Form". `logName` is the session log's name in the program folder.
    CubeSession(CubeDialogKind kind, std::string caption, const std::string& logName,
                CubeSessionContext context);
    virtual ~CubeSession() = default;
    CubeSession(const CubeSession&) = delete;
    CubeSession& operator=(const CubeSession&) = delete;

    CubeDialogKind kind() const { return kind_; }
    const std::string& caption() const { return caption_; }
    std::string strSettingsSection() const { return caption_ + " Form"; }

    CubeSessionContext context;
    std::string strLogFileName;
    int intStage = kStageIdentification;
    std::string strAccountStatus;
    std::string strServerStatus;
    int intCubesAvailable = 0;
    std::string strServerHost;  // found by the last lookup
    transport::TFtpClient ftpClient;
    // The unit of the pause before each connection, and how long a lookup may take.
    std::chrono::milliseconds pauseUnit = kPauseUnit;
    std::chrono::milliseconds lookupDeadline = kLookupDeadline;

    // Controls shared by both dialogs. The images and progress texts are indexed by stage;
    // stages 0 and 3 have no progress text.
    DialogControl edtUserID;
    DialogControl metPassword;
    DialogControl btnIdentification{false, {}};
    DialogControl btnClose;
    std::array<StageImage, 5> imgStage{};
    std::array<std::string, 5> lblProgress{};
    bool tmrStageImageTimer = false;

    // Called after the state changed, for the dialog to show it.
    std::function<void()> onChanged;
    // Called by Close, for the dialog to hide.
    std::function<void()> onClose;

    // Creation at program start: the session log is emptied.
    void FormCreate();
    // Showing and hiding; the main window's enabling is the dialog's part.
    void FormShow();
    void FormHide();

    void edtUserIDChange(const std::string& text);
    void metPasswordChange(const std::string& text);
    void nulIdentificationButtonStateSet();
    // Continue of stage 0: looks the server up, logs in and checks the account.
    void btnIdentificationClick();
    void btnCloseClick();
    void tmrStageImageBlinker();

    // Stage setters: the image's enabling and state, and what belongs to the stage.
    void nulIdentificationStateSet(bool enabled, int state);
    void nulAuthenticationStateSet(bool enabled, int state);
    void nulStage2StateSet(bool enabled, int state);
    void nulSelectionStateSet(bool enabled, int state);
    void nulTransferStateSet(bool enabled, int state);
    void nulSetCloseState(bool enabled);
    // The setter of a stage by its number.
    void nulStageStateSet(int stage, bool enabled, int state);
    // The current stage done (its image a success), the next one entered.
    void nulStageAdvance();
    void nulStageReset();
    // Logs the message and shows it in the current stage's progress text and image.
    void nulStageMessageSet(const std::string& message, bool failure);

    // Login and the account check; false when a failure was caught.
    bool flgAuthenticate(const std::string& host, int port);
    void ftpServerInvalidHost();
    // Back at identification after a failure, with the fields kept and the connection closed.
    void nulBackToIdentification();
    // The current stage failed: its image a failure, the message shown in it, and back at
    // identification.
    void nulStageFailed(const std::string& message);
    // After a failure that escaped a step (the log could not be written): back at
    // identification without logging, so that the dialog can be used or closed.
    void nulStageRecover();

protected:
    // The dialog's part of showing (between reading the user ID and the stage reset) and of
    // hiding (after the user ID was written).
    virtual void nulFormShowFields() {}
    virtual void nulFormHideFields() {}
    // What stage 2 (acceptance or availability) does besides its image.
    virtual void nulStage2Controls(bool enabled) = 0;
    // The selection controls follow `enabled`; the selection Continue follows its rule.
    virtual void nulSelectionControls(bool enabled) = 0;
    virtual void nulSelectionButtonRule() = 0;
    // Lists the cubes waiting on the server (Retrieve Cube), after a login that found the
    // account enabled.
    virtual bool flgAvailability(const std::string& /*host*/, int /*port*/) { return false; }

    // A lookup's result becomes the server host and the client's host name.
    void nulServerFound(const std::string& host);

    // The user name and password as the server gets them (tokens replaced).
    std::string strUser() const;
    std::string strPassword() const;
    // A remote folder or file name with its tokens replaced.
    std::string strRemoteName(const std::string& text, const std::string& fileName = "") const;
    std::string strLookup() const;

    void nulLog(const std::string& line) const;
    // Configures the client and logs `head` with its settings; a blank line first with
    // `blankFirst`.
    void nulConnectionStart(const std::string& head, bool blankFirst, const std::string& host,
                            int port);
    // "Connecting... ", then Connect; raises FtpException with the reply when it failed.
    void nulConnect();
    // Connects, shows `connectedMessage`, switches to binary and changes to the remote
    // `folder` (tokens replaced); raises FtpException with the reply when a step failed.
    void nulConnectInto(const std::string& connectedMessage, const std::string& folder);
    // Login done: "Authenticated.", the connection closed, stage 2 entered with `message`.
    void nulAuthenticated(const std::string& message);
    // Selection done, transfer entered, and the server looked up again; its host, or empty
    // (then the session is back at identification).
    std::string strTransferStageEnter();
    // Raises FtpException with `prefix` and the client's reply when a request failed.
    void nulRequestCheck(bool succeeded, const std::string& prefix = "") const;
    void nulQuitIfConnected();
    // The end of a transfer: finished, or finished with the skipped files named after
    // `skippedText` and a failure picture, since what was skipped must not end in a success.
    // Raises as nulEndingCheck does, for the transfer's own failure handling.
    bool flgTransferFinish(const std::vector<std::string>& skipped, const std::string& skippedText);
    // A transfer that broke off: the reply shown, back at identification.
    bool flgTransferFail();
    // Raises when the program is ending (TerminationRequest.h), so that a stage stops
    // before its next step: a failure of its own, which the stage reports as it ends.
    static void nulEndingCheck();
    // The message box for a file that could not be prepared for or after its transfer,
    // followed by the reason when one is known.
    static void nulPrepareFailureReport(const std::string& fileName,
                                        const std::string& reason = "");
    void nulTimerStop() { tmrStageImageTimer = false; }
    void nulTimerStart() { tmrStageImageTimer = true; }
    void changed() const;

private:
    void nulStageImageState(int stage, bool enabled, int state);
    // The account file's values decide how the session goes on.
    void nulSendModelAccountDecide();
    void nulRetrieveCubeAccountDecide(const std::string& host);

    CubeDialogKind kind_;
    std::string caption_;
};

}  // namespace vantorell
