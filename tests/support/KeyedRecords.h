#pragma once
// Builds files in the record layer for reader tests, independently of the model writer:
// each record enciphered by itself and framed by two length characters, the stream cut
// into lines of 65 characters, each line enciphered as one block.

#include <string>
#include <vector>

namespace vantorell::test {

// The lines of the record layer (without line ends) for `records` under `fileKey`.
std::vector<std::string> keyedRecordLines(const std::vector<std::string>& records,
                                          const std::string& fileKey);

// The same lines joined, each ended by `lineEnd`.
std::string keyedRecordFile(const std::vector<std::string>& records, const std::string& fileKey,
                            const std::string& lineEnd = "\r\n");

// The text with each character beyond ASCII (a UTF-8 sequence) replaced by "e": the record
// layer carries only blank to "~".
std::string printableText(const std::string& text);

// The lines of a text, without their line ends (LF or CRLF); no empty last line.
std::vector<std::string> splitLines(const std::string& text);

// Lines joined, each ended by `lineEnd`.
std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n");

// A plain model file of records written separated by "|", with CRLF line ends.
std::string plainRecords(const std::string& barSeparated);

}  // namespace vantorell::test
