#include "transport/HttpProt/ResponseHeader.h"

#include <cctype>
#include <limits>

namespace vantorell::transport {
namespace {

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string TrimBlanks(const std::string& Text) {
    const auto first = Text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    const auto last = Text.find_last_not_of(" \t");
    return Text.substr(first, last - first + 1);
}

std::string LowerCase(std::string Text) {
    for (char& c : Text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return Text;
}

bool LooksLikeStatusLine(const std::string& Line) {
    return Line.rfind("HTTP/", 0) == 0;
}

bool ParseStatusLine(const std::string& Line, int& StatusCode, std::string& ReasonPhrase) {
    if (Line.size() < 12 || !LooksLikeStatusLine(Line) || !Digit(Line[5]) || Line[6] != '.' ||
        !Digit(Line[7]) || Line[8] != ' ' || !Digit(Line[9]) || !Digit(Line[10]) ||
        !Digit(Line[11]) || (Line.size() > 12 && Line[12] != ' ')) {
        return false;
    }
    StatusCode = (Line[9] - '0') * 100 + (Line[10] - '0') * 10 + (Line[11] - '0');
    ReasonPhrase = Line.size() > 13 ? Line.substr(13) : std::string();
    return true;
}

bool SplitHeaderLine(const std::string& Line, std::string& Name, std::string& Value) {
    const auto colon = Line.find(':');
    if (colon == std::string::npos) {
        return false;
    }
    Name = LowerCase(Line.substr(0, colon));
    const auto value = Line.find_first_not_of(' ', colon + 1);
    Value = value == std::string::npos ? std::string() : Line.substr(value);
    return true;
}

bool ParseContentLength(const std::string& Value, std::int64_t& Length) {
    const std::string digits = TrimBlanks(Value);
    if (digits.empty()) {
        return false;
    }
    std::int64_t result = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    for (const char c : digits) {
        if (!Digit(c) || result > kLimit) {
            return false;
        }
        result = result * 10 + (c - '0');
    }
    Length = result;
    return true;
}

void ParseContentRange(const std::string& Value, std::string& Begin, std::string& End) {
    Begin.clear();
    End.clear();
    if (Value.size() <= 6) {
        return;
    }
    const auto dash = Value.find('-', 6);
    Begin = Value.substr(6, dash == std::string::npos ? std::string::npos : dash - 6);
    if (dash != std::string::npos) {
        const auto slash = Value.find('/', dash + 1);
        End = Value.substr(dash + 1,
                           slash == std::string::npos ? std::string::npos : slash - dash - 1);
    }
}

std::string MediaType(const std::string& ContentType) {
    return TrimBlanks(ContentType.substr(0, ContentType.find(';')));
}

}  // namespace vantorell::transport
