#include "designer/frmMain/FormPlacement.h"

#include <algorithm>

namespace vantorell {
namespace {

// Keeps [start, start + length) inside [areaStart, areaStart + areaLength) where it fits.
int clampStart(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

std::string strPlacementSection(const std::string& caption) {
    const std::size_t cut = caption.find(" - ");
    return (cut == std::string::npos ? caption : caption.substr(0, cut)) + " Form";
}

WindowPlacement placementRead(const IniFile& settings, const std::string& section, bool sizeable,
                              const WindowPlacement& current, const ScreenArea& screen) {
    WindowPlacement p = current;
    const bool haveScreen = screen.width > 0 && screen.height > 0;
    if (sizeable) {
        p.width = settings.readInteger(section, "Width", kDefaultWindowWidth);
        p.height = settings.readInteger(section, "Height", kDefaultWindowHeight);
    }
    if (haveScreen) {
        p.width = std::clamp(p.width, 1, screen.width);
        p.height = std::clamp(p.height, 1, screen.height);
    }
    // Centred as whole pixels, truncated toward zero.
    const int centredTop = screen.top + static_cast<int>(screen.height / 2.0 - p.height / 2.0);
    const int centredLeft = screen.left + static_cast<int>(screen.width / 2.0 - p.width / 2.0);
    p.top = settings.readInteger(section, "Top", centredTop);
    p.left = settings.readInteger(section, "Left", centredLeft);
    if (haveScreen) {
        p.top = clampStart(p.top, p.height, screen.top, screen.height);
        p.left = clampStart(p.left, p.width, screen.left, screen.width);
    }
    const int state = settings.readInteger(section, "WindowState", kWindowStateNormal);
    p.windowState = state == kWindowStateMaximised ? kWindowStateMaximised : kWindowStateNormal;
    return p;
}

void placementWrite(IniFile& settings, const std::string& section, const WindowPlacement& placement,
                    bool sizeable) {
    if (placement.windowState == kWindowStateNormal) {
        settings.writeInteger(section, "Top", placement.top);
        settings.writeInteger(section, "Left", placement.left);
        if (sizeable) {
            settings.writeInteger(section, "Width", placement.width);
            settings.writeInteger(section, "Height", placement.height);
        }
    }
    settings.writeInteger(section, "WindowState", placement.windowState);
}

}  // namespace vantorell
