#include "designer/rtnReaderWriter/ListConversionItems.h"

#include <unordered_map>
#include <unordered_set>

#include "common/ShortString.h"
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
        if (!flgIsUtf8(line)) {
            refuse("the line is not UTF-8 text");
        }
        return line;
    }
    // Number of the line taken last.
    std::size_t lineTaken() const { return lines_.lineNumber() - (atEnd_ ? 0 : 1); }
    [[noreturn]] void refuse(const std::string& why) const {
        // The line taken last: one before the line looked at next.
        throw ListConversionError("Line " + std::to_string(lineTaken()) + " of the list file \"" +
                                  file_ + "\": " + why + ".");
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
            ListItem item{line, {}, depth, false, in.lineTaken(), {}};
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
    for (const std::string_view measure : list.measures) {
        requireReadable(measure, {}, NameKind::Measure);
    }
    const bool fromFile = list.dimensionsFromFile();
    if (!fromFile) {
        requireReadable(list.titleName, {}, NameKind::Dimension);
    }
    for (const ListItem& item : list.items) {
        if (fromFile && item.depth == 0) {
            if (!item.parent) {
                throw ListConversionError(
                    "The record \"" + std::string(item.name) +
                    "\" stands at the top level with nothing under it, so it cannot become a "
                    "dimension.");
            }
            requireReadable(item.name, item.modelCode, NameKind::Dimension);
        } else {
            requireReadable(item.name, item.modelCode,
                            item.parent ? NameKind::Parent : NameKind::Leaf);
        }
    }
}

constexpr std::size_t kNameLimit = 80;
constexpr std::size_t kCodeLimit = 25;

std::string_view cutView(std::string_view text, std::size_t limit) {
    return text.substr(0, cutUtf8(text, limit).size());
}

// The code of a record whose list has no code lines: `prefix` and the name without spaces.
std::string madeCode(std::string_view prefix, std::string_view name) {
    std::string compact;
    strRemoveSpaces(name, compact);
    return std::string(prefix).append(compact);
}

// Names and codes as the model holds them, and which codes the cut changed. Made codes
// follow the identifiers the model file gives the records: "H<k>H" for parents and
// "C<j>C" for leaves, counted in file order.
std::vector<bool> cutTexts(ListContents& list) {
    const bool fromFile = list.dimensionsFromFile();
    std::vector<bool> codeCut(list.items.size(), false);
    std::size_t leaves = 0;
    std::size_t parents = 0;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        ListItem& item = list.items[i];
        std::string code;
        if (list.codes) {
            code = item.code;
        } else if (fromFile && item.depth == 0) {
            code = madeCode({}, item.name);
        } else if (item.parent) {
            code = madeCode("H" + std::to_string(++parents) + "H", item.name);
        } else {
            code = madeCode("C" + std::to_string(++leaves) + "C", item.name);
        }
        item.modelCode = cutUtf8(code, kCodeLimit);
        codeCut[i] = item.modelCode.size() < code.size();
        item.name = cutView(item.name, kNameLimit);
    }
    if (!fromFile) {
        list.titleName = cutView(list.title, kNameLimit);
        list.titleCode = cutUtf8(madeCode("D1D", list.title), kCodeLimit);
    }
    list.measureCodes.clear();
    for (std::size_t m = 0; m < list.measures.size(); ++m) {
        list.measureCodes.push_back(
            cutUtf8(madeCode("M" + std::to_string(m + 1) + "M", list.measures[m]), kCodeLimit));
        list.measures[m] = cutView(list.measures[m], kNameLimit);
    }
    return codeCut;
}

// Siblings that the cut gave the same name could not be told apart in the editors.
void requireSiblingNamesApart(const ListContents& list, const std::vector<std::size_t>& fullSize) {
    // The open groups, outermost first: the names given in each so far and their items.
    std::vector<std::unordered_map<std::string_view, std::size_t>> groups(1);
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        const ListItem& item = list.items[i];
        groups.resize(static_cast<std::size_t>(item.depth) + 1);
        const auto [known, added] = groups.back().emplace(item.name, i);
        if (!added) {
            const ListItem& other = list.items[known->second];
            if (fullSize[known->second] != other.name.size() || fullSize[i] != item.name.size()) {
                throw ListConversionError(
                    "Lines " + std::to_string(other.line) + " and " + std::to_string(item.line) +
                    " of the list file: the names of the two records become the same \"" +
                    std::string(item.name) + "\" when cut to the " + std::to_string(kNameLimit) +
                    " bytes a name holds.");
            }
        }
        if (item.parent) {
            groups.emplace_back();
        }
    }
}

// A code the cut made equal to another takes a number, as the editors number new codes: the
// smallest from 1 that no code of the model has, with the code cut further to make room.
void makeCutCodesUnique(ListContents& list, const std::vector<bool>& codeCut) {
    std::unordered_set<std::string> taken;
    if (!list.dimensionsFromFile()) {
        taken.insert(list.titleCode);
    }
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (!codeCut[i]) {
            taken.insert(list.items[i].modelCode);
        }
    }
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (!codeCut[i]) {
            continue;
        }
        std::string& code = list.items[i].modelCode;
        if (taken.insert(code).second) {
            continue;
        }
        const std::string base = code;
        for (std::size_t n = 1;; ++n) {
            const std::string number = std::to_string(n);
            code = cutUtf8(base, kCodeLimit - number.size()) + number;
            if (taken.insert(code).second) {
                break;
            }
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
    std::vector<std::size_t> fullSize;
    fullSize.reserve(list.items.size());
    for (const ListItem& item : list.items) {
        fullSize.push_back(item.name.size());
    }
    const std::vector<bool> codeCut = cutTexts(list);
    // Checked as they will stand in the model, after the cut.
    requireModelTexts(list);
    requireSiblingNamesApart(list, fullSize);
    makeCutCodesUnique(list, codeCut);
}

}  // namespace vantorell
