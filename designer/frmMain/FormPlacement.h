#pragma once
// Window placement in the settings file, kept apart from the widgets: the section of a
// window, the values restored at start (inside the available screen) and those stored at
// exit. FormPlacementWindow.h applies them to a window.

#include <string>

#include "platform/IniFile.h"

namespace vantorell {

// Window state as stored under "WindowState".
enum WindowStateValue : int {
    kWindowStateNormal = 0,
    kWindowStateMinimised = 1,
    kWindowStateMaximised = 2,
};

// A sizeable window's size at its first start, where the screen has room: large enough for
// every panel of the main window to show its headings and several rows.
inline constexpr int kDefaultWindowWidth = 1024;
inline constexpr int kDefaultWindowHeight = 768;

struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = kDefaultWindowWidth;
    int height = kDefaultWindowHeight;
    int windowState = kWindowStateNormal;
};

// The part of the screen a window may use.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The placement section of a window: its caption up to the first " - ", then " Form".
std::string strPlacementSection(const std::string& caption);

// The placement to restore. A sizeable window takes "Width" and "Height" (the default size
// when absent), a fixed one keeps `current`'s size; "Top" and "Left" default to centred on the
// screen. The result lies inside the screen, and a stored minimised state restores as normal.
WindowPlacement placementRead(const IniFile& settings, const std::string& section, bool sizeable,
                              const WindowPlacement& current, const ScreenArea& screen);

// Stores "Top", "Left" and, for a sizeable window, "Width" and "Height" only in the normal
// state, so a window closed maximised keeps its earlier normal placement; "WindowState"
// always. Raises IniFileError when the file cannot be written.
void placementWrite(IniFile& settings, const std::string& section, const WindowPlacement& placement,
                    bool sizeable);

}  // namespace vantorell
