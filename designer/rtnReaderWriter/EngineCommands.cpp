#include "designer/rtnReaderWriter/EngineCommands.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "designer/rtnReaderWriter/EngineRequests.h"
#include "designer/rtnReaderWriter/ProgramStarter.h"
#include "platform/CommandLine.h"
#include "platform/ProgramNames.h"

namespace vantorell {
namespace {

constexpr const char* kUpdaterProgram = "update.exe";
constexpr const char* kGenerationSwitch = "-Er6413T%T";
constexpr std::uint16_t kShowNormal = 5;

// Starts the line, shown, and waits; `expected` is what it must split into, so that a
// name holding a double quote never reaches the program as other arguments.
void runShown(const std::string& what, const std::string& commandLine,
              const std::vector<std::string>& expected, const std::string& programFolder) {
    if (commandLineArguments(commandLine) != expected) {
        throw EngineRequestError("The " + what + " cannot be started with the command line " +
                                 commandLine + ": a name on it holds a double quote.");
    }
    const int error = WinExecAndWait32(commandLine, kShowNormal, programFolder);
    if (error != 0) {
        throw EngineRequestError("The " + what + " " + expected.front() +
                                 " could not be started: " + std::strerror(error) + ".");
    }
}

}  // namespace

std::string strGeneratorCommandLine(const std::string& programFolder, bool withFile,
                                    const std::string& modelFile) {
    std::string line = "\"" + programFolder + kEngineProgramFile + "\" " + kGenerationSwitch;
    if (withFile) {
        line += " -D\"" + modelFile + "\"";
    }
    return line;
}

std::string strUpdaterCommandLine(const std::string& programFolder) {
    return "\"" + programFolder + kUpdaterProgram + "\" -U";
}

bool flgDecryptCube(const std::string& programFolder, const std::string& inputFile,
                    const std::string& password, const std::string& secondKey,
                    const std::string& outputFile) {
    if (password.empty()) {
        return false;
    }
    return flgRunDecryption(programFolder, inputFile, outputFile, password, secondKey, 0);
}

void nulDecryptCube(const std::string& programFolder, const std::string& inputFile,
                    const std::string& password, const std::string& secondKey,
                    const std::string& outputFile) {
    flgDecryptCube(programFolder, inputFile, password, secondKey, outputFile);
}

void nulStartEngine(const std::string& programFolder, bool withFile, const std::string& modelFile) {
    std::vector<std::string> expected = {linuxProgramPath(programFolder + kEngineProgramFile),
                                         kGenerationSwitch};
    if (withFile) {
        expected.push_back("-D" + modelFile);
    }
    runShown("point generator", strGeneratorCommandLine(programFolder, withFile, modelFile),
             expected, programFolder);
}

void nulCheckUpdates(const std::string& programFolder) {
    runShown("updater", strUpdaterCommandLine(programFolder),
             {linuxProgramPath(programFolder + kUpdaterProgram), "-U"}, programFolder);
}

}  // namespace vantorell
