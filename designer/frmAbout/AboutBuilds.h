#pragma once
// The build lines of the About box: the designer's own version and those of the engine and
// the database generator in the program folder.

#include <string>

namespace vantorell {

struct AboutBuildLines {
    std::string gui;           // "GUI Build: <version>"
    std::string pointsEngine;  // "Points Engine Build: <version>"
    std::string sqlInterface;  // "SQL Interface Build: <version>"
};

// `programFolder` ends in "/". A program that is missing, or carries no version, shows
// "0.0.0.0".
AboutBuildLines aboutBuildLinesRead(const std::string& programFolder);

}  // namespace vantorell
