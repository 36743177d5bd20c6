#pragma once
// A dimension/category list stored as a comma-separated file (".vdc") becomes a model in two
// steps: the comma-separated file into a list file, in which brace lines show the nesting,
// and the list file into a plain model file.
//
// Sources: ListConversionCsv.cpp (first step), ListConversionModel.cpp (second step), with
// ListConversionItems.h reading the list file.

#include <stdexcept>
#include <string>

namespace vantorell {

// The title of a list whose top-level records with children become the dimensions.
inline constexpr const char* kDimensionsFromFileTitle = "$$";

// Input the conversion cannot turn into a sound model; the message says where and why.
// Nothing has been written when it is raised.
class ListConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the comma-separated `csvFile` and writes the list file `listFile` under `title` (the
// name of the single dimension, or "$$"). The first line fixes the layout for the whole file:
// two fields are code and name of a top-level record; three add the code of the parent record
// (empty for a top-level record); four or more are (code, name) pairs from the leaf up to the
// top level, where an empty code leaves a level out. Blank lines are passed over.
// Raises ListConversionError for a line whose field count differs from the first line's, for
// broken quoting, for a record without a name and for a name the list file cannot carry;
// FileIoError or std::runtime_error when a file cannot be read or written. The list file is
// only replaced when the whole input converted.
void nulConvertCsvToList(const std::string& csvFile, const std::string& listFile,
                         const std::string& title);

// Reads the list file `listFile` and writes the plain model file `modelFile`: one dimension
// named by the title, or under "$$" one per top-level record with children; a dummy measure
// when the list names none. Raises ListConversionError for a list whose groups do not nest,
// for a value that is not a number and for a name or code the model file cannot carry;
// FileIoError or std::runtime_error when a file cannot be read or written. The model file is
// only replaced when the whole list converted.
void nulConvertListToModel(const std::string& listFile, const std::string& modelFile);

}  // namespace vantorell
