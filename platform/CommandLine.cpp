#include "platform/CommandLine.h"

#include "platform/ProgramNames.h"

namespace vantorell {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    const std::size_t n = commandLine.size();
    if (n == 0) {
        return arguments;
    }

    // The program name follows its own, simpler rule.
    std::size_t i = 0;
    std::string program;
    if (commandLine[0] == '"') {
        for (i = 1; i < n && commandLine[i] != '"'; ++i) {
            program += commandLine[i];
        }
        if (i < n) {
            ++i;
        }
    } else {
        for (; i < n && !isBlank(commandLine[i]); ++i) {
            program += commandLine[i];
        }
    }
    arguments.push_back(program);

    for (;;) {
        while (i < n && isBlank(commandLine[i])) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        std::string argument;
        std::size_t backslashes = 0;
        // Quote state: 0 outside, 1 inside; 2 and 3 are passing states within a run of quotes
        // (3 quotes in a row give a literal quote).
        int quotes = 0;
        while (i < n) {
            const char c = commandLine[i];
            if (isBlank(c) && quotes == 0) {
                break;
            }
            if (c == '\\') {
                ++backslashes;
                ++i;
                continue;
            }
            if (c == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 0) {
                    ++quotes;
                } else {
                    argument += '"';
                }
                backslashes = 0;
                for (++i; i < n && commandLine[i] == '"'; ++i) {
                    if (++quotes == 3) {
                        argument += '"';
                        quotes = 0;
                    }
                }
                if (quotes == 2) {
                    quotes = 0;
                }
                continue;
            }
            argument.append(backslashes, '\\');
            backslashes = 0;
            argument += c;
            ++i;
        }
        argument.append(backslashes, '\\');
        arguments.push_back(argument);
    }
    return arguments;
}

std::vector<std::string> commandLineArguments(const std::string& commandLine) {
    std::vector<std::string> arguments = splitCommandLine(commandLine);
    if (!arguments.empty()) {
        arguments[0] = linuxProgramPath(arguments[0]);
    }
    return arguments;
}

}  // namespace vantorell
