#pragma once
// The cipher control file ("control.bec"): one-letter tag lines, each followed by its value
// lines. Reading it decides whether the cipher runs and with which request; running the
// cipher is left to the caller.

#include <istream>
#include <string>

#include "engine/tqmh01/CipherRequest.h"
#include "engine/tqmh01/CipherSwitches.h"

namespace vantorell::engine {

// Lines are read into 256-character buffers.
inline constexpr std::size_t kControlLineLimit = 255;

// Bits of the run mask beyond the request mask's two.
inline constexpr int kSourceGiven = 4;      // "F"
inline constexpr int kOutputGiven = 8;      // "O"
inline constexpr int kFirstKeyGiven = 16;   // "P"
inline constexpr int kSecondKeyGiven = 32;  // "S" or "K"
inline constexpr int kThirdKeyGiven = 64;   // "T"
inline constexpr int kEncipherRunMask = 127;
inline constexpr int kDecipherRunMask = 63;

enum class LineStatus { Line, EndOfFile, TooLong, HoldsNul };

// Reads one line. The line end (LF, or CR LF) is not part of it; then trailing characters
// below 32 are removed, except the first character, so a line of one control character
// keeps it. A line of more than 255 characters, or one holding a NUL, is reported instead
// of being cut; the stream is then left inside it.
LineStatus ReadLine(std::istream& in, std::string& line);

enum class ControlVerdict {
    Run,      // the request is complete: run the cipher
    NotRun,   // the run masks do not ask for a run, or there is no control file to read
    Refused,  // the control file is malformed
};

struct ControlFileDecision {
    ControlVerdict verdict = ControlVerdict::NotRun;
    int runMask = 0;
    CipherRequest request;
    std::string message;  // why nothing runs; empty for Run
};

// Reads the control file the switches name, only when both a direction and a control file
// were given.
ControlFileDecision readControlFile(const CipherSwitches& switches);

}  // namespace vantorell::engine
