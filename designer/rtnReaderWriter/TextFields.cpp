#include "designer/rtnReaderWriter/TextFields.h"

#include "designer/rtnGrids/TrimBlanks.h"

namespace vantorell {
namespace {

// Stores the field at the next index; the strings of earlier lines keep their room, so a file
// of lines of equal shape is split without allocations.
void addField(std::string_view field, TArrString& fields, int& count) {
    ++count;
    const auto at = static_cast<std::size_t>(count);
    if (fields.size() <= at) {
        fields.resize(at + 1);
    }
    fields[at].assign(trimBlanks(field));
}

// A quoted field from the opening quote at the start of `rest`; `rest` becomes what follows
// the comma after it, and `last` tells whether there was no such comma. A field with doubled
// quotes is built in `scratch`; any other is a view into the line.
std::string_view quotedField(std::string_view& rest, bool& last, std::string& scratch) {
    std::string_view field;
    std::size_t quote = rest.find('"', 1);
    if (quote != std::string_view::npos && (quote + 1 >= rest.size() || rest[quote + 1] != '"')) {
        field = rest.substr(1, quote - 1);
    } else {
        scratch.clear();
        std::size_t from = 1;
        while (quote != std::string_view::npos && quote + 1 < rest.size() &&
               rest[quote + 1] == '"') {
            scratch.append(rest.substr(from, quote - from + 1));
            from = quote + 2;
            quote = rest.find('"', from);
        }
        if (quote == std::string_view::npos) {
            throw CsvFieldError("a field that begins with a double quote has no closing quote");
        }
        scratch.append(rest.substr(from, quote - from));
        field = scratch;
    }
    rest = trimBlanks(rest.substr(quote + 1));
    if (rest.empty()) {
        last = true;
    } else if (rest.front() == ',') {
        rest.remove_prefix(1);
        last = false;
    } else {
        throw CsvFieldError("text follows the closing quote of the field \"" + std::string(field) +
                            "\"");
    }
    return field;
}

}  // namespace

TCharSet charSetRange(unsigned char first, unsigned char last) {
    TCharSet set;
    for (unsigned c = first; c <= last; ++c) {
        set.set(c);
    }
    return set;
}

bool TextLines::next(std::string_view& line) {
    if (rest_.empty()) {
        return false;
    }
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    ++number_;
    return true;
}

void nulSplitCsvLine(std::string_view line, TArrString& fields, int& count) {
    count = 0;
    std::string_view rest = trimBlanks(line);
    if (rest.empty()) {
        return;
    }
    if (fields.empty()) {
        fields.resize(1);
    }
    fields[0].clear();
    std::string scratch;
    bool last = false;
    while (!last) {
        rest = trimBlanks(rest);
        if (!rest.empty() && rest.front() == '"') {
            addField(quotedField(rest, last, scratch), fields, count);
            continue;
        }
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            addField(rest, fields, count);
            last = true;
        } else {
            addField(rest.substr(0, comma), fields, count);
            rest.remove_prefix(comma + 1);
        }
    }
    fields.resize(static_cast<std::size_t>(count) + 1);
}

void strAfterQuotedComma(std::string_view line, std::string& result) {
    const std::size_t quote = line.rfind('"');
    if (quote != std::string_view::npos) {
        line.remove_prefix(quote + 1);
    }
    const std::size_t comma = line.find(',');
    result.assign(comma == std::string_view::npos ? line : line.substr(comma + 1));
}

void strRemoveSpaces(std::string_view text, std::string& result) {
    result.clear();
    result.reserve(text.size());
    for (const char c : text) {
        if (c != ' ') {
            result += c;
        }
    }
}

void strFilterChars(std::string_view text, const TCharSet& keep, std::string& result) {
    result.clear();
    result.reserve(text.size());
    for (const char c : text) {
        if (keep.test(static_cast<unsigned char>(c))) {
            result += c;
        }
    }
}

}  // namespace vantorell
