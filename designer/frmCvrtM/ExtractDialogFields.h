#pragma once
// What the Extract Model from Cube dialog holds and how its handlers change it, without
// widgets: the dialog shows these fields, and tests drive them directly. Paths are kept as
// typed or chosen, in their own letter case, since Linux file names tell case apart.

#include <string>

#include "platform/FileDialogService.h"

namespace vantorell {

inline constexpr const char* kCubeExtension = "mdc";
inline constexpr const char* kExtractModelExtension = "vtm";

class ExtractDialogFields {
public:
    std::string edtCubeFile;
    std::string edtModelFile;
    // Ok is enabled exactly when, at the last change of a field, the cube field named an
    // existing file and the model field was not empty.
    bool btnOkEnabled = false;

    void nulContinueButtonStateSet();

    // The pickers start in the folder of their field's text, or in the program folder when
    // the text names none.
    FileDialogRequest cubePicker(const std::string& programFolder) const;
    FileDialogRequest modelPicker(const std::string& programFolder) const;
    // A chosen cube also proposes the model: the cube's path with the model extension.
    void cubeChosen(const std::string& path);
    void modelChosen(const std::string& path);

    // The model field with ".vtm" appended when its file name has no extension.
    void nulModelFileComplete();
};

// The path with its file name's extension replaced (or added): ("a/sales.mdc", "vtm")
// gives "a/sales.vtm".
std::string fneChangeExtension(const std::string& path, const std::string& extension);

}  // namespace vantorell
