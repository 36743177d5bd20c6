#pragma once
// Qt key and mouse events in the terms the editors' handlers take: virtual key codes,
// typed characters, mouse buttons and shift states.

#include <QKeyEvent>

#include "designer/rtnGrids/GridTypes.h"

namespace vantorell {

// The virtual key code of the key, 0 for keys the handlers never see.
int virtualKey(const QKeyEvent& event);

// The character the key types: Enter 13, Escape 27, Backspace 8, Tab 9, a printable
// character as itself; 0 when it types none (with Ctrl or Alt held, or no text).
char32_t typedCharacter(const QKeyEvent& event);

MouseButton mouseButton(Qt::MouseButton button);

ShiftState shiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});

}  // namespace vantorell
