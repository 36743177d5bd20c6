// The change check, Save and Save As.
#include <string>
#include <vector>

#include "designer/frmMain/ArraysConversion.h"
#include "designer/frmMain/ArraysLog.h"
#include "designer/frmMain/DocumentCommands.h"
#include "designer/rtnReaderWriter/LostShares.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileDialogService.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"

namespace vantorell {
namespace {

// Answers every message unseen, as its default button would.
class QuietMessages : public MessageService {
public:
    MessageAnswer show(const MessageRequest& request) override {
        return request.buttons & kButtonOk ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
};

// Categories named at most in the warning about shares the file does not keep.
constexpr std::size_t kLostSharesNamed = 10;

// The warning after a save that kept some shares out of the file; empty when none.
std::string strLostSharesWarning(const std::string& fileName, const ModelArrays& model) {
    const std::vector<LostShares> lost = arrLostSharesFind(model);
    if (lost.empty()) {
        return std::string();
    }
    std::string text = "The file " + fileName +
                       " was saved, but it does not keep the shares below the categories listed "
                       "here: each has a share of 0 %, and a model file holds only the values of "
                       "the categories without subcategories, which are all 0 below them. When "
                       "the file is opened again, the first category of each group below them "
                       "has 100 %.\r";
    for (std::size_t i = 0; i < lost.size() && i < kLostSharesNamed; ++i) {
        const LostShares& l = lost[i];
        text += "\rMeasure \"" +
                model.measures[static_cast<std::size_t>(l.intMeasureIndex)].strName.str() +
                "\", category \"" +
                model.categories[static_cast<std::size_t>(l.intCategoryIndex)].strName.str() +
                "\"" + (l.flgNegative ? ", negative side" : "");
    }
    if (lost.size() > kLostSharesNamed) {
        text += "\rand " + std::to_string(lost.size() - kLostSharesNamed) + " more";
    }
    return text;
}

}  // namespace

bool DocumentCommands::flgCurrentFileCheckForSave() {
    if (strChecksum.empty()) {
        return true;
    }
    std::string fresh;
    bool compared = false;
    {
        // A working copy that cannot be made into a model cannot be compared: it counts as
        // changed, so the user still decides. Why it cannot is told when it is saved, not
        // before every question.
        QuietMessages quiet;
        ScopedMessageService scope(quiet);
        compared = nulExternalizeReaderWriterArrays(
            editors_, arrModel, fresh, "Externalizing for checksum... " + strCurrentFile,
            kArraysLogFileName);
    }
    if (compared && fresh == strChecksum) {
        return true;
    }
    switch (showMessage(dialogCaption(MessageIcon::Error),
                        "The current file has changed would you like save it before continuing?",
                        MessageIcon::Error, kButtonYes | kButtonNo | kButtonCancel)) {
        case MessageAnswer::Yes:
            return flgFileSaveAs();
        case MessageAnswer::No:
            return true;
        default:
            return false;
    }
}

bool DocumentCommands::mnuFileSaveClick() {
    if (extractFileName(strCurrentFile) != extractFileName(fneGetUntitledFileName())) {
        return flgFileSave(strCurrentFile);
    }
    return flgFileSaveAs();
}

bool DocumentCommands::flgFileSave(const std::string& fileName) {
    BusyCursor busy(editors_);
    nulGridsSaveValues(editors_);
    std::string checksum;
    if (!nulExternalizeReaderWriterArrays(editors_, arrModel, checksum,
                                          "Externalizing for file save... " + fileName,
                                          kArraysLogFileName)) {
        return false;
    }
    std::string why;
    bool written = false;
    if (!fileName.empty()) {
        try {
            written = flgWriteFile(editors_.strProgramFolder, fileName, "", "",
                                   editors_.intReaderWriterDebugFlags, checksum, true, true, true,
                                   arrModel, editors_.intRequestedPoints);
        } catch (const std::exception& error) {
            why = error.what();
        }
    }
    if (!written) {
        std::string text =
            "Fatal error encountered while attempting to write file " + fileName + ".";
        if (!why.empty()) {
            text += "\r\r" + why;
        }
        showMessage("Save File", text, MessageIcon::Error);
        return false;
    }
    // Only a written file is the saved state.
    strChecksum = checksum;
    nulMainMenuReopenListAddItem(fileName);
    const std::string lost = strLostSharesWarning(fileName, arrModel);
    if (!lost.empty()) {
        showMessage("Save File", lost, MessageIcon::Warning);
    }
    return true;
}

bool DocumentCommands::flgFileSaveAs() {
    FileDialogRequest request;
    request.title = "Save As";
    request.fileName = strCurrentFile;
    request.filter = "Vantorell Model (*.vtm)|*.vtm|Vantorell Template (*.vtt)|*.vtt";
    request.filterIndex = 1;
    request.initialFolder = editors_.strProgramFolder;
    request.defaultExtension = kModelExtension;
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = fileDialogService().saveFile(request);
    if (!chosen || !flgFileSave(*chosen)) {
        return false;
    }
    // The model takes the new name only once it is written there.
    strCurrentFile = *chosen;
    nulCaptionSet(strCurrentFile);
    return true;
}

}  // namespace vantorell
