#include "engine/tqmh01/StartupMode.h"

namespace vantorell::engine {
namespace {

// "-B<code>" or "-E<code>": the letter and exactly the access code, nothing after it.
bool isCodedSwitch(const std::string& argument, char letter, const char* code) {
    return argument.size() > 2 && argument[1] == letter &&
           argument.compare(2, std::string::npos, code) == 0;
}

void readInitialArgument(const std::string& argument, bool isLast, StartupState& state) {
    if (isCodedSwitch(argument, 'B', kCipherAccessCode)) {
        state.mode = EngineMode::FileCipher;
        state.batch = !isLast;
    } else if (isCodedSwitch(argument, 'E', kGenerationAccessCode)) {
        state.mode = EngineMode::Generation;
        state.batch = !isLast;
    } else if (argument[1] == 'U') {
        state.installButtons = false;
    }
}

void readCipherArgument(const std::string& argument, CipherSwitches& cipher) {
    switch (argument[1]) {
        case 'd':
            cipher.direction = CipherDirection::Decipher;
            cipher.requestMask |= kDirectionGiven;
            break;
        case 'e':
            cipher.direction = CipherDirection::Encipher;
            cipher.requestMask |= kDirectionGiven;
            break;
        case 'f':
            cipher.controlFilePath = argument.substr(2);
            cipher.requestMask |= kControlFileGiven;
            break;
        case 'w':
            cipher.mismatchReportPath = argument.substr(2);
            cipher.mismatchReport = true;
            break;
        default:
            break;
    }
}

}  // namespace

StartupState readStartupState(const std::vector<std::string>& arguments,
                              const std::string& programFolder) {
    StartupState state;
    state.programFolder = programFolder;
    state.startTime = std::time(nullptr);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() > kArgumentLimit) {
            state.ignoredArguments.push_back(argument);
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            continue;
        }
        switch (state.mode) {
            case EngineMode::Initial:
                readInitialArgument(argument, i + 1 == arguments.size(), state);
                break;
            case EngineMode::FileCipher:
                readCipherArgument(argument, state.cipher);
                break;
            case EngineMode::Generation:
                break;
        }
    }
    return state;
}

bool isBatchCipherRun(const StartupState& state) {
    return state.mode == EngineMode::FileCipher && state.batch;
}

}  // namespace vantorell::engine
