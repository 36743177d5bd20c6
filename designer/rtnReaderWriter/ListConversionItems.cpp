#include "designer/rtnReaderWriter/ListConversionItems.h"

#include "designer/rtnFiles.h"
#include "designer/rtnGrids/TrimBlanks.h"
#include "designer/rtnReaderWriter/ListConversion.h"
#include "designer/rtnReaderWriter/NumberReading.h"
#include "designer/rtnReaderWriter/TextFields.h"

namespace vantorell {
namespace {

bool isOpening(std::string_view line) {
    line = trimBlanks(line);
    return line == "{" || line == "(";
}

bool isClosing(std::string_view line) {
    line = trimBlanks(line);
    return line == "}" || line == ")";
}

// The model reader skips records that begin with "<", ends a section at a name "*" and takes
// a category name that begins with ">" for a parent's; a parent's name is written after ">",
// which protects it.
enum class NameKind { Measure, Dimension, Leaf, Parent };

void requireReadable(std::string_view name, std::string_view code, NameKind kind) {
    const char* what = kind == NameKind::Measure     ? "measure"
                       : kind == NameKind::Dimension ? "dimension"
                                                     : "category";
    auto refuse = [&](std::string_view text, const char* why) {
        throw ListConversionError(std::string("The ") + what + " \"" + std::string(text) +
                                  "\" cannot be stored in a model file: " + why);
    };
    if (trimBlanks(name).empty()) {
        refuse(name, "it has no name.");
    }
    if (name.find('\r') != std::string_view::npos || code.find('\r') != std::string_view::npos) {
        refuse(name, "a model file holds no line breaks in names and codes.");
    }
    if (kind != NameKind::Parent) {
        if (name.front() == '<') {
            refuse(name, "a name that begins with \"<\" is skipped when the file is read.");
        }
        if (name == "*") {
            refuse(name, "a name that is \"*\" alone would end its section.");
        }
        if (kind == NameKind::Leaf && name.front() == '>') {
            refuse(name, "the name of a category without subcategories cannot begin with \">\".");
        }
    }
    if (!code.empty() && code.front() == '<') {
        refuse(name,
               "its code begins with \"<\", and such a text is skipped when the file is read.");
    }
}

// The lines of the list file; the views stay valid as long as the list's text.
class ListLines {
public:
    ListLines(const std::string& file, std::string_view text) : file_(file), lines_(text) {
        for (const char c : text) {
            lineCount_ += c == '\n' ? 1 : 0;
        }
        atEnd_ = !lines_.next(line_);
    }
    bool atEnd() const { return atEnd_; }
    std::size_t lineCount() const { return lineCount_; }
    // The next line; `what` names it when the file ends before it.
    std::string_view take(const char* what) {
        if (atEnd_) {
            throw ListConversionError("The list file \"" + file_ + "\" ends where " + what +
                                      " should follow.");
        }
        const std::string_view line = line_;
        atEnd_ = !lines_.next(line_);
        return line;
    }
    [[noreturn]] void refuse(const std::string& why) const {
        // The line taken last: one before the line looked at next.
        throw ListConversionError("Line " + std::to_string(lines_.lineNumber() - (atEnd_ ? 0 : 1)) +
                                  " of the list file \"" + file_ + "\": " + why + ".");
    }

private:
    std::string file_;
    TextLines lines_;
    std::string_view line_;
    bool atEnd_ = false;
    std::size_t lineCount_ = 0;
};

void readHead(ListLines& in, ListContents& list) {
    list.title = in.take("the title");
    if (list.title == "{}") {
        list.codes = true;
        list.title = in.take("the title");
    }
    for (;;) {
        const std::string_view line = in.take("the line \"*\" after the measure names");
        if (line == "*") {
            break;
        }
        requireReadable(line, {}, NameKind::Measure);
        list.measures.push_back(line);
    }
}

void readItems(ListLines& in, ListContents& list) {
    // An item takes at least its name line and, with codes, its code line.
    list.items.reserve(in.lineCount() / (list.codes ? 2 : 1));
    list.values.reserve(list.items.capacity() * list.measures.size());
    int depth = 0;
    bool afterItem = false;     // a group may open
    bool afterOpening = false;  // a group has opened and holds nothing yet
    while (!in.atEnd()) {
        const std::string_view line = in.take("an item");
        if (isOpening(line)) {
            if (!afterItem) {
                in.refuse("a group opens where no item stands before it");
            }
            list.items.back().parent = true;
            ++depth;
            afterItem = false;
            afterOpening = true;
        } else if (isClosing(line)) {
            if (depth == 0) {
                in.refuse("a group closes that was never opened");
            }
            if (afterOpening) {
                in.refuse("a group closes that holds no item");
            }
            --depth;
            afterItem = false;
        } else if (!trimBlanks(line).empty()) {
            ListItem item{line, {}, depth, false};
            if (list.codes) {
                item.code = in.take("the code of an item");
            }
            for (std::size_t m = 0; m < list.measures.size(); ++m) {
                double value = 0.0;
                if (!flgParseDouble(in.take("a value of an item"), value)) {
                    in.refuse("the value of \"" + std::string(list.measures[m]) + "\" for \"" +
                              std::string(item.name) + "\" is not a number");
                }
                list.values.push_back(value);
            }
            list.items.push_back(std::move(item));
            afterItem = true;
            afterOpening = false;
        }
    }
    if (depth > 0) {
        in.refuse(std::to_string(depth) + (depth == 1 ? " group is" : " groups are") +
                  " never closed");
    }
}

void requireModelTexts(const ListContents& list) {
    const bool fromFile = list.dimensionsFromFile();
    if (!fromFile) {
        requireReadable(list.title, {}, NameKind::Dimension);
    }
    for (const ListItem& item : list.items) {
        if (fromFile && item.depth == 0) {
            if (!item.parent) {
                throw ListConversionError(
                    "The record \"" + std::string(item.name) +
                    "\" stands at the top level with nothing under it, so it cannot become a "
                    "dimension.");
            }
            requireReadable(item.name, item.code, NameKind::Dimension);
        } else {
            requireReadable(item.name, item.code, item.parent ? NameKind::Parent : NameKind::Leaf);
        }
    }
}

}  // namespace

bool ListContents::dimensionsFromFile() const {
    return title == kDimensionsFromFileTitle;
}

void readListFile(const std::string& listFile, ListContents& list) {
    list.text = strFileReadWhole(listFile);
    ListLines in(listFile, list.text);
    readHead(in, list);
    readItems(in, list);
    if (list.items.empty()) {
        throw ListConversionError("The list file \"" + listFile + "\" holds no items.");
    }
    requireModelTexts(list);
}

}  // namespace vantorell
