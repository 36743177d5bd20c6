#include "designer/rtnReaderWriter/EngineRequests.h"

#include <vector>

#include "designer/rtnReaderWriter/DebugMessage.h"
#include "platform/CommandLine.h"
#include "platform/DateTimeText.h"
#include "platform/FileSystem.h"
#include "platform/ProgramNames.h"

namespace vantorell {
namespace {

constexpr const char* kCipherSwitch = "-BK7#LmmP";

const char* directionSwitch(CipherDirection direction) {
    return direction == CipherDirection::Decipher ? "-d" : "-e";
}

// A value line must reach the engine whole: a line break would start a tag of its own.
void requireLineValue(const std::string& what, const std::string& value) {
    if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        throw EngineRequestError("The " + what + " cannot be passed to the engine program: " +
                                 "it holds a line break or a NUL character.");
    }
    if (value.size() > kControlLineLimit) {
        throw EngineRequestError("The " + what + " cannot be passed to the engine program: " +
                                 "it is longer than 255 characters.");
    }
}

// The command line must split back into exactly the arguments it was built from; a double
// quote in the program folder would break it apart.
std::string checkedCommandLine(const std::string& programFolder, CipherDirection direction) {
    const std::string line = strEngineCommandLine(programFolder, direction);
    const std::vector<std::string> expected = {linuxProgramPath(programFolder + kEngineProgramFile),
                                               kCipherSwitch, "-f" + programFolder + kControlFile,
                                               directionSwitch(direction)};
    if (commandLineArguments(line) != expected) {
        throw EngineRequestError("The program folder " + programFolder +
                                 " cannot be named on the engine's command line.");
    }
    return line;
}

// Writes the control file, runs the engine and removes the control file again.
bool runEngine(const std::string& programFolder, const std::vector<std::string>& lines,
               CipherDirection direction, int debugFlags) {
    const std::string commandLine = checkedCommandLine(programFolder, direction);
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    const std::string controlFile = programFolder + kControlFile;
    try {
        writeFileAtomically(controlFile, bytes, 0600);
    } catch (const std::runtime_error& e) {
        throw EngineRequestError(e.what());
    }

    if (direction == CipherDirection::Decipher) {
        nulDebugMessage("About to run comprehensive decryption program.", kDebugEngineRun,
                        debugFlags);
    }
    WaitResult result;
    try {
        result = runCommandLineAndWait(commandLine, programFolder);
    } catch (...) {
        deleteFile(controlFile);
        throw;
    }
    // The control file holds the password in clear: it goes as soon as the engine has
    // ended, and also when a quit request ended the wait (the engine has read it by then
    // or the run is abandoned with the designer).
    deleteFile(controlFile);
    if (direction == CipherDirection::Decipher) {
        nulDebugMessage("Decryption program run", kDebugEngineRun, debugFlags);
    }
    return result.startError == 0 && result.ended && result.exitCode == 0;
}

}  // namespace

std::string strEngineCommandLine(const std::string& programFolder, CipherDirection direction) {
    return "\"" + programFolder + kEngineProgramFile + "\" " + kCipherSwitch + " -f\"" +
           programFolder + kControlFile + "\" " + directionSwitch(direction);
}

bool flgRunDecryption(const std::string& programFolder, const std::string& inputFile,
                      const std::string& outputFile, const std::string& password,
                      const std::string& secondKey, int debugFlags) {
    requireLineValue("input file name", inputFile);
    requireLineValue("output file name", outputFile);
    requireLineValue("password", password);
    requireLineValue("second key", secondKey);
    std::vector<std::string> lines = {"F", inputFile, "O", outputFile, "P", password};
    if (!secondKey.empty()) {
        lines.insert(lines.end(), {"S", secondKey});
    }
    lines.push_back("E");
    if (outputFile == kTempDataFile) {
        deleteFile(programFolder + kTempDataFile);
    }
    return runEngine(programFolder, lines, CipherDirection::Decipher, debugFlags);
}

bool flgRunEncryption(const std::string& programFolder, const std::string& targetFile,
                      const std::string& password, const std::string& secondKey) {
    requireLineValue("target file name", targetFile);
    requireLineValue("password", password);
    requireLineValue("second key", secondKey);
    std::vector<std::string> lines = {"F", kTempDataFile, "O", targetFile, "P", password};
    if (!secondKey.empty()) {
        lines.insert(lines.end(), {"S", secondKey});
    }
    lines.insert(lines.end(), {"T", currentShortDateLongTimeText(), "E"});
    bool ran = false;
    try {
        ran = runEngine(programFolder, lines, CipherDirection::Encipher, 0);
    } catch (...) {
        deleteFile(programFolder + kTempDataFile);
        throw;
    }
    deleteFile(programFolder + kTempDataFile);
    return ran;
}

void nulRunDecryption(const std::string& programFolder, const std::string& inputFile,
                      const std::string& outputFile, const std::string& password,
                      const std::string& secondKey, int debugFlags) {
    flgRunDecryption(programFolder, inputFile, outputFile, password, secondKey, debugFlags);
}

void nulRunEncryption(const std::string& programFolder, const std::string& targetFile,
                      const std::string& password, const std::string& secondKey) {
    flgRunEncryption(programFolder, targetFile, password, secondKey);
}

}  // namespace vantorell
