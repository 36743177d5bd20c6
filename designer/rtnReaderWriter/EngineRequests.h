#pragma once
// The designer's requests to the engine program: it writes "control.bec" into the program
// folder and starts the engine there, hidden, and waits for it. The engine runs with the
// program folder as its current folder, so "temp.dat" in the control file names
// programFolder + "temp.dat".

#include <cstdint>
#include <string>

namespace vantorell {

// Name of the intermediate file, relative to the program folder.
inline constexpr const char* kTempDataFile = "temp.dat";
inline constexpr const char* kControlFile = "control.bec";

// Starts the command line (split with the Windows rules, no shell) and waits for the
// program's end while events keep running. 0 when it ran, else the system error number
// of the failed start (2 for a missing program). `show` is the Windows show value.
int WinExecAndWait32(const std::string& commandLine, std::uint16_t show,
                     const std::string& workingFolder = std::string());

// Has the engine decipher `inputFile` into `outputFile` (normally "temp.dat").
// Debug messages go out under bit 2048 of `debugFlags`.
void nulRunDecryption(const std::string& programFolder, const std::string& inputFile,
                      const std::string& outputFile, const std::string& password,
                      const std::string& secondKey, int debugFlags);

// Has the engine encipher "temp.dat" into `targetFile`.
void nulRunEncryption(const std::string& programFolder, const std::string& targetFile,
                      const std::string& password, const std::string& secondKey);

}  // namespace vantorell
