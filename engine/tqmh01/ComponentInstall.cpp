#include "engine/tqmh01/ComponentInstall.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "engine/tqmh01/RunProgram.h"
#include "engine/tqmh01/UpdateComponents.h"
#include "platform/FileSystem.h"
#include "platform/MessageService.h"
#include "platform/ProgramNames.h"

namespace vantorell::engine {
namespace {

// Moves a staging file over the program it stands for. The move replaces the old program
// in one step, so a move that fails leaves it in place, and says so.
void installFile(const std::string& programFolder, const char* stagingFile, const char* programFile,
                 const char* createdText) {
    const std::string staging = programFolder + stagingFile;
    if (!fileExists(staging)) {
        showMessage(dialogCaption(MessageIcon::Error),
                    "File to install from does not exist, unable to update.", MessageIcon::Error);
        return;
    }
    const std::string target = linuxProgramPath(programFolder + programFile);
    if (std::rename(staging.c_str(), target.c_str()) != 0) {
        showMessage(dialogCaption(MessageIcon::Error),
                    std::string("File could not be moved into place (") + std::strerror(errno) +
                        "), unable to update.",
                    MessageIcon::Error);
        return;
    }
    // A downloaded file becomes a program.
    ::chmod(target.c_str(), 0755);
    showMessage(dialogCaption(MessageIcon::Information), createdText, MessageIcon::Information);
}

// Starts a program of the program folder without waiting, named on a command line in
// quotes; a folder whose name holds a quote cannot be named so and starts nothing.
void runFromProgramFolder(const std::string& programFolder, const char* program) {
    if (programFolder.find('"') == std::string::npos) {
        RunProgram("\"" + programFolder + program + "\"", "", programFolder);
    }
}

}  // namespace

void CopyGUI(const std::string& programFolder) {
    installFile(programFolder, componentInfo(UpdateComponent::Interface).stagingFile,
                "Vantorell.exe", "Vantorell main file created.");
}

void SQLCopy(const std::string& programFolder) {
    installFile(programFolder, componentInfo(UpdateComponent::Generator).stagingFile, "tqmx03.exe",
                "Database Generator file created.");
}

void InstallerCopyButtonClick(const std::string& programFolder) {
    try {
        writeFileAtomically(programFolder + "temp.bat",
                            "del remove.exe\r\nrename eistage.exe remove.exe\r\n");
    } catch (const std::runtime_error&) {
        return;
    }
    runFromProgramFolder(programFolder, "temp.bat");
}

void RunSetup(const std::string& programFolder) {
    runFromProgramFolder(programFolder, "setup.exe");
}

}  // namespace vantorell::engine
