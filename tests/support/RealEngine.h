#pragma once
// The engine program as the designer's tests meet it: the built tqmx01 installed into a
// test's program folder, and the same control-file runner called in-process to make and
// undo enciphered files without starting a process.

#include <string>

namespace vantorell::test {

// Path of the built engine program.
std::string realEngineProgram();

// Copies the built engine into the program folder as "tqmx01", where the designer starts it,
// or under another name, and returns the copy's path. The updater, the same program, comes as
// the built "update".
std::string installRealEngine(const std::string& programFolder, const std::string& name = "tqmx01");

// The third key text that encipherAsTheEngine writes into its files.
inline constexpr const char* kEngineThirdKey = "12/10/2026 10:20:33 AM";

// One run of the engine's control-file runner with the lines the designer writes for the
// password and second key (no "S" line when it is empty). True when it wrote the output.
bool encipherAsTheEngine(const std::string& source, const std::string& output,
                         const std::string& password, const std::string& secondKey);
bool decipherAsTheEngine(const std::string& source, const std::string& output,
                         const std::string& password, const std::string& secondKey);

}  // namespace vantorell::test
