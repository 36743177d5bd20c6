#pragma once
// The File commands that create, open, import and store models: New, Open, Reopen, Import,
// Save and Save As, the untitled file name and the check for unsaved changes. They work on
// the editors' working copy and reach the user through the message and file-dialog
// services; the window that shows them supplies its caption and reopen list.
//
// Sources: DocumentCommands.cpp (new, open, reopen, import), DocumentSave.cpp (change check,
// save, save as).

#include <string>

#include "designer/frmMain/DocumentPorts.h"
#include "designer/frmMain/EditorState.h"
#include "designer/rtnReaderWriter/ModelRecords.h"

namespace vantorell {

inline constexpr const char* kTemplateFileName = "default.vtm";
inline constexpr const char* kModelExtension = "vtm";
inline constexpr const char* kListExtension = ".vdc";

class DocumentCommands {
public:
    // The editors may still be under construction: they are first used by a command.
    explicit DocumentCommands(EditorState& editors);
    virtual ~DocumentCommands() = default;
    DocumentCommands(const DocumentCommands&) = delete;
    DocumentCommands& operator=(const DocumentCommands&) = delete;

    // Work folder ("Temp/" in the program folder) for converted lists.
    std::string strWorkFolder;
    // The model being edited: its file (the untitled name while it has none) and the change
    // digest of its last created, loaded or saved state (empty before the first File New).
    std::string strCurrentFile;
    std::string strChecksum;
    // The five model arrays the file routines exchange with the working copy.
    ModelArrays arrModel;

    // Dialogs of the import and the list conversion; none until they exist.
    ImportDialogPort* importDialog = nullptr;
    ListConversionPort* listConversion = nullptr;

    // Program folder + "~untitled~.vtm".
    std::string fneGetUntitledFileName() const;

    // Empties the editors: the untitled name, no requested points, and the digest of the
    // empty model. Asks nothing; File New runs the change check first.
    void nulInitializeModel();

    // Offers to save changed work (Yes: Save As, No: discard, Cancel); a working copy that
    // cannot be made into a model counts as changed, and says why only when it is saved.
    // True when the calling command, or the closing of the window, may go on: false after
    // Cancel, a cancelled Save As or a failed save.
    virtual bool flgCurrentFileCheckForSave();

    // File New: the template "default.vtm" of the program folder, loaded as an untitled
    // model, else one measure, one dimension and one category.
    void mnuFileNewClick();

    // Open dialog, then flgFileOpen.
    void mnuFileOpenClick();
    // Reads the file (a ".vdc" list after converting it) into the editors. On a failed read
    // the editors, the current file, the requested points and the digest stay as they were.
    bool flgFileOpen(const std::string& fileName);
    // Opens a file of the reopen list, which keeps the entry whether or not the file exists.
    virtual void mnuFileReopenNClick(const std::string& path);

    // Import dialog after an open dialog, then the merge; the digest is kept, so the merge
    // counts as a change.
    void mnuFileImportClick();
    bool flgFileImport(const std::string& fileName);

    // Save to the current file, or Save As while the model is untitled.
    bool mnuFileSaveClick();
    // Writes the working copy to the file; the digest follows only a written file.
    bool flgFileSave(const std::string& fileName);
    // Save dialog; the model is written under the chosen name, which becomes the current
    // file once the file is written (a failed write keeps the name it had).
    bool flgFileSaveAs();

    // Converts a dimension/category list into a model file in the work folder; empty when
    // the user cancelled. Raises std::exception when the conversion fails.
    std::string fneConvertVDCToVTM(const std::string& listFile);

protected:
    // The window's caption shows the file; the reopen list takes a file.
    virtual void nulCaptionSet(const std::string& fileName) = 0;
    virtual void nulMainMenuReopenListAddItem(const std::string& path) = 0;

private:
    // Reads `fileName` and shows it as `currentFile`; `reopenEntry` joins the reopen list
    // when not empty; the digest is taken from the working copy under `checksumCaption`.
    bool flgModelLoad(const std::string& fileName, const std::string& currentFile,
                      const std::string& reopenEntry, const std::string& checksumCaption);
    // The reader's `reason` (empty when it gave none) follows the message and the caption of
    // the dump.
    void nulReadFailureReport(const std::string& fileName, const ModelArrays& leftOver,
                              const std::string& reason);
    // Positives shown, balancing from the first row, the lower panels chosen anew.
    void nulLowerPanelsReset();

    EditorState& editors_;
};

// The file's extension in lower case is ".vdc".
bool flgIsListFile(const std::string& fileName);

}  // namespace vantorell
