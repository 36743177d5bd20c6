#include "designer/rtnReaderWriter/TextFields.h"

#include "designer/rtnGrids/TrimBlanks.h"

namespace vantorell {
namespace {

void addField(std::string_view field, TArrString& fields, int& count) {
    ++count;
    fields.resize(static_cast<std::size_t>(count) + 1);
    fields[static_cast<std::size_t>(count)].assign(trimBlanks(field));
}

// A quoted field from the opening quote at the start of `rest`; `rest` becomes what follows
// the comma after it, and `last` tells whether there was no such comma.
std::string quotedField(std::string_view& rest, bool& last) {
    std::string field;
    std::size_t i = 1;
    for (;;) {
        const std::size_t quote = rest.find('"', i);
        if (quote == std::string_view::npos) {
            throw CsvFieldError("a field that begins with a double quote has no closing quote");
        }
        field.append(rest.substr(i, quote - i));
        if (quote + 1 < rest.size() && rest[quote + 1] == '"') {
            field += '"';
            i = quote + 2;
            continue;
        }
        rest.remove_prefix(quote + 1);
        break;
    }
    rest = trimBlanks(rest);
    if (rest.empty()) {
        last = true;
    } else if (rest.front() == ',') {
        rest.remove_prefix(1);
        last = false;
    } else {
        throw CsvFieldError("text follows the closing quote of the field \"" + field + "\"");
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

void nulSplitCsvLine(std::string_view line, TArrString& fields, int& count) {
    count = 0;
    std::string_view rest = trimBlanks(line);
    if (rest.empty()) {
        return;
    }
    // Checked whole before anything is stored, so a refused line leaves the fields alone.
    TArrString taken(1);
    int taking = 0;
    bool last = false;
    while (!last) {
        rest = trimBlanks(rest);
        if (!rest.empty() && rest.front() == '"') {
            addField(quotedField(rest, last), taken, taking);
            continue;
        }
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            addField(rest, taken, taking);
            last = true;
        } else {
            addField(rest.substr(0, comma), taken, taking);
            rest.remove_prefix(comma + 1);
        }
    }
    fields.swap(taken);
    count = taking;
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
