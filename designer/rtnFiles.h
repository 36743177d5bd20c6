#pragma once
// Plain text files, one line per call: the designer's logs and downloaded listings.
// Every routine opens and closes the file within the call.

#include <stdexcept>
#include <string>
#include <vector>

namespace vantorell {

using TFileOpenReadCloseArray = std::vector<std::string>;

// Raised when a file cannot be opened, read or written.
class FileIoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates the file, or empties it when it exists.
void nulFileCreate(const std::string& fileName);

// Appends the line and a CRLF line end, creating the file when it does not exist.
void nulFileAppendLine(const std::string& fileName, const std::string& line);

// Appends the text as it stands (line ends included) in one write, creating the file when
// it does not exist: many lines cost one open instead of one each.
void nulFileAppendText(const std::string& fileName, const std::string& text);

// Reads the whole file into `lines` (emptied first); LF and CRLF end a line. With
// `skipEmpty`, lines that are blank once trimmed are left out. Returns the count stored.
// A file of zero bytes holds one empty line.
int intFileReadLines(const std::string& fileName, bool skipEmpty, TFileOpenReadCloseArray& lines);

// The whole file as it stands, line ends included.
std::string strFileReadWhole(const std::string& fileName);

// Asks for a folder; true and `folder` set when one was chosen, `folder` untouched otherwise.
bool flgChooseFolder(std::string& folder);

}  // namespace vantorell
