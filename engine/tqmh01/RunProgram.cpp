#include "engine/tqmh01/RunProgram.h"

#include "platform/CommandLine.h"
#include "platform/Process.h"

namespace vantorell::engine {

bool RunProgram(const std::string& program, const std::string& arguments,
                const std::string& /*folder*/) {
    const std::string commandLine = program + " " + arguments;
    if (commandLine.size() > kRunProgramLineLimit || commandLine.find('\0') != std::string::npos) {
        return false;
    }
    return startDetached(commandLineArguments(commandLine), std::string()) == 0;
}

}  // namespace vantorell::engine
