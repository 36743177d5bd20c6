#include "designer/rtnReaderWriter/ProgramStarter.h"

#include <exception>
#include <stdexcept>

#include "platform/CommandLine.h"

namespace vantorell {
namespace {

// The message box shows a C string: a NUL in the line would cut the message short.
std::string startFailureText(std::string commandLine) {
    for (char& c : commandLine) {
        if (c == '\0') {
            c = '?';
        }
    }
    return "While attempting to execute the file \r\"" + commandLine +
           "\" \rin function rtnReaderWriter.WinExecAndWait32 \r"
           "an unexpected error occurred.  The operation you \r"
           "are trying to perform has been cancelled.";
}

}  // namespace

WaitResult runCommandLineAndWait(const std::string& commandLine, const std::string& workingFolder) {
    try {
        return startAndWait(commandLineArguments(commandLine), workingFolder);
    } catch (const std::exception&) {
        throw std::runtime_error(startFailureText(commandLine));
    }
}

int WinExecAndWait32(const std::string& commandLine, std::uint16_t /*show*/,
                     const std::string& workingFolder) {
    return runCommandLineAndWait(commandLine, workingFolder).startError;
}

}  // namespace vantorell
