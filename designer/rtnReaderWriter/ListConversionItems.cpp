#include "designer/rtnReaderWriter/ListConversionItems.h"

#include "designer/rtnFiles.h"
#include "designer/rtnGrids/TrimBlanks.h"
#include "designer/rtnReaderWriter/ListConversion.h"
#include "designer/rtnReaderWriter/NumberReading.h"

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

void requireReadable(const std::string& name, const std::string& code, NameKind kind) {
    const char* what = kind == NameKind::Measure     ? "measure"
                       : kind == NameKind::Dimension ? "dimension"
                                                     : "category";
    auto refuse = [&](const std::string& text, const char* why) {
        throw ListConversionError(std::string("The ") + what + " \"" + text +
                                  "\" cannot be stored in a model file: " + why);
    };
    if (trimBlanks(name).empty()) {
        refuse(name, "it has no name.");
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

class ListLines {
public:
    explicit ListLines(const std::string& file) : file_(file) {
        intFileReadLines(file, false, lines_);
    }
    bool atEnd() const { return next_ >= lines_.size(); }
    // The next line; `what` names it when the file ends before it.
    const std::string& take(const char* what) {
        if (atEnd()) {
            throw ListConversionError("The list file \"" + file_ + "\" ends where " + what +
                                      " should follow.");
        }
        return lines_[next_++];
    }
    [[noreturn]] void refuse(const std::string& why) const {
        throw ListConversionError("Line " + std::to_string(next_) + " of the list file \"" + file_ +
                                  "\": " + why + ".");
    }

private:
    std::string file_;
    TFileOpenReadCloseArray lines_;
    std::size_t next_ = 0;
};

void readHead(ListLines& in, ListContents& list) {
    list.title = in.take("the title");
    if (list.title == "{}") {
        list.codes = true;
        list.title = in.take("the title");
    }
    for (;;) {
        const std::string& line = in.take("the line \"*\" after the measure names");
        if (line == "*") {
            break;
        }
        requireReadable(line, {}, NameKind::Measure);
        list.measures.push_back(line);
    }
}

void readItems(ListLines& in, ListContents& list) {
    int depth = 0;
    bool afterItem = false;     // a group may open
    bool afterOpening = false;  // a group has opened and holds nothing yet
    while (!in.atEnd()) {
        const std::string& line = in.take("an item");
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
                    in.refuse("the value of \"" + list.measures[m] + "\" for \"" + item.name +
                              "\" is not a number");
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
                    "The record \"" + item.name +
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

ListContents readListFile(const std::string& listFile) {
    ListLines in(listFile);
    ListContents list;
    readHead(in, list);
    readItems(in, list);
    if (list.items.empty()) {
        throw ListConversionError("The list file \"" + listFile + "\" holds no items.");
    }
    requireModelTexts(list);
    return list;
}

}  // namespace vantorell
