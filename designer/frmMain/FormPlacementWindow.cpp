#include "designer/frmMain/FormPlacementWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "designer/frmMain/FormPlacement.h"
#include "platform/EventLoop.h"

namespace vantorell {
namespace {

bool isSizeable(const QWidget& window) {
    return window.minimumSize() != window.maximumSize();
}

ScreenArea availableArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return {};
    }
    const QRect r = screen->availableGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

std::string sectionOf(const QWidget& window) {
    return strPlacementSection(window.windowTitle().toStdString());
}

}  // namespace

void nulFormPlacementLoad(QWidget& window, const IniFile& settings) {
    const bool sizeable = isSizeable(window);
    WindowPlacement current;
    current.left = window.x();
    current.top = window.y();
    current.width = window.width();
    current.height = window.height();
    const WindowPlacement p =
        placementRead(settings, sectionOf(window), sizeable, current, availableArea(window));
    if (sizeable) {
        window.resize(p.width, p.height);
    }
    window.move(p.left, p.top);
    window.setWindowState(p.windowState == kWindowStateMaximised ? Qt::WindowMaximized
                                                                 : Qt::WindowNoState);
    processMessages();
}

void nulFormPlacementSave(QWidget& window, IniFile& settings) {
    WindowPlacement p;
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) {
        p.windowState = kWindowStateMinimised;
    } else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        p.windowState = kWindowStateMaximised;
    } else {
        p.left = window.x();
        p.top = window.y();
        p.width = window.width();
        p.height = window.height();
    }
    placementWrite(settings, sectionOf(window), p, isSizeable(window));
    processMessages();
}

}  // namespace vantorell
