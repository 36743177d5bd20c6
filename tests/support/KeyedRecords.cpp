#include "tests/support/KeyedRecords.h"

#include "common/Scrambler.h"

namespace vantorell::test {

std::vector<std::string> keyedRecordLines(const std::vector<std::string>& records,
                                          const std::string& fileKey) {
    std::string stream;
    for (const std::string& record : records) {
        const std::string e = strEncrypt(record, fileKey);
        stream += static_cast<char>(e.size() / 94 + 33);
        stream += static_cast<char>(e.size() % 94 + 33);
        stream += e;
    }
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < stream.size(); i += 65) {
        lines.push_back(strEncryptBlock(stream.substr(i, 65), fileKey));
    }
    return lines;
}

std::string keyedRecordFile(const std::vector<std::string>& records, const std::string& fileKey,
                            const std::string& lineEnd) {
    return joinLines(keyedRecordLines(records, fileKey), lineEnd);
}

std::string printableText(const std::string& text) {
    std::string plain;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {  // one "e" per sequence, at its lead byte
            plain += byte < 128 ? c : 'e';
        }
    }
    return plain;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = next;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& lineEnd) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

std::string plainRecords(const std::string& barSeparated) {
    std::string out;
    for (char c : barSeparated) {
        out += c == '|' ? std::string("\r\n") : std::string(1, c);
    }
    return out + "\r\n";
}

}  // namespace vantorell::test
