#include "designer/views/ViewKeys.h"

namespace vantorell {

int virtualKey(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
        case Qt::Key_Backspace:
            return vk::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return vk::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vk::Return;
        case Qt::Key_Escape:
            return vk::Escape;
        case Qt::Key_Space:
            return vk::Space;
        case Qt::Key_PageUp:
            return vk::Prior;
        case Qt::Key_PageDown:
            return vk::Next;
        case Qt::Key_End:
            return vk::End;
        case Qt::Key_Home:
            return vk::Home;
        case Qt::Key_Left:
            return vk::Left;
        case Qt::Key_Up:
            return vk::Up;
        case Qt::Key_Right:
            return vk::Right;
        case Qt::Key_Down:
            return vk::Down;
        case Qt::Key_Delete:
            return vk::Delete;
        case Qt::Key_F2:
            return vk::F2;
        default:
            break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key;  // the same codes as the virtual keys
    }
    return 0;
}

char32_t typedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return U'\r';
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return U'\t';
        default:
            break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return 0;
    }
    const QList<uint> codes = event.text().toUcs4();
    if (codes.size() != 1 || codes.front() < 32 || codes.front() == 127) {
        return 0;
    }
    return static_cast<char32_t>(codes.front());
}

MouseButton mouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return MouseButton::Left;
    }
}

ShiftState shiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    ShiftState s;
    s.shift = (modifiers & Qt::ShiftModifier) != 0;
    s.alt = (modifiers & Qt::AltModifier) != 0;
    s.ctrl = (modifiers & Qt::ControlModifier) != 0;
    s.left = (buttons & Qt::LeftButton) != 0;
    return s;
}

}  // namespace vantorell
