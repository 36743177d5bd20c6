#pragma once
// Small text routines of the list conversions and the cube extraction: comma-separated field
// splitting, the text after a quoted label, space removal and character filtering.

#include <bitset>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vantorell {

// Fields of a split line: element 0 stays empty, the fields stand at 1 to n.
using TArrString = std::vector<std::string>;

// A set of the 256 byte values.
using TCharSet = std::bitset<256>;

// The byte values first to last, both included.
TCharSet charSetRange(unsigned char first, unsigned char last);

// A line whose quoting cannot be split soundly; the message says what is wrong.
class CsvFieldError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The lines of a text held in memory, one at a time, without their LF or CRLF ends. A text
// that ends in a line end has no empty line after it.
class TextLines {
public:
    explicit TextLines(std::string_view text) : rest_(text) {}
    // The next line; false after the last.
    bool next(std::string_view& line);
    // Number (from 1) of the line given last.
    std::size_t lineNumber() const { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

// Splits a comma-separated line into `fields` (1 to `count`), each trimmed of spaces and
// control characters. A field in double quotes may hold commas; a doubled quote inside it is
// one quote. A line that ends in a comma has an empty last field. A blank line gives count 0
// and leaves `fields` as it was. Raises CsvFieldError for a quote that is never closed and for
// text between a closing quote and the next comma; `fields` is then undefined.
void nulSplitCsvLine(std::string_view line, TArrString& fields, int& count);

// The text after the last double quote of the line, from its first comma on (without the
// comma); the whole text after that quote when it has no comma. For a line of a quoted label,
// a comma and numbers, the numbers.
void strAfterQuotedComma(std::string_view line, std::string& result);

// The text without its space characters (code 32); other white space stays.
void strRemoveSpaces(std::string_view text, std::string& result);

// The characters of the text whose byte values belong to the set, in order.
void strFilterChars(std::string_view text, const TCharSet& keep, std::string& result);

}  // namespace vantorell
