#pragma once
// The designer's requests to the engine program: it writes "control.bec" into the program
// folder and starts the engine there, hidden, and waits for it. The engine runs with the
// program folder as its current folder, so "temp.dat" in the control file names
// programFolder + "temp.dat".

#include <cstddef>
#include <stdexcept>
#include <string>

#include "designer/rtnReaderWriter/ProgramStarter.h"

namespace vantorell {

// Name of the intermediate file, relative to the program folder.
inline constexpr const char* kTempDataFile = "temp.dat";
inline constexpr const char* kControlFile = "control.bec";
// The engine program in the program folder, by its Windows name.
inline constexpr const char* kEngineProgramFile = "tqmx01.exe";

// The engine reads at most this many characters of a control file line.
inline constexpr std::size_t kControlLineLimit = 255;

// Raised when a request cannot be made: a value the control file cannot carry (a line
// break, a NUL, more than 255 characters), a program folder the command line cannot name,
// or a control file that cannot be written. Nothing is started then.
class EngineRequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class CipherDirection { Decipher, Encipher };

// "\"<folder>tqmx01.exe\" -BK7#LmmP -f\"<folder>control.bec\" -d" (or " -e").
std::string strEngineCommandLine(const std::string& programFolder, CipherDirection direction);

// Has the engine decipher `inputFile` into `outputFile` (normally "temp.dat"; a stale
// "temp.dat" is removed first, so that a failed run leaves none behind).
// Debug messages go out under bit 2048 of `debugFlags`.
// "control.bec" is created with mode 0600 and, since it holds the password, deleted as soon
// as the engine has ended, whatever the outcome.
// True when the engine started, ended and reported success (exit status 0).
bool flgRunDecryption(const std::string& programFolder, const std::string& inputFile,
                      const std::string& outputFile, const std::string& password,
                      const std::string& secondKey, int debugFlags);

// Has the engine encipher "temp.dat" into `targetFile`; the "T" line is the current date
// and time (shortDateLongTimeText). Afterwards "control.bec" and "temp.dat" are deleted.
// True when the engine started, ended and reported success.
bool flgRunEncryption(const std::string& programFolder, const std::string& targetFile,
                      const std::string& password, const std::string& secondKey);

// The same requests for callers that go by the output file alone.
void nulRunDecryption(const std::string& programFolder, const std::string& inputFile,
                      const std::string& outputFile, const std::string& password,
                      const std::string& secondKey, int debugFlags);
void nulRunEncryption(const std::string& programFolder, const std::string& targetFile,
                      const std::string& password, const std::string& secondKey);

}  // namespace vantorell
