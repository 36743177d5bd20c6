#pragma once
// What the fuzz targets share: a folder of their own for each input, the report of a
// property that does not hold, and the services the designer's code asks for.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantorell::fuzz {

// The input as a text of bytes.
std::string text(const std::uint8_t* data, std::size_t size);

// An empty folder for the current input (the previous input's goes first), inside a
// temporary folder of the process that is removed at exit. Ends in "/".
std::string inputFolder();

// Writes the bytes into a file and returns its path; a file that cannot be written is a
// fault of the machine, not of the input, and aborts.
std::string writeFile(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
bool exists(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> entries(const std::string& folder);

// A property of the code under test that must hold for every input. When it does not, the
// broken property goes to standard error and the process aborts, so that the fuzzer keeps
// the input as a crash.
void require(bool holds, const std::string& property);

// The application object, for code that lets events run; made on the first call.
void useApplication();

// Every message box is answered with OK (Yes where it asks) without showing anything.
void answerMessages();
// "<caption>: <text>" of the message shown last, or empty when none was since the last call.
std::string takeLastMessage();

}  // namespace vantorell::fuzz
