#pragma once
// The program folder the build puts together ("<build>/bin/"): the designer, the engine and
// the updater side by side, with the help pages and the example models. Tests never run the
// programs there, where they would write their settings and logs into the build: they run
// copies in a program folder of their own, laid out the same way.

#include <string>

namespace vantorell::test {

// The built program folder, with its trailing "/".
std::string builtProgramFolder();

// Copies the built program `name` ("Vantorell", "tqmx01", "update") into the program folder
// under `as` (the same name when empty) and returns the copy's path. A copy, not a link: a
// test that writes over its program folder's programs must not reach the built ones.
std::string installBuiltProgram(const std::string& programFolder, const std::string& name,
                                const std::string& as = "");

// Copies the whole built program folder into `programFolder`.
void installBuiltProgramFolder(const std::string& programFolder);

}  // namespace vantorell::test
