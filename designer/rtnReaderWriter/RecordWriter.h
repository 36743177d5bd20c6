#pragma once
// The record layer of the model writer. Without a file key each record is one line; with a
// file key each record is scrambled, framed by two length characters and the frames are cut
// into lines of 65 characters, each scrambled as one block. Every record also goes into the
// change digest, whether or not anything is written.
//
// Whole pieces of the digest's input and of the file's bytes are hashed and written on
// worker threads (PieceWorker) while the records go on; the last, short pieces are finished
// on the calling thread, so a small model starts no thread.

#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "designer/rtnReaderWriter/ChangeDigest.h"
#include "platform/PieceWorker.h"
#include "designer/rtnReaderWriter/RecordBuffer.h"
#include "designer/rtnReaderWriter/ShortCopy.h"
#include "platform/AtomicFile.h"

namespace vantorell {

// A text the model file cannot carry so that it reads back unchanged (a line break, a
// character a protected copy cannot hold, a name the grammar would misread). Nothing is
// written then; the message says which text and why.
class ModelWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why a protected copy cannot carry `record`: the text and its first character outside the
// blank to "~", the only ones the record layer holds; empty when it can carry it.
std::string strProtectedRecordRefusal(std::string_view record);

// Characters of one line of the record layer.
inline constexpr std::size_t kRecordLineLength = 65;

class RecordWriter {
public:
    // `file` null: nothing is written (digest only). An empty `fileKey`: plain lines.
    RecordWriter(AtomicFile* file, std::string fileKey, bool includeInDigest);

    bool writing() const { return file_ != nullptr; }
    bool writingPlainLines() const { return file_ != nullptr && fileKey_.empty(); }

    // One record out: into the digest, then, when writing, as a line or into the record layer.
    // Raises ModelWriteError for a record the chosen form cannot carry, std::runtime_error
    // when the file cannot be written.
    void nulWriteRecord(std::string_view record) {
        if (file_ != nullptr && fileKey_.empty() &&
            (record.find('\n') != std::string_view::npos ||
             record.find('\r') != std::string_view::npos)) {
            refuseLineBreak(record);
        }
        writeFormed(record);
    }

    // A record the writer formed itself (a keyword, an identifier, a number), which holds
    // no line break and only characters a protected copy carries: nulWriteRecord without
    // the search for line breaks, a large part of the cost of a record this short.
    // Called for nearly every record of a model, so it stays inline and only copies.
    void writeFormed(std::string_view record) {
        if (digest_) {
            digest_->addRecord(record);
        }
        if (file_ == nullptr) {
            return;
        }
        if (fileKey_.empty()) {
            appendLine(record);
        } else {
            writeFramed(record);
        }
    }

    // The records of a block made ahead, as if each had gone through writeFormed.
    void writeBlock(const RecordBuffer& block);

    // Closes the digest, writes the last, shorter line of the record layer and hands every
    // line to the file. Returns the digest, or an empty text when records were not included.
    // Raises std::runtime_error when the file could not be written.
    std::string nulFinishChecksum();

private:
    // The output is handed to the file a whole piece at a time, which the file writes out
    // without copying it into its own buffer.
    static constexpr std::size_t kOutputPiece = PieceWorker::kPieceSize;

    // `text` and a line end at the end of the output.
    void appendLine(std::string_view text) {
        const std::size_t size = text.size() + 2;
        if (size > output_.size() - used_) {
            makeRoom(size);
        }
        char* at = output_.data() + used_;
        copyShort(at, text.data(), text.size());
        at[text.size()] = '\r';
        at[text.size() + 1] = '\n';
        used_ += size;
        if (used_ >= kOutputPiece) {
            handOutput();
        }
    }
    void appendBytes(std::string_view bytes);
    void makeRoom(std::size_t size);
    void handOutput();
    [[noreturn]] static void refuseLineBreak(std::string_view record);
    void writeFramed(std::string_view record);
    void appendToLine(std::string_view characters);

    AtomicFile* file_;
    std::string fileKey_;
    std::optional<ChangeDigest> digest_;
    std::string line_;  // pending characters of the current 65-character line
    // Finished lines not yet handed to the file: output_[0 .. used_), less than a piece.
    std::vector<char> output_;
    std::size_t used_ = 0;
    // Declared last, so that they are stopped before the digest and the buffers they work on
    // go. The digest and the file have a thread each, so that hashing and writing overlap.
    PieceWorker digestWorker_;
    PieceWorker fileWorker_;
};

}  // namespace vantorell
