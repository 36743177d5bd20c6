// The Send Model transfer: each model prepared as a protected copy and uploaded.
#include <sys/stat.h>

#include <charconv>
#include <cstdlib>
#include <exception>
#include <memory>

#include "designer/frmSendM/SendModelSession.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileSystem.h"

namespace vantorell {

std::int64_t intFileSizeGet(const std::string& fileName) {
    std::unique_ptr<char, decltype(&std::free)> full(::realpath(fileName.c_str(), nullptr),
                                                     &std::free);
    struct stat status {};
    if (!full || ::stat(full.get(), &status) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(status.st_size);
}

int intRequestedPointsRead(const std::string& text) {
    int points = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, points);
    return ec == std::errc() && ptr == end ? points : 0;
}

bool SendModelSession::flgModelEncrypt(const std::string& source, const std::string& target,
                                       int requested) {
    const int debug = context.intReaderWriterDebugFlags;
    std::string reason;
    try {
        ModelArrays model;
        std::int32_t points = 0;
        std::string digest;
        // The copy comes first: the analyst's file is rewritten only for a model that goes,
        // and a model that did not read whole is never written back over it.
        if (!flgReadFile(context.strProgramFolder, source, "", "", debug, false, points, model)) {
            reason = "The file " + source + " does not hold a whole model.";
        } else if (!flgWriteFile(context.strProgramFolder, target, metPassword.text, "", debug,
                                 digest, false, true, true, model, requested)) {
            reason = "The engine program made no protected copy " + target + ".";
        } else if (!flgWriteFile(context.strProgramFolder, source, "", "", debug, digest, false,
                                 true, false, model, requested)) {
            reason = "The file " + source + " could not be written with the requested points.";
        }
    } catch (const std::exception& e) {
        // The writer's or the reader's reason names the text or the record at fault.
        reason = e.what();
    }
    if (!reason.empty()) {
        nulPrepareFailureReport(extractFileName(source), reason);
        return false;
    }
    return true;
}

bool SendModelSession::flgTransfer(const std::string& host, int port) {
    nulConnectionStart("! Transferring...", true, host, port);
    std::vector<std::string> notSent;
    try {
        nulConnectInto("Connected... Transferring...", "input");

        const StringGrid& grid = sgdSelectionFiles;
        const int rows = grid.fixedRows() + grid.dataRowCount();
        for (int row = grid.fixedRows(); row < rows; ++row) {
            nulEndingCheck();
            const std::string path = grid.cell(kSendColFile, row);
            const std::string fileName = extractFileName(path);
            const std::string remoteName = strRemoteName("${filename}", fileName);
            nulStageMessageSet("Preparing " + fileName + "... ", false);
            const int requested = intRequestedPointsRead(grid.cell(kSendColRequested, row));
            const std::string workCopy = context.strWorkFolder + fileName;
            if (!flgModelEncrypt(path, workCopy, requested)) {
                nulStageMessageSet("Error Preparing " + remoteName + " file skipped.", true);
                notSent.push_back(fileName);
                continue;
            }
            nulStageMessageSet("Transfering " + remoteName + "... ", false);
            ftpClient.SetLocalFileName(workCopy);
            ftpClient.SetHostFileName(remoteName);
            intLastUploadSize = intFileSizeGet(workCopy);
            if (!ftpClient.Put()) {
                nulStageMessageSet(strReplyMessage("Transfer of " + remoteName + " failed, ",
                                                   ftpClient.ErrorMessage()),
                                   true);
                notSent.push_back(fileName);
            }
        }
        return flgTransferFinish(notSent, "not sent");
    } catch (const std::exception&) {
        return flgTransferFail();
    }
}

}  // namespace vantorell
