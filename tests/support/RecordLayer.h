#pragma once
// Test-side decoding of what the model writer produces, independent of the model reader:
// plain files split into their CRLF lines, and protected record layers undone line by line
// and frame by frame.

#include <string>
#include <vector>

namespace vantorell::test {

// The lines of a text whose every line ends in CRLF; fails the test on a bare LF or a
// missing last line end.
std::vector<std::string> crlfLines(const std::string& text);

// The records of a record layer under `fileKey`. `lineLengths` receives the length of each
// deciphered line.
std::vector<std::string> decodeRecordLayer(const std::string& text, const std::string& fileKey,
                                           std::vector<std::size_t>* lineLengths = nullptr);

}  // namespace vantorell::test
