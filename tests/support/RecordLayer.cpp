#include "tests/support/RecordLayer.h"

#include <gtest/gtest.h>

#include "common/Scrambler.h"

namespace vantorell::test {

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            ADD_FAILURE() << "the last line has no line end";
            lines.push_back(text.substr(start));
            break;
        }
        if (lf == start || text[lf - 1] != '\r') {
            ADD_FAILURE() << "line " << lines.size() + 1 << " ends in a bare LF";
            lines.push_back(text.substr(start, lf - start));
        } else {
            lines.push_back(text.substr(start, lf - 1 - start));
        }
        start = lf + 1;
    }
    return lines;
}

std::vector<std::string> decodeRecordLayer(const std::string& text, const std::string& fileKey,
                                           std::vector<std::size_t>* lineLengths) {
    std::string stream;
    for (const std::string& line : crlfLines(text)) {
        const std::string plain = strDecryptBlock(line, fileKey);
        if (lineLengths != nullptr) {
            lineLengths->push_back(plain.size());
        }
        stream += plain;
    }
    std::vector<std::string> records;
    std::size_t at = 0;
    while (at < stream.size()) {
        if (at + 2 > stream.size()) {
            ADD_FAILURE() << "the stream ends inside a length";
            break;
        }
        const std::size_t length = (static_cast<unsigned char>(stream[at]) - 33) * 94 +
                                   (static_cast<unsigned char>(stream[at + 1]) - 33);
        at += 2;
        if (at + length > stream.size()) {
            ADD_FAILURE() << "the stream ends inside a record";
            break;
        }
        records.push_back(strDecrypt(stream.substr(at, length), fileKey));
        at += length;
    }
    return records;
}

}  // namespace vantorell::test
