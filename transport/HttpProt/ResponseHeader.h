#pragma once
// Reading the lines of a response header: the status line and "name: value" fields, with
// the values the client keeps checked before they are used.

#include <cstdint>
#include <string>

namespace vantorell::transport {

// A line that begins "HTTP/" and so should be a status line.
bool LooksLikeStatusLine(const std::string& Line);

// "HTTP/<digit>.<digit> <three digits>[ <reason>]": the status and the reason phrase (the
// text from the 14th character). False for anything else.
bool ParseStatusLine(const std::string& Line, int& StatusCode, std::string& ReasonPhrase);

// A field "name: value": the name in lower case, the value with its leading blanks
// skipped. False when the line holds no ":".
bool SplitHeaderLine(const std::string& Line, std::string& Name, std::string& Value);

// A content length: decimal digits between blanks, small enough for 63 bits.
bool ParseContentLength(const std::string& Value, std::int64_t& Length);

// "bytes <first>-<last>/<length>": the first and the last position as texts; what is
// missing stays empty.
void ParseContentRange(const std::string& Value, std::string& Begin, std::string& End);

// The media type of a content type, without its parameters: "text/html; charset=utf-8"
// gives "text/html".
std::string MediaType(const std::string& ContentType);

// Text with the blanks and tabs at both ends removed.
std::string TrimBlanks(const std::string& Text);

std::string LowerCase(std::string Text);

}  // namespace vantorell::transport
