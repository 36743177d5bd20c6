// List file into a plain model file.
#include <algorithm>
#include <string_view>

#include "designer/rtnReaderWriter/ListConversion.h"
#include "designer/rtnReaderWriter/ListConversionItems.h"
#include "designer/rtnReaderWriter/ModelNumbers.h"
#include "designer/rtnReaderWriter/TextFields.h"
#include "platform/FileSystem.h"

namespace vantorell {
namespace {

class ModelText {
public:
    explicit ModelText(const ListContents& list) {
        // Each item takes its name, code and identifier, and a leaf one value per measure.
        std::size_t bytes = 64;
        for (const ListItem& item : list.items) {
            bytes += item.name.size() + item.code.size() + 40;
        }
        text_.reserve(bytes + bytes / 2 * std::max<std::size_t>(1, list.measures.size()));
    }

    void line(std::string_view text) {
        text_.append(text);
        text_.append("\r\n");
    }
    void line(char kind, std::size_t ordinal) {
        text_ += kind;
        line(integerText(static_cast<long long>(ordinal)).view());
    }
    // Name, code and identifier; a parent's name follows ">".
    void record(std::string_view name, std::string_view code, char kind, std::size_t ordinal,
                bool parent = false) {
        if (parent) {
            text_ += '>';
        }
        line(name);
        line(code);
        line(kind, ordinal);
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

void writeMeasures(const ListContents& list, ModelText& out) {
    out.line("MEAS");
    if (list.measures.empty()) {
        out.record("Dummy", "DUM", 'M', 1);
    }
    for (std::size_t i = 0; i < list.measures.size(); ++i) {
        out.record(list.measures[i], list.measureCodes[i], 'M', i + 1);
    }
    out.line("*");
}

void writeDimensions(const ListContents& list, ModelText& out) {
    out.line("DIM");
    if (!list.dimensionsFromFile()) {
        out.record(list.titleName, list.titleCode, 'D', 1);
    } else {
        std::size_t l = 0;
        for (const ListItem& item : list.items) {
            if (item.depth == 0) {
                out.record(item.name, item.modelCode, 'D', ++l);
            }
        }
    }
    out.line("*");
}

// Groups closed between an item and the next one at `depth`.
std::size_t closings(const ListItem& before, int depth) {
    return static_cast<std::size_t>(before.depth + (before.parent ? 1 : 0) - depth);
}

// Each "*" closes one level; under "$$" the closing of a top-level item's group closes its
// dimension.
void writeCategories(const ListContents& list, ModelText& out) {
    const bool fromFile = list.dimensionsFromFile();
    out.line("CAT");
    if (!fromFile) {
        out.line('D', 1);
    }
    std::size_t j = 0;
    std::size_t k = 0;
    std::size_t l = 0;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        const ListItem& item = list.items[i];
        if (i > 0) {
            for (std::size_t n = closings(list.items[i - 1], item.depth); n > 0; --n) {
                out.line("*");
            }
        }
        if (fromFile && item.depth == 0) {
            out.line('D', ++l);
        } else if (item.parent) {
            ++k;
            out.record(item.name, item.modelCode, 'H', k, true);
        } else {
            ++j;
            out.record(item.name, item.modelCode, 'C', j);
        }
    }
    for (std::size_t n = closings(list.items.back(), 0); n > 0; --n) {
        out.line("*");
    }
    if (!fromFile) {
        out.line("*");
    }
    out.line("*");
}

// One independent block per measure (the dummy's with "1" for every leaf): total 100, global
// percentage 10, then every dimension's leaves with their values.
void writePercentages(const ListContents& list, ModelText& out) {
    const bool fromFile = list.dimensionsFromFile();
    out.line("PER");
    const std::size_t measures = list.measures.empty() ? 1 : list.measures.size();
    for (std::size_t m = 0; m < measures; ++m) {
        out.line('M', m + 1);
        if (m > 0) {
            out.line("IND");
        }
        out.line("100");
        out.line("10");
        if (!fromFile) {
            out.line('D', 1);
        }
        std::size_t j = 0;
        std::size_t l = 0;
        for (std::size_t i = 0; i < list.items.size(); ++i) {
            const ListItem& item = list.items[i];
            if (fromFile && item.depth == 0) {
                if (l > 0) {
                    out.line("*");
                }
                out.line('D', ++l);
            } else if (!item.parent) {
                out.line('C', ++j);
                out.line(list.measures.empty() ? std::string_view("1")
                                               : floatText(list.value(i, m)).view());
            }
        }
        out.line("*");
        out.line("*");
    }
    out.line("*");
}

}  // namespace

void nulConvertListToModel(const std::string& listFile, const std::string& modelFile) {
    ListContents list;
    readListFile(listFile, list);
    ModelText out(list);
    out.line("VT0200");
    writeMeasures(list, out);
    writeDimensions(list, out);
    writeCategories(list, out);
    writePercentages(list, out);
    out.line("OUT");
    out.line("4096");
    out.line("END");
    writeFileAtomically(modelFile, out.text());
}

}  // namespace vantorell
