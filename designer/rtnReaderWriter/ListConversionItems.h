#pragma once
// The list file read whole and checked, for the model to be written from it: its title, the
// measures it names and its items in file order with their depth.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantorell {

// Names and codes are views into the text of the list file.
struct ListItem {
    std::string_view name;  // once read whole, cut to what a model holds
    std::string_view code;  // the code line; empty when the list has none
    int depth = 0;          // 0 at the top level
    bool parent = false;
    std::size_t line = 0;  // of the name
    // The code the model gets: the code line, or without codes one made from the name, cut
    // to what a model holds and made unique where the cut made it equal another.
    std::string modelCode;
};

struct ListContents {
    ListContents() = default;
    ListContents(const ListContents&) = delete;
    ListContents& operator=(const ListContents&) = delete;

    std::string text;        // the whole file
    bool codes = false;      // the head "{}": every item has a code line
    std::string_view title;  // the dimension's name, or "$$"
    // With a title other than "$$": the dimension's name and code in the model.
    std::string_view titleName;
    std::string titleCode;
    std::vector<std::string_view> measures;  // names, cut as the model holds them
    std::vector<std::string> measureCodes;   // "M<i>M" and the name without spaces, cut
    std::vector<ListItem> items;
    // measures.size() values per item, item after item.
    std::vector<double> values;

    bool dimensionsFromFile() const;
    double value(std::size_t item, std::size_t measure) const {
        return values[item * measures.size() + measure];
    }
};

// Reads and checks the list file: it is UTF-8 text, every group opens after an item and
// holds at least one, every group is closed, values are numbers, every name and code, once
// cut to the 80 and 25 bytes a model holds, reads back from a model file as written, no two
// siblings have names that the cut made equal and, under "$$", every top-level item has
// children. Codes that the cut made equal to another are made unique. Raises
// ListConversionError naming the line or the text at fault, FileIoError when the file cannot
// be read.
void readListFile(const std::string& listFile, ListContents& list);

}  // namespace vantorell
