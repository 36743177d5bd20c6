#pragma once
// The Send Model dialog's session without widgets: after the login (CubeSession) the user
// accepts, picks model files with their requested point counts in a grid, and each model is
// prepared as a password-protected copy in the work folder and uploaded into the server's
// "input" folder.
//
// Sources: SendModelSession.cpp (account decision, acceptance, selection),
// SendModelTransfer.cpp (preparation and upload).

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "designer/rtnCubeServer/CubeSession.h"
#include "designer/rtnGrids/StringGrid.h"

namespace vantorell {

inline constexpr const char* kSendModelCaption = "Send Model";
inline constexpr const char* kSendModelLogName = "SendModel.log";

// Grid columns.
inline constexpr int kSendColFile = 0;
inline constexpr int kSendColMinimum = 1;
inline constexpr int kSendColSuggested = 2;
inline constexpr int kSendColRequested = 3;

class SendModelSession : public CubeSession {
public:
    explicit SendModelSession(CubeSessionContext context);

    DialogControl btnAcceptanceYes{false, {}};
    DialogControl btnAcceptanceNo{false, {}};
    DialogControl bbnSelectionFileAdd{false, {}};
    DialogControl bbnSelectionFileDel{false, {}};
    DialogControl btnSelection{false, {}};
    bool sgdSelectionFilesEnabled = false;
    StringGrid sgdSelectionFiles;
    int ggeTransferProgress = 0;  // nothing moves it
    std::int64_t intLastUploadSize = -1;

    // The main window's current model file; empty while the model is untitled.
    std::function<std::string()> fneCurrentModel;
    // Why a listed model cannot be sent, by its path, as found when its row was added.
    std::map<std::string, std::string> strRowRefusals;
    // What the row's file cell tells beside its path: why the model cannot be sent, or
    // nothing.
    std::string strRowRefusal(int row) const;

    void btnAcceptanceYesClick();
    void btnAcceptanceNoClick();
    void bbnSelectionFileAddClick();
    void bbnSelectionFileDelClick();
    bool sgdSelectionFilesSelectCell(int col, int row);
    // Keys other than digits, backspace and Enter become 0 (discarded) in columns 1 on.
    void sgdSelectionFilesKeyPress(char32_t& key);
    void btnSelectionClick();
    void nulSelectionButtonStateAndTotalSet();

    // Minimum, requested and suggested points of a model file; false when the file could not
    // be read (the counts are then those of what was read, or 0). `refusal` tells why the
    // model cannot be sent (the reader's or the protected copy's reason), or is empty.
    bool flgModelGetSuggestedPoints(const std::string& file, std::int32_t& minimumPoints,
                                    std::int32_t& requestedPoints, std::int64_t& suggestedPoints,
                                    std::string& refusal);
    // Writes the protected copy `target` with the requested points and then, only when the
    // copy was made, rewrites the source with them; a message box tells of a failure and
    // its reason, and a failure leaves the source as it was.
    bool flgModelEncrypt(const std::string& source, const std::string& target, int requested);
    bool flgTransfer(const std::string& host, int port);

protected:
    void nulFormShowFields() override;
    void nulStage2Controls(bool enabled) override;
    void nulSelectionControls(bool enabled) override;
    void nulSelectionButtonRule() override { nulSelectionButtonStateAndTotalSet(); }

private:
    void nulModelRowAdd(const std::string& path);
    // The listed row whose file has the name of `path`'s, in any letter case: the server and
    // the work folder would keep one of the two only. -1 when there is none.
    int intRowWithSameNameFind(const std::string& path) const;
};

// Size in bytes of the file, or -1 when there is none.
std::int64_t intFileSizeGet(const std::string& fileName);

// Column 3's text as the requested points: 0 when it is not a whole number.
int intRequestedPointsRead(const std::string& text);

}  // namespace vantorell
