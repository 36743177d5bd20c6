#pragma once
// The Retrieve Cube dialog's session without widgets: after the login (CubeSession) the
// cubes waiting in the server's "output" folder are listed; the user picks cubes and a
// folder, and each cube is downloaded into the work folder and deciphered by the engine into
// that folder. Picked cubes can also be deleted on the server.
//
// Names from the server's listing become local names only through their base name, so a
// download never lands outside the work folder or the chosen folder.
//
// Sources: RetrieveCubeSession.cpp (account decision, availability, selection, delete),
// RetrieveCubeTransfer.cpp (download and deciphering).

#include <string>
#include <vector>

#include "designer/rtnCubeServer/CubeSession.h"

namespace vantorell {

inline constexpr const char* kRetrieveCubeCaption = "Retrieve Cube";
inline constexpr const char* kRetrieveCubeLogName = "RetrieveCube.log";
inline constexpr const char* kRemoteFileListName = "RemoteFileList.txt";

class RetrieveCubeSession : public CubeSession {
public:
    explicit RetrieveCubeSession(CubeSessionContext context);

    // The list of cubes: the listing's lines as received, and which are selected.
    DialogControl lbxSelectionFiles{false, {}};
    std::vector<std::string> lbxItems;
    std::vector<bool> lbxSelected;
    DialogControl edtSelectionSaveToDir{false, {}};
    DialogControl sbnSelectionSaveToDir{false, {}};
    DialogControl btnSelectionDeleteFiles{false, {}};
    DialogControl btnSelection{false, {}};
    int ggeTransferProgress = 0;  // nothing moves it

    std::string strSaveToDirOnEnter;

    // The user's selection in the list, one flag per entry.
    void lbxSelectionFilesClick(const std::vector<bool>& selected);
    void edtSelectionSaveToDirEnter();
    void edtSelectionSaveToDirChange(const std::string& text);
    void edtSelectionSaveToDirExit();
    void sbnSelectionSaveToDirClick();
    void btnSelectionDeleteFilesClick();
    void btnSelectionClick();
    void nulSelectionButtonStateSet();

    bool flgAvailability(const std::string& host, int port) override;
    bool flgTransfer(const std::string& host, int port);
    bool flgCubeDecrypt(const std::string& downloadedFile, const std::string& targetFile);

protected:
    void nulFormShowFields() override;
    void nulFormHideFields() override;
    void nulStage2Controls(bool enabled) override;
    void nulSelectionControls(bool enabled) override;
    void nulSelectionButtonRule() override { nulSelectionButtonStateSet(); }

private:
    // The selected entries' file names, in list order.
    std::vector<std::string> strSelectedNames() const;
    void nulListClear();
};

// The file-name part of a listing entry (after its last "\", ":" or "/"); empty when the
// entry names no file that may be written locally.
std::string strCubeEntryName(const std::string& entry);

}  // namespace vantorell
