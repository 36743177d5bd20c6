#pragma once
// Records of a model file. Plain files hold one record per line. With a file key the lines
// are enciphered blocks of the record layer: deciphered and joined they form one stream in
// which every record is framed by two length characters and enciphered by itself, so a
// record may span lines and a line may hold several records.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantorell {

// Length of one line of the record layer once deciphered (the last one may be shorter).
inline constexpr std::size_t kRecordLayerLineLength = 65;

// The reader's position in one model file, held in memory whole.
class RecordSource {
public:
    // `fileName` only names the file in error messages.
    RecordSource(std::string text, std::string fileKey, int debugMask, std::string fileName);

    // The next line of the file without its line end; false at the end of the file.
    bool nextLine(std::string_view& line);

    const std::string& fileKey() const { return fileKey_; }
    int debugMask() const { return debugMask_; }
    const std::string& fileName() const { return fileName_; }
    // Line (1-based) on which the record read last began.
    int recordLine() const { return recordLine_; }
    int linesRead() const { return linesRead_; }
    std::size_t fileBytes() const { return text_.size(); }

private:
    friend bool nulReadRecord(RecordSource& source, std::string& record);

    std::string text_;
    std::size_t next_ = 0;
    std::string fileKey_;
    int debugMask_ = 0;
    std::string fileName_;
    int linesRead_ = 0;
    int recordLine_ = 0;
    // Record layer: the deciphered current line and the position in it; the first read
    // starts past its end, so that it fetches a line.
    std::string currentLine_;
    std::size_t position_ = 0;
};

// The next record. False at the end of the file, also when it ends inside a framed record;
// `record` is then empty. Raises ModelFileError for a line of the record layer that cannot
// be deciphered.
bool nulReadRecord(RecordSource& source, std::string& record);

// The same, skipping comments: records that begin with "<". An empty record is no comment.
bool nulReadRecordSkipComments(RecordSource& source, std::string& record);

}  // namespace vantorell
