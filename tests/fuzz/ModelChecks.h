#pragma once
// What a model file that the designer reads must allow: a user opens it, edits nothing and
// saves it, and what was saved opens again as the same model.

#include <string>

namespace vantorell::fuzz {

// Reads the plain model file as File Open does (a file that does not read is refused with
// a message: nothing more to check). When it reads, checks that
// - every index of the arrays points at a record of the arrays;
// - the writer writes it, and the written file reads back as the same arrays with the same
//   change digest;
// - the editors take it or refuse it, and save it or say why not; what they save is a file
//   that opens again with the same change digest and saves again as the very same file.
// Files go into `folder`. Returns whether the file read.
bool openAndSave(const std::string& folder, const std::string& file);

// Converts the list file `list` into the model file `model` as File Open does: a refused
// list writes no model file, and a model made from a list reads and passes openAndSave.
void convertListAndOpen(const std::string& folder, const std::string& list,
                        const std::string& model);

}  // namespace vantorell::fuzz
