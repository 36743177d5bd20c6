#pragma once
// The start of a program that shows windows. Without a display Qt would abort; the
// program says instead, in one line on standard error, that it needs one, and fails.

#include <QApplication>
#include <memory>
#include <string>

namespace vantorell {

// True when the environment names something to show windows on: a Qt platform chosen
// explicitly (QT_QPA_PLATFORM, "offscreen" among them), or a display server (DISPLAY or
// WAYLAND_DISPLAY).
bool displayNamed();

// The application object, or nothing when no display is named; the line then says so,
// begun with `program`. A display that is named but cannot be opened shows only while Qt
// starts; the program then ends there with `failureStatus` after the same kind of line, and
// Qt's own messages of the failed start are not shown.
std::unique_ptr<QApplication> startWindowedApplication(int& argc, char** argv,
                                                       const std::string& program,
                                                       int failureStatus);

}  // namespace vantorell
