#pragma once
// Splitting a command-line text into arguments the way Windows programs receive them.

#include <string>
#include <vector>

namespace vantorell {

// Splits a command line with the Windows rules:
// - the program name (first argument) ends at the next double quote when it starts with one,
//   else at the first blank; backslashes in it are plain characters;
// - further arguments are separated by blanks and tabs outside double quotes;
// - 2n backslashes before a double quote give n backslashes and the quote opens or closes a
//   quoted part; 2n+1 backslashes before it give n backslashes and a literal quote;
//   backslashes anywhere else are plain characters;
// - inside a quoted part, a doubled quote gives one literal quote and ends the quoted part.
// An empty text gives no arguments.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

// The arguments to start a program with from a command-line text of the system: split with
// the Windows rules, and the program's file name taken through the program name table
// ("<folder>tqmx01.exe" -> "<folder>tqmx01").
std::vector<std::string> commandLineArguments(const std::string& commandLine);

}  // namespace vantorell
