#pragma once
// Small value types shared by the grid logic, its drawing routines and the views.

#include <cstdint>

namespace vantorell {

// A rectangle in pixels; right and bottom lie just outside it, as in the window system.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

// How a cell is to be drawn: the flags of the grid's drawing event.
struct GridDrawState {
    bool selected = false;
    bool focused = false;
    bool fixed = false;
};

// Modifier keys and mouse buttons held during a key or mouse event.
struct ShiftState {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    bool left = false;  // left mouse button held
    bool operator==(const ShiftState&) const = default;
};

enum class MouseButton { Left, Right, Middle };

// A mouse event in the grid's coordinates, with the cell under the mouse.
struct GridMouseEvent {
    MouseButton button = MouseButton::Left;
    ShiftState shift;
    int x = 0;
    int y = 0;
    int col = -1;  // -1 when the mouse is over no cell
    int row = -1;
    Rect cellRect;
};

// Virtual key codes that the grid handlers test.
namespace vk {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Prior = 33;
constexpr int Next = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Delete = 46;
constexpr int F2 = 113;
}  // namespace vk

// A colour: 24-bit RGB, or one of the system colours that the view takes from its palette.
struct Color {
    static constexpr std::uint32_t kSystem = 0x80000000u;

    std::uint32_t value = 0;  // 0x00RRGGBB, or kSystem | index

    static constexpr Color rgb(int r, int g, int b) {
        return Color{(static_cast<std::uint32_t>(r & 0xFF) << 16) |
                     (static_cast<std::uint32_t>(g & 0xFF) << 8) |
                     static_cast<std::uint32_t>(b & 0xFF)};
    }
    constexpr bool isSystem() const { return (value & kSystem) != 0; }
    constexpr int red() const { return static_cast<int>((value >> 16) & 0xFF); }
    constexpr int green() const { return static_cast<int>((value >> 8) & 0xFF); }
    constexpr int blue() const { return static_cast<int>(value & 0xFF); }
    bool operator==(const Color&) const = default;
};

enum class SystemColor : std::uint32_t {
    Highlight = 1,
    HighlightText,
    BtnFace,
    BtnText,
    Window,
    WindowText,
    ScrollBar,
};

constexpr Color systemColor(SystemColor c) {
    return Color{Color::kSystem | static_cast<std::uint32_t>(c)};
}

inline constexpr Color clHighlight = systemColor(SystemColor::Highlight);
inline constexpr Color clHighlightText = systemColor(SystemColor::HighlightText);
inline constexpr Color clBtnFace = systemColor(SystemColor::BtnFace);
inline constexpr Color clBtnText = systemColor(SystemColor::BtnText);
inline constexpr Color clWindow = systemColor(SystemColor::Window);
inline constexpr Color clWindowText = systemColor(SystemColor::WindowText);
inline constexpr Color clScrollBar = systemColor(SystemColor::ScrollBar);
inline constexpr Color clNavy = Color::rgb(0, 0, 128);
inline constexpr Color clMaroon = Color::rgb(128, 0, 0);
inline constexpr Color clGreen = Color::rgb(0, 128, 0);
inline constexpr Color clWhite = Color::rgb(255, 255, 255);
inline constexpr Color clBlack = Color::rgb(0, 0, 0);

}  // namespace vantorell
