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
    // be read (the counts are then those of what was read, or 0).
    bool flgModelGetSuggestedPoints(const std::string& file, std::int32_t& minimumPoints,
                                    std::int32_t& requestedPoints, std::int32_t& suggestedPoints);
    // Rewrites the source with the requested points and writes the protected copy `target`;
    // a message box tells of a failure.
    bool flgModelEncrypt(const std::string& source, const std::string& target, int requested);
    bool flgTransfer(const std::string& host, int port);

protected:
    void nulFormShowFields() override;
    void nulStage2Controls(bool enabled) override;
    void nulSelectionControls(bool enabled) override;
    void nulSelectionButtonRule() override { nulSelectionButtonStateAndTotalSet(); }

private:
    void nulModelRowAdd(const std::string& path);
};

// Size in bytes of the file, or -1 when there is none.
std::int64_t intFileSizeGet(const std::string& fileName);

// Column 3's text as the requested points: 0 when it is not a whole number.
int intRequestedPointsRead(const std::string& text);

}  // namespace vantorell
