#pragma once
// File and folder helpers with the semantics the designer expects of the Windows calls.

#include <ctime>
#include <string>
#include <vector>

namespace vantorell {

// Windows wildcard match, without regard to case: "*" any run, "?" one character,
// "*.*" and "*" every name, and "name.*" also the name without an extension.
bool wildcardMatch(const std::string& mask, const std::string& name);

struct FoundEntry {
    std::string name;  // name only, no folder
    bool isDirectory = false;
    std::time_t modified = 0;
};

// Entries of the pattern's folder whose names match its last part ("/tmp/x/*.log");
// "." and ".." are never listed. A pattern without a folder part lists nothing.
std::vector<FoundEntry> findEntries(const std::string& pattern);

// The folder part of a path, with its trailing "/" ("" when there is none).
std::string extractFilePath(const std::string& path);
// The name after the last "/".
std::string extractFileName(const std::string& path);

bool fileExists(const std::string& path);       // an existing regular file
bool directoryExists(const std::string& path);  // an existing folder
bool createDirectory(const std::string& path);
bool removeDirectory(const std::string& path);  // an empty folder only
bool deleteFile(const std::string& path);
// Linux has no hidden attribute; the work folder keeps its name, so this only checks
// that the folder exists.
bool setHiddenAttribute(const std::string& path);

// Writes the bytes to a temporary file in the target's folder and renames it over the
// target, so a failure never destroys the previous file. Raises std::runtime_error.
// `mode` is the new file's permission bits.
void writeFileAtomically(const std::string& path, const std::string& bytes, unsigned mode = 0644);

// Opens an existing regular file for reading, never waiting for it: a folder, a FIFO or a
// device is refused without being read. Returns the descriptor (closed on exec), or -1
// and `why` says what is wrong.
int openRegularFileForReading(const std::string& path, std::string& why);

// Reads a whole file; raises std::runtime_error when it cannot be read.
std::string readWholeFile(const std::string& path);

}  // namespace vantorell
