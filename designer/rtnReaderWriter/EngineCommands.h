#pragma once
// The designer's fixed commands to the engine program and the updater, both in the program
// folder: deciphering a retrieved cube, starting the point generator (the generating build
// of the engine) and starting the update check. Each waits until the program has ended;
// meanwhile events keep running.

#include <string>

namespace vantorell {

// "\"<folder>tqmx01.exe\" -Er6413T%T", followed by " -D\"<model file>\"" when `withFile`.
std::string strGeneratorCommandLine(const std::string& programFolder, bool withFile,
                                    const std::string& modelFile);

// "\"<folder>update.exe\" -U".
std::string strUpdaterCommandLine(const std::string& programFolder);

// Has the engine decipher the downloaded `inputFile` into `outputFile` with the password
// and the second key (no "S" line when it is empty); "control.bec" is written into the
// program folder and removed once the engine has ended. An empty password does nothing at
// all. True when the engine ran and reported success. Raises EngineRequestError when a
// value cannot reach the engine or the control file cannot be written; nothing is started
// then.
bool flgDecryptCube(const std::string& programFolder, const std::string& inputFile,
                    const std::string& password, const std::string& secondKey,
                    const std::string& outputFile);
void nulDecryptCube(const std::string& programFolder, const std::string& inputFile,
                    const std::string& password, const std::string& secondKey,
                    const std::string& outputFile);

// Starts the point generator, shown, on the model file when `withFile` is set (else without
// one) and waits for its end. Raises EngineRequestError when the model file cannot be named
// on the command line or the program cannot be started (a missing program among them).
void nulStartEngine(const std::string& programFolder, bool withFile, const std::string& modelFile);

// Starts the updater, shown, and waits for its end. Raises EngineRequestError when it
// cannot be started.
void nulCheckUpdates(const std::string& programFolder);

}  // namespace vantorell
