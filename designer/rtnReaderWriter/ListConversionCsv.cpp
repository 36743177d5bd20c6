// Comma-separated dimension/category list into a list file.
#include <string_view>
#include <vector>

#include "common/ShortString.h"
#include "designer/rtnFiles.h"
#include "designer/rtnReaderWriter/ListConversion.h"
#include "designer/rtnReaderWriter/TextFields.h"
#include "platform/FileSystem.h"

namespace vantorell {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isBracket(std::string_view text) {
    return text == "{" || text == "}" || text == "(" || text == ")";
}

// The list file as it is written: the head, then records of two lines (name, code) and
// brace lines around the children of a record.
class ListText {
public:
    // `bytes`: about the size of the input, which the list takes again with its brace lines.
    ListText(const std::string& title, std::size_t bytes) {
        text_.reserve(bytes + bytes / 2 + title.size() + 16);
        line("{}");
        line(title);
        line("*");
    }
    void record(std::string_view code, std::string_view name) {
        line(name);
        line(code);
    }
    void open() { line("{"); }
    void close(std::size_t groups) {
        for (; groups > 0; --groups) {
            line("}");
        }
    }
    const std::string& text() const { return text_; }

private:
    void line(std::string_view text) {
        text_.append(text);
        text_.append("\r\n");
    }
    std::string text_;
};

// The records of the comma-separated file in order, each with as many fields as the first;
// blank lines are passed over.
class CsvRecords {
public:
    explicit CsvRecords(const std::string& file) : file_(file), text_(strFileReadWhole(file)) {
        std::string_view text = text_;
        if (text.starts_with(kUtf8Mark)) {
            text.remove_prefix(kUtf8Mark.size());
        }
        lines_ = TextLines(text);
    }

    // Moves to the next record; false after the last.
    bool next() {
        std::string_view line;
        while (lines_.next(line)) {
            if (!flgIsUtf8(line)) {
                refuse("the line is not UTF-8 text");
            }
            int count = 0;
            try {
                nulSplitCsvLine(line, fields_, count);
            } catch (const CsvFieldError& e) {
                refuse(e.what());
            }
            if (count == 0) {
                continue;
            }
            if (fieldCount_ == 0 && count < 2) {
                refuse("the line has a single field, where every line needs a code and a name");
            }
            if (fieldCount_ != 0 && count != fieldCount_) {
                refuse("the line has " + std::to_string(count) +
                       " fields, but the first line has " + std::to_string(fieldCount_) +
                       "; every line must have as many fields as the first");
            }
            fieldCount_ = count;
            return true;
        }
        return false;
    }

    std::size_t bytes() const { return text_.size(); }

    // Fields of every record; 0 before the first.
    int fieldCount() const { return fieldCount_; }
    const std::string& field(int i) const { return fields_[static_cast<std::size_t>(i)]; }

    // A record written to the list needs a name, and one that no brace line could be.
    void requireName(const std::string& code, const std::string& name) const {
        if (name.empty()) {
            refuse(code.empty() ? std::string("a record has neither a code nor a name")
                                : "the record with the code \"" + code + "\" has no name");
        }
        if (isBracket(name)) {
            refuse("a record cannot be named \"" + name + "\" alone");
        }
    }

    [[noreturn]] void refuse(const std::string& why) const {
        throw ListConversionError("Line " + std::to_string(lines_.lineNumber()) + " of \"" + file_ +
                                  "\": " + why + ".");
    }

private:
    std::string file_;
    std::string text_;
    TextLines lines_{{}};
    TArrString fields_;
    int fieldCount_ = 0;
};

// Every record at the top level.
void writeFlat(CsvRecords& in, ListText& out) {
    do {
        in.requireName(in.field(1), in.field(2));
        out.record(in.field(1), in.field(2));
    } while (in.next());
}

// The codes of the records on the path from the top level to the last record written. A
// parent is searched from the innermost level outward, and every level the search passes is
// closed after it, so the searches cost no more than the records written.
class OpenPath {
public:
    std::size_t size() const { return codes_.size(); }
    void push(const std::string& code) { codes_.push_back(code); }
    void cut(std::size_t size) { codes_.resize(size); }
    // The innermost level that holds the code; false when none does.
    bool find(const std::string& code, std::size_t& level) const {
        for (std::size_t i = codes_.size(); i > 0; --i) {
            if (codes_[i - 1] == code) {
                level = i - 1;
                return true;
            }
        }
        return false;
    }

private:
    std::vector<std::string> codes_;
};

// Field 3 names the parent's code. A record is nested when its parent is on the path to the
// record written before it; otherwise, as with an empty parent, it goes to the top level.
void writeParentReferences(CsvRecords& in, ListText& out) {
    OpenPath path;
    do {
        const std::string& code = in.field(1);
        in.requireName(code, in.field(2));
        std::size_t parent = 0;
        if (path.size() > 0 && !in.field(3).empty() && path.find(in.field(3), parent)) {
            if (parent + 1 == path.size()) {
                out.open();
            } else {
                out.close(path.size() - parent - 2);
            }
            path.cut(parent + 1);
        } else {
            out.close(path.size() > 0 ? path.size() - 1 : 0);
            path.cut(0);
        }
        out.record(code, in.field(2));
        path.push(code);
    } while (in.next());
    out.close(path.size() > 0 ? path.size() - 1 : 0);
}

// Pairs of (code, name), the leaf's first and the top level's last; an ancestor with an empty
// code is left out, so the records below it move up a level. A line shares the ancestors that
// open the path of the line before it and opens the rest.
void writeLevelPairs(CsvRecords& in, ListText& out) {
    const int pairs = in.fieldCount() / 2;
    std::vector<std::string> open;  // codes of the open ancestors, top level first
    do {
        std::size_t shared = 0;
        int pair = pairs;
        for (; pair >= 2; --pair) {
            const std::string& code = in.field(2 * pair - 1);
            if (code.empty()) {
                continue;
            }
            if (shared < open.size() && open[shared] == code) {
                ++shared;
                continue;
            }
            break;
        }
        out.close(open.size() - shared);
        open.resize(shared);
        for (; pair >= 2; --pair) {
            const std::string& code = in.field(2 * pair - 1);
            if (code.empty()) {
                continue;
            }
            in.requireName(code, in.field(2 * pair));
            out.record(code, in.field(2 * pair));
            out.open();
            open.push_back(code);
        }
        in.requireName(in.field(1), in.field(2));
        out.record(in.field(1), in.field(2));
    } while (in.next());
    out.close(open.size());
}

}  // namespace

void nulConvertCsvToList(const std::string& csvFile, const std::string& listFile,
                         const std::string& title) {
    if (title.find_first_of("\r\n") != std::string::npos) {
        throw ListConversionError("The dimension name \"" + title + "\" cannot hold a line break.");
    }
    if (!flgIsUtf8(title)) {
        throw ListConversionError("The dimension name is not UTF-8 text.");
    }
    CsvRecords in(csvFile);
    if (!in.next()) {
        throw ListConversionError("The list \"" + csvFile + "\" holds no records.");
    }
    ListText out(title, in.bytes());
    if (in.fieldCount() == 2) {
        writeFlat(in, out);
    } else if (in.fieldCount() == 3) {
        writeParentReferences(in, out);
    } else {
        writeLevelPairs(in, out);
    }
    writeFileAtomically(listFile, out.text());
}

}  // namespace vantorell
