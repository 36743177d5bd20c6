#include "designer/rtnReaderWriter/ModelSections.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

#include "designer/rtnReaderWriter/DebugMessage.h"
#include "designer/rtnReaderWriter/ModelNumbers.h"

namespace vantorell {
namespace {

std::string identifier(char kind, long long ordinal) {
    return kind + integerText(ordinal).str();
}

// Room for "H<d>D<n>" with two numbers of 64 bits.
constexpr std::size_t kIdentifierRoom = 48;

// "C<d>D<n>" and "H<d>D<n>", formed in `buffer`, so that no category needs a new string.
std::string_view categoryIdentifier(char (&buffer)[kIdentifierRoom], char kind,
                                    long long dimensionOrdinal, long long ordinal) {
    char* const end = buffer + sizeof buffer;
    char* p = buffer;
    *p++ = kind;
    p = std::to_chars(p, end, dimensionOrdinal).ptr;
    *p++ = 'D';
    p = std::to_chars(p, end, ordinal).ptr;
    return std::string_view(buffer, static_cast<std::size_t>(p - buffer));
}

enum class NameForm { Plain, Leaf, Parent };

[[noreturn]] void refuse(const char* what, const char* field, const std::string& text,
                         const std::string& why) {
    throw ModelWriteError(std::string("The ") + what + " " + field + " \"" + text +
                          "\" cannot be saved in a model file: " + why);
}

// The reader skips records that begin with "<", ends a section at a name "*" and takes a
// category name that begins with ">" for a parent's: such texts would come back as a
// different model. A parent's name is written after ">", which protects it.
void requireReadable(const RecordWriter& out, const std::string& name, const std::string& code,
                     const char* what, NameForm form) {
    if (!out.writing()) {
        return;
    }
    if (form != NameForm::Parent) {
        if (!name.empty() && name.front() == '<') {
            refuse(what, "name", name,
                   "a text that begins with \"<\" is skipped when the file is read.");
        }
        if (name == "*") {
            refuse(what, "name", name, "a name that is \"*\" alone would end its section.");
        }
        if (form == NameForm::Leaf && !name.empty() && name.front() == '>') {
            refuse(what, "name", name,
                   "the name of a category without subcategories cannot begin with \">\".");
        }
    }
    if (!code.empty() && code.front() == '<') {
        refuse(what, "code", code,
               "a text that begins with \"<\" is skipped when the file is read.");
    }
}

// `scratch` holds a parent's name with its ">", so that no category needs a new string.
void writeNameAndCode(RecordWriter& out, const std::string& name, const std::string& code,
                      const char* what, NameForm form, std::string& scratch) {
    requireReadable(out, name, code, what, form);
    if (form == NameForm::Parent) {
        scratch.clear();
        scratch += '>';
        scratch += name;
        out.nulWriteRecord(scratch);
    } else {
        out.nulWriteRecord(name);
    }
    out.nulWriteRecord(code);
}

// MEAS and DIM: name, code and identifier per record, the identifier stored first.
template <typename Records>
void writeNamedRecords(RecordWriter& out, const char* keyword, char kind, const char* what,
                       Records& records) {
    out.writeFormed(keyword);
    std::string scratch;
    for (std::size_t i = 0; i < records.size(); ++i) {
        auto& record = records[i];
        record.strFileId = identifier(kind, static_cast<long long>(i) + 1);
        writeNameAndCode(out, record.strName, record.strCode, what, NameForm::Plain, scratch);
        out.writeFormed(record.strFileId.str());
    }
    out.writeFormed("*");
}

}  // namespace

void writeHeader(RecordWriter& out, int categoryCount, int requestedPoints) {
    out.writeFormed("VT0200");
    out.writeFormed("INFO");
    out.writeFormed("NCAT");
    out.writeFormed(integerText(categoryCount).view());
    out.writeFormed("NPOI");
    out.writeFormed(integerText(requestedPoints).view());
    out.writeFormed("*");
}

void writeMeasuresSection(RecordWriter& out, TArrMeasures& measures) {
    writeNamedRecords(out, "MEAS", 'M', "measure", measures);
}

void writeDimensionsSection(RecordWriter& out, TArrDimensions& dimensions) {
    writeNamedRecords(out, "DIM", 'D', "dimension", dimensions);
}

WrittenCategories numberCategories(TArrCategories& categories, TArrDimensions& dimensions,
                                   int debugMask) {
    const auto count = static_cast<int>(categories.size());
    nulDebugMessage("Output of " + std::to_string(count) + " categories.", kDebugProgress,
                    debugMask);

    WrittenCategories written;
    written.levels.resize(count);
    written.parents.resize(count);
    written.idStarts.resize(count);
    written.spans.resize(dimensions.size());
    char idBuffer[kIdentifierRoom];

    long long leafOrdinal = 0;    // over the whole model
    long long parentOrdinal = 0;  // over the whole model
    int leafCounter = 0;          // within the dimension
    int parentCounter = -1;       // within the dimension
    int previousLeaf = -1;
    for (int k = 0; k < count; ++k) {
        TCategoryRecord& category = categories[k];
        const int level = category.bytLevelNumber;
        const int dimension = category.intParentDimensionIndex;
        if (k == 0 || dimension != categories[k - 1].intParentDimensionIndex) {
            leafCounter = 0;
            parentCounter = -1;
        }
        bool parent = false;
        if (k + 1 < count) {
            const TCategoryRecord& next = categories[k + 1];
            if ((debugMask & kDebugLevels) != 0) {
                nulDebugMessage("Comparing current level " + std::to_string(level) +
                                    " to next: " + std::to_string(next.bytLevelNumber) + " at " +
                                    std::to_string(k),
                                kDebugLevels, debugMask);
            }
            parent = next.bytLevelNumber > level && next.intParentDimensionIndex == dimension;
        }
        std::string_view id;
        if (parent) {
            category.intLeafNumber = parentCounter--;
            id = categoryIdentifier(idBuffer, 'H', dimension + 1LL, ++parentOrdinal);
        } else {
            category.intLeafNumber = leafCounter++;
            id = categoryIdentifier(idBuffer, 'C', dimension + 1LL, ++leafOrdinal);
            if (previousLeaf >= 0) {
                categories[previousLeaf].intNextLeafIndex = k;
            } else if (dimension >= 0 && dimension < static_cast<int>(dimensions.size())) {
                dimensions[dimension].intLeafLastIndex = k;
            }
            previousLeaf = k;
        }
        category.strFileId = id;

        written.levels[k] = std::max(1, level);
        written.parents[k] = parent ? 1 : 0;
        written.idStarts[k] = written.idTexts.size();
        written.idTexts += category.strFileId.str();
        if (dimension >= 0 && dimension < static_cast<int>(dimensions.size())) {
            WrittenCategories::Span& span = written.spans[dimension];
            if (span.end == 0) {
                span.first = k;
            }
            span.end = k + 1;
        }
    }
    if (previousLeaf >= 0) {
        categories[previousLeaf].intNextLeafIndex = -2;
    }
    return written;
}

void writeCategoriesSection(RecordWriter& out, const TArrCategories& categories,
                            const WrittenCategories& written) {
    const int count = written.count();
    out.writeFormed("CAT");
    std::string scratch;
    for (int k = 0; k < count; ++k) {
        const TCategoryRecord& category = categories[k];
        const int level = category.bytLevelNumber;
        const int dimension = category.intParentDimensionIndex;
        if (k > 0) {
            for (int drop = categories[k - 1].bytLevelNumber - level; drop > 0; --drop) {
                out.writeFormed("*");
            }
        }
        if (k == 0 || dimension != categories[k - 1].intParentDimensionIndex) {
            if (k > 0) {
                out.writeFormed("*");
            }
            out.writeFormed(identifier('D', static_cast<long long>(dimension) + 1));
        }
        writeNameAndCode(out, category.strName, category.strCode, "category",
                         written.parents[k] != 0 ? NameForm::Parent : NameForm::Leaf, scratch);
        out.writeFormed(written.id(k));
    }
    if (count > 0) {
        for (int level = categories[count - 1].bytLevelNumber; level > 1; --level) {
            out.writeFormed("*");
        }
    }
    out.writeFormed("*");
    out.writeFormed("*");
}

void writeTrailer(RecordWriter& out, int requestedPoints) {
    out.writeFormed("OUT");
    out.writeFormed(integerText(requestedPoints).view());
    out.writeFormed("END");
}

}  // namespace vantorell
