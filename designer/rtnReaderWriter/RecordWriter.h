#pragma once
// The record layer of the model writer. Without a file key each record is one line; with a
// file key each record is scrambled, framed by two length characters and the frames are cut
// into lines of 65 characters, each scrambled as one block. Every record also goes into the
// change digest, whether or not anything is written.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "designer/rtnReaderWriter/ChangeDigest.h"

namespace vantorell {

class AtomicFile;

// A text the model file cannot carry so that it reads back unchanged (a line break, a
// character a protected copy cannot hold, a name the grammar would misread). Nothing is
// written then; the message says which text and why.
class ModelWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Characters of one line of the record layer.
inline constexpr std::size_t kRecordLineLength = 65;

class RecordWriter {
public:
    // `file` null: nothing is written (digest only). An empty `fileKey`: plain lines.
    RecordWriter(AtomicFile* file, std::string fileKey, bool includeInDigest);

    bool writing() const { return file_ != nullptr; }

    // One record out: into the digest, then, when writing, as a line or into the record layer.
    // Raises ModelWriteError for a record the chosen form cannot carry, std::runtime_error
    // when the file cannot be written.
    void nulWriteRecord(std::string_view record);

    // Closes the digest, writes the last, shorter line of the record layer and hands every
    // line to the file. Returns the digest, or an empty text when records were not included.
    std::string nulFinishChecksum();

private:
    void writeFramed(std::string_view record);
    void appendToLine(std::string_view characters);

    AtomicFile* file_;
    std::string fileKey_;
    std::optional<ChangeDigest> digest_;
    std::string line_;    // pending characters of the current 65-character line
    std::string output_;  // finished lines not yet handed to the file
};

}  // namespace vantorell
