#pragma once
// Records of a model file. Plain files hold one record per line. With a file key the lines
// are enciphered blocks of the record layer: deciphered and joined they form one stream in
// which every record is framed by two length characters and enciphered by itself, so a
// record may span lines and a line may hold several records.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace vantorell {

// Length of one line of the record layer once deciphered (the last one may be shorter).
inline constexpr std::size_t kRecordLayerLineLength = 65;

// A record in double quotes as the reader's messages give it: its first 80 characters, and
// "..." when it holds more; a control character shows as "?", so that what a damaged file
// holds cannot cut or garble the message.
std::string quotedRecord(std::string_view record);

// The reader's position in one model file. A file is read through a buffer as the records
// are taken, so that a large model never sits in memory twice.
class RecordSource {
public:
    // Records of an open file, which the source closes. `fileName` names it in messages.
    // Raises ModelFileError when the file cannot be opened.
    static RecordSource open(const std::string& path, std::string fileKey, int debugMask,
                             const std::string& fileName);
    // Records of a text held in memory.
    RecordSource(std::string text, std::string fileKey, int debugMask, std::string fileName);
    ~RecordSource();
    RecordSource(RecordSource&& other) noexcept;
    RecordSource(const RecordSource&) = delete;
    RecordSource& operator=(const RecordSource&) = delete;
    RecordSource& operator=(RecordSource&&) = delete;

    // The next line of the file without its line end; false at the end of the file. The
    // view is valid up to the next call. Raises ModelFileError when the file cannot be read.
    bool nextLine(std::string_view& line);

    const std::string& fileKey() const { return fileKey_; }
    int debugMask() const { return debugMask_; }
    const std::string& fileName() const { return fileName_; }
    // Line (1-based) on which the record read last began.
    int recordLine() const { return recordLine_; }
    int linesRead() const { return linesRead_; }
    // Size of the whole file in bytes.
    std::size_t fileBytes() const { return fileBytes_; }

private:
    friend bool flgReadRecordView(RecordSource& source, std::string_view& record);
    friend bool flgReadRecordViewSkipComments(RecordSource& source, std::string_view& record);

    RecordSource(std::FILE* file, std::size_t fileBytes, std::string fileKey, int debugMask,
                 std::string fileName);
    // Moves the unread rest to the front and reads more; false when nothing more came.
    bool refill();
    // The next line as a record of the plain form.
    bool nextPlainRecord(std::string_view& record);

    std::FILE* file_ = nullptr;
    std::string buffer_;
    std::size_t next_ = 0;  // start of the unread part of the buffer
    std::size_t end_ = 0;   // end of the valid part of the buffer
    std::size_t fileBytes_ = 0;
    std::string fileKey_;
    int debugMask_ = 0;
    std::string fileName_;
    int linesRead_ = 0;
    int recordLine_ = 0;
    // Record layer: the deciphered current line and the position in it; the first read
    // starts past its end, so that it fetches a line.
    std::string currentLine_;
    std::size_t position_ = 0;
    std::string framed_;
    std::string record_;  // the deciphered record last read
};

// The next record. False at the end of the file, also when it ends inside a framed record;
// `record` is then empty. Raises ModelFileError for a line of the record layer that cannot
// be deciphered.
bool nulReadRecord(RecordSource& source, std::string& record);

// The same, skipping comments: records that begin with "<". An empty record is no comment.
bool nulReadRecordSkipComments(RecordSource& source, std::string& record);

// The same without a copy: `record` is valid up to the next read from the source.
bool flgReadRecordView(RecordSource& source, std::string_view& record);
bool flgReadRecordViewSkipComments(RecordSource& source, std::string_view& record);

}  // namespace vantorell
