#pragma once
// The temporary files a program has open, kept where a signal handler can find them: a
// program that is told to end (SIGTERM, SIGINT, SIGHUP) removes them before it ends, so a
// half-written file, which may hold deciphered text, never stays behind.
//
// Each file is recorded from the moment it is created until it is renamed into place or
// removed. Creating and renaming hold the three signals back in the calling thread, and a
// handler running on another thread waits for them to finish, so the handler sees every
// file that exists and none that has been put in place.

#include <string>

namespace vantorell {

// Creates a new file from `pattern`, whose trailing "XXXXXX" is replaced as mkstemp does,
// and records it. Returns the descriptor, or -1 with errno set. `record` is what the other
// calls take; -1 when every record was in use (the file then works but is not removed
// when the program is told to end).
int createLiveTempFile(std::string& pattern, int& record);

// Renames the file over `target` and drops its record. False with errno set; the file then
// stays recorded.
bool renameLiveTempFile(int record, const std::string& path, const std::string& target);

// Removes the file and drops its record.
void removeLiveTempFile(int record, const std::string& path);

// Installs the handler of SIGTERM, SIGINT and SIGHUP: it removes every recorded file and
// ends the program with `exitStatus`. Also ignores SIGXFSZ, so that a write beyond the
// file size limit fails as an error that the writer reports, instead of ending the
// program with its file left behind. Call it in main before any thread exists.
void removeLiveTempFilesOnTermination(int exitStatus);

}  // namespace vantorell
