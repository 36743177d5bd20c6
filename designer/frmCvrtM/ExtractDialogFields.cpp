#include "designer/frmCvrtM/ExtractDialogFields.h"

#include "platform/FileSystem.h"

namespace vantorell {
namespace {

std::string startFolder(const std::string& field, const std::string& programFolder) {
    const std::string folder = extractFilePath(field);
    return folder.empty() ? programFolder : folder;
}

// Where the file name's extension starts; npos when it has none.
std::size_t extensionStart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return std::string::npos;
    }
    return dot;
}

}  // namespace

std::string fneChangeExtension(const std::string& path, const std::string& extension) {
    return path.substr(0, extensionStart(path)) + "." + extension;
}

void ExtractDialogFields::nulContinueButtonStateSet() {
    btnOkEnabled = !edtCubeFile.empty() && fileExists(edtCubeFile) && !edtModelFile.empty();
}

FileDialogRequest ExtractDialogFields::cubePicker(const std::string& programFolder) const {
    FileDialogRequest request;
    request.filter = "PowerPlay Cube (*.mdc)|*.mdc";
    request.fileName = "*.mdc";
    request.defaultExtension = kCubeExtension;
    request.initialFolder = startFolder(edtCubeFile, programFolder);
    request.fileMustExist = true;
    return request;
}

FileDialogRequest ExtractDialogFields::modelPicker(const std::string& programFolder) const {
    FileDialogRequest request;
    request.filter = "Vantorell Model (*.vtm)|*.vtm";
    request.fileName = "*.vtm";
    request.defaultExtension = kExtractModelExtension;
    request.initialFolder = startFolder(edtModelFile, programFolder);
    request.overwritePrompt = true;
    return request;
}

void ExtractDialogFields::cubeChosen(const std::string& path) {
    edtCubeFile = path;
    edtModelFile = fneChangeExtension(path, kExtractModelExtension);
    nulContinueButtonStateSet();
}

void ExtractDialogFields::modelChosen(const std::string& path) {
    edtModelFile = path;
    nulContinueButtonStateSet();
}

void ExtractDialogFields::nulModelFileComplete() {
    if (extensionStart(edtModelFile) == std::string::npos) {
        edtModelFile += std::string(".") + kExtractModelExtension;
    }
}

}  // namespace vantorell
